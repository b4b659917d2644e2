// The concrete grades of the grade list (cbb_hnt), each with its design compressive strength.
// Everything that offers, reads, ranges over or computes with a grade takes it from here: a new
// grade is one row.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace pile {

struct ConcreteGrade {
    std::string_view text;  // the item's text, "C30"
    int number;             // the grade's number, 30
    double fc;              // design compressive strength, MPa
};

// In rising order, one step apart.
inline constexpr std::array<ConcreteGrade, 8> kConcreteGrades{{
    {"C25", 25, 11.9},
    {"C30", 30, 14.3},
    {"C35", 35, 16.7},
    {"C40", 40, 19.1},
    {"C45", 45, 21.1},
    {"C50", 50, 23.1},
    {"C55", 55, 25.3},
    {"C60", 60, 27.5},
}};

inline constexpr int kGradeCount = static_cast<int>(kConcreteGrades.size());
inline constexpr int kGradeStep = kConcreteGrades[1].number - kConcreteGrades[0].number;
inline constexpr int kLowestGradeNumber = kConcreteGrades.front().number;
inline constexpr int kHighestGradeNumber = kConcreteGrades.back().number;

// The grade of a new window.
inline constexpr int kDefaultGradeIndex = 1;

// The grade at an item index; an index outside the list (which the screen cannot give) is held
// at the nearest item.
constexpr const ConcreteGrade& GradeAt(int index) {
    return kConcreteGrades[static_cast<std::size_t>(std::clamp(index, 0, kGradeCount - 1))];
}

// The item index of the grade with `number`; a number between two grades counts as the lower
// one, and a number beyond the list as its end.
constexpr int GradeIndexOfNumber(int number) {
    return std::clamp((number - kLowestGradeNumber) / kGradeStep, 0, kGradeCount - 1);
}

namespace detail {
constexpr bool gradesEvenlySpaced() {
    for (int i = 1; i < kGradeCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (kConcreteGrades[k].number - kConcreteGrades[k - 1].number != kGradeStep) return false;
    }
    return true;
}
}  // namespace detail
static_assert(detail::gradesEvenlySpaced(), "the grade list steps evenly");
static_assert(kDefaultGradeIndex < kGradeCount);

}  // namespace pile
