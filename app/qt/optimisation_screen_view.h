// The widgets of the optimisation screen (YouHuaFormLayer): the item table edited in place, the
// raw and the filtered list, the status line and the buttons. A search that runs longer than
// half a second shows a progress box with the count done and a Cancel button.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include "app/model/calculator_window.h"
#include "app/qt/grid_view.h"
#include "app/qt/result_list_view.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/widget_sync.h"

class QLabel;
class QPushButton;

namespace pile {

class OptimisationScreenView : public QWidget {
  public:
    // `height` is the window's client height (the formula-one height by default).
    OptimisationScreenView(CalculatorWindow& window, Dispatch dispatch, QWidget* parent,
                           int height = detail::kFormulaOneHeight);

    void bindTo(WidgetSync& sync);

    QLabel* lb_youhuabiaoti;
    GridView* Grid1_Youhuaxuanxiang;
    ResultListView* Grid2_Youhuajieguo;
    ResultListView* Grid3_Youhuasaixuan;
    QLabel* lb_huzhu;
    QLabel* lb_YHxingxi;
    QPushButton* cbt_zhangkai;
    QPushButton* cbt_YHcompute;
    QPushButton* cbt_YHsaixuan;
    QPushButton* cbt_YHsave;
    QPushButton* cbt_YHexcel;
    QPushButton* cbt_YHfanhui;

    // The progress box of the search running now, or null.
    QProgressDialog* progressBox() const { return m_progress; }

  private:
    // Told by the model every few thousand candidates; false stops the search.
    bool searchProgress(std::uint64_t done, std::uint64_t total);
    void search();

    CalculatorWindow& m_window;
    OptimisationScreen& m_model;
    Dispatch m_dispatch;
    QElapsedTimer m_searchTime;
    QPointer<QProgressDialog> m_progress;
};

}  // namespace pile
