// The optimisation items read into value ranges, and the candidate count.
#include "optimise/item_ranges.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "core/concrete_grades.h"
#include "core/number_format.h"
#include "optimise/strict_number.h"

namespace pile {
namespace {

// The count and step rule shared by every row. Integer rows divide with truncation, decimal
// rows round the quotient half up.
void settleCount(ItemRange& r, bool integer) {
    if (!(r.max > r.min)) {
        r.max = r.min;
        r.step = 0;
        r.count = 1;
        return;
    }
    const double span = r.max - r.min;
    if (!(r.step > 0) || r.step > span) {
        r.step = span;
        r.count = 2;
        return;
    }
    if (integer) {
        // Both are whole numbers within int range here.
        r.count = static_cast<std::uint64_t>(static_cast<long long>(span) /
                                             static_cast<long long>(r.step)) +
                  1;
        return;
    }
    const double quotient = span / r.step + 0.5;
    // 2^64 and above (and an infinite span) do not fit; the largest double below 2^64 plus
    // one still does.
    if (!(quotient < 18446744073709551616.0)) {
        r.count = kCountSaturated;
        return;
    }
    r.count = static_cast<std::uint64_t>(quotient) + 1;
}

ItemRange readIntegerRow(const ItemCells& cells, int lowest, int highest) {
    ItemRange r;
    r.min = std::clamp(readInteger(cells.min), lowest, highest);
    r.max = std::clamp(readInteger(cells.max), lowest, highest);
    r.step = readInteger(cells.step);
    settleCount(r, true);
    return r;
}

// Code points 2 and 3 of the text (the "25" of "C25"); shorter texts give what they have.
std::string gradeDigits(const std::string& text) {
    std::size_t starts[4] = {text.size(), text.size(), text.size(), text.size()};
    int found = 0;
    for (std::size_t i = 0; i < text.size() && found < 4; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts[found++] = i;
    }
    return text.substr(starts[1], starts[3] - starts[1]);
}

int gradeNumber(const std::string& cell) {
    return readInteger(gradeDigits(cell)) / kGradeStep * kGradeStep;
}

ItemRange readGradeRow(const ItemCells& cells) {
    ItemRange r;
    // Grades stay within the grade list from both sides, so every grade is an item of cbb_hnt.
    r.min = std::clamp(gradeNumber(cells.min), kLowestGradeNumber, kHighestGradeNumber);
    r.max = std::clamp(gradeNumber(cells.max), kLowestGradeNumber, kHighestGradeNumber);
    const int step = readInteger(cells.step);
    r.step = step < kGradeStep ? kGradeStep : step / kGradeStep * kGradeStep;
    settleCount(r, true);
    return r;
}

ItemRange readDecimalRow(const ItemCells& cells) {
    ItemRange r;
    r.min = readDecimal(cells.min);
    r.max = readDecimal(cells.max);
    r.step = readDecimal(cells.step);
    return r;
}

// A depth cell in multiples: the text before the first "d".
double readMultiple(const std::string& cell) {
    const std::size_t d = cell.find('d');
    if (d == std::string::npos) {
        throw NumberConversionError(cell, NumberConversionError::Kind::Decimal);
    }
    return readDecimal(cell.substr(0, d));
}

}  // namespace

double ItemRange::at(std::uint64_t i) const {
    if (i == 0) return min;
    const double v = FifteenDigits(min + static_cast<double>(i) * step);
    return v > max ? max : v;
}

std::vector<double> ItemRange::values() const {
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) out.push_back(at(i));
    return out;
}

const char* negativeValueMessage(int row) {
    switch (row) {
        case item_row::kDiameter:
            return "桩径不能为负值";
        case item_row::kEllipseStraight:
            return "椭圆直段不能为负值";
        case item_row::kLongSide:
            return "矩形长边不能为负值";
        case item_row::kShortSide:
            return "矩形短边不能为负值";
        case item_row::kSquareSide:
            return "方形边长不能为负值";
        case item_row::kFrk:
            return "岩石单轴抗压强度不能为负值";
        case item_row::kFuk:
            return "地基极限承载力不能为负值";
        default:
            return "";
    }
}

std::variant<ItemRanges, ItemRejection> readItemRanges(const ItemTexts& texts) {
    ItemRanges out;
    for (int row = 0; row < item_row::kCount; ++row) {
        const ItemCells& cells = texts[static_cast<std::size_t>(row)];
        ItemRange& r = out.rows[static_cast<std::size_t>(row)];
        switch (row) {
            case item_row::kSection:
                r = readIntegerRow(cells, kLowestSectionCode, kHighestSectionCode);
                break;
            case item_row::kRockType:
                r = readIntegerRow(cells, 1, 2);
                break;
            case item_row::kProcess:
                r = readIntegerRow(cells, 1, 3);
                break;
            case item_row::kGrade:
                r = readGradeRow(cells);
                break;
            case item_row::kDepth: {
                // No sign check: a negative depth is refused by the calculation.
                const bool multiples = cells.min.find('d') != std::string::npos;
                out.depthUnit = multiples ? DepthUnit::Multiple : DepthUnit::Millimetre;
                const auto read = multiples ? readMultiple : readDecimal;
                r.min = read(cells.min);
                r.max = read(cells.max);
                r.step = read(cells.step);
                settleCount(r, false);
                break;
            }
            default:
                r = readDecimalRow(cells);
                if (r.min < 0 || r.max < 0) return ItemRejection{row, negativeValueMessage(row)};
                settleCount(r, false);
                break;
        }
    }
    return out;
}

namespace {

// By section code, from the lowest.
constexpr std::array<SectionSizeRows, kHighestSectionCode> kSizeRows{{
    {item_row::kDiameter, -1},                          // circle: d
    {item_row::kDiameter, item_row::kEllipseStraight},  // ellipse: d, c
    {item_row::kLongSide, item_row::kShortSide},        // rectangle: a, b
    {item_row::kSquareSide, -1},                        // square: its side
}};

constexpr bool everyCodeHasItsSizeRows() {
    for (int code = kLowestSectionCode; code <= kHighestSectionCode; ++code) {
        const SectionSizeRows& rows =
            kSizeRows[static_cast<std::size_t>(code - kLowestSectionCode)];
        const bool square = code == kHighestSectionCode;
        if (rows.first <= item_row::kSection || rows.first >= item_row::kDepth) return false;
        if ((rows.second >= 0) != (DescribeCode(code).hasSecondSize && !square)) return false;
    }
    return true;
}
static_assert(everyCodeHasItsSizeRows(), "every section code names the item rows of its sizes");

}  // namespace

SectionSizeRows sectionSizeRows(SectionCode code) {
    const int c = std::clamp(static_cast<int>(code), kLowestSectionCode, kHighestSectionCode);
    return kSizeRows[static_cast<std::size_t>(c - kLowestSectionCode)];
}

std::uint64_t candidateCount(const ItemRanges& ranges) {
    using namespace item_row;
    const auto n = [&ranges](int row) { return ranges[row].count; };
    // Per rock parameter type k: its values, the grades and, for a circle with k = 1, the
    // processes.
    std::uint64_t frkCircle = 0, frkOther = 0, fuk = 0;
    const ItemRange& rock = ranges[kRockType];
    for (std::uint64_t i = 0; i < rock.count; ++i) {
        const double k = rock.at(i);
        if (k == 1) {
            frkCircle = saturatingAdd(frkCircle, saturatingMul(n(kFrk), n(kProcess)));
            frkOther = saturatingAdd(frkOther, n(kFrk));
        } else {
            fuk = saturatingAdd(fuk, n(kFuk));
        }
    }
    const std::uint64_t circleTail = saturatingMul(saturatingAdd(frkCircle, fuk), n(kGrade));
    const std::uint64_t otherTail = saturatingMul(saturatingAdd(frkOther, fuk), n(kGrade));

    std::uint64_t total = 0;
    const ItemRange& section = ranges[kSection];
    for (std::uint64_t i = 0; i < section.count; ++i) {
        const int code = static_cast<int>(section.at(i));
        const SectionSizeRows rows = sectionSizeRows(SectionCode(code));
        std::uint64_t sizes = n(rows.first);
        if (rows.second >= 0) sizes = saturatingMul(sizes, n(rows.second));
        const std::uint64_t tail = DescribeCode(code).circleRules ? circleTail : otherTail;
        total = saturatingAdd(total, saturatingMul(saturatingMul(sizes, n(kDepth)), tail));
    }
    return total;
}

const std::array<ItemTableRow, 15>& formulaOneItemTable() {
    // The section row offers every code of the section table and names them in its note.
    static const std::string highestCode = std::to_string(kHighestSectionCode);
    static const std::string codeNote = SectionCodeNote();
    static const std::array<ItemTableRow, 15> rows = {{
        {"桩身截面类型", "1", highestCode.c_str(), "1", codeNote.c_str()},
        {"桩身直径 d(mm)", "1000", "2000", "500", "桩径取值范围"},
        {"椭圆直段长度 c(mm)", "1000", "2000", "500", "椭圆直段取值范围"},
        {"矩形桩长边尺寸 a(mm)", "2000", "3000", "500", "矩形桩长边取值范围"},
        {"矩形桩短边尺寸 b(mm)", "1500", "2000", "500", "矩形桩短边取值范围"},
        {"方桩边长 a(mm)", "1000", "2000", "500", "方桩边长取值范围"},
        {"嵌岩深度 hr(mm)", "2.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"},
        {"岩石强度类型", "1", "2", "1", "岩石单轴抗压强度(frk)1/岩石地基极限承载力(fuk)2"},
        {"单轴抗压强度 frk(MPa)", "35.00", "40.00", "5.00", "岩石单轴抗压强度标准值取值应大于0"},
        {"地基极限承载力 fuk(MPa)", "35.00", "40.00", "5.00", "地基极限承载力标准值取值应大于0"},
        {"混凝土强度等级", "C25", "C30", "5", "混凝土强度等级范围C25～C60"},
        {"成桩工艺", "1", "2", "1", "人工挖孔1/泥浆护壁2/后注浆3"},
        {"", "", "", "", ""},
        {"筛选 Ra(kN)", "12000", "14000", "", "筛选条件一，输入0不起控制作用"},
        {"筛选 Rc(kN)", "6000", "8000", "", "筛选条件二，输入0不起控制作用"},
    }};
    return rows;
}

const std::array<ItemTableRow, 19>& formulaTwoItemTable() {
    static const std::array<ItemTableRow, 19> rows = [] {
        std::array<ItemTableRow, 19> r{};
        const auto& one = formulaOneItemTable();
        for (std::size_t i = 0; i < static_cast<std::size_t>(item_row::kCount); ++i) r[i] = one[i];
        r[12] = {"负摩阻力是否考虑", "1", "", "", "不考虑0/考虑1"};
        r[13] = {"土侧阻力是否考虑", "0", "", "", "不考虑0/考虑1"};
        r[14] = {"", "", "", "", ""};
        r[15] = one[13];
        r[16] = one[14];
        r[17] = {"筛选 [Nk](kN)", "12000", "14000", "", "筛选条件三，输入0不起控制作用"};
        r[18] = {"筛选 [N](kN)", "6000", "8000", "", "筛选条件四，输入0不起控制作用"};
        return r;
    }();
    return rows;
}

bool readSoilSwitch(const std::string& text) { return readInteger(text) >= 1; }

ItemTexts defaultItemTexts() {
    ItemTexts texts;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const ItemTableRow& r = formulaOneItemTable()[row];
        texts[row] = {r.min, r.max, r.step};
    }
    return texts;
}

}  // namespace pile
