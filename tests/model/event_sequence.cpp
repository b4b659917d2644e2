// Random user actions on a calculator window model.
#include "tests/model/event_sequence.h"

#include <functional>
#include <string_view>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "books/detailed_book.h"

namespace pile::test {

namespace {

// Texts a user might type: numbers of every kind, units, commas, blanks, signs and junk. The
// books print sizes, depths and soil cells as typed, so these hold no text that would read as
// a faulty number there; the rock fields, printed as the numbers read, get those too.
const std::vector<std::string> kTexts = {
    "",       "0",     "1",    "2",      "3",      "4",      "5",      "25",    "24",
    "500",    "1000",  "1200", "1500",   "2000",   "1,000",  "25,5",   "1e3",   "1e308",
    "-1e308", "1.5d",  "1.0b", "2.0d",   "3000",   "0.3",    "-5",     "-10",   "-20",
    "17",     "abc",   " 12 ", "1000mm", "0.0001", "99999",  "C25",    "C30",   "C60",
    "35.00",  "40.00", "5.00", "3.0d",   "1.0d",   "-0.300", "-0.900", "10.00", "1e-300",
};
const std::vector<std::string> kRockTexts = {"-0",    "nan", "inf",  "-inf",   "0",  "25",
                                             "1e308", "abc", "25,5", "0.0001", "-5", "60"};

// Cells of the item table that keep a search small.
const std::vector<std::string> kItemTexts = {"1",   "2",    "3",    "4",  "1000", "1500",
                                             "500", "2.0d", "1.0d", "35", "C25",  "C30",
                                             "5",   "",     "abc",  "-1", "0"};

const std::string& textOf(Choices& c) { return kTexts[c.pick(kTexts.size())]; }

// A number text as the program writes it must not read "nan", "inf" or a negative zero.
bool badNumberText(std::string_view text) {
    if (text.find("nan") != std::string_view::npos || text.find("inf") != std::string_view::npos)
        return true;
    for (std::size_t at = text.find("-0"); at != std::string_view::npos;
         at = text.find("-0", at + 1)) {
        std::size_t end = at + 2;
        while (end < text.size() && (text[end] == '0' || text[end] == '.')) ++end;
        const bool digitFollows = end < text.size() && text[end] >= '1' && text[end] <= '9';
        const bool digitBefore = at > 0 && text[at - 1] >= '0' && text[at - 1] <= '9';
        if (!digitFollows && !digitBefore) return true;
    }
    return false;
}

struct Action {
    std::string name;
    std::function<void()> run;
};

bool usable(const Control& c) { return c.visible() && c.enabled(); }

}  // namespace

std::uint8_t Choices::byte() {
    if (m_seeded) return static_cast<std::uint8_t>(m_random());
    return m_at < m_size ? m_data[m_at++] : 0;
}

std::size_t Choices::pick(std::size_t count) {
    if (count <= 1) return 0;
    const std::size_t value = (static_cast<std::size_t>(byte()) << 8) | byte();
    return value % count;
}

EventSequence::EventSequence(int formula) : m_formula(formula) { openWindow(); }

EventSequence::~EventSequence() = default;

void EventSequence::openWindow() {
    m_window.reset();
    if (m_formula == 2)
        m_window = std::make_unique<FormulaTwoWindow>(m_fake.platform);
    else
        m_window = std::make_unique<FormulaOneWindow>(m_fake.platform);
    // A search is cut short after its first progress report (2048 candidates), as a user
    // would cancel it: the actions stay quick whatever the item table says.
    m_window->optimisationScreen().setProgressHandler(
        [](std::uint64_t, std::uint64_t) { return false; });
}

Fault EventSequence::step(Choices& c, std::string& done) {
    CalculatorWindow& w = *m_window;
    InputScreen& in = w.inputScreen();
    BookScreen& books = w.bookScreen();
    OptimisationScreen& opt = w.optimisationScreen();
    auto* two = dynamic_cast<FormulaTwoWindow*>(&w);
    std::vector<Action> actions;
    const auto add = [&](const Control& guard, std::string name, std::function<void()> run) {
        if (usable(guard)) actions.push_back({std::move(name), std::move(run)});
    };

    if (w.MainFormLayer.visible()) {
        for (ComboBox* box : {&in.cbe_dd, &in.cbe_tyzd, &in.cbe_hr}) {
            const std::string text = textOf(c);
            add(*box, "type " + text, [box, text] { box->setText(text); });
        }
        for (ComboBox* box : {&in.cbb_jmlx, &in.cbb_hnt, &in.cbb_czgy, &in.cbe_dd, &in.cbe_hr}) {
            const int index = static_cast<int>(c.pick(box->items().size()));
            add(*box, "pick item " + std::to_string(index), [box, index] { box->setIndex(index); });
        }
        for (Edit* edit : {&in.edt_frk, &in.edt_fuk}) {
            const std::string text = c.pick(2) ? textOf(c) : kRockTexts[c.pick(kRockTexts.size())];
            add(*edit, "type rock " + text, [edit, text] { edit->setText(text); });
        }
        add(in.rdb_frk, "frk", [&in] { in.rdb_frk.select(); });
        add(in.rdb_fuk, "fuk", [&in] { in.rdb_fuk.select(); });
        add(in.ckb_ystj, "slope", [&in] { in.ckb_ystj.setChecked(!in.ckb_ystj.checked()); });
        add(in.cbt_compute, "Compute", [&in] { in.cbt_computeClick(); });
        add(in.cbt_View, "Result", [&w] { w.cbt_ViewClick(); });
        add(in.cbt_YouHua, "star", [&w] { w.cbt_YouHuaClick(); });
        add(in.cbt_JingDu, "precision button", [&in] { in.cbt_JingDuClick(); });
        const int precision = static_cast<int>(c.pick(5));
        add(in.popbox_jingdu, "precision " + std::to_string(precision),
            [&in, precision] { in.popbox_jingdu.pick(precision); });
        add(in.cbt_CopyRight, "about", [&w] { w.cbt_CopyRightClick(); });
        // A book with unsaved piles asks first; the answer is chosen here too.
        const auto answer = static_cast<SaveAnswer>(c.pick(3));
        add(in.cbt_tuichu, "Exit, answering " + std::to_string(static_cast<int>(answer)),
            [this, &w, answer] {
                m_fake.dialogs.answers = {answer};
                w.cbt_tuichuClick();
            });
        if (two) {
            FormulaTwoInputScreen& f = two->formulaTwoInput();
            add(f.ckb_fumozhuli, "drag box",
                [&f] { f.ckb_fumozhuli.setChecked(!f.ckb_fumozhuli.checked()); });
            add(f.ckb_zhengmozhuli, "side box",
                [&f] { f.ckb_zhengmozhuli.setChecked(!f.ckb_zhengmozhuli.checked()); });
            add(f.cbt_fumozhuli, "drag screen", [two] { two->cbt_fumozhuliClick(); });
            add(f.cbt_zhengmozhuli, "side screen", [two] { two->cbt_zhengmozhuliClick(); });
        }
    }
    if (w.JieGuo_DocLayer.visible()) {
        add(books.cbt_PageBook, "page", [&books] { books.cbt_PageBookClick(); });
        add(books.cbt_sanchu, "delete last", [&books] { books.cbt_sanchuClick(); });
        const int size = 4 + static_cast<int>(c.pick(21));
        add(books.tcb_meoFontSize, "font " + std::to_string(size),
            [&books, size] { books.tcb_meoFontSize.setValue(size); });
        add(books.cbt_Exit, "Back", [&w] { w.cbt_ExitClick(); });
        add(books.cbt_Save, "Save", [&w] { w.cbt_SaveClick(); });
    }
    if (w.YouHuaFormLayer.visible()) {
        Grid& items = opt.Grid1_Youhuaxuanxiang;
        const int row = static_cast<int>(c.pick(static_cast<std::size_t>(items.rowCount())));
        const int column = 1 + static_cast<int>(c.pick(3));
        const std::string text = kItemTexts[c.pick(kItemTexts.size())];
        if (items.cellEditable(row, column))
            add(items, "item cell " + text, [&items, &opt, row, column, text] {
                opt.Grid1_YouhuaxuanxiangSelectCell(row, column);
                if (items.editCell(row, column, text))
                    opt.Grid1_YouhuaxuanxiangEditingDone(row, column);
            });
        add(opt.cbt_YHcompute, "search", [&opt] { opt.cbt_YHcomputeClick(); });
        add(opt.cbt_YHsaixuan, "filter", [&opt] { opt.cbt_YHsaixuanClick(); });
        add(opt.cbt_zhangkai, "fold", [&opt] { opt.cbt_zhangkaiClick(); });
        add(opt.cbt_YHsave, "list save", [&w] { w.cbt_YHsaveClick(); });
        add(opt.cbt_YHfanhui, "optimisation back", [&w] { w.cbt_YHfanhuiClick(); });
        for (ListGrid* grid : {&opt.Grid2_Youhuajieguo, &opt.Grid3_Youhuasaixuan}) {
            const bool raw = grid == &opt.Grid2_Youhuajieguo;
            const int header =
                static_cast<int>(c.pick(static_cast<std::size_t>(grid->rows().columnCount())));
            add(*grid, "sort " + std::to_string(header), [&opt, raw, header] {
                if (raw)
                    opt.Grid2_YouhuajieguoHeaderClick(header);
                else
                    opt.Grid3_YouhuasaixuanHeaderClick(header);
            });
            if (grid->rows().size() > 0) {
                const int rowToFetch = static_cast<int>(c.pick(grid->rows().size()));
                add(*grid, "fetch " + std::to_string(rowToFetch), [&opt, raw, rowToFetch] {
                    if (raw)
                        opt.Grid2_YouhuajieguoCellDblClick(rowToFetch);
                    else
                        opt.Grid3_YouhuasaixuanCellDblClick(rowToFetch);
                });
            }
        }
    }
    if (two && two->Fumozhuli_FormLayer.visible()) {
        NegativeFrictionScreen& d = two->dragScreen();
        const std::string text = textOf(c);
        add(d.cbe_Junbuhezai, "load " + text, [&d, text] { d.cbe_Junbuhezai.setText(text); });
        add(d.edt_Dimianbiaogao, "Eg " + text, [&d, text] { d.edt_Dimianbiaogao.setText(text); });
        add(d.edt_Zhuangdingbiaogao, "Ep " + text,
            [&d, text] { d.edt_Zhuangdingbiaogao.setText(text); });
        const int count = static_cast<int>(c.pick(d.cbb_Tuchengshu.items().size()));
        add(d.cbb_Tuchengshu, "drag layers", [&d, count] { d.cbb_Tuchengshu.setIndex(count); });
        Grid& g = d.Grid1_Fumozhulijisuan;
        const int row = static_cast<int>(c.pick(static_cast<std::size_t>(g.rowCount())));
        const int column = static_cast<int>(c.pick(6));
        if (g.cellEditable(row, column))
            add(g, "drag cell " + text, [&d, &g, row, column, text] {
                d.Grid1_FumozhulijisuanSelectCell(row, column);
                if (g.editCell(row, column, text)) d.Grid1_FumozhulijisuanEditingDone(row, column);
            });
        add(d.cbt_fmzlzhankai, "drag expand", [&d] { d.cbt_fmzlzhankaiClick(); });
        add(d.cbt_FmzlComputer, "drag compute", [&d] { d.cbt_FmzlComputerClick(); });
        add(d.cbt_Fmzlfanhui, "drag back", [two] { two->cbt_FmzlfanhuiClick(); });
    }
    if (two && two->Zhengmozhuli_FormLayer.visible()) {
        SideResistanceScreen& s = two->sideScreen();
        const std::string text = textOf(c);
        const int count = static_cast<int>(c.pick(s.cbb_ZhengTuchengshu.items().size()));
        add(s.cbb_ZhengTuchengshu, "side layers",
            [&s, count] { s.cbb_ZhengTuchengshu.setIndex(count); });
        Grid& g = s.Grid1_Zhengmozhulijisuan;
        const int row = static_cast<int>(c.pick(static_cast<std::size_t>(g.rowCount())));
        const int column = static_cast<int>(c.pick(3));
        if (g.cellEditable(row, column))
            add(g, "side cell " + text, [&s, &g, row, column, text] {
                s.Grid1_ZhengmozhulijisuanSelectCell(row, column);
                if (g.editCell(row, column, text))
                    s.Grid1_ZhengmozhulijisuanEditingDone(row, column);
            });
        add(s.cbt_ZhengZhankai, "side expand", [&s] { s.cbt_ZhengZhankaiClick(); });
        add(s.cbt_ZmzlComputer, "side compute", [&s] { s.cbt_ZmzlComputerClick(); });
        add(s.cbt_Zmzlfanhui, "side back", [two] { two->cbt_ZmzlfanhuiClick(); });
    }

    if (actions.empty()) return "no action is possible";
    const Action& action = actions[c.pick(actions.size())];
    done = action.name;
    // As the views do: an error the handler does not handle goes to the error box.
    dispatchEvent(m_fake.errors, action.run);
    m_fake.errors.shown.clear();
    m_fake.messages.shown.clear();
    if (Fault fault = check(); !fault.empty()) return fault;
    if (w.closeRequested()) openWindow();  // the user opens the calculator again
    return {};
}

Fault EventSequence::check() const {
    const CalculatorWindow& w = *m_window;
    std::vector<const Control*> layers = {&w.MainFormLayer, &w.JieGuo_DocLayer, &w.YouHuaFormLayer};
    if (const auto* two = dynamic_cast<const FormulaTwoWindow*>(&w)) {
        layers.push_back(&two->Fumozhuli_FormLayer);
        layers.push_back(&two->Zhengmozhuli_FormLayer);
    }
    int shown = 0;
    for (const Control* layer : layers) shown += layer->visible() ? 1 : 0;
    if (shown != 1) return std::to_string(shown) + " screens shown";

    const InputScreen& in = w.inputScreen();
    for (const Edit* e : {&in.edt_kesair, &in.edt_ra, &in.edt_rc})
        if (badNumberText(e->text())) return "result field shows \"" + e->text() + "\"";
    if (badNumberText(in.lb_shuoming.text()))
        return "message shows \"" + in.lb_shuoming.text() + "\"";
    if (const auto* two = dynamic_cast<const FormulaTwoWindow*>(&w)) {
        const FormulaTwoInputScreen& f = two->formulaTwoInput();
        for (const Edit* e : {&f.edt_Qgn, &f.edt_Nkxianzhi, &f.edt_Nxianzhi})
            if (badNumberText(e->text())) return "limit field shows \"" + e->text() + "\"";
        for (const Label* l : {&two->dragScreen().lb_FQgn, &two->dragScreen().lb_FMZxinxi,
                               &two->sideScreen().lb_Qsk, &two->sideScreen().lb_ZMZxinxi})
            if (badNumberText(l->text())) return "soil label shows \"" + l->text() + "\"";
    }

    // The books hold as many piles as the counter says.
    const WindowBooks& books = w.bookScreen().books();
    const int counter = w.pileCounter();
    const auto& table = books.tableLines();
    const auto& detailed = books.detailedLines();
    if (counter != books.pileCounter()) return "the window and its books count differently";
    if (counter == 0) {
        if (!table.empty() || !detailed.empty()) return "books without a pile";
    } else {
        if (table.size() != static_cast<std::size_t>(counter) + 9)
            return "the table holds " + std::to_string(table.size()) + " lines for " +
                   std::to_string(counter) + " piles";
        int closings = 0;
        for (const std::string& line : detailed) closings += line == kBookClosingRule ? 1 : 0;
        if (closings != counter)
            return "the book holds " + std::to_string(closings) + " piles, the counter " +
                   std::to_string(counter);
        for (std::size_t i = 5; i + 4 < table.size(); ++i)
            if (badNumberText(table[i])) return "table row shows \"" + table[i] + "\"";
    }

    // The lists: the first and the last rows.
    for (const ListGrid* grid : {&w.optimisationScreen().Grid2_Youhuajieguo,
                                 &w.optimisationScreen().Grid3_Youhuasaixuan}) {
        const ResultList& list = grid->rows();
        for (std::size_t row : {std::size_t{0}, list.size() - 1}) {
            if (row >= list.size()) continue;
            for (int column = 0; column < list.columnCount(); ++column) {
                const std::string text = list.cellText(row, column);
                if (badNumberText(text)) return "list cell shows \"" + text + "\"";
            }
        }
    }
    return {};
}

}  // namespace pile::test
