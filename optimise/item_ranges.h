// The optimisation items: the twelve rows of the item table read into value ranges, and the
// number of candidate piles a set of ranges spans.
//
// Every row is read and checked on every search, in row order, whatever section types and
// rock parameter types the ranges select: a fault in a row the search would never use still
// stops it. A cell that is not a number throws NumberConversionError; a negative size or rock
// parameter is a rejection with the row's message, shown in red in the status line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/sections.h"

namespace pile {

// Rows of the item table (Grid1_Youhuaxuanxiang) that hold the optimisation items.
namespace item_row {
inline constexpr int kSection = 0;          // a SectionCode (core/sections.h)
inline constexpr int kDiameter = 1;         // d, mm
inline constexpr int kEllipseStraight = 2;  // c, mm
inline constexpr int kLongSide = 3;         // a, mm
inline constexpr int kShortSide = 4;        // b, mm
inline constexpr int kSquareSide = 5;       // s, mm
inline constexpr int kDepth = 6;            // hr: multiples of d (b) or mm
inline constexpr int kRockType = 7;         // 1 frk given, 2 fuk given
inline constexpr int kFrk = 8;              // MPa
inline constexpr int kFuk = 9;              // MPa
inline constexpr int kGrade = 10;           // grade number 25..60
inline constexpr int kProcess = 11;         // 1..3, order of the circular pile's process list
inline constexpr int kCount = 12;
}  // namespace item_row

// The item rows a section's sizes come from: the first size and the second, -1 where the
// section has no row of its own for it (a circle has no second size; a square's is its first).
struct SectionSizeRows {
    int first;
    int second;
};
SectionSizeRows sectionSizeRows(SectionCode code);

// A count too large to hold; every larger count is reported as this value.
inline constexpr std::uint64_t kCountSaturated = UINT64_MAX;
// Products and sums of candidate counts, held at kCountSaturated instead of wrapping.
inline std::uint64_t saturatingMul(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > kCountSaturated / a) return kCountSaturated;
    return a * b;
}
inline std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return b > kCountSaturated - a ? kCountSaturated : a + b;
}

// One item row as a finite sequence of values. Value i is min + i * step taken to 15
// significant digits, but not more than max; there are exactly `count` values. Each value is
// computed from the minimum and its index, never by adding the step again and again, so a
// decimal step carries no accumulated rounding error: d from 1000 to 2000 in steps of 0.1
// lists 1022 and ends at 2000.
struct ItemRange {
    double min = 0;
    double max = 0;
    double step = 0;
    std::uint64_t count = 1;  // >= 1; saturates at kCountSaturated

    double at(std::uint64_t i) const;
    // All values; only for a range whose count the caller has bounded.
    std::vector<double> values() const;
};

// Unit of the socket-depth row, decided by its minimum cell.
enum class DepthUnit : std::uint8_t {
    Multiple,  // multiples of d (of the short side b for rectangles and squares)
    Millimetre,
};

struct ItemRanges {
    std::array<ItemRange, item_row::kCount> rows;
    DepthUnit depthUnit = DepthUnit::Multiple;

    const ItemRange& operator[](int row) const { return rows[static_cast<std::size_t>(row)]; }
};

// Cells of columns 1..3 (minimum, maximum, step) of item rows 0..11.
struct ItemCells {
    std::string min;
    std::string max;
    std::string step;
};
using ItemTexts = std::array<ItemCells, item_row::kCount>;

// A negative minimum or maximum of a size or rock-parameter row.
struct ItemRejection {
    int row = 0;
    std::string message;  // shown in red in lb_YHxingxi
    bool operator==(const ItemRejection&) const = default;
};

// The row's message for a negative value ("桩径不能为负值", ...); empty for rows without the
// check.
const char* negativeValueMessage(int row);

// Reads the twelve rows in order. Throws NumberConversionError for the first cell that is not
// a number of the row's kind.
std::variant<ItemRanges, ItemRejection> readItemRanges(const ItemTexts& texts);

// The number of candidates the search generates from the ranges, counted without generating
// them; saturates at kCountSaturated.
std::uint64_t candidateCount(const ItemRanges& ranges);

// Searches over this many candidates are refused before the first candidate is computed.
inline constexpr std::uint64_t kCandidateLimit = 50'000'000;
inline constexpr const char* kTooManyCandidatesMessage = "优化组合数超过50000000，请缩小取值范围";

// One row of the item table as a window shows it at creation: the item name (column 0),
// minimum, maximum, step and note (columns 1..4). Empty texts are empty cells.
struct ItemTableRow {
    const char* name;
    const char* min;
    const char* max;
    const char* step;
    const char* note;
};

// The fifteen rows of the formula-one item table: the twelve items, the separator row and the
// two filter rows (13: Ra, 14: Rc).
const std::array<ItemTableRow, 15>& formulaOneItemTable();
// The nineteen rows of the formula-two item table: the twelve items, the two soil switches
// (12: negative skin friction, 13: side resistance; only their minimum cell counts), the
// separator row and the four filter rows (15: Ra, 16: Rc, 17: [Nk], 18: [N]).
const std::array<ItemTableRow, 19>& formulaTwoItemTable();

// A soil switch cell: an integer below 1 is "not considered", any other "considered". A
// cell that is not an integer throws NumberConversionError.
bool readSoilSwitch(const std::string& text);

// The cells of the items of formulaOneItemTable().
ItemTexts defaultItemTexts();

}  // namespace pile
