// The pile in its soil from the negative-friction screen: the "简图" button opens the drawing of
// the layers as typed, and "导出 PNG…" writes it as a PNG of the book's size; a layer that is
// not a number is said instead of drawn.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/qt/desktop_shell.h"
#include "app/qt/soil_drawing_dialog.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

namespace fs = std::filesystem;

TEST(SoilDrawingDialog, OpensFromTheScreenAndExportsAPng) {
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};
    shell.start();
    QTest::mouseClick(shell.chooser()->cbt_Gongshi2, Qt::LeftButton);
    TBVK_FRM_WENA2* window = shell.formulaTwoWindow();
    ASSERT_NE(window, nullptr);
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    QTest::mouseClick(input->ckb_fumozhuli, Qt::LeftButton, {},
                      QPoint(8, input->ckb_fumozhuli->height() / 2));
    QTest::mouseClick(input->cbt_fumozhuli, Qt::LeftButton);
    NegativeFrictionScreenView* drag = window->Fumozhuli_FormLayer;
    ASSERT_TRUE(drag->isVisible());
    ASSERT_TRUE(drag->cbt_Fmzljiantu->isVisible());
    // Left of Back, clear of it.
    EXPECT_LT(drag->cbt_Fmzljiantu->geometry().right(), drag->cbt_Fmzlfanhui->x());

    QTest::mouseClick(drag->cbt_Fmzljiantu, Qt::LeftButton);
    SoilDrawingDialog* dialog = drag->openDrawing();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->lb_Message->text().isEmpty());
    EXPECT_TRUE(dialog->cbt_ExportPng->isEnabled());

    const fs::path folder = fs::temp_directory_path() / "pile_soil_drawing_dialog_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    QString suggested;
    dialog->setChooseFile([&](const QString& path) {
        suggested = path;
        return QString::fromStdU16String(
            (folder / fs::path(path.toStdU16String()).filename()).u16string());
    });
    dialog->cbt_ExportPng->click();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral(".png")));
    ASSERT_FALSE(dialog->savedPath().empty());
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdU16String(dialog->savedPath().u16string()), "PNG"));
    EXPECT_EQ(image.size(), QSize(SoilDrawingDialog::kPngWidth, SoilDrawingDialog::kPngHeight));
    // Not blank: the layers and the pile are drawn.
    int dark = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (qGray(image.pixel(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 100);

    // A ground elevation that is not a number: said, and nothing to export.
    drag->edt_Dimianbiaogao->selectAll();
    QTest::keyClicks(drag->edt_Dimianbiaogao, QStringLiteral("x"));
    drag->showDrawing->trigger();
    EXPECT_FALSE(dialog->lb_Message->text().isEmpty());
    EXPECT_FALSE(dialog->cbt_ExportPng->isEnabled());
    dialog->close();
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pile
