// The optimisation screen of a calculator window.
#include "app/model/optimisation_screen.h"

#include <algorithm>
#include <array>
#include <new>

#include "books/text_file.h"
#include "core/concrete_grades.h"
#include "core/pile_calc.h"
#include "core/sections.h"
#include "optimise/list_filter.h"
#include "optimise/search_messages.h"
#include "optimise/strict_number.h"
#include "sheets/table_exports.h"

namespace pile {

namespace {

// Item table columns, and the rows of the soil switches.
constexpr int kMinColumn = 1, kMaxColumn = 2, kStepColumn = 3, kNoteColumn = 4;
constexpr int kDragSwitchRow = 12, kSideSwitchRow = 13;

}  // namespace

const OptimisationSetup& formulaOneOptimisation() {
    static const OptimisationSetup setup{
        &formulaOneListLayout(), formulaOneItemTable(), 13, {ListField::Ra, ListField::Rc}, false};
    return setup;
}

const OptimisationSetup& formulaTwoOptimisation() {
    static const OptimisationSetup setup{
        &formulaTwoListLayout(),
        formulaTwoItemTable(),
        15,
        {ListField::Ra, ListField::Rc, ListField::NkLimit, ListField::NLimit},
        true};
    return setup;
}

bool OptimisationScreen::isItemCell(int row, int column) const {
    if (m_setup.soilSwitches && (row == kDragSwitchRow || row == kSideSwitchRow))
        return column == kMinColumn;
    return row >= 0 && row < item_row::kCount && column >= kMinColumn && column <= kStepColumn;
}

bool OptimisationScreen::isFilterCell(int row, int column) const {
    const int last = m_setup.firstFilterRow + static_cast<int>(m_setup.filterFields.size());
    return row >= m_setup.firstFilterRow && row < last && column >= kMinColumn &&
           column <= kMaxColumn;
}

OptimisationScreen::OptimisationScreen(Host& host, const OptimisationSetup& setup)
    : m_raw(*setup.list),
      m_filtered(*setup.list),
      m_host(host),
      m_setup(setup),
      m_sortStates(*setup.list) {
    lb_youhuabiaoti.setText("嵌岩桩优化设计");
    Grid& items = Grid1_Youhuaxuanxiang;
    items.setHeaders({"优化项", "最小值", "最大值", "步进值", "说  明"});
    const auto& table = setup.items;
    items.setRowCount(static_cast<int>(table.size()));
    for (int row = 0; row < items.rowCount(); ++row) {
        const ItemTableRow& r = table[static_cast<size_t>(row)];
        const std::array<const char*, 5> cells{r.name, r.min, r.max, r.step, r.note};
        for (int column = 0; column < 5; ++column)
            items.setCell(row, column, cells[static_cast<size_t>(column)]);
    }
    for (int column = kMinColumn; column <= kStepColumn; ++column)
        items.setColumnEditable(column, true);
    items.setCellRule([this](int r, int c) { return isItemCell(r, c) || isFilterCell(r, c); });
    // The editor is always shown; whether it takes the text depends on the cell selected.
    items.setEditable(true);

    Grid3_Youhuasaixuan.setVisible(false);
    resetSortMarks(Grid2_Youhuajieguo);
    resetSortMarks(Grid3_Youhuasaixuan);
    applyFold();
    lb_huzhu.setText(kListHintText);
    cbt_YHcompute.setText("计算");
    cbt_YHsaixuan.setText("筛选");
    cbt_YHsaixuan.setEnabled(false);
    cbt_YHsave.setText("存盘");
    cbt_YHsave.setEnabled(false);
    cbt_YHexcel.setText("Excel");
    cbt_YHexcel.setHint("列表存为Excel文件");
    cbt_YHfanhui.setText("返回");
    pb_YH_jingdu.setVisible(false);

    items.onSelectCell([this](int r, int c) { Grid1_YouhuaxuanxiangSelectCell(r, c); });
    items.onEditingDone([this](int r, int c) { Grid1_YouhuaxuanxiangEditingDone(r, c); });
}

// ---- Item table ----------------------------------------------------------------------

void OptimisationScreen::Grid1_YouhuaxuanxiangSelectCell(int row, int column) {
    Grid1_Youhuaxuanxiang.setEditable(isItemCell(row, column) || isFilterCell(row, column));
}

void OptimisationScreen::Grid1_YouhuaxuanxiangEditingDone(int row, int column) {
    if (isItemCell(row, column)) cbt_YHcompute.setEnabled(true);
    if (isFilterCell(row, column)) cbt_YHsaixuan.setEnabled(true);
}

ItemTexts OptimisationScreen::itemTexts() const {
    const Grid& items = Grid1_Youhuaxuanxiang;
    ItemTexts texts;
    for (int row = 0; row < item_row::kCount; ++row)
        texts[static_cast<size_t>(row)] = {items.cell(row, kMinColumn), items.cell(row, kMaxColumn),
                                           items.cell(row, kStepColumn)};
    return texts;
}

// ---- Search --------------------------------------------------------------------------

void OptimisationScreen::cbt_YHcomputeClick() {
    // A new search replaces both lists; their sort states and marks go with them.
    m_raw.clear();
    m_filtered.clear();
    Grid2_Youhuajieguo.rowsChanged();
    Grid3_Youhuasaixuan.rowsChanged();
    Grid2_Youhuajieguo.setVisible(true);
    Grid3_Youhuasaixuan.setVisible(false);
    Grid2_Youhuajieguo.setSelectedCell(-1, -1);
    Grid3_Youhuasaixuan.setSelectedCell(-1, -1);
    m_sortStates.reset();
    resetSortMarks(Grid2_Youhuajieguo);
    resetSortMarks(Grid3_Youhuasaixuan);
    setStatus("", TextColour::Black);

    // A cell that is not a number throws here, before anything is computed.
    const auto read = readItemRanges(itemTexts());
    if (const auto* rejection = std::get_if<ItemRejection>(&read)) {
        setStatus(rejection->message, TextColour::Red);
        return;
    }
    const ItemRanges& ranges = std::get<ItemRanges>(read);
    // The soil switches follow the ranges; a cell that is not an integer throws here.
    bool dragLoad = false;
    bool sideResistance = false;
    if (m_setup.soilSwitches) {
        dragLoad = readSoilSwitch(Grid1_Youhuaxuanxiang.cell(kDragSwitchRow, kMinColumn));
        sideResistance = readSoilSwitch(Grid1_Youhuaxuanxiang.cell(kSideSwitchRow, kMinColumn));
    }
    const std::uint64_t total = candidateCount(ranges);
    if (total > kCandidateLimit) {
        setStatus(kTooManyCandidatesMessage, TextColour::Red);
        return;
    }

    // A refusal shows on the input screen's message strip when the user goes back.
    InputScreen& input = m_host.searchInput();
    input.img_Logo.setVisible(false);
    input.lb_shuoming.setVisible(true);
    if (m_setup.soilSwitches) m_host.applySoilSwitches(dragLoad, sideResistance);

    // The status line says a search runs, and how far it is, until it ends.
    setStatus(searchRunningMessage(0, total), TextColour::Black);

    // Room for every candidate at once: a list that grew by doubling would hold its old and
    // new rows together at each step, three times the list at the peak. Pages never written
    // (a search stopped or cancelled early) cost address space only. Where the system will not
    // reserve that much, the list grows as it goes. A row names its candidate by its index in
    // the generation order, and the list makes the pile's cells from the ranges.
    m_raw.listCandidates(ranges);
    try {
        m_raw.reserve(static_cast<size_t>(total));
    } catch (const std::bad_alloc&) {
        m_raw.reserve(static_cast<size_t>(std::min<std::uint64_t>(total, 1u << 20)));
    }
    bool stopped = false;
    bool cancelled = false;
    // A search watched candidate by candidate runs here, in the window itself.
    SearchCloneMaker makeClone;
    if (m_threads > 1 && !m_observer && total > 1) makeClone = m_host.searchCloneMaker();
    if (makeClone) {
        searchOnWorkers(ranges, total, std::move(makeClone), stopped, cancelled);
    } else {
        CandidateGenerator generator(ranges);
        std::uint64_t index = 0;
        while (const Candidate* candidate = generator.next()) {
            if (m_candidateHook) m_candidateHook(index++);
            if (!computeCandidate(*candidate)) {
                stopped = true;
                break;
            }
            if (!progressGoesOn(total)) {
                cancelled = true;
                break;
            }
        }
    }
    Grid2_Youhuajieguo.rowsChanged();

    if (stopped) return;  // the refusal wrote the status line; rows keep plain numbers
    if (cancelled) {
        // The piles computed so far (with their plain running numbers) are a list like any
        // other: 筛选 and 存盘 follow it, whatever the search before left them at. The status
        // line says the list is cut short until the next operation.
        cbt_YHsaixuan.setEnabled(!m_raw.empty());
        cbt_YHsave.setEnabled(!m_raw.empty());
        setStatus(cancelledMessage(m_raw.size()), TextColour::Black);
        return;
    }
    if (m_raw.empty()) {
        setStatus(kSearchEmptyMessage, TextColour::Black);
    } else {
        m_raw.assignPileNumbers();
        Grid2_Youhuajieguo.rowsChanged();
        setStatus(searchDoneMessage(m_raw.size()), TextColour::Black);
        cbt_YHsaixuan.setEnabled(true);
        cbt_YHsave.setEnabled(true);
    }
    cbt_YHcompute.setEnabled(false);
}

bool OptimisationScreen::progressGoesOn(std::uint64_t total) {
    if (!m_progress || m_raw.size() % kProgressInterval != 0) return true;
    setStatus(searchRunningMessage(m_raw.size(), total), TextColour::Black);
    return m_progress(m_raw.size(), total);
}

void OptimisationScreen::searchOnWorkers(const ItemRanges& ranges, std::uint64_t total,
                                         SearchCloneMaker makeClone, bool& stopped,
                                         bool& cancelled) {
    InputScreen& input = m_host.searchInput();
    // The texts the search in this window would have before the chunk taken next.
    InputTexts confirmed;
    input.readTexts(confirmed);
    SearchWorkers workers({ranges, total, m_threads, m_chunkSize, makeClone, m_candidateHook});
    std::unique_ptr<SearchClone> repair;  // computes the chunks that started from a wrong guess
    std::optional<SearchChunk> last;      // the chunk of the last candidate computed
    InputTexts lastStart;                 // the texts before it
    std::optional<SearchChunk> previous;  // and the chunk before that one
    InputTexts previousStart;
    std::size_t lastOffset = 0;  // where that candidate stands in it

    while (std::optional<SearchChunk> chunk = workers.next()) {
        const std::uint64_t size = std::min(chunk->first + m_chunkSize, total) - chunk->first;
        if (!chunk->started || !sameTexts(chunk->startTexts, confirmed)) {
            if (chunk->candidates.size() != size) std::rethrow_exception(chunk->error);
            if (!repair) repair = makeClone();
            repair->input().typeTexts(confirmed);
            chunk->startTexts = confirmed;
            computeChunk(*repair, *chunk, m_candidateHook);
        }
        std::size_t listed = 0;
        for (const BufferedRow& row : chunk->rows) {
            m_raw.appendCandidate(chunk->first + listed, row.values());
            ++listed;
            if (!progressGoesOn(total)) {
                cancelled = true;
                break;
            }
        }
        if (!cancelled && chunk->error) {
            // The rows before the failing candidate stay; every worker ends before the error
            // goes on to the caller.
            workers.stop();
            std::rethrow_exception(chunk->error);
        }
        stopped = !cancelled && chunk->refused;
        // A cancel follows a listed row; a refusal is the candidate after the last row.
        lastOffset = cancelled ? listed - 1 : stopped ? listed : chunk->rows.size() - 1;
        if (previous) workers.recycle(std::move(*previous));
        previous = std::move(last);
        previousStart = std::move(lastStart);
        lastStart = confirmed;
        confirmed = chunk->endTexts;
        last = std::move(chunk);
        if (cancelled || stopped) break;
    }
    workers.stop();
    if (!last) return;

    // The window's controls end as the search in the window leaves them: the last candidates
    // are computed again in the window (the refused one shows its refusal), without listing
    // them, from the texts of the last mark before them or those before their chunk (before the
    // first chunk the window holds its own texts). The one before the last is among them, as
    // some states only follow whether any pile was computed at all.
    const auto replay = [&](const SearchChunk& chunk, const InputTexts& before, std::size_t to) {
        const std::size_t mark = to > 0 ? (to - 1) / chunk.markSpan : 0;
        if (mark > 0)
            input.typeTexts(chunk.marks[mark - 1]);
        else if (chunk.first > 0)
            input.typeTexts(before);
        for (std::size_t i = mark * chunk.markSpan; i <= to; ++i)
            computeCandidate(chunk.candidates[i]);
    };
    m_rowSink = [](const ListRowValues&) {};
    try {
        if (lastOffset == 0 && previous) {
            replay(*previous, previousStart, previous->candidates.size() - 1);
            computeCandidate(last->candidates[0]);
        } else {
            replay(*last, lastStart, lastOffset);
        }
    } catch (...) {
        m_rowSink = {};
        throw;
    }
    m_rowSink = {};
}

std::string OptimisationScreen::cancelledMessage(std::size_t rows) {
    return "计算已取消，已算桩数：" + std::to_string(rows) + " 根";
}

bool OptimisationScreen::computeCandidate(const Candidate& c) {
    // Every value of the candidate is written, in the order a user fills the screen; a value
    // the control already holds fires nothing.
    InputScreen& input = m_host.searchInput();
    input.cbb_jmlx.setIndex(c.sectionItem());
    input.cbe_dd.setText(c.sizeText1);
    input.cbe_tyzd.setText(c.sizeText2);
    input.cbe_hr.setText(c.depthText);
    if (c.rockType == 1) {
        input.rdb_frk.select();
        input.edt_frk.setText(c.rockText);
    } else {
        input.rdb_fuk.select();
        input.edt_fuk.setText(c.rockText);
    }
    input.cbb_hnt.setIndex(c.gradeIndex());
    input.cbb_czgy.setIndex(c.processIndex);

    m_candidateComputed = false;
    input.cbt_computeClick();
    if (m_observer) m_observer();
    if (!m_candidateComputed) return false;

    // The row is the candidate's index and what the screen showed of its results; the list
    // makes the pile's own cells from the index, as the screen showed them.
    ListRowValues& row = m_candidateRow;
    row.mode = input.roundingMode();
    row.raText = input.edt_ra.text();
    row.rcText = input.edt_rc.text();
    if (m_setup.soilSwitches) m_host.readSoilResults(row);
    if (m_rowSink)
        m_rowSink(row);
    else
        m_raw.appendCandidate(c.index, row);
    return true;
}

void OptimisationScreen::pileComputed(const PileInput&, const PileResult& result) {
    m_candidateComputed = true;
    m_candidateRow.kesair = result.zetaR ? *result.zetaR : result.coef.value_or(0);
    m_candidateRow.ra = result.Ra;
    m_candidateRow.rc = result.Rc;
}

void OptimisationScreen::computationRejected() {
    setStatus(kSearchStoppedMessage, TextColour::Red);
}

// ---- Sort ----------------------------------------------------------------------------

const ListGrid& OptimisationScreen::shownList() const {
    return Grid3_Youhuasaixuan.visible() ? Grid3_Youhuasaixuan : Grid2_Youhuajieguo;
}

void OptimisationScreen::Grid2_YouhuajieguoHeaderClick(int column) {
    headerClick(Grid2_Youhuajieguo, m_raw, column);
}

void OptimisationScreen::Grid3_YouhuasaixuanHeaderClick(int column) {
    headerClick(Grid3_Youhuasaixuan, m_filtered, column);
}

void OptimisationScreen::headerClick(ListGrid& grid, ResultList& list, int column) {
    const SortOutcome outcome = sortByHeader(list, m_sortStates, column);
    setStatus(outcome.status, TextColour::Black);
    if (outcome.selectFirstCell) grid.setSelectedCell(0, column);
    if (!outcome.reordered) return;
    grid.rowsChanged();
    std::vector<std::string> headers;
    for (int c = 0; c < list.columnCount(); ++c)
        headers.push_back(headerText(list.layout(), c, m_sortStates.state(c)));
    grid.setHeaders(std::move(headers));
    cbt_YHsave.setEnabled(true);
}

void OptimisationScreen::resetSortMarks(ListGrid& grid) {
    const ListLayout& layout = grid.rows().layout();
    std::vector<std::string> headers;
    for (int c = 0; c < static_cast<int>(layout.columns.size()); ++c)
        headers.push_back(headerText(layout, c, SortState::Unsorted));
    grid.setHeaders(std::move(headers));
}

// ---- Filter --------------------------------------------------------------------------

void OptimisationScreen::cbt_YHsaixuanClick() {
    const Grid& items = Grid1_Youhuaxuanxiang;
    // A bound that is not a number throws here, before anything changes.
    std::vector<FilterCondition> conditions;
    for (size_t i = 0; i < m_setup.filterFields.size(); ++i) {
        const int row = m_setup.firstFilterRow + static_cast<int>(i);
        conditions.push_back(
            {m_setup.filterFields[i],
             readFilterBounds(items.cell(row, kMinColumn), items.cell(row, kMaxColumn))});
    }
    m_filtered = filterList(m_raw, conditions);
    Grid3_Youhuasaixuan.setSelectedCell(-1, -1);
    Grid3_Youhuasaixuan.rowsChanged();
    Grid3_Youhuasaixuan.setVisible(true);
    Grid2_Youhuajieguo.setVisible(false);
    if (m_filtered.empty()) {
        setStatus(kFilterEmptyMessage, TextColour::Black);
        cbt_YHsave.setEnabled(false);
    } else {
        setStatus(filterDoneMessage(m_filtered.size()), TextColour::Black);
        cbt_YHsave.setEnabled(true);
    }
    cbt_YHsaixuan.setEnabled(false);
    // Every sort state starts again, but only the new list loses its marks: the raw list keeps
    // the headers of its last sort.
    m_sortStates.reset();
    resetSortMarks(Grid3_Youhuasaixuan);
}

// ---- Fetch ---------------------------------------------------------------------------

void OptimisationScreen::Grid2_YouhuajieguoCellDblClick(int row) { fetch(m_raw, row); }
void OptimisationScreen::Grid3_YouhuasaixuanCellDblClick(int row) { fetch(m_filtered, row); }

void OptimisationScreen::fetch(const ResultList& list, int row) {
    if (row < 0 || static_cast<size_t>(row) >= list.size()) return;
    const auto cell = [&](ListField field) {
        return list.fieldText(static_cast<size_t>(row), field);
    };
    InputScreen& input = m_host.searchInput();

    // The section the list names; a square goes back as a rectangle with equal sides.
    if (const SectionDescription* section = SectionOfTableName(cell(ListField::Section))) {
        input.cbb_jmlx.setIndex(ItemOf(section->type));
        input.cbe_dd.setText(cell(ListField::Size1));
        input.cbe_tyzd.setText(section->hasSecondSize ? cell(ListField::Size2)
                                                      : std::string(section->secondSize));
    }
    input.cbe_hr.setText(cell(ListField::Depth));
    const std::string rockType = cell(ListField::RockType);
    if (rockType == "1") {
        input.rdb_frk.select();
        input.edt_frk.setText(cell(ListField::RockValue));
    } else if (rockType == "2") {
        input.rdb_fuk.select();
        input.edt_fuk.setText(cell(ListField::RockValue));
    }
    // "C30": the grade number is the second and third characters.
    const std::string grade = cell(ListField::Grade);
    input.cbb_hnt.setIndex(GradeIndexOfNumber(readInteger(grade.substr(1, 2))));

    const bool circleRules = SectionAtItem(input.cbb_jmlx.index()).circleRules;
    if (circleRules && input.rdb_frk.checked()) {
        const std::string process = cell(ListField::Process);
        const int item = process == processLabelText(ProcessLabel::MudProtected)  ? 1
                         : process == processLabelText(ProcessLabel::PostGrouted) ? 2
                                                                                  : 0;
        input.cbb_czgy.setIndex(item);
    }
    if (input.rdb_fuk.checked() || !circleRules) input.cbb_czgy.setIndex(0);
    if (m_setup.soilSwitches)
        m_host.restoreSoilSwitches(cell(ListField::IdQgn), cell(ListField::IdFsk));

    m_host.leaveOptimisation();
    input.clearResultFields();
    input.enterNotComputedState();
}

// ---- Fold and save -------------------------------------------------------------------

void OptimisationScreen::cbt_zhangkaiClick() {
    m_fold.press();
    applyFold();
}

void OptimisationScreen::applyFold() {
    Grid1_Youhuaxuanxiang.setColumnVisible(kNoteColumn, m_fold.noteColumnShown());
    for (ListGrid* grid : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        const ListLayout& layout = grid->rows().layout();
        for (int c = 0; c < static_cast<int>(layout.columns.size()); ++c)
            grid->setColumnVisible(c, m_fold.columnShown(layout, c));
    }
    cbt_zhangkai.setText(m_fold.buttonText());
}

const ResultList* OptimisationScreen::shownListForSave(ListFileKind& kind) const {
    const bool rawShown = Grid2_Youhuajieguo.visible();
    const ResultList& list = rawShown ? m_raw : m_filtered;
    kind = rawShown ? ListFileKind::Raw : ListFileKind::Filtered;
    return list.empty() ? nullptr : &list;
}

std::optional<OptimisationScreen::ListFile> OptimisationScreen::shownListFile(
    const std::string& timeText) const {
    ListFileKind kind;
    const ResultList* list = shownListForSave(kind);
    if (!list) return std::nullopt;
    return ListFile{kind, listFileLines(*list, kind, timeText, m_host.listFileSoil())};
}

bool OptimisationScreen::writeShownList(const std::string& timeText,
                                        const ListLineSink& sink) const {
    ListFileKind kind;
    const ResultList* list = shownListForSave(kind);
    if (!list) return false;
    writeListFile(*list, kind, timeText, m_host.listFileSoil(), sink);
    return true;
}

std::filesystem::path OptimisationScreen::saveShownList(const std::filesystem::path& folder,
                                                        const std::string& timeText) {
    ListFileKind kind;
    const ResultList* list = shownListForSave(kind);
    if (!list) return {};
    // Line by line: a list of millions of rows never stands in memory as text.
    std::filesystem::path written =
        saveListFile(folder, *list, kind, timeText, m_host.listFileSoil());
    cbt_YHsave.setEnabled(false);
    return written;
}

bool OptimisationScreen::saveShownListSheet(const std::filesystem::path& path) const {
    ListFileKind kind;
    const ResultList* list = shownListForSave(kind);
    if (!list) return false;
    saveListSheet(path, *list, kind == ListFileKind::Raw ? "原始结果" : "筛选结果");
    return true;
}

std::filesystem::path OptimisationScreen::saveShownListSheetIn(
    const std::filesystem::path& folder) const {
    ListFileKind kind;
    if (!shownListForSave(kind)) return {};
    const std::filesystem::path path = fixedNameSavePath(
        folder, kind == ListFileKind::Raw ? kRawListSheetFileName : kFilteredListSheetFileName);
    saveShownListSheet(path);
    return path;
}

void OptimisationScreen::setStatus(const std::string& text, TextColour colour) {
    lb_YHxingxi.setTextColour(colour);
    lb_YHxingxi.setText(text);
}

}  // namespace pile
