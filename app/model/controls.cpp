// The state of the controls of a window model.
#include "app/model/controls.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace pile {

namespace {

void fire(const ChangeHandler& handler) {
    if (handler) handler();
}

}  // namespace

void Control::setEnabled(bool enabled) {
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    touch();
}

void Control::setVisible(bool visible) {
    if (m_visible == visible) return;
    m_visible = visible;
    touch();
}

void Control::setTextColour(TextColour colour) {
    if (m_colour == colour) return;
    m_colour = colour;
    touch();
}

void Control::setHint(std::string hint) {
    if (m_hint == hint) return;
    m_hint = std::move(hint);
    touch();
}

void Label::setText(std::string_view text) {
    if (m_text == text) return;
    m_text.assign(text);
    touch();
}

void Label::setBold(bool bold) {
    if (m_bold == bold) return;
    m_bold = bold;
    touch();
}

void Label::setUnderline(bool underline) {
    if (m_underline == underline) return;
    m_underline = underline;
    touch();
}

void Edit::setText(std::string_view text) {
    if (m_text == text) return;
    m_text.assign(text);
    touch();
    fire(m_onChange);
}

void Edit::setReadOnly(bool readOnly) {
    if (m_readOnly == readOnly) return;
    m_readOnly = readOnly;
    touch();
}

int ComboBox::index() const {
    if (!m_editable) return m_index;
    const auto it = std::find(m_items.begin(), m_items.end(), m_text);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

const std::string& ComboBox::text() const {
    static const std::string none;
    if (m_editable) return m_text;
    return m_index >= 0 ? m_items[static_cast<size_t>(m_index)] : none;
}

// Applies a write; bumps the revision when anything changed and fires the handler when the
// value changed.
template <class Write>
void ComboBox::write(Write&& write) {
    const int oldIndex = m_index;
    m_oldValue.assign(text());
    const bool itemsChanged = write();
    if (m_index < -1 || m_index >= static_cast<int>(m_items.size())) m_index = -1;
    const bool valueChanged = text() != m_oldValue || (!m_editable && m_index != oldIndex);
    if (valueChanged || itemsChanged) touch();
    if (valueChanged) fire(m_onChange);
}

template <class Items>
void ComboBox::replaceItems(Items&& items, int index) {
    write([&] {
        const bool itemsChanged = items != m_items;
        if (itemsChanged) m_items = std::forward<Items>(items);
        if (m_editable) {
            if (index >= 0 && index < static_cast<int>(m_items.size()))
                m_text = m_items[static_cast<size_t>(index)];
        } else {
            m_index = index;
        }
        return itemsChanged;
    });
}

void ComboBox::setItems(std::vector<std::string>&& items, int index) {
    replaceItems(std::move(items), index);
}

void ComboBox::setItems(const std::vector<std::string>& items, int index) {
    replaceItems(items, index);
}

void ComboBox::setIndex(int index) {
    const bool inRange = index >= 0 && index < static_cast<int>(m_items.size());
    if (m_editable) {
        if (!inRange || m_text == m_items[static_cast<size_t>(index)]) return;
        m_text = m_items[static_cast<size_t>(index)];
    } else {
        if (!inRange) index = -1;
        if (index == m_index) return;
        m_index = index;
    }
    touch();
    fire(m_onChange);
}

void ComboBox::setText(std::string_view text) {
    if (m_editable) {
        if (m_text == text) return;
        m_text.assign(text);
    } else {
        const auto it = std::find(m_items.begin(), m_items.end(), text);
        const int index = it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
        if (index == m_index) return;
        m_index = index;
    }
    touch();
    fire(m_onChange);
}

void CheckBox::setText(std::string_view text) {
    if (m_text == text) return;
    m_text.assign(text);
    touch();
}

void CheckBox::setChecked(bool checked) {
    if (m_checked == checked) return;
    m_checked = checked;
    touch();
    fire(m_onChange);
}

void RadioButton::setText(std::string_view text) {
    if (m_text == text) return;
    m_text.assign(text);
    touch();
}

void RadioButton::select() {
    if (m_checked) return;
    std::vector<RadioButton*> deselected;
    for (RadioButton* other : m_group) {
        if (other != this && other->m_checked) {
            other->m_checked = false;
            other->touch();
            deselected.push_back(other);
        }
    }
    m_checked = true;
    touch();
    for (RadioButton* other : deselected) fire(other->m_onChange);
    fire(m_onChange);
}

void RadioButton::group(std::vector<RadioButton*> buttons) {
    for (RadioButton* b : buttons) {
        b->m_group = buttons;
        b->m_checked = false;
        b->touch();
    }
    if (!buttons.empty()) buttons.front()->m_checked = true;
}

void PopupList::setItems(std::vector<std::string> items, int index) {
    m_items = std::move(items);
    m_index = (index >= 0 && index < static_cast<int>(m_items.size())) ? index : -1;
    touch();
}

void PopupList::setIndex(int index) {
    if (index < 0 || index >= static_cast<int>(m_items.size()) || index == m_index) return;
    m_index = index;
    touch();
    fire(m_onChange);
}

void PopupList::pick(int index) {
    if (index < 0 || index >= static_cast<int>(m_items.size())) return;
    if (index != m_index) {
        m_index = index;
        touch();
    }
    fire(m_onChange);
}

void TrackBar::setRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_min, m_max);
    touch();
}

void TrackBar::setValue(int value) {
    value = std::clamp(value, m_min, m_max);
    if (value == m_value) return;
    m_value = value;
    touch();
    fire(m_onChange);
}

Grid::Grid(int columns)
    : m_headers(static_cast<size_t>(columns)),
      m_columnVisible(static_cast<size_t>(columns), true),
      m_columnEditable(static_cast<size_t>(columns), false) {}

bool Grid::inside(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

Grid::NumberCell* Grid::numberCell(int row, int column) const {
    if (static_cast<size_t>(row) >= m_numbers.size()) return nullptr;
    auto& cells = m_numbers[static_cast<size_t>(row)];
    return static_cast<size_t>(column) < cells.size() ? &cells[static_cast<size_t>(column)]
                                                      : nullptr;
}

void Grid::writeOut(int row, int column) const {
    NumberCell* n = numberCell(row, column);
    if (!n || !n->pending) return;
    m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)] = n->format(n->a, n->b);
    n->pending = false;
}

const std::vector<std::string>& Grid::row(int row) const {
    for (int column = 0; column < columnCount(); ++column) writeOut(row, column);
    return m_rows[static_cast<size_t>(row)];
}

const std::string& Grid::cell(int row, int column) const {
    static const std::string none;
    if (!inside(row, column)) return none;
    writeOut(row, column);
    return m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

bool Grid::columnVisible(int column) const {
    return column >= 0 && column < columnCount() && m_columnVisible[static_cast<size_t>(column)];
}

bool Grid::columnEditable(int column) const {
    return column >= 0 && column < columnCount() && m_columnEditable[static_cast<size_t>(column)];
}

bool Grid::cellEditable(int row, int column) const {
    return inside(row, column) && columnEditable(column) &&
           (!m_cellRule || m_cellRule(row, column));
}

void Grid::contentChanged() {
    ++m_contentRevision;
    touch();
}

void Grid::setHeaders(std::vector<std::string> headers) {
    headers.resize(m_headers.size());
    if (headers == m_headers) return;
    m_headers = std::move(headers);
    ++m_textRevision;
    contentChanged();
}

void Grid::setRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == rowCount()) return;
    m_rows.resize(static_cast<size_t>(rows), std::vector<std::string>(m_headers.size()));
    if (m_numbers.size() > static_cast<size_t>(rows)) m_numbers.resize(static_cast<size_t>(rows));
    if (m_selectedRow >= rows) m_selectedRow = m_selectedColumn = -1;
    ++m_textRevision;
    contentChanged();
}

void Grid::setCell(int row, int column, std::string text) {
    if (!inside(row, column)) return;
    writeOut(row, column);
    if (NumberCell* n = numberCell(row, column)) n->format = nullptr;
    std::string& cell = m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (cell == text) return;
    cell = std::move(text);
    ++m_textRevision;
    contentChanged();
}

void Grid::setCellNumber(int row, int column, CellFormat format, double a, double b) {
    if (!inside(row, column)) return;
    if (m_numbers.size() < m_rows.size()) m_numbers.resize(m_rows.size());
    auto& cells = m_numbers[static_cast<size_t>(row)];
    if (cells.empty()) cells.resize(m_headers.size());
    NumberCell& n = cells[static_cast<size_t>(column)];
    // The same numbers, bit for bit, make the same text (0 and -0 may not).
    if (n.format == format && std::memcmp(&n.a, &a, sizeof a) == 0 &&
        std::memcmp(&n.b, &b, sizeof b) == 0)
        return;
    n = NumberCell{format, a, b, true};
    contentChanged();
}

void Grid::setColumnVisible(int column, bool visible) {
    if (column < 0 || column >= columnCount() || columnVisible(column) == visible) return;
    m_columnVisible[static_cast<size_t>(column)] = visible;
    touch();
}

void Grid::setColumnEditable(int column, bool editable) {
    if (column < 0 || column >= columnCount() || columnEditable(column) == editable) return;
    m_columnEditable[static_cast<size_t>(column)] = editable;
    touch();
}

void Grid::setEditable(bool editable) {
    if (m_editable == editable) return;
    m_editable = editable;
    touch();
}

void Grid::selectCell(int row, int column) {
    if (!inside(row, column)) return;
    if (row != m_selectedRow || column != m_selectedColumn) {
        m_selectedRow = row;
        m_selectedColumn = column;
        touch();
    }
    if (m_onSelect) m_onSelect(row, column);
}

bool Grid::editCell(int row, int column, std::string text) {
    if (!cellEditable(row, column)) return false;
    setCell(row, column, std::move(text));
    if (m_onEditingDone) m_onEditingDone(row, column);
    return true;
}

bool ListGrid::columnVisible(int column) const {
    return column < 0 || column >= static_cast<int>(m_hidden.size()) ||
           !m_hidden[static_cast<size_t>(column)];
}

void ListGrid::setHeaders(std::vector<std::string> headers) {
    if (headers == m_headers) return;
    m_headers = std::move(headers);
    touch();
}

void ListGrid::setColumnVisible(int column, bool visible) {
    if (column < 0 || columnVisible(column) == visible) return;
    if (column >= static_cast<int>(m_hidden.size()))
        m_hidden.resize(static_cast<size_t>(column) + 1);
    m_hidden[static_cast<size_t>(column)] = !visible;
    touch();
}

void ListGrid::setSelectedCell(int row, int column) {
    if (row == m_selectedRow && column == m_selectedColumn) return;
    m_selectedRow = row;
    m_selectedColumn = column;
    touch();
}

void ListGrid::rowsChanged() {
    ++m_contentRevision;
    touch();
}

const std::vector<std::string>& Memo::lines() const {
    static const std::vector<std::string> none;
    return m_lines ? *m_lines : none;
}

void Memo::setSource(const std::vector<std::string>* lines) {
    m_lines = lines;
    linesChanged();
}

void Memo::linesChanged() {
    ++m_contentRevision;
    touch();
}

void Memo::setFontSize(int size) {
    if (m_fontSize == size) return;
    m_fontSize = size;
    touch();
}

}  // namespace pile
