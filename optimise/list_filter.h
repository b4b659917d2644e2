// Filtering the raw result list by ranges of its values into the filtered list.
//
// The filter walks the raw list in its current order (sorted or not) and copies every row
// whose values all lie within their bounds, inclusive, pile numbers included, so the filtered
// list keeps the raw numbering with its gaps. A row's values are its cell texts read back.
#pragma once

#include <string>
#include <vector>

#include "optimise/result_list.h"

namespace pile {

// The upper bound that stands for "no limit".
inline constexpr double kNoUpperBound = 1e15;

struct FilterBounds {
    double min = 0;
    double max = kNoUpperBound;
    bool operator==(const FilterBounds&) const = default;
};

// A minimum that is not positive is no lower bound (0), a maximum that is not positive no
// upper bound (10^15); a minimum above the maximum then raises the maximum to it.
FilterBounds normaliseBounds(double min, double max);

// The two cells of a filter row, read strictly (NumberConversionError), then normalised.
FilterBounds readFilterBounds(const std::string& minText, const std::string& maxText);

struct FilterCondition {
    ListField field;
    FilterBounds bounds;
};

// The rows of `raw` that meet every condition, in raw order, as a new list.
ResultList filterList(const ResultList& raw, const std::vector<FilterCondition>& conditions);

// The formula-one filter: Ra (item row 13) and Rc (item row 14).
ResultList filterByRaRc(const ResultList& raw, const FilterBounds& ra, const FilterBounds& rc);

inline constexpr const char* kFilterEmptyMessage = "无满足条件桩，调整区间再筛选";
// "筛选完成，桩数：" n " 根".
std::string filterDoneMessage(std::size_t rows);

}  // namespace pile
