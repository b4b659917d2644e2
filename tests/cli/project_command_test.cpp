// pilecalc on a project file: `compute --project F` and `search < F` agree with the window that
// opened F, on a formula-two project with twenty layers in both soil screens.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/model/application.h"
#include "app/model/formula_two_window.h"
#include "app/model/project_file.h"
#include "books/text_file.h"
#include "cli/commands.h"
#include "tests/model/fake_platform.h"

namespace pile::cli {
namespace {

using nlohmann::json;

// Twenty layers of each soil screen, the elevations going down, texts as an engineer types
// them (some without decimals).
TypedState twentyLayerProject() {
    TypedState s;
    s.formula = 2;
    s.pile.dd = "1400";
    s.pile.hr = "2.0d";
    s.pile.frk = "18.5";
    s.soil.dragLoad = true;
    s.soil.sideResistance = true;
    s.soil.drag.p = "15";
    s.soil.drag.layers.clear();
    s.soil.side.layers.clear();
    for (int i = 0; i < 20; ++i) {
        s.soil.drag.layers.push_back({"", std::to_string(-1 - i) + ".5", i % 2 ? "18" : "19.5",
                                      i % 3 ? "0.25" : "0.3", std::to_string(20 + i)});
        s.soil.side.layers.push_back({i % 2 ? "1.2" : "0.8", std::to_string(30 + 2 * i)});
    }
    s.precision = 1;
    // A small search: two diameters, two depths.
    s.items = {{"1", "1", "1"},          {"1200", "1400", "200"},
               {"1000", "2000", "500"},  {"2000", "3000", "500"},
               {"1500", "2000", "500"},  {"1000", "2000", "500"},
               {"1.0d", "2.0d", "1.0d"}, {"1", "1", "1"},
               {"18.5", "18.5", "5.00"}, {"35.00", "40.00", "5.00"},
               {"C25", "C25", "5"},      {"2", "2", "1"}};
    s.switches = {"1", "1"};
    s.filters = {{"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}};
    return s;
}

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun run(int (*command)(const std::vector<std::string>&, std::istream&, std::ostream&,
                              std::ostream&),
               const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = command(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(ProjectCommand, ComputeAndSearchAgreeWithTheWindowThatOpenedTheFile) {
    test::FakePlatform fake;
    std::filesystem::create_directories(fake.documents.path);
    const auto path = fake.documents.path / "二十层.rpile.json";
    writeProjectFile(path, projectText(twentyLayerProject()));
    const std::string file = path.string();

    Application app(fake.platform);
    auto* window = dynamic_cast<FormulaTwoWindow*>(app.openProject(path));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->dragScreen().Grid1_Fumozhulijisuan.rowCount(), 20);
    FormulaTwoInputScreen& input = window->formulaTwoInput();
    input.cbt_computeClick();
    ASSERT_EQ(window->pileCounter(), 1) << input.lb_shuoming.text();

    const CommandRun compute = run(runComputeCommand, {"--project", file});
    ASSERT_EQ(compute.status, 0) << compute.err;
    const json answer = json::parse(compute.out);
    EXPECT_EQ(answer["ok"], true);
    EXPECT_EQ(answer["ra"], input.edt_ra.text());
    EXPECT_EQ(answer["rc"], input.edt_rc.text());
    EXPECT_EQ(answer["kesair"], input.edt_kesair.text());
    EXPECT_EQ(answer["qgn"], input.edt_Qgn.text());
    EXPECT_EQ(answer["nk"], input.edt_Nkxianzhi.text());
    EXPECT_EQ(answer["n"], input.edt_Nxianzhi.text());
    EXPECT_EQ(answer["dragLoad"]["label"], window->dragScreen().lb_FQgn.text());
    EXPECT_EQ(answer["sideLoad"]["label"], window->sideScreen().lb_Qsk.text());

    // The search of the file, and the window's own: 计算 on its optimisation screen.
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const CommandRun search = run(runSearchCommand, {"--formula", "2"}, text);
    ASSERT_EQ(search.status, 0) << search.err;
    const json state = json::parse(search.out);
    window->cbt_YouHuaClick();
    OptimisationScreen& screen = window->optimisationScreen();
    screen.cbt_YHcomputeClick();
    const ResultList& list = screen.rawList();
    ASSERT_EQ(list.size(), 4u) << screen.lb_YHxingxi.text();
    ASSERT_EQ(state["raw"].size(), list.size());
    for (std::size_t r = 0; r < list.size(); ++r)
        for (int c = 0; c < list.columnCount(); ++c)
            EXPECT_EQ(state["raw"][r][static_cast<std::size_t>(c)], list.cellText(r, c))
                << "row " << r << ", column " << c;
    EXPECT_EQ(state["status"], screen.lb_YHxingxi.text());
}

TEST(ProjectCommand, ProjectsAreRefusedAsPilecalcRefusesARequest) {
    test::FakePlatform fake;
    std::filesystem::create_directories(fake.documents.path);
    const auto path = fake.documents.path / "one.rpile.json";
    writeProjectFile(path,
                     "{\"format\": \"rockpile-project\", \"version\": 1, \"formula\": 1,\n"
                     "\"pile\": {\"d\": true}}");
    const CommandRun compute = run(runComputeCommand, {"--project", path.string()});
    EXPECT_EQ(compute.status, kExitUsage);
    EXPECT_EQ(compute.err, "pilecalc compute: " + path.string() +
                               ": line 2, key \"pile.d\": must be a text or a number\n");
    EXPECT_EQ(run(runComputeCommand, {"--project", path.string(), "--formula", "2"}).status,
              kExitUsage);

    // A project of formula two is not a request for formula one, nor one of a later version.
    const std::string two = "{\"format\": \"rockpile-project\", \"version\": 1, \"formula\": 2}";
    const CommandRun wrongFormula = run(runSearchCommand, {}, two);
    EXPECT_EQ(wrongFormula.status, kExitUsage);
    EXPECT_NE(wrongFormula.err.find("--formula 2"), std::string::npos);
    const CommandRun later =
        run(runSearchCommand, {"--formula", "2"},
            "{\"format\": \"rockpile-project\", \"version\": 2, \"formula\": 2}");
    EXPECT_EQ(later.status, kExitUsage);
}

}  // namespace
}  // namespace pile::cli
