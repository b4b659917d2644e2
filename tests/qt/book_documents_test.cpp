// The typeset books from the book screen: the "文档" button's menu offers its three actions
// while the books hold a pile, and the two exports write a PDF and an ODF text under the name
// of the piles, beside the earlier text saves.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/qt/book_documents.h"
#include "app/qt/desktop_shell.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

namespace fs = std::filesystem;

std::string head(const fs::path& path, size_t n) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

TEST(BookDocuments, TheMenuExportsPdfAndOdfText) {
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};
    shell.start();
    QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
    TBVK_FRM_WENA1* window = shell.formulaOneWindow();
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->MainFormLayer->cbt_compute, Qt::LeftButton);
    QTest::mouseClick(window->MainFormLayer->cbt_View, Qt::LeftButton);
    BookScreenView* books = window->JieGuo_DocLayer;
    ASSERT_TRUE(books->cbt_Document->isVisible());

    // The menu opens from the button with every action enabled.
    bool shown = false;
    bool enabled = false;
    QTimer::singleShot(0, [&] {
        QMenu* menu = books->documentActions->menu();
        shown = menu->isVisible();
        enabled = books->documentActions->exportPdf()->isEnabled() &&
                  books->documentActions->exportOdt()->isEnabled() &&
                  books->documentActions->print()->isEnabled();
        menu->hide();
    });
    QTest::mouseClick(books->cbt_Document, Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(enabled);

    const fs::path folder = fs::temp_directory_path() / "pile_book_documents_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    QString suggested;
    books->documentActions->setChooseFile([&](const QString& path, const QString&) {
        suggested = path;
        return QString::fromStdU16String(
            (folder / fs::path(path.toStdU16String()).filename()).u16string());
    });
    books->documentActions->exportPdf()->trigger();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("计算书_ZH1.pdf"))) << suggested.toStdString();
    const fs::path pdf = folder / fs::path(u"计算书_ZH1.pdf");
    EXPECT_EQ(books->documentActions->savedPath(), pdf);
    EXPECT_EQ(head(pdf, 5), "%PDF-");

    books->documentActions->exportOdt()->trigger();
    EXPECT_EQ(head(folder / fs::path(u"计算书_ZH1.odt"), 2), "PK");

    // On the summary table's page the exports write the table.
    QTest::mouseClick(books->cbt_PageBook, Qt::LeftButton);
    ASSERT_EQ(books->cbt_PageBook->text(), QStringLiteral("2"));
    books->documentActions->exportPdf()->trigger();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("汇总表_ZH1.pdf"))) << suggested.toStdString();
    EXPECT_EQ(head(folder / fs::path(u"汇总表_ZH1.pdf"), 5), "%PDF-");
    books->documentActions->exportOdt()->trigger();
    EXPECT_EQ(head(folder / fs::path(u"汇总表_ZH1.odt"), 2), "PK");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pile
