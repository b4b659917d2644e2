// The section types: what the screens, the books and the lists call each, and the second size a
// new section starts from. Everything that names or ranges over a section takes it from here.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/pile_input.h"

namespace pile {

struct SectionDescription {
    SectionType type;
    std::string_view name;       // the item of cbb_jmlx and the books' own lines: "圆桩"
    std::string_view tableName;  // the column of the tables and lists, six columns wide: "圆  桩"
    char depthUnit;              // the letter of a socket depth given as a multiple: d, or b
    std::string_view secondSize;  // cbe_tyzd when the section is chosen ("0": not used)
};

// In the order of cbb_jmlx.
inline constexpr std::array<SectionDescription, 3> kSections{{
    {SectionType::Circle, "圆桩", "圆  桩", 'd', "0"},
    {SectionType::Ellipse, "椭圆桩", "椭圆桩", 'd', "500"},
    {SectionType::Rectangle, "矩形桩", "矩形桩", 'b', "1000"},
}};
inline constexpr int kSectionCount = static_cast<int>(kSections.size());

// A rectangle with equal sides, as the books and lists print it; it is entered as a rectangle.
inline constexpr SectionDescription kSquareSection{SectionType::Rectangle, "方桩", "方  桩", 'b',
                                                   "1000"};

constexpr const SectionDescription& Describe(SectionType type) {
    switch (type) {
        case SectionType::Circle:
            return kSections[0];
        case SectionType::Ellipse:
            return kSections[1];
        case SectionType::Rectangle:
            return kSections[2];
    }
    return kSections[0];  // not reached: the switch covers every section
}

// The section as the books print a computed pile: a rectangle with equal sides is a square.
constexpr const SectionDescription& DescribeShape(SectionType type, double size1, double size2) {
    return type == SectionType::Rectangle && size1 == size2 ? kSquareSection : Describe(type);
}

// The socket depths cbe_hr offers for the section: multiples of its unit length, then
// millimetres. The first is the depth a newly chosen section starts from.
std::vector<std::string> DepthItems(const SectionDescription& section);

// The texts of a new window's input screen once the section and the rock mode are chosen: the
// section's second size and first depth, and the process its list selects.
InputTexts NewSectionTexts(SectionType section, RockStrengthMode mode);

namespace detail {
constexpr bool sectionsInItemOrder() {
    for (int i = 0; i < kSectionCount; ++i)
        if (static_cast<int>(kSections[static_cast<std::size_t>(i)].type) != i) return false;
    return true;
}
}  // namespace detail
static_assert(detail::sectionsInItemOrder(), "kSections follows the item order of cbb_jmlx");

}  // namespace pile
