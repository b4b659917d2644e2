// The result lists of the optimisation screen as compact rows.
#include "optimise/result_list.h"

#include <algorithm>
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

ResultList::ResultList(const ListLayout& layout) : m_layout(&layout) {}

void ResultList::clear() {
    m_results.clear();
    m_keys.clear();
    m_soil.clear();
    m_source.reset();
    m_numberDigits = 0;
}

void ResultList::reserve(std::size_t rows) {
    m_results.reserve(rows);
    m_keys.reserve(rows);
    if (hasSoilColumns(*m_layout)) m_soil.reserve(rows);
    // A list appended value by value keeps the piles of its rows beside them.
    if (!m_source) m_source = std::make_shared<StoredPiles>();
    if (m_source->kind() == ListSource::Kind::Stored) {
        ownSource();
        static_cast<StoredPiles&>(*m_source).reserve(rows);
    }
}

void ResultList::ownSource() {
    if (m_source.use_count() > 1) m_source = m_source->clone();
}

void ResultList::listCandidates(const ItemRanges& ranges) {
    clear();
    m_source = std::make_shared<CandidatePiles>(ranges);
}

void ResultList::appendRow(std::uint32_t key, const ListRowValues& v) {
    static_assert(sizeof(Results) == 24 && sizeof(SoilRow) == 24);
    const RoundingMode mode = v.mode;
    // The shown texts read back, so a sort or filter sees what the user sees.
    using TextOf = std::string (*)(double, RoundingMode, ShownOn);
    const auto shown = [mode](std::string_view text, double value, TextOf textOf) {
        return ParseLenient(text.empty() ? textOf(value, mode, ShownOn::Screen)
                                         : std::string(text));
    };
    const Results r{shown(v.raText, v.ra, RaText), shown(v.rcText, v.rc, RcText), v.kesair};
    if (hasSoilColumns(*m_layout)) {
        const SoilRow soil{v.qgn, shown(v.nkText, v.nkLimit, NkLimitText),
                           shown(v.nText, v.nLimit, NLimitText)};
        // A shown denominator of 0 (a tiny pile rounded to tens or hundreds) takes the
        // unrounded values, which the row does not keep: the source keeps that ratio.
        RatioOverride ratios;
        const auto percent = [](double x) { return ParseLenient(FormatFixed(x, 10, 0)); };
        if (r.ra == 0 && v.ra != 0) {
            ratios.nk = true;
            ratios.nkRatio = percent(100 * v.nkLimit / v.ra);
        }
        if (r.rc == 0 && v.rc != 0) {
            ratios.n = true;
            ratios.nRatio = percent(100 * v.nLimit / v.rc);
        }
        if (ratios.nk || ratios.n) m_source->setRatioOverride(key, ratios);
        m_soil.push_back(soil);
    }
    m_results.push_back(r);
    m_keys.push_back(key);
}

void ResultList::append(const ListRowValues& v) {
    if (m_source && m_source->kind() == ListSource::Kind::Candidates) storePiles();
    if (!m_source) m_source = std::make_shared<StoredPiles>();
    ownSource();
    auto& stored = static_cast<StoredPiles&>(*m_source);
    ListedPile p;
    p.section = static_cast<std::uint8_t>(v.section);
    p.size1 = v.size1;
    p.size2 = v.size2;
    p.depth = v.depth;
    p.depthUnit = v.depthUnit;
    p.rockType = static_cast<std::uint8_t>(v.rockType);
    p.rockValue = v.rockValue;
    p.process = v.process;
    p.grade = static_cast<std::uint8_t>(v.grade);
    p.mode = v.mode;
    if (hasSoilColumns(*m_layout)) {
        p.dragLoad = v.dragLoad;
        p.sideResistance = v.sideResistance;
    }
    const std::uint32_t key = stored.nextKey();
    stored.put(key, p);
    appendRow(key, v);
}

void ResultList::appendCandidate(std::uint64_t index, const ListRowValues& v) {
    if (!m_source || m_source->kind() != ListSource::Kind::Candidates)
        throw std::logic_error("a candidate appended to a list that is not a search's");
    auto* piles = static_cast<CandidatePiles*>(m_source.get());
    if (index >= piles->count() || index > UINT32_MAX - 1)
        throw std::out_of_range("candidate " + std::to_string(index) + " of " +
                                std::to_string(piles->count()));
    const auto key = static_cast<std::uint32_t>(index);
    const bool soil = hasSoilColumns(*m_layout);
    const bool dragLoad = soil && v.dragLoad;
    const bool sideResistance = soil && v.sideResistance;
    if (empty()) {
        ownSource();
        static_cast<CandidatePiles&>(*m_source).setShared(v.mode, dragLoad, sideResistance);
    } else if (!piles->sharedBy(v.mode, dragLoad, sideResistance)) {
        // The mode or a switch changed within the search: the row keeps its own.
        ListedPile p = piles->pile(key);
        p.mode = v.mode;
        p.dragLoad = dragLoad;
        p.sideResistance = sideResistance;
        storePiles();
        static_cast<StoredPiles&>(*m_source).put(key, p);
        appendRow(key, v);
        return;
    }
    ownSource();
    appendRow(key, v);
}

void ResultList::storePiles() {
    auto stored = std::make_shared<StoredPiles>();
    for (const std::uint32_t key : m_keys) {
        stored->put(key, m_source->pile(key));
        if (const RatioOverride* ratios = m_source->ratioOverride(key))
            stored->setRatioOverride(key, *ratios);
    }
    m_source = std::move(stored);
}

void ResultList::assignPileNumbers() { m_numberDigits = decimalDigits(size()); }

std::string ResultList::cellText(std::size_t row, int column) const {
    return fieldText(row, m_layout->columns[static_cast<std::size_t>(column)].field);
}

double ResultList::ratio(std::size_t row, bool nk) const {
    const std::uint32_t key = m_keys[row];
    if (const RatioOverride* ratios = m_source->ratioOverride(key)) {
        if (nk && ratios->nk) return ratios->nkRatio;
        if (!nk && ratios->n) return ratios->nRatio;
    }
    const double limit = nk ? m_soil[row].nkLimit : m_soil[row].nLimit;
    const double base = nk ? m_results[row].ra : m_results[row].rc;
    // A denominator that is 0 gives 0%.
    const double percent = base != 0 ? 100 * limit / base : 0.0;
    return ParseLenient(FormatFixed(percent, 10, 0));
}

std::string ResultList::fieldText(std::size_t row, ListField field) const {
    const Results& r = m_results[row];
    switch (field) {
        case ListField::PileNumber: {
            const std::size_t number = static_cast<std::size_t>(m_keys[row]) + 1;
            return m_numberDigits > 0 ? pileNumberText(number, m_numberDigits)
                                      : std::to_string(number);
        }
        case ListField::Section: {
            const ListedPile p = pileOf(row);
            return std::string(sectionText(p.section, p.size1, p.size2));
        }
        case ListField::Size1:
            return FormatGeneral(pileOf(row).size1);
        case ListField::Size2: {
            const ListedPile p = pileOf(row);
            return DescribeCode(p.section).hasSecondSize ? FormatGeneral(p.size2) : "-";
        }
        case ListField::Ra:
            return RaText(r.ra, pileOf(row).mode, ShownOn::Screen);
        case ListField::Rc:
            return RcText(r.rc, pileOf(row).mode, ShownOn::Screen);
        case ListField::Depth: {
            const ListedPile p = pileOf(row);
            if (p.depthUnit == DepthUnit::Millimetre) return FormatGeneral(p.depth);
            return FormatFixed(p.depth, 10, 1) + DescribeCode(p.section).depthUnit;
        }
        case ListField::RockType:
            return std::to_string(pileOf(row).rockType);
        case ListField::RockValue:
            return FormatFixed(pileOf(row).rockValue, 10, 2);
        case ListField::Process:
            return processLabelText(pileOf(row).process);
        case ListField::Kesair:
            return ZetaText(r.kesair, ShownOn::Screen);
        case ListField::Grade:
            return std::string(GradeAt(GradeIndexOfNumber(pileOf(row).grade)).text);
        case ListField::Note:
            break;
        case ListField::Qgn:
            return QgnText(m_soil[row].qgn, pileOf(row).mode, ShownOn::Screen);
        case ListField::NkLimit:
            return NkLimitText(m_soil[row].nkLimit, pileOf(row).mode, ShownOn::Screen);
        case ListField::NkRatio:
            return FormatFixed(ratio(row, true), 10, 0) + "%";
        case ListField::NLimit:
            return NLimitText(m_soil[row].nLimit, pileOf(row).mode, ShownOn::Screen);
        case ListField::NRatio:
            return FormatFixed(ratio(row, false), 10, 0) + "%";
        case ListField::IdQgn:
            return pileOf(row).dragLoad ? "1" : "0";
        case ListField::IdFsk:
            return pileOf(row).sideResistance ? "1" : "0";
    }
    return std::string();
}

double ResultList::fieldValue(std::size_t row, ListField field) const {
    switch (field) {
        case ListField::Size1:
            return pileOf(row).size1;
        case ListField::Ra:
            return m_results[row].ra;
        case ListField::Rc:
            return m_results[row].rc;
        case ListField::NkLimit:
            return m_soil[row].nkLimit;
        case ListField::NkRatio:
            return ratio(row, true);
        case ListField::NLimit:
            return m_soil[row].nLimit;
        case ListField::NRatio:
            return ratio(row, false);
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
    if (order.size() != size()) {
        ResultList selected = select(order);
        m_results = std::move(selected.m_results);
        m_keys = std::move(selected.m_keys);
        m_soil = std::move(selected.m_soil);
        return;
    }
    std::vector<bool> placed;
    permuteInPlace(m_results, order, placed);
    permuteInPlace(m_keys, order, placed);
    if (!m_soil.empty()) permuteInPlace(m_soil, order, placed);
}

void ResultList::reverse() {
    std::reverse(m_results.begin(), m_results.end());
    std::reverse(m_keys.begin(), m_keys.end());
    std::reverse(m_soil.begin(), m_soil.end());
}

ResultList ResultList::select(const std::vector<std::uint32_t>& rows) const {
    ResultList out(*m_layout);
    out.m_numberDigits = m_numberDigits;
    out.m_source = m_source;
    out.m_results.reserve(rows.size());
    out.m_keys.reserve(rows.size());
    for (const std::uint32_t i : rows) {
        out.m_results.push_back(m_results[i]);
        out.m_keys.push_back(m_keys[i]);
    }
    if (!m_soil.empty()) {
        out.m_soil.reserve(rows.size());
        for (const std::uint32_t i : rows) out.m_soil.push_back(m_soil[i]);
    }
    return out;
}

std::size_t ResultList::bytesUsed() const {
    return sizeof(*this) + m_results.capacity() * sizeof(Results) +
           m_keys.capacity() * sizeof(std::uint32_t) + m_soil.capacity() * sizeof(SoilRow) +
           (m_source ? m_source->bytesUsed() : 0);
}

}  // namespace pile
