// The negative-skin-friction screen (Fumozhuli_FormLayer) of the formula-two window: the surface
// load, the ground and pile-top elevations and the soil layers whose settlement drags the pile
// down, the down-drag load Qgn they give (clause 5.4.3), and table 5.4.3 of the friction
// coefficient for reference.
//
// Every field and cell keeps the text as typed; the calculation reads it when it runs. Any
// input change empties the result label and enables the screen's Compute; a computation fills
// the grid's result columns (hidden until expanded) and the label, and disables Compute.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/model/controls.h"
#include "app/model/soil_screen.h"
#include "soil/drag_load.h"

namespace pile {

class NegativeFrictionScreen {
  public:
    explicit NegativeFrictionScreen(SoilScreenHost& host);
    NegativeFrictionScreen(const NegativeFrictionScreen&) = delete;
    NegativeFrictionScreen& operator=(const NegativeFrictionScreen&) = delete;

    Label lb_Fmzlbiaoti;  // the screen's title
    GroupBox gpb_Fmzlshuru;
    Label lb_Junbuhezai;
    ComboBox cbe_Junbuhezai{true};
    Label lb_Dimianbiaogao;
    Edit edt_Dimianbiaogao;
    Label lb_Zhuangdingbiaogao;
    Edit edt_Zhuangdingbiaogao;
    Label lb_Tuchengshu;
    ComboBox cbb_Tuchengshu{false};
    Grid Grid1_Fumozhulijisuan{kDragGridColumns};
    Label lb_FQgn;      // "Qgn=604.23kN" after a computation, empty while stale
    Label lb_FMZxinxi;  // the last message of the calculation

    GroupBox gpb_Fmzlcankao;  // "参考数据"
    Label lb_fmzlxsbiao;
    Grid Grid2_Fumozhulixishubiao{2};
    Label lb_fmzlxssm;

    Button cbt_fmzlzhankai;   // "展开" / "折叠"
    Button cbt_Fmzlfanhui;    // Back: handled by the window
    Button cbt_FmzlComputer;  // Compute

    // Change handlers.
    void cbe_JunbuhezaiChange();
    void edt_DimianbiaogaoChange();
    void edt_ZhuangdingbiaogaoChange();
    void cbb_TuchengshuChange();
    void Grid1_FumozhulijisuanSelectCell(int row, int column);
    void Grid1_FumozhulijisuanEditingDone(int row, int column);

    void cbt_FmzlComputerClick();
    void cbt_fmzlzhankaiClick();

    // The screen's inputs as the calculation reads them, for the input screen's pile now.
    DragLoadInput input() const;
    // Shows a computation of this screen's layers: the result columns, the labels and the
    // colour of the surface load; Compute is disabled.
    void showResult(const DragLoadResult& result);
    // Shows the same as showResult of ComputeDragLoadLayers(layers' input) completed by
    // ApplyDragPerimeter(mu), with Qgn its total for mu: the cells that depend on the pile are
    // given as numbers (written out when read), and those of the layers alone are written
    // only when the layers (told by `generation`) or the grid changed since the last call.
    void showLayers(const DragLoadResult& layers, std::uint64_t generation, double mu, double qgn);
    // Whether the screen's inputs are `in` (its pile aside).
    bool holdsInput(const DragLoadInput& in) const;
    // An input change: the result is stale.
    void inputChanged();

  private:
    SoilScreenHost& m_host;
    detail::RemovedLayerRows m_removedRows;
    // What showLayers last wrote: the layers' generation and the grid's content after it.
    std::uint64_t m_shownGeneration = 0;
    std::uint64_t m_shownContent = 0;
    bool m_shownLayers = false;
    double m_shownMu = 0;
    // The label text for the total it was made for.
    std::string m_label;
    std::optional<double> m_labelFor;
};

}  // namespace pile
