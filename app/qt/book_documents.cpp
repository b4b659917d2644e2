// The typeset books from the book screen.
#include "app/qt/book_documents.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>
#include <string_view>

#include "app/model/calculator_window.h"
#include "app/qt/qt_platform.h"
#include "books/book_model.h"
#include "books/text_file.h"
#include "documents/book_document.h"
#include "documents/summary_document.h"

namespace pile {

BookDocumentActions::BookDocumentActions(CalculatorWindow& window, Dispatch dispatch,
                                         QWidget* parent)
    : QObject(parent),
      m_window(window),
      m_dispatch(std::move(dispatch)),
      m_parent(parent),
      m_menu(new QMenu(parent)),
      m_pdf(m_menu->addAction(QStringLiteral("导出 PDF…"))),
      m_odt(m_menu->addAction(QStringLiteral("导出 Word 文档…"))),
      m_print(m_menu->addAction(QStringLiteral("打印…"))) {
    m_print->setShortcut(QKeySequence::Print);
    m_print->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    parent->addAction(m_print);
    m_choose = [this](const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(m_parent, QString(), suggested, filter);
    };
    // Only books that hold a pile can be exported or printed.
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        const bool any = m_window.bookScreen().books().pileCounter() > 0;
        for (QAction* action : {m_pdf, m_odt, m_print}) action->setEnabled(any);
    });
    connect(m_pdf, &QAction::triggered, this,
            [this] { save(".pdf", QStringLiteral("PDF 文件 (*.pdf)")); });
    connect(m_odt, &QAction::triggered, this,
            [this] { save(".odt", QStringLiteral("ODF 文本文档 (*.odt)")); });
    connect(m_print, &QAction::triggered, this, [this] { printBooks(); });
}

namespace {

// "计算书_ZH1-ZH3", or for the summary table "汇总表_ZH1-ZH3".
std::string fileStem(const WindowBooks& books, bool table) {
    const std::string stem = bookFileStem(books.models());
    const std::string detailed = "计算书";
    return table && stem.rfind(detailed, 0) == 0 ? "汇总表" + stem.substr(detailed.size()) : stem;
}

}  // namespace

void BookDocumentActions::save(const char* extension, const QString& filter) {
    m_savedPath.clear();
    const BookScreen& screen = m_window.bookScreen();
    const WindowBooks& books = screen.books();
    if (books.pileCounter() == 0) return;
    // The book shown: the detailed books, or the summary table on the screen's second page.
    const bool table = !screen.detailedBookShown();
    const std::filesystem::path folder = QtDocumentsFolder().documentsPath();
    const std::string name = fileStem(books, table) + extension;
    const QString suggested = QString::fromStdU16String((folder / pathFromUtf8(name)).u16string());
    const QString chosen = m_choose(suggested, filter);
    if (chosen.isEmpty()) return;
    const bool pdf = std::string_view(extension) == ".pdf";
    m_dispatch([&] {
        const std::filesystem::path path(chosen.toStdU16String());
        QByteArray bytes;
        if (table) {
            const documents::SummaryTableSource source = documents::summaryTableSource(books);
            bytes = pdf ? documents::summaryTablePdf(source) : documents::summaryTableOdt(source);
        } else {
            bytes = pdf ? documents::bookPdf(books.models()) : documents::bookOdt(books.models());
        }
        TextFileWriter file(path);
        file.writeBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        file.commit();
        m_savedPath = path;
    });
}

void BookDocumentActions::printBooks() {
    const BookScreen& screen = m_window.bookScreen();
    const WindowBooks& books = screen.books();
    if (books.pileCounter() == 0) return;
    const bool table = !screen.detailedBookShown();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(fileStem(books, table)));
    QPrintPreviewDialog preview(&printer, m_parent);
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&books, table](QPrinter* device) {
                if (table) {
                    documents::printSummaryTable(*device, documents::summaryTableSource(books));
                    return;
                }
                const std::vector<BookModel>& models = books.models();
                documents::printBooks(*device, models.size(), [&models](const auto& visit) {
                    for (const BookModel& book : models) visit(book);
                });
            });
    preview.exec();
}

}  // namespace pile
