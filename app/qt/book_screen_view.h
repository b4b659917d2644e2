// The widgets of the book screen (JieGuo_DocLayer): the two book views, the page switch,
// delete-last, the font size, Back and Save; the typeset books from the "文档" button left of
// Back, the book views' context menus and Ctrl+P (app/qt/book_documents.h).
#pragma once

#include <QWidget>

#include "app/model/calculator_window.h"
#include "app/qt/input_screen_view.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/widget_sync.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace pile {

class BookDocumentActions;

// Where the parts of the book screen sit that move with the window's height. The defaults are
// the formula-one window's.
struct BookScreenLayout {
    int height = detail::kFormulaOneHeight;  // the window's client height
    int memoHeight = 587;                    // both memos, at 4, 56, 355 wide
    int actionY = 654;                       // Back and Save
    int trackBarY = 698;                     // the font size
};

class BookScreenView : public QWidget {
  public:
    BookScreenView(CalculatorWindow& window, Dispatch dispatch, QWidget* parent,
                   const BookScreenLayout& layout = {});

    void bindTo(WidgetSync& sync);

    QLabel* lb_jisuanjieguo;
    QPlainTextEdit* meo_jisuanjieguo_Doc;
    QPlainTextEdit* meo_jisuanjieguo_Xls;
    QPushButton* cbt_PageBook;
    QPushButton* cbt_sanchu;
    QSlider* tcb_meoFontSize;
    QPushButton* cbt_Exit;
    QPushButton* cbt_Save;
    QPushButton* cbt_Excel;
    QPushButton* cbt_Document;  // its menu: 导出 PDF…, 导出 Word 文档…, 打印…
    BookDocumentActions* documentActions;

  private:
    CalculatorWindow& m_window;
    Dispatch m_dispatch;
};

}  // namespace pile
