// The widgets of the optimisation screen. Places are in the window's design coordinates.
#include "app/qt/optimisation_screen_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include "app/qt/screen_widgets.h"
#include "app/qt/theme.h"

namespace pile {

namespace {

// A search shorter than this shows only the busy cursor.
constexpr int kProgressDelayMs = 500;
constexpr int kItemColumnWidths[] = {150, 54, 54, 54, 350};

QPushButton* smallButton(QWidget* parent, int x, int y) {
    auto* button = new QPushButton(parent);
    button->setGeometry(x, y, 62, 30);
    makeRounded(button, 10, uiFont(14, true));
    return button;
}

}  // namespace

OptimisationScreenView::OptimisationScreenView(CalculatorWindow& window, Dispatch dispatch,
                                               QWidget* parent, int height)
    : QWidget(parent), m_window(window), m_model(window.optimisationScreen()),
      m_dispatch(std::move(dispatch)) {
    using detail::place;
    setGeometry(0, 0, 363, height);
    // The extra height of a taller window goes to the item table and the lists.
    const int extra = height - 736;
    const int itemsHeight = 300 + extra * 2 / 3;
    const int listY = 50 + itemsHeight + 6;
    const int listHeight = 250 + extra / 3;
    const int bottomY = listY + listHeight;

    lb_youhuabiaoti = place<QLabel>(this, 0, 8, 363, 38);
    lb_youhuabiaoti->setFont(uiFont(24, true));
    lb_youhuabiaoti->setAlignment(Qt::AlignCenter);
    lb_youhuabiaoti->setStyleSheet(QStringLiteral("color: #8A2BE2;"));

    OptimisationScreen& m = m_model;
    const Dispatch& d = m_dispatch;
    Grid1_Youhuaxuanxiang = new GridView(m.Grid1_Youhuaxuanxiang, d, this);
    Grid1_Youhuaxuanxiang->setGeometry(4, 50, 355, itemsHeight);
    Grid1_Youhuaxuanxiang->setAlternatingRowColors(true);
    for (int c = 0; c < 5; ++c) Grid1_Youhuaxuanxiang->setColumnWidth(c, kItemColumnWidths[c]);

    Grid2_Youhuajieguo = new ResultListView(
        m.Grid2_Youhuajieguo, d, [&m](int c) { m.Grid2_YouhuajieguoHeaderClick(c); },
        [&m](int r) { m.Grid2_YouhuajieguoCellDblClick(r); }, this);
    Grid3_Youhuasaixuan = new ResultListView(
        m.Grid3_Youhuasaixuan, d, [&m](int c) { m.Grid3_YouhuasaixuanHeaderClick(c); },
        [&m](int r) { m.Grid3_YouhuasaixuanCellDblClick(r); }, this);
    for (ResultListView* list : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan})
        list->setGeometry(4, listY, 355, listHeight);

    lb_huzhu = place<QLabel>(this, 8, bottomY + 4, 347, 20);
    lb_huzhu->setFont(uiFont(12));
    lb_YHxingxi = place<QLabel>(this, 8, bottomY + 24, 347, 22);
    lb_YHxingxi->setAlignment(Qt::AlignCenter);

    const int buttonY = bottomY + 50;
    cbt_zhangkai = smallButton(this, 8, buttonY);
    cbt_YHcompute = smallButton(this, 78, buttonY);
    cbt_YHsaixuan = smallButton(this, 148, buttonY);
    cbt_YHsave = smallButton(this, 218, buttonY);
    cbt_YHfanhui = smallButton(this, 288, buttonY);

    connect(cbt_zhangkai, &QPushButton::clicked, this, [&m, d] { d([&m] { m.cbt_zhangkaiClick(); }); });
    connect(cbt_YHcompute, &QPushButton::clicked, this, [this] { search(); });
    connect(cbt_YHsaixuan, &QPushButton::clicked, this, [&m, d] { d([&m] { m.cbt_YHsaixuanClick(); }); });
    connect(cbt_YHsave, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_YHsaveClick(); }); });
    connect(cbt_YHfanhui, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_YHfanhuiClick(); }); });

    m.setProgressHandler(
        [this](std::uint64_t done, std::uint64_t total) { return searchProgress(done, total); });
}

OptimisationScreenView::~OptimisationScreenView() {
    // The model may outlive this view by a moment; it must not call back into it.
    m_model.setProgressHandler({});
}

void OptimisationScreenView::search() {
    m_searchTime.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_dispatch([this] { m_model.cbt_YHcomputeClick(); });
    QApplication::restoreOverrideCursor();
    if (m_progress) {
        m_progress->close();
        m_progress->deleteLater();
    }
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
    }
    // The box counts in thousandths: a total of 50 million does not fit its int range well.
    m_progress->setValue(static_cast<int>(total ? done * 1000 / total : 0));
    m_progress->setLabelText(QStringLiteral("正在计算：%1 / %2").arg(done).arg(total));
    QApplication::processEvents();
    return !m_progress->wasCanceled();
}

void OptimisationScreenView::bindTo(WidgetSync& sync) {
    OptimisationScreen& m = m_model;
    sync.bind(lb_youhuabiaoti, m.lb_youhuabiaoti);
    sync.bind(Grid1_Youhuaxuanxiang, m.Grid1_Youhuaxuanxiang);
    for (auto [view, grid] : {std::pair{Grid2_Youhuajieguo, &m.Grid2_Youhuajieguo},
                              std::pair{Grid3_Youhuasaixuan, &m.Grid3_Youhuasaixuan}}) {
        QPointer<ResultListView> shown(view);
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
    sync.bind(cbt_YHfanhui, m.cbt_YHfanhui);
}

}  // namespace pile
