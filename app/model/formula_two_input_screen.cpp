// The input screen of the formula-two window.
#include "app/model/formula_two_input_screen.h"

#include "core/sections.h"

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

std::variant<PileResult, Rejection> FormulaTwoInputScreen::computePile(const PileInput& input) {
    std::variant<PileResult, Rejection> computed = InputScreen::computePile(input);
    const auto* pile = std::get_if<PileResult>(&computed);
    if (!pile) return computed;

    // The soil calculations run for the pile as the screen now holds it (a rectangle's sides
    // ordered), and show their results on their screens as their own Compute would.
    const PileSection section{this->section(), cbe_dd.text(), cbe_tyzd.text()};
    FormulaTwoRun run = computeFormulaTwo(*pile, section, soil(), roundingMode());
    if (run.side) m_side.showResult(*run.side);
    if (run.drag) m_drag.showResult(*run.drag);
    // Layers their screen reports as wrong refuse the pile; the screen shows why. The soil
    // checks run after the pile's own, side before drag: those that passed unmark their
    // button, as a passing field check turns its field black.
    const std::string refused = run.refusal ? run.refusal->field : std::string();
    if (refused != "side") cbt_zhengmozhuli.setTextColour(TextColour::Black);
    if (refused.empty()) cbt_fumozhuli.setTextColour(TextColour::Black);
    if (run.refusal) return *run.refusal;
    m_lastRun = std::move(run);
    return m_lastRun->result.pile;
}

void FormulaTwoInputScreen::showResults(const PileInput& input, const PileResult& result) {
    InputScreen::showResults(input, result);
    const FormulaTwoResult& r = m_lastRun->result;
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
