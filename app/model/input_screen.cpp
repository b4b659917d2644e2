// The input screen of a calculator window.
#include "app/model/input_screen.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "core/design_tables.h"
#include "core/sections.h"

namespace pile {

namespace {

// Texts of the screen.
constexpr const char* kKesairZeta = "嵌岩段侧阻和端阻综合系数 ζr";
constexpr const char* kKesairCoef = "考虑嵌固力影响后承载力系数";
constexpr const char* kClauseAll = "单桩竖向承载力计算依据: 第 5.3.7、5.3.8、5.3.9 条";
constexpr const char* kClause537 = "单桩竖向承载力计算依据: 第 5.3.7 条";
constexpr const char* kClause538 = "单桩竖向承载力计算依据: 第 5.3.8 条";
constexpr const char* kClause539 = "单桩竖向承载力计算依据: 第 5.3.9 条";
constexpr const char* kLabelDiameter = "桩  身   直   径      d (mm)";
constexpr const char* kLabelLongSide = "矩形长边尺寸      a (mm)";
constexpr const char* kLabelStraight = "椭圆直段长度      c (mm)";
constexpr const char* kLabelShortSide = "矩形短边尺寸      b (mm)";

// The live checks of the fields name a circle's diameter and an ellipse's straight length,
// whatever the section.
std::string liveCheckMessage(RefusalKind kind, RockStrengthMode mode = RockStrengthMode::Frk) {
    const SectionType section =
        kind == RefusalKind::Size ? SectionType::Circle : SectionType::Ellipse;
    return RefusePile(kind, section, mode).message;
}

// "first" to "last" in steps of 100 mm.
std::vector<std::string> sizeItems(int first, int last) {
    std::vector<std::string> items;
    for (int v = first; v <= last; v += 100) items.push_back(std::to_string(v));
    return items;
}

std::vector<std::string> sectionNames() {
    std::vector<std::string> names;
    for (const SectionDescription& s : kSections) names.emplace_back(s.name);
    return names;
}

// The item of `items` that is `text`, or -1.
int indexOf(const std::vector<std::string>& items, std::string_view text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

}  // namespace

InputScreen::InputScreen(Host& host) : m_host(host) {
    lb_cxm.setText("嵌岩桩承载力计算");
    cbt_CopyRight.setText("©");
    cbt_CopyRight.setHint("版权信息");
    lb_shuoming.setVisible(false);

    gpb_jzcs.setText("基桩参数");
    lb_jmlx.setText("桩身截面类型");
    const InputTexts defaults;  // a new window's pile
    cbb_jmlx.setItems(sectionNames(), static_cast<int>(defaults.section));
    lb_dd.setText(kLabelDiameter);
    const std::vector<std::string> sizes = sizeItems(1000, 2000);
    cbe_dd.setItems(sizes, indexOf(sizes, defaults.dd));
    lb_tyzd.setText(kLabelStraight);
    lb_tyzd.setEnabled(false);
    cbe_tyzd.setItems(sizes, -1);
    cbe_tyzd.setText(defaults.tyzd);
    cbe_tyzd.setEnabled(false);
    lb_hr.setText("桩身嵌岩深度      hr");
    const std::vector<std::string> depths = DepthItems(Describe(defaults.section));
    cbe_hr.setItems(depths, indexOf(depths, defaults.hr));
    lb_hnt.setText("桩身混凝土强度等级");
    cbb_hnt.setItems(GradeItems(), defaults.gradeIndex);
    lb_czgy.setText("基桩成桩工艺");
    cbb_czgy.setItems(ProcessItems(defaults.section, defaults.mode), defaults.process);

    gpb_jycs.setText("基岩参数");
    rdb_frk.setText("岩石单轴抗压强度     frk (MPa)");
    rdb_fuk.setText("桩端地基极限承载力 fuk (MPa)");
    RadioButton::group({&rdb_frk, &rdb_fuk});
    edt_frk.setText(defaults.frk);
    edt_fuk.setText(defaults.fuk);
    edt_fuk.setEnabled(false);
    ckb_ystj.setEnabled(false);
    lb_frk_ystj.setText(
        "桩中心距边坡水平距离大于边坡高度、位于斜坡上桩基嵌岩段桩边距斜坡边最小水平距离不小于5m");
    lb_frk_ystj.setEnabled(false);

    gpb_scjg.setText("计算结果");
    lb_tiaowen.setText(kClauseAll);
    lb_kesair.setText(kKesairZeta);
    lb_ra.setText("单桩竖向承载力特征值 Ra(kN)");
    lb_rc.setText("桩身正截面受压承载力 Rc(kN)");
    for (Edit* e : {&edt_kesair, &edt_ra, &edt_rc}) e->setReadOnly(true);
    cbt_JingDu.setText("≈");
    cbt_JingDu.setHint("调整精度");
    popbox_jingdu.setItems({"两位小数", "一位小数", "个位取整", "十位取整", "百位取整"},
                           static_cast<int>(RoundingMode::Units));
    popbox_jingdu.setVisible(false);

    cbt_compute.setText("计算");
    cbt_View.setText("结果");
    cbt_View.setVisible(false);
    cbt_YouHua.setText("★");
    cbt_YouHua.setHint("筛选优化");
    cbt_tuichu.setText("退出");

    // The defaults are in place; from here on every change of a value runs its handler.
    cbb_jmlx.onChange([this] { cbb_jmlxChange(); });
    rdb_frk.onChange([this] { rdb_frkChange(); });
    rdb_fuk.onChange([this] { rdb_fukChange(); });
    ckb_ystj.onChange([this] { ckb_ystjChange(); });
    cbe_dd.onChange([this] { cbe_ddChange(); });
    cbe_tyzd.onChange([this] { cbe_tyzdChange(); });
    cbe_hr.onChange([this] { cbe_hrChange(); });
    edt_frk.onChange([this] { edt_frkChange(); });
    edt_fuk.onChange([this] { edt_fukChange(); });
    cbb_hnt.onChange([this] { cbb_hntChange(); });
    cbb_czgy.onChange([this] { cbb_czgyChange(); });
    popbox_jingdu.onChange([this] { popbox_jingduChange(); });
}

// ---- Compute ---------------------------------------------------------------------------

void InputScreen::cbt_computeClick() {
    const SectionType sectionType = section();
    // A circle re-applies the rules of the current rock mode first.
    if (UsesCircleRules(sectionType)) rdb_fukChange();

    // Get the inputs. A rectangle's sides come back ordered; the fields show them so.
    InputTexts& texts = m_texts;
    readTexts(texts);
    const Rejection* refusedInput = m_reader.read(texts);
    cbe_dd.setText(texts.dd);
    cbe_tyzd.setText(texts.tyzd);

    // Check them; the rock parameter is checked with the computation.
    const RockStrengthMode mode = rockMode();
    if (refusedInput) {
        showRejection(*refusedInput, sectionType, mode);
        return;
    }
    const PileInput& input = m_reader.input();

    // Compute.
    std::variant<PileResult, Rejection> computed = computePile(input);
    if (const auto* refused = std::get_if<Rejection>(&computed)) {
        showRejection(*refused, sectionType, mode);
        return;
    }
    const PileResult& result = std::get<PileResult>(computed);
    markPassedChecks(nullptr, sectionType, mode);

    // Show the results, then record the pile in the books.
    showResults(input, result);
    m_host.pileComputed(input, result,
                        result.rockClass ? RockClassName(*result.rockClass) : std::string());
    popbox_jingdu.setVisible(false);
    enterComputedState();
}

std::variant<PileResult, Rejection> InputScreen::computePile(const PileInput& input) {
    return ComputePile(input);
}

void InputScreen::showResults(const PileInput& input, const PileResult& result) {
    if (input.mode == RockStrengthMode::Frk && result.rockClass) {
        img_Logo.setVisible(false);
        lb_shuoming.setVisible(true);
        lb_shuoming.setTextColour(TextColour::Black);
        lb_shuoming.setText(RockClassName(*result.rockClass));
    }
    const bool showsZeta = result.zetaR.has_value();
    lb_kesair.setText(showsZeta ? kKesairZeta : kKesairCoef);
    edt_kesair.setText(m_shownTexts.text(showsZeta ? *result.zetaR : result.coef.value_or(0),
                                         kKesairFormat,
                                         [](double x) { return ZetaText(x, ShownOn::Screen); }));
    const RoundingMode mode = roundingMode();
    edt_ra.setText(
        m_shownTexts.text(result.Ra, kRaFormat + static_cast<int>(mode),
                          [mode](double x) { return RaText(x, mode, ShownOn::Screen); }));
    edt_rc.setText(
        m_shownTexts.text(result.Rc, kRcFormat + static_cast<int>(mode),
                          [mode](double x) { return RcText(x, mode, ShownOn::Screen); }));
}

Control* InputScreen::fieldControl(const std::string& field) {
    if (field == "cbe_dd") return &cbe_dd;
    if (field == "cbe_tyzd") return &cbe_tyzd;
    if (field == "cbe_hr") return &cbe_hr;
    if (field == "edt_frk") return &edt_frk;
    if (field == "edt_fuk") return &edt_fuk;
    return nullptr;
}

void InputScreen::showRejection(const Rejection& rejection, SectionType section,
                                RockStrengthMode mode) {
    markPassedChecks(&rejection, section, mode);
    showFieldMessage(rejection.message, fieldControl(rejection.field));
    m_host.computationRejected(rejection);
}

// The checks of a computation in the order they run; those before the refused one passed and
// turn their field black again.
void InputScreen::markPassedChecks(const Rejection* rejection, SectionType section,
                                   RockStrengthMode mode) {
    struct Check {
        Control* field;
        bool ratio;
    };
    const bool secondSize = HasSecondSize(section);
    std::array<Check, 5> checks{};
    size_t count = 0;
    checks[count++] = {&cbe_dd, false};
    if (secondSize) checks[count++] = {&cbe_tyzd, false};
    checks[count++] = {&cbe_hr, false};
    if (secondSize) checks[count++] = {&cbe_tyzd, true};
    checks[count++] = {mode == RockStrengthMode::Frk ? static_cast<Control*>(&edt_frk) : &edt_fuk,
                       false};

    const Control* refusedField = rejection ? fieldControl(rejection->field) : nullptr;
    const bool refusedRatio = rejection && rejection->kind == RefusalKind::SideRatio;
    for (const Check& check : std::span(checks.data(), count)) {
        if (check.field == refusedField && check.ratio == refusedRatio) break;
        clearFieldMessage(check.field);
    }
}

// ---- Messages ----------------------------------------------------------------------------

void InputScreen::showFieldMessage(const std::string& message, Control* field) {
    img_Logo.setVisible(false);
    lb_shuoming.setVisible(true);
    lb_shuoming.setTextColour(TextColour::Red);
    lb_shuoming.setText(message);
    if (field) field->setTextColour(TextColour::Red);
}

void InputScreen::clearFieldMessage(Control* field) {
    lb_shuoming.setText("");
    if (field) field->setTextColour(TextColour::Black);
}

void InputScreen::liveCheck(const std::string& text, bool zeroAllowed, RefusalKind kind,
                            RockStrengthMode mode, Control& field) {
    const std::optional<double> value = ParseStrict(text);
    const bool ok = value && (zeroAllowed ? *value >= 0 : *value > 0);
    if (ok)
        clearFieldMessage(&field);
    else
        showFieldMessage(liveCheckMessage(kind, mode), &field);
}

// ---- States ------------------------------------------------------------------------------

void InputScreen::clearResultFields() {
    edt_kesair.setText("");
    edt_ra.setText("");
    edt_rc.setText("");
}

void InputScreen::typeTexts(const InputTexts& t) {
    cbb_jmlx.setIndex(ItemOf(t.section));
    if (t.mode == RockStrengthMode::Fuk)
        rdb_fuk.select();
    else
        rdb_frk.select();
    cbe_dd.setText(t.dd);
    cbe_tyzd.setText(t.tyzd);
    cbe_hr.setText(t.hr);
    cbb_hnt.setIndex(t.gradeIndex);
    cbb_czgy.setIndex(t.process);
    edt_frk.setText(t.frk);
    edt_fuk.setText(t.fuk);
    ckb_ystj.setChecked(t.slope);
}

void InputScreen::enterNotComputedState() {
    cbt_compute.setVisible(true);
    cbt_compute.setEnabled(true);
    cbt_View.setVisible(false);
}

void InputScreen::enterComputedState() {
    cbt_View.setVisible(true);
    cbt_compute.setVisible(false);
}

SectionType InputScreen::section() const { return SectionAtItem(cbb_jmlx.index()).type; }

RockStrengthMode InputScreen::rockMode() const {
    return rdb_fuk.checked() ? RockStrengthMode::Fuk : RockStrengthMode::Frk;
}

RoundingMode InputScreen::roundingMode() const {
    const int i = popbox_jingdu.index();
    return (i >= 0 && i <= 4) ? static_cast<RoundingMode>(i) : RoundingMode::Units;
}

void InputScreen::readTexts(InputTexts& t) const {
    t.section = section();
    t.dd = cbe_dd.text();
    t.tyzd = cbe_tyzd.text();
    t.hr = cbe_hr.text();
    t.gradeIndex = cbb_hnt.index() >= 0 ? cbb_hnt.index() : 0;
    t.gradeText = cbb_hnt.text();
    t.process = cbb_czgy.index() >= 0 ? cbb_czgy.index() : 0;
    t.processText = cbb_czgy.text();
    t.mode = rockMode();
    t.frk = edt_frk.text();
    t.fuk = edt_fuk.text();
    t.slope = ckb_ystj.checked();
}

// ---- Section and rock mode ---------------------------------------------------------------

void InputScreen::applySectionLists(SectionType sectionType) {
    const bool rectangle = sectionType == SectionType::Rectangle;
    lb_dd.setText(rectangle ? kLabelLongSide : kLabelDiameter);
    lb_tyzd.setText(rectangle ? kLabelShortSide : kLabelStraight);
    // The second size starts from the section's own, an item of its list where it is one.
    const std::vector<std::string> secondSizes =
        rectangle ? sizeItems(1000, 2000) : sizeItems(100, 1200);
    const SectionDescription& description = Describe(sectionType);
    const int secondSize = indexOf(secondSizes, description.secondSize);
    const bool used = description.hasSecondSize;
    lb_tyzd.setEnabled(used);
    cbe_tyzd.setItems(secondSizes, secondSize);
    if (secondSize < 0) cbe_tyzd.setText(std::string(description.secondSize));
    cbe_tyzd.setEnabled(used);
    cbe_hr.setItems(DepthItems(description), 0);
}

// The rules of the rock mode for a section. The slope condition (clause 5.3.9) only concerns
// ellipses and rectangles in frk mode.
void InputScreen::applyModeState(SectionType sectionType, RockStrengthMode mode, ModeRule rule) {
    const bool frk = mode == RockStrengthMode::Frk;
    const bool circle = UsesCircleRules(sectionType);
    const bool slopeApplies = frk && !circle;

    if (rule.untick) ckb_ystj.setChecked(false);
    edt_frk.setEnabled(frk);
    edt_fuk.setEnabled(!frk);
    ckb_ystj.setEnabled(slopeApplies);
    lb_frk_ystj.setEnabled(slopeApplies);
    if (rule.setKesairLabel) lb_kesair.setText(frk && circle ? kKesairZeta : kKesairCoef);
    lb_tiaowen.setText(!frk ? kClause538 : circle ? kClause537 : kClause539);
    if (rule.rebuildProcess)
        cbb_czgy.setItems(ProcessItems(sectionType, mode), DefaultProcessIndex(sectionType, mode));
}

void InputScreen::inputChanged(InputChange change) {
    clearDependentResults(change);
    if (change != InputChange::RockMode) enterNotComputedState();
}

void InputScreen::clearDependentResults(InputChange change) {
    switch (change) {
        case InputChange::Section:
        case InputChange::Size:
        case InputChange::Process:
            edt_kesair.setText("");
            edt_ra.setText("");
            edt_rc.setText("");
            break;
        case InputChange::Grade:
            edt_rc.setText("");
            break;
        case InputChange::DepthOrRock:
        case InputChange::RockMode:
            edt_kesair.setText("");
            edt_ra.setText("");
            break;
    }
}

void InputScreen::cbb_jmlxChange() {
    const SectionType sectionType = section();
    const RockStrengthMode mode = rockMode();
    applySectionLists(sectionType);
    // The tick stays for the ellipse and the rectangle; a circle in fuk mode keeps the
    // coefficient's label.
    const bool circle = UsesCircleRules(sectionType);
    applyModeState(sectionType, mode,
                   {.untick = circle,
                    .rebuildProcess = true,
                    .setKesairLabel = !(circle && mode == RockStrengthMode::Fuk)});
    inputChanged(InputChange::Section);
}

void InputScreen::rdb_frkChange() {
    if (rdb_frk.checked())
        applyModeState(section(), RockStrengthMode::Frk, {});
    else
        applyModeState(section(), RockStrengthMode::Fuk, {});
    inputChanged(InputChange::RockMode);
}

void InputScreen::rdb_fukChange() {
    if (rdb_fuk.checked())
        applyModeState(section(), RockStrengthMode::Fuk, {});
    else if (rdb_frk.checked())
        applyModeState(section(), RockStrengthMode::Frk, {.untick = true, .rebuildProcess = false});
    inputChanged(InputChange::RockMode);
}

// ---- Field edits -------------------------------------------------------------------------

void InputScreen::ckb_ystjChange() { inputChanged(InputChange::DepthOrRock); }

void InputScreen::cbe_ddChange() {
    inputChanged(InputChange::Size);
    liveCheck(cbe_dd.text(), false, RefusalKind::Size, RockStrengthMode::Frk, cbe_dd);
}

void InputScreen::cbe_tyzdChange() {
    inputChanged(InputChange::Size);
    liveCheck(cbe_tyzd.text(), true, RefusalKind::SecondSize, RockStrengthMode::Frk, cbe_tyzd);
}

void InputScreen::cbe_hrChange() { inputChanged(InputChange::DepthOrRock); }

void InputScreen::edt_frkChange() {
    inputChanged(InputChange::DepthOrRock);
    liveCheck(edt_frk.text(), true, RefusalKind::Rock, RockStrengthMode::Frk, edt_frk);
}

void InputScreen::edt_fukChange() {
    inputChanged(InputChange::DepthOrRock);
    liveCheck(edt_fuk.text(), true, RefusalKind::Rock, RockStrengthMode::Fuk, edt_fuk);
}

void InputScreen::cbb_hntChange() { inputChanged(InputChange::Grade); }

void InputScreen::cbb_czgyChange() { inputChanged(InputChange::Process); }

// ---- Precision ---------------------------------------------------------------------------

void InputScreen::cbt_JingDuClick() { popbox_jingdu.setVisible(!popbox_jingdu.visible()); }

void InputScreen::popbox_jingduChange() {
    if (popbox_jingdu.visible()) cbt_computeClick();
}

}  // namespace pile
