// The walk down the layers of the negative-skin-friction grid: stresses, the capped friction
// diagram of each layer, the layer loads Qgin and the down-drag load Qgn.
#include "soil/drag_load.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/number_format.h"
#include "soil/soil_messages.h"
#include "soil/soil_numbers.h"

namespace pile {

namespace {

using detail::cellText;

constexpr const char* kRemarkPileTop = "本层有桩";
constexpr const char* kRemarkNoPile = "本层无桩";

// Collects the messages of one run; the label shows the last one raised, in red.
struct MessageLog {
    DragLoadResult& result;
    void raise(std::string text) {
        result.messages.push_back(text);
        result.message = std::move(text);
        result.messageColour = TextColour::Red;
    }
};

// The friction diagram over the pile-side part [0, li] of a layer: friction qsinpu at its top
// growing linearly to qsinpd at its bottom, capped at qsik. Sets the used values, the maximum
// and its depth y0 below the top of the pile-side part, the mean, and the shape.
struct Diagram {
    double usedTop = 0, usedBottom = 0, max = 0, depth = 0, mean = 0;
    StressShape shape = StressShape::None;
};

Diagram frictionDiagram(double qsinpu, double qsinpd, double qsik, double li) {
    // The cases are told apart on the 15-digit decimals of the three frictions, so that a qsik
    // typed equal to the friction at the top or the bottom is the tie of the standard's
    // diagram whatever the last binary digit of xi*sigma: qsik = qsinpu is the rectangle,
    // qsik = qsinpd the capped case with y0 = li (a trapezoid or triangle, no rectangle part).
    const double top = FifteenDigits(qsinpu);
    const double bottom = FifteenDigits(qsinpd);
    const double cap = FifteenDigits(qsik);
    Diagram d;
    if (cap <= top) {
        // The cap is reached at the top already.
        d.usedTop = d.usedBottom = d.max = d.mean = qsik;
        d.depth = 0;
        d.shape = StressShape::Rectangle;
    } else if (cap > bottom) {
        // Never capped.
        d.usedTop = qsinpu;
        d.usedBottom = d.max = qsinpd;
        d.depth = li;
        d.mean = (qsinpu + qsinpd) / 2;
        d.shape = qsinpu > 0 ? StressShape::Trapezoid : StressShape::Triangle;
    } else {
        // Capped below y0, where the friction growing by xi*gamma per metre reaches qsik:
        // y0 = (qsik - qsinpu)/(xi*gamma). Written as the fraction of li that the growth
        // qsinpd - qsinpu (= xi*gamma*li > 0 in this branch) takes to reach qsik, so that the
        // tie qsik = qsinpd gives y0 = li exactly and nothing is divided by a vanishing
        // product. Taking 15 digits is monotonic, so qsinpu < qsik holds for the doubles too,
        // and so does qsik < qsinpd short of the tie: 0 < r <= 1 and 0 < y0 <= li.
        const double r = cap == bottom ? 1.0 : (qsik - qsinpu) / (qsinpd - qsinpu);
        const double y0 = li * r;
        d.usedTop = qsinpu;
        d.usedBottom = d.max = qsik;
        d.depth = y0;
        // Mean over li of the trapezoid up to y0 and the rectangle below it:
        // (y0*(qsinpu + qsik)/2 + qsik*(li - y0))/li.
        d.mean = r * (qsinpu + qsik) / 2 + (1 - r) * qsik;
        const bool rectangleBelow = li - y0 > 0;
        if (qsinpu > 0) {
            d.shape = rectangleBelow ? StressShape::TrapezoidRectangle : StressShape::Trapezoid;
        } else {
            d.shape = rectangleBelow ? StressShape::TriangleRectangle : StressShape::Triangle;
        }
    }
    return d;
}

void writeInputCells(DragLoadLayerResult& row, const SoilLayer& layer, int number) {
    using namespace drag_col;
    row.cells[kNumber] = std::to_string(number);
    row.cells[kName] = layer.name;
    row.cells[kBottom] = layer.bottom;
    row.cells[kUnitWeight] = layer.unitWeight;
    row.cells[kXi] = layer.xi;
    row.cells[kQsik] = layer.qsik;
}

void writeResultCells(DragLoadLayerResult& row) {
    using namespace drag_col;
    auto& c = row.cells;
    c[kThickness] = cellText(row.thickness);
    c[kSigmaTop] = cellText(row.sigmaTop);
    c[kSigmaSelf] = cellText(row.sigmaSelf);
    c[kSigmaBottom] = cellText(row.sigmaBottom);
    c[kSigmaMean] = cellText(row.sigmaMean);
    if (row.state == LayerPileState::NoPile) {
        // Whole strings, not literals: GCC 12 at -O3 warns falsely (-Wrestrict) on assigning
        // short literals here.
        const std::string zero = "0.00", dash = "-";
        c[kPileSide] = zero;
        for (int i = kPileSigmaTop; i <= kQsinMean; ++i) c[i] = dash;
        c[kQgin] = zero;
        c[kQginSum] = zero;
        c[kShape] = dash;
        c[kRemark] = std::string(kRemarkNoPile);
        return;
    }
    c[kPileSide] = cellText(row.pileSide);
    c[kPileSigmaTop] = cellText(row.pileSigmaTop);
    c[kPileSigmaSelf] = cellText(row.pileSigmaSelf);
    c[kPileSigmaBottom] = cellText(row.pileSigmaBottom);
    c[kPileSigmaMean] = cellText(row.pileSigmaMean);
    c[kQsinTop] = cellText(row.qsinTop);
    c[kQsinBottom] = cellText(row.qsinBottom);
    c[kUsedQsinTop] = cellText(row.usedQsinTop);
    c[kUsedQsinBottom] = cellText(row.usedQsinBottom);
    c[kQsinMax] = cellText(row.qsinMax);
    c[kQsinMaxDepth] = cellText(row.qsinMaxDepth);
    c[kQsinMean] = cellText(row.qsinMean);
    c[kShape] = stressShapeText(row.shape);
    c[kRemark] = row.state == LayerPileState::PileTopInLayer ? kRemarkPileTop : "";
}

// Reads p, Eg and Ep into the result and the layer texts into values, in the order the
// screen is filled. Returns the message of the first text that is not a number.
std::optional<std::string> readTexts(const DragLoadInput& input, DragLoadResult& result,
                                     std::vector<std::array<double, 4>>& values) {
    using detail::readSoilNumber;
    const struct {
        const std::string& text;
        double& value;
        const char* error;
    } heads[] = {{input.p, result.pEntered, kSurfaceLoadTextError},
                 {input.eg, result.eg, kGroundElevationTextError},
                 {input.ep, result.ep, kPileTopElevationTextError}};
    for (const auto& head : heads) {
        const std::optional<double> x = readSoilNumber(head.text);
        if (!x) return head.error;
        head.value = *x;
    }
    values.reserve(input.layers.size());
    for (std::size_t i = 0; i < input.layers.size(); ++i) {
        const SoilLayer& layer = input.layers[i];
        using Error = std::string (*)(std::size_t);
        const std::pair<const std::string*, Error> cells[] = {
            {&layer.bottom, layerBottomTextError},
            {&layer.unitWeight, layerUnitWeightTextError},
            {&layer.xi, layerXiTextError},
            {&layer.qsik, layerDragQsikTextError}};
        std::array<double, 4>& row = values.emplace_back();
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::optional<double> x = readSoilNumber(*cells[c].first);
            if (!x) return cells[c].second(i + 1);
            row[c] = *x;
        }
    }
    return std::nullopt;
}

// The result of a screen with a text that is not a number: the typed cells and the message.
void refuseText(DragLoadResult& result, const DragLoadInput& input, std::string message) {
    result = DragLoadResult{};
    for (std::size_t i = 0; i < input.layers.size(); ++i) {
        DragLoadLayerResult row;
        writeInputCells(row, input.layers[i], static_cast<int>(i + 1));
        result.layers.push_back(std::move(row));
    }
    result.messages.push_back(message);
    result.message = message;
    result.messageColour = TextColour::Red;
    result.inputError = std::move(message);
}

}  // namespace

const char* stressShapeText(StressShape shape) {
    switch (shape) {
        case StressShape::Rectangle:
            return "矩形";
        case StressShape::Trapezoid:
            return "梯形";
        case StressShape::Triangle:
            return "三角形";
        case StressShape::TrapezoidRectangle:
            return "梯形+矩形";
        case StressShape::TriangleRectangle:
            return "三角形+矩形";
        case StressShape::None:
            break;
    }
    return "-";
}

double DragLoadResult::qgnShown() const { return detail::shownValue(Qgn); }

DragLoadResult ComputeDragLoadLayers(const DragLoadInput& input) {
    DragLoadResult result;
    MessageLog log{result};

    // Every text is read before anything is computed: a text that is not a number leaves the
    // results empty, with its message.
    std::vector<std::array<double, 4>> values;  // Ei, gamma_i, xi_ni, qsik of each layer
    const std::optional<std::string> textError = readTexts(input, result, values);
    if (textError) {
        refuseText(result, input, *textError);
        return result;
    }
    const double eg = result.eg;
    const double ep = result.ep;

    // A pile top standing above the ground surface runs along the first layer from its top.
    LayerPileState state = eg < ep ? LayerPileState::WholeLayer : LayerPileState::NoPile;

    double p = result.pEntered;
    if (p < 0) {
        p = 0;
        log.raise("地面大面积荷载p<0,取0计算");
        result.surfaceLoadColour = TextColour::Red;
    }
    result.pUsed = p;

    double sigmaTop = p;  // effective stress at the top of the current layer, kPa
    double top = eg;      // elevation of the top of the current layer, m

    result.layers.reserve(input.layers.size());
    for (std::size_t i = 0; i < input.layers.size(); ++i) {
        const SoilLayer& layer = input.layers[i];
        const std::string n = std::to_string(i + 1);
        DragLoadLayerResult row;
        writeInputCells(row, layer, static_cast<int>(i + 1));

        const double bottom = values[i][0];
        double gamma = values[i][1];
        double xi = values[i][2];
        double qsik = values[i][3];

        const double dz = std::max(top - bottom, 0.0);
        double li = ep - bottom;  // from the pile top down to the layer bottom
        if (!(dz > 0)) {
            li = 0;
            log.raise(layerBottomAboveError(i + 1));
        }
        if (gamma < 0) {
            gamma = 0;
            log.raise("第" + n + "层土重度小于0,取0计算");
        }
        if (xi < 0) {
            xi = 0;
            log.raise("第" + n + "层土负摩阻力系数小于0,取0计算");
        } else if (xi > 1) {
            log.raise("请注意第" + n + "层土负摩阻力系数的合理性");
        }
        if (qsik < 0) {
            qsik = 0;
            log.raise("第" + n + "层土侧阻力值小于0,取0计算");
        }
        row.bottom = bottom;
        row.unitWeight = gamma;
        row.xi = xi;
        row.qsik = qsik;

        // Self-weight stress through the whole layer.
        row.thickness = dz;
        row.sigmaSelf = gamma * dz;
        row.sigmaTop = sigmaTop;
        row.sigmaBottom = row.sigmaTop + row.sigmaSelf;
        row.sigmaMean = (row.sigmaTop + row.sigmaBottom) / 2;

        if (li > 0) {
            if (state == LayerPileState::NoPile) state = LayerPileState::PileTopInLayer;
        } else {
            state = LayerPileState::NoPile;
        }
        row.state = state;

        if (state != LayerPileState::NoPile) {
            double offset = 0;  // depth of the pile-side part's top below the layer top
            if (state == LayerPileState::WholeLayer) {
                row.pileSide = dz;
                row.pileSigmaSelf = row.sigmaSelf;
                row.pileSigmaTop = row.sigmaTop;
                row.pileSigmaBottom = row.sigmaBottom;
                row.pileSigmaMean = row.sigmaMean;
            } else {
                // The pile-side part never exceeds the layer: after a layer whose bottom was
                // not below its top, the pile top may lie above this layer's top.
                li = std::min(li, dz);
                offset = dz - li;
                row.pileSide = li;
                row.pileSigmaSelf = gamma * li;
                row.pileSigmaTop = row.sigmaTop + gamma * offset;
                row.pileSigmaBottom = row.pileSigmaTop + row.pileSigmaSelf;
                row.pileSigmaMean = (row.pileSigmaTop + row.pileSigmaBottom) / 2;
                state = LayerPileState::WholeLayer;
            }
            row.qsinTop = xi * row.pileSigmaTop;
            row.qsinBottom = xi * row.pileSigmaBottom;

            const Diagram d = frictionDiagram(row.qsinTop, row.qsinBottom, qsik, row.pileSide);
            row.usedQsinTop = d.usedTop;
            row.usedQsinBottom = d.usedBottom;
            row.qsinMax = d.max;
            // y is measured from the layer top in every layer, so that the column means the
            // same in the pile-top layer as below it (kept within the layer against the
            // rounding of offset + depth).
            row.qsinMaxDepth = std::min(offset + d.depth, dz);
            row.qsinMean = d.mean;
            row.shape = d.shape;
        }

        sigmaTop = row.sigmaBottom;
        top = bottom;  // as read, even when it lay above the previous top
        writeResultCells(row);
        result.layers.push_back(std::move(row));
    }
    return result;
}

double DragLoadGin(const DragLoadLayerResult& layer, double mu) {
    return layer.state == LayerPileState::NoPile ? 0.0 : mu * layer.pileSide * layer.qsinMean;
}

double DragLoadTotal(const DragLoadResult& layers, double mu) {
    double sum = 0;
    for (const DragLoadLayerResult& row : layers.layers) sum += DragLoadGin(row, mu);
    return sum;
}

void ApplyDragPerimeter(DragLoadResult& result, double mu) {
    if (!result.inputError.empty()) return;
    using namespace drag_col;
    result.perimeter = mu;
    double sum = 0;
    for (DragLoadLayerResult& row : result.layers) {
        row.perimeter = mu;
        row.Qgin = DragLoadGin(row, mu);
        sum += row.Qgin;
        row.QginSum = sum;
        row.cells[kPerimeter] = cellText(mu);
        if (row.state != LayerPileState::NoPile) {
            row.cells[kQgin] = cellText(row.Qgin);
            row.cells[kQginSum] = cellText(row.QginSum);
        }
    }
    result.Qgn = sum;

    detail::writeShares(result.layers, result.Qgn, kQgin, kShare, kShareBar);

    result.qgnLabel = DragLoadLabel(result.Qgn);
}

std::string DragLoadLabel(double qgn) { return "Qgn=" + cellText(qgn) + "kN"; }

DragLoadResult ComputeDragLoad(const DragLoadInput& input) {
    DragLoadResult result = ComputeDragLoadLayers(input);
    ApplyDragPerimeter(result, detail::perimeterMetres(input.pile));
    return result;
}

}  // namespace pile
