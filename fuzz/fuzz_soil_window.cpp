// libFuzzer target: arbitrary soil texts through the formula-two window, its soil screens and
// its books, as a user would type them.
//
// Input layout: four control bytes (drag layer count, side layer count, switches and section,
// rounding mode), then texts separated by '\n': p, Eg, Ep, cbe_dd, cbe_tyzd, then the cells of
// the drag layers (Ei, gamma, xi, qsik per layer) and of the side layers (li, qsik). The soil
// screens' own Compute runs first, then the input screen's. No result field, soil label or
// result cell may show a number that is not finite or a negative zero. (The books print the
// typed texts as they stand, so they are not checked here.)
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/model/formula_two_window.h"
#include "app/model/platform.h"
#include "core/sections.h"
#include "fuzz/fuzz_checks.h"

namespace {

using namespace pile;
using fuzz::checkText;
using fuzz::FixedTime;
using fuzz::NoBoxes;
using fuzz::NoFolder;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 4;
    if (size < kHeader) return 0;
    pile::fuzz::Texts texts(data, size, kHeader);
    const auto text = [&texts] { return texts.next(); };

    NoFolder folder;
    FixedTime clock;
    GrantingPermissionService permissions;
    NoBoxes boxes;
    CancellingDialogs dialogs;
    Platform platform{folder, clock, permissions, boxes, boxes, boxes, dialogs};
    FormulaTwoWindow window(platform);
    FormulaTwoInputScreen& input = window.formulaTwoInput();
    NegativeFrictionScreen& drag = window.dragScreen();
    SideResistanceScreen& side = window.sideScreen();

    input.ckb_fumozhuli.setChecked(data[2] & 1);
    input.ckb_zhengmozhuli.setChecked(data[2] & 2);
    input.cbb_jmlx.setIndex((data[2] >> 2) % kSectionCount);
    input.popbox_jingdu.setIndex(data[3] % 5);
    drag.cbe_Junbuhezai.setText(text());
    drag.edt_Dimianbiaogao.setText(text());
    drag.edt_Zhuangdingbiaogao.setText(text());
    input.cbe_dd.setText(text());
    input.cbe_tyzd.setText(text());
    drag.cbb_Tuchengshu.setIndex(data[0] % kMaxSoilLayers);
    side.cbb_ZhengTuchengshu.setIndex(data[1] % kMaxSoilLayers);
    Grid& dragGrid = drag.Grid1_Fumozhulijisuan;
    for (int row = 0; row < dragGrid.rowCount(); ++row)
        for (int column = drag_col::kBottom; column <= drag_col::kQsik; ++column)
            dragGrid.editCell(row, column, text());
    Grid& sideGrid = side.Grid1_Zhengmozhulijisuan;
    for (int row = 0; row < sideGrid.rowCount(); ++row)
        for (int column = side_col::kThickness; column <= side_col::kQsik; ++column)
            sideGrid.editCell(row, column, text());

    drag.cbt_FmzlComputerClick();
    side.cbt_ZmzlComputerClick();
    input.cbt_computeClick();

    for (const Edit* field : {&input.edt_ra, &input.edt_rc, &input.edt_kesair, &input.edt_Qgn,
                              &input.edt_Nkxianzhi, &input.edt_Nxianzhi})
        checkText(field->text());
    checkText(drag.lb_FQgn.text());
    checkText(side.lb_Qsk.text());
    for (int row = 0; row < dragGrid.rowCount(); ++row)
        for (int column = drag_col::kPerimeter; column < kDragGridColumns; ++column)
            checkText(dragGrid.cell(row, column));
    for (int row = 0; row < sideGrid.rowCount(); ++row)
        for (int column = side_col::kPerimeter; column < kSideGridColumns; ++column)
            checkText(sideGrid.cell(row, column));
    return 0;
}
