// The state of every control of a window as text, control by control, with a digest of the
// states taken: what the search tests compare after every candidate and after a search.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/model/calculator_window.h"
#include "app/model/formula_two_window.h"

namespace pile::test {

// A text in double quotes, with the quote, the backslash and line breaks escaped, so that a
// state is one line of a recording.
inline std::string inQuotes(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    return out + '"';
}

// One control's state after a candidate.
struct ControlState {
    std::string name;
    std::string text;
};

// Takes the state of each control as text and folds the same state into the digest.
class StateTaker {
  public:
    void add(std::string_view name, const Control& c) {
        begin(name);
        addControl(c);
    }
    void add(std::string_view name, const Label& c) {
        begin(name);
        addControl(c);
        addText("text", c.text());
    }
    void add(std::string_view name, const Edit& c) {
        begin(name);
        addControl(c);
        addText("text", c.text());
    }
    // The items are a state of their own ("name.items"), recorded only when they change.
    void add(std::string_view name, const ComboBox& c) {
        begin(name);
        addControl(c);
        std::string items = "[";
        for (const auto& item : c.items()) {
            mix(item);
            items += (items.size() > 1 ? "," : "") + inQuotes(item);
        }
        mix(static_cast<std::uint64_t>(c.index() + 1));
        addWord("index=" + std::to_string(c.index()));
        addText("text", c.text());
        begin(std::string(name) + ".items");
        m_text = items + "]";
    }
    void add(std::string_view name, const CheckBox& c) {
        begin(name);
        addControl(c);
        addFlag("checked", c.checked());
    }
    void add(std::string_view name, const RadioButton& c) {
        begin(name);
        addControl(c);
        addFlag("checked", c.checked());
    }
    void add(std::string_view name, const PopupList& c) {
        begin(name);
        addControl(c);
        mix(static_cast<std::uint64_t>(c.index() + 1));
        addWord("index=" + std::to_string(c.index()));
    }

    // The grid's own state, then each row a state of its own ("name[row]": its cells), so
    // that a recording names the rows that change.
    void add(std::string_view name, const Grid& g) {
        begin(name);
        addControl(g);
        mix(static_cast<std::uint64_t>(g.rowCount()));
        addWord("rows=" + std::to_string(g.rowCount()));
        std::string hidden;
        for (int c = 0; c < g.columnCount(); ++c) {
            mix(static_cast<std::uint64_t>(g.columnVisible(c)));
            if (!g.columnVisible(c)) hidden += (hidden.empty() ? "" : ",") + std::to_string(c);
        }
        if (!hidden.empty()) addWord("hiddenColumns=" + hidden);
        addFlag("editable", g.editable());
        std::string headers = "[";
        for (const std::string& h : g.headers()) {
            mix(h);
            headers += (headers.size() > 1 ? "," : "") + inQuotes(h);
        }
        addWord("headers=" + headers + "]");
        for (int r = 0; r < g.rowCount(); ++r) {
            begin(std::string(name) + "[" + std::to_string(r) + "]");
            for (int c = 0; c < g.columnCount(); ++c) {
                mix(g.cell(r, c));
                if (c > 0) m_text += ',';
                m_text += inQuotes(g.cell(r, c));
            }
        }
    }

    // A list view: its headers, shown columns, selection and how often its rows changed.
    void add(std::string_view name, const ListGrid& g) {
        begin(name);
        addControl(g);
        for (int c = 0; c < static_cast<int>(g.headers().size()); ++c) {
            addText("header", g.headers()[static_cast<std::size_t>(c)]);
            if (!g.columnVisible(c)) addWord("hidden-column=" + std::to_string(c));
        }
        addWord("selected=" + std::to_string(g.selectedRow()) + "," +
                std::to_string(g.selectedColumn()));
        addWord("revision=" + std::to_string(g.contentRevision()));
    }

    // The states taken since the last call.
    std::vector<ControlState> take() {
        end();
        return std::exchange(m_states, {});
    }
    std::uint64_t digest() const { return m_hash; }

  private:
    void begin(std::string_view name) {
        end();
        m_name = name;
    }
    void end() {
        if (!m_name.empty()) m_states.push_back({std::exchange(m_name, {}), m_text});
        m_text.clear();
    }
    void addControl(const Control& c) {
        mix(static_cast<std::uint64_t>(c.enabled()) | static_cast<std::uint64_t>(c.visible()) << 1 |
            static_cast<std::uint64_t>(c.textColour()) << 2);
        mix(c.hint());
        // Enabled, visible and black go without saying.
        if (!c.enabled()) addWord("disabled");
        if (!c.visible()) addWord("hidden");
        if (c.textColour() == TextColour::Red) addWord("red");
        if (!c.hint().empty()) addWord("hint=" + inQuotes(c.hint()));
    }
    void addText(const char* what, const std::string& text) {
        mix(text);
        addWord(std::string(what) + "=" + inQuotes(text));
    }
    void addFlag(const char* what, bool on) {
        mix(static_cast<std::uint64_t>(on));
        addWord(std::string(what) + "=" + (on ? "1" : "0"));
    }
    void addWord(const std::string& word) {
        if (!m_text.empty()) m_text += ' ';
        m_text += word;
    }
    void mix(const std::string& text) {
        for (unsigned char c : text) mix(c);
        mix(static_cast<unsigned char>(0xFF));
    }
    void mix(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) mix(static_cast<unsigned char>(value >> (8 * i)));
    }
    void mix(unsigned char byte) {
        m_hash ^= byte;
        m_hash *= 0x100000001b3ULL;
    }

    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
    std::string m_name;
    std::string m_text;
    std::vector<ControlState> m_states;
};

#define PILE_TAKE(taker, control) (taker).add(#control, control)

inline void takeScreen(StateTaker& t, const InputScreen& input) {
    PILE_TAKE(t, input.lb_cxm);
    PILE_TAKE(t, input.cbt_CopyRight);
    PILE_TAKE(t, input.lb_shuoming);
    PILE_TAKE(t, input.gpb_jzcs);
    PILE_TAKE(t, input.lb_jmlx);
    PILE_TAKE(t, input.lb_dd);
    PILE_TAKE(t, input.lb_tyzd);
    PILE_TAKE(t, input.lb_hr);
    PILE_TAKE(t, input.lb_hnt);
    PILE_TAKE(t, input.lb_czgy);
    PILE_TAKE(t, input.gpb_jycs);
    PILE_TAKE(t, input.lb_frk_ystj);
    PILE_TAKE(t, input.gpb_scjg);
    PILE_TAKE(t, input.lb_tiaowen);
    PILE_TAKE(t, input.lb_kesair);
    PILE_TAKE(t, input.lb_ra);
    PILE_TAKE(t, input.lb_rc);
    PILE_TAKE(t, input.cbt_JingDu);
    PILE_TAKE(t, input.cbt_compute);
    PILE_TAKE(t, input.cbt_View);
    PILE_TAKE(t, input.cbt_YouHua);
    PILE_TAKE(t, input.cbt_tuichu);
    PILE_TAKE(t, input.img_Logo);
    PILE_TAKE(t, input.cbb_jmlx);
    PILE_TAKE(t, input.cbe_dd);
    PILE_TAKE(t, input.cbe_tyzd);
    PILE_TAKE(t, input.cbe_hr);
    PILE_TAKE(t, input.cbb_hnt);
    PILE_TAKE(t, input.cbb_czgy);
    PILE_TAKE(t, input.edt_frk);
    PILE_TAKE(t, input.edt_fuk);
    PILE_TAKE(t, input.edt_kesair);
    PILE_TAKE(t, input.edt_ra);
    PILE_TAKE(t, input.edt_rc);
    PILE_TAKE(t, input.rdb_frk);
    PILE_TAKE(t, input.rdb_fuk);
    PILE_TAKE(t, input.ckb_ystj);
    PILE_TAKE(t, input.popbox_jingdu);
}

// Formula two's input screen with its soil switches and fields, and every control of both soil
// screens.
inline void takeFormulaTwo(StateTaker& t, const FormulaTwoWindow& window) {
    const FormulaTwoInputScreen& input = window.formulaTwoInput();
    takeScreen(t, input);
    PILE_TAKE(t, input.gpb_tuchengchanshu);
    PILE_TAKE(t, input.ckb_fumozhuli);
    PILE_TAKE(t, input.cbt_fumozhuli);
    PILE_TAKE(t, input.ckb_zhengmozhuli);
    PILE_TAKE(t, input.cbt_zhengmozhuli);
    PILE_TAKE(t, input.lb_Qgn);
    PILE_TAKE(t, input.edt_Qgn);
    PILE_TAKE(t, input.lb_Nkxianzhi);
    PILE_TAKE(t, input.edt_Nkxianzhi);
    PILE_TAKE(t, input.lb_Nxianzhi);
    PILE_TAKE(t, input.edt_Nxianzhi);
    PILE_TAKE(t, input.lb_Hezaixianzhigongshi);

    const NegativeFrictionScreen& drag = window.dragScreen();
    PILE_TAKE(t, drag.lb_Fmzlbiaoti);
    PILE_TAKE(t, drag.gpb_Fmzlshuru);
    PILE_TAKE(t, drag.lb_Junbuhezai);
    PILE_TAKE(t, drag.cbe_Junbuhezai);
    PILE_TAKE(t, drag.lb_Dimianbiaogao);
    PILE_TAKE(t, drag.edt_Dimianbiaogao);
    PILE_TAKE(t, drag.lb_Zhuangdingbiaogao);
    PILE_TAKE(t, drag.edt_Zhuangdingbiaogao);
    PILE_TAKE(t, drag.lb_Tuchengshu);
    PILE_TAKE(t, drag.cbb_Tuchengshu);
    PILE_TAKE(t, drag.Grid1_Fumozhulijisuan);
    PILE_TAKE(t, drag.lb_FQgn);
    PILE_TAKE(t, drag.lb_FMZxinxi);
    PILE_TAKE(t, drag.gpb_Fmzlcankao);
    PILE_TAKE(t, drag.lb_fmzlxsbiao);
    PILE_TAKE(t, drag.Grid2_Fumozhulixishubiao);
    PILE_TAKE(t, drag.lb_fmzlxssm);
    PILE_TAKE(t, drag.cbt_fmzlzhankai);
    PILE_TAKE(t, drag.cbt_Fmzlfanhui);
    PILE_TAKE(t, drag.cbt_FmzlComputer);

    const SideResistanceScreen& side = window.sideScreen();
    PILE_TAKE(t, side.lb_Zmzlbiaoti);
    PILE_TAKE(t, side.gpb_Zmzlshuru);
    PILE_TAKE(t, side.lb_ZhengTuchengshu);
    PILE_TAKE(t, side.cbb_ZhengTuchengshu);
    PILE_TAKE(t, side.Grid1_Zhengmozhulijisuan);
    PILE_TAKE(t, side.lb_Qsk);
    PILE_TAKE(t, side.lb_ZMZxinxi);
    PILE_TAKE(t, side.lb_Zmzlzbiao);
    PILE_TAKE(t, side.Grid2_Zhengmozhulizhibiao);
    PILE_TAKE(t, side.lb_Zmzlzsm);
    PILE_TAKE(t, side.cbt_ZhengZhankai);
    PILE_TAKE(t, side.cbt_Zmzlfanhui);
    PILE_TAKE(t, side.cbt_ZmzlComputer);
}

// Every control of a window: its layers, the input screen (in formula two with its soil
// switches and fields, and both soil screens), the book screen's buttons and the optimisation
// screen's controls besides its lists.
inline void takeWindow(StateTaker& t, const CalculatorWindow& window) {
    PILE_TAKE(t, window.MainFormLayer);
    PILE_TAKE(t, window.JieGuo_DocLayer);
    PILE_TAKE(t, window.YouHuaFormLayer);
    if (const auto* two = dynamic_cast<const FormulaTwoWindow*>(&window))
        takeFormulaTwo(t, *two);
    else
        takeScreen(t, window.inputScreen());
    const BookScreen& book = window.bookScreen();
    PILE_TAKE(t, book.cbt_Save);
    PILE_TAKE(t, book.cbt_sanchu);
    PILE_TAKE(t, book.cbt_Excel);
    const OptimisationScreen& screen = window.optimisationScreen();
    PILE_TAKE(t, screen.lb_YHxingxi);
    PILE_TAKE(t, screen.cbt_YHcompute);
    PILE_TAKE(t, screen.cbt_YHsaixuan);
    PILE_TAKE(t, screen.cbt_YHsave);
    PILE_TAKE(t, screen.Grid1_Youhuaxuanxiang);
    PILE_TAKE(t, screen.Grid2_Youhuajieguo);
    PILE_TAKE(t, screen.Grid3_Youhuasaixuan);
}

#undef PILE_TAKE

}  // namespace pile::test
