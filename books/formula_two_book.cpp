// The summary table and the detailed book of formula two.
//
// Soil tables are framed by a rule of hyphens as wide as their rows. Forces in kN, stresses in kPa,
// lengths and elevations in m.
#include "books/formula_two_book.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/text_width.h"

namespace pile {

namespace {

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

// The rules of the soil tables, in hyphens.
constexpr int kDragInputRule = 42;
constexpr int kSideInputRule = 22;
constexpr int kSideResultRule = 32;
constexpr int kDragTableRule = 41;
constexpr int kSummaryRule = 39;

double limitOrZero(const std::optional<double>& value) { return value.value_or(0); }

void add(BookModel& book, BookBlock block) { book.blocks.push_back(std::move(block)); }

BookValue value(std::string number, std::string label, std::string text, std::string unit = {},
                int column = 35, int width = 10) {
    return {std::move(number), {std::move(label)}, std::move(text), std::move(unit), column, width};
}

// A column of a soil table: its captions, and its cells right-aligned in `width` columns
// followed by `gap` blanks.
BookColumn column(std::string caption1, std::string caption2, int width, int gap) {
    return {std::move(caption1), std::move(caption2), 0, width, CellAlign::Right, gap};
}

// The layer number column of every soil table: "土" over "层".
BookColumn layerColumn(std::string caption1, std::string caption2, int gap) {
    return column(std::move(caption1), std::move(caption2), 2, gap);
}

// One of the nine tables of section 4.7: its columns and the grid columns they print.
struct DragTable {
    BookColumn columns[3];
    const char* layerCaption2;
    int a, b, c;  // grid columns of Grid1_Fumozhulijisuan (drag_col)
};

// clang-format off
const DragTable kDragTables[8] = {
    {{column("层底标高     ", "E_{i}(m)      ", 8, 5), column("土层厚度     ", "△z_{i}(m)    ", 7, 6), column("层顶应力", "σ_{isu}'(kPa)", 7, 1)},
     "层       ", drag_col::kBottom, drag_col::kThickness, drag_col::kSigmaTop},
    {{column("自重应力     ", "σ_{ris}'(kPa) ", 8, 5), column("层底应力     ", "σ_{isd}'(kPa)  ", 7, 6), column("平均应力", "σ_{isv}'(kPa)", 7, 1)},
     "层    ", drag_col::kSigmaSelf, drag_col::kSigmaBottom, drag_col::kSigmaMean},
    {{column("桩侧土厚     ", "l_{i}(m)    ", 8, 5), column("层顶应力     ", "σ_{ipu}'(kPa)  ", 7, 6), column("自重应力", "σ_{rip}'(kPa)", 7, 1)},
     "层       ", drag_col::kPileSide, drag_col::kPileSigmaTop, drag_col::kPileSigmaSelf},
    {{column("层底应力     ", "σ_{ipd}'(kPa)  ", 8, 5), column("平均应力     ", "σ_{ipv}'(kPa)   ", 7, 6), column("负摩阻力", "系数ξ_{ni}", 7, 1)},
     "层    ", drag_col::kPileSigmaBottom, drag_col::kPileSigmaMean, drag_col::kXi},
    {{column("顶负摩阻     ", "q_{si}^{n}_{pu}       ", 8, 5), column("底负摩阻     ", "q_{si}^{n}_{pd}      ", 7, 6), column("土层侧阻", "q_{sik}(kPa)", 7, 1)},
     "层      ", drag_col::kQsinTop, drag_col::kQsinBottom, drag_col::kQsik},
    {{column("顶计算用     ", "q_{si}^{n}_{pu}       ", 8, 5), column("底计算用     ", "q_{si}^{n}_{pd}      ", 7, 6), column("应力极值", "q_{si}^{n}_{pmax}", 7, 1)},
     "层      ", drag_col::kUsedQsinTop, drag_col::kUsedQsinBottom, drag_col::kQsinMax},
    {{column("极值初始     ", "位置y(m)     ", 8, 5), column("平均负摩     ", "阻q_{si}^{n}_{pv}       ", 7, 6), column("桩身周长", "μ(m) ", 7, 1)},
     "层     ", drag_col::kQsinMaxDepth, drag_col::kQsinMean, drag_col::kPerimeter},
    {{column("下拉荷载     ", "Q_{gi}^{n}(kN)    ", 8, 5), column("合计荷载     ", "∑Q_{gi}^{n}(kN)    ", 7, 6), column("层荷比例", "Q_{gi}^{n}/Q_{g}^{n}", 7, 1)},
     "层     ", drag_col::kQgin, drag_col::kQginSum, drag_col::kShare},
};
// clang-format on

void appendDragLoadInput(BookModel& book, const DragLoadResult& drag) {
    add(book, BookHeading{2, "2.4", "桩侧土体负摩阻力参数", {}});
    // p as entered: a negative surface load is printed although the calculation used 0.
    add(book, value({}, "地面大面积荷载p", fixed2(drag.pEntered), "kPa"));
    add(book, value({}, "地面标高E_{g}", fixed3(drag.eg), "m"));
    add(book, value({}, "桩顶标高E_{p}", fixed3(drag.ep), "m"));
    add(book, value({}, "考虑负摩阻力土层数m", std::to_string(drag.layers.size())));
    BookTable table{
        {layerColumn("土  ", "层    ", 2), column("层底标高  ", "E_{i}(m)  ", 8, 2),
         column("土体重度  ", "γ_{i}(kN/m3) ", 7, 3), column("负摩阻力  ", "系数ξ_{ni}  ", 6, 4),
         column("土层侧阻", "q_{sik}(kPa)", 7, 1)},
        {},
        6,
        kDragInputRule,
        true};
    for (const DragLoadLayerResult& layer : drag.layers) {
        const auto& cell = layer.cells;
        table.rows.push_back({cell[drag_col::kNumber], cell[drag_col::kBottom],
                              cell[drag_col::kUnitWeight], cell[drag_col::kXi],
                              cell[drag_col::kQsik]});
    }
    add(book, std::move(table));
}

void appendSideInput(BookModel& book, const SideResistanceResult& side) {
    add(book, BookHeading{2, "2.5", "桩侧土体侧阻力参数", {}});
    add(book, value({}, "考虑侧阻力土层数n", std::to_string(side.layers.size())));
    BookTable table{{layerColumn("土  ", "层    ", 2), column("土层厚度  ", "l_{i}(m)  ", 7, 2),
                     column("土层侧阻", "q_{sik}(kPa)", 8, 1)},
                    {},
                    6,
                    kSideInputRule,
                    true};
    for (const SideLayerResult& layer : side.layers) {
        const auto& cell = layer.cells;
        table.rows.push_back(
            {cell[side_col::kNumber], cell[side_col::kThickness], cell[side_col::kQsik]});
    }
    add(book, std::move(table));
}

// A side-resistance result table: the layer number and three grid columns a, b, c.
BookTable sideResultTable(const SideResistanceResult& side, std::vector<BookColumn> columns, int a,
                          int b, int c, bool closed) {
    BookTable table{std::move(columns), {}, 6, kSideResultRule, closed};
    for (const SideLayerResult& layer : side.layers) {
        const auto& cell = layer.cells;
        table.rows.push_back({cell[side_col::kNumber], cell[static_cast<size_t>(a)],
                              cell[static_cast<size_t>(b)], cell[static_cast<size_t>(c)]});
    }
    return table;
}

}  // namespace

BookSoilFigure soilFigure(const DragLoadResult& drag, double socket,
                          const std::string& socketText) {
    BookSoilFigure figure;
    figure.eg = drag.eg;
    figure.ep = drag.ep;
    figure.egText = fixed3(drag.eg);
    figure.epText = fixed3(drag.ep);
    figure.socket = socket;
    figure.socketText = socketText;
    double top = drag.eg;
    for (const DragLoadLayerResult& layer : drag.layers) {
        BookSoilLayer soil;
        soil.number = layer.cells[drag_col::kNumber];
        soil.top = top;
        soil.bottom = layer.bottom;
        soil.bottomText = layer.cells[drag_col::kBottom];
        soil.pile = layer.state != LayerPileState::NoPile;
        soil.pileTop = std::min(top, drag.ep);
        soil.qTop = layer.usedQsinTop;
        soil.qBottom = layer.usedQsinBottom;
        soil.shape = layer.cells[drag_col::kShape];
        figure.layers.push_back(std::move(soil));
        top = layer.bottom;
    }
    return figure;
}

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

void appendSoilInputData(BookModel& book, const FormulaTwoRun& run) {
    if (run.drag) {
        appendDragLoadInput(book, *run.drag);
    } else {
        add(book, BookHeading{2, "2.4", "桩侧土负摩阻力不考虑。", {}});
    }
    if (run.side) {
        appendSideInput(book, *run.side);
    } else {
        add(book, BookHeading{2, "2.5", "桩侧土体侧阻力不考虑。", {}});
    }
}

void appendLoadLimitFormulas(BookModel& book, const FormulaTwoRun& run) {
    add(book, BookFormula{"N_{k}≤R_{a}", "5.4.2-1", 14, 36, {}, {}, 0, 0});
    if (!run.drag) return;
    add(book, BookFormula{"Q_{g}^{n}+N_{k}≤1.5R_{a}", "5.4.2-2", 14, 36, {}, {}, 0, 0});
    // The limits of a sum stand on lines of their own, above and below its sign.
    add(book, BookFormula{"Q_{g}^{n}=μ∑q_{si}^{n}.l_{i}", "5.4.3-1", 14, 35, "n", "i=1", 20, 45});
    add(book, BookFormula{"q_{si}^{n}=ξ_{ni}.σ_{i}'", "5.4.3-2", 14, 34, {}, {}, 0, 0});
    add(book, BookFormula{"σ_{i}'=p+σ_{ri}'", {}, 14, 43, {}, {}, 0, 0});
    add(book,
        BookFormula{"σ_{ri}'=∑γ_{e}.△z_{e}+(1/2)γ_{i}.△z_{i}", {}, 6, 42, "i-1", "e=1", 12, 45});
}

void appendSideResistance(BookModel& book, const FormulaTwoRun& run) {
    if (!run.side) {
        appendSoilResistanceOmitted(book);
        return;
    }
    const SideResistanceResult& side = *run.side;
    add(book, BookHeading{2, "4.4", "桩侧土侧阻力", {}});
    add(book,
        sideResultTable(
            side,
            {layerColumn("土  ", "层    ", 2), column("土层厚度  ", "l_{i}(m)   ", 7, 2),
             column("土层侧阻  ", "q_{sik}(kPa)   ", 8, 2), column("桩身周长", "μ(m) ", 8, 1)},
            side_col::kThickness, side_col::kQsik, side_col::kPerimeter, false));
    add(book,
        sideResultTable(
            side,
            {layerColumn("土  ", "层  ", 2), column("分层侧阻  ", "Q_{sik}(kN)   ", 7, 2),
             column("合计侧阻  ", "∑Q_{sik}   ", 8, 2), column("侧阻比例", "Q_{sik}/Q_{sk}", 8, 1)},
            side_col::kResistance, side_col::kResistanceSum, side_col::kShare, true));
    // Qsk as it entered Quk: the 2-decimal total of the grid.
    add(book, value({}, "土的总极限侧阻力标准值Q_{sk}", fixed2(run.result.pile.Qsk), "kN"));
}

void appendNegativeFriction(BookModel& book, const FormulaTwoRun& run) {
    if (!run.drag) {
        add(book, value("4.7", "桩侧土体引起的下拉荷载Q_{g}^{n}(不考虑)", "0.00", "kN", 0, 5));
        return;
    }
    const DragLoadResult& drag = *run.drag;
    const PileResult& result = run.result.pile;
    add(book, BookHeading{2, "4.7", "桩侧土负摩阻力", {}});
    // Every layer is listed, those above the pile top ("-" in their pile-side cells) included.
    for (const DragTable& spec : kDragTables) {
        BookTable table{{layerColumn("土     ", spec.layerCaption2, 5), spec.columns[0],
                         spec.columns[1], spec.columns[2]},
                        {},
                        6,
                        kDragTableRule,
                        false};
        for (const DragLoadLayerResult& layer : drag.layers) {
            const auto& cell = layer.cells;
            table.rows.push_back({cell[drag_col::kNumber], cell[static_cast<size_t>(spec.a)],
                                  cell[static_cast<size_t>(spec.b)],
                                  cell[static_cast<size_t>(spec.c)]});
        }
        add(book, std::move(table));
    }
    BookTable shapes{{layerColumn("土         ", "层            ", 9),
                      {"计算下拉荷载采用的桩侧土      ", "负摩阻应力分布图形         ", 0, 24,
                       CellAlign::Centre, 6}},
                     {},
                     6,
                     kDragTableRule,
                     true};
    for (const DragLoadLayerResult& layer : drag.layers)
        shapes.rows.push_back({layer.cells[drag_col::kNumber], layer.cells[drag_col::kShape]});
    add(book, std::move(shapes));

    const double qgn = limitOrZero(result.Qgn);
    const double nk = limitOrZero(result.NkLimit);
    const double nLimit = limitOrZero(result.NLimit);
    add(book, value({}, "桩侧土体引起的下拉荷载Q_{g}^{n}", fixed2(qgn), "kN"));
    add(book, value("4.8", "单桩竖向荷载标准值限值[N_{k}]", fixed2(nk), "kN"));
    add(book, value({}, "限值与承载力特征值比[N_{k}]/R_{a}", fixed2(percentOf(nk, result.Ra)), "%",
                    35, 9));
    add(book, value("4.9", "结构重要性系数γ_{0}", "1.0", {}, 0, 21));
    add(book, value({}, "单桩竖向荷载设计值限值[N]", fixed2(nLimit), "kN"));
    add(book, value({}, "限值与桩身承载力设计值比[N]/R_{c}", fixed2(percentOf(nLimit, result.Rc)),
                    "%", 0, 7));
}

void appendLimitSummaryBlock(BookModel& book, const FormulaTwoRun& run, RoundingMode mode) {
    const PileResult& result = run.result.pile;
    const auto centred = [](std::string caption1, std::string caption2, int gap) {
        return BookColumn{std::move(caption1), std::move(caption2), 0, 8, CellAlign::Centre, gap};
    };
    BookTable table{
        {centred("下拉荷载  ", " Q_{g}^{n}(kN)  ", 2), centred("标准荷载  ", "限值[N_{k}]  ", 2),
         centred("设计荷载  ", "限值 [N]  ", 2), centred("竖向荷载 ", "限值判定 ", 1)},
        {},
        6,
        kSummaryRule,
        false};
    table.rows.push_back({QgnText(limitOrZero(result.Qgn), mode, ShownOn::Book),
                          NkLimitText(limitOrZero(result.NkLimit), mode, ShownOn::Book),
                          NLimitText(limitOrZero(result.NLimit), mode, ShownOn::Book),
                          limitVerdictText(run.result.verdict)});
    add(book, std::move(table));
}

BookModel formulaTwoBook(const PileInput& input, const FormulaTwoRun& run,
                         const std::string& rockClassName, RoundingMode mode, int n,
                         const std::string& timeText) {
    const PileResult& result = run.result.pile;
    BookModel book;
    appendBookTitle(book, n);
    appendInputData(book, input);
    appendSoilInputData(book, run);
    appendFormulas(book, input);
    appendLoadLimitFormulas(book, run);
    appendShaftFormula(book);
    appendRockResistance(book, input, result, rockClassName);
    appendSideResistance(book, run);
    appendUltimateCapacity(book, result);
    appendShaftCapacity(book, input, result);
    appendNegativeFriction(book, run);
    // The drawing of the pile in its soil follows the soil sections (typeset books only).
    if (run.drag) add(book, soilFigure(*run.drag, input.hr / 1000, input.depthText));
    appendSummaryBlocks(book, input, result, mode, n);
    appendLimitSummaryBlock(book, run, mode);
    appendBookClosing(book, timeText);
    return book;
}

BookLines formulaTwoBookLines(const PileInput& input, const FormulaTwoRun& run,
                              const std::string& rockClassName, RoundingMode mode, int n,
                              const std::string& timeText) {
    return bookTextLines(formulaTwoBook(input, run, rockClassName, mode, n, timeText));
}

}  // namespace pile
