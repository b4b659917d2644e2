// The formula-one window: the screen flow, the books with delete-last, the page switch with
// BookSaveState, and saving with the storage permission.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/model/formula_one_window.h"
#include "books/detailed_book.h"
#include "books/text_file.h"
#include "sheets/table_exports.h"
#include "sheets/xlsx_file.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class CalculatorWindowTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    FormulaOneWindow window{fake.platform};
    InputScreen& input = window.inputScreen();
    BookScreen& books = window.bookScreen();

    const std::vector<std::string>& detailed() const { return books.meo_jisuanjieguo_Doc.lines(); }
    const std::vector<std::string>& table() const { return books.meo_jisuanjieguo_Xls.lines(); }
    std::filesystem::path documentsFile(const char* name) const {
        return fake.documents.path / pathFromUtf8(name);
    }
    // Saves through the event dispatch, as the view does.
    bool save() {
        return dispatchEvent(fake.errors, [this] { window.cbt_SaveClick(); });
    }
};

int countLinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    int n = 0;
    for (const auto& l : lines) n += l.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

TEST_F(CalculatorWindowTest, NewWindowShowsTheInputScreenOnly) {
    EXPECT_TRUE(window.MainFormLayer.visible());
    EXPECT_FALSE(window.JieGuo_DocLayer.visible());
    EXPECT_TRUE(input.cbt_compute.visible());
    EXPECT_FALSE(input.cbt_View.visible());
    EXPECT_EQ(window.pileCounter(), 0);
    EXPECT_EQ(window.bookSaveState(), 0);
    EXPECT_FALSE(window.optimisationMode());
    EXPECT_EQ(books.cbt_PageBook.text(), "1");
    EXPECT_FALSE(books.cbt_sanchu.enabled());
    EXPECT_EQ(books.tcb_meoFontSize.value(), 14);
    EXPECT_TRUE(books.meo_jisuanjieguo_Doc.visible());
    EXPECT_FALSE(books.meo_jisuanjieguo_Xls.visible());
    EXPECT_TRUE(detailed().empty());
    EXPECT_STREQ(CalculatorWindow::kCaption, "嵌岩桩承载力计算 (DBJ50-200-2014)");
}

TEST_F(CalculatorWindowTest, ComputeWritesBothBooksAndResultShowsThem) {
    input.cbt_computeClick();
    EXPECT_EQ(window.pileCounter(), 1);
    EXPECT_EQ(window.bookSaveState(), 3);
    EXPECT_TRUE(books.cbt_Save.enabled());
    EXPECT_TRUE(books.cbt_sanchu.enabled());
    ASSERT_FALSE(detailed().empty());
    EXPECT_EQ(detailed().front(), "================== 嵌岩桩计算书 ==================");
    EXPECT_EQ(detailed().back(), std::string("计算时间：") + test::kFixedTime);
    EXPECT_EQ(table().size(), 5u + 1u + 4u);

    window.cbt_ViewClick();
    EXPECT_FALSE(window.MainFormLayer.visible());
    EXPECT_TRUE(window.JieGuo_DocLayer.visible());
    window.cbt_ExitClick();
    EXPECT_TRUE(window.MainFormLayer.visible());
    EXPECT_FALSE(window.JieGuo_DocLayer.visible());
    EXPECT_TRUE(input.cbt_View.visible());  // Back changes nothing else
}

TEST_F(CalculatorWindowTest, DeleteLastWithSeveralPilesTakesOutTheLastOne) {
    input.cbt_computeClick();
    const std::vector<std::string> afterFirst = detailed();
    const std::vector<std::string> tableAfterFirst = table();
    input.cbe_dd.setText("1200");
    input.cbt_computeClick();
    ASSERT_EQ(window.pileCounter(), 2);
    ASSERT_EQ(countLinesStartingWith(detailed(), "计算时间："), 1);

    const auto revision = books.meo_jisuanjieguo_Doc.revision();
    books.cbt_sanchuClick();
    EXPECT_EQ(window.pileCounter(), 1);
    EXPECT_EQ(detailed(), afterFirst);
    EXPECT_EQ(table(), tableAfterFirst);
    EXPECT_GT(books.meo_jisuanjieguo_Doc.revision(), revision);
    EXPECT_EQ(window.bookSaveState(), 3);
    EXPECT_TRUE(books.cbt_Save.enabled());
    EXPECT_TRUE(books.cbt_sanchu.enabled());
    EXPECT_TRUE(input.cbt_View.visible());  // the input screen is not touched

    // The freed number is used again.
    input.cbt_computeClick();
    EXPECT_EQ(window.pileCounter(), 2);
    EXPECT_EQ(countLinesStartingWith(detailed(), "1.基桩编号: ZH2"), 1);
}

TEST_F(CalculatorWindowTest, DeleteLastWithOnePileEmptiesBothBooks) {
    input.cbt_computeClick();
    books.cbt_sanchuClick();
    EXPECT_EQ(window.pileCounter(), 0);
    EXPECT_TRUE(detailed().empty());
    EXPECT_TRUE(table().empty());
    EXPECT_EQ(window.bookSaveState(), 0);
    EXPECT_FALSE(books.cbt_Save.enabled());
    EXPECT_FALSE(books.cbt_sanchu.enabled());
    EXPECT_TRUE(input.cbt_View.visible());  // Result still offered, showing empty memos

    input.cbt_computeClick();
    EXPECT_EQ(table().size(), 10u);  // the header is written again
}

TEST_F(CalculatorWindowTest, PageSwitchEnablesSaveByTheShownBooksFlag) {
    input.cbt_computeClick();
    window.cbt_ViewClick();

    ASSERT_TRUE(save());
    EXPECT_EQ(window.bookSaveState(), 2);
    EXPECT_FALSE(books.cbt_Save.enabled());

    books.cbt_PageBookClick();
    EXPECT_EQ(books.cbt_PageBook.text(), "2");
    EXPECT_FALSE(books.meo_jisuanjieguo_Doc.visible());
    EXPECT_TRUE(books.meo_jisuanjieguo_Xls.visible());
    EXPECT_TRUE(books.cbt_Save.enabled());

    ASSERT_TRUE(save());
    EXPECT_EQ(window.bookSaveState(), 0);
    EXPECT_FALSE(books.cbt_Save.enabled());

    books.cbt_PageBookClick();
    EXPECT_EQ(books.cbt_PageBook.text(), "1");
    EXPECT_FALSE(books.cbt_Save.enabled());

    // Delete-last with two piles leaves the saved state alone.
    input.cbt_computeClick();
    input.cbt_computeClick();
    ASSERT_TRUE(save());
    books.cbt_PageBookClick();
    ASSERT_TRUE(save());
    books.cbt_sanchuClick();
    EXPECT_EQ(window.bookSaveState(), 0);
    EXPECT_FALSE(books.cbt_Save.enabled());

    // A new computation sets both flags again.
    input.cbt_computeClick();
    EXPECT_EQ(window.bookSaveState(), 3);
    EXPECT_TRUE(books.cbt_Save.enabled());
}

TEST_F(CalculatorWindowTest, FontSizeAppliesToBothMemos) {
    EXPECT_EQ(books.tcb_meoFontSize.value(), BookScreen::kFontSize);
    EXPECT_EQ(books.meo_jisuanjieguo_Doc.fontSize(), BookScreen::kFontSize);
    EXPECT_EQ(books.meo_jisuanjieguo_Xls.fontSize(), BookScreen::kFontSize);
    books.tcb_meoFontSize.setValue(20);
    EXPECT_EQ(books.meo_jisuanjieguo_Doc.fontSize(), 20);
    EXPECT_EQ(books.meo_jisuanjieguo_Xls.fontSize(), 20);
    books.tcb_meoFontSize.setValue(99);
    EXPECT_EQ(books.meo_jisuanjieguo_Doc.fontSize(), 24);
    window.cbt_ViewClick();
    EXPECT_EQ(books.meo_jisuanjieguo_Doc.fontSize(), 24);
}

TEST_F(CalculatorWindowTest, SaveWritesTheShownBookInTheAnsiCodePageWithCrLf) {
    input.cbt_computeClick();
    ASSERT_FALSE(std::filesystem::exists(fake.documents.path));
    ASSERT_TRUE(save());

    ASSERT_EQ(fake.permissions.requests.size(), 1u);
    EXPECT_EQ(fake.permissions.requests[0], std::vector<std::string>{""});
    EXPECT_TRUE(fake.messages.shown.empty());
    const std::string bytes = test::readBytes(documentsFile(kDetailedBookFileName));
    std::string expected;
    for (const auto& line : detailed()) expected += toAnsiCodePage(line) + "\r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    // "嵌岩桩计算书" in CP936 starts with the bytes of "嵌", C7 B6.
    EXPECT_NE(bytes.find("\xC7\xB6"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(documentsFile(kSummaryTableFileName)));
    EXPECT_EQ(window.savedPath(), documentsFile(kDetailedBookFileName));

    books.cbt_PageBookClick();
    ASSERT_TRUE(save());
    EXPECT_EQ(window.savedPath(), documentsFile(kSummaryTableFileName));
    const std::string tableBytes = test::readBytes(documentsFile(kSummaryTableFileName));
    EXPECT_EQ(tableBytes.rfind(toAnsiCodePage(table().back()) + "\r\n"),
              tableBytes.size() - toAnsiCodePage(table().back()).size() - 2);
}

TEST_F(CalculatorWindowTest, ExcelWritesTheTableOrTheListShownBesideTheTextFiles) {
    EXPECT_FALSE(books.cbt_Excel.enabled());
    input.cbt_computeClick();
    EXPECT_TRUE(books.cbt_Excel.enabled());
    if (!XlsxFile::available()) GTEST_SKIP() << "this build writes no spreadsheets";
    ASSERT_TRUE(dispatchEvent(fake.errors, [this] { window.cbt_ExcelClick(); }));
    EXPECT_EQ(window.savedPath(), documentsFile(kSummaryTableSheetFileName));
    // A workbook is a zip archive; its contents are read back by the sheets tests.
    EXPECT_EQ(test::readBytes(window.savedPath()).substr(0, 2), "PK");
    EXPECT_TRUE(books.cbt_Save.enabled()) << "the text book is still unsaved";

    // The optimisation screen: nothing listed yet, then the raw list after a search.
    window.cbt_YouHuaClick();
    ASSERT_TRUE(dispatchEvent(fake.errors, [this] { window.cbt_YHexcelClick(); }));
    EXPECT_TRUE(window.savedPath().empty());
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{"没有可存盘的结果"});
    window.optimisationScreen().cbt_YHcomputeClick();
    ASSERT_TRUE(dispatchEvent(fake.errors, [this] { window.cbt_YHexcelClick(); }));
    EXPECT_EQ(window.savedPath(), documentsFile(kRawListSheetFileName));

    books.cbt_sanchuClick();
    EXPECT_FALSE(books.cbt_Excel.enabled());
}

TEST_F(CalculatorWindowTest, RefusedPermissionWritesNothing) {
    fake.permissions.grant = false;
    input.cbt_computeClick();
    ASSERT_TRUE(save());
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{"无权存盘"});
    EXPECT_FALSE(std::filesystem::exists(documentsFile(kDetailedBookFileName)));
    EXPECT_EQ(window.bookSaveState(), 3);
    EXPECT_TRUE(books.cbt_Save.enabled());
    EXPECT_TRUE(window.savedPath().empty());
}

TEST_F(CalculatorWindowTest, RationaleIsShownBeforeTheSaveGoesOn) {
    fake.permissions.askFirst = true;
    input.cbt_computeClick();
    ASSERT_TRUE(save());
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{"需要存贮权限，否则计算结果不能存盘"});
    EXPECT_TRUE(std::filesystem::exists(documentsFile(kDetailedBookFileName)));
    EXPECT_EQ(window.bookSaveState(), 2);
}

TEST_F(CalculatorWindowTest, PermissionResultOtherThanOneGrantIsRefused) {
    input.cbt_computeClick();
    window.permissionResult({"", "other"}, {PermissionStatus::Granted, PermissionStatus::Granted});
    window.permissionResult({}, {});
    EXPECT_EQ(fake.messages.shown, (std::vector<std::string>{"无权存盘", "无权存盘"}));
    EXPECT_EQ(window.bookSaveState(), 3);
}

// A Documents path under a regular file cannot be created, even by root.
TEST_F(CalculatorWindowTest, SaveThatCannotWriteShowsTheErrorAndChangesNothing) {
    const std::filesystem::path blocker = fake.temp.path() / "blocker";
    { std::ofstream(blocker) << "keep me"; }
    fake.documents.path = blocker / "Documents";
    input.cbt_computeClick();

    EXPECT_FALSE(save());
    EXPECT_TRUE(window.savedPath().empty());
    ASSERT_EQ(fake.errors.shown.size(), 1u);
    // The error names the file in the user's language.
    EXPECT_EQ(fake.errors.shown[0].rfind("文件无法写入", 0), 0u) << fake.errors.shown[0];
    EXPECT_NE(fake.errors.shown[0].find(kDetailedBookFileName), std::string::npos);
    EXPECT_EQ(window.bookSaveState(), 3);
    EXPECT_TRUE(books.cbt_Save.enabled());
    EXPECT_EQ(test::readBytes(blocker), "keep me");

    // The window stays usable: with a good folder the same save goes through.
    fake.documents.path = fake.temp.path() / "Documents";
    EXPECT_TRUE(save());
    EXPECT_EQ(window.bookSaveState(), 2);
    EXPECT_EQ(window.savedPath(), documentsFile(kDetailedBookFileName));
}

TEST_F(CalculatorWindowTest, OptimisationModeComputesWithoutBooks) {
    window.setOptimisationMode(true);
    input.cbt_computeClick();
    EXPECT_EQ(input.edt_ra.text(), "8410");
    EXPECT_EQ(window.pileCounter(), 0);
    EXPECT_TRUE(detailed().empty());
    EXPECT_EQ(window.bookSaveState(), 3);
    EXPECT_TRUE(books.cbt_Save.enabled());
    EXPECT_TRUE(books.cbt_sanchu.enabled());
    EXPECT_TRUE(input.cbt_View.visible());

    // Save while optimising writes a list, never a book.
    ASSERT_TRUE(save());
    EXPECT_FALSE(std::filesystem::exists(documentsFile(kDetailedBookFileName)));
    window.setOptimisationMode(false);
}

TEST_F(CalculatorWindowTest, ExitAsksForTheWindowToClose) {
    EXPECT_FALSE(window.closeRequested());
    window.cbt_tuichuClick();
    EXPECT_TRUE(window.closeRequested());
}

}  // namespace
}  // namespace pile
