// The messages about bad soil layers and soil texts that are not numbers: the soil screens
// show them, and a pile whose layers they describe is refused with them. `layer` counts
// from 1. A side-resistance text that is not a number has the message of a negative value.
#pragma once

#include <cstddef>
#include <string>

namespace pile {

inline std::string layerThicknessError(std::size_t layer) {
    return "第" + std::to_string(layer) + "层土厚度错";
}

inline std::string layerSideResistanceError(std::size_t layer) {
    return "第" + std::to_string(layer) + "层土侧阻力错";
}

inline std::string layerBottomAboveError(std::size_t layer) {
    return "第" + std::to_string(layer) + "层层底标高高于上一层底标高";
}

// A drag-screen text that is not a number.
inline constexpr const char* kSurfaceLoadTextError = "地面大面积荷载数据有错";
inline constexpr const char* kGroundElevationTextError = "地面标高数据有错";
inline constexpr const char* kPileTopElevationTextError = "桩顶标高数据有错";

inline std::string layerBottomTextError(std::size_t layer) {
    return "第" + std::to_string(layer) + "层层底标高数据有错";
}

inline std::string layerUnitWeightTextError(std::size_t layer) {
    return "第" + std::to_string(layer) + "层土重度数据有错";
}

inline std::string layerXiTextError(std::size_t layer) {
    return "第" + std::to_string(layer) + "层土负摩阻力系数数据有错";
}

inline std::string layerDragQsikTextError(std::size_t layer) {
    return "第" + std::to_string(layer) + "层土侧阻力数据有错";
}

}  // namespace pile
