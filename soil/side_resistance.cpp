// The side resistance of the soil layers along the pile, layer by layer.
#include "soil/side_resistance.h"

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "core/pile_input.h"
#include "soil/soil_messages.h"
#include "soil/soil_numbers.h"

namespace pile {

double SideResistanceResult::qskShown() const {
    if (layers.empty()) return 0;
    return ParseLenient(layers.back().cells[side_col::kResistanceSum]);
}

namespace {

// The result of layers with a text that is not a number: the typed cells and the message.
void refuseText(SideResistanceResult& result, const SideResistanceInput& input,
                std::string message) {
    for (std::size_t i = 0; i < input.layers.size(); ++i) {
        SideLayerResult row;
        row.cells[side_col::kNumber] = std::to_string(i + 1);
        row.cells[side_col::kThickness] = input.layers[i].thickness;
        row.cells[side_col::kQsik] = input.layers[i].qsik;
        result.layers.push_back(std::move(row));
    }
    result.messages.push_back(message);
    result.message = message;
    result.messageColour = TextColour::Red;
    result.inputError = std::move(message);
}

}  // namespace

SideResistanceResult ComputeSideResistanceLayers(const SideResistanceInput& input) {
    SideResistanceResult result;
    const auto raise = [&result](std::string text) {
        result.messages.push_back(text);
        result.message = std::move(text);
        result.messageColour = TextColour::Red;
    };

    // Every text is read before anything is computed: a text that is not a number leaves the
    // results empty, with its message.
    std::vector<std::pair<double, double>> values;
    values.reserve(input.layers.size());
    for (std::size_t i = 0; i < input.layers.size(); ++i) {
        const SideLayer& layer = input.layers[i];
        const std::optional<double> li = detail::readSoilNumber(layer.thickness);
        const std::optional<double> qsik = detail::readSoilNumber(layer.qsik);
        if (!li || !qsik) {
            refuseText(result, input,
                       li ? layerSideResistanceError(i + 1) : layerThicknessError(i + 1));
            return result;
        }
        values.emplace_back(*li, *qsik);
    }

    result.layers.reserve(input.layers.size());
    for (std::size_t i = 0; i < input.layers.size(); ++i) {
        const SideLayer& layer = input.layers[i];
        SideLayerResult row;
        row.cells[side_col::kNumber] = std::to_string(i + 1);
        row.cells[side_col::kThickness] = layer.thickness;
        row.cells[side_col::kQsik] = layer.qsik;

        row.thickness = values[i].first;
        row.qsik = values[i].second;
        if (row.thickness < 0) raise(layerThicknessError(i + 1));
        if (row.qsik < 0) {
            raise(layerSideResistanceError(i + 1));
            result.revealInputMessageLabel = true;
        }
        result.layers.push_back(std::move(row));
    }
    return result;
}

SideResistanceSums SideResistanceTotal(const SideResistanceResult& layers, double mu) {
    double sum = 0;
    double magnitude = 0;  // sum of |Qsik|, the scale of the rounding noise in sum
    for (const SideLayerResult& row : layers.layers) {
        const double q = mu * row.thickness * row.qsik;
        sum += q;
        magnitude += std::abs(q);
    }
    // Layers that cancel (possible only with a negative entry, which is reported) leave a
    // residue of rounding noise, not a resistance: the total is zero, and so is every share,
    // instead of shares of 10^17 percent.
    return {sum, std::abs(sum) <= 1e-12 * magnitude ? 0.0 : sum};
}

void ApplySidePerimeter(SideResistanceResult& result, double mu) {
    using detail::cellText;
    if (!result.inputError.empty()) return;
    result.perimeter = mu;
    double sum = 0;
    for (SideLayerResult& row : result.layers) {
        row.Qsik = mu * row.thickness * row.qsik;
        sum += row.Qsik;
        row.QsikSum = sum;
        row.cells[side_col::kPerimeter] = cellText(mu);
        row.cells[side_col::kResistance] = cellText(row.Qsik);
        row.cells[side_col::kResistanceSum] = cellText(row.QsikSum);
    }
    result.Qsk = SideResistanceTotal(result, mu).qsk;

    detail::writeShares(result.layers, result.Qsk, side_col::kResistance, side_col::kShare,
                        side_col::kShareBar);

    result.qskLabel = SideResistanceLabel(result.Qsk);
}

std::string SideResistanceLabel(double qsk) { return "Qsk=" + detail::cellText(qsk) + "kN"; }

SideResistanceResult ComputeSideResistance(const SideResistanceInput& input) {
    SideResistanceResult result = ComputeSideResistanceLayers(input);
    ApplySidePerimeter(result, detail::perimeterMetres(input.pile));
    return result;
}

}  // namespace pile
