// The input screen (MainFormLayer) of a calculator window: the parameters of one pile, the
// result fields, the precision popup and Compute.
//
// The screen keeps its lists, labels and enabled states in step with the section type and the
// rock-parameter mode, empties the results that an edit invalidates, runs the live checks of
// the fields while they are edited, and computes one pile on Compute. What lies outside the
// screen (the books, the optimisation status line) is reached through Host, which the window
// implements. The formula-two input screen derives from this class: the same controls and rules,
// plus its soil switches and limit fields, reached through the virtual steps below. The
// optimisation search drives the screen the same way a user does, by writing its controls and
// calling cbt_computeClick(), candidate by candidate, without any widget.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "app/model/controls.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile {

class InputScreen {
  public:
    // What the screen needs of its window.
    class Host {
      public:
        virtual ~Host() = default;
        // Set while the optimisation screen is shown: a computation writes no book.
        virtual bool optimisationMode() const = 0;
        // A pile that Compute has computed and shown. The window records it in the books
        // (unless optimising) and marks both books unsaved.
        virtual void pileComputed(const PileInput& input, const PileResult& result,
                                  const std::string& rockClassName) = 0;
        // A computation that a check refused (the optimisation status line reports it).
        virtual void computationRejected(const Rejection& rejection) = 0;
    };

    explicit InputScreen(Host& host);
    virtual ~InputScreen() = default;
    InputScreen(const InputScreen&) = delete;
    InputScreen& operator=(const InputScreen&) = delete;

    // Title, top buttons and the bottom strip.
    Label lb_cxm;
    Button cbt_CopyRight;
    Picture img_Logo;
    Label lb_shuoming;

    // Pile parameters.
    GroupBox gpb_jzcs;
    Label lb_jmlx;
    ComboBox cbb_jmlx{false};
    Label lb_dd;
    ComboBox cbe_dd{true};
    Label lb_tyzd;
    ComboBox cbe_tyzd{true};
    Label lb_hr;
    ComboBox cbe_hr{true};
    Label lb_hnt;
    ComboBox cbb_hnt{false};
    Label lb_czgy;
    ComboBox cbb_czgy{false};

    // Rock parameters.
    GroupBox gpb_jycs;
    RadioButton rdb_frk;
    Edit edt_frk;
    RadioButton rdb_fuk;
    Edit edt_fuk;
    CheckBox ckb_ystj;
    Label lb_frk_ystj;

    // Results.
    GroupBox gpb_scjg;
    Label lb_tiaowen;
    Label lb_kesair;
    Edit edt_kesair;
    Label lb_ra;
    Edit edt_ra;
    Label lb_rc;
    Edit edt_rc;
    Button cbt_JingDu;
    PopupList popbox_jingdu;

    // Actions.
    Button cbt_compute;
    Button cbt_View;
    Button cbt_YouHua;
    Button cbt_tuichu;

    // Compute: get the inputs, check them, compute, show the results, record the pile.
    void cbt_computeClick();

    // Change handlers, run by the controls whenever their value changes.
    void cbb_jmlxChange();
    void rdb_frkChange();
    void rdb_fukChange();
    void ckb_ystjChange();
    void cbe_ddChange();
    void cbe_tyzdChange();
    void cbe_hrChange();
    void edt_frkChange();
    void edt_fukChange();
    void cbb_hntChange();
    void cbb_czgyChange();

    // The precision popup: the button toggles it; a pick while it is shown computes again.
    void cbt_JingDuClick();
    void popbox_jingduChange();

    SectionType section() const;
    RockStrengthMode rockMode() const;
    RoundingMode roundingMode() const;
    // The texts and selections a computation reads, into `texts`, whose strings keep their
    // storage (a search computes millions).
    void readTexts(InputTexts& texts) const;
    // Types `texts` into the controls as a user would, each through its own handler: the
    // section first (it sets the lists of the others), then the rock mode and every field.
    void typeTexts(const InputTexts& texts);

    // Empties every result field (a pile fetched from the optimisation lists is not computed
    // yet). Formula two empties its own fields too.
    virtual void clearResultFields();
    // Compute shown and enabled, Result hidden.
    void enterNotComputedState();
    // Result shown, Compute hidden.
    void enterComputedState();

  protected:
    // The kinds of edit, by the result fields they empty.
    enum class InputChange {
        Section,      // cbb_jmlx
        Size,         // cbe_dd, cbe_tyzd
        Process,      // cbb_czgy
        Grade,        // cbb_hnt
        DepthOrRock,  // cbe_hr, ckb_ystj, edt_frk, edt_fuk
        RockMode,     // rdb_frk, rdb_fuk (the screen stays computed)
    };

    // Empties the result fields an edit invalidates. Formula two empties its own fields too.
    virtual void clearDependentResults(InputChange change);
    // Computes the pile read from the screen, or refuses it. Formula two adds the soil terms.
    virtual std::variant<PileResult, Rejection> computePile(const PileInput& input);
    // Shows a computed pile in the result fields.
    virtual void showResults(const PileInput& input, const PileResult& result);
    // The control a refusal names, or nullptr.
    virtual Control* fieldControl(const std::string& field);

    // A message in lb_shuoming in red (the logo strip gives way to it for good) and the
    // offending field in red.
    void showFieldMessage(const std::string& message, Control* field);
    // A passed check: the message text is emptied and the field is black again.
    void clearFieldMessage(Control* field);

    Host& host() { return m_host; }

  private:
    struct ModeRule {
        bool untick = true;          // untick ckb_ystj
        bool rebuildProcess = true;  // rebuild the cbb_czgy list
        bool setKesairLabel = true;  // write lb_kesair
    };
    void applyModeState(SectionType section, RockStrengthMode mode, ModeRule rule);
    void applySectionLists(SectionType section);
    void inputChanged(InputChange change);
    // Live checks: a strict number above (or from) zero; the message of a failed one is that
    // of the refusal of `kind`.
    void liveCheck(const std::string& text, bool zeroAllowed, RefusalKind kind,
                   RockStrengthMode mode, Control& field);
    void showRejection(const Rejection& rejection, SectionType section, RockStrengthMode mode);
    void markPassedChecks(const Rejection* rejection, SectionType section, RockStrengthMode mode);

    // The texts of the result fields for the values shown lately. A search shows the same Rc,
    // ζr or Ra for many candidates; a value met again is not written out again. Each text is
    // exactly what the format gives for that value.
    // Format code of the kesair texts, FormatFixed(x, 7, 4); Ra and Rc use their RoundingMode.
    static constexpr int kKesairFormat = -1;
    static constexpr int kRaFormat = 16;  // plus the rounding mode
    static constexpr int kRcFormat = 32;

    Host& m_host;
    InputTexts m_texts;  // what Compute read last
    PileInputReader m_reader;
    RecentNumberTexts m_shownTexts;
};

}  // namespace pile
