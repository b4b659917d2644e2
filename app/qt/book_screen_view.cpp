// The widgets of the book screen.
#include "app/qt/book_screen_view.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include "app/qt/book_documents.h"
#include "app/qt/saved_note.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/theme.h"

namespace pile {

namespace {

// A book view at the font size of its memo; the sync scales it with the window.
QPlainTextEdit* bookView(QWidget* parent, int height, const Memo& memo) {
    auto* view = new QPlainTextEdit(parent);
    view->setGeometry(4, 56, 355, height);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QFont font(bookFontFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(memo.fontSize());
    view->setFont(font);
    return view;
}

}  // namespace

BookScreenView::BookScreenView(CalculatorWindow& window, Dispatch dispatch, QWidget* parent,
                               const BookScreenLayout& layout)
    : QWidget(parent), m_window(window), m_dispatch(std::move(dispatch)) {
    setGeometry(0, 0, detail::kWindowWidth, layout.height);

    lb_jisuanjieguo = new QLabel(this);
    lb_jisuanjieguo->setGeometry(0, 8, detail::kWindowWidth, 38);
    lb_jisuanjieguo->setFont(uiFont(24, true));
    lb_jisuanjieguo->setAlignment(Qt::AlignCenter);
    lb_jisuanjieguo->setStyleSheet(QStringLiteral("color: #0000FF;"));
    cbt_PageBook = new QPushButton(this);
    cbt_PageBook->setGeometry(330, 6, 21, 21);
    makeRounded(cbt_PageBook, 10, uiFont(12, true));

    const BookScreen& books = m_window.bookScreen();
    meo_jisuanjieguo_Doc = bookView(this, layout.memoHeight, books.meo_jisuanjieguo_Doc);
    meo_jisuanjieguo_Xls = bookView(this, layout.memoHeight, books.meo_jisuanjieguo_Xls);
    // Over the corner where the scroll bars of the views meet.
    cbt_sanchu = new QPushButton(this);
    cbt_sanchu->setGeometry(343, 56 + layout.memoHeight - 16, 16, 16);
    makeRounded(cbt_sanchu, 3, uiFont(11, true));
    cbt_sanchu->raise();

    cbt_Exit = detail::actionButton(this, detail::kLeftActionX, layout.actionY);
    cbt_Save = detail::actionButton(this, detail::kRightActionX, layout.actionY);
    // In the free corner right of Save, as tall as it.
    cbt_Excel = new QPushButton(this);
    cbt_Excel->setGeometry(cbt_Save->geometry().right() + 7, layout.actionY, 52, 33);
    makeRounded(cbt_Excel, 10, uiFont(12, true));
    // In the free corner left of Back, the typeset books.
    documentActions = new BookDocumentActions(window, m_dispatch, this);
    cbt_Document = new QPushButton(QStringLiteral("文档"), this);
    cbt_Document->setGeometry(4, layout.actionY, 46, 33);
    makeRounded(cbt_Document, 10, uiFont(11, true));
    cbt_Document->setMenu(documentActions->menu());
    cbt_Document->setToolTip(QStringLiteral("导出 PDF、Word 文档，打印 (Ctrl+P)"));
    // The book views' own menus end with the same actions.
    for (QPlainTextEdit* view : {meo_jisuanjieguo_Doc, meo_jisuanjieguo_Xls}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](QPoint at) {
            QMenu* menu = view->createStandardContextMenu(at);
            menu->addSeparator();
            emit documentActions->menu()->aboutToShow();
            menu->addActions(documentActions->menu()->actions());
            menu->exec(view->viewport()->mapToGlobal(at));
            delete menu;
        });
    }
    for (QAction* action : {documentActions->exportPdf(), documentActions->exportOdt()}) {
        connect(action, &QAction::triggered, this,
                [this] { showSavedNote(cbt_Document, documentActions->savedPath()); });
    }
    tcb_meoFontSize = new QSlider(Qt::Horizontal, this);
    tcb_meoFontSize->setGeometry(20, layout.trackBarY, 323, 28);

    BookScreen& m = m_window.bookScreen();
    const Dispatch& d = m_dispatch;
    connect(cbt_PageBook, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_PageBookClick(); }); });
    connect(cbt_sanchu, &QPushButton::clicked, this, [&m, d] { d([&m] { m.cbt_sanchuClick(); }); });
    connect(cbt_Exit, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_ExitClick(); }); });
    connect(cbt_Save, &QPushButton::clicked, this, [this, d] {
        d([this] { m_window.cbt_SaveClick(); });
        showSavedNote(cbt_Save, m_window.savedPath());
    });
    connect(cbt_Excel, &QPushButton::clicked, this, [this, d] {
        d([this] { m_window.cbt_ExcelClick(); });
        showSavedNote(cbt_Excel, m_window.savedPath());
    });
    connect(tcb_meoFontSize, &QSlider::valueChanged, this,
            [&m, d](int v) { d([&m, v] { m.tcb_meoFontSize.setValue(v); }); });
}

void BookScreenView::bindTo(WidgetSync& sync) {
    BookScreen& m = m_window.bookScreen();
    sync.bind(lb_jisuanjieguo, m.lb_jisuanjieguo);
    sync.bind(meo_jisuanjieguo_Doc, m.meo_jisuanjieguo_Doc);
    sync.bind(meo_jisuanjieguo_Xls, m.meo_jisuanjieguo_Xls);
    sync.bind(cbt_PageBook, m.cbt_PageBook);
    sync.bind(cbt_sanchu, m.cbt_sanchu);
    sync.bind(tcb_meoFontSize, m.tcb_meoFontSize);
    sync.bind(cbt_Exit, m.cbt_Exit);
    sync.bind(cbt_Save, m.cbt_Save);
    sync.bind(cbt_Excel, m.cbt_Excel);
}

}  // namespace pile
