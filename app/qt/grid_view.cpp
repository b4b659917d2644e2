// A Grid of a window model shown in a QTableView.
#include "app/qt/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

#include "app/qt/theme.h"

namespace pile {

namespace {

// The grids use a size smaller than the screens' labels so that the layer columns fit the
// window's width without scrolling while folded.
constexpr int kGridTextPx = 12;
constexpr int kRowHeight = 22;
// The bar column is wide enough for a bar to be read at a glance.
constexpr int kBarColumnWidth = 90;
// The side margin of a cell's text in a compact table.
constexpr int kTightMargin = 2;

// Cells the user cannot type into, in a grid where some can: the layer numbers and the results.
const QColor kReadOnlyCell(0xF0, 0xF0, 0xF0);
// The heading row of a table without header texts, shaded as a header.
const QColor kHeadingCell(0xE4, 0xE4, 0xE4);

bool anyColumnEditable(const Grid& grid) {
    for (int c = 0; c < grid.columnCount(); ++c)
        if (grid.columnEditable(c)) return true;
    return false;
}

// The length of a share bar as a fraction of the cell: the cell's number (a percentage) over
// 100, kept within 0 and 1; a text that is not a number draws no bar.
double shareBarFraction(const QString& cellText) {
    bool ok = false;
    const double percent = cellText.trimmed().toDouble(&ok);
    if (!ok || !(percent > 0)) return 0;  // also NaN
    return std::min(percent, 100.0) / 100.0;
}

void setUpLook(QTableView* view) {
    view->setFont(uiFont(kGridTextPx));
    view->horizontalHeader()->setFont(uiFont(kGridTextPx));
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->hide();  // the layer number is the grid's own column 0
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(kRowHeight);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setWordWrap(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

}  // namespace

// ---- GridTableModel ----------------------------------------------------------------------

GridTableModel::GridTableModel(const Grid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      m_grid(&grid),
      m_rows(grid.rowCount()),
      m_columns(grid.columnCount()) {}

void GridTableModel::refresh() {
    if (!m_grid) return;
    m_refreshing = true;
    const int rows = m_grid->rowCount();
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    if (m_columns > 0) emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    m_refreshing = false;
}

void GridTableModel::detach() {
    beginResetModel();
    m_grid = nullptr;
    m_rows = 0;
    m_edit = nullptr;
    endResetModel();
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_grid ? 0 : m_columns;
}

bool GridTableModel::headingInFirstRow() const {
    const auto& headers = m_grid->headers();
    return std::all_of(headers.begin(), headers.end(),
                       [](const std::string& h) { return h.empty(); });
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!m_grid || !index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return toQString(m_grid->cell(row, column));
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::FontRole:
            if (row == 0 && headingInFirstRow()) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::BackgroundRole:
            if (row == 0 && headingInFirstRow()) return kHeadingCell;
            if (m_shadeReadOnly && !m_grid->cellEditable(row, column) && anyColumnEditable(*m_grid))
                return kReadOnlyCell;
            return {};
        default:
            return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_grid || orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole && section >= 0 && section < m_columns)
        return toQString(m_grid->headers()[static_cast<size_t>(section)]);
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!m_grid || !index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_edit && m_grid->cellEditable(index.row(), index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_grid || !m_edit || role != Qt::EditRole || !index.isValid() ||
        !m_grid->cellEditable(index.row(), index.column()))
        return false;
    m_edit(index.row(), index.column(), fromQString(value.toString()));
    return true;
}

// ---- GridItemDelegate --------------------------------------------------------------------

QColor shareBarColour() { return QColor(0x1E, 0x90, 0xFF); }

void GridItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool bar = index.column() == m_barColumn;
    if (!bar && !m_tight) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell's background and selection as for any cell, then the bar or the text.
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    if (!bar) {
        painter->save();
        painter->setFont(cell.font);
        const bool selected = cell.state & QStyle::State_Selected;
        painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect room = cell.rect.adjusted(kTightMargin, 0, -kTightMargin, 0);
        painter->drawText(room, int(cell.displayAlignment),
                          QFontMetrics(cell.font).elidedText(text, Qt::ElideRight, room.width()));
        painter->restore();
        return;
    }

    const double fraction = shareBarFraction(index.data(Qt::DisplayRole).toString());
    const QRect track = option.rect.adjusted(4, 5, -4, -5);
    const int length = static_cast<int>(track.width() * fraction + 0.5);
    if (length <= 0 || track.height() <= 0) return;
    painter->save();
    painter->fillRect(QRect(track.left(), track.top(), length, track.height()), shareBarColour());
    painter->restore();
}

QSize GridItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.column() == m_barColumn) {
        size.setWidth(scaledLength(option.widget, kBarColumnWidth));
    } else if (m_tight) {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        size.setWidth(QFontMetrics(cell.font).horizontalAdvance(cell.text) + 2 * kTightMargin);
    }
    return size;
}

QWidget* GridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& /*index*/) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignCenter);
    return editor;
}

void GridItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(index.data(Qt::EditRole).toString());
}

void GridItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        model->setData(index, edit->text(), Qt::EditRole);
}

bool GridItemDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!event || !view || !index.isValid() || event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margins =
        m_tight ? 2 * kTightMargin
                : 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1);
    const QFontMetrics metrics(cell.font);
    if (index.column() == m_barColumn || cell.text.isEmpty() ||
        metrics.horizontalAdvance(cell.text) <= option.rect.width() - margins)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // A long text in lines of at most half the screen's width, so that all of it is shown.
    const QScreen* screen = view->screen();
    const int lineWidth = std::max(200, screen ? screen->availableGeometry().width() / 2 : 600);
    QString lines;
    QString line;
    for (const QChar ch : cell.text) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + ch) > lineWidth) {
            lines += line + u'\n';
            line.clear();
        }
        line += ch;
    }
    lines += line;
    QToolTip::showText(event->globalPos(), lines, view->viewport(), option.rect);
    return true;
}

// ---- GridView ----------------------------------------------------------------------------

GridView::GridView(const Grid& grid, QWidget* parent)
    : QTableView(parent),
      m_model(new GridTableModel(grid, this)),
      m_delegate(new GridItemDelegate(this)),
      m_rowHeight(kRowHeight) {
    setUpLook(this);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setTabKeyNavigation(true);
}

GridView::GridView(Grid& grid, Dispatch dispatch, QWidget* parent)
    : GridView(static_cast<const Grid&>(grid), parent) {
    m_model->setEditHandler([&grid, dispatch](int row, int column, const std::string& text) {
        dispatch([&grid, row, column, text] { grid.editCell(row, column, text); });
    });
    // A new current cell is the user selecting it; the current cell that moves because a
    // refresh removed rows is not.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, &grid, dispatch](const QModelIndex& current) {
                if (!current.isValid() || m_model->refreshing()) return;
                const int row = current.row();
                const int column = current.column();
                dispatch([&grid, row, column] { grid.selectCell(row, column); });
            });
}

bool GridView::takesEdits() const {
    return editTriggers() != QAbstractItemView::NoEditTriggers && m_model->grid();
}

QModelIndex GridView::nextEditableCell(const QModelIndex& from, bool forwards) const {
    const int rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    if (rows <= 0 || columns <= 0) return {};
    // Cells numbered row by row; -1 and rows * columns are before the first and past the last.
    const int count = rows * columns;
    int at = from.isValid() ? from.row() * columns + from.column() : (forwards ? -1 : count);
    for (at += forwards ? 1 : -1; at >= 0 && at < count; at += forwards ? 1 : -1) {
        const QModelIndex cell = m_model->index(at / columns, at % columns);
        if (!isRowHidden(cell.row()) && !isColumnHidden(cell.column()) &&
            (m_model->flags(cell) & Qt::ItemIsEditable))
            return cell;
    }
    return {};
}

void GridView::leave(bool forwards) {
    // The widget's own way through the window's Tab chain, not the item view's, which walks
    // the cells.
    QWidget::focusNextPrevChild(forwards);
}

void GridView::mousePressEvent(QMouseEvent* event) {
    m_pressed = indexAt(event->position().toPoint());
    m_pressedSelected = m_pressed.isValid() && m_pressed == currentIndex() &&
                        selectionModel()->isSelected(m_pressed);
    QTableView::mousePressEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool click = event->button() == Qt::LeftButton && index.isValid() && index == m_pressed &&
                       m_pressedSelected;
    m_pressed = QPersistentModelIndex();
    QTableView::mouseReleaseEvent(event);
    if (click && takesEdits() && state() != EditingState && currentIndex() == index &&
        (m_model->flags(index) & Qt::ItemIsEditable))
        edit(index);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        const bool backwards =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        leave(!backwards);
        event->accept();
        return;
    }
    // A paste on the selected cell replaces its text, as a typed key does.
    const QModelIndex current = currentIndex();
    if (event->matches(QKeySequence::Paste) && takesEdits() && state() != EditingState &&
        current.isValid() && (m_model->flags(current) & Qt::ItemIsEditable) &&
        edit(current, AllEditTriggers, nullptr)) {
        if (QWidget* editor = indexWidget(current)) QCoreApplication::sendEvent(editor, event);
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::focusInEvent(QFocusEvent* event) {
    // Tabbed into: on the first cell that takes edits, or from below on the last.
    const Qt::FocusReason reason = event->reason();
    if (takesEdits() && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
        const QModelIndex cell = nextEditableCell(QModelIndex(), reason == Qt::TabFocusReason);
        if (cell.isValid()) setCurrentIndex(cell);
    }
    QTableView::focusInEvent(event);
}

QModelIndex GridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    if (cursorAction != MoveNext && cursorAction != MovePrevious)
        return QTableView::moveCursor(cursorAction, modifiers);
    if (!takesEdits()) return {};  // Tab leaves a read-only table
    return nextEditableCell(currentIndex(), cursorAction == MoveNext);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab in the last cell that takes edits (Shift+Tab in the first) ends the edit and leaves.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    if ((next || hint == QAbstractItemDelegate::EditPreviousItem) &&
        !nextEditableCell(currentIndex(), next).isValid()) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        leave(next);
        return;
    }
    QTableView::closeEditor(editor, hint);
}

void GridView::keyboardSearch(const QString& /*search*/) {
    // A typed key that does not start an edit does not move to a cell beginning with it.
}

void GridView::setCompact() {
    m_compact = true;
    setFont(uiFont(kGridTextPx - 1));
    QHeaderView* header = horizontalHeader();
    header->setFont(font());
    // The header takes the text flag among its alignment flags.
    header->setDefaultAlignment(Qt::Alignment(QFlag(int(Qt::AlignCenter) | int(Qt::TextWordWrap))));
    header->setFixedHeight(2 * header->fontMetrics().height() + 8);
    m_delegate->setTightCells(true);
    // The group around the table frames it; the pixels of a frame of its own go to the cells.
    setFrameShape(QFrame::NoFrame);
    fitColumns();
}

void GridView::setFixedColumnWidths(const std::vector<int>& widths) {
    m_leastWidths = widths;
    fitColumns();
}

void GridView::setRowHeight(int designPixels) {
    m_rowHeight = designPixels;
    fitColumns();
}

bool GridView::event(QEvent* event) {
    if (event->type() == windowScaledEvent()) fitColumns();
    return QTableView::event(event);
}

namespace {

// The least width in which `text` wraps onto at most `lines` lines.
int wrappedWidth(const QFontMetrics& metrics, const QString& text, int lines) {
    const int flags = int(Qt::AlignCenter) | int(Qt::TextWordWrap);
    const int full = metrics.horizontalAdvance(text);
    for (int width = std::max(1, full / lines); width < full; ++width)
        if (metrics.boundingRect(QRect(0, 0, width, 100000), flags, text).height() <=
            lines * metrics.lineSpacing())
            return width;
    return full;
}

}  // namespace

void GridView::fitColumns() {
    const QFontMetrics cells(font());
    verticalHeader()->setDefaultSectionSize(
        std::max(scaledLength(this, m_rowHeight), cells.height() + 4));
    if (m_compact)
        horizontalHeader()->setFixedHeight(2 * horizontalHeader()->fontMetrics().height() + 8);

    const Grid* grid = m_model->grid();
    if (!grid) return;
    // The style's margins around a cell's text, and the grid line; a text at the edge of its
    // room is elided, so a pixel to spare.
    const int cellMargin =
        (m_compact ? 2 * kTightMargin
                   : 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1)) +
        2;
    QHeaderView* header = horizontalHeader();
    const QFontMetrics headerMetrics(header->font());
    const int headerMargin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2;
    const int typedWidth = cells.horizontalAdvance(QStringLiteral("-0000.000")) + cellMargin;
    // Whether a column takes edits is the grid's; whether they are taken now follows the
    // selected cell, and must not change the widths.
    const bool edits = m_model->hasEditHandler();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int width =
            c < int(m_leastWidths.size()) ? scaledLength(this, m_leastWidths[size_t(c)]) : 0;
        const QString title = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (!title.isEmpty() && !header->isHidden())
            width = std::max(width, (m_compact ? wrappedWidth(headerMetrics, title, 2)
                                               : headerMetrics.horizontalAdvance(title)) +
                                        headerMargin);
        if (c == m_delegate->barColumn()) {
            width = std::max(width, scaledLength(this, kBarColumnWidth));
        } else if (edits && grid->columnEditable(c)) {
            // What is typed never widens the column.
            if (m_leastWidths.empty()) width = std::max(width, typedWidth);
        } else {
            for (int r = 0; r < m_model->rowCount(); ++r) {
                const QModelIndex index = m_model->index(r, c);
                const QVariant font = index.data(Qt::FontRole);
                const QFontMetrics& metrics =
                    font.isValid() ? QFontMetrics(font.value<QFont>().resolve(this->font()))
                                   : cells;
                width = std::max(width,
                                 metrics.horizontalAdvance(index.data().toString()) + cellMargin);
            }
        }
        setColumnWidth(c, width);
    }
}

}  // namespace pile
