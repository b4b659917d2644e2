// The records, defaults and reference tables of the two soil screens.
#include <gtest/gtest.h>

#include "soil/soil_data.h"

namespace pile {
namespace {

TEST(SoilData, NewWindowHasOneDefaultRowOnEachScreen) {
    const DragLoadInput drag;
    EXPECT_EQ(drag.p, "10.00");
    EXPECT_EQ(drag.eg, "-0.300");
    EXPECT_EQ(drag.ep, "-0.900");
    ASSERT_EQ(drag.layers.size(), 1u);
    EXPECT_EQ(drag.layers[0].name, "新近填土");
    EXPECT_EQ(drag.layers[0].bottom, "-10.000");
    EXPECT_EQ(drag.layers[0].unitWeight, "17.00");
    EXPECT_EQ(drag.layers[0].xi, "0.30");
    EXPECT_EQ(drag.layers[0].qsik, "25.00");

    const SideResistanceInput side;
    ASSERT_EQ(side.layers.size(), 1u);
    EXPECT_EQ(side.layers[0].thickness, "10.000");
    EXPECT_EQ(side.layers[0].qsik, "40.00");

    const SoilLayer blank = SoilLayer::blank();
    EXPECT_TRUE(blank.name.empty() && blank.bottom.empty() && blank.unitWeight.empty() &&
                blank.xi.empty() && blank.qsik.empty());
}

TEST(SoilData, ItemLists) {
    EXPECT_EQ(surfaceLoadItems(),
              (std::vector<std::string>{"0.00", "5.00", "10.00", "20.00", "50.00", "100.00",
                                        "150.00", "200.00"}));
    const auto& counts = layerCountItems();
    ASSERT_EQ(counts.size(), 20u);
    EXPECT_EQ(counts.front(), "1");
    EXPECT_EQ(counts.back(), "20");
}

TEST(SoilData, GridColumns) {
    const auto& drag = dragGridColumns();
    EXPECT_STREQ(drag[0].field, "Grid1_01_Str_Xuhao");
    EXPECT_STREQ(drag[4].header, "  ξni");
    EXPECT_STREQ(drag[25].header, "∑Qgin(kN)");
    EXPECT_STREQ(drag[29].field, "Grid1_30_Str_Beizhu");
    const auto& side = sideGridColumns();
    EXPECT_STREQ(side[1].header, "土厚li(m)");
    EXPECT_STREQ(side[8].field, "grd1_09_Str_Beizhu");
}

TEST(SoilData, NegativeFrictionReferenceTable) {
    const ReferenceTable& t = negativeFrictionTable();
    EXPECT_EQ(t.caption, "表5.4.3 桩侧负摩阻力系数 ξn");
    EXPECT_EQ(t.group, "参考数据");
    ASSERT_EQ(t.rows.size(), 5u);
    for (const auto& row : t.rows) EXPECT_EQ(row.size(), 2u);
    EXPECT_EQ(t.rows[0], (std::vector<std::string>{"土    类", "ξn"}));
    EXPECT_EQ(t.rows[4], (std::vector<std::string>{"新近填土", "0.20～0.50"}));
    ASSERT_EQ(t.noteLines.size(), 6u);
    EXPECT_EQ(t.noteText(),
              "注：1 在同一类土中，对于挤土桩，取表中较大值，\r"
              "           对于非挤土桩，取表中较小值；\r"
              "        2 干作业成孔时，取表中较大值，\r"
              "           湿作业成孔时，取表中较小值；\r"
              "        3 新近碎块石填土，当块石空隙被粘性土充填时，\r"
              "           取表中较大值，当无充填时，取表中较小值。");
}

TEST(SoilData, SideResistanceReferenceTable) {
    const ReferenceTable& t = sideResistanceTable();
    EXPECT_EQ(t.caption, "表5.3.6 桩的极限侧阻力标准值 qsik (kPa)");
    EXPECT_EQ(t.headers, (std::vector<std::string>{"土的名称", "土的状态", "土的状态",
                                                   "干作业钻孔桩", "泥浆护壁钻(冲)孔桩"}));
    ASSERT_EQ(t.rows.size(), 24u);
    for (const auto& row : t.rows) EXPECT_EQ(row.size(), 5u);
    // Rows 2 and 3 carry the plain "<", the others the full-width signs.
    EXPECT_EQ(t.rows[2][2], "0.50<IL≤0.75");
    EXPECT_EQ(t.rows[3][2], "0.25<IL≤0.50");
    EXPECT_EQ(t.rows[4][2], "0＜IL≤0.25");
    EXPECT_EQ(t.rows[1][0], "");
    EXPECT_EQ(t.rows[23], (std::vector<std::string>{"强风化硬质岩", "－", "N63.5＞10", "160～260",
                                                    "160～240"}));
    ASSERT_EQ(t.noteLines.size(), 7u);
    EXPECT_EQ(t.noteLines[6], "           为frk≤15MPa、frk＞30MPa的岩石。");
}

}  // namespace
}  // namespace pile
