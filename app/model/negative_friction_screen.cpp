// The negative-skin-friction screen of the formula-two window.
#include "app/model/negative_friction_screen.h"

#include <cstring>
#include <string>

#include "soil/soil_numbers.h"

namespace pile {

namespace {

// The columns of Grid1_Fumozhulijisuan the user types into: Ei, gamma_i, xi_ni and qsik.
bool isInputColumn(int column) { return column >= drag_col::kBottom && column <= drag_col::kQsik; }

}  // namespace

NegativeFrictionScreen::NegativeFrictionScreen(SoilScreenHost& host) : m_host(host) {
    const DragLoadInput defaults;
    lb_Fmzlbiaoti.setText("桩周土负摩阻力");
    gpb_Fmzlshuru.setText("输入参数");
    lb_Junbuhezai.setText("地面大面积荷载  p (kPa)");
    cbe_Junbuhezai.setItems(surfaceLoadItems(), -1);
    cbe_Junbuhezai.setText(defaults.p);
    lb_Dimianbiaogao.setText("地    面    标    高  Eg(m)");
    edt_Dimianbiaogao.setText(defaults.eg);
    lb_Zhuangdingbiaogao.setText("桩    顶    标    高  Ep(m)");
    edt_Zhuangdingbiaogao.setText(defaults.ep);
    lb_Tuchengshu.setText("考虑负摩阻力土层数 m");
    cbb_Tuchengshu.setItems(layerCountItems(), 0);

    Grid& grid = Grid1_Fumozhulijisuan;
    std::vector<std::string> headers;
    for (const GridColumn& column : dragGridColumns()) headers.emplace_back(column.header);
    grid.setHeaders(std::move(headers));
    detail::setLayerRows(grid, 1, m_removedRows);
    const SoilLayer& first = defaults.layers.front();
    grid.setCell(0, drag_col::kName, first.name);
    grid.setCell(0, drag_col::kBottom, first.bottom);
    grid.setCell(0, drag_col::kUnitWeight, first.unitWeight);
    grid.setCell(0, drag_col::kXi, first.xi);
    grid.setCell(0, drag_col::kQsik, first.qsik);
    grid.setColumnVisible(drag_col::kName, false);
    for (int column = drag_col::kPerimeter; column < kDragGridColumns; ++column)
        grid.setColumnVisible(column, false);
    for (int column = drag_col::kBottom; column <= drag_col::kQsik; ++column)
        grid.setColumnEditable(column, true);

    gpb_Fmzlcankao.setText(negativeFrictionTable().group);
    detail::showReferenceTable(negativeFrictionTable(), Grid2_Fumozhulixishubiao, lb_fmzlxsbiao,
                               lb_fmzlxssm);

    cbt_fmzlzhankai.setText(detail::kExpand);
    cbt_Fmzlfanhui.setText("返回");
    cbt_FmzlComputer.setText("计算");

    cbe_Junbuhezai.onChange([this] { cbe_JunbuhezaiChange(); });
    edt_Dimianbiaogao.onChange([this] { edt_DimianbiaogaoChange(); });
    edt_Zhuangdingbiaogao.onChange([this] { edt_ZhuangdingbiaogaoChange(); });
    cbb_Tuchengshu.onChange([this] { cbb_TuchengshuChange(); });
    grid.onSelectCell([this](int r, int c) { Grid1_FumozhulijisuanSelectCell(r, c); });
    grid.onEditingDone([this](int r, int c) { Grid1_FumozhulijisuanEditingDone(r, c); });
}

void NegativeFrictionScreen::inputChanged() {
    lb_FQgn.setText("");
    cbt_FmzlComputer.setEnabled(true);
}

void NegativeFrictionScreen::cbe_JunbuhezaiChange() { inputChanged(); }
void NegativeFrictionScreen::edt_DimianbiaogaoChange() { inputChanged(); }
void NegativeFrictionScreen::edt_ZhuangdingbiaogaoChange() { inputChanged(); }

void NegativeFrictionScreen::cbb_TuchengshuChange() {
    detail::setLayerRows(Grid1_Fumozhulijisuan, cbb_Tuchengshu.index() + 1, m_removedRows);
    inputChanged();
}

void NegativeFrictionScreen::Grid1_FumozhulijisuanSelectCell(int, int column) {
    Grid1_Fumozhulijisuan.setEditable(isInputColumn(column));
}

void NegativeFrictionScreen::Grid1_FumozhulijisuanEditingDone(int, int column) {
    if (isInputColumn(column)) inputChanged();
}

void NegativeFrictionScreen::cbt_FmzlComputerClick() { showResult(ComputeDragLoad(input())); }

void NegativeFrictionScreen::cbt_fmzlzhankaiClick() {
    detail::toggleResultColumns(cbt_fmzlzhankai, Grid1_Fumozhulijisuan, drag_col::kPerimeter);
}

DragLoadInput NegativeFrictionScreen::input() const {
    const Grid& grid = Grid1_Fumozhulijisuan;
    DragLoadInput in;
    in.pile = m_host.soilPileSection();
    in.p = cbe_Junbuhezai.text();
    in.eg = edt_Dimianbiaogao.text();
    in.ep = edt_Zhuangdingbiaogao.text();
    in.layers.clear();
    for (int row = 0; row < grid.rowCount(); ++row)
        in.layers.push_back(
            SoilLayer{grid.cell(row, drag_col::kName), grid.cell(row, drag_col::kBottom),
                      grid.cell(row, drag_col::kUnitWeight), grid.cell(row, drag_col::kXi),
                      grid.cell(row, drag_col::kQsik)});
    return in;
}

void NegativeFrictionScreen::showResult(const DragLoadResult& result) {
    m_shownLayers = false;
    Grid& grid = Grid1_Fumozhulijisuan;
    if (!result.inputError.empty()) {
        // A text that is not a number: nothing computed, nothing shown but why.
        for (int row = 0; row < grid.rowCount(); ++row)
            for (int column = drag_col::kPerimeter; column < kDragGridColumns; ++column)
                grid.setCell(row, column, "");
        lb_FMZxinxi.setText(result.message);
        lb_FMZxinxi.setTextColour(result.messageColour);
        lb_FQgn.setText("");
        cbt_FmzlComputer.setEnabled(true);
        return;
    }
    for (int row = 0; row < grid.rowCount() && row < static_cast<int>(result.layers.size());
         ++row) {
        const auto& cells = result.layers[static_cast<size_t>(row)].cells;
        for (int column = drag_col::kPerimeter; column < kDragGridColumns; ++column)
            grid.setCell(row, column, cells[static_cast<size_t>(column)]);
    }
    lb_FMZxinxi.setText(result.message);
    lb_FMZxinxi.setTextColour(result.messageColour);
    cbe_Junbuhezai.setTextColour(result.surfaceLoadColour);
    lb_FQgn.setText(result.qgnLabel);
    cbt_FmzlComputer.setEnabled(false);
}

}  // namespace pile

namespace pile {

bool NegativeFrictionScreen::holdsInput(const DragLoadInput& in) const {
    const Grid& grid = Grid1_Fumozhulijisuan;
    if (cbe_Junbuhezai.text() != in.p || edt_Dimianbiaogao.text() != in.eg ||
        edt_Zhuangdingbiaogao.text() != in.ep ||
        grid.rowCount() != static_cast<int>(in.layers.size()))
        return false;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const SoilLayer& layer = in.layers[static_cast<size_t>(row)];
        if (grid.cell(row, drag_col::kName) != layer.name ||
            grid.cell(row, drag_col::kBottom) != layer.bottom ||
            grid.cell(row, drag_col::kUnitWeight) != layer.unitWeight ||
            grid.cell(row, drag_col::kXi) != layer.xi ||
            grid.cell(row, drag_col::kQsik) != layer.qsik)
            return false;
    }
    return true;
}

void NegativeFrictionScreen::showLayers(const DragLoadResult& layers, std::uint64_t generation,
                                        double mu, double qgn) {
    if (!layers.inputError.empty()) {
        showResult(layers);
        return;
    }
    using namespace drag_col;
    Grid& grid = Grid1_Fumozhulijisuan;
    const bool layersShown = m_shownLayers && m_shownGeneration == generation &&
                             m_shownContent == grid.contentRevision();
    // The grid is as the last call left it, for the same pile: nothing to write.
    const bool cellsShown = layersShown && std::memcmp(&m_shownMu, &mu, sizeof mu) == 0;
    double sum = 0;
    for (int row = 0;
         !cellsShown && row < grid.rowCount() && row < static_cast<int>(layers.layers.size());
         ++row) {
        const DragLoadLayerResult& layer = layers.layers[static_cast<size_t>(row)];
        if (!layersShown) {
            for (int column = kPerimeter; column < kDragGridColumns; ++column)
                grid.setCell(row, column, layer.cells[static_cast<size_t>(column)]);
        }
        const double gin = DragLoadGin(layer, mu);
        sum += gin;
        grid.setCellNumber(row, kPerimeter, detail::resultCell, mu);
        if (layer.state != LayerPileState::NoPile) {
            grid.setCellNumber(row, kQgin, detail::resultCell, gin);
            grid.setCellNumber(row, kQginSum, detail::resultCell, sum);
        }
        grid.setCellNumber(row, kShare, detail::shareCell, gin, qgn);
        grid.setCellNumber(row, kShareBar, detail::shareBarCell, gin, qgn);
    }
    m_shownLayers = true;
    m_shownGeneration = generation;
    m_shownContent = grid.contentRevision();
    m_shownMu = mu;
    lb_FMZxinxi.setText(layers.message);
    lb_FMZxinxi.setTextColour(layers.messageColour);
    cbe_Junbuhezai.setTextColour(layers.surfaceLoadColour);
    if (!m_labelFor || std::memcmp(&*m_labelFor, &qgn, sizeof qgn) != 0) {
        m_label = DragLoadLabel(qgn);
        m_labelFor = qgn;
    }
    lb_FQgn.setText(m_label);
    cbt_FmzlComputer.setEnabled(false);
}

}  // namespace pile
