// The formula-two calculator window.
#include "app/model/formula_two_window.h"

#include <algorithm>

#include "books/formula_two_book.h"

namespace pile {

FormulaTwoWindow::FormulaTwoWindow(Platform& platform)
    : CalculatorWindow(platform, formulaTwoTableLayout(), formulaTwoOptimisation()) {
    setInputScreen(m_input);
    Fumozhuli_FormLayer.setVisible(false);
    Zhengmozhuli_FormLayer.setVisible(false);
}

void FormulaTwoWindow::applySoilSwitches(bool dragLoad, bool sideResistance) {
    m_input.ckb_fumozhuli.setChecked(dragLoad);
    m_input.ckb_zhengmozhuli.setChecked(sideResistance);
}

void FormulaTwoWindow::readSoilResults(ListRowValues& row) {
    const PileResult& pile = m_input.lastResult().pile;
    row.qgn = pile.Qgn.value_or(0);
    row.nkLimit = pile.NkLimit.value_or(0);
    row.nLimit = pile.NLimit.value_or(0);
    row.nkText = m_input.edt_Nkxianzhi.text();
    row.nText = m_input.edt_Nxianzhi.text();
    row.dragLoad = m_input.ckb_fumozhuli.checked();
    row.sideResistance = m_input.ckb_zhengmozhuli.checked();
}

void FormulaTwoWindow::restoreSoilSwitches(const std::string& idQgn, const std::string& idFsk) {
    if (idQgn == "0" || idQgn == "1") m_input.ckb_fumozhuli.setChecked(idQgn == "1");
    if (idFsk == "0" || idFsk == "1") m_input.ckb_zhengmozhuli.setChecked(idFsk == "1");
}

ListFileSoil FormulaTwoWindow::listFileSoil() const {
    ListFileSoil soil;
    soil.dragLayerCount = m_drag.cbb_Tuchengshu.text();
    soil.eg = m_drag.edt_Dimianbiaogao.text();
    soil.ep = m_drag.edt_Zhuangdingbiaogao.text();
    soil.p = m_drag.cbe_Junbuhezai.text();
    const Grid& drag = m_drag.Grid1_Fumozhulijisuan;
    for (int r = 0; r < drag.rowCount(); ++r)
        soil.dragRows.push_back({drag.cell(r, drag_col::kNumber), drag.cell(r, drag_col::kBottom),
                                 drag.cell(r, drag_col::kUnitWeight), drag.cell(r, drag_col::kXi),
                                 drag.cell(r, drag_col::kQsik)});
    soil.sideLayerCount = m_side.cbb_ZhengTuchengshu.text();
    const Grid& side = m_side.Grid1_Zhengmozhulijisuan;
    for (int r = 0; r < side.rowCount(); ++r)
        soil.sideRows.push_back({side.cell(r, side_col::kNumber),
                                 side.cell(r, side_col::kThickness),
                                 side.cell(r, side_col::kQsik)});
    return soil;
}

void FormulaTwoWindow::typeSoil(const FormulaTwoSoil& soil) {
    m_input.ckb_fumozhuli.setChecked(soil.dragLoad);
    m_input.ckb_zhengmozhuli.setChecked(soil.sideResistance);

    m_drag.cbe_Junbuhezai.setText(soil.drag.p);
    m_drag.edt_Dimianbiaogao.setText(soil.drag.eg);
    m_drag.edt_Zhuangdingbiaogao.setText(soil.drag.ep);
    m_drag.cbb_Tuchengshu.setIndex(static_cast<int>(soil.drag.layers.size()) - 1);
    Grid& dragGrid = m_drag.Grid1_Fumozhulijisuan;
    const int dragRows = std::min(dragGrid.rowCount(), static_cast<int>(soil.drag.layers.size()));
    for (int row = 0; row < dragRows; ++row) {
        const SoilLayer& layer = soil.drag.layers[static_cast<size_t>(row)];
        dragGrid.editCell(row, drag_col::kBottom, layer.bottom);
        dragGrid.editCell(row, drag_col::kUnitWeight, layer.unitWeight);
        dragGrid.editCell(row, drag_col::kXi, layer.xi);
        dragGrid.editCell(row, drag_col::kQsik, layer.qsik);
    }

    m_side.cbb_ZhengTuchengshu.setIndex(static_cast<int>(soil.side.layers.size()) - 1);
    Grid& sideGrid = m_side.Grid1_Zhengmozhulijisuan;
    const int sideRows = std::min(sideGrid.rowCount(), static_cast<int>(soil.side.layers.size()));
    for (int row = 0; row < sideRows; ++row) {
        const SideLayer& layer = soil.side.layers[static_cast<size_t>(row)];
        sideGrid.editCell(row, side_col::kThickness, layer.thickness);
        sideGrid.editCell(row, side_col::kQsik, layer.qsik);
    }
}

void FormulaTwoWindow::cbt_fumozhuliClick() {
    MainFormLayer.setVisible(false);
    Fumozhuli_FormLayer.setVisible(true);
}

void FormulaTwoWindow::cbt_zhengmozhuliClick() {
    MainFormLayer.setVisible(false);
    Zhengmozhuli_FormLayer.setVisible(true);
}

void FormulaTwoWindow::cbt_FmzlfanhuiClick() {
    MainFormLayer.setVisible(true);
    Fumozhuli_FormLayer.setVisible(false);
    m_input.dragLayersLeft();
}

void FormulaTwoWindow::cbt_ZmzlfanhuiClick() {
    MainFormLayer.setVisible(true);
    Zhengmozhuli_FormLayer.setVisible(false);
    m_input.sideLayersLeft();
}

void FormulaTwoWindow::recordBooks(const PileInput& input, const PileResult&,
                                   const std::string& rockClassName) {
    // One time text for both books of the pile.
    bookScreen().recordFormulaTwoPile(input, *m_input.lastRun(), rockClassName, roundingMode(),
                                      platform().clock.timeText());
}

PileSection FormulaTwoWindow::soilPileSection() const {
    return PileSection{m_input.section(), m_input.cbe_dd.text(), m_input.cbe_tyzd.text()};
}

void FormulaTwoWindow::revealInputMessageLabel() {
    m_input.img_Logo.setVisible(false);
    m_input.lb_shuoming.setVisible(true);
}

}  // namespace pile
