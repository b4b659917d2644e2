// The input screen of the formula-two window.
#include "app/model/formula_two_input_screen.h"

#include <array>

#include "core/sections.h"
#include "soil/soil_numbers.h"

namespace pile {

FormulaTwoInputScreen::FormulaTwoInputScreen(Host& host, NegativeFrictionScreen& drag,
                                             SideResistanceScreen& side)
    : InputScreen(host), m_drag(drag), m_side(side) {
    gpb_tuchengchanshu.setText("土层参数");
    ckb_fumozhuli.setText("考虑桩周土负摩阻力");
    cbt_fumozhuli.setText("负摩阻力");
    cbt_fumozhuli.setEnabled(false);
    ckb_zhengmozhuli.setText("考虑桩周土体侧阻力");
    cbt_zhengmozhuli.setText("土侧阻力");
    cbt_zhengmozhuli.setEnabled(false);

    lb_Qgn.setText("单桩下拉荷载标准值 Qgn(kN)");
    lb_Nkxianzhi.setText("竖向荷载标准值限值 [Nk](kN)");
    lb_Nxianzhi.setText("竖向荷载设计值限值 [N] (kN)");
    for (Edit* e : {&edt_Qgn, &edt_Nkxianzhi, &edt_Nxianzhi}) e->setReadOnly(true);
    edt_Qgn.setTextColour(TextColour::Green);
    edt_Nkxianzhi.setTextColour(TextColour::OrangeRed);
    edt_Nxianzhi.setTextColour(TextColour::OrangeRed);
    lb_Hezaixianzhigongshi.setText("竖向荷载限值: [Nk]=Min(Ra,1.5Ra-Qgn) [N]=Rc-1.2Qgn");

    ckb_fumozhuli.onChange([this] { ckb_fumozhuliChange(); });
    ckb_zhengmozhuli.onChange([this] { ckb_zhengmozhuliChange(); });
}

// ---- Soil switches ---------------------------------------------------------------------

void FormulaTwoInputScreen::ckb_fumozhuliChange() {
    cbt_fumozhuli.setEnabled(ckb_fumozhuli.checked());
    dragLayersLeft();
}

void FormulaTwoInputScreen::ckb_zhengmozhuliChange() {
    cbt_zhengmozhuli.setEnabled(ckb_zhengmozhuli.checked());
    sideLayersLeft();
}

void FormulaTwoInputScreen::clearResultFields() {
    InputScreen::clearResultFields();
    edt_Qgn.setText("");
    edt_Nkxianzhi.setText("");
    edt_Nxianzhi.setText("");
}

void FormulaTwoInputScreen::dragLayersLeft() {
    edt_Qgn.setText("");
    edt_Nkxianzhi.setText("");
    edt_Nxianzhi.setText("");
    enterNotComputedState();
}

void FormulaTwoInputScreen::sideLayersLeft() {
    edt_ra.setText("");
    edt_Nkxianzhi.setText("");
    enterNotComputedState();
}

FormulaTwoSoil FormulaTwoInputScreen::soil() const {
    FormulaTwoSoil s;
    s.dragLoad = ckb_fumozhuli.checked();
    s.sideResistance = ckb_zhengmozhuli.checked();
    s.drag = m_drag.input();
    s.side = m_side.input();
    return s;
}

// ---- Results -------------------------------------------------------------------------

void FormulaTwoInputScreen::clearDependentResults(InputChange change) {
    InputScreen::clearDependentResults(change);
    switch (change) {
        case InputChange::Section:
        case InputChange::Size:
            edt_Qgn.setText("");
            edt_Nkxianzhi.setText("");
            edt_Nxianzhi.setText("");
            // The perimeter changes: both soil results are stale. A switch to a section with
            // a second size (the ellipse, the rectangle) leaves their labels as they are.
            m_drag.cbt_FmzlComputer.setEnabled(true);
            m_side.cbt_ZmzlComputer.setEnabled(true);
            if (change == InputChange::Size || !HasSecondSize(section())) {
                m_drag.lb_FQgn.setText("");
                m_side.lb_Qsk.setText("");
            }
            break;
        case InputChange::Process:
            edt_Nkxianzhi.setText("");
            edt_Nxianzhi.setText("");
            break;
        case InputChange::Grade:
            edt_Nxianzhi.setText("");
            break;
        case InputChange::DepthOrRock:
        case InputChange::RockMode:
            edt_Nkxianzhi.setText("");
            break;
    }
}

const FormulaTwoLayers& FormulaTwoInputScreen::soilLayers() {
    const bool drag = ckb_fumozhuli.checked();
    const bool side = ckb_zhengmozhuli.checked();
    // The revisions of every control the soil texts are in: while none has grown, the texts
    // are those compared last.
    const std::array<std::uint64_t, 5> revisions{
        m_drag.cbe_Junbuhezai.revision(), m_drag.edt_Dimianbiaogao.revision(),
        m_drag.edt_Zhuangdingbiaogao.revision(), m_drag.Grid1_Fumozhulijisuan.textRevision(),
        m_side.Grid1_Zhengmozhulijisuan.textRevision()};
    if (m_layers && m_layersSoil.dragLoad == drag && m_layersSoil.sideResistance == side &&
        revisions == m_layersRevisions)
        return *m_layers;
    if (!m_layers || m_layersSoil.dragLoad != drag || m_layersSoil.sideResistance != side ||
        (drag && !m_drag.holdsInput(m_layersSoil.drag)) ||
        (side && !m_side.holdsInput(m_layersSoil.side))) {
        m_layersSoil = soil();
        m_layers = std::make_shared<const FormulaTwoLayers>(computeFormulaTwoLayers(m_layersSoil));
        ++m_layersGeneration;
    }
    m_layersRevisions = revisions;
    return *m_layers;
}

std::variant<PileResult, Rejection> FormulaTwoInputScreen::computePile(const PileInput& input) {
    std::variant<PileResult, Rejection> computed = InputScreen::computePile(input);
    const auto* pile = std::get_if<PileResult>(&computed);
    if (!pile) return computed;

    // The soil calculations run for the pile as the screen now holds it (a rectangle's sides
    // ordered), and show their results on their screens as their own Compute would. What
    // depends on the layers alone is computed once for as long as they stay as they are.
    const FormulaTwoLayers& layers = soilLayers();
    PerimeterTerms& t = m_terms;
    const SectionType sectionType = this->section();
    if (!t.valid || t.generation != m_layersGeneration || t.section != sectionType ||
        t.dd != cbe_dd.text() || t.tyzd != cbe_tyzd.text()) {
        t.valid = true;
        t.generation = m_layersGeneration;
        t.section = sectionType;
        t.dd = cbe_dd.text();
        t.tyzd = cbe_tyzd.text();
        t.mu = detail::perimeterMetres(PileSection{sectionType, t.dd, t.tyzd});
        t.qskShown.reset();
        t.qgnShown.reset();
        if (layers.side) {
            const SideResistanceSums sums = SideResistanceTotal(*layers.side, t.mu);
            t.qsk = sums.qsk;
            t.qskShown = layers.side->layers.empty() ? 0.0 : detail::shownValue(sums.lastRow);
        }
        if (layers.drag) {
            t.qgn = DragLoadTotal(*layers.drag, t.mu);
            t.qgnShown = detail::shownValue(t.qgn);
        }
    }
    const double mu = t.mu;
    if (layers.side) m_side.showLayers(*layers.side, m_layersGeneration, mu, t.qsk);
    if (layers.drag) m_drag.showLayers(*layers.drag, m_layersGeneration, mu, t.qgn);
    const std::optional<double> qskShown = t.qskShown;
    const std::optional<double> qgnShown = t.qgnShown;
    // Layers their screen reports as wrong refuse the pile; the screen shows why. The soil
    // checks run after the pile's own, side before drag: those that passed unmark their
    // button, as a passing field check turns its field black.
    const Rejection* refusal = layers.refusal ? &*layers.refusal : nullptr;
    if (!refusal || refusal->field != "side") cbt_zhengmozhuli.setTextColour(TextColour::Black);
    if (!refusal) cbt_fumozhuli.setTextColour(TextColour::Black);
    if (refusal) return *refusal;

    const RoundingMode mode = roundingMode();
    applySoilTerms(*pile, qskShown, layers.side && layers.side->revealInputMessageLabel, qgnShown,
                   mode, m_result);
    m_computed = true;
    m_lastFormulaOne = *pile;
    m_lastLayers = m_layers;
    m_lastPerimeter = mu;
    m_lastMode = mode;
    m_lastRunMade = false;
    return m_result.pile;
}

const std::optional<FormulaTwoRun>& FormulaTwoInputScreen::lastRun() const {
    if (m_computed && !m_lastRunMade) {
        m_lastRun =
            completeFormulaTwo(m_lastFormulaOne, *m_lastLayers, m_lastPerimeter, m_lastMode);
        m_lastRunMade = true;
    }
    return m_lastRun;
}

void FormulaTwoInputScreen::showResults(const PileInput& input, const PileResult& result) {
    InputScreen::showResults(input, result);
    const FormulaTwoResult& r = m_result;
    edt_Qgn.setText(r.qgnText);
    edt_Nkxianzhi.setText(r.nkLimitText);
    edt_Nkxianzhi.setTextColour(r.nkLimitColour);
    edt_Nxianzhi.setText(r.nLimitText);
    edt_Nxianzhi.setTextColour(r.nLimitColour);
    // The limit check has the last word in the message strip: its message in red, or an empty
    // label in black (which also takes away the rock class formula one shows there).
    if (r.revealMessageLabel) {
        img_Logo.setVisible(false);
        lb_shuoming.setVisible(true);
    }
    lb_shuoming.setTextColour(r.messageColour);
    lb_shuoming.setText(r.message);
}

Control* FormulaTwoInputScreen::fieldControl(const std::string& field) {
    if (field == "drag") return &cbt_fumozhuli;
    if (field == "side") return &cbt_zhengmozhuli;
    return InputScreen::fieldControl(field);
}

}  // namespace pile
