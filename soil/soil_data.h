// Soil layer records of the two soil screens of formula two, their defaults, and the two
// reference tables of DBJ 50-200-2014 shown beside them.
//
// Every cell keeps the text as the user typed it; the calculations convert it when they
// run (lenient reading, an empty cell counts as 0), and the books print the typed text.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/pile_input.h"

namespace pile {

// Each soil grid holds 1 to 20 layers (cbb_Tuchengshu, cbb_ZhengTuchengshu).
inline constexpr int kMaxSoilLayers = 20;

// The pile section as the input screen holds it when a soil calculation runs: cbb_jmlx and
// the texts of cbe_dd (d, or the long side a, mm) and cbe_tyzd (c, or the short side b, mm).
struct PileSection {
    SectionType section = SectionType::Circle;
    std::string dd = "1000";
    std::string tyzd = "0";
};

// The section and size texts of the input screen (after the rectangle side ordering when the
// caller has run ReadPileInput on them).
PileSection pileSectionOf(const InputTexts& texts);

// One layer of the negative-skin-friction grid (Grid1_Fumozhulijisuan, columns 1 to 5), top
// layer first. The member defaults are the screen's default first row; new rows are blank().
struct SoilLayer {
    std::string name = "新近填土";     // column 1, hidden, read by nothing
    std::string bottom = "-10.000";    // column 2, Ei: elevation of the layer bottom, m
    std::string unitWeight = "17.00";  // column 3, gamma_i, kN/m3
    std::string xi = "0.30";           // column 4, negative skin friction coefficient xi_ni
    std::string qsik = "25.00";        // column 5, ultimate side resistance, kPa

    static SoilLayer blank() { return SoilLayer{"", "", "", "", ""}; }
};

// One layer of the side-resistance grid (Grid1_Zhengmozhulijisuan, columns 1 and 2).
struct SideLayer {
    std::string thickness = "10.000";  // column 1, li: thickness along the pile, m
    std::string qsik = "40.00";        // column 2, ultimate side resistance, kPa

    static SideLayer blank() { return SideLayer{"", ""}; }
};

// Inputs of the negative-skin-friction screen; the defaults are those of a new window.
struct DragLoadInput {
    PileSection pile;
    std::string p = "10.00";                     // cbe_Junbuhezai, large-area surface load, kPa
    std::string eg = "-0.300";                   // edt_Dimianbiaogao, ground surface elevation, m
    std::string ep = "-0.900";                   // edt_Zhuangdingbiaogao, pile top elevation, m
    std::vector<SoilLayer> layers{SoilLayer{}};  // m rows
};

// Inputs of the side-resistance screen; the defaults are those of a new window.
struct SideResistanceInput {
    PileSection pile;
    std::vector<SideLayer> layers{SideLayer{}};  // n rows
};

// Items of cbe_Junbuhezai: "0.00" ... "200.00".
const std::vector<std::string>& surfaceLoadItems();
// Items of cbb_Tuchengshu and cbb_ZhengTuchengshu: "1" ... "20".
const std::vector<std::string>& layerCountItems();

// Column count, field names and header texts of the two layer grids.
inline constexpr int kDragGridColumns = 30;
inline constexpr int kSideGridColumns = 9;
struct GridColumn {
    const char* field;
    const char* header;
};
const std::array<GridColumn, kDragGridColumns>& dragGridColumns();
const std::array<GridColumn, kSideGridColumns>& sideGridColumns();

// A read-only reference table with its caption and note label. The values are advice to
// the user only; no calculation reads them.
struct ReferenceTable {
    std::string caption;
    std::string group;                 // empty when the table has no group caption
    std::vector<std::string> headers;  // column headers; empty when row 0 is the heading
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> noteLines;
    std::string noteText() const;  // the note lines joined by carriage returns
};

// Table 5.4.3, negative skin friction coefficient xi_n (Grid2_Fumozhulixishubiao).
const ReferenceTable& negativeFrictionTable();
// Table 5.3.6, ultimate side resistance qsik of piles (Grid2_Zhengmozhulizhibiao). An empty
// first cell continues the soil of the row above.
const ReferenceTable& sideResistanceTable();

}  // namespace pile
