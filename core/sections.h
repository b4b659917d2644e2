// The section types: what the screens, the books and the lists call each, the sizes it has, the
// rules it follows, and its code in the optimiser. Everything that names, ranges over or tells
// sections apart takes it from here; only the geometry (area, perimeter, β) and the rectangle's
// own rules (side ordering, b/a) are written per section where they are computed.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/pile_input.h"

namespace pile {

struct SectionDescription {
    SectionType type;
    std::string_view name;       // the item of cbb_jmlx and the books' own lines: "圆桩"
    std::string_view tableName;  // the cell of the tables and lists: "圆  桩"
    // The letter of a socket depth given as a multiple: d multiplies the first size (d), b the
    // second (the short side b).
    char depthUnit;
    std::string_view secondSize;  // cbe_tyzd when the section is chosen ("0": not used)
    bool hasSecondSize;           // c or b; a circle has its diameter only
    // ζr with frk given (clause 5.3.7) and K = 2, the three processes of cbb_czgy, and no
    // slope condition; the other sections take α0 and β (5.3.9) and are dug by hand.
    bool circleRules;
};

// In the order of cbb_jmlx.
inline constexpr std::array<SectionDescription, 3> kSections{{
    {SectionType::Circle, "圆桩", "圆  桩", 'd', "0", false, true},
    {SectionType::Ellipse, "椭圆桩", "椭圆桩", 'd', "500", true, false},
    {SectionType::Rectangle, "矩形桩", "矩形桩", 'b', "1000", true, false},
}};
inline constexpr int kSectionCount = static_cast<int>(kSections.size());

// A rectangle with equal sides, as the books and lists print it; it is entered as a rectangle.
inline constexpr SectionDescription kSquareSection{
    SectionType::Rectangle, "方桩", "方  桩", 'b', "1000", true, false};

// The section of item `index` of cbb_jmlx; the first for an index out of range (no selection).
constexpr const SectionDescription& SectionAtItem(int index) {
    return kSections[static_cast<std::size_t>(index >= 0 && index < kSectionCount ? index : 0)];
}

constexpr int ItemOf(SectionType type) { return static_cast<int>(type); }

constexpr const SectionDescription& Describe(SectionType type) {
    return SectionAtItem(ItemOf(type));
}

constexpr bool HasSecondSize(SectionType type) { return Describe(type).hasSecondSize; }
constexpr bool UsesCircleRules(SectionType type) { return Describe(type).circleRules; }
constexpr char DepthUnitOf(SectionType type) { return Describe(type).depthUnit; }

// The size a socket depth given as a multiple multiplies.
constexpr double DepthReference(SectionType type, double size1, double size2) {
    return DepthUnitOf(type) == 'b' ? size2 : size1;
}

// The section as the books print a computed pile: a rectangle with equal sides is a square.
constexpr const SectionDescription& DescribeShape(SectionType type, double size1, double size2) {
    return type == kSquareSection.type && size1 == size2 ? kSquareSection : Describe(type);
}

// The section whose tableName `text` is, the square's included; nullptr for none.
constexpr const SectionDescription* SectionOfTableName(std::string_view text) {
    if (text == kSquareSection.tableName) return &kSquareSection;
    for (const SectionDescription& s : kSections)
        if (text == s.tableName) return &s;
    return nullptr;
}

// The section codes of the optimiser (row 0 of the item table, the rows of its lists): the items
// of cbb_jmlx numbered from 1 in their order, then the square.
enum class SectionCode : std::uint8_t {};
inline constexpr int kLowestSectionCode = 1;
inline constexpr int kHighestSectionCode = kSectionCount + 1;
inline constexpr SectionCode kSquareCode{kHighestSectionCode};

constexpr SectionCode ListCode(SectionType type) {
    return SectionCode(static_cast<std::uint8_t>(ItemOf(type) + kLowestSectionCode));
}

// The description of a code, the square's for the highest; a code out of range is held at the
// nearest.
constexpr const SectionDescription& DescribeCode(int code) {
    const int c = std::clamp(code, kLowestSectionCode, kHighestSectionCode);
    return c == kHighestSectionCode ? kSquareSection : SectionAtItem(c - kLowestSectionCode);
}
constexpr const SectionDescription& DescribeCode(SectionCode code) {
    return DescribeCode(static_cast<int>(code));
}

// "圆桩1/椭圆桩2/矩形桩3/方桩4": the note of the item table's section row.
std::string SectionCodeNote();

// The socket depths cbe_hr offers for the section: multiples of its unit length, then
// millimetres. The first is the depth a newly chosen section starts from.
std::vector<std::string> DepthItems(const SectionDescription& section);

// The texts of a new window's input screen once the section and the rock mode are chosen: the
// section's second size and first depth, and the process its list selects.
InputTexts NewSectionTexts(SectionType section, RockStrengthMode mode);

namespace detail {
constexpr bool sectionsInItemOrder() {
    for (int i = 0; i < kSectionCount; ++i)
        if (ItemOf(kSections[static_cast<std::size_t>(i)].type) != i) return false;
    return true;
}
constexpr bool sectionRowsAgree(const SectionDescription& s) {
    // A section without a second size keeps "0" in cbe_tyzd and measures depth in d.
    return (s.hasSecondSize || (s.secondSize == "0" && s.depthUnit == 'd')) &&
           (s.depthUnit == 'd' || s.depthUnit == 'b');
}
constexpr bool sectionRowsAgree() {
    for (const SectionDescription& s : kSections)
        if (!sectionRowsAgree(s)) return false;
    return sectionRowsAgree(kSquareSection);
}
}  // namespace detail
static_assert(detail::sectionsInItemOrder(), "kSections follows the item order of cbb_jmlx");
static_assert(detail::sectionRowsAgree(), "a section's sizes, second size and depth unit agree");

}  // namespace pile
