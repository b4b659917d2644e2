// The search on worker threads must end exactly as the search in the window ends: the same rows
// with the same cells and numbers, the same stop at the first refused candidate, the same status
// line and every control of the window in the same state. Each search here runs with one thread
// (the candidates computed in the window itself) and with 2, 3 and 8 threads in small chunks, so
// that every search crosses many chunk boundaries and workers guess the state their chunk starts
// from again and again.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "tests/model/fake_platform.h"
#include "tests/model/state_taker.h"

namespace pile {
namespace {

using Item = std::array<const char*, 4>;  // row, minimum, maximum, step

struct Search {
    const char* name;
    int formula = 1;
    int section = 2;  // cbb_jmlx before the search
    bool slope = false;
    std::vector<Item> items;
    std::array<const char*, 2> switches{"1", "0"};  // formula two: item rows 12 and 13
};

// A formula-two side of several layers on both soil screens.
FormulaTwoSoil layeredSoil() {
    FormulaTwoSoil soil;
    soil.drag.p = "20.00";
    soil.drag.layers = {SoilLayer{"填土", "-4.000", "17.50", "0.35", "20.00"},
                        SoilLayer{"粉质黏土", "-9.500", "18.50", "0.25", "32.00"},
                        SoilLayer{"淤泥", "-16.000", "16.00", "0.20", "15.00"}};
    soil.side.layers = {SideLayer{"3.000", "35.00"}, SideLayer{"5.500", "52.00"},
                        SideLayer{"4.000", "80.00"}, SideLayer{"2.500", "120.00"}};
    return soil;
}

struct Outcome {
    std::vector<std::vector<std::string>> rows;  // every cell of the raw list
    std::vector<test::ControlState> states;      // every control after the search
    std::string error;                           // what the search threw
};

struct SearchRun {
    unsigned threads = 1;
    std::uint64_t chunk = kSearchChunkSize;
    OptimisationScreen::Progress progress;
    CandidateHook hook;
    bool searchAgain = false;  // a second search without the hook after the first
};

SearchRun on(unsigned threads, std::uint64_t chunk) {
    SearchRun run;
    run.threads = threads;
    run.chunk = chunk;
    return run;
}

class Window {
  public:
    explicit Window(const Search& search) {
        if (search.formula == 2) {
            auto two = std::make_unique<FormulaTwoWindow>(m_fake.platform);
            two->typeSoil(layeredSoil());
            m_window = std::move(two);
        } else {
            m_window = std::make_unique<FormulaOneWindow>(m_fake.platform);
        }
        InputScreen& input = m_window->inputScreen();
        input.cbb_jmlx.setIndex(search.section);
        input.ckb_ystj.setChecked(search.slope);
        m_window->cbt_YouHuaClick();
        Grid& table = m_window->optimisationScreen().Grid1_Youhuaxuanxiang;
        for (const Item& item : search.items) {
            const int row = std::stoi(item[0]);
            for (int c = 1; c <= 3; ++c) table.editCell(row, c, item[static_cast<size_t>(c)]);
        }
        if (search.formula == 2)
            for (int r = 0; r < 2; ++r) table.editCell(12 + r, 1, search.switches[size_t(r)]);
    }
    CalculatorWindow& operator*() { return *m_window; }

  private:
    test::FakePlatform m_fake;
    std::unique_ptr<CalculatorWindow> m_window;
};

Outcome outcomeOf(CalculatorWindow& window) {
    Outcome out;
    const ResultList& raw = window.optimisationScreen().rawList();
    for (std::size_t r = 0; r < raw.size(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < raw.columnCount(); ++c) cells.push_back(raw.cellText(r, c));
        out.rows.push_back(std::move(cells));
    }
    test::StateTaker taker;
    test::takeWindow(taker, window);
    out.states = taker.take();
    return out;
}

Outcome runSearch(const Search& search, const SearchRun& run) {
    Window window(search);
    OptimisationScreen& screen = (*window).optimisationScreen();
    screen.setSearchThreads(run.threads);
    screen.setSearchChunkSize(run.chunk);
    screen.setProgressHandler(run.progress);
    screen.setCandidateHook(run.hook);
    std::string error;
    try {
        screen.cbt_YHcomputeClick();
    } catch (const std::exception& e) {
        error = e.what();
    }
    Outcome out = outcomeOf(*window);
    out.error = error;
    if (run.searchAgain) {
        screen.setCandidateHook({});
        screen.cbt_YHcomputeClick();
        Outcome again = outcomeOf(*window);
        out.rows.insert(out.rows.end(), again.rows.begin(), again.rows.end());
        out.states.insert(out.states.end(), again.states.begin(), again.states.end());
    }
    return out;
}

// The first difference between two outcomes, or nothing.
std::string difference(const Outcome& serial, const Outcome& threaded) {
    if (serial.error != threaded.error)
        return "error \"" + serial.error + "\" against \"" + threaded.error + "\"";
    if (serial.rows.size() != threaded.rows.size())
        return std::to_string(serial.rows.size()) + " rows against " +
               std::to_string(threaded.rows.size());
    for (std::size_t r = 0; r < serial.rows.size(); ++r)
        for (std::size_t c = 0; c < serial.rows[r].size(); ++c)
            if (serial.rows[r][c] != threaded.rows[r][c])
                return "row " + std::to_string(r) + ", column " + std::to_string(c) + ": " +
                       serial.rows[r][c] + " against " + threaded.rows[r][c];
    if (serial.states.size() != threaded.states.size()) return "a different set of controls";
    for (std::size_t i = 0; i < serial.states.size(); ++i) {
        const test::ControlState& a = serial.states[i];
        const test::ControlState& b = threaded.states[i];
        if (a.name != b.name || a.text != b.text)
            return a.name + ":\n  one thread: " + a.text + "\n  threads:    " + b.text;
    }
    return {};
}

// The statuses the serial searches end with, to show each case tests what it says.
std::string statusOf(const Outcome& out) {
    for (const test::ControlState& s : out.states)
        if (s.name == "screen.lb_YHxingxi") return s.text;
    return {};
}

const Search kSearches[] = {
    {"default", 1, 2, false, {}},
    {"all sections, fine steps",
     1,
     2,
     true,
     {{"1", "800", "2000", "150"},
      {"2", "0", "700", "350"},
      {"3", "1500", "2600", "550"},
      {"4", "1000", "3000", "1000"},
      {"6", "1.0d", "4.0d", "1.5d"},
      {"7", "1", "2", "1"},
      {"10", "C25", "C60", "15"},
      {"11", "1", "3", "1"}}},
    {"millimetre depths", 1, 2, false, {{"6", "500", "3000", "1250"}, {"8", "0.5", "60", "29.75"}}},
    {"formula two, both soil terms",
     2,
     0,
     false,
     {{"0", "1", "4", "1"},
      {"1", "1000", "1600", "300"},
      {"6", "1.0d", "3.0d", "1.0d"},
      {"7", "1", "2", "1"},
      {"10", "C30", "C40", "5"}},
     {"1", "1"}},
    // The slope box is ticked for the first rectangles in frk; the first fuk unticks it for
    // good, so a worker must not compute a later frk chunk with the box still ticked.
    {"the slope box unticked by the first fuk",
     1,
     2,
     true,
     {{"0", "3", "3", "1"},
      {"3", "2000", "3000", "500"},
      {"4", "1500", "2000", "500"},
      {"7", "1", "2", "1"},
      {"8", "35", "45", "5"},
      {"9", "35", "45", "5"},
      {"10", "C25", "C30", "5"}}},
    {"refused at the first candidate", 1, 0, false, {{"1", "0", "1000", "500"}}},
    {"refused in the middle", 1, 2, true, {{"0", "1", "2", "1"}, {"2", "0", "1000", "500"}}},
    {"refused at the last candidate",
     1,
     2,
     false,
     {{"0", "1", "4", "1"},
      {"1", "1000", "2000", "100"},
      {"2", "1000", "1500", "100"},
      {"3", "2000", "3000", "500"},
      {"4", "1500", "2000", "500"},
      {"5", "0", "0", "100"},
      {"6", "2.0d", "2.0d", "1.0d"},
      {"7", "1", "1", "1"},
      {"8", "35.00", "35.00", "5.00"},
      {"10", "C25", "C25", "5"}}},
};

TEST(SearchThreadsTest, EverySearchEndsAsTheSearchInTheWindowEnds) {
    for (const Search& search : kSearches) {
        SCOPED_TRACE(search.name);
        const Outcome serial = runSearch(search, SearchRun{});
        ASSERT_FALSE(serial.rows.empty() &&
                     std::string(search.name).find("first") == std::string::npos);
        for (const unsigned threads : {2u, 3u, 8u}) {
            for (const std::uint64_t chunk : {std::uint64_t{5}, std::uint64_t{64}}) {
                SCOPED_TRACE(std::to_string(threads) + " threads, chunks of " +
                             std::to_string(chunk));
                SearchRun run = on(threads, chunk);
                // Some candidates are computed on other threads than this one.
                auto elsewhere = std::make_shared<std::atomic<int>>(0);
                run.hook = [elsewhere, self = std::this_thread::get_id()](std::uint64_t) {
                    if (std::this_thread::get_id() != self) ++*elsewhere;
                };
                const std::string diff = difference(serial, runSearch(search, run));
                EXPECT_TRUE(diff.empty()) << diff;
                EXPECT_TRUE(serial.rows.empty() || *elsewhere > 0);
            }
        }
    }
}

TEST(SearchThreadsTest, TheRefusalsStopWhereTheyShould) {
    const auto rowsOf = [](const char* name) {
        for (const Search& s : kSearches)
            if (std::string(s.name) == name) return runSearch(s, SearchRun{});
        return Outcome{};
    };
    const Outcome first = rowsOf("refused at the first candidate");
    EXPECT_TRUE(first.rows.empty());
    EXPECT_NE(statusOf(first).find("运行中止"), std::string::npos);
    const Outcome middle = rowsOf("refused in the middle");
    EXPECT_EQ(middle.rows.size(), 72u);
    // Circles 11 x 2 processes, ellipses 11 x 6, rectangles 3 x 2, then the one square of side
    // 0, the last candidate, which is refused.
    const Outcome last = rowsOf("refused at the last candidate");
    EXPECT_EQ(last.rows.size(), 22u + 66u + 6u);
    EXPECT_NE(statusOf(last).find("运行中止"), std::string::npos);
}

// A search long enough for the progress handler: 25 sizes x 7 depths x (5 frk x 8 grades x 3
// processes + 5 fuk x 8 grades) = 28000 circles.
const Search kLongSearch{"long",
                         1,
                         0,
                         false,
                         {{"0", "1", "1", "1"},
                          {"1", "800", "2000", "50"},
                          {"6", "1.0d", "4.0d", "0.5d"},
                          {"7", "1", "2", "1"},
                          {"8", "10", "50", "10"},
                          {"9", "10", "50", "10"},
                          {"10", "C25", "C60", "5"},
                          {"11", "1", "3", "1"}}};

TEST(SearchThreadsTest, ACancelKeepsTheSamePrefixAndTheProgressIsTheSame) {
    // Cancelled at the third report: 3 x 2048 rows, numbered plainly.
    const auto runCancelled = [](unsigned threads) {
        auto calls = std::make_shared<std::vector<std::uint64_t>>();
        SearchRun run = on(threads, 1000);
        run.progress = [calls](std::uint64_t done, std::uint64_t) {
            calls->push_back(done);
            return calls->size() < 3;
        };
        Outcome out = runSearch(kLongSearch, run);
        return std::make_pair(out, *calls);
    };
    const auto [serial, serialCalls] = runCancelled(1);
    ASSERT_EQ(serial.rows.size(), 3 * OptimisationScreen::kProgressInterval);
    EXPECT_EQ(serial.rows.back()[0], std::to_string(serial.rows.size()));
    EXPECT_EQ(statusOf(serial), "text=\"计算已取消，已算桩数：6144 根\"");
    for (const unsigned threads : {2u, 8u}) {
        SCOPED_TRACE(threads);
        const auto [threaded, calls] = runCancelled(threads);
        EXPECT_EQ(calls, serialCalls);
        const std::string diff = difference(serial, threaded);
        EXPECT_TRUE(diff.empty()) << diff;
    }
}

TEST(SearchThreadsTest, AFaultInAWorkerEndsTheSearchWithTheRowsBeforeIt) {
    // The fault is thrown wherever candidate 2500 is computed; with 8 threads and chunks of
    // 300, workers run far past it before the search takes its chunk.
    for (const std::uint64_t at : {std::uint64_t{0}, std::uint64_t{2500}, std::uint64_t{27999}}) {
        SCOPED_TRACE(at);
        const auto faultAt = [at](unsigned threads) {
            SearchRun run = on(threads, 300);
            run.hook = [at](std::uint64_t index) {
                if (index == at) throw std::runtime_error("fault at " + std::to_string(index));
            };
            run.searchAgain = true;  // the window is still usable, and searches as before
            return runSearch(kLongSearch, run);
        };
        const Outcome serial = faultAt(1);
        EXPECT_EQ(serial.error, "fault at " + std::to_string(at));
        ASSERT_EQ(serial.rows.size(), at + 28000);
        for (const unsigned threads : {2u, 8u}) {
            SCOPED_TRACE(threads);
            const Outcome threaded = faultAt(threads);
            EXPECT_EQ(threaded.error, serial.error);
            EXPECT_EQ(threaded.rows, serial.rows);
        }
    }
}

TEST(SearchThreadsTest, TheThreadCountIsAtLeastOneAndDefaultsToTheCores) {
    test::FakePlatform fake;
    FormulaOneWindow window(fake.platform);
    OptimisationScreen& screen = window.optimisationScreen();
    EXPECT_EQ(screen.searchThreads(), defaultSearchThreads());
    EXPECT_GE(defaultSearchThreads(), 1u);
    screen.setSearchThreads(0);
    EXPECT_EQ(screen.searchThreads(), 1u);
}

}  // namespace
}  // namespace pile
