// A result list of the optimisation screen in a QTableView.
#include "app/qt/result_list_view.h"

#include <QHeaderView>

#include "app/qt/theme.h"
#include "optimise/result_list.h"

namespace pile {

namespace {

constexpr int kListTextPx = 12;
constexpr int kRowHeight = 20;
// Widths of the columns: the pile number, the section and the values; the note takes the rest.
constexpr int kColumnWidth = 70;
constexpr int kSizeColumnWidth = 80;

}  // namespace

ResultListModel::ResultListModel(const ListGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(&grid) {}

void ResultListModel::refresh() {
    if (!m_grid) return;
    if (m_grid->contentRevision() != m_shownContent) {
        beginResetModel();
        m_shownContent = m_grid->contentRevision();
        m_rows = static_cast<int>(m_grid->rows().size());
        m_columns = m_grid->rows().columnCount();
        m_shownHeaders = m_grid->headers();
        endResetModel();
        return;
    }
    if (m_grid->headers() != m_shownHeaders) {
        m_shownHeaders = m_grid->headers();
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    }
}

void ResultListModel::detach() {
    beginResetModel();
    m_grid = nullptr;
    m_rows = m_columns = 0;
    endResetModel();
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!m_grid || !index.isValid() || index.row() >= m_rows || index.column() >= m_columns)
        return {};
    if (role == Qt::DisplayRole)
        return toQString(m_grid->rows().cellText(static_cast<size_t>(index.row()), index.column()));
    // Every cell is centred but the note's.
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == m_columns - 1
                                       ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                       : Qt::Alignment(Qt::AlignCenter));
    return {};
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= static_cast<int>(m_shownHeaders.size())) return {};
    return toQString(m_shownHeaders[static_cast<size_t>(section)]);
}

ResultListView::ResultListView(const ListGrid& grid, Dispatch dispatch,
                               std::function<void(int)> headerClick,
                               std::function<void(int)> doubleClick, QWidget* parent)
    : QTableView(parent), m_model(new ResultListModel(grid, this)) {
    setModel(m_model);
    setFont(uiFont(kListTextPx));
    horizontalHeader()->setFont(uiFont(kListTextPx));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(true);
    // Fixed row heights: the view never measures a row, whatever the list's length.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_model->refresh();
    for (int c = 0; c + 1 < m_model->columnCount(); ++c)
        setColumnWidth(c, c == 2 ? kSizeColumnWidth : kColumnWidth);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [dispatch, headerClick](int column) { dispatch([&] { headerClick(column); }); });
    connect(this, &QTableView::doubleClicked, this, [dispatch, doubleClick](const QModelIndex& i) {
        if (i.isValid()) dispatch([&] { doubleClick(i.row()); });
    });
}

void ResultListView::syncFrom(const ListGrid& grid) {
    m_model->refresh();
    for (int c = 0; c < m_model->columnCount(); ++c) setColumnHidden(c, !grid.columnVisible(c));
    if (grid.selectedRow() >= 0 && grid.selectedRow() < m_model->rowCount()) {
        const QModelIndex cell = m_model->index(grid.selectedRow(), grid.selectedColumn());
        setCurrentIndex(cell);
        scrollTo(cell);
    }
}

}  // namespace pile
