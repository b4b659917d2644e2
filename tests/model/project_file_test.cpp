// Project files: a window's typed state saved and opened again, bad files refused with the key
// and the line and nothing changed, the title's "*", and the question before a book with
// unsaved piles is let go (退出, opening a project, the chooser's exit).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "app/model/application.h"
#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "app/model/project_file.h"
#include "books/text_file.h"
#include "tests/model/event_sequence.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

using test::FakePlatform;
using test::readBytes;

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every control a project holds, as "name=state" lines: texts, items picked, boxes ticked, and
// whether each can be used; the soil grids' typed cells and every cell of the item table.
std::vector<std::string> typedControls(const CalculatorWindow& w) {
    std::vector<std::string> out;
    const auto put = [&out](const std::string& name, const Control& c, const std::string& value) {
        out.push_back(name + "=" + value + (c.enabled() ? "" : " (disabled)"));
    };
    const InputScreen& in = w.inputScreen();
    put("cbb_jmlx", in.cbb_jmlx, std::to_string(in.cbb_jmlx.index()));
    put("cbe_dd", in.cbe_dd, in.cbe_dd.text());
    put("cbe_tyzd", in.cbe_tyzd, in.cbe_tyzd.text());
    put("cbe_hr", in.cbe_hr, in.cbe_hr.text());
    put("cbb_hnt", in.cbb_hnt, in.cbb_hnt.text());
    put("cbb_czgy", in.cbb_czgy, in.cbb_czgy.text());
    put("rdb_fuk", in.rdb_fuk, in.rdb_fuk.checked() ? "on" : "off");
    put("edt_frk", in.edt_frk, in.edt_frk.text());
    put("edt_fuk", in.edt_fuk, in.edt_fuk.text());
    put("ckb_ystj", in.ckb_ystj, in.ckb_ystj.checked() ? "on" : "off");
    put("popbox_jingdu", in.popbox_jingdu, std::to_string(in.popbox_jingdu.index()));
    const Grid& items = w.optimisationScreen().Grid1_Youhuaxuanxiang;
    for (int r = 0; r < items.rowCount(); ++r)
        for (int c = 0; c < 5; ++c)
            put("item " + std::to_string(r) + "," + std::to_string(c), items, items.cell(r, c));
    if (const auto* two = dynamic_cast<const FormulaTwoWindow*>(&w)) {
        const FormulaTwoInputScreen& f = two->formulaTwoInput();
        put("ckb_fumozhuli", f.ckb_fumozhuli, f.ckb_fumozhuli.checked() ? "on" : "off");
        put("ckb_zhengmozhuli", f.ckb_zhengmozhuli, f.ckb_zhengmozhuli.checked() ? "on" : "off");
        put("cbt_fumozhuli", f.cbt_fumozhuli, "");
        put("cbt_zhengmozhuli", f.cbt_zhengmozhuli, "");
        const NegativeFrictionScreen& d = two->dragScreen();
        put("cbe_Junbuhezai", d.cbe_Junbuhezai, d.cbe_Junbuhezai.text());
        put("edt_Dimianbiaogao", d.edt_Dimianbiaogao, d.edt_Dimianbiaogao.text());
        put("edt_Zhuangdingbiaogao", d.edt_Zhuangdingbiaogao, d.edt_Zhuangdingbiaogao.text());
        put("cbb_Tuchengshu", d.cbb_Tuchengshu, d.cbb_Tuchengshu.text());
        const Grid& dg = d.Grid1_Fumozhulijisuan;
        for (int r = 0; r < dg.rowCount(); ++r)
            for (int c = drag_col::kNumber; c <= drag_col::kQsik; ++c)
                put("drag " + std::to_string(r) + "," + std::to_string(c), dg, dg.cell(r, c));
        const SideResistanceScreen& s = two->sideScreen();
        put("cbb_ZhengTuchengshu", s.cbb_ZhengTuchengshu, s.cbb_ZhengTuchengshu.text());
        const Grid& sg = s.Grid1_Zhengmozhulijisuan;
        for (int r = 0; r < sg.rowCount(); ++r)
            for (int c = side_col::kNumber; c <= side_col::kQsik; ++c)
                put("side " + std::to_string(r) + "," + std::to_string(c), sg, sg.cell(r, c));
    }
    return out;
}

// ---- Round trip ------------------------------------------------------------------------------

// A window brought to a random state by user actions is saved; a new window opens the file
// and saves it again: the files are the same bytes and every control a project holds reads
// as it did.
void roundTrip(int formula, std::uint32_t seed) {
    SCOPED_TRACE("formula " + std::to_string(formula) + ", seed " + std::to_string(seed));
    test::EventSequence sequence(formula);
    test::Choices choices(seed);
    std::string done;
    for (int i = 0; i < 150; ++i) ASSERT_EQ(sequence.step(choices, done), "") << done;
    CalculatorWindow& original = sequence.window();

    FakePlatform fake;
    std::filesystem::create_directories(fake.documents.path);
    const auto first = fake.documents.path / pathFromUtf8("一.rpile.json");
    const auto second = fake.documents.path / pathFromUtf8("二.rpile.json");
    writeProjectFile(first, projectText(typedStateOf(original)));

    Application app(fake.platform);
    CalculatorWindow* reopened = app.openProject(first);
    ASSERT_NE(reopened, nullptr) << (fake.errors.shown.empty() ? "" : fake.errors.shown.back());
    EXPECT_EQ(reopened->pileCounter(), 0);  // opening computes nothing
    fake.dialogs.savePath = second;
    reopened->saveProjectAsClick();
    EXPECT_EQ(readBytes(second), readBytes(first));
    EXPECT_EQ(typedControls(*reopened), typedControls(original));
}

TEST(ProjectFile, RandomWindowStatesRoundTrip) {
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        roundTrip(1, seed);
        roundTrip(2, seed);
    }
}

TEST(ProjectFile, SavedIndentedInAFixedKeyOrder) {
    FakePlatform fake;
    FormulaTwoWindow window(fake.platform);
    const std::string text = projectText(typedStateOf(window));
    const std::vector<std::string> order = {"\"format\"", "\"version\"",  "\"formula\"",
                                            "\"pile\"",   "\"section\"",  "\"negativeFriction\"",
                                            "\"drag\"",   "\"side\"",     "\"precision\"",
                                            "\"items\"",  "\"switches\"", "\"filters\""};
    std::size_t at = 0;
    for (const std::string& key : order) {
        const std::size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
    EXPECT_EQ(text.rfind("{\n  \"format\": \"rockpile-project\",\n  \"version\": 1,\n", 0), 0u);
    EXPECT_EQ(text.back(), '\n');
}

// ---- Bad files -----------------------------------------------------------------------------

TEST(ProjectFile, BadFilesNameTheKeyAndTheLine) {
    const std::string head = "{\"format\": \"rockpile-project\",\n\"version\": 1,\n\"formula\": ";
    struct Case {
        const char* name;
        std::string text;
        std::string key;
        int line;
        const char* chinese;  // a part of the window's message
    };
    const std::string twentyOne = [] {
        std::string rows;
        for (int i = 0; i < 21; ++i) rows += std::string(i ? "," : "") + "[\"1\", \"2\"]";
        return rows;
    }();
    const std::vector<Case> cases = {
        {"not JSON", "{\"format\": \"rockpile-project\",\n\"version\": 1,,\n}", "", 2,
         "不是有效的 JSON"},
        {"not an object", "[1, 2]", "", 1, "不是项目文件"},
        {"not a project", "{\"format\": \"other\"}", "format", 1, "不是嵌岩桩项目文件"},
        {"no format", "{\"pile\": {}}", "", 1, "不是嵌岩桩项目文件"},
        {"later version", "{\"format\": \"rockpile-project\",\n\"version\": 2, \"formula\": 1}",
         "version", 2, "版本比本程序新"},
        {"unknown key", head + "1,\n\"pile\": {\n\"d\": \"1000\",\n\"dd\": \"1\"}}", "pile.dd", 6,
         "未知的键"},
        {"soil key in formula one", head + "1,\n\"pile\": {\"drag\": {}}}", "pile.drag", 4,
         "未知的键"},
        {"actions are no project's", head + "1,\n\"actions\": []}", "actions", 4, "未知的键"},
        {"wrong type", head + "1,\n\"pile\": {\n\"slope\": \"yes\"}}", "pile.slope", 5,
         "true 或 false"},
        {"text of wrong type", head + "1,\n\"pile\": {\"d\": [1000]}}", "pile.d", 4,
         "应为文字或数字"},
        {"control character", head + "1,\n\"pile\": {\n\"hr\": \"1.0d\\u0009\"}}", "pile.hr", 5,
         "控制字符"},
        {"line separator",
         head + "2,\n\"pile\": {\"drag\": {\"layers\": [[\"1\", \"2\", "
                "\"3\",\n\"4\\u2028\"]]}}}",
         "pile.drag.layers[0][3]", 5, "控制字符"},
        {"more than 20 layers",
         head + "2,\n\"pile\": {\"side\": {\n\"layers\": [" + twentyOne + "]}}}",
         "pile.side.layers", 5, "1到20层"},
        {"item row of two cells", head + "1,\n\"items\": [[\"1\", \"2\", \"3\"], [\"1\", \"2\"]]}",
         "items", 4, "应有12行"},
        {"filter row of three cells",
         head + "1,\n\"filters\": [[\"1\", \"2\"],\n[\"1\", \"2\", \"3\"]]}", "filters[1]", 5,
         "2项"},
        {"process out of range", head + "1,\n\"pile\": {\"section\": 2,\n\"process\": 3}}",
         "pile.process", 5, "0到0"},
        {"a key twice", head + "1,\n\"precision\": 1, \"precision\": 2}", "", 0,
         "两个键“precision”"},
        {"nested too deep", head + "1, \"pile\": " + std::string(100, '[') + "}", "", 0,
         "嵌套层数"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto read = readProjectText(c.text);
        ASSERT_TRUE(std::holds_alternative<ProjectProblem>(read));
        const ProjectProblem& problem = std::get<ProjectProblem>(read);
        EXPECT_EQ(problem.key, c.key);
        EXPECT_EQ(problem.line, c.line);
        EXPECT_NE(problem.chineseText().find(c.chinese), std::string::npos)
            << problem.chineseText();
        if (!c.key.empty()) {
            EXPECT_NE(problem.englishText().find("\"" + c.key + "\""), std::string::npos);
        }
    }
}

TEST(ProjectFile, ARefusedFileChangesNothing) {
    FakePlatform fake;
    Application app(fake.platform);
    app.openCalculator(CalculatorKind::FormulaTwo);
    CalculatorWindow* window = app.BVK_FRM_WENA2();
    window->inputScreen().cbe_dd.setText("1800");
    window->inputScreen().cbt_computeClick();
    const std::vector<std::string> before = typedControls(*window);

    std::filesystem::create_directories(fake.documents.path);
    const auto bad = fake.documents.path / pathFromUtf8("坏.rpile.json");
    writeBytes(bad,
               "{\"format\": \"rockpile-project\", \"version\": 1, \"formula\": 2,\n"
               "\"pile\": {\"d\": \"1200\", \"grade\": 99}}");
    EXPECT_EQ(app.openProject(bad), nullptr);
    ASSERT_EQ(fake.errors.shown.size(), 1u);
    EXPECT_EQ(fake.errors.shown[0],
              "项目文件“坏.rpile.json”不能打开：第2行，键“pile.grade”：应在0到7之间");
    EXPECT_EQ(app.BVK_FRM_WENA2(), window);
    EXPECT_EQ(typedControls(*window), before);
    EXPECT_EQ(window->pileCounter(), 1);
    EXPECT_TRUE(fake.dialogs.asked.empty());
}

TEST(ProjectFile, AHugeFileIsRefusedUnread) {
    FakePlatform fake;
    std::filesystem::create_directories(fake.documents.path);
    const auto huge = fake.documents.path / "huge.rpile.json";
    {
        std::ofstream out(huge, std::ios::binary);
        out << "{\"format\": \"rockpile-project\", \"pile\": {\"d\": \"";
        out.seekp(100 * 1024 * 1024);  // sparse: 100 MB on disk in no time
        out << "\"}}";
    }
    auto read = readProjectFile(huge);
    ASSERT_TRUE(std::holds_alternative<ProjectProblem>(read));
    EXPECT_NE(std::get<ProjectProblem>(read).englishText().find("larger than"), std::string::npos);
}

// ---- What opening does -------------------------------------------------------------------------

TEST(ProjectFile, FieldsTheLiveChecksRefuseOpenAsTypedAndComputeRefusesThem) {
    FakePlatform fake;
    std::filesystem::create_directories(fake.documents.path);
    const auto path = fake.documents.path / "typed.rpile.json";
    writeBytes(path,
               "{\"format\": \"rockpile-project\", \"version\": 1, \"formula\": 1,"
               " \"pile\": {\"d\": \"1,000\", \"hr\": \"\"}, \"precision\": 0}");
    Application app(fake.platform);
    CalculatorWindow* window = app.openProject(path);
    ASSERT_NE(window, nullptr);
    InputScreen& in = window->inputScreen();
    EXPECT_EQ(in.cbe_dd.text(), "1,000");
    EXPECT_EQ(in.cbe_hr.text(), "");
    EXPECT_EQ(in.popbox_jingdu.index(), 0);
    EXPECT_EQ(in.edt_ra.text(), "");
    EXPECT_TRUE(in.cbt_compute.visible());
    in.cbt_computeClick();
    EXPECT_EQ(window->pileCounter(), 0);
    EXPECT_EQ(in.cbe_dd.textColour(), TextColour::Red);
}

TEST(ProjectFile, AFileOfTheOtherFormulaOpensTheOtherCalculator) {
    FakePlatform fake;
    std::filesystem::create_directories(fake.documents.path);
    const auto path = fake.documents.path / pathFromUtf8("二.rpile.json");
    writeBytes(path,
               "{\"format\": \"rockpile-project\", \"version\": 1, \"formula\": 2,"
               " \"pile\": {\"negativeFriction\": true}}");
    Application app(fake.platform);
    CalculatorWindow* one = app.openCalculator(CalculatorKind::FormulaOne);
    fake.dialogs.openPath = path;
    one->openProjectClick();
    const auto chosen = one->takeProjectToOpen();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(fake.dialogs.openedIn, std::vector<std::filesystem::path>{fake.documents.path});
    CalculatorWindow* two = app.openProject(*chosen);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(app.BVK_FRM_WENA2(), two);
    EXPECT_EQ(app.BVK_FRM_WENA1(), one);
    EXPECT_TRUE(dynamic_cast<FormulaTwoWindow*>(two)->formulaTwoInput().ckb_fumozhuli.checked());
}

TEST(ProjectFile, TheTitleNamesTheFileAndMarksAChange) {
    FakePlatform fake;
    FormulaOneWindow window(fake.platform);
    EXPECT_EQ(window.windowTitle(), "嵌岩桩承载力计算 (DBJ50-200-2014)");

    // The first save proposes a name in the Documents folder; the suffix is added.
    fake.dialogs.savePath = fake.documents.path / pathFromUtf8("桩");
    window.saveProjectClick();
    ASSERT_EQ(fake.dialogs.suggested.size(), 1u);
    EXPECT_EQ(fake.dialogs.suggested[0], fake.documents.path / pathFromUtf8(kProjectDefaultName));
    EXPECT_EQ(window.projectPath(), fake.documents.path / pathFromUtf8("桩.rpile.json"));
    EXPECT_EQ(window.windowTitle(), "桩.rpile.json - 嵌岩桩承载力计算 (DBJ50-200-2014)");

    window.inputScreen().cbe_dd.setText("1500");
    EXPECT_EQ(window.windowTitle(), "桩.rpile.json* - 嵌岩桩承载力计算 (DBJ50-200-2014)");
    window.inputScreen().cbe_dd.setText("1000");  // back as in the file
    EXPECT_FALSE(window.projectModified());
    window.inputScreen().cbe_dd.setText("1600");
    window.saveProjectClick();  // to the same file, without a question
    EXPECT_EQ(fake.dialogs.suggested.size(), 1u);
    EXPECT_FALSE(window.projectModified());
    EXPECT_NE(readBytes(window.projectPath()).find("\"d\": \"1600\""), std::string::npos);

    // A cancelled dialog saves nothing.
    fake.dialogs.savePath.clear();
    window.saveProjectAsClick();
    EXPECT_EQ(window.projectPath(), fake.documents.path / pathFromUtf8("桩.rpile.json"));
}

TEST(ProjectFile, ASaveThatFailsKeepsTheFileAndThrows) {
    FakePlatform fake;
    FormulaOneWindow window(fake.platform);
    fake.dialogs.savePath = fake.documents.path / "no such folder" / "p.rpile.json";
    EXPECT_THROW(window.saveProjectAsClick(), FileWriteError);
    EXPECT_TRUE(window.projectPath().empty());
}

// ---- The question before a book is let go
// --------------------------------------------------------

class BookQuestionTest : public ::testing::Test {
  protected:
    FakePlatform fake;
    Application app{fake.platform};
    CalculatorWindow* window = nullptr;

    void SetUp() override { window = app.openCalculator(CalculatorKind::FormulaOne); }
    void computeThree() {
        for (const char* d : {"1000", "1200", "1400"}) {
            window->inputScreen().cbe_dd.setText(d);
            window->inputScreen().cbt_computeClick();
        }
        ASSERT_EQ(window->pileCounter(), 3);
    }
    bool booksSaved() const {
        return std::filesystem::exists(fake.documents.path / pathFromUtf8(kDetailedBookFileName)) &&
               std::filesystem::exists(fake.documents.path / pathFromUtf8(kSummaryTableFileName));
    }
};

TEST_F(BookQuestionTest, ExitWithUnsavedPilesAsks) {
    computeThree();
    fake.dialogs.answers = {SaveAnswer::Cancel};
    window->cbt_tuichuClick();
    EXPECT_EQ(fake.dialogs.asked,
              std::vector<std::string>{"计算书中有未保存的计算结果，是否先保存计算书？"});
    EXPECT_FALSE(window->closeRequested());
    EXPECT_EQ(window->pileCounter(), 3);

    fake.dialogs.answers = {SaveAnswer::Discard};
    window->cbt_tuichuClick();
    EXPECT_TRUE(window->closeRequested());
    EXPECT_FALSE(booksSaved());
}

TEST_F(BookQuestionTest, SaveWritesBothPagesThenCloses) {
    computeThree();
    fake.dialogs.answers = {SaveAnswer::Save};
    window->cbt_tuichuClick();
    EXPECT_TRUE(window->closeRequested());
    EXPECT_TRUE(booksSaved());
    EXPECT_NE(readBytes(fake.documents.path / pathFromUtf8(kSummaryTableFileName)).find("ZH3"),
              std::string::npos);
}

TEST_F(BookQuestionTest, ASaveThatFailsKeepsTheWindow) {
    computeThree();
    fake.documents.path = fake.temp.path() / "a file";
    writeBytes(fake.documents.path, "");
    fake.dialogs.answers = {SaveAnswer::Save};
    EXPECT_FALSE(dispatchEvent(fake.errors, [&] { window->cbt_tuichuClick(); }));
    EXPECT_FALSE(window->closeRequested());
    EXPECT_TRUE(window->holdsUnsavedPiles());
}

TEST_F(BookQuestionTest, NoQuestionForAnEmptyOrSavedBook) {
    window->cbt_tuichuClick();  // nothing computed
    EXPECT_TRUE(window->closeRequested());
    app.calculatorClosed(CalculatorKind::FormulaOne);

    window = app.openCalculator(CalculatorKind::FormulaOne);
    window->inputScreen().cbt_computeClick();
    window->bookScreen().cbt_sanchuClick();  // the only pile deleted
    window->cbt_tuichuClick();
    EXPECT_TRUE(window->closeRequested());
    app.calculatorClosed(CalculatorKind::FormulaOne);

    // Both pages saved by hand; a later search fills no book.
    window = app.openCalculator(CalculatorKind::FormulaOne);
    computeThree();
    window->cbt_SaveClick();
    EXPECT_TRUE(window->holdsUnsavedPiles());  // the summary table is not saved yet
    window->bookScreen().cbt_PageBookClick();
    window->cbt_SaveClick();
    EXPECT_FALSE(window->holdsUnsavedPiles());
    window->cbt_YouHuaClick();
    window->optimisationScreen().cbt_YHcomputeClick();
    window->cbt_YHfanhuiClick();
    window->cbt_tuichuClick();
    EXPECT_TRUE(window->closeRequested());
    EXPECT_TRUE(fake.dialogs.asked.empty());
}

TEST_F(BookQuestionTest, OpeningAProjectOverUnsavedPilesAsks) {
    computeThree();
    std::filesystem::create_directories(fake.documents.path);
    const auto path = fake.documents.path / "p.rpile.json";
    writeBytes(path,
               "{\"format\": \"rockpile-project\", \"version\": 1, \"formula\": 1,"
               " \"pile\": {\"d\": \"2000\"}}");
    std::vector<CalculatorKind> closing;
    app.onCalculatorClosing = [&](CalculatorKind kind) { closing.push_back(kind); };

    fake.dialogs.answers = {SaveAnswer::Cancel};
    EXPECT_EQ(app.openProject(path), nullptr);
    EXPECT_EQ(app.BVK_FRM_WENA1(), window);
    EXPECT_EQ(window->inputScreen().cbe_dd.text(), "1400");
    EXPECT_TRUE(closing.empty());

    fake.dialogs.answers = {SaveAnswer::Discard};
    CalculatorWindow* opened = app.openProject(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(closing, std::vector<CalculatorKind>{CalculatorKind::FormulaOne});
    EXPECT_EQ(opened->inputScreen().cbe_dd.text(), "2000");
    EXPECT_EQ(opened->pileCounter(), 0);
    EXPECT_EQ(fake.dialogs.asked.size(), 2u);
}

TEST_F(BookQuestionTest, TheChoosersExitAsksEachWindow) {
    computeThree();
    fake.dialogs.answers = {SaveAnswer::Cancel};
    app.BVK_FRM_WENA0()->cbt_guanbiClick();
    EXPECT_FALSE(app.BVK_FRM_WENA0()->closeRequested());
    fake.dialogs.answers = {SaveAnswer::Discard};
    app.BVK_FRM_WENA0()->cbt_guanbiClick();
    EXPECT_TRUE(app.BVK_FRM_WENA0()->closeRequested());
    EXPECT_TRUE(window->closeRequested());
}

}  // namespace
}  // namespace pile
