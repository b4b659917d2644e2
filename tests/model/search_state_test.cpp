// The search writes each candidate through the input screen's controls. Whatever is done to
// make that fast, every control must end every candidate in exactly the state it always had.
// This test takes the whole visible state of the window after every candidate of several
// searches and compares it, control by control, with the states recorded from the
// straightforward implementation; a difference names the search, the candidate, the control
// and its recorded and present state. The recording also keeps the digest of all the states,
// a 64-bit FNV-1a over them in the order they are taken.
//
// The recordings are the files in tests/model/search_states/, one for each search. After a
// change that is meant to change what a control shows, record them again with
//
//     PILE_RECORD_SEARCH_STATES=1 build/tests/model/model_tests --gtest_filter='SearchState*'
//
// and read the difference of the files before committing them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "tests/model/fake_platform.h"
#include "tests/model/state_taker.h"

namespace pile {
namespace {

using namespace pile::test;

constexpr const char* kRecordVariable = "PILE_RECORD_SEARCH_STATES";

// The states of a search, candidate by candidate.
struct SearchStates {
    std::uint64_t digest = 0;
    std::vector<std::vector<ControlState>> candidates;
};

std::string hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::string recordingPath(const char* file) {
    return std::string(PILE_SEARCH_STATES_DIR) + "/" + file;
}

// A recording: a comment naming the command, the digest and the candidate count, then for each
// candidate "@" and its number, and a line for each control whose state differs from its state
// after the candidate before (after the first candidate, every control): name, tab, state. A
// state names what is not as usual ("disabled", "hidden", "red", a hint) and the values.
void record(const SearchStates& states, const char* search, const char* file) {
    std::ofstream out(recordingPath(file), std::ios::binary);
    out << "# The state of every control after each candidate of the search \"" << search
        << "\";\n# written by " << kRecordVariable << "=1 (tests/model/search_state_test.cpp).\n"
        << "# Controls are enabled, visible and black unless their state says otherwise.\n";
    out << "digest " << hex(states.digest) << "\n";
    out << "candidates " << states.candidates.size() << "\n";
    std::map<std::string, std::string> last;
    for (std::size_t k = 0; k < states.candidates.size(); ++k) {
        out << "@" << k + 1 << "\n";
        for (const ControlState& s : states.candidates[k]) {
            auto [it, added] = last.try_emplace(s.name, s.text);
            if (!added && it->second == s.text) continue;
            it->second = s.text;
            out << s.name << '\t' << s.text << '\n';
        }
    }
    ASSERT_TRUE(out.flush()) << "cannot write " << recordingPath(file);
}

// A recording read back: the digest, the candidate count and the changes of each candidate.
struct Recording {
    std::uint64_t digest = 0;
    std::size_t candidates = 0;
    std::vector<std::vector<ControlState>> changes;
};

bool read(const char* file, Recording& r, std::string& problem) {
    std::ifstream in(recordingPath(file), std::ios::binary);
    if (!in) {
        problem =
            "no recording " + recordingPath(file) + "; record it with " + kRecordVariable + "=1";
        return false;
    }
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.starts_with("digest ")) {
            r.digest = std::stoull(line.substr(7), nullptr, 16);
        } else if (line.starts_with("candidates ")) {
            r.candidates = std::stoul(line.substr(11));
        } else if (line[0] == '@') {
            r.changes.emplace_back();
        } else {
            const std::size_t tab = line.find('\t');
            if (tab == std::string::npos || r.changes.empty()) {
                problem = "unreadable line in " + recordingPath(file) + ": " + line;
                return false;
            }
            r.changes.back().push_back({line.substr(0, tab), line.substr(tab + 1)});
        }
    }
    return true;
}

// The first control whose state differs from the recording, or nothing.
std::string firstDifference(const SearchStates& now, const Recording& recorded) {
    std::map<std::string, std::string> expected;
    const std::size_t common = std::min(now.candidates.size(), recorded.changes.size());
    for (std::size_t k = 0; k < common; ++k) {
        for (const ControlState& change : recorded.changes[k]) expected[change.name] = change.text;
        for (const ControlState& s : now.candidates[k]) {
            const auto it = expected.find(s.name);
            std::ostringstream out;
            out << "candidate " << k + 1 << ", " << s.name
                << ":\n  recorded: " << (it == expected.end() ? "(not recorded)" : it->second)
                << "\n  now:      " << s.text;
            if (it == expected.end() || it->second != s.text) return out.str();
        }
    }
    if (now.candidates.size() != recorded.candidates)
        return "the search computed " + std::to_string(now.candidates.size()) +
               " candidates; the recording has " + std::to_string(recorded.candidates);
    return {};
}

struct Search {
    const char* name;
    const char* file;                               // in tests/model/search_states/
    std::vector<std::array<const char*, 4>> items;  // row, min, max, step
    bool slope;
};

TEST(SearchStateTest, EveryCandidateLeavesEveryControlAsItAlwaysHas) {
    const Search searches[] = {
        {"default", "default.txt", {}, false},
        {"all sections, fine steps",
         "all_sections_fine_steps.txt",
         {{"1", "800", "2000", "150"},
          {"2", "0", "700", "350"},
          {"3", "1500", "2600", "550"},
          {"4", "1000", "3000", "1000"},
          {"6", "1.0d", "4.0d", "1.5d"},
          {"7", "1", "2", "1"},
          {"10", "C25", "C60", "15"},
          {"11", "1", "3", "1"}},
         true},
        {"millimetre depths",
         "millimetre_depths.txt",
         {{"6", "500", "3000", "1250"}, {"8", "0.5", "60", "29.75"}},
         false},
    };
    const char* recording = std::getenv(kRecordVariable);
    for (const Search& search : searches) {
        SCOPED_TRACE(search.name);
        test::FakePlatform fake;
        FormulaOneWindow window(fake.platform);
        InputScreen& input = window.inputScreen();
        input.cbb_jmlx.setIndex(2);
        input.ckb_ystj.setChecked(search.slope);
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        for (const auto& item : search.items) {
            const int row = std::stoi(item[0]);
            for (int c = 1; c <= 3; ++c) screen.Grid1_Youhuaxuanxiang.editCell(row, c, item[c]);
        }
        StateTaker taker;
        SearchStates states;
        screen.setCandidateObserver([&] {
            takeScreen(taker, input);
            taker.add("book.cbt_Save", window.bookScreen().cbt_Save);
            taker.add("book.cbt_sanchu", window.bookScreen().cbt_sanchu);
            taker.add("screen.lb_YHxingxi", screen.lb_YHxingxi);
            states.candidates.push_back(taker.take());
        });
        screen.cbt_YHcomputeClick();
        states.digest = taker.digest();
        EXPECT_GT(states.candidates.size(), 300u);

        if (recording && std::string(recording) == "1") record(states, search.name, search.file);
        Recording recorded;
        std::string problem;
        ASSERT_TRUE(read(search.file, recorded, problem)) << problem;
        const std::string difference = firstDifference(states, recorded);
        EXPECT_TRUE(difference.empty()) << difference;
        EXPECT_EQ(hex(states.digest), hex(recorded.digest));
    }
}

// The soil side of the formula-two searches: 20 layers of settling soil, the pile top in the
// third, one friction coefficient above 1 (a message) and layers heavy enough that small
// piles get a negative limit; 4 layers of side resistance.
FormulaTwoSoil stateSoil() {
    FormulaTwoSoil soil;
    soil.dragLoad = true;
    soil.sideResistance = true;
    soil.drag.p = "200.00";
    soil.drag.eg = "-0.300";
    soil.drag.ep = "-3.500";
    soil.drag.layers.assign(20, SoilLayer{});
    for (int i = 0; i < 20; ++i) {
        SoilLayer& l = soil.drag.layers[static_cast<size_t>(i)];
        l.bottom = std::to_string(-0.3 - 1.5 * (i + 1)).substr(0, 6);
        l.unitWeight = i % 2 ? "18.5" : "17.00";
        l.xi = i == 7 ? "1.2" : i % 3 ? "0.85" : "0.90";
        l.qsik = i < 4 ? "30" : i % 4 ? "450" : "500.00";
    }
    soil.side.layers = {{"4.000", "45.00"}, {"2.5", "60"}, {"6.000", "35.00"}, {"3", "80.5"}};
    return soil;
}

// Formula two with both soil terms: every control of the input screen and of both soil
// screens, every cell of their grids. The second search runs after a drag layer and a side
// layer were edited, so it shows whether the changed tables are read again.
TEST(SearchStateTest, FormulaTwoLeavesEveryControlAndSoilCellAsItAlwaysHas) {
    test::FakePlatform fake;
    FormulaTwoWindow window(fake.platform);
    window.typeSoil(stateSoil());
    window.cbt_YouHuaClick();
    OptimisationScreen& screen = window.optimisationScreen();
    Grid& items = screen.Grid1_Youhuaxuanxiang;
    const std::array<const char*, 4> ranges[] = {
        {"0", "1", "4", "1"},         {"1", "1000", "1600", "300"},  {"3", "2000", "2500", "500"},
        {"4", "1500", "2000", "500"}, {"6", "1.0d", "2.0d", "1.0d"}, {"7", "1", "2", "1"},
        {"10", "C30", "C40", "10"},   {"11", "1", "2", "1"}};
    for (const auto& item : ranges) {
        const int row = std::stoi(item[0]);
        for (int c = 1; c <= 3; ++c) items.editCell(row, c, item[c]);
    }
    items.editCell(12, 1, "1");
    items.editCell(13, 1, "1");

    const char* recording = std::getenv(kRecordVariable);
    const struct {
        const char* name;
        const char* file;
    } searches[] = {{"formula two, 20 drag layers", "formula_two.txt"},
                    {"formula two, layers edited", "formula_two_edited.txt"}};
    for (const auto& search : searches) {
        SCOPED_TRACE(search.name);
        if (std::string(search.file) == "formula_two_edited.txt") {
            window.dragScreen().Grid1_Fumozhulijisuan.editCell(4, drag_col::kQsik, "55");
            window.dragScreen().Grid1_Fumozhulijisuan.editCell(9, drag_col::kXi, "0.35");
            window.sideScreen().Grid1_Zhengmozhulijisuan.editCell(1, side_col::kThickness, "3.5");
        }
        StateTaker taker;
        SearchStates states;
        screen.setCandidateObserver([&] {
            takeFormulaTwo(taker, window);
            taker.add("book.cbt_Save", window.bookScreen().cbt_Save);
            taker.add("screen.lb_YHxingxi", screen.lb_YHxingxi);
            states.candidates.push_back(taker.take());
        });
        screen.cbt_YHcomputeClick();
        states.digest = taker.digest();
        EXPECT_GT(states.candidates.size(), 100u);

        if (recording && std::string(recording) == "1") record(states, search.name, search.file);
        Recording recorded;
        std::string problem;
        ASSERT_TRUE(read(search.file, recorded, problem)) << problem;
        const std::string difference = firstDifference(states, recorded);
        EXPECT_TRUE(difference.empty()) << difference;
        EXPECT_EQ(hex(states.digest), hex(recorded.digest));
    }
}

TEST(SearchStateTest, ADifferenceNamesTheCandidateTheControlAndBothStates) {
    const auto states = [](std::vector<std::vector<ControlState>> candidates) {
        return SearchStates{0, std::move(candidates)};
    };
    Recording recorded;
    recorded.candidates = 2;
    recorded.changes = {{{"input.edt_ra", "text=\"8410\""}, {"input.cbt_View", "text=\"结果\""}},
                        {{"input.edt_ra", "text=\"8420\""}}};
    EXPECT_EQ(
        firstDifference(
            states({{{"input.edt_ra", "text=\"8410\""}, {"input.cbt_View", "text=\"结果\""}},
                    {{"input.edt_ra", "text=\"8420\""}, {"input.cbt_View", "text=\"结果\""}}}),
            recorded),
        "");
    // The second candidate leaves the button hidden: the unchanged Ra does not hide it.
    EXPECT_EQ(firstDifference(
                  states({{{"input.edt_ra", "text=\"8410\""}, {"input.cbt_View", "text=\"结果\""}},
                          {{"input.edt_ra", "text=\"8420\""},
                           {"input.cbt_View", "hidden text=\"结果\""}}}),
                  recorded),
              "candidate 2, input.cbt_View:\n"
              "  recorded: text=\"结果\"\n"
              "  now:      hidden text=\"结果\"");
    EXPECT_EQ(
        firstDifference(
            states({{{"input.edt_ra", "text=\"8410\""}, {"input.cbt_View", "text=\"结果\""}}}),
            recorded),
        "the search computed 1 candidates; the recording has 2");
}

}  // namespace
}  // namespace pile
