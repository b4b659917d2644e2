// libFuzzer target: soil tables of up to 20 layers of arbitrary texts through both soil
// calculations, as their screens' Compute buttons run them. Checks: every result cell, label and
// message free of "inf", "nan" and "-0"; every number finite; the totals the sums of the layers;
// and the refusal of a pile by its layers agrees with the layers' own numbers.
//
// Input: three control bytes (drag layers, side layers, section), then texts separated by '\n':
// the pile's two sizes, p, Eg, Ep, the drag layers' Ei, gamma, xi, qsik, the side layers' li,
// qsik.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/sections.h"
#include "fuzz/fuzz_checks.h"
#include "soil/drag_load.h"
#include "soil/formula_two.h"
#include "soil/side_resistance.h"

namespace {

using pile::fuzz::check;
using pile::fuzz::checkText;

// Equal up to the rounding noise of a sum whose terms add up to `magnitude` in absolute value
// (a total that cancels to noise is shown as 0).
bool close(double a, double b, double magnitude) {
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b), magnitude});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 3;
    if (size < kHeader) return 0;
    pile::fuzz::Texts texts(data, size, kHeader);
    const auto text = [&texts] { return texts.next(); };

    pile::PileSection section;
    section.section = static_cast<pile::SectionType>(data[2] % pile::kSectionCount);
    section.dd = text();
    section.tyzd = text();

    pile::DragLoadInput drag;
    drag.pile = section;
    drag.p = text();
    drag.eg = text();
    drag.ep = text();
    drag.layers.assign(1 + data[0] % 20, pile::SoilLayer::blank());
    for (pile::SoilLayer& layer : drag.layers) {
        layer.bottom = text();
        layer.unitWeight = text();
        layer.xi = text();
        layer.qsik = text();
    }
    pile::SideResistanceInput side;
    side.pile = section;
    side.layers.assign(1 + data[1] % 20, pile::SideLayer{});
    for (pile::SideLayer& layer : side.layers) {
        layer.thickness = text();
        layer.qsik = text();
    }

    const pile::DragLoadResult d = pile::ComputeDragLoad(drag);
    checkText(d.qgnLabel);
    for (const std::string& m : d.messages) checkText(m);
    check(std::isfinite(d.Qgn) && std::isfinite(d.qgnShown()), "Qgn is not finite");
    double dragSum = 0, dragMagnitude = 0;
    for (const auto& layer : d.layers) {
        for (std::size_t c = 6; c < layer.cells.size(); ++c) checkText(layer.cells[c]);
        check(std::isfinite(layer.Qgin), "a layer's Qgin is not finite");
        dragSum += layer.Qgin;
        dragMagnitude += std::fabs(layer.Qgin);
    }
    check(close(d.Qgn, dragSum, dragMagnitude), "Qgn is not the sum of the layers");

    const pile::SideResistanceResult s = pile::ComputeSideResistance(side);
    checkText(s.qskLabel);
    for (const std::string& m : s.messages) checkText(m);
    double sideSum = 0, sideMagnitude = 0;
    for (const auto& layer : s.layers) {
        for (std::size_t c = 3; c < layer.cells.size(); ++c) checkText(layer.cells[c]);
        check(std::isfinite(layer.Qsik), "a layer's Qsik is not finite");
        sideSum += layer.Qsik;
        sideMagnitude += std::fabs(layer.Qsik);
        check(close(layer.QsikSum, sideSum, sideMagnitude),
              "a running sum is not the sum above it");
    }
    check(close(s.Qsk, sideSum, sideMagnitude), "Qsk is not the sum of the layers");

    // A text that is not a number computes nothing: the result cells stay empty.
    for (const auto& layer : d.layers)
        if (!d.inputError.empty())
            for (std::size_t c = 6; c < layer.cells.size(); ++c)
                check(layer.cells[c].empty(), "a refused drag text left a result");
    for (const auto& layer : s.layers)
        if (!s.inputError.empty())
            for (std::size_t c = 3; c < layer.cells.size(); ++c)
                check(layer.cells[c].empty(), "a refused side text left a result");

    // A pile is refused by exactly the texts and layers that report themselves wrong.
    bool sideWrong = !s.inputError.empty();
    for (const auto& layer : s.layers)
        sideWrong = sideWrong || layer.thickness < 0 || layer.qsik < 0;
    bool dragWrong = !d.inputError.empty();
    double top = d.eg;
    for (const auto& layer : d.layers) {
        dragWrong = dragWrong || layer.bottom > top;
        top = layer.bottom;
    }
    const auto refusal = pile::soilLayerRefusal(&s, &d);
    check(refusal.has_value() == (sideWrong || dragWrong), "the refusal disagrees with the layers");
    if (refusal)
        check(refusal->field == (sideWrong ? "side" : "drag"),
              "the refusal blames the wrong screen");
    return 0;
}
