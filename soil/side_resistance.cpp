// The side resistance of the soil layers along the pile, layer by layer.
#include "soil/side_resistance.h"

#include "core/pile_input.h"
#include "soil/soil_messages.h"
#include "soil/soil_numbers.h"

namespace pile {

double SideResistanceResult::qskShown() const {
    if (layers.empty()) return 0;
    return ParseLenient(layers.back().cells[side_col::kResistanceSum]);
}

SideResistanceResult ComputeSideResistance(const SideResistanceInput& input) {
    using detail::cellText;
    SideResistanceResult result;
    const auto raise = [&result](std::string text) {
        result.messages.push_back(text);
        result.message = std::move(text);
        result.messageColour = TextColour::Red;
    };

    const double mu = detail::perimeterMetres(input.pile);
    result.perimeter = mu;

    double sum = 0;
    double magnitude = 0;  // sum of |Qsik|, the scale of the rounding noise in sum
    result.layers.reserve(input.layers.size());
    for (std::size_t i = 0; i < input.layers.size(); ++i) {
        const SideLayer& layer = input.layers[i];
        const std::string k = std::to_string(i + 1);
        SideLayerResult row;
        row.cells[side_col::kNumber] = k;
        row.cells[side_col::kThickness] = layer.thickness;
        row.cells[side_col::kQsik] = layer.qsik;

        row.thickness = detail::readSoilNumber(layer.thickness);
        row.qsik = detail::readSoilNumber(layer.qsik);
        if (row.thickness < 0) raise(layerThicknessError(i + 1));
        if (row.qsik < 0) {
            raise(layerSideResistanceError(i + 1));
            result.revealInputMessageLabel = true;
        }
        row.Qsik = mu * row.thickness * row.qsik;
        sum += row.Qsik;
        magnitude += std::abs(row.Qsik);
        row.QsikSum = sum;

        row.cells[side_col::kPerimeter] = cellText(mu);
        row.cells[side_col::kResistance] = cellText(row.Qsik);
        row.cells[side_col::kResistanceSum] = cellText(row.QsikSum);
        result.layers.push_back(std::move(row));
    }
    // Layers that cancel (possible only with a negative entry, which is reported) leave a
    // residue of rounding noise, not a resistance: the total is zero, and so is every share,
    // instead of shares of 10^17 percent.
    result.Qsk = std::abs(sum) <= 1e-12 * magnitude ? 0.0 : sum;

    detail::writeShares(result.layers, result.Qsk, side_col::kResistance, side_col::kShare,
                        side_col::kShareBar);

    result.qskLabel = "Qsk=" + cellText(result.Qsk) + "kN";
    return result;
}

}  // namespace pile
