// Status texts of the optimisation search in lb_YHxingxi.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pile {

// Black: a search that ran to its end without listing a pile.
inline constexpr const char* kSearchEmptyMessage = "调整优化项重新计算";
// Red: a candidate refused by the single-pile calculation stopped the search.
inline constexpr const char* kSearchStoppedMessage = "运行中止，主界面可查看中止位置、原因";
// The hint label of the screen.
inline constexpr const char* kListHintText = "1、点击表头排序   2、双击获取数据";

// Black: "计算完成，桩数：" n " 根".
inline std::string searchDoneMessage(std::size_t rows) {
    return std::string("计算完成，桩数：").append(std::to_string(rows)).append(" 根");
}

// Black, while a search runs: "正在计算：" done " / " total.
inline std::string searchRunningMessage(std::uint64_t done, std::uint64_t total) {
    return std::string("正在计算：")
        .append(std::to_string(done))
        .append(" / ")
        .append(std::to_string(total));
}

}  // namespace pile
