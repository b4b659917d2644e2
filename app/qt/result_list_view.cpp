// A result list of the optimisation screen in a QTableView.
#include "app/qt/result_list_view.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <cmath>

#include "app/qt/theme.h"
#include "optimise/list_sort.h"
#include "optimise/result_list.h"

namespace pile {

namespace {

constexpr int kListTextPx = 12;
// The headers are a size smaller, so that the columns shown while folded fit the width.
constexpr int kHeaderTextPx = 11;
constexpr int kRowHeight = 20;

// The widest text of its kind a column usually shows. A wider one (an Ra in exponent form) is
// elided, and the user can widen the column by its header.
std::string widestCell(ListField field, const ResultList& list) {
    switch (field) {
        case ListField::PileNumber: {
            // Never narrower than "ZH-000"; the plain numbers of a stopped search are shorter.
            const int digits = decimalDigits(list.size());
            if (list.hasPileNumbers()) return pileNumberText(list.size(), std::max(3, digits));
            return std::string(static_cast<std::size_t>(std::max(6, digits)), '0');
        }
        case ListField::Section:
            return "椭圆桩";
        case ListField::Size1:
        case ListField::Size2:
            return "00000";
        case ListField::Ra:
        case ListField::Rc:
        case ListField::Qgn:
        case ListField::NkLimit:
        case ListField::NLimit:
            return "000000";
        case ListField::Depth:
            return "00.0d";
        case ListField::RockType:
        case ListField::IdQgn:
        case ListField::IdFsk:
            return "0";
        case ListField::RockValue:
            return "000.00";
        case ListField::Process:
            return "泥浆护壁";
        case ListField::Kesair:
            return "0.0000";
        case ListField::Grade:
            return "C60";
        case ListField::NkRatio:
        case ListField::NRatio:
            return "000%";
        case ListField::Note:
            return "";
    }
    return "";
}

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
    // The list may hold fewer rows than the view knows of while a search refills it.
    if (!m_grid || !index.isValid() || index.row() >= m_rows || index.column() >= m_columns ||
        static_cast<std::size_t>(index.row()) >= m_grid->rows().size())
        return {};
    const ResultList& list = m_grid->rows();
    if (role == Qt::DisplayRole)
        return toQString(list.cellText(static_cast<size_t>(index.row()), index.column()));
    // Every cell is centred but the note's.
    if (role == Qt::TextAlignmentRole) {
        const ListField field = list.layout().columns[static_cast<size_t>(index.column())].field;
        return QVariant::fromValue(field == ListField::Note
                                       ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                       : Qt::Alignment(Qt::AlignCenter));
    }
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
    horizontalHeader()->setFont(uiFont(kHeaderTextPx));
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
    fitColumns(grid, false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [dispatch, headerClick](int column) { dispatch([&] { headerClick(column); }); });
    connect(this, &QTableView::doubleClicked, this, [dispatch, doubleClick](const QModelIndex& i) {
        if (i.isValid()) dispatch([&] { doubleClick(i.row()); });
    });
}

int ResultListView::numberShape(const ResultList& list) {
    return decimalDigits(list.size()) * (list.hasPileNumbers() ? -1 : 1);
}

void ResultListView::fitColumns(const ListGrid& grid, bool pileNumbersOnly) {
    const ResultList& list = grid.rows();
    const ListLayout& layout = list.layout();
    const QFontMetricsF cells(font());
    const QFontMetricsF headers(horizontalHeader()->font());
    // The margins the style keeps around a cell's text and a header's, and the grid line; a
    // cell's text has a pixel to spare, it is elided at the slightest lack.
    const int cellMargin =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    const int headerMargin =
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 1;
    const auto advance = [](const QFontMetricsF& metrics, const std::string& text) {
        return static_cast<int>(std::ceil(metrics.horizontalAdvance(toQString(text))));
    };
    for (int c = 0; c < list.columnCount(); ++c) {
        const ListField field = layout.columns[static_cast<std::size_t>(c)].field;
        if (pileNumbersOnly && field != ListField::PileNumber) continue;
        // The last column takes what is left, but its header at the least.
        int width =
            field == ListField::Note ? 0 : advance(cells, widestCell(field, list)) + cellMargin;
        for (SortState state : {SortState::Unsorted, SortState::Ascending, SortState::Descending})
            width = std::max(width, advance(headers, headerText(layout, c, state)) + headerMargin);
        setColumnWidth(c, width);
    }
    m_fittedNumbers = numberShape(list);
}

bool ResultListView::event(QEvent* event) {
    if (event->type() == windowScaledEvent()) {
        verticalHeader()->setDefaultSectionSize(
            std::max(scaledLength(this, kRowHeight), fontMetrics().height() + 2));
        if (const ListGrid* grid = m_model->grid()) fitColumns(*grid, false);
    }
    return QTableView::event(event);
}

void ResultListView::syncFrom(const ListGrid& grid) {
    m_model->refresh();
    // The pile numbers widen with the digits of the row count; the other columns keep the
    // widths the user may have given them.
    if (numberShape(grid.rows()) != m_fittedNumbers) fitColumns(grid, true);
    for (int c = 0; c < m_model->columnCount(); ++c) setColumnHidden(c, !grid.columnVisible(c));
    if (grid.selectedRow() >= 0 && grid.selectedRow() < m_model->rowCount()) {
        const QModelIndex cell = m_model->index(grid.selectedRow(), grid.selectedColumn());
        setCurrentIndex(cell);
        scrollTo(cell);
    } else {
        setCurrentIndex(QModelIndex());
    }
}

}  // namespace pile
