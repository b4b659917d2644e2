// The side-resistance screen (Zhengmozhuli_FormLayer) of the formula-two window: the soil
// layers along the pile with their thickness and ultimate side resistance, the resistance Qsk
// they give (clause 5.3.4), and table 5.3.6 of qsik for reference.
//
// The same pattern as the negative-skin-friction screen: cells keep the text as typed, an input
// change empties the result label and enables Compute, a computation fills the result columns
// and the label and disables Compute.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/model/controls.h"
#include "app/model/soil_screen.h"
#include "soil/side_resistance.h"

namespace pile {

class SideResistanceScreen {
  public:
    explicit SideResistanceScreen(SoilScreenHost& host);
    SideResistanceScreen(const SideResistanceScreen&) = delete;
    SideResistanceScreen& operator=(const SideResistanceScreen&) = delete;

    Label lb_Zmzlbiaoti;  // the screen's title
    GroupBox gpb_Zmzlshuru;
    Label lb_ZhengTuchengshu;
    ComboBox cbb_ZhengTuchengshu{false};
    Grid Grid1_Zhengmozhulijisuan{kSideGridColumns};
    Label lb_Qsk;       // "Qsk=1256.64kN" after a computation, empty while stale
    Label lb_ZMZxinxi;  // the last message of the calculation

    Label lb_Zmzlzbiao;
    Grid Grid2_Zhengmozhulizhibiao{5};
    Label lb_Zmzlzsm;

    Button cbt_ZhengZhankai;  // "展开" / "折叠"
    Button cbt_Zmzlfanhui;    // Back: handled by the window
    Button cbt_ZmzlComputer;  // Compute

    void cbb_ZhengTuchengshuChange();
    void Grid1_ZhengmozhulijisuanSelectCell(int row, int column);
    void Grid1_ZhengmozhulijisuanEditingDone(int row, int column);

    void cbt_ZmzlComputerClick();
    void cbt_ZhengZhankaiClick();

    SideResistanceInput input() const;
    void showResult(const SideResistanceResult& result);
    // Shows the same as showResult of ComputeSideResistanceLayers completed by
    // ApplySidePerimeter(mu), with qsk its Qsk for mu, as NegativeFrictionScreen::showLayers.
    void showLayers(const SideResistanceResult& layers, std::uint64_t generation, double mu,
                    double qsk);
    // Whether the screen's inputs are `in` (its pile aside).
    bool holdsInput(const SideResistanceInput& in) const;
    void inputChanged();

  private:
    SoilScreenHost& m_host;
    detail::RemovedLayerRows m_removedRows;
    std::uint64_t m_shownGeneration = 0;
    std::uint64_t m_shownContent = 0;
    bool m_shownLayers = false;
    double m_shownMu = 0;
    // The label text for the total it was made for.
    std::string m_label;
    std::optional<double> m_labelFor;
};

}  // namespace pile
