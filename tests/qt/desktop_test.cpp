// The desktop application through its real widgets: the chooser opens one formula-one window,
// Compute shows the default pile, the book screen switches pages and saves into the Documents
// folder, the windows close and reopen fresh, the About box hides on a click elsewhere, and the
// book views show every column of the books lined up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "app/qt/book_screen_view.h"
#include "app/qt/desktop_shell.h"
#include "app/qt/qt_platform.h"
#include "app/qt/theme.h"
#include "app/qt/user_guide.h"
#include "books/text_file.h"
#include "core/program_version.h"
#include "core/text_width.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class DesktopTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};

    void SetUp() override { shell.start(); }

    void click(QPushButton* button) {
        ASSERT_TRUE(button->isVisible());
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    TBVK_FRM_WENA1* openFormulaOne() {
        QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
        return shell.formulaOneWindow();
    }
};

// The book views open at the size the model gives their memos, before any sync: the default is
// the model's alone.
TEST(BookScreenViewTest, TheViewsOpenAtTheModelsFontSize) {
    test::FakePlatform fake;
    FormulaOneWindow window(fake.platform);
    BookScreenView view(
        window, [](const std::function<void()>& f) { f(); }, nullptr);
    const BookScreen& books = window.bookScreen();
    EXPECT_EQ(view.meo_jisuanjieguo_Doc->font().pixelSize(), books.meo_jisuanjieguo_Doc.fontSize());
    EXPECT_EQ(view.meo_jisuanjieguo_Xls->font().pixelSize(), books.meo_jisuanjieguo_Xls.fontSize());
    EXPECT_EQ(books.meo_jisuanjieguo_Doc.fontSize(), BookScreen::kFontSize);
}

TEST_F(DesktopTest, ComputeTheDefaultPileAndSaveBothBooks) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("嵌岩桩承载力计算 (DBJ50-200-2014)"));
    InputScreenView* input = window->MainFormLayer;
    EXPECT_FALSE(input->cbt_View->isVisible());

    click(input->cbt_compute);
    EXPECT_EQ(input->edt_ra->text(), QStringLiteral("8410"));
    EXPECT_EQ(input->edt_rc->text(), QStringLiteral("7862"));
    EXPECT_EQ(input->lb_shuoming->text(), QStringLiteral("较软岩"));
    EXPECT_FALSE(input->img_Logo->isVisible());
    EXPECT_FALSE(input->cbt_compute->isVisible());

    click(input->cbt_View);
    BookScreenView* books = window->JieGuo_DocLayer;
    EXPECT_FALSE(input->isVisible());
    EXPECT_TRUE(books->isVisible());
    EXPECT_TRUE(books->meo_jisuanjieguo_Doc->toPlainText().startsWith(
        QStringLiteral("================== 嵌岩桩计算书 ==================")));

    click(books->cbt_Save);
    EXPECT_FALSE(books->cbt_Save->isEnabled());
    click(books->cbt_PageBook);
    EXPECT_EQ(books->cbt_PageBook->text(), QStringLiteral("2"));
    EXPECT_TRUE(books->meo_jisuanjieguo_Xls->isVisible());
    EXPECT_FALSE(books->meo_jisuanjieguo_Doc->isVisible());
    click(books->cbt_Save);
    EXPECT_FALSE(books->cbt_Save->isEnabled());

    // Both files: CP936 text with CR LF after every line.
    for (const char* name : {kDetailedBookFileName, kSummaryTableFileName}) {
        SCOPED_TRACE(name);
        const std::string bytes = test::readBytes(fake.documents.path / pathFromUtf8(name));
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_NE(bytes.find(toAnsiCodePage("嵌岩桩计算书")), std::string::npos);
        EXPECT_EQ(bytes.find("\xE5\xB5\x8C"), std::string::npos);  // no UTF-8 "嵌"
        size_t lineFeeds = 0, pairs = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\n') continue;
            ++lineFeeds;
            pairs += (i > 0 && bytes[i - 1] == '\r') ? 1 : 0;
        }
        EXPECT_EQ(lineFeeds, pairs);
    }
    EXPECT_TRUE(fake.errors.shown.empty());

    click(books->cbt_Exit);
    EXPECT_TRUE(input->isVisible());
}

// After a save, a note under the button (until the next click) and the window's status tip give
// the file's full path.
TEST_F(DesktopTest, ASaveSaysWhereItsFileWent) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    const auto note = [window]() -> QString {
        const auto* label = window->findChild<QLabel*>(QStringLiteral("savedNote"));
        if (!label || !label->isVisible()) return {};
        return label->text().remove(QChar(0x200B));  // the breaks allowed in the path
    };
    const auto said = [](const char* fileName, const test::FakePlatform& f) {
        const std::filesystem::path path = f.documents.path / pathFromUtf8(fileName);
        return QStringLiteral("已存盘：") + QString::fromStdString(path.string());
    };
    click(window->MainFormLayer->cbt_compute);
    click(window->MainFormLayer->cbt_View);
    BookScreenView* books = window->JieGuo_DocLayer;
    click(books->cbt_Save);
    EXPECT_EQ(note(), said(kDetailedBookFileName, fake));
    EXPECT_EQ(window->statusTip(), said(kDetailedBookFileName, fake));
    click(books->cbt_PageBook);
    click(books->cbt_Save);
    EXPECT_EQ(note(), said(kSummaryTableFileName, fake));
    EXPECT_EQ(books->cbt_Save->text(), QStringLiteral("保存"));  // the button keeps its text

    click(books->cbt_Exit);
    click(window->MainFormLayer->cbt_YouHua);
    OptimisationScreenView* screen = window->YouHuaFormLayer;
    click(screen->cbt_YHcompute);
    click(screen->cbt_YHsave);
    const QString list = said("嵌岩桩优化计算原始结果(依据DBJ50-200-2014)_表格.txt", fake);
    EXPECT_EQ(note(), list);
    EXPECT_EQ(window->statusTip(), list);
    // The next click takes the note away.
    QTest::mouseClick(screen->lb_YHxingxi, Qt::LeftButton);
    EXPECT_TRUE(note().isEmpty());
    EXPECT_TRUE(std::filesystem::exists(
        fake.documents.path / pathFromUtf8("嵌岩桩优化计算原始结果(依据DBJ50-200-2014)_表格.txt")));
}

// An error the handler does not handle reaches the error box where the window dispatches the
// click; the window stays as it was and usable.
TEST_F(DesktopTest, SaveThatCannotWriteShowsTheErrorBox) {
    const std::filesystem::path blocker = fake.temp.path() / "blocker";
    std::ofstream(blocker) << "x";
    fake.documents.path = blocker / "Documents";
    TBVK_FRM_WENA1* window = openFormulaOne();
    click(window->MainFormLayer->cbt_compute);
    click(window->MainFormLayer->cbt_View);
    click(window->JieGuo_DocLayer->cbt_Save);
    EXPECT_EQ(fake.errors.shown.size(), 1u);
    EXPECT_TRUE(window->JieGuo_DocLayer->cbt_Save->isEnabled());
    click(window->JieGuo_DocLayer->cbt_Exit);
    EXPECT_TRUE(window->MainFormLayer->isVisible());
}

TEST_F(DesktopTest, TypingRunsTheLiveCheckAndTheFontTrackBarResizesBothViews) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreenView* input = window->MainFormLayer;
    input->cbe_dd->lineEdit()->selectAll();
    QTest::keyClicks(input->cbe_dd->lineEdit(), QStringLiteral("12a"));
    EXPECT_EQ(input->lb_shuoming->text(), QStringLiteral("桩身直径数据有错"));
    EXPECT_TRUE(input->lb_shuoming->isVisible());
    EXPECT_EQ(input->lb_shuoming->palette().color(QPalette::WindowText), QColor(Qt::red));
    QTest::keyClick(input->cbe_dd->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(input->lb_shuoming->text(), QString());
    EXPECT_EQ(input->cbe_dd->currentText(), QStringLiteral("12"));

    click(input->cbt_compute);
    click(input->cbt_View);
    QSlider* size = window->JieGuo_DocLayer->tcb_meoFontSize;
    size->setValue(20);
    EXPECT_EQ(window->JieGuo_DocLayer->meo_jisuanjieguo_Doc->font().pixelSize(), 20);
    EXPECT_EQ(window->JieGuo_DocLayer->meo_jisuanjieguo_Xls->font().pixelSize(), 20);
}

// The titles are bold by design; the link labels of the About box are bold only under the mouse.
TEST_F(DesktopTest, TitlesStayBoldAndLinksBoldOnlyWhileHovered) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    click(window->MainFormLayer->cbt_CopyRight);
    TBVK_HAP_FRM_CopyRight* about = shell.aboutBox();
    ASSERT_NE(about, nullptr);
    struct Case {
        const char* name;
        QLabel* label;
    };
    const Case titles[] = {
        {"chooser", shell.chooser()->lb_guifanming},
        {"input screen", window->MainFormLayer->lb_cxm},
        {"book screen", window->JieGuo_DocLayer->lb_jisuanjieguo},
        {"About box", about->lb_mokuaiming},
    };
    for (const Case& c : titles) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.label->font().bold());
    }

    AboutBox& model = *shell.application().BVK_HAP_FRM_CopyRight();
    EXPECT_FALSE(about->lb_danwei->font().bold());
    model.lb_danweiMouseMove();
    about->syncFromModel();
    EXPECT_TRUE(about->lb_danwei->font().bold());
    EXPECT_TRUE(about->lb_danwei->font().underline());
    model.lb_danweiMouseLeave();
    about->syncFromModel();
    EXPECT_FALSE(about->lb_danwei->font().bold());
    EXPECT_FALSE(about->lb_danwei->font().underline());
    EXPECT_EQ(about->lb_danwei->font().pixelSize(), 10);  // its design size stays
}

// The editable lists take the text as typed; a typed prefix of an item is not completed.
TEST_F(DesktopTest, TypedSizesAndDepthsAreNotCompletedToItems) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreenView* input = window->MainFormLayer;
    const InputScreen& model = shell.application().BVK_FRM_WENA1()->inputScreen();
    struct Case {
        const char* name;
        QComboBox* box;
        const ComboBox& control;
        const char* typed;
    };
    const Case cases[] = {
        {"diameter", input->cbe_dd, model.cbe_dd, "12"},
        {"depth multiple", input->cbe_hr, model.cbe_hr, "1.5"},
        {"depth in mm", input->cbe_hr, model.cbe_hr, "15"},
    };
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.box->lineEdit()->setFocus();  // the completer works on the focused edit
        c.box->lineEdit()->selectAll();
        QTest::keyClicks(c.box->lineEdit(), QString::fromUtf8(c.typed));
        EXPECT_EQ(c.box->currentText(), QString::fromUtf8(c.typed));
        EXPECT_EQ(c.control.text(), c.typed);
    }
}

// A click on the radio button already selected changes nothing: it stays ticked.
TEST_F(DesktopTest, ClickOnTheSelectedRadioButtonKeepsItSelected) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreenView* input = window->MainFormLayer;
    QTest::mouseClick(input->rdb_frk, Qt::LeftButton);
    EXPECT_TRUE(input->rdb_frk->isChecked());
    EXPECT_FALSE(input->rdb_fuk->isChecked());
    QTest::mouseClick(input->rdb_fuk, Qt::LeftButton);
    QTest::mouseClick(input->rdb_fuk, Qt::LeftButton);
    EXPECT_FALSE(input->rdb_frk->isChecked());
    EXPECT_TRUE(input->rdb_fuk->isChecked());
    EXPECT_TRUE(input->edt_fuk->isEnabled());
}

TEST_F(DesktopTest, OneWindowPerKindAndAFreshOneAfterExit) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    window->MainFormLayer->cbe_dd->setEditText(QStringLiteral("1500"));
    EXPECT_EQ(openFormulaOne(), window);

    click(window->MainFormLayer->cbt_tuichu);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shell.application().BVK_FRM_WENA1(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shell.formulaOneWindow(), nullptr);

    TBVK_FRM_WENA1* fresh = openFormulaOne();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->MainFormLayer->cbe_dd->currentText(), QStringLiteral("1000"));
}

TEST_F(DesktopTest, AboutBoxHidesOnAClickInAnotherWindow) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    click(window->MainFormLayer->cbt_CopyRight);
    TBVK_HAP_FRM_CopyRight* about = shell.aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("关于"));

    QTest::mouseClick(window->MainFormLayer->lb_cxm, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    click(window->MainFormLayer->cbt_CopyRight);
    EXPECT_EQ(shell.aboutBox(), about);
    EXPECT_TRUE(about->isVisible());

    QTest::mouseClick(about->lb_wangzhi, Qt::LeftButton);
    ASSERT_EQ(fake.urls.opened.size(), 1u);
    EXPECT_EQ(fake.urls.opened[0], AboutBox::kWebSite);
    EXPECT_TRUE(about->isVisible());
}

// In the book font a character of U+1000..U+9FA5, and the Greek letters and signs of the books,
// take two Latin columns: the value columns of the detailed book and the rows of the summary
// table end at the same place on screen.
TEST_F(DesktopTest, BookViewsLineUpEveryColumn) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreen& input = shell.application().BVK_FRM_WENA1()->inputScreen();
    const auto compute = [&] { window->dispatch([&] { input.cbt_computeClick(); }); };
    compute();  // circle, frk
    window->dispatch([&] { input.rdb_fuk.select(); });
    compute();  // circle, fuk
    window->dispatch([&] { input.cbb_jmlx.setIndex(1); });
    compute();  // ellipse, fuk
    window->dispatch([&] {
        input.rdb_frk.select();
        input.cbb_jmlx.setIndex(2);
    });
    compute();  // rectangle, frk

    QPlainTextEdit* doc = window->JieGuo_DocLayer->meo_jisuanjieguo_Doc;
    const QString family = QFontInfo(doc->font()).family();
    EXPECT_TRUE(family == QStringLiteral("SimHei") || family == QStringLiteral("AR PL UMing CN"))
        << family.toStdString();
    const QFontMetrics metrics(doc->font());
    const int column = metrics.horizontalAdvance(u'0');
    ASSERT_GT(column, 0);

    const CalculatorWindow& model = *shell.application().BVK_FRM_WENA1();
    int valueLines = 0;
    for (const std::string& line : model.bookScreen().books().detailedLines()) {
        for (const char* unit : {" kN", " MPa", " mm", " m^2", " m"}) {
            const std::string u(unit);
            if (line.size() <= u.size() || line.compare(line.size() - u.size(), u.size(), u) != 0)
                continue;
            const std::string value = line.substr(0, line.size() - u.size());
            SCOPED_TRACE(line);
            EXPECT_EQ(metrics.horizontalAdvance(toQString(value)), 45 * column);
            ++valueLines;
            break;
        }
    }
    EXPECT_GT(valueLines, 40);

    const std::vector<std::string>& table = model.bookScreen().books().tableLines();
    ASSERT_EQ(table.size(), 5u + 4u + 4u);
    for (size_t i = 0; i + 3 < table.size(); ++i) {  // all but the note, closing rule and time
        SCOPED_TRACE(table[i]);
        EXPECT_EQ(metrics.horizontalAdvance(toQString(table[i])), 220 * column);
    }
}

// The calculation time: the locale's short date and long time, without the time-zone name.
TEST(CalculationTimeTest, ShortDateLongTimeWithoutZone) {
    const QDateTime when(QDate(2026, 12, 10), QTime(9, 30, 5), QTimeZone("Asia/Shanghai"));
    for (const QLocale& locale : {QLocale(QLocale::Chinese, QLocale::China),
                                  QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        const QString text = calculationTimeText(when, locale);
        EXPECT_TRUE(text.startsWith(locale.toString(when.date(), QLocale::ShortFormat) + u' '));
        EXPECT_TRUE(text.contains(QStringLiteral("30:05"))) << text.toStdString();
        EXPECT_FALSE(text.contains(when.timeZoneAbbreviation())) << text.toStdString();
        for (const char* zone : {"UTC", "GMT", "Shanghai"})
            EXPECT_FALSE(text.contains(QLatin1String(zone)));
        EXPECT_EQ(text, text.trimmed());
    }
}

// A locale whose date or time the file's code page cannot hold (Arabic-Indic digits, the Korean
// word for p.m.) gets the time in ASCII digits rather than a line of "?".
TEST(CalculationTimeTest, TextOutsideTheCodePageFallsBackToAsciiDigits) {
    const QDateTime when(QDate(2026, 12, 10), QTime(21, 30, 5), QTimeZone("Asia/Shanghai"));
    for (const QLocale& locale : {QLocale(QLocale::Arabic, QLocale::Egypt),
                                  QLocale(QLocale::Korean, QLocale::SouthKorea)}) {
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_EQ(calculationTimeText(when, locale), QStringLiteral("2026-12-10 21:30:05"));
    }
    // A locale the code page holds keeps its own form.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    EXPECT_TRUE(calculationTimeText(when, chinese)
                    .startsWith(chinese.toString(when.date(), QLocale::ShortFormat)));
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// The Documents folder: XDG_DOCUMENTS_DIR where set (and absolute, "$HOME" expanded), else Qt's.
TEST(DocumentsFolderTest, XdgDocumentsDirGoesFirst) {
    const QByteArray earlier = qgetenv("XDG_DOCUMENTS_DIR");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DOCUMENTS_DIR");
    QtDocumentsFolder folder;
    qputenv("XDG_DOCUMENTS_DIR", "/srv/工程/计算书/");
    EXPECT_EQ(folder.documentsPath(), pathFromUtf8("/srv/工程/计算书"));
    qputenv("XDG_DOCUMENTS_DIR", "$HOME/Docs");
    EXPECT_EQ(folder.documentsPath(), pathFromUtf8((QDir::homePath() + "/Docs").toStdString()));
    qunsetenv("XDG_DOCUMENTS_DIR");
    const std::filesystem::path fallback = folder.documentsPath();
    for (const char* ignored : {"", "relative/Docs"}) {
        qputenv("XDG_DOCUMENTS_DIR", ignored);
        EXPECT_EQ(folder.documentsPath(), fallback) << ignored;
    }
    if (wasSet)
        qputenv("XDG_DOCUMENTS_DIR", earlier);
    else
        qunsetenv("XDG_DOCUMENTS_DIR");
}
#endif

// The platform appends an application display name to every window title; the captions must
// stand as they are ("关于", "嵌岩桩承载力计算 (DBJ50-200-2014)"), so none is set.
TEST(ApplicationSetupTest, CaptionsGetNoDisplayNameAppended) {
    configureApplication();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    EXPECT_FALSE(QGuiApplication::quitOnLastWindowClosed());
}

// Qt's own texts, the buttons of the message boxes among them, are Chinese like the rest.
TEST(ApplicationSetupTest, QtsOwnTextsAreChinese) {
    configureApplication();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("x"),
                    QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
}

// F1 hands the guide beside the program to the desktop's URL service; without a guide it says
// so instead of opening nothing.
TEST_F(DesktopTest, F1OpensTheUserGuide) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const QString guide =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(kUserGuideName));
    QFile::remove(guide);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_TRUE(fake.urls.opened.empty());
    ASSERT_EQ(fake.errors.shown.size(), 1u);
    EXPECT_NE(fake.errors.shown[0].find("找不到用户手册"), std::string::npos);

    QFile file(guide);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QFile::remove(guide);
    ASSERT_EQ(fake.urls.opened.size(), 1u);
    EXPECT_EQ(QUrl(QString::fromStdString(fake.urls.opened[0])).toLocalFile(),
              QFileInfo(guide).absoluteFilePath());
}

TEST_F(DesktopTest, TheAboutBoxNamesTheVersionAndTheCommit) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    click(window->MainFormLayer->cbt_CopyRight);
    TBVK_HAP_FRM_CopyRight* about = shell.aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->lb_banben->text(), QString::fromStdString("版本 " + ProgramVersionText()));
    EXPECT_TRUE(about->lb_banben->isVisible());
}

}  // namespace
}  // namespace pile
