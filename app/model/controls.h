// The state of the controls of a window model, as plain data.
//
// A control holds what a widget shows (text, items, selection, tick, enabled, visible, text
// colour) and a revision number that grows with every change of that state, so a view can bring
// a widget up to date by comparing the revision it last showed. Controls that carry a value
// (edits, combo boxes, check and radio buttons, the popup list, the track bar) fire their change
// handler when a write changes the value, whoever writes it: a handler that rewrites another
// control runs that control's handler too, exactly as typing would; writing the value a control
// already holds fires nothing. Handlers run synchronously, before the write returns.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_colour.h"

namespace pile {

class ResultList;

using ChangeHandler = std::function<void()>;

// Enabled, visible, text colour and hint: what every control has.
class Control {
  public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    bool enabled() const { return m_enabled; }
    bool visible() const { return m_visible; }
    TextColour textColour() const { return m_colour; }
    const std::string& hint() const { return m_hint; }

    void setEnabled(bool enabled);
    void setVisible(bool visible);
    void setTextColour(TextColour colour);
    void setHint(std::string hint);

    // Grows by at least one with every change of the state above or of a subclass's state.
    std::uint64_t revision() const { return m_revision; }

  protected:
    void touch() { ++m_revision; }

  private:
    bool m_enabled = true;
    bool m_visible = true;
    TextColour m_colour = TextColour::Black;
    std::string m_hint;
    std::uint64_t m_revision = 0;
};

// A control with a caption but no value of its own: labels, buttons, group boxes, screens.
// Bold and underline serve the link labels of the About box.
class Label : public Control {
  public:
    const std::string& text() const { return m_text; }
    bool bold() const { return m_bold; }
    bool underline() const { return m_underline; }

    void setText(std::string_view text);
    void setBold(bool bold);
    void setUnderline(bool underline);

  private:
    std::string m_text;
    bool m_bold = false;
    bool m_underline = false;
};

using Button = Label;
using GroupBox = Label;
// A full-window screen (layer) or a picture: only visibility and enabled state matter.
using Layer = Control;
using Picture = Control;

// A one-line edit. Read-only edits (the result fields) are written only by the model.
class Edit : public Control {
  public:
    const std::string& text() const { return m_text; }
    bool readOnly() const { return m_readOnly; }

    // Fires the change handler when the text changes.
    void setText(std::string_view text);
    void setReadOnly(bool readOnly);
    void onChange(ChangeHandler handler) { m_onChange = std::move(handler); }

  private:
    std::string m_text;
    bool m_readOnly = false;
    ChangeHandler m_onChange;
};

// A drop-down list. An editable combo box (cbe_) holds free text, and its items only offer
// texts to pick; its value is the text. A fixed combo box (cbb_) holds the index of the
// selected item (-1 for none); its value is that index together with the item's text.
class ComboBox : public Control {
  public:
    explicit ComboBox(bool editable) : m_editable(editable) {}

    bool editable() const { return m_editable; }
    const std::vector<std::string>& items() const { return m_items; }
    // Fixed: the selected index. Editable: the index of the first item equal to the text, or -1.
    int index() const;
    // Fixed: the selected item's text ("" for none). Editable: the text.
    const std::string& text() const;

    // Replaces the items and selects `index` (-1 for none) in one write. An editable combo box
    // with index -1 keeps its text.
    void setItems(std::vector<std::string>&& items, int index);
    // The same, copying the items only when they differ from those held.
    void setItems(const std::vector<std::string>& items, int index);
    // Selects an item; an index out of range selects none (fixed) or leaves the text (editable).
    void setIndex(int index);
    // Editable only: the text as typed. A fixed combo box selects the item with this text.
    void setText(std::string_view text);
    void onChange(ChangeHandler handler) { m_onChange = std::move(handler); }

  private:
    template <class Write>
    void write(Write&& write);
    template <class Items>
    void replaceItems(Items&& items, int index);

    bool m_editable;
    std::vector<std::string> m_items;
    int m_index = -1;
    std::string m_text;      // editable only
    std::string m_oldValue;  // the value before a write, kept to reuse its storage
    ChangeHandler m_onChange;
};

class CheckBox : public Control {
  public:
    const std::string& text() const { return m_text; }
    bool checked() const { return m_checked; }

    void setText(std::string_view text);
    // Fires the change handler when the tick changes.
    void setChecked(bool checked);
    void onChange(ChangeHandler handler) { m_onChange = std::move(handler); }

  private:
    std::string m_text;
    bool m_checked = false;
    ChangeHandler m_onChange;
};

// One button of a group of which exactly one is selected. Selecting it deselects the others;
// the handlers of the buttons that were deselected run first, then its own.
class RadioButton : public Control {
  public:
    const std::string& text() const { return m_text; }
    bool checked() const { return m_checked; }

    void setText(std::string_view text);
    void select();
    void onChange(ChangeHandler handler) { m_onChange = std::move(handler); }

    // Makes the buttons one group and selects the first.
    static void group(std::vector<RadioButton*> buttons);

  private:
    std::string m_text;
    bool m_checked = false;
    std::vector<RadioButton*> m_group;
    ChangeHandler m_onChange;
};

// A popup list of fixed items. Picking an item while it is shown is an event of its own: it
// fires the handler even when the item was already selected. A write by program fires only
// when the index changes.
class PopupList : public Control {
  public:
    const std::vector<std::string>& items() const { return m_items; }
    int index() const { return m_index; }

    void setItems(std::vector<std::string> items, int index);
    void setIndex(int index);
    void pick(int index);
    void onChange(ChangeHandler handler) { m_onChange = std::move(handler); }

  private:
    std::vector<std::string> m_items;
    int m_index = -1;
    ChangeHandler m_onChange;
};

// A horizontal track bar with an integer value kept within [minimum, maximum].
class TrackBar : public Control {
  public:
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int value() const { return m_value; }

    void setRange(int minimum, int maximum);
    void setValue(int value);
    void onChange(ChangeHandler handler) { m_onChange = std::move(handler); }

  private:
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    ChangeHandler m_onChange;
};

// A grid of text cells: the layer grids of the soil screens and the reference tables beside
// them. Every cell holds text; a column may be hidden and may accept edits. The user's events
// are selecting a cell and ending an edit of one; the model writes cells, rows and visibility
// by program, which fires nothing. contentRevision() grows with the cells and the row count
// (revision() with every change at all), so a view rebuilds its cells only when they changed.
//
// A cell may also be given as numbers and the function that writes them out (setCellNumber):
// its text is made when it is first read and kept. A search that writes hundreds of result
// cells for every candidate thus writes out only those a reader looks at. Such a write counts
// as a change of the content unless the cell holds the same function and numbers already.
class Grid : public Control {
  public:
    using CellHandler = std::function<void(int row, int column)>;
    // The text of a cell given as the numbers a and b.
    using CellFormat = std::string (*)(double a, double b);

    explicit Grid(int columns);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return static_cast<int>(m_headers.size()); }
    const std::vector<std::string>& headers() const { return m_headers; }
    const std::vector<std::string>& row(int row) const;
    // "" for a cell outside the grid.
    const std::string& cell(int row, int column) const;
    bool columnVisible(int column) const;
    // Whether the user may ever edit a cell of this column.
    bool columnEditable(int column) const;
    // Whether the user may edit this cell: its column takes edits and the cell rule, if any,
    // agrees.
    bool cellEditable(int row, int column) const;
    // The grid's editor state, set by the screen when a cell is selected.
    bool editable() const { return m_editable; }
    int selectedRow() const { return m_selectedRow; }
    int selectedColumn() const { return m_selectedColumn; }
    std::uint64_t contentRevision() const { return m_contentRevision; }
    // Grows with the cells written as text, the headers and the row count, not with number
    // cells: a reader of the typed cells knows from it whether any may have changed.
    std::uint64_t textRevision() const { return m_textRevision; }

    void setHeaders(std::vector<std::string> headers);
    // Rows past the count go; new rows are blank.
    void setRowCount(int rows);
    // Writes by program; a cell outside the grid is ignored.
    void setCell(int row, int column, std::string text);
    // A cell whose text is format(a, b), made when it is read.
    void setCellNumber(int row, int column, CellFormat format, double a, double b = 0);
    void setColumnVisible(int column, bool visible);
    void setColumnEditable(int column, bool editable);
    // Narrows the editable columns to the cells the rule accepts.
    void setCellRule(std::function<bool(int row, int column)> rule) {
        m_cellRule = std::move(rule);
    }
    void setEditable(bool editable);

    // The user selects a cell: the select handler runs (it decides editable()).
    void selectCell(int row, int column);
    // The user ends an edit of a cell with `text`. The text is taken exactly as typed and the
    // end-of-edit handler runs. A cell outside the grid or one that takes no edits changes
    // nothing; returns whether the edit was taken.
    bool editCell(int row, int column, std::string text);
    void onSelectCell(CellHandler handler) { m_onSelect = std::move(handler); }
    void onEditingDone(CellHandler handler) { m_onEditingDone = std::move(handler); }

  private:
    // A cell given as numbers; pending until its text is made.
    struct NumberCell {
        CellFormat format = nullptr;
        double a = 0, b = 0;
        bool pending = false;
    };

    bool inside(int row, int column) const;
    void contentChanged();
    NumberCell* numberCell(int row, int column) const;
    // Makes the text of a pending cell.
    void writeOut(int row, int column) const;

    std::vector<std::string> m_headers;
    // Texts of the cells; those of pending number cells are made on reading.
    mutable std::vector<std::vector<std::string>> m_rows;
    // By row, then column; empty until the first number cell.
    mutable std::vector<std::vector<NumberCell>> m_numbers;
    std::vector<bool> m_columnVisible;
    std::vector<bool> m_columnEditable;
    bool m_editable = false;
    int m_selectedRow = -1;
    int m_selectedColumn = -1;
    std::uint64_t m_contentRevision = 0;
    std::uint64_t m_textRevision = 0;
    std::function<bool(int, int)> m_cellRule;
    CellHandler m_onSelect;
    CellHandler m_onEditingDone;
};

// A result list of the optimisation screen: a read-only view over rows the screen owns
// (their cell texts are made when shown), with its header texts, column visibility and the
// selected cell. The owner calls rowsChanged() after every change of the rows.
class ListGrid : public Control {
  public:
    explicit ListGrid(const ResultList& rows) : m_rows(&rows) {}

    const ResultList& rows() const { return *m_rows; }
    const std::vector<std::string>& headers() const { return m_headers; }
    bool columnVisible(int column) const;
    int selectedRow() const { return m_selectedRow; }
    int selectedColumn() const { return m_selectedColumn; }
    // Grows with every change of the rows (revision() with every change at all).
    std::uint64_t contentRevision() const { return m_contentRevision; }

    void setHeaders(std::vector<std::string> headers);
    void setColumnVisible(int column, bool visible);
    void setSelectedCell(int row, int column);
    void rowsChanged();

  private:
    const ResultList* m_rows;
    std::vector<std::string> m_headers;
    std::vector<bool> m_hidden;  // by column; columns past the end are shown
    int m_selectedRow = -1;
    int m_selectedColumn = -1;
    std::uint64_t m_contentRevision = 0;
};

// A read-only multi-line text view that does not wrap. It shows lines it does not own (the
// books of the window); their owner calls linesChanged() after every change, which also
// scrolls the view back to its beginning.
class Memo : public Control {
  public:
    const std::vector<std::string>& lines() const;
    int fontSize() const { return m_fontSize; }
    // Grows with every change of the lines (revision() grows with every change at all).
    std::uint64_t contentRevision() const { return m_contentRevision; }

    void setSource(const std::vector<std::string>* lines);
    void linesChanged();
    void setFontSize(int size);

  private:
    const std::vector<std::string>* m_lines = nullptr;
    int m_fontSize = 0;  // in pixels; set by the screen that owns the memo
    std::uint64_t m_contentRevision = 0;
};

}  // namespace pile
