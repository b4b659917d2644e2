// The side-resistance screen of the formula-two window.
#include "app/model/side_resistance_screen.h"

#include <cstring>
#include <string>

#include "soil/soil_numbers.h"

namespace pile {

namespace {

// The columns of Grid1_Zhengmozhulijisuan the user types into: li and qsik.
bool isInputColumn(int column) {
    return column == side_col::kThickness || column == side_col::kQsik;
}

}  // namespace

SideResistanceScreen::SideResistanceScreen(SoilScreenHost& host) : m_host(host) {
    const SideResistanceInput defaults;
    lb_Zmzlbiaoti.setText("桩周土侧阻力");
    gpb_Zmzlshuru.setText("输入参数");
    lb_ZhengTuchengshu.setText("考虑侧阻力土层数 n");
    cbb_ZhengTuchengshu.setItems(layerCountItems(), 0);

    Grid& grid = Grid1_Zhengmozhulijisuan;
    std::vector<std::string> headers;
    for (const GridColumn& column : sideGridColumns()) headers.emplace_back(column.header);
    grid.setHeaders(std::move(headers));
    detail::setLayerRows(grid, 1, m_removedRows);
    grid.setCell(0, side_col::kThickness, defaults.layers.front().thickness);
    grid.setCell(0, side_col::kQsik, defaults.layers.front().qsik);
    for (int column = side_col::kPerimeter; column < kSideGridColumns; ++column)
        grid.setColumnVisible(column, false);
    grid.setColumnEditable(side_col::kThickness, true);
    grid.setColumnEditable(side_col::kQsik, true);

    detail::showReferenceTable(sideResistanceTable(), Grid2_Zhengmozhulizhibiao, lb_Zmzlzbiao,
                               lb_Zmzlzsm);

    cbt_ZhengZhankai.setText(detail::kExpand);
    cbt_Zmzlfanhui.setText("返回");
    cbt_ZmzlComputer.setText("计算");

    cbb_ZhengTuchengshu.onChange([this] { cbb_ZhengTuchengshuChange(); });
    grid.onSelectCell([this](int r, int c) { Grid1_ZhengmozhulijisuanSelectCell(r, c); });
    grid.onEditingDone([this](int r, int c) { Grid1_ZhengmozhulijisuanEditingDone(r, c); });
}

void SideResistanceScreen::inputChanged() {
    lb_Qsk.setText("");
    cbt_ZmzlComputer.setEnabled(true);
}

void SideResistanceScreen::cbb_ZhengTuchengshuChange() {
    detail::setLayerRows(Grid1_Zhengmozhulijisuan, cbb_ZhengTuchengshu.index() + 1, m_removedRows);
    inputChanged();
}

void SideResistanceScreen::Grid1_ZhengmozhulijisuanSelectCell(int, int column) {
    Grid1_Zhengmozhulijisuan.setEditable(isInputColumn(column));
}

void SideResistanceScreen::Grid1_ZhengmozhulijisuanEditingDone(int, int column) {
    if (isInputColumn(column)) inputChanged();
}

void SideResistanceScreen::cbt_ZmzlComputerClick() { showResult(ComputeSideResistance(input())); }

void SideResistanceScreen::cbt_ZhengZhankaiClick() {
    detail::toggleResultColumns(cbt_ZhengZhankai, Grid1_Zhengmozhulijisuan, side_col::kPerimeter);
}

SideResistanceInput SideResistanceScreen::input() const {
    const Grid& grid = Grid1_Zhengmozhulijisuan;
    SideResistanceInput in;
    in.pile = m_host.soilPileSection();
    in.layers.clear();
    for (int row = 0; row < grid.rowCount(); ++row)
        in.layers.push_back(
            SideLayer{grid.cell(row, side_col::kThickness), grid.cell(row, side_col::kQsik)});
    return in;
}

void SideResistanceScreen::showResult(const SideResistanceResult& result) {
    m_shownLayers = false;
    Grid& grid = Grid1_Zhengmozhulijisuan;
    if (!result.inputError.empty()) {
        // A text that is not a number: nothing computed, nothing shown but why.
        for (int row = 0; row < grid.rowCount(); ++row)
            for (int column = side_col::kPerimeter; column < kSideGridColumns; ++column)
                grid.setCell(row, column, "");
        lb_ZMZxinxi.setText(result.message);
        lb_ZMZxinxi.setTextColour(result.messageColour);
        lb_Qsk.setText("");
        cbt_ZmzlComputer.setEnabled(true);
        return;
    }
    for (int row = 0; row < grid.rowCount() && row < static_cast<int>(result.layers.size());
         ++row) {
        const auto& cells = result.layers[static_cast<size_t>(row)].cells;
        for (int column = side_col::kPerimeter; column < kSideGridColumns; ++column)
            grid.setCell(row, column, cells[static_cast<size_t>(column)]);
    }
    lb_ZMZxinxi.setText(result.message);
    lb_ZMZxinxi.setTextColour(result.messageColour);
    if (result.revealInputMessageLabel) m_host.revealInputMessageLabel();
    lb_Qsk.setText(result.qskLabel);
    cbt_ZmzlComputer.setEnabled(false);
}

}  // namespace pile

namespace pile {

bool SideResistanceScreen::holdsInput(const SideResistanceInput& in) const {
    const Grid& grid = Grid1_Zhengmozhulijisuan;
    if (grid.rowCount() != static_cast<int>(in.layers.size())) return false;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const SideLayer& layer = in.layers[static_cast<size_t>(row)];
        if (grid.cell(row, side_col::kThickness) != layer.thickness ||
            grid.cell(row, side_col::kQsik) != layer.qsik)
            return false;
    }
    return true;
}

void SideResistanceScreen::showLayers(const SideResistanceResult& layers, std::uint64_t generation,
                                      double mu, double qsk) {
    if (!layers.inputError.empty()) {
        showResult(layers);
        return;
    }
    using namespace side_col;
    Grid& grid = Grid1_Zhengmozhulijisuan;
    const bool layersShown = m_shownLayers && m_shownGeneration == generation &&
                             m_shownContent == grid.contentRevision();
    // The grid is as the last call left it, for the same pile: nothing to write.
    const bool cellsShown = layersShown && std::memcmp(&m_shownMu, &mu, sizeof mu) == 0;
    double sum = 0;
    for (int row = 0;
         !cellsShown && row < grid.rowCount() && row < static_cast<int>(layers.layers.size());
         ++row) {
        const SideLayerResult& layer = layers.layers[static_cast<size_t>(row)];
        if (!layersShown) {
            for (int column = kPerimeter; column < kSideGridColumns; ++column)
                grid.setCell(row, column, layer.cells[static_cast<size_t>(column)]);
        }
        const double q = mu * layer.thickness * layer.qsik;
        sum += q;
        grid.setCellNumber(row, kPerimeter, detail::resultCell, mu);
        grid.setCellNumber(row, kResistance, detail::resultCell, q);
        grid.setCellNumber(row, kResistanceSum, detail::resultCell, sum);
        grid.setCellNumber(row, kShare, detail::shareCell, q, qsk);
        grid.setCellNumber(row, kShareBar, detail::shareBarCell, q, qsk);
    }
    m_shownLayers = true;
    m_shownGeneration = generation;
    m_shownContent = grid.contentRevision();
    m_shownMu = mu;
    lb_ZMZxinxi.setText(layers.message);
    lb_ZMZxinxi.setTextColour(layers.messageColour);
    if (layers.revealInputMessageLabel) m_host.revealInputMessageLabel();
    if (!m_labelFor || std::memcmp(&*m_labelFor, &qsk, sizeof qsk) != 0) {
        m_label = SideResistanceLabel(qsk);
        m_labelFor = qsk;
    }
    lb_Qsk.setText(m_label);
    cbt_ZmzlComputer.setEnabled(false);
}

}  // namespace pile
