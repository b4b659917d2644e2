// The widgets of the book screen (JieGuo_DocLayer): the two book views, the page switch,
// delete-last, the font size, Back and Save.
#pragma once

#include <QWidget>

#include "app/model/calculator_window.h"
#include "app/qt/input_screen_view.h"
#include "app/qt/widget_sync.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace pile {

class BookScreenView : public QWidget {
public:
    BookScreenView(CalculatorWindow& window, Dispatch dispatch, QWidget* parent);

    void bindTo(WidgetSync& sync);

    QLabel* lb_jisuanjieguo;
    QPlainTextEdit* meo_jisuanjieguo_Doc;
    QPlainTextEdit* meo_jisuanjieguo_Xls;
    QPushButton* cbt_PageBook;
    QPushButton* cbt_sanchu;
    QSlider* tcb_meoFontSize;
    QPushButton* cbt_Exit;
    QPushButton* cbt_Save;

private:
    CalculatorWindow& m_window;
    Dispatch m_dispatch;
};

}  // namespace pile
