// TBVK_FRM_WENA2, the formula-two calculator window.
#include "app/qt/formula_two_window_view.h"

#include <QPushButton>

#include <utility>

#include "app/qt/keyboard.h"
#include "app/qt/screen_widgets.h"

namespace pile {

namespace {

constexpr int kHeight = detail::kFormulaTwoHeight;

// The memos are 740 high in the taller window; Back and Save stand where Compute and Exit do.
constexpr BookScreenLayout kBookLayout{
    .height = kHeight, .memoHeight = 740, .actionY = 846, .trackBarY = 878};

}  // namespace

TBVK_FRM_WENA2::TBVK_FRM_WENA2(FormulaTwoWindow& model, ErrorBox& errors,
                               std::function<void()> closed)
    : CalculatorWindowView(QSize(detail::kWindowWidth, kHeight), model, errors, std::move(closed)) {
    MainFormLayer = new FormulaTwoInputScreenView(model, dispatcher(), this);
    JieGuo_DocLayer = new BookScreenView(model, dispatcher(), this, kBookLayout);
    YouHuaFormLayer = new OptimisationScreenView(model, dispatcher(), this, kHeight);
    Fumozhuli_FormLayer = new NegativeFrictionScreenView(model, dispatcher(), this);
    Zhengmozhuli_FormLayer = new SideResistanceScreenView(model, dispatcher(), this);
    WidgetSync& sync = widgetSync();
    sync.bind(static_cast<QWidget*>(MainFormLayer), model.MainFormLayer);
    sync.bind(static_cast<QWidget*>(JieGuo_DocLayer), model.JieGuo_DocLayer);
    sync.bind(static_cast<QWidget*>(YouHuaFormLayer), model.YouHuaFormLayer);
    sync.bind(static_cast<QWidget*>(Fumozhuli_FormLayer), model.Fumozhuli_FormLayer);
    sync.bind(static_cast<QWidget*>(Zhengmozhuli_FormLayer), model.Zhengmozhuli_FormLayer);
    MainFormLayer->bindTo(sync);
    JieGuo_DocLayer->bindTo(sync);
    YouHuaFormLayer->bindTo(sync);
    Fumozhuli_FormLayer->bindTo(sync);
    Zhengmozhuli_FormLayer->bindTo(sync);
    setUpKeyboard({MainFormLayer, JieGuo_DocLayer, YouHuaFormLayer, Fumozhuli_FormLayer,
                   Zhengmozhuli_FormLayer});
    pressOnEnter(MainFormLayer, MainFormLayer->cbt_compute);
    pressOnEnter(Fumozhuli_FormLayer, Fumozhuli_FormLayer->cbt_FmzlComputer);
    pressOnEnter(Zhengmozhuli_FormLayer, Zhengmozhuli_FormLayer->cbt_ZmzlComputer);
    syncFromModel();
}

}  // namespace pile
