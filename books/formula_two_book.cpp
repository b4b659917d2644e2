// The summary table and the detailed book of formula two.
//
// Soil tables are framed by a rule of hyphens as wide as their rows. Forces in kN, stresses in kPa,
// lengths and elevations in m.
#include "books/formula_two_book.h"

#include <cmath>
#include <utility>

#include "core/text_width.h"

namespace pile {

namespace {

std::string padValue(const std::string& text, int width) { return PadLeft(text, " ", width); }

// F2, F3: 10 significant digits and 2 or 3 decimals, whatever the rounding mode.
std::string fixed2(double x) { return FormatFixed(x, 10, 2); }
std::string fixed3(double x) { return FormatFixed(x, 10, 3); }

// 100 * part / whole in percent. A zero whole (Ra when a negative side resistance cancels Qrk
// exactly) gives 0, as does a quotient too large for a double, so the book never shows a
// non-finite number.
double percentOf(double part, double whole) {
    if (whole == 0) return 0;
    const double percent = 100 * part / whole;
    return std::isfinite(percent) ? percent : 0;
}

std::string rule(int hyphens) { return Spaces(6) + std::string(static_cast<size_t>(hyphens), '-'); }

const std::string kDragInputRule = rule(42);
const std::string kSideInputRule = rule(22);
const std::string kSideResultRule = rule(32);
const std::string kDragTableRule = rule(41);
const std::string kSummaryRule = rule(39);

double limitOrZero(const std::optional<double>& value) { return value.value_or(0); }

// One of the nine tables of section 4.7: two heading lines and the grid columns it prints.
struct DragTable {
    const char* heading1;
    const char* heading2;
    int a, b, c;  // grid columns of Grid1_Fumozhulijisuan (drag_col)
};

// clang-format off
const DragTable kDragTables[8] = {
    {"      土     层底标高     土层厚度     层顶应力",
     "      层       Ei(m)      △zi(m)    σisu'(kPa)",
     drag_col::kBottom, drag_col::kThickness, drag_col::kSigmaTop},
    {"      土     自重应力     层底应力     平均应力",
     "      层    σris'(kPa) σisd'(kPa)  σisv'(kPa)",
     drag_col::kSigmaSelf, drag_col::kSigmaBottom, drag_col::kSigmaMean},
    {"      土     桩侧土厚     层顶应力     自重应力",
     "      层       li(m)    σipu'(kPa)  σrip'(kPa)",
     drag_col::kPileSide, drag_col::kPileSigmaTop, drag_col::kPileSigmaSelf},
    {"      土     层底应力     平均应力     负摩阻力",
     "      层    σipd'(kPa)  σipv'(kPa)   系数ξni",
     drag_col::kPileSigmaBottom, drag_col::kPileSigmaMean, drag_col::kXi},
    {"      土     顶负摩阻     底负摩阻     土层侧阻",
     "      层      qsinpu       qsinpd      qsik(kPa)",
     drag_col::kQsinTop, drag_col::kQsinBottom, drag_col::kQsik},
    {"      土     顶计算用     底计算用     应力极值",
     "      层      qsinpu       qsinpd      qsinpmax",
     drag_col::kUsedQsinTop, drag_col::kUsedQsinBottom, drag_col::kQsinMax},
    {"      土     极值初始     平均负摩     桩身周长",
     "      层     位置y(m)     阻qsinpv       μ(m) ",
     drag_col::kQsinMaxDepth, drag_col::kQsinMean, drag_col::kPerimeter},
    {"      土     下拉荷载     合计荷载     层荷比例",
     "      层     Qgin(kN)    ∑Qgin(kN)    Qgin/Qgn",
     drag_col::kQgin, drag_col::kQginSum, drag_col::kShare},
};
// clang-format on

void appendDragLoadInput(BookLines& lines, const DragLoadResult& drag) {
    lines.push_back("  2.4 桩侧土体负摩阻力参数");
    // p as entered: a negative surface load is printed although the calculation used 0.
    lines.push_back("      地面大面积荷载p:             " + padValue(fixed2(drag.pEntered), 10) +
                    " kPa");
    lines.push_back("      地面标高Eg:                  " + padValue(fixed3(drag.eg), 10) + " m");
    lines.push_back("      桩顶标高Ep:                  " + padValue(fixed3(drag.ep), 10) + " m");
    lines.push_back("      考虑负摩阻力土层数m:         " +
                    padValue(std::to_string(drag.layers.size()), 10));
    lines.push_back(kDragInputRule);
    lines.push_back("      土  层底标高  土体重度  负摩阻力  土层侧阻");
    lines.push_back("      层    Ei(m)  γi(kN/m3) 系数ξni  qsik(kPa)");
    lines.push_back(kDragInputRule);
    for (const DragLoadLayerResult& layer : drag.layers) {
        const auto& cell = layer.cells;
        lines.push_back(Spaces(6) + padValue(cell[drag_col::kNumber], 2) + Spaces(2) +
                        padValue(cell[drag_col::kBottom], 8) + Spaces(2) +
                        padValue(cell[drag_col::kUnitWeight], 7) + Spaces(3) +
                        padValue(cell[drag_col::kXi], 6) + Spaces(4) +
                        padValue(cell[drag_col::kQsik], 7) + Spaces(1));
    }
    lines.push_back(kDragInputRule);
}

void appendSideInput(BookLines& lines, const SideResistanceResult& side) {
    lines.push_back("  2.5 桩侧土体侧阻力参数");
    lines.push_back("      考虑侧阻力土层数n:           " +
                    padValue(std::to_string(side.layers.size()), 10));
    lines.push_back(kSideInputRule);
    lines.push_back("      土  土层厚度  土层侧阻");
    lines.push_back("      层    li(m)  qsik(kPa)");
    lines.push_back(kSideInputRule);
    for (const SideLayerResult& layer : side.layers) {
        const auto& cell = layer.cells;
        lines.push_back(Spaces(6) + padValue(cell[side_col::kNumber], 2) + Spaces(2) +
                        padValue(cell[side_col::kThickness], 7) + Spaces(2) +
                        padValue(cell[side_col::kQsik], 8) + Spaces(1));
    }
    lines.push_back(kSideInputRule);
}

// A layer line of the side-resistance result tables: three cells of 7, 8 and 8 columns.
std::string sideResultLine(const SideLayerResult& layer, int a, int b, int c) {
    const auto& cell = layer.cells;
    return Spaces(6) + padValue(cell[side_col::kNumber], 2) + Spaces(2) + padValue(cell[a], 7) +
           Spaces(2) + padValue(cell[b], 8) + Spaces(2) + padValue(cell[c], 8) + Spaces(1);
}

}  // namespace

const SummaryTableLayout& formulaTwoTableLayout() {
    using S = const SummaryRowSource&;
    static const SummaryTableLayout layout = [] {
        std::vector<SummaryColumn> columns = formulaOneColumns();
        // clang-format off
        columns.insert(columns.end(), {
            {"下拉荷载  ", " Qgn(kN)  ", [](S s) { return roundedCell(QgnText(limitOrZero(s.result.Qgn), s.mode, ShownOn::Book), s.mode, 2); }},
            {"标准荷载  ", "限值[Nk]  ", [](S s) { return roundedCell(NkLimitText(limitOrZero(s.result.NkLimit), s.mode, ShownOn::Book), s.mode, 2); }},
            {"设计荷载  ", "限值 [N]  ", [](S s) { return roundedCell(NLimitText(limitOrZero(s.result.NLimit), s.mode, ShownOn::Book), s.mode, 2); }},
        });
        // clang-format on
        return makeTableLayout(std::move(columns));
    }();
    return layout;
}

std::vector<std::string> formulaTwoSummaryRowCells(const PileInput& input, const FormulaTwoRun& run,
                                                   RoundingMode mode, int n) {
    return tableRowCells(formulaTwoTableLayout(), {input, run.result.pile, mode, n});
}

std::string formulaTwoSummaryRow(const PileInput& input, const FormulaTwoRun& run,
                                 RoundingMode mode, int n) {
    return tableRow(formulaTwoTableLayout(), {input, run.result.pile, mode, n});
}

void appendSoilInputData(BookLines& lines, const FormulaTwoRun& run) {
    if (run.drag) {
        appendDragLoadInput(lines, *run.drag);
    } else {
        lines.push_back("  2.4 桩侧土负摩阻力不考虑。");
    }
    if (run.side) {
        appendSideInput(lines, *run.side);
    } else {
        lines.push_back("  2.5 桩侧土体侧阻力不考虑。");
    }
}

void appendLoadLimitFormulas(BookLines& lines, const FormulaTwoRun& run) {
    lines.push_back("              Nk≤Ra                (5.4.2-1)");
    if (!run.drag) return;
    // The lines with "n", "i=1", "i-1" and "e=1" place the limits of the summation sign of
    // the line below or above them.
    lines.push_back("              Qgn+Nk≤1.5Ra         (5.4.2-2)");
    lines.push_back("                    n                        ");
    lines.push_back("              Qgn=μ∑qsin.li       (5.4.3-1)");
    lines.push_back("                    i=1                      ");
    lines.push_back("              qsin=ξni.σi'        (5.4.3-2)");
    lines.push_back("              σi'=p+σri'                   ");
    lines.push_back("            i-1                              ");
    lines.push_back("      σri'=∑γe.△ze+(1/2)γi.△zi         ");
    lines.push_back("            e=1                              ");
}

void appendSideResistance(BookLines& lines, const FormulaTwoRun& run) {
    if (!run.side) {
        appendSoilResistanceOmitted(lines);
        return;
    }
    const SideResistanceResult& side = *run.side;
    lines.push_back("  4.4 桩侧土侧阻力");
    lines.push_back(kSideResultRule);
    lines.push_back("      土  土层厚度  土层侧阻  桩身周长");
    lines.push_back("      层    li(m)   qsik(kPa)   μ(m) ");
    lines.push_back(kSideResultRule);
    for (const SideLayerResult& layer : side.layers)
        lines.push_back(
            sideResultLine(layer, side_col::kThickness, side_col::kQsik, side_col::kPerimeter));
    lines.push_back(kSideResultRule);
    lines.push_back("      土  分层侧阻  合计侧阻  侧阻比例");
    lines.push_back("      层  Qsik(kN)   ∑Qsik   Qsik/Qsk");
    lines.push_back(kSideResultRule);
    for (const SideLayerResult& layer : side.layers)
        lines.push_back(sideResultLine(layer, side_col::kResistance, side_col::kResistanceSum,
                                       side_col::kShare));
    lines.push_back(kSideResultRule);
    // Qsk as it entered Quk: the 2-decimal total of the grid.
    lines.push_back(
        "      土的总极限侧阻力标准值Qsk:   " + padValue(fixed2(run.result.pile.Qsk), 10) + " kN");
}

void appendNegativeFriction(BookLines& lines, const FormulaTwoRun& run) {
    if (!run.drag) {
        lines.push_back("  4.7 桩侧土体引起的下拉荷载Qgn(不考虑): 0.00 kN");
        return;
    }
    const DragLoadResult& drag = *run.drag;
    const PileResult& result = run.result.pile;
    lines.push_back("  4.7 桩侧土负摩阻力");
    // Every layer is listed, those above the pile top ("-" in their pile-side cells) included.
    for (const DragTable& table : kDragTables) {
        lines.push_back(kDragTableRule);
        lines.push_back(table.heading1);
        lines.push_back(table.heading2);
        lines.push_back(kDragTableRule);
        for (const DragLoadLayerResult& layer : drag.layers) {
            const auto& cell = layer.cells;
            lines.push_back(Spaces(6) + padValue(cell[drag_col::kNumber], 2) + Spaces(5) +
                            padValue(cell[static_cast<size_t>(table.a)], 8) + Spaces(5) +
                            padValue(cell[static_cast<size_t>(table.b)], 7) + Spaces(6) +
                            padValue(cell[static_cast<size_t>(table.c)], 7) + Spaces(1));
        }
    }
    lines.push_back(kDragTableRule);
    lines.push_back("      土         计算下拉荷载采用的桩侧土      ");
    lines.push_back("      层            负摩阻应力分布图形         ");
    lines.push_back(kDragTableRule);
    for (const DragLoadLayerResult& layer : drag.layers) {
        lines.push_back(Spaces(6) + padValue(layer.cells[drag_col::kNumber], 2) + Spaces(9) +
                        PadCenter(layer.cells[drag_col::kShape], " ", 24) + Spaces(6));
    }
    lines.push_back(kDragTableRule);

    const double qgn = limitOrZero(result.Qgn);
    const double nk = limitOrZero(result.NkLimit);
    const double nLimit = limitOrZero(result.NLimit);
    lines.push_back("      桩侧土体引起的下拉荷载Qgn:   " + padValue(fixed2(qgn), 10) + " kN");
    lines.push_back("  4.8 单桩竖向荷载标准值限值[Nk]:  " + padValue(fixed2(nk), 10) + " kN");
    lines.push_back("      限值与承载力特征值比[Nk]/Ra: " +
                    padValue(fixed2(percentOf(nk, result.Ra)), 9) + "%");
    lines.push_back("  4.9 结构重要性系数γ0:                  1.0");
    lines.push_back("      单桩竖向荷载设计值限值[N]:   " + padValue(fixed2(nLimit), 10) + " kN");
    lines.push_back("      限值与桩身承载力设计值比[N]/Rc:" +
                    padValue(fixed2(percentOf(nLimit, result.Rc)), 7) + "%");
}

void appendLimitSummaryBlock(BookLines& lines, const FormulaTwoRun& run, RoundingMode mode) {
    const PileResult& result = run.result.pile;
    const auto center = [](const std::string& text) { return PadCenter(text, " ", 8); };
    lines.push_back(kSummaryRule);
    lines.push_back("      下拉荷载  标准荷载  设计荷载  竖向荷载 ");
    lines.push_back("       Qgn(kN)  限值[Nk]  限值 [N]  限值判定 ");
    lines.push_back(kSummaryRule);
    lines.push_back(
        Spaces(6) + center(QgnText(limitOrZero(result.Qgn), mode, ShownOn::Book)) + Spaces(2) +
        center(NkLimitText(limitOrZero(result.NkLimit), mode, ShownOn::Book)) + Spaces(2) +
        center(NLimitText(limitOrZero(result.NLimit), mode, ShownOn::Book)) + Spaces(2) +
        PadCenter(limitVerdictText(run.result.verdict), " ", 8) + Spaces(1));
}

BookLines formulaTwoBookLines(const PileInput& input, const FormulaTwoRun& run,
                              const std::string& rockClassName, RoundingMode mode, int n,
                              const std::string& timeText) {
    const PileResult& result = run.result.pile;
    BookLines lines;
    appendBookTitle(lines, n);
    appendInputData(lines, input);
    appendSoilInputData(lines, run);
    appendFormulas(lines, input);
    appendLoadLimitFormulas(lines, run);
    appendShaftFormula(lines);
    appendRockResistance(lines, input, result, rockClassName);
    appendSideResistance(lines, run);
    appendUltimateCapacity(lines, result);
    appendShaftCapacity(lines, input, result);
    appendNegativeFriction(lines, run);
    appendSummaryBlocks(lines, input, result, mode, n);
    appendLimitSummaryBlock(lines, run, mode);
    appendBookClosing(lines, timeText);
    return lines;
}

}  // namespace pile
