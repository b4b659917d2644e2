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
        const bool any = !m_window.bookScreen().books().models().empty();
        for (QAction* action : {m_pdf, m_odt, m_print}) action->setEnabled(any);
    });
    connect(m_pdf, &QAction::triggered, this,
            [this] { save(".pdf", QStringLiteral("PDF 文件 (*.pdf)")); });
    connect(m_odt, &QAction::triggered, this,
            [this] { save(".odt", QStringLiteral("ODF 文本文档 (*.odt)")); });
    connect(m_print, &QAction::triggered, this, [this] { printBooks(); });
}

void BookDocumentActions::save(const char* extension, const QString& filter) {
    m_savedPath.clear();
    const std::vector<BookModel>& books = m_window.bookScreen().books().models();
    if (books.empty()) return;
    const std::filesystem::path folder = QtDocumentsFolder().documentsPath();
    const std::string name = bookFileStem(books) + extension;
    const QString suggested = QString::fromStdU16String((folder / pathFromUtf8(name)).u16string());
    const QString chosen = m_choose(suggested, filter);
    if (chosen.isEmpty()) return;
    m_dispatch([&] {
        const QByteArray bytes = std::string_view(extension) == ".pdf" ? documents::bookPdf(books)
                                                                       : documents::bookOdt(books);
        const std::filesystem::path path(chosen.toStdU16String());
        TextFileWriter file(path);
        file.writeBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        file.commit();
        m_savedPath = path;
    });
}

void BookDocumentActions::printBooks() {
    const std::vector<BookModel>& books = m_window.bookScreen().books().models();
    if (books.empty()) return;
    documents::BookDocument document(books);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(bookFileStem(books)));
    QPrintPreviewDialog preview(&printer, m_parent);
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&document](QPrinter* device) { document.print(*device); });
    preview.exec();
}

}  // namespace pile
