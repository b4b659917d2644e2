// Project files and the question before a book is let go, through the real widgets: 退出 over
// three unsaved piles shows the question box (取消 keeps the window, 不保存 closes it), Ctrl+S
// saves and the title names the file with a "*" while something typed differs from it, and a
// project opened at start shows its typed fields.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/qt/desktop_shell.h"
#include "app/qt/qt_platform.h"
#include "books/text_file.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

// Answers the next modal box by pressing the button of that text, and keeps its question.
void answerNextBox(const QString& button, QString& question) {
    QTimer::singleShot(0, [button, &question] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        question = box->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == button) b->click();
    });
}

class ExitQuestionTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    QtDialogs dialogs;  // the real question box
    Platform platform{fake.documents, fake.clock, fake.permissions, fake.messages,
                      fake.errors,    fake.urls,  dialogs};
    DesktopShell shell{platform};

    void SetUp() override { shell.start(); }
};

TEST_F(ExitQuestionTest, ExitOverThreeUnsavedPilesAsks) {
    QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
    TBVK_FRM_WENA1* window = shell.formulaOneWindow();
    ASSERT_NE(window, nullptr);
    InputScreenView* input = window->MainFormLayer;
    for (const char* d : {"1000", "1200", "1400"}) {
        input->cbe_dd->setEditText(QString::fromUtf8(d));
        QTest::mouseClick(input->cbt_compute, Qt::LeftButton);
    }
    ASSERT_EQ(shell.application().BVK_FRM_WENA1()->pileCounter(), 3);

    QString question;
    answerNextBox(QStringLiteral("取消"), question);
    QTest::mouseClick(input->cbt_tuichu, Qt::LeftButton);
    EXPECT_EQ(question, QStringLiteral("计算书中有未保存的计算结果，是否先保存计算书？"));
    EXPECT_TRUE(window->isVisible());
    ASSERT_NE(shell.application().BVK_FRM_WENA1(), nullptr);
    EXPECT_EQ(shell.application().BVK_FRM_WENA1()->pileCounter(), 3);

    question.clear();
    answerNextBox(QStringLiteral("不保存"), question);
    QTest::mouseClick(input->cbt_tuichu, Qt::LeftButton);
    EXPECT_FALSE(question.isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shell.application().BVK_FRM_WENA1(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(fake.documents.path / kDetailedBookFileName));
}

TEST_F(ExitQuestionTest, ClosingTheWindowAsksToo) {
    QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
    TBVK_FRM_WENA1* window = shell.formulaOneWindow();
    QTest::mouseClick(window->MainFormLayer->cbt_compute, Qt::LeftButton);
    QString question;
    answerNextBox(QStringLiteral("取消"), question);
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(question.isEmpty());
    EXPECT_TRUE(window->isVisible());
}

class ProjectWindowTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};

    void SetUp() override {
        shell.start();
        std::filesystem::create_directories(fake.documents.path);
    }
};

TEST_F(ProjectWindowTest, CtrlSSavesAndTheTitleMarksAChange) {
    QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
    TBVK_FRM_WENA1* window = shell.formulaOneWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    fake.dialogs.savePath = fake.documents.path / "桩基";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(fake.documents.path / "桩基.rpile.json"));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("桩基.rpile.json - 嵌岩桩承载力计算 (DBJ50-200-2014)"));

    window->MainFormLayer->cbe_dd->setEditText(QStringLiteral("1500"));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("桩基.rpile.json* - 嵌岩桩承载力计算 (DBJ50-200-2014)"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("桩基.rpile.json - 嵌岩桩承载力计算 (DBJ50-200-2014)"));
    EXPECT_EQ(fake.dialogs.suggested.size(), 1u);  // the second save asked nothing
}

TEST_F(ProjectWindowTest, AProjectOpenedAtStartShowsItsFields) {
    const auto path = fake.documents.path / "二.rpile.json";
    std::ofstream(path, std::ios::binary)
        << "{\"format\": \"rockpile-project\", \"version\": 1, \"formula\": 2,"
           " \"pile\": {\"d\": \"1,200\", \"negativeFriction\": true}}";
    shell.openProject(path);
    TBVK_FRM_WENA2* window = shell.formulaTwoWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("二.rpile.json - 嵌岩桩承载力计算 (DBJ50-200-2014)"));
    EXPECT_EQ(window->MainFormLayer->cbe_dd->currentText(), QStringLiteral("1,200"));
    EXPECT_TRUE(fake.errors.shown.empty());

    // A file that is no project: the error box, and the window as it was.
    const auto bad = fake.documents.path / "bad.rpile.json";
    std::ofstream(bad, std::ios::binary) << "{\"format\": \"rockpile-project\"}";
    shell.openProject(bad);
    ASSERT_EQ(fake.errors.shown.size(), 1u);
    EXPECT_EQ(fake.errors.shown[0], "项目文件“bad.rpile.json”不能打开：第1行：缺少键“version”");
    EXPECT_EQ(shell.formulaTwoWindow(), window);
    EXPECT_EQ(window->MainFormLayer->cbe_dd->currentText(), QStringLiteral("1,200"));
}

}  // namespace
}  // namespace pile
