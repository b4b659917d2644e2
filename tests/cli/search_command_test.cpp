// pilecalc search: the optimisation screen driven by one request, its answer, the lines of
// --save and the exit statuses.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <functional>
#include <map>
#include <sstream>

#include "cli/commands.h"
#include "cli/headless_window.h"
#include "optimise/item_ranges.h"
#include "optimise/list_file.h"
#include "optimise/result_list.h"

namespace pile::cli {
namespace {

using json = nlohmann::ordered_json;

// The list columns of the answer's rows and of "sort" actions, found by the field they show.
int oneColumn(ListField field) { return formulaOneListLayout().columnOf(field); }
int twoColumn(ListField field) { return formulaTwoListLayout().columnOf(field); }
const int kSection = oneColumn(ListField::Section), kSize = oneColumn(ListField::Size1),
          kRa = oneColumn(ListField::Ra), kRc = oneColumn(ListField::Rc),
          kDepth = oneColumn(ListField::Depth), kRockType = oneColumn(ListField::RockType),
          kRockValue = oneColumn(ListField::RockValue), kProcess = oneColumn(ListField::Process),
          kGrade = oneColumn(ListField::Grade);
const int kTwoRa = twoColumn(ListField::Ra), kTwoRc = twoColumn(ListField::Rc),
          kTwoSize = twoColumn(ListField::Size1), kTwoDepth = twoColumn(ListField::Depth),
          kQgn = twoColumn(ListField::Qgn), kNk = twoColumn(ListField::NkLimit),
          kNkRatio = twoColumn(ListField::NkRatio), kN = twoColumn(ListField::NLimit),
          kIdQgn = twoColumn(ListField::IdQgn), kIdFsk = twoColumn(ListField::IdFsk);
constexpr const char* kTime = "2026-12-10 12:00:00";
const std::vector<std::string> kFormulaTwo = {"--formula", "2"};

struct SearchRun {
    int status;
    std::string out;
    std::string err;
    json answer;  // null unless out is one JSON object
};

SearchRun runSearch(const json& request, std::vector<std::string> args = {}) {
    std::istringstream in(request.dump());
    std::ostringstream out, err;
    SearchRun run{runSearchCommand(args, in, out, err), out.str(), err.str(), nullptr};
    if (!run.out.empty() && run.out.front() == '{') run.answer = json::parse(run.out);
    return run;
}

// The default item cells with some rows replaced: {row, {min, max, step}}.
json items(const std::map<int, std::vector<std::string>>& rows = {}) {
    json out = json::array();
    const ItemTexts defaults = defaultItemTexts();
    for (int row = 0; row < item_row::kCount; ++row) {
        const ItemCells& d = defaults[static_cast<size_t>(row)];
        const auto it = rows.find(row);
        out.push_back(it != rows.end() ? json(it->second) : json{d.min, d.max, d.step});
    }
    return out;
}

// A request or part of one written as JSON text (nested braces in C++ are read as objects
// where arrays are meant).
json J(const char* text) { return json::parse(text); }

// A header click on a list column.
json sortBy(int column) { return {{"sort", column}}; }

double number(const json& cell) { return std::stod(cell.get<std::string>()); }

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(SearchCommand, DefaultSearchListsEveryCandidate) {
    const SearchRun run = runSearch(json::object());
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const json& a = run.answer;
    EXPECT_EQ(a["status"], "计算完成，桩数：360 根");
    EXPECT_EQ(a["statusColour"], "black");
    EXPECT_EQ(a["shown"], "raw");
    const json& raw = a["raw"];
    ASSERT_EQ(raw.size(), 360u);
    for (size_t i = 0; i < raw.size(); ++i) {
        ASSERT_EQ(raw[i].size(), size_t(formulaOneListLayout().columnCount()));
        ASSERT_EQ(raw[i][0], pileNumberText(i + 1, 3));
    }
    // Circles, ellipses, rectangles, squares: 72, 144, 96 and 48 rows.
    const std::vector<std::pair<size_t, const char*>> firstRows = {
        {0, "圆  桩"}, {72, "椭圆桩"}, {216, "矩形桩"}, {312, "方  桩"}};
    for (const auto& [row, section] : firstRows) EXPECT_EQ(raw[row][kSection], section) << row;
    EXPECT_EQ(raw[311][kSection], "矩形桩");
    EXPECT_EQ(raw[0], json({"ZH-001", "圆  桩", "1000", "-", "14844", "8412", "2.0d", "1", "35.00",
                            "干 作 业", "1.0800", "C25", ""}));
    EXPECT_EQ(raw[1][kProcess], "泥浆护壁");
    for (ListField field :
         {ListField::Section, ListField::Size1, ListField::Size2, ListField::Depth,
          ListField::RockType, ListField::RockValue, ListField::Grade})
        EXPECT_EQ(raw[1][oneColumn(field)], raw[0][oneColumn(field)]) << oneColumn(field);

    EXPECT_EQ(a["filtered"], json::array());
    EXPECT_EQ(a["headers"][kRa], "  Ra(kN)");
    EXPECT_EQ(a["headers"], a["filteredHeaders"]);
    EXPECT_EQ(a["sortStates"], json({0, 0, 0}));
    EXPECT_EQ(a["buttons"], json({{"compute", false}, {"filter", true}, {"save", true}}));
    EXPECT_EQ(a["foldText"], "展开");
    EXPECT_EQ(a["visibleColumns"], json({0, 1, 2, 3, 4, 5}));
    // The input screen holds the last candidate: a square in fuk mode, computed as a rectangle.
    EXPECT_EQ(a["input"], json({{"section", 2},
                                {"d", "2000"},
                                {"c", "2000"},
                                {"hr", "3.0b"},
                                {"grade", 1},
                                {"process", 0},
                                {"rock", "fuk"},
                                {"frk", "40.00"},
                                {"fuk", "40.00"},
                                {"slope", false}}));
}

// Sort by Ra twice (descending), filter, fetch the first filtered row.
TEST(SearchCommand, SortFilterFetch) {
    const json sorts = json::array({sortBy(kRa), sortBy(kRa)});

    const SearchRun sorted = runSearch({{"actions", sorts}});
    ASSERT_EQ(sorted.status, kExitOk) << sorted.err;
    EXPECT_EQ(sorted.answer["status"], "Ra降序排列完成");
    EXPECT_EQ(sorted.answer["headers"][kRa], "Ra(kN)▼");
    EXPECT_EQ(sorted.answer["sortStates"], json({0, 2, 0}));
    const json& raw = sorted.answer["raw"];
    for (size_t i = 1; i < raw.size(); ++i)
        ASSERT_GE(number(raw[i - 1][kRa]), number(raw[i][kRa])) << i;

    json actions = sorts;
    actions.push_back(J(R"({"filter": true})"));
    const SearchRun filtered = runSearch({{"actions", actions}});
    ASSERT_EQ(filtered.status, kExitOk) << filtered.err;
    const json& f = filtered.answer;
    EXPECT_EQ(f["shown"], "filtered");
    // The rows of the sorted raw list within Ra 12000..14000 and Rc 6000..8000, in its order.
    json expected = json::array();
    for (const json& row : raw)
        if (number(row[kRa]) >= 12000 && number(row[kRa]) <= 14000 && number(row[kRc]) >= 6000 &&
            number(row[kRc]) <= 8000)
            expected.push_back(row);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(f["filtered"], expected);
    EXPECT_EQ(f["status"], "筛选完成，桩数：" + std::to_string(expected.size()) + " 根");
    EXPECT_EQ(f["sortStates"], json({0, 0, 0}));
    EXPECT_EQ(f["filteredHeaders"][kRa], "  Ra(kN)");
    EXPECT_EQ(f["buttons"], json({{"compute", false}, {"filter", false}, {"save", true}}));

    actions.push_back(J(R"({"fetch": 0})"));
    const SearchRun fetched = runSearch({{"actions", actions}});
    ASSERT_EQ(fetched.status, kExitOk) << fetched.err;
    const json& row = expected[0];
    const json& input = fetched.answer["input"];
    EXPECT_EQ(fetched.answer["shown"], "input");
    EXPECT_EQ(row[kSection], "圆  桩");
    EXPECT_EQ(input["section"], 0);
    EXPECT_EQ(input["d"], row[kSize]);
    EXPECT_EQ(input["hr"], row[kDepth]);
    EXPECT_EQ(input["rock"], row[kRockType] == "1" ? "frk" : "fuk");
    EXPECT_EQ(input[row[kRockType] == "1" ? "frk" : "fuk"], row[kRockValue]);
    EXPECT_EQ(input["grade"], row[kGrade] == "C25" ? 0 : 1);
    EXPECT_EQ(input["process"], row[kProcess] == "泥浆护壁" ? 1 : 0);
    // The lists stay as they were.
    EXPECT_EQ(fetched.answer["filtered"], expected);
}

// The action after a fetch opens the optimisation screen again, as "★" does, and acts there.
TEST(SearchCommand, ActionAfterFetchReopensTheScreen) {
    const SearchRun run = runSearch({{"actions", {J(R"({"fetch": 5})"), sortBy(kRc)}}});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.answer["shown"], "raw");
    EXPECT_EQ(run.answer["status"], "Rc升序排列完成");
}

TEST(SearchCommand, DisabledButtonsDoNothing) {
    struct Case {
        const char* name;
        json actions;
        const char* status;
        const char* rawRaHeader;
        const char* filteredRaHeader;
    };
    const std::vector<Case> cases = {
        // 计算 is disabled after a search that ran to its end: the list keeps its sort.
        {"search again", json::array({sortBy(kRa), J(R"({"search": true})")}), "Ra升序排列完成",
         "Ra(kN)▲", "  Ra(kN)"},
        // An item edit enables it again: a new search, without sort marks.
        {"search after an edit",
         json::array({sortBy(kRa), json{{"items", items()}}, J(R"({"search": true})")}),
         "计算完成，桩数：360 根", "  Ra(kN)", "  Ra(kN)"},
        // 筛选 is disabled after a filter: a second press leaves the sorted filtered list.
        {"filter twice",
         json::array({J(R"({"filter": true})"), sortBy(kRa), J(R"({"filter": true})")}),
         "Ra升序排列完成", "  Ra(kN)", "Ra(kN)▲"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchRun run = runSearch({{"actions", c.actions}});
        ASSERT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.answer["status"], c.status);
        EXPECT_EQ(run.answer["headers"][kRa], c.rawRaHeader);
        EXPECT_EQ(run.answer["filteredHeaders"][kRa], c.filteredRaHeader);
    }

    // An edit of a bound enables 筛选 again, and the new filter replaces the list: the same
    // list as a first filter with those bounds.
    const SearchRun refiltered = runSearch(J(R"({"actions": [
        {"filter": true}, {"filters": [["12000", "13000"], ["0", "0"]]}, {"filter": true}]})"));
    const SearchRun direct = runSearch(
        J(R"({"filters": [["12000", "13000"], ["0", "0"]], "actions": [{"filter": true}]})"));
    ASSERT_EQ(refiltered.status, kExitOk) << refiltered.err;
    ASSERT_FALSE(direct.answer["filtered"].empty());
    EXPECT_EQ(refiltered.answer["filtered"], direct.answer["filtered"]);
    EXPECT_EQ(refiltered.answer["status"], direct.answer["status"]);
}

TEST(SearchCommand, SearchOutcomes) {
    struct Case {
        const char* name;
        std::map<int, std::vector<std::string>> rows;
        const char* status;
        const char* colour;
        size_t rowCount;
        const char* message;  // the input screen's message label
    };
    const std::vector<Case> cases = {
        {"one candidate",
         {{0, {"1", "1", "1"}},
          {1, {"1000", "1000", "500"}},
          {6, {"2.0d", "2.0d", "1.0d"}},
          {7, {"1", "1", "1"}},
          {8, {"35", "35", "5"}},
          {10, {"C25", "C25", "5"}},
          {11, {"1", "1", "1"}}},
         "计算完成，桩数：1 根",
         "black",
         1,
         nullptr},
        {"rejected candidate",
         {{0, {"1", "1", "1"}}, {1, {"0", "1000", "500"}}},
         "运行中止，主界面可查看中止位置、原因",
         "red",
         0,
         "桩身直径数据有错"},
        {"negative size", {{1, {"-100", "2000", "500"}}}, "桩径不能为负值", "red", 0, nullptr},
        {"too many candidates",
         {{1, {"1", "100000000", "1"}}},
         "优化组合数超过50000000，请缩小取值范围",
         "red",
         0,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchRun run = runSearch({{"items", items(c.rows)}});
        ASSERT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.answer["status"], c.status);
        EXPECT_EQ(run.answer["statusColour"], c.colour);
        EXPECT_EQ(run.answer["raw"].size(), c.rowCount);
        if (c.rowCount == 1) {
            EXPECT_EQ(run.answer["raw"][0][0], "ZH-1");
        }
        if (c.message) {
            EXPECT_EQ(run.answer["message"], c.message);
        }
    }
}

// The precision and the input screen are set before the search, and the search computes with
// them: the slope condition, which no candidate writes, stays ticked through a search of
// rectangles in frk mode.
TEST(SearchCommand, RequestSetsTheWindowBeforeTheSearch) {
    const SearchRun precise = runSearch(J(R"({"precision": 0})"));
    ASSERT_EQ(precise.status, kExitOk) << precise.err;
    EXPECT_EQ(precise.answer["raw"][0][kRa], "14844.03");

    const json rectangles = items({{0, {"3", "3", "1"}}, {7, {"1", "1", "1"}}});
    const SearchRun plain = runSearch({{"items", rectangles}});
    const SearchRun slope =
        runSearch({{"pile", J(R"({"section": 2, "slope": true})")}, {"items", rectangles}});
    ASSERT_EQ(slope.status, kExitOk) << slope.err;
    EXPECT_EQ(slope.answer["input"]["slope"], true);
    ASSERT_EQ(slope.answer["raw"].size(), plain.answer["raw"].size());
    EXPECT_GT(number(slope.answer["raw"][0][kRa]), number(plain.answer["raw"][0][kRa]));
}

TEST(SearchCommand, FoldShowsAndHidesListColumns) {
    const SearchRun once = runSearch(J(R"({"actions": [{"fold": true}]})"));
    EXPECT_EQ(once.answer["foldText"], "折叠");
    EXPECT_EQ(once.answer["visibleColumns"].size(), size_t(formulaOneListLayout().columnCount()));
    const SearchRun twice = runSearch(J(R"({"actions": [{"fold": true}, {"fold": true}]})"));
    EXPECT_EQ(twice.answer["foldText"], "展开");
    EXPECT_EQ(twice.answer["visibleColumns"], json({0, 1, 2, 3, 4, 5}));
}

// --save prints the lines of the list file of the list shown, as the model makes them.
TEST(SearchCommand, SavePrintsTheListFileOfTheListShown) {
    struct Case {
        const char* name;
        json actions;
        ListFileKind kind;
    };
    const std::vector<Case> cases = {
        {"raw, sorted by Rc", json::array({sortBy(kRc)}), ListFileKind::Raw},
        {"filtered", J(R"([{"filter": true}])"), ListFileKind::Filtered},
        // After a fetch, "★" shows the screen again and its 存盘 saves the list it shows.
        {"after a fetch", J(R"([{"filter": true}, {"fetch": 0}])"), ListFileKind::Filtered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const json& actions = c.actions;
        const SearchRun run = runSearch({{"actions", actions}}, {"--save", "--time", kTime});
        ASSERT_EQ(run.status, kExitOk) << run.err;

        // The same clicks on a window of our own.
        HeadlessWindow window;
        ASSERT_TRUE(window.openOptimisation());
        OptimisationScreen& screen = window.optimisation();
        screen.cbt_YHcomputeClick();
        for (const json& action : actions) {
            if (action.contains("sort"))
                screen.Grid2_YouhuajieguoHeaderClick(action["sort"].get<int>());
            if (action.contains("filter")) screen.cbt_YHsaixuanClick();
        }
        const ResultList& list =
            c.kind == ListFileKind::Raw ? screen.rawList() : screen.filteredList();
        ASSERT_FALSE(list.empty());
        EXPECT_EQ(linesOf(run.out), listFileLines(list, c.kind, kTime));
    }
}

TEST(SearchCommand, SaveThatWritesNothing) {
    const std::vector<std::pair<const char*, json>> cases = {
        // A filter without rows disables 存盘.
        {"empty filter",
         J(R"({"actions": [{"filters": [["99999999", "0"], ["0", "0"]]}, {"filter": true}]})")},
        // A search stopped at its first candidate leaves 存盘 enabled over an empty list.
        {"stopped search",
         {{"actions",
           json::array({json{{"items", items({{0, {"1", "1", "1"}}, {1, {"0", "1000", "500"}}})}},
                        J(R"({"search": true})")})}}},
    };
    for (const auto& [name, request] : cases) {
        SCOPED_TRACE(name);
        const SearchRun run = runSearch(request, {"--save"});
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(run.out, "");
    }
}

TEST(SearchCommand, ConversionErrorIsTheOnlyAnswer) {
    struct Case {
        const char* name;
        json request;
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {"integer row", {{"items", items({{0, {"1", "4", "x"}}})}}, {}},
        {"hr in two units", {{"items", items({{6, {"1.5d", "3000", "500"}}})}}, {}},
        {"empty cell", {{"items", items({{8, {"", "40", "5"}}})}}, {}},
        {"filter bound",
         J(R"({"actions": [{"filters": [["abc", "0"], ["0", "0"]]}, {"filter": true}]})"),
         {}},
        {"soil switch", J(R"({"switches": ["x", "0"]})"), kFormulaTwo},
        {"[N] bound",
         J(R"({"actions": [{"filters": [["0", "0"], ["0", "0"], ["0", "0"], ["0", "abc"]]},
                           {"filter": true}]})"),
         kFormulaTwo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool save : {false, true}) {
            std::vector<std::string> args = c.args;
            if (save) args.push_back("--save");
            const SearchRun run = runSearch(c.request, args);
            EXPECT_EQ(run.status, 4);
            ASSERT_TRUE(run.answer.is_object()) << run.out;
            EXPECT_EQ(run.answer.size(), 1u);
            EXPECT_TRUE(run.answer["error"].is_string());
            EXPECT_EQ(linesOf(run.out).size(), 1u);
        }
    }
}

TEST(SearchCommand, TheAnswerIsTheSameForAnyThreadCount) {
    const json one = J(R"({"items": null, "actions": [{"sort": 4}, {"filter": true}]})");
    json request = one;
    request["items"] = items({{1, {"800", "2000", "50"}},
                              {6, {"1.0d", "3.0d", "0.5d"}},
                              {7, {"1", "2", "1"}},
                              {10, {"C25", "C60", "5"}}});
    const SearchRun serial = runSearch(request, {"--threads", "1"});
    ASSERT_EQ(serial.status, kExitOk) << serial.err;
    ASSERT_GT(serial.answer["raw"].size(), kSearchChunkSize);
    json two = J(R"({"switches": ["1", "1"]})");
    const SearchRun serialTwo = runSearch(two, {"--formula", "2", "--threads", "1"});
    ASSERT_EQ(serialTwo.status, kExitOk) << serialTwo.err;
    for (const char* threads : {"2", "5"}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(runSearch(request, {"--threads", threads}).out, serial.out);
        EXPECT_EQ(runSearch(two, {"--formula", "2", "--threads", threads}).out, serialTwo.out);
    }
    // Without the option, one thread for each core: the same answer again.
    EXPECT_EQ(runSearch(request).out, serial.out);
}

TEST(SearchCommand, RequestsThatAreRefused) {
    const auto withItems = [](const std::function<void(json&)>& change) {
        json cells = items();
        change(cells);
        return json{{"items", cells}}.dump();
    };
    struct Case {
        const char* name;
        std::string input;
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {"not JSON", R"({"items":)", {}},
        {"two objects", "{} {}", {}},
        {"not an object", "[]", {}},
        {"unknown key", R"({"item": []})", {}},
        {"formula-two switches", R"({"switches": ["1", "1"]})", {}},
        {"formula-two switch action", R"({"actions": [{"switches": ["1", "1"]}]})", {}},
        {"one switch", R"({"switches": ["1"]})", kFormulaTwo},
        {"switch as an object", R"({"switches": [{}, "0"]})", kFormulaTwo},
        {"switch of two lines", R"({"switches": ["1\n", "0"]})", kFormulaTwo},
        {"precision as text", R"({"precision": "2"})", {}},
        {"precision out of range", R"({"precision": 5})", {}},
        {"eleven item rows", withItems([](json& j) { j.erase(11); }), {}},
        {"row of two cells", withItems([](json& j) { j[3] = J(R"(["2000", "3000"])"); }), {}},
        {"list for a cell", withItems([](json& j) { j[1][0] = J("[1000]"); }), {}},
        {"control character", withItems([](json& j) { j[1][0] = "10\n00"; }), {}},
        {"three filter rows", R"({"filters": [["0", "0"], ["0", "0"], ["0", "0"]]})", {}},
        {"formula one's filter rows in formula two", R"({"filters": [["0", "0"], ["0", "0"]]})",
         kFormulaTwo},
        {"filter action of two rows in formula two",
         R"({"actions": [{"filters": [["0", "0"], ["0", "0"]]}]})", kFormulaTwo},
        {"unknown pile key", R"({"pile": {"diameter": "1000"}})", {}},
        {"pile precision", R"({"pile": {"precision": 1}})", {}},
        {"pile soil key", R"({"pile": {"negativeFriction": true}})", {}},
        {"unknown soil key", R"({"pile": {"drag": {"depth": "10"}}})", kFormulaTwo},
        {"soil flag as text", R"({"pile": {"sideResistance": "1"}})", kFormulaTwo},
        {"pile value", R"({"pile": {"d": [1000]}})", {}},
        {"key twice", R"({"precision": 1, "precision": 2})", {}},
        {"actions not an array", R"({"actions": {"sort": 4}})", {}},
        {"unknown action", R"({"actions": [{"save": true}]})", {}},
        {"two keys in an action", R"({"actions": [{"sort": 4, "fold": true}]})", {}},
        {"search false", R"({"actions": [{"search": false}]})", {}},
        {"column past the list",
         json{{"actions", {sortBy(formulaOneListLayout().columnCount())}}}.dump(),
         {}},
        {"column past the formula-two list",
         json{{"actions", {sortBy(formulaTwoListLayout().columnCount())}}}.dump(), kFormulaTwo},
        {"negative row", R"({"actions": [{"fetch": -1}]})", {}},
        {"huge row", R"({"actions": [{"fetch": 18446744073709551615}]})", {}},
        {"formula three", "{}", {"--formula", "3"}},
        {"unknown option", "{}", {"--table"}},
        {"time without value", "{}", {"--time"}},
        {"threads without value", "{}", {"--threads"}},
        {"no threads", "{}", {"--threads", "0"}},
        {"threads in words", "{}", {"--threads", "two"}},
        {"threads with a sign", "{}", {"--threads", "+2"}},
        {"too many threads", "{}", {"--threads", "1025"}},
        {"threads past any integer", "{}", {"--threads", "99999999999999999999"}},
        {"time of two lines", "{}", {"--time", "2026-12-10\n12:00"}},
        {"time with a tab", "{}", {"--time", "2026-12-10\t12:00"}},
        {"NUL after the request", std::string(R"({"precision":0})") + '\0' + "garbage", {}},
        {"NUL alone", std::string(1, '\0'), {}},
        {"deep pile value",
         R"({"pile":{"d":)" + std::string(100000, '[') + std::string(100000, ']') + "}}",
         {}},
        {"deep pile value in formula two",
         R"({"pile":{"drag":{"layers":)" + std::string(100000, '[') + std::string(100000, ']') +
             "}}}",
         kFormulaTwo},
        {"sixty-five levels", std::string(65, '[') + std::string(65, ']'), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.input);
        std::ostringstream out, err;
        EXPECT_EQ(runSearchCommand(c.args, in, out, err), kExitUsage);
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str(), "");
    }
}

// ---- Formula two ----------------------------------------------------------------------

// A settling layer down to -40 m whose down-drag load outweighs half of Ra for the smaller
// default candidates: their [Nk]/Ra falls to 71%, and [N] is negative for 44 of the 360.
json settlingLayer() { return J(R"({"drag": {"layers": [["-40", "18", "0.3", "100"]]}})"); }

std::vector<int> zeros(size_t n) { return std::vector<int>(n, 0); }

TEST(SearchCommandFormulaTwo, DefaultSearchListsTheSoilColumns) {
    const SearchRun run = runSearch(json::object(), kFormulaTwo);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const json& a = run.answer;
    EXPECT_EQ(a["status"], "计算完成，桩数：360 根");
    const json& raw = a["raw"];
    ASSERT_EQ(raw.size(), 360u);
    for (size_t i = 0; i < raw.size(); ++i) {
        ASSERT_EQ(raw[i].size(), size_t(formulaTwoListLayout().columnCount())) << i;
        ASSERT_EQ(raw[i][kIdQgn], "1") << i;
        ASSERT_EQ(raw[i][kIdFsk], "0") << i;
    }
    // The default layer's down-drag load, 604 kN on a 1000 mm circle: [N] = 8412 - 1.2 × 604.
    EXPECT_EQ(raw[0], json({"ZH-001", "圆  桩", "1000",     "-",      "14844", "8412", "2.0d",
                            "1",      "35.00",  "干 作 业", "1.0800", "C25",   "604",  "14844",
                            "100%",   "7687",   "91%",      "",       "1",     "0"}));
    EXPECT_EQ(a["headers"].size(), size_t(formulaTwoListLayout().columnCount()));
    EXPECT_EQ(a["sortStates"], json(zeros(7)));
    EXPECT_EQ(a["visibleColumns"], json({0, 1, 2, 3, 4, 5, 12, 13, 14, 15, 16}));
    // The search ticked the down-drag box of the input screen (a new window has neither).
    EXPECT_EQ(a["input"]["negativeFriction"], true);
    EXPECT_EQ(a["input"]["sideResistance"], false);

    // Unfolded, the note columns show too; the switch columns never do.
    const SearchRun unfolded = runSearch(J(R"({"actions": [{"fold": true}]})"), kFormulaTwo);
    json shown = json::array();
    for (int c = 0; c <= twoColumn(ListField::Note); ++c) shown.push_back(c);
    EXPECT_EQ(unfolded.answer["visibleColumns"], shown);
}

// The switch rows, not the check boxes of "pile", decide the soil terms of a search.
TEST(SearchCommandFormulaTwo, SwitchesDecideTheSoilTerms) {
    struct Case {
        const char* name;
        json request;
        const char* idQgn;
        const char* idFsk;
        const char* ra;  // of the first row
        const char* qgn;
    };
    const std::vector<Case> cases = {
        {"side resistance only", J(R"({"switches": ["0", "1"]})"), "0", "1", "15472", "0"},
        // Above 1 counts as 1, below 1 as 0.
        {"out-of-range texts over the pile's boxes",
         J(R"({"pile": {"negativeFriction": false, "sideResistance": true},
               "switches": ["5", "-3"]})"),
         "1", "0", "14844", "604"},
        // An edit of a switch enables 计算 again.
        {"edited, then searched again",
         J(R"({"actions": [{"switches": ["0", "0"]}, {"search": true}]})"), "0", "0", "14844", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchRun run = runSearch(c.request, kFormulaTwo);
        ASSERT_EQ(run.status, kExitOk) << run.err;
        const json& raw = run.answer["raw"];
        ASSERT_EQ(raw.size(), 360u);
        for (size_t i = 0; i < raw.size(); ++i) {
            ASSERT_EQ(raw[i][kIdQgn], c.idQgn) << i;
            ASSERT_EQ(raw[i][kIdFsk], c.idFsk) << i;
        }
        EXPECT_EQ(raw[0][kTwoRa], c.ra);
        EXPECT_EQ(raw[0][kQgn], c.qgn);
        EXPECT_EQ(run.answer["input"]["negativeFriction"], std::string(c.idQgn) == "1");
        EXPECT_EQ(run.answer["input"]["sideResistance"], std::string(c.idFsk) == "1");
    }
}

TEST(SearchCommandFormulaTwo, SortsTheLimitColumns) {
    const SearchRun unsorted = runSearch({{"pile", settlingLayer()}}, kFormulaTwo);
    ASSERT_EQ(unsorted.status, kExitOk) << unsorted.err;
    struct Case {
        const char* name;
        json actions;
        int column;
        const char* status;
        std::vector<int> states;  // of d|a, Ra, Rc, [Nk], [Nk]/Ra, [N], [N]/Rc
        int direction;            // 1 ascending, -1 descending, 0 unchanged
    };
    const std::vector<Case> cases = {
        // "71%" comes before "100%": the ratios compare as numbers.
        {"[Nk]/Ra",
         json::array({sortBy(kNkRatio)}),
         kNkRatio,
         "[Nk]/Ra升序排列完成",
         {0, 0, 0, 0, 1, 0, 0},
         1},
        {"[N] twice",
         json::array({sortBy(kN), sortBy(kN)}),
         kN,
         "[N]降序排列完成",
         {0, 0, 0, 0, 0, 2, 0},
         -1},
        {"hidden IdQgn",
         json::array({sortBy(kNkRatio), sortBy(kIdQgn)}),
         kIdQgn,
         "仅支持d、Ra、Rc、[Nk]、[N]及比率排序",
         {0, 0, 0, 0, 1, 0, 0},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchRun run =
            runSearch({{"pile", settlingLayer()}, {"actions", c.actions}}, kFormulaTwo);
        ASSERT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.answer["status"], c.status);
        EXPECT_EQ(run.answer["sortStates"], json(c.states));
        const json& raw = run.answer["raw"];
        ASSERT_EQ(raw.size(), 360u);
        if (c.direction == 0) continue;
        EXPECT_NE(raw.front()[c.column], raw.back()[c.column]);
        for (size_t i = 1; i < raw.size(); ++i)
            ASSERT_GE(c.direction * (number(raw[i][c.column]) - number(raw[i - 1][c.column])), 0)
                << i;
    }
    // A click on a column that does not sort leaves the sorted list as it was.
    const SearchRun sorted =
        runSearch({{"pile", settlingLayer()}, {"actions", {sortBy(kNkRatio)}}}, kFormulaTwo);
    const SearchRun clicked = runSearch(
        {{"pile", settlingLayer()}, {"actions", {sortBy(kNkRatio), sortBy(kIdQgn)}}}, kFormulaTwo);
    EXPECT_EQ(clicked.answer["raw"], sorted.answer["raw"]);
    EXPECT_NE(sorted.answer["raw"], unsorted.answer["raw"]);
}

TEST(SearchCommandFormulaTwo, FilterBoundsAllFourLimits) {
    const SearchRun unfiltered = runSearch({{"pile", settlingLayer()}}, kFormulaTwo);
    ASSERT_EQ(unfiltered.status, kExitOk) << unfiltered.err;
    constexpr double kNoMax = 1e15;
    struct Bounds {
        double lo, hi;
    };
    struct Case {
        const char* name;
        json request;                  // besides the pile
        std::array<Bounds, 4> bounds;  // Ra, Rc, [Nk], [N]
    };
    const std::vector<Case> cases = {
        // Each bound drops rows that the other three keep.
        {"four bounds",
         J(R"({"filters": [["30000", "50000"], ["0", "25000"], ["5000", "40000"], ["0", "20000"]],
               "actions": [{"filter": true}]})"),
         {{{30000, 50000}, {0, 25000}, {5000, 40000}, {0, 20000}}}},
        // Bounds of 0 hold nothing back but a negative limit.
        {"edited to zero",
         J(R"({"actions": [{"filters": [["0", "0"], ["0", "0"], ["0", "0"], ["0", "0"]]},
                           {"filter": true}]})"),
         {{{0, kNoMax}, {0, kNoMax}, {0, kNoMax}, {0, kNoMax}}}},
    };
    const std::array<int, 4> columns = {kTwoRa, kTwoRc, kNk, kN};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        json request = c.request;
        request["pile"] = settlingLayer();
        const SearchRun run = runSearch(request, kFormulaTwo);
        ASSERT_EQ(run.status, kExitOk) << run.err;
        json expected = json::array();
        for (const json& row : unfiltered.answer["raw"]) {
            bool passes = true;
            for (size_t k = 0; k < columns.size(); ++k) {
                const double v = number(row[columns[k]]);
                passes = passes && v >= c.bounds[k].lo && v <= c.bounds[k].hi;
            }
            if (passes) expected.push_back(row);
        }
        ASSERT_FALSE(expected.empty());
        ASSERT_LT(expected.size(), unfiltered.answer["raw"].size());
        EXPECT_EQ(run.answer["shown"], "filtered");
        EXPECT_EQ(run.answer["filtered"], expected);
    }
}

// A double click takes the row's switches back to the input screen's check boxes.
TEST(SearchCommandFormulaTwo, FetchRestoresTheSwitches) {
    const SearchRun run =
        runSearch({{"switches", {"0", "1"}}, {"actions", {sortBy(kTwoRa), J(R"({"fetch": 0})")}}},
                  kFormulaTwo);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const json& row = run.answer["raw"][0];
    const json& input = run.answer["input"];
    EXPECT_EQ(run.answer["shown"], "input");
    EXPECT_EQ(input["d"], row[kTwoSize]);
    EXPECT_EQ(input["hr"], row[kTwoDepth]);
    EXPECT_EQ(input["negativeFriction"], false);
    EXPECT_EQ(input["sideResistance"], true);
}

// --save prints the formula-two file; its appendix describes the soil screens as the request
// filled them.
TEST(SearchCommandFormulaTwo, SaveEndsWithTheSoilAppendix) {
    struct Case {
        const char* name;
        const char* request;
        std::vector<std::string> appendix;
    };
    const std::vector<Case> cases = {
        {"both soil terms, three and two layers",
         R"({"switches": ["1", "1"],
             "pile": {"drag": {"Eg": "-0.5", "Ep": "-1.25", "p": "12.5",
                               "layers": [["-4", "17", "0.25", "20"], ["-8.5", "18", "0.3", "30"],
                                          ["-12", "19.5", "0.35", "40"]]},
                      "side": {"layers": [["5", "40"], ["3.5", "60"]]}}})",
         {
             "*****************************************************************",
             "*  附录：桩侧土体参数                                           *",
             "*    1、 桩侧土体负摩阻力参数                                   *",
             "*        -----------------------------------------------------  *",
             "*        土层    地面标高    桩顶标高       地面大面积荷载      *",
             "*        数 m      Eg(m)       Ep(m)             p(kPa)         *",
             "*        -----------------------------------------------------  *",
             "*          3      -0.500      -1.250             12.50          *",
             "*        -----------------------------------------------------  *",
             "*        土层    层底标高    土体重度    负摩阻力    土层侧阻   *",
             "*        序号      Ei(m)    γi(kN/m3)   系数ξni    qsik(kPa)  *",
             "*        -----------------------------------------------------  *",
             "*          1           -4         17       0.25           20    *",
             "*          2         -8.5         18        0.3           30    *",
             "*          3          -12       19.5       0.35           40    *",
             "*        -----------------------------------------------------  *",
             "*    2、 桩侧土体侧阻力参数                                     *",
             "*        -------------------------------------                  *",
             "*        土层    土层    土层厚度    土层侧阻                   *",
             "*        数 n    序号      li(m)     qsik(kPa)                  *",
             "*        -------------------------------------                  *",
             "*          2       1           5          40                    *",
             "*          2       2         3.5          60                    *",
             "*        -------------------------------------                  *",
             "*****************************************************************",
         }},
        {"neither",
         R"({"switches": ["0", "0"]})",
         {
             "**************************************************",
             "*  附录：桩侧土体参数                            *",
             "*    1、 桩侧土负摩阻力不考虑。                  *",
             "*    2、 桩侧土体侧阻力不考虑。                  *",
             "**************************************************",
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchRun run =
            runSearch(J(c.request), {"--formula", "2", "--save", "--time", kTime});
        ASSERT_EQ(run.status, kExitOk) << run.err;
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0],
                  std::string(93, '=') + " 嵌岩桩优化计算原始结果 " + std::string(93, '='));
        std::vector<std::string> tail = {std::string("计算时间：") + kTime, ""};
        tail.insert(tail.end(), c.appendix.begin(), c.appendix.end());
        ASSERT_GE(lines.size(), tail.size());
        EXPECT_EQ(
            std::vector<std::string>(lines.end() - static_cast<long>(tail.size()), lines.end()),
            tail);
    }
}

}  // namespace
}  // namespace pile::cli
