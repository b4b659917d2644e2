// A Grid of a window model shown in a QTableView.
#include "app/qt/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>

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
        painter->drawText(cell.rect.adjusted(kTightMargin, 0, -kTightMargin, 0),
                          int(cell.displayAlignment), text);
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

// ---- GridView ----------------------------------------------------------------------------

GridView::GridView(const Grid& grid, QWidget* parent)
    : QTableView(parent),
      m_model(new GridTableModel(grid, this)),
      m_delegate(new GridItemDelegate(this)) {
    setUpLook(this);
    setModel(m_model);
    setItemDelegate(m_delegate);
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
    m_fixedWidths = true;
    for (int c = 0; c < int(widths.size()); ++c) setColumnWidth(c, widths[size_t(c)]);
}

void GridView::fitColumns() {
    if (m_fixedWidths) return;
    if (!m_compact) {
        resizeColumnsToContents();
        return;
    }
    // The widest cell of each column; a header wider than that wraps.
    for (int c = 0; c < m_model->columnCount(); ++c) setColumnWidth(c, sizeHintForColumn(c));
}

}  // namespace pile
