// The optimisation screen (YouHuaFormLayer) of a calculator window: the item table of value
// ranges, the search that computes every combination through the window's own input screen,
// and the raw and filtered lists with their sort, filter, fetch, fold and save.
//
// The search has no calculation of its own. For every candidate it writes the pile into the
// input screen's controls, in the order a user fills them (each write runs its change handler
// as typing would), presses the input screen's Compute with OptimisationMode set, and lists
// what the screen showed. A candidate the calculation refuses stops the search there, with the
// refusal on the input screen. The lists keep numbers and codes, not texts (optimise/).
//
// With more than one thread the candidates are computed the same way in private clones of the
// window, chunk by chunk on worker threads (search_workers.h); the rows are listed in serial
// order, and the window's controls end as the search in the window itself leaves them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/model/controls.h"
#include "app/model/input_screen.h"
#include "app/model/search_workers.h"
#include "optimise/candidate_generator.h"
#include "optimise/fold_state.h"
#include "optimise/item_ranges.h"
#include "optimise/list_file.h"
#include "optimise/list_sort.h"
#include "optimise/result_list.h"

namespace pile {

// What differs between the optimisation screens of the two windows: the item table, the list
// columns, the filter rows and whether the soil switches are read.
struct OptimisationSetup {
    const ListLayout* list;
    std::span<const ItemTableRow> items;
    int firstFilterRow;                   // the row of the first filter bound
    std::vector<ListField> filterFields;  // the list value each filter row bounds, in row order
    bool soilSwitches;                    // rows 12 and 13 switch the soil terms
};
const OptimisationSetup& formulaOneOptimisation();
const OptimisationSetup& formulaTwoOptimisation();

class OptimisationScreen {
  private:
    // The rows behind the two lists; declared first, the list controls view them.
    ResultList m_raw;
    ResultList m_filtered;

  public:
    // What the screen needs of its window.
    class Host {
      public:
        virtual ~Host() = default;
        // The input screen the search computes its candidates in.
        virtual InputScreen& searchInput() = 0;
        // Back to the input screen, as the "返回" button does.
        virtual void leaveOptimisation() = 0;

        // Formula two. The soil switches of a search, set once before its first candidate as
        // a click on the input screen's check boxes sets them.
        virtual void applySoilSwitches(bool /*dragLoad*/, bool /*sideResistance*/) {}
        // The soil results of the candidate just computed.
        virtual void readSoilResults(ListRowValues& /*row*/) {}
        // A fetched row's switch cells ("1" sets, "0" clears, anything else leaves a box).
        virtual void restoreSoilSwitches(const std::string& /*idQgn*/,
                                         const std::string& /*idFsk*/) {}
        // The soil screens as the appendix of a list file describes them.
        virtual ListFileSoil listFileSoil() const { return {}; }

        // Private clones of the window as it is now, for the worker threads of the search
        // (search_workers.h); empty when the search is to run on this thread only.
        virtual SearchCloneMaker searchCloneMaker() { return {}; }
    };

    // Told every so many candidates how far a search is; returns false to stop it there. A
    // stopped search keeps the rows computed so far.
    using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
    static constexpr std::uint64_t kProgressInterval = 2048;

    OptimisationScreen(Host& host, const OptimisationSetup& setup = formulaOneOptimisation());
    OptimisationScreen(const OptimisationScreen&) = delete;
    OptimisationScreen& operator=(const OptimisationScreen&) = delete;

    Label lb_youhuabiaoti;
    Grid Grid1_Youhuaxuanxiang{5};
    ListGrid Grid2_Youhuajieguo{m_raw};
    ListGrid Grid3_Youhuasaixuan{m_filtered};
    Label lb_huzhu;
    Button cbt_zhangkai;
    Button cbt_YHcompute;
    Button cbt_YHsaixuan;
    Button cbt_YHsave;
    Button cbt_YHexcel;  // the list shown as a spreadsheet; an empty list answers a message
    Button cbt_YHfanhui;
    Label lb_YHxingxi;
    Control pb_YH_jingdu;  // stays hidden: progress is the view's business

    // The item table.
    void Grid1_YouhuaxuanxiangSelectCell(int row, int column);
    void Grid1_YouhuaxuanxiangEditingDone(int row, int column);

    // The search.
    void cbt_YHcomputeClick();
    // The list operations.
    void Grid2_YouhuajieguoHeaderClick(int column);
    void Grid3_YouhuasaixuanHeaderClick(int column);
    void cbt_YHsaixuanClick();
    void Grid2_YouhuajieguoCellDblClick(int row);
    void Grid3_YouhuasaixuanCellDblClick(int row);
    void cbt_zhangkaiClick();

    // Writes the list shown to its file in `folder` (raw when the raw list is shown and has
    // rows, else the filtered one when shown with rows) and disables cbt_YHsave; nothing is
    // written when the list shown is empty. Returns the path written, empty when nothing was.
    std::filesystem::path saveShownList(const std::filesystem::path& folder,
                                        const std::string& timeText);
    // What that save would write now: the kind of file and its lines, or nothing.
    struct ListFile {
        ListFileKind kind;
        std::vector<std::string> lines;
    };
    std::optional<ListFile> shownListFile(const std::string& timeText) const;
    // The same lines one at a time, for a list of any length; false (and nothing written) when
    // the save would write nothing.
    bool writeShownList(const std::string& timeText, const ListLineSink& sink) const;

    // The list that save would write, as a spreadsheet at `path` (sheets/table_exports.h);
    // false, and nothing written, when the list shown is empty. Throws FileWriteError.
    bool saveShownListSheet(const std::filesystem::path& path) const;
    // The same into `folder` under the list's fixed name; returns the path written, empty when
    // the list shown is empty.
    std::filesystem::path saveShownListSheetIn(const std::filesystem::path& folder) const;

    // The window reports each completed computation while optimising, and each refusal.
    void pileComputed(const PileInput& input, const PileResult& result);
    void computationRejected();

    void setProgressHandler(Progress progress) { m_progress = std::move(progress); }
    // The threads a search computes its candidates on (at least 1; 1 computes them on this
    // thread, in the window itself). Whatever the count, the lists, the status line and every
    // control end a search as one thread leaves them.
    void setSearchThreads(unsigned threads) { m_threads = std::max(1u, threads); }
    unsigned searchThreads() const { return m_threads; }
    // Candidates a worker thread computes at a time (tests make it small).
    void setSearchChunkSize(std::uint64_t size) { m_chunkSize = std::max<std::uint64_t>(1, size); }
    // Told the index of each candidate before it is computed, on whichever thread computes it.
    void setCandidateHook(CandidateHook hook) { m_candidateHook = std::move(hook); }

    // For the worker threads: computes one candidate in this screen's window as the search
    // does and hands its row to `sink`, not to the list (with no sink, the row is listed).
    using RowSink = std::function<void(const ListRowValues&)>;
    void setRowSink(RowSink sink) { m_rowSink = std::move(sink); }
    bool computeSearchCandidate(const Candidate& candidate) { return computeCandidate(candidate); }
    // Called after the Compute of every candidate, for tests and measurements that look at the
    // screens candidate by candidate.
    void setCandidateObserver(std::function<void()> observer) { m_observer = std::move(observer); }

    const ResultList& rawList() const { return m_raw; }
    const ResultList& filteredList() const { return m_filtered; }
    const ListGrid& shownList() const;
    const SortStates& sortStates() const { return m_sortStates; }
    const FoldState& foldState() const { return m_fold; }
    // The texts of columns 1 to 3 of the item rows, as the search reads them.
    ItemTexts itemTexts() const;
    const OptimisationSetup& setup() const { return m_setup; }

  private:
    // Text of the search stopped by the user.
    static std::string cancelledMessage(std::size_t rows);

    void headerClick(ListGrid& grid, ResultList& list, int column);
    void fetch(const ResultList& list, int row);
    void resetSortMarks(ListGrid& grid);
    // The list a save writes and its kind, or nullptr when it is empty.
    const ResultList* shownListForSave(ListFileKind& kind) const;
    void applyFold();
    void setStatus(const std::string& text, TextColour colour);
    // Writes one candidate into the input screen and computes it; false when refused.
    bool computeCandidate(const Candidate& candidate);
    // The candidates computed by worker threads, their rows listed in serial order, the
    // window's controls left as the serial search leaves them.
    void searchOnWorkers(const ItemRanges& ranges, std::uint64_t total, SearchCloneMaker makeClone,
                         bool& stopped, bool& cancelled);
    // After each listed row of a search: every kProgressInterval rows the status line and the
    // progress handler are told; false when the handler cancels the search there.
    bool progressGoesOn(std::uint64_t total);

    bool isItemCell(int row, int column) const;
    bool isFilterCell(int row, int column) const;

    Host& m_host;
    const OptimisationSetup& m_setup;
    SortStates m_sortStates;
    FoldState m_fold;
    Progress m_progress;
    std::function<void()> m_observer;
    unsigned m_threads = defaultSearchThreads();
    std::uint64_t m_chunkSize = kSearchChunkSize;
    CandidateHook m_candidateHook;
    RowSink m_rowSink;
    // The outcome of the Compute a candidate pressed.
    bool m_candidateComputed = false;
    ListRowValues m_candidateRow;
};

}  // namespace pile
