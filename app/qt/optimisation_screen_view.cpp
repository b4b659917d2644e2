// The widgets of the optimisation screen. Places are in the window's design coordinates.
#include "app/qt/optimisation_screen_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>

#include <vector>

#include "app/qt/saved_note.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/theme.h"

namespace pile {

namespace {

// A search shorter than this shows only the busy cursor.
constexpr int kProgressDelayMs = 500;
// The item table: the name, the three values and the note, which is wider than the screen
// and read by scrolling sideways.
const std::vector<int> kItemColumnWidths = {170, 54, 54, 54, 350};
constexpr int kItemRowHeight = 20;
// The tables take the window's width but for a narrow margin.
constexpr int kTableX = 2;
constexpr int kTableWidth = 359;
// The bottom of the screen, from the foot up: the buttons, the status line, the hint.
constexpr int kMargin = 8;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 6;
constexpr int kStatusHeight = 22;
constexpr int kHintHeight = 20;

QPushButton* smallButton(QWidget* parent, int x, int y) {
    auto* button = new QPushButton(parent);
    button->setGeometry(x, y, kButtonWidth, kButtonHeight);
    makeRounded(button, 10, uiFont(14, true));
    return button;
}

// Alternating rows in a pale blue that reads on the window's gradient.
void alternateRows(QTableView* view) {
    QPalette palette = view->palette();
    palette.setColor(QPalette::AlternateBase, QColor(0xEA, 0xF3, 0xFC));
    view->setPalette(palette);
    view->setAlternatingRowColors(true);
}

// The busy cursor for as long as the search runs, however it ends.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

OptimisationScreenView::OptimisationScreenView(CalculatorWindow& window, Dispatch dispatch,
                                               QWidget* parent, int height)
    : QWidget(parent),
      m_window(window),
      m_model(window.optimisationScreen()),
      m_dispatch(std::move(dispatch)) {
    using detail::place;
    setGeometry(0, 0, detail::kWindowWidth, height);

    lb_youhuabiaoti = place<QLabel>(this, 0, 8, detail::kWindowWidth, 38);
    lb_youhuabiaoti->setFont(uiFont(24, true));
    lb_youhuabiaoti->setAlignment(Qt::AlignCenter);
    lb_youhuabiaoti->setStyleSheet(QStringLiteral("color: #8A2BE2;"));

    OptimisationScreen& m = m_model;
    const Dispatch& d = m_dispatch;
    // The item table shows all its rows; it scrolls sideways only, to the notes.
    GridView* items = new GridView(m.Grid1_Youhuaxuanxiang, d, this);
    Grid1_Youhuaxuanxiang = items;
    items->setRowHeight(kItemRowHeight);
    items->setFixedColumnWidths(kItemColumnWidths);
    items->gridModel()->setShadeReadOnly(false);
    alternateRows(items);
    items->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int itemsHeight =
        items->horizontalHeader()->sizeHint().height() +
        m.Grid1_Youhuaxuanxiang.rowCount() * kItemRowHeight +
        items->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, items) +
        2 * items->frameWidth();
    const int itemsY = 50;
    items->setGeometry(kTableX, itemsY, kTableWidth, itemsHeight);

    // The rest of the height goes to the lists.
    const int buttonY = height - kMargin - kButtonHeight;
    const int statusY = buttonY - 4 - kStatusHeight;
    const int hintY = statusY - kHintHeight;
    const int listY = itemsY + itemsHeight + 4;
    const int listHeight = hintY - 2 - listY;

    Grid2_Youhuajieguo = new ResultListView(
        m.Grid2_Youhuajieguo, d, [&m](int c) { m.Grid2_YouhuajieguoHeaderClick(c); },
        [&m](int r) { m.Grid2_YouhuajieguoCellDblClick(r); }, this);
    Grid3_Youhuasaixuan = new ResultListView(
        m.Grid3_Youhuasaixuan, d, [&m](int c) { m.Grid3_YouhuasaixuanHeaderClick(c); },
        [&m](int r) { m.Grid3_YouhuasaixuanCellDblClick(r); }, this);
    for (ResultListView* list : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) {
        list->setGeometry(kTableX, listY, kTableWidth, listHeight);
        alternateRows(list);
    }

    lb_huzhu = place<QLabel>(this, kMargin, hintY, detail::kWindowWidth - 2 * kMargin, kHintHeight);
    lb_huzhu->setFont(uiFont(12));
    // At the right end of the hint line, which leaves it free.
    constexpr int kExcelWidth = 56;
    cbt_YHexcel = new QPushButton(this);
    cbt_YHexcel->setGeometry(detail::kWindowWidth - kMargin - kExcelWidth, hintY, kExcelWidth,
                             kHintHeight);
    makeRounded(cbt_YHexcel, 6, uiFont(11, true));
    lb_YHxingxi =
        place<QLabel>(this, kMargin, statusY, detail::kWindowWidth - 2 * kMargin, kStatusHeight);
    lb_YHxingxi->setFont(uiFont(14, true));
    lb_YHxingxi->setAlignment(Qt::AlignCenter);

    // Five buttons centred in the row.
    const int rowWidth = 5 * kButtonWidth + 4 * kButtonGap;
    const int buttonX = (detail::kWindowWidth - rowWidth) / 2;
    QPushButton** buttons[] = {&cbt_zhangkai, &cbt_YHcompute, &cbt_YHsaixuan, &cbt_YHsave,
                               &cbt_YHfanhui};
    for (int i = 0; i < 5; ++i)
        *buttons[i] = smallButton(this, buttonX + i * (kButtonWidth + kButtonGap), buttonY);

    connect(cbt_zhangkai, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_zhangkaiClick(); }); });
    connect(cbt_YHcompute, &QPushButton::clicked, this, [this] { search(); });
    connect(cbt_YHsaixuan, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_YHsaixuanClick(); }); });
    connect(cbt_YHsave, &QPushButton::clicked, this, [this, d] {
        d([this] { m_window.cbt_YHsaveClick(); });
        showSavedNote(cbt_YHsave, m_window.savedPath());
    });
    connect(cbt_YHexcel, &QPushButton::clicked, this, [this, d] {
        d([this] { m_window.cbt_YHexcelClick(); });
        showSavedNote(cbt_YHexcel, m_window.savedPath());
    });
    connect(cbt_YHfanhui, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_YHfanhuiClick(); }); });

    m.setProgressHandler(
        [this](std::uint64_t done, std::uint64_t total) { return searchProgress(done, total); });
}

void OptimisationScreenView::search() {
    m_searchTime.start();
    m_dispatch([this] {
        // The cursor and the progress box go before an error box could show.
        BusyCursor busy;
        struct CloseProgress {
            QPointer<QProgressDialog>& box;
            ~CloseProgress() {
                if (!box) return;
                box->close();
                box->deleteLater();
                box = nullptr;
            }
        } closeProgress{m_progress};
        m_model.cbt_YHcomputeClick();
    });
}

bool OptimisationScreenView::searchProgress(std::uint64_t done, std::uint64_t total) {
    if (!m_progress) {
        if (m_searchTime.elapsed() < kProgressDelayMs) return true;
        // Application-modal: nothing else of the program takes input while the search runs, so
        // no handler can run inside the search's own event.
        m_progress = new QProgressDialog(QStringLiteral("正在计算……"), QStringLiteral("取消"), 0,
                                         1000, this);
        m_progress->setWindowTitle(QStringLiteral("优化计算"));
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setMinimumDuration(0);
        m_progress->show();
        // Busy, but the box takes clicks.
        QApplication::changeOverrideCursor(Qt::BusyCursor);
    }
    // The box counts in thousandths: a total of 50 million does not fit its int range well.
    m_progress->setValue(static_cast<int>(total ? done * 1000 / total : 0));
    m_progress->setLabelText(QStringLiteral("正在计算：%1 / %2").arg(done).arg(total));
    // The window's own status line says it too, over the lists the search is filling.
    lb_YHxingxi->setText(QString::fromStdString(m_model.lb_YHxingxi.text()));
    QApplication::processEvents();
    return !m_progress->wasCanceled();
}

void OptimisationScreenView::bindTo(WidgetSync& sync) {
    // The window model goes when the window closes, before its widgets; from then on the
    // model must not call back into this view.
    sync.onClear([&m = m_model] { m.setProgressHandler({}); });
    OptimisationScreen& m = m_model;
    sync.bind(lb_youhuabiaoti, m.lb_youhuabiaoti);
    sync.bind(Grid1_Youhuaxuanxiang, m.Grid1_Youhuaxuanxiang);
    for (auto [view, list] : {std::pair{Grid2_Youhuajieguo, &m.Grid2_Youhuajieguo},
                              std::pair{Grid3_Youhuasaixuan, &m.Grid3_Youhuasaixuan}}) {
        QPointer<ResultListView> shown(view);
        const ListGrid* grid = list;  // a lambda captures a variable, not a binding
        sync.bind(view, *grid, [shown, grid] {
            if (shown) shown->syncFrom(*grid);
        });
        sync.onClear([shown] {
            if (shown) shown->listModel()->detach();
        });
    }
    sync.bind(lb_huzhu, m.lb_huzhu);
    sync.bind(lb_YHxingxi, m.lb_YHxingxi);
    sync.bind(cbt_zhangkai, m.cbt_zhangkai);
    sync.bind(cbt_YHcompute, m.cbt_YHcompute);
    sync.bind(cbt_YHsaixuan, m.cbt_YHsaixuan);
    sync.bind(cbt_YHsave, m.cbt_YHsave);
    sync.bind(cbt_YHexcel, m.cbt_YHexcel);
    sync.bind(cbt_YHfanhui, m.cbt_YHfanhui);
}

}  // namespace pile
