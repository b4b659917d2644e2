// A result list of the optimisation screen (a ListGrid of the model) in a QTableView, through a
// table model that makes each cell's text when the view asks for it: a list of a million rows
// opens and scrolls at once, with no widget and no stored text per cell.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <cstdint>

#include "app/model/controls.h"
#include "app/qt/widget_sync.h"

namespace pile {

class ResultListModel : public QAbstractTableModel {
  public:
    ResultListModel(const ListGrid& grid, QObject* parent);

    // Brings rows and headers up to date with the list: a reset when the rows changed, a
    // header change when only the headers did.
    void refresh();
    // The list is going away: the model empties and reads it no more.
    void detach();
    // Null once detached.
    const ListGrid* grid() const { return m_grid; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const ListGrid* m_grid;
    int m_rows = 0;
    int m_columns = 0;
    std::uint64_t m_shownContent = ~std::uint64_t(0);
    std::vector<std::string> m_shownHeaders;
};

class ResultListView : public QTableView {
  public:
    // Header clicks and double-clicks go to `headerClick` and `doubleClick` (row) through
    // `dispatch`.
    ResultListView(const ListGrid& grid, Dispatch dispatch, std::function<void(int)> headerClick,
                   std::function<void(int)> doubleClick, QWidget* parent);

    ResultListModel* listModel() const { return m_model; }
    // Shows the list's rows, headers, hidden columns and selected cell.
    void syncFrom(const ListGrid& grid);

  protected:
    // After the window is scaled: every column measured again in the scaled fonts, the rows
    // as tall as the font needs.
    bool event(QEvent* event) override;

  private:
    // Columns as wide as their header (with a sort mark) and their widest usual cell; the rows
    // are not looked at.
    void fitColumns(const ListGrid& grid, bool pileNumbersOnly);
    // What the width of the pile numbers depends on: the digits of the row count, and whether
    // the numbers carry "ZH-".
    static int numberShape(const ResultList& list);

    ResultListModel* m_model;
    int m_fittedNumbers = 0;
};

}  // namespace pile
