// Filtering the raw result list.
#include "optimise/list_filter.h"

#include <cstdint>

#include "optimise/strict_number.h"

namespace pile {

FilterBounds normaliseBounds(double min, double max) {
    FilterBounds b{min, max};
    if (!(b.min > 0)) b.min = 0;
    if (!(b.max > 0)) b.max = kNoUpperBound;
    if (b.min > b.max) b.max = b.min;
    return b;
}

FilterBounds readFilterBounds(const std::string& minText, const std::string& maxText) {
    const double min = readDecimal(minText);
    const double max = readDecimal(maxText);
    return normaliseBounds(min, max);
}

ResultList filterList(const ResultList& raw, const std::vector<FilterCondition>& conditions) {
    std::vector<std::uint32_t> passing;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        bool pass = true;
        for (const FilterCondition& c : conditions) {
            const double v = raw.fieldValue(i, c.field);
            if (!(v >= c.bounds.min && v <= c.bounds.max)) {
                pass = false;
                break;
            }
        }
        if (pass) passing.push_back(static_cast<std::uint32_t>(i));
    }
    return raw.select(passing);
}

ResultList filterByRaRc(const ResultList& raw, const FilterBounds& ra, const FilterBounds& rc) {
    return filterList(raw, {{ListField::Ra, ra}, {ListField::Rc, rc}});
}

std::string filterDoneMessage(std::size_t rows) {
    return std::string("筛选完成，桩数：").append(std::to_string(rows)).append(" 根");
}

}  // namespace pile
