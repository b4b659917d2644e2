// The result lists of the optimisation screen as compact rows.
#include "optimise/result_list.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "core/concrete_grades.h"
#include "core/number_format.h"
#include "core/pile_input.h"
#include "core/sections.h"
#include "core/text_width.h"

namespace pile {
namespace {

std::string_view sectionText(int section, double size1, double size2) {
    // A square is entered as a rectangle, and equal sides read as a square, as the books print it.
    return DescribeShape(DescribeCode(section).type, size1, size2).tableName;
}

}  // namespace

const ListLayout& formulaOneListLayout() {
    static const ListLayout layout{
        {
            {ListField::PileNumber, "桩编号", nullptr, false},
            {ListField::Section, "截面类型", nullptr, false},
            {ListField::Size1, "d|a(mm)", "d", false},
            {ListField::Size2, "c|b(mm)", nullptr, false},
            {ListField::Ra, "Ra(kN)", "Ra", false},
            {ListField::Rc, "Rc(kN)", "Rc", false},
            {ListField::Depth, "hr(mm)", nullptr, true},
            {ListField::RockType, "强度类别", nullptr, true},
            {ListField::RockValue, "frk(fuk)", nullptr, true},
            {ListField::Process, "成桩工艺", nullptr, true},
            {ListField::Kesair, "ζr(β)", nullptr, true},
            {ListField::Grade, "混凝土", nullptr, true},
            {ListField::Note, "备注", nullptr, true},
        },
        "仅支持d、Ra、Rc排序",
    };
    return layout;
}

const ListLayout& formulaTwoListLayout() {
    // Formula one's columns with the soil columns before the note, and the two hidden switch
    // columns last.
    static const ListLayout layout = [] {
        std::vector<ListColumn> columns;
        for (const ListColumn& column : formulaOneListLayout().columns) {
            if (column.field == ListField::Note) {
                columns.insert(columns.end(), {
                                                  {ListField::Qgn, "Qgn(kN)", nullptr, false},
                                                  {ListField::NkLimit, "[Nk](kN)", "[Nk]", false},
                                                  {ListField::NkRatio, "[Nk]/Ra", "[Nk]/Ra", false},
                                                  {ListField::NLimit, "[N](kN)", "[N]", false},
                                                  {ListField::NRatio, "[N]/Rc", "[N]/Rc", false},
                                              });
            }
            columns.push_back(column);
        }
        columns.insert(columns.end(), {
                                          {ListField::IdQgn, "IdQgn", nullptr, false, true},
                                          {ListField::IdFsk, "IdFsk", nullptr, false, true},
                                      });
        return ListLayout{std::move(columns), "仅支持d、Ra、Rc、[Nk]、[N]及比率排序"};
    }();
    return layout;
}

namespace {

// Whether a field's value is one of formula two's: the soil values a row keeps beside its own
// and the two switches.
bool isSoilField(ListField field) {
    switch (field) {
        case ListField::Qgn:
        case ListField::NkLimit:
        case ListField::NkRatio:
        case ListField::NLimit:
        case ListField::NRatio:
        case ListField::IdQgn:
        case ListField::IdFsk:
            return true;
        case ListField::PileNumber:
        case ListField::Section:
        case ListField::Size1:
        case ListField::Size2:
        case ListField::Ra:
        case ListField::Rc:
        case ListField::Depth:
        case ListField::RockType:
        case ListField::RockValue:
        case ListField::Process:
        case ListField::Kesair:
        case ListField::Grade:
        case ListField::Note:
            break;
    }
    return false;
}

}  // namespace

ListLayout::ListLayout(std::vector<ListColumn> columnList, const char* unsortable)
    : columns(std::move(columnList)), unsortableMessage(unsortable) {
    for (int c = columnCount(); c-- > 0;) {
        const ListField field = columns[static_cast<std::size_t>(c)].field;
        const auto at = static_cast<std::size_t>(field);
        if (at >= m_columnOf.size()) m_columnOf.resize(at + 1, -1);
        m_columnOf[at] = c;  // walked backwards: the first column of a field is kept
        if (isSoilField(field)) m_soilColumns = true;
    }
}

bool ListLayout::has(ListField field) const {
    const auto at = static_cast<std::size_t>(field);
    return at < m_columnOf.size() && m_columnOf[at] >= 0;
}

int ListLayout::columnOf(ListField field) const {
    if (!has(field))
        throw std::out_of_range("no list column shows field " +
                                std::to_string(static_cast<int>(field)));
    return m_columnOf[static_cast<std::size_t>(field)];
}

int decimalDigits(std::size_t n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

std::string pileNumberText(std::size_t number, int digits) {
    return std::string("ZH-").append(PadLeft(std::to_string(number), "0", digits));
}

template <class Show>
std::uint32_t ResultList::ValueTable::place(double in, Show show) {
    if (m_used && m_lastIn == in && std::signbit(m_lastIn) == std::signbit(in)) return m_lastPlace;
    std::uint64_t bits;
    std::memcpy(&bits, &in, sizeof bits);
    const auto [it, added] =
        m_places.try_emplace(bits, static_cast<std::uint32_t>(m_values.size()));
    if (added) m_values.push_back(show(in));
    m_used = true;
    m_lastIn = in;
    m_lastPlace = it->second;
    return it->second;
}

std::size_t ResultList::ValueTable::bytesUsed() const {
    // A node of the map is about its key, value and two pointers.
    return m_values.capacity() * sizeof(double) + m_places.size() * 32 +
           m_places.bucket_count() * sizeof(void*);
}

ResultList::ResultList(const ListLayout& layout) : m_layout(&layout) {}

void ResultList::clear() {
    m_rows.clear();
    m_soil.clear();
    m_size1 = m_size2 = m_depth = m_rockValue = ValueTable();
    m_numberDigits = 0;
}

void ResultList::append(const ListRowValues& v) {
    static_assert(sizeof(Row) == 48 && sizeof(SoilRow) == 40);
    const auto mode = static_cast<RoundingMode>(v.mode);
    // The shown texts read back, so a sort or filter sees what the user sees.
    using TextOf = std::string (*)(double, RoundingMode, ShownOn);
    const auto shown = [mode](std::string_view text, double value, TextOf textOf) {
        return ParseLenient(text.empty() ? textOf(value, mode, ShownOn::Screen)
                                         : std::string(text));
    };
    Row r{};
    const auto same = [](double x) { return x; };
    r.size1 = m_size1.place(v.size1, FifteenDigits);
    r.size2 = m_size2.place(v.size2, FifteenDigits);
    r.depth = m_depth.place(v.depth, same);
    r.rockValue = m_rockValue.place(v.rockValue, same);
    r.kesair = v.kesair;
    r.ra = shown(v.raText, v.ra, RaText);
    r.rc = shown(v.rcText, v.rc, RcText);
    r.number = static_cast<std::uint32_t>(m_rows.size() + 1);
    r.section = static_cast<std::uint8_t>(v.section);
    r.grade = static_cast<std::uint8_t>(v.grade);
    r.mode = static_cast<std::uint8_t>(v.mode);
    r.depthUnit = static_cast<std::uint8_t>(v.depthUnit) & 1u;
    r.rockType = static_cast<std::uint8_t>(v.rockType) & 3u;
    r.process = static_cast<std::uint8_t>(v.process) & 3u;
    if (hasSoilColumns(*m_layout))
        r.flags = static_cast<std::uint8_t>((v.dragLoad ? kDragLoadFlag : 0) |
                                            (v.sideResistance ? kSideResistanceFlag : 0));
    m_rows.push_back(r);
    if (!hasSoilColumns(*m_layout)) return;

    SoilRow soil{};
    soil.qgn = v.qgn;
    soil.nkLimit = shown(v.nkText, v.nkLimit, NkLimitText);
    soil.nLimit = shown(v.nText, v.nLimit, NLimitText);
    // The ratios are those of the shown texts; a shown denominator of 0 (a tiny pile rounded
    // to tens or hundreds) takes the unrounded values, and a denominator that is 0 gives 0%.
    const auto ratio = [](double shownLimit, double shownBase, double limit, double base) {
        if (shownBase != 0) return 100 * shownLimit / shownBase;
        if (base != 0) return 100 * limit / base;
        return 0.0;
    };
    const auto percent = [](double x) { return ParseLenient(FormatFixed(x, 10, 0)); };
    soil.nkRatio = percent(ratio(soil.nkLimit, r.ra, v.nkLimit, v.ra));
    soil.nRatio = percent(ratio(soil.nLimit, r.rc, v.nLimit, v.rc));
    m_soil.push_back(soil);
}

void ResultList::assignPileNumbers() { m_numberDigits = decimalDigits(m_rows.size()); }

std::string ResultList::cellText(std::size_t row, int column) const {
    return fieldText(row, m_layout->columns[static_cast<std::size_t>(column)].field);
}

std::string ResultList::fieldText(std::size_t row, ListField field) const {
    const Row& r = m_rows[row];
    const auto mode = static_cast<RoundingMode>(r.mode);
    const double size1 = m_size1[r.size1], size2 = m_size2[r.size2];
    switch (field) {
        case ListField::PileNumber:
            return m_numberDigits > 0 ? pileNumberText(r.number, m_numberDigits)
                                      : std::to_string(r.number);
        case ListField::Section:
            return std::string(sectionText(r.section, size1, size2));
        case ListField::Size1:
            return FormatGeneral(size1);
        case ListField::Size2:
            return DescribeCode(r.section).hasSecondSize ? FormatGeneral(size2) : "-";
        case ListField::Ra:
            return RaText(r.ra, mode, ShownOn::Screen);
        case ListField::Rc:
            return RcText(r.rc, mode, ShownOn::Screen);
        case ListField::Depth:
            if (static_cast<DepthUnit>(r.depthUnit) == DepthUnit::Millimetre) {
                return FormatGeneral(m_depth[r.depth]);
            }
            return FormatFixed(m_depth[r.depth], 10, 1) + DescribeCode(r.section).depthUnit;
        case ListField::RockType:
            return std::to_string(r.rockType);
        case ListField::RockValue:
            return FormatFixed(m_rockValue[r.rockValue], 10, 2);
        case ListField::Process:
            return processLabelText(static_cast<ProcessLabel>(r.process));
        case ListField::Kesair:
            return ZetaText(r.kesair, ShownOn::Screen);
        case ListField::Grade:
            return std::string(GradeAt(GradeIndexOfNumber(r.grade)).text);
        case ListField::Note:
            break;
        case ListField::Qgn:
            return QgnText(m_soil[row].qgn, mode, ShownOn::Screen);
        case ListField::NkLimit:
            return NkLimitText(m_soil[row].nkLimit, mode, ShownOn::Screen);
        case ListField::NkRatio:
            return FormatFixed(m_soil[row].nkRatio, 10, 0) + "%";
        case ListField::NLimit:
            return NLimitText(m_soil[row].nLimit, mode, ShownOn::Screen);
        case ListField::NRatio:
            return FormatFixed(m_soil[row].nRatio, 10, 0) + "%";
        case ListField::IdQgn:
            return (r.flags & kDragLoadFlag) ? "1" : "0";
        case ListField::IdFsk:
            return (r.flags & kSideResistanceFlag) ? "1" : "0";
    }
    return std::string();
}

double ResultList::fieldValue(std::size_t row, ListField field) const {
    const Row& r = m_rows[row];
    switch (field) {
        case ListField::Size1:
            return m_size1[r.size1];
        case ListField::Ra:
            return r.ra;
        case ListField::Rc:
            return r.rc;
        case ListField::NkLimit:
            return m_soil[row].nkLimit;
        case ListField::NkRatio:
            return m_soil[row].nkRatio;
        case ListField::NLimit:
            return m_soil[row].nLimit;
        case ListField::NRatio:
            return m_soil[row].nRatio;
        // The other columns sort by the number their text starts with.
        case ListField::PileNumber:
        case ListField::Section:
        case ListField::Size2:
        case ListField::Depth:
        case ListField::RockType:
        case ListField::RockValue:
        case ListField::Process:
        case ListField::Kesair:
        case ListField::Grade:
        case ListField::Note:
        case ListField::Qgn:
        case ListField::IdQgn:
        case ListField::IdFsk:
            break;
    }
    return ParseLenient(fieldText(row, field));
}

namespace {

// Row i becomes the former row order[i], for a permutation `order`, in place: each cycle of the
// permutation is walked once with one row in hand, so a sort needs a bit a row beside the list
// instead of a second list.
template <class T>
void permuteInPlace(std::vector<T>& rows, const std::vector<std::uint32_t>& order,
                    std::vector<bool>& placed) {
    placed.assign(rows.size(), false);
    for (std::size_t start = 0; start < rows.size(); ++start) {
        if (placed[start]) continue;
        T held = rows[start];
        std::size_t at = start;
        for (;;) {
            placed[at] = true;
            const std::size_t from = order[at];
            if (from == start) {
                rows[at] = held;
                break;
            }
            rows[at] = rows[from];
            at = from;
        }
    }
}

}  // namespace

void ResultList::reorder(const std::vector<std::uint32_t>& order) {
    if (order.size() != m_rows.size()) {
        ResultList selected = select(order);
        m_rows = std::move(selected.m_rows);
        m_soil = std::move(selected.m_soil);
        return;
    }
    std::vector<bool> placed;
    permuteInPlace(m_rows, order, placed);
    if (!m_soil.empty()) permuteInPlace(m_soil, order, placed);
}

void ResultList::reverse() {
    std::reverse(m_rows.begin(), m_rows.end());
    std::reverse(m_soil.begin(), m_soil.end());
}

ResultList ResultList::select(const std::vector<std::uint32_t>& rows) const {
    ResultList out(*m_layout);
    out.m_numberDigits = m_numberDigits;
    out.m_size1 = m_size1;
    out.m_size2 = m_size2;
    out.m_depth = m_depth;
    out.m_rockValue = m_rockValue;
    out.m_rows.reserve(rows.size());
    for (const std::uint32_t i : rows) out.m_rows.push_back(m_rows[i]);
    if (!m_soil.empty()) {
        out.m_soil.reserve(rows.size());
        for (const std::uint32_t i : rows) out.m_soil.push_back(m_soil[i]);
    }
    return out;
}

std::size_t ResultList::bytesUsed() const {
    return sizeof(*this) + m_rows.capacity() * sizeof(Row) + m_soil.capacity() * sizeof(SoilRow) +
           m_size1.bytesUsed() + m_size2.bytesUsed() + m_depth.bytesUsed() +
           m_rockValue.bytesUsed();
}

}  // namespace pile
