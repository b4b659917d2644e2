// A Grid of a window model shown in a QTableView: a table model that reads the grid's cells (no
// widget per cell), a delegate that edits a cell in a plain line edit and draws the share bars,
// and a view that hands the user's selecting and editing of cells to the grid's handlers.
//
// Nothing is written into the grid by the view itself: an edit ends in Grid::editCell() through
// the window's dispatch, and the cells come back by the sync (WidgetSync::bind), which calls
// GridTableModel::refresh() when the grid's content changed.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

#include "app/model/controls.h"
#include "app/qt/widget_sync.h"

namespace pile {

class GridTableModel : public QAbstractTableModel {
  public:
    // The text of an ended edit, for the grid's end-of-edit handler.
    using EditHandler = std::function<void(int row, int column, const std::string& text)>;

    GridTableModel(const Grid& grid, QObject* parent);

    // Null once detached.
    const Grid* grid() const { return m_grid; }
    // Without a handler (the reference tables) no cell takes an edit.
    void setEditHandler(EditHandler handler) { m_edit = std::move(handler); }
    bool hasEditHandler() const { return bool(m_edit); }
    // Whether the cells that take no edits are shaded, where some cells take edits (on by
    // default; a table with alternating rows shows them instead).
    void setShadeReadOnly(bool shade) { m_shadeReadOnly = shade; }

    // Brings the rows, cells and headers up to date with the grid. The grid's rows come and go
    // at its end, so rows are inserted or removed there and every cell is announced changed;
    // there is no reset, so the current cell and an open editor survive an edit's own sync.
    void refresh();
    // True while refresh() runs: the view's own reactions to it are not user events.
    bool refreshing() const { return m_refreshing; }
    // The grid is going away: the model empties and reads it no more.
    void detach();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An ended edit: the text goes to the edit handler exactly as typed.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  private:
    // A table without header texts (table 5.4.3) has its heading in row 0.
    bool headingInFirstRow() const;

    const Grid* m_grid;
    int m_rows;
    int m_columns;
    bool m_refreshing = false;
    bool m_shadeReadOnly = true;
    EditHandler m_edit;
};

// Edits a cell in a plain QLineEdit (no completion, no validator, no number format: the text
// stays as typed) and draws the cells of the bar column as a horizontal bar whose length is the
// cell's number, a percentage (0 to 100; beyond that the bar is empty or full).
class GridItemDelegate : public QStyledItemDelegate {
  public:
    explicit GridItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

    // -1: no bar column.
    void setBarColumn(int column) { m_barColumn = column; }
    int barColumn() const { return m_barColumn; }
    // Cell texts with 2-pixel side margins instead of the style's.
    void setTightCells(bool tight) { m_tight = tight; }
    bool tightCells() const { return m_tight; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    // The whole text of a cell too narrow for it, in a tooltip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  private:
    int m_barColumn = -1;
    bool m_tight = false;
};

// The colour of the share bars.
QColor shareBarColour();

// The keyboard and mouse of a grid that takes edits: a click selects a cell, and a key typed
// then edits it; a click on the selected cell opens its editor at once, its text selected (no
// wait for a possible double click, in which keystrokes would go astray); a typed key edits the
// current cell (a paste too) and never searches the grid for a cell beginning with it,
// and Tab and Shift+Tab walk the cells that take edits and then leave the grid; Ctrl+Tab leaves
// it at once. A read-only grid is left by Tab.
class GridView : public QTableView {
  public:
    // A read-only view of `grid` (a reference table).
    GridView(const Grid& grid, QWidget* parent);
    // A view that hands the selecting of a cell (Grid::selectCell) and each ended edit
    // (Grid::editCell) to `grid` through `dispatch`.
    GridView(Grid& grid, Dispatch dispatch, QWidget* parent);

    GridTableModel* gridModel() const { return m_model; }
    GridItemDelegate* gridDelegate() const { return m_delegate; }
    void setBarColumn(int column) { m_delegate->setBarColumn(column); }
    // For a table wider than its place whose headers are wider than its cells: a smaller
    // text, header texts that wrap onto a second line, tight cell margins, and columns as wide
    // as their cells need.
    void setCompact();

    // The least widths of the columns, in design pixels; a column is wider only where its
    // header or a cell it does not take edits in needs it.
    void setFixedColumnWidths(const std::vector<int>& widths);
    // The least row height, in design pixels (rows are as tall as their text needs at least).
    void setRowHeight(int designPixels);
    // Sizes the columns to their headers and contents (after the cells, the shown columns or
    // the fonts changed) and the rows to the font. A column that takes edits is as wide as its
    // header, or its least width, or a number of nine characters: what is typed into it never
    // widens it (a longer text is elided in its cell and shown whole in its tooltip).
    void fitColumns();

    // The cell that Tab (forwards) or Shift+Tab goes to from `from`: the next visible cell
    // that takes edits, row by row; invalid past the last (or before the first).
    QModelIndex nextEditableCell(const QModelIndex& from, bool forwards) const;

  protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyboardSearch(const QString& search) override;

  private:
    bool takesEdits() const;
    // Gives the focus to the widget before or after the grid in the window's Tab chain.
    void leave(bool forwards);

    GridTableModel* m_model;
    GridItemDelegate* m_delegate;
    bool m_compact = false;
    std::vector<int> m_leastWidths;
    int m_rowHeight;
    QPersistentModelIndex m_pressed;
    bool m_pressedSelected = false;
};

}  // namespace pile
