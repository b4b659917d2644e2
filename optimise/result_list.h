// The result lists of the optimisation screen (raw and filtered) as compact rows.
//
// A row holds the results the search read back from the input screen (Ra and Rc as shown, ζr)
// and a key; the pile it lists comes from the list's source (optimise/list_source.h): for a
// search, the candidate's index, from which the pile is made when a cell asks for it. A cell's
// text is made when it is asked for and equals what the input screen showed for that
// candidate: Ra and Rc by the list's rounding mode at 7 significant digits, ζr (β) with 4
// decimals, sizes in general number text. The numbers that sorting and filtering compare are
// those cell texts read back: Ra and Rc are kept so, d|a is made so.
//
// A search's row takes 28 bytes (the results and a 4-byte key); formula two adds 24 for its
// soil values.
//
// The columns are described by a ListLayout. Formula two keeps formula one's columns up to the
// grade and adds its own (Qgn, [Nk], [N], the two ratios, the note and two hidden switch
// columns).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_format.h"
#include "core/pile_input.h"
#include "optimise/item_ranges.h"
#include "optimise/list_source.h"

namespace pile {

// What a cell shows; a layout lists the fields of its columns in order.
enum class ListField : std::uint8_t {
    PileNumber,  // "ZH-007", or the plain running number of a stopped search
    Section,     // "圆  桩", "椭圆桩", "矩形桩", "方  桩"
    Size1,       // d | a
    Size2,       // c | b, "-" for a circle
    Ra,          // by the row's rounding mode
    Rc,          // by the row's rounding mode
    Depth,       // hr as written: "2.0d", "2.0b", "3000"
    RockType,    // "1" frk, "2" fuk
    RockValue,   // "35.00"
    Process,     // "干 作 业", "泥浆护壁", "后 注 浆", "人工挖孔"
    Kesair,      // ζr or β, 4 decimals
    Grade,       // "C30"
    Note,        // empty
    // Formula two.
    Qgn,      // the down-drag load as shown
    NkLimit,  // [Nk] as shown
    NkRatio,  // [Nk]/Ra, "85%"
    NLimit,   // [N] as shown
    NRatio,   // [N]/Rc
    IdQgn,    // "1" when the down-drag load was considered, else "0"
    IdFsk,    // "1" when the side resistance was considered, else "0"
};

struct ListColumn {
    ListField field;
    const char* header;    // plain header, before padding and sort mark
    const char* sortName;  // X of the sort status messages; nullptr: not sortable
    bool folds;            // shown or hidden by the fold button
    bool hidden = false;   // never shown: travels with the row only
};

// The columns of a list, in the order the list shows them. Whatever reads a row (the list file,
// sorting, filtering, fetching, pilecalc) asks for a cell by its field, through
// ResultList::fieldText and fieldValue, and finds where a field stands with columnOf; only a
// view, which shows columns, and a header click, which names one, go by position. So a new
// column is one descriptor here and one case in fieldText.
class ListLayout {
  public:
    ListLayout(std::vector<ListColumn> columns, const char* unsortableMessage);

    int columnCount() const { return static_cast<int>(columns.size()); }
    // The first column that shows `field`; throws std::out_of_range when none does.
    int columnOf(ListField field) const;
    bool has(ListField field) const;
    // Whether a column shows a formula-two value (the soil values and switches), so that the
    // rows keep those values beside their own.
    bool hasSoilColumns() const { return m_soilColumns; }

    const std::vector<ListColumn> columns;
    const char* const unsortableMessage;  // a header click on a column that does not sort

  private:
    std::vector<int> m_columnOf;  // by field; -1 where no column shows it
    bool m_soilColumns = false;
};

// The columns of the formula-one lists.
const ListLayout& formulaOneListLayout();
// The columns of the formula-two lists: formula one's up to the grade, then Qgn, [Nk],
// [Nk]/Ra, [N], [N]/Rc, the note and the two hidden switch columns.
const ListLayout& formulaTwoListLayout();
// Whether a layout carries the soil columns (formula two's lists do).
inline bool hasSoilColumns(const ListLayout& layout) { return layout.hasSoilColumns(); }

// The values of one listed candidate, as read back from the input screen after its
// calculation. Sizes are the values behind cbe_dd and cbe_tyzd after the calculation (a
// rectangle's sides already ordered); depth is the multiple or mm behind cbe_hr.
struct ListRowValues {
    int section = 1;  // a SectionCode; equal sides are listed as a square either way
    double size1 = 0;
    double size2 = 0;
    double depth = 0;
    DepthUnit depthUnit = DepthUnit::Multiple;
    int rockType = 1;
    double rockValue = 0;  // frk or fuk, MPa
    ProcessLabel process = ProcessLabel::DryWork;
    double kesair = 0;  // ζr or β, unrounded
    int grade = 25;     // 25..60
    double ra = 0;      // kN, unrounded
    double rc = 0;
    RoundingMode mode = RoundingMode::Units;  // the window's mode when the row was computed
    // The Ra and Rc texts the input screen showed, FormatResult(x, mode, 7), when the caller
    // has them; the row then reads its sort keys from them instead of writing them again.
    std::string_view raText;
    std::string_view rcText;
    // Formula two: the values behind edt_Qgn, edt_Nkxianzhi and edt_Nxianzhi (unrounded, shown
    // by the same mode), the shown texts of the limits when the caller has them, and the two
    // soil switches.
    double qgn = 0;
    double nkLimit = 0;
    double nLimit = 0;
    std::string_view nkText;
    std::string_view nText;
    bool dragLoad = false;
    bool sideResistance = false;
};

class ResultList {
  public:
    explicit ResultList(const ListLayout& layout = formulaOneListLayout());

    const ListLayout& layout() const { return *m_layout; }
    int columnCount() const { return m_layout->columnCount(); }
    std::size_t size() const { return m_results.size(); }
    bool empty() const { return m_results.empty(); }

    void clear();
    void reserve(std::size_t rows);

    // Appends a row under the next running number.
    void append(const ListRowValues& values);

    // Empties the list and makes it the list of a search over `ranges`: its rows are appended
    // by appendCandidate and show the pile of each candidate made from its index.
    void listCandidates(const ItemRanges& ranges);
    // Appends candidate `index` of the search (its running number is index + 1) with the
    // results in `results`: Ra, Rc, ζr and their texts, the rounding mode, formula two's soil
    // values and switches. The pile's own values in `results` (section, sizes, depth, rock,
    // process, grade) are not read: they are made from the index, as the input screen showed
    // them. Throws std::logic_error on a list not made by listCandidates and std::out_of_range
    // for an index past the ranges' candidates.
    void appendCandidate(std::uint64_t index, const ListRowValues& results);

    // The pile numbers at the end of a completed search: row i becomes "ZH-" and i + 1 padded
    // with "0" to the digits of the row count. Rows keep their numbers through sorting and
    // filtering; a filtered list shows the raw numbers with their gaps.
    void assignPileNumbers();
    bool hasPileNumbers() const { return m_numberDigits > 0; }

    // The text of a cell, by the column a view shows it in.
    std::string cellText(std::size_t row, int column) const;
    // The text of a cell, by what it shows: how every reader of a row addresses a cell.
    std::string fieldText(std::size_t row, ListField field) const;

    // The value a field compares by in a sort or a filter: its cell text read back by
    // ParseLenient. Kept in the row for Ra, Rc and the soil values, made from the source for
    // d|a, from the text for the other fields.
    double fieldValue(std::size_t row, ListField field) const;

    // Row i becomes the former row order[i]. order must be a selection of row indices; rows not
    // named are dropped, so a filter is a reorder into a copy.
    void reorder(const std::vector<std::uint32_t>& order);
    // Rows i and N - 1 - i exchanged for i < N / 2.
    void reverse();
    // A list of the same layout, source and numbering holding copies of the named rows in that
    // order.
    ResultList select(const std::vector<std::uint32_t>& rows) const;

    // Memory held by the rows and their source, for the benchmark's bytes-per-row figure.
    std::size_t bytesUsed() const;

  private:
    // 24 bytes a row. The shown values are stored as their texts read back (Ra, Rc by the
    // list's mode): writing such a value again by the same mode gives the same text, so one
    // number serves the cell and the sort and filter key.
    struct Results {
        double ra;      // Ra as shown
        double rc;      // Rc as shown
        double kesair;  // depends on the pile's proportions: mostly distinct, kept in the row
    };
    // 24 bytes: the soil values of a formula-two row, the limits as shown. The ratio columns
    // are made from the limits and Ra, Rc as shown.
    struct SoilRow {
        double qgn;
        double nkLimit;  // [Nk] as shown
        double nLimit;   // [N] as shown
    };

    ListedPile pileOf(std::size_t row) const { return m_source->pile(m_keys[row]); }
    // The ratio column's percent: the shown limit over the shown Ra or Rc.
    double ratio(std::size_t row, bool nk) const;
    // Makes the source this list's own before it changes.
    void ownSource();
    // Turns the rows of a search into stored rows (a row that does not share the search's
    // mode or switches is appended).
    void storePiles();
    // Appends the results and soil values of a row of `key`.
    void appendRow(std::uint32_t key, const ListRowValues& v);

    const ListLayout* m_layout;
    std::shared_ptr<ListSource> m_source;  // none before the first row
    // The rows, in three arrays kept in step by the one reordering funnel, reorder(), that
    // sorting, reversing and filtering all go through.
    std::vector<Results> m_results;
    std::vector<std::uint32_t> m_keys;  // the row's key in the source; running number - 1
    std::vector<SoilRow> m_soil;        // formula two only
    int m_numberDigits = 0;             // 0: plain running numbers
};

// "ZH-" and the number padded with "0" to `digits` digits.
std::string pileNumberText(std::size_t number, int digits);
// Digits of a count written in decimal (1 for 0..9).
int decimalDigits(std::size_t n);

}  // namespace pile
