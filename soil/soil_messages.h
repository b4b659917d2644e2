// The messages about bad soil layers: the soil screens show them, and a pile whose layers they
// describe is refused with them. `layer` counts from 1.
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

}  // namespace pile
