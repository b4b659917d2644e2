// The search writes each candidate through the input screen's controls. Whatever is done to
// make that fast, every control must end every candidate in exactly the state it always had:
// this test folds the whole visible state of the window after every candidate of several
// searches into one digest, recorded once from the straightforward implementation.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class StateDigest {
  public:
    void add(const std::string& text) {
        for (unsigned char c : text) mix(c);
        mix(0xFF);
    }
    void add(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) mix(static_cast<unsigned char>(value >> (8 * i)));
    }
    void add(const Control& c) {
        add(static_cast<std::uint64_t>(c.enabled()) | static_cast<std::uint64_t>(c.visible()) << 1 |
            static_cast<std::uint64_t>(c.textColour()) << 2);
        add(c.hint());
    }
    void add(const Label& c) {
        add(static_cast<const Control&>(c));
        add(c.text());
    }
    void add(const Edit& c) {
        add(static_cast<const Control&>(c));
        add(c.text());
    }
    void add(const ComboBox& c) {
        add(static_cast<const Control&>(c));
        for (const auto& item : c.items()) add(item);
        add(static_cast<std::uint64_t>(c.index() + 1));
        add(c.text());
    }
    void add(const CheckBox& c) {
        add(static_cast<const Control&>(c));
        add(static_cast<std::uint64_t>(c.checked()));
    }
    void add(const RadioButton& c) {
        add(static_cast<const Control&>(c));
        add(static_cast<std::uint64_t>(c.checked()));
    }
    void add(const PopupList& c) {
        add(static_cast<const Control&>(c));
        add(static_cast<std::uint64_t>(c.index() + 1));
    }
    std::uint64_t value() const { return m_hash; }

  private:
    void mix(unsigned char byte) {
        m_hash ^= byte;
        m_hash *= 0x100000001b3ULL;  // FNV-1a
    }
    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
};

void addScreen(StateDigest& d, const InputScreen& s) {
    for (const Label* l :
         {&s.lb_cxm,     &s.cbt_CopyRight, &s.lb_shuoming, &s.gpb_jzcs,    &s.lb_jmlx,
          &s.lb_dd,      &s.lb_tyzd,       &s.lb_hr,       &s.lb_hnt,      &s.lb_czgy,
          &s.gpb_jycs,   &s.lb_frk_ystj,   &s.gpb_scjg,    &s.lb_tiaowen,  &s.lb_kesair,
          &s.lb_ra,      &s.lb_rc,         &s.cbt_JingDu,  &s.cbt_compute, &s.cbt_View,
          &s.cbt_YouHua, &s.cbt_tuichu})
        d.add(*l);
    d.add(s.img_Logo);
    for (const ComboBox* c :
         {&s.cbb_jmlx, &s.cbe_dd, &s.cbe_tyzd, &s.cbe_hr, &s.cbb_hnt, &s.cbb_czgy})
        d.add(*c);
    for (const Edit* e : {&s.edt_frk, &s.edt_fuk, &s.edt_kesair, &s.edt_ra, &s.edt_rc}) d.add(*e);
    d.add(s.rdb_frk);
    d.add(s.rdb_fuk);
    d.add(s.ckb_ystj);
    d.add(s.popbox_jingdu);
}

struct Search {
    const char* name;
    std::vector<std::array<const char*, 4>> items;  // row, min, max, step
    bool slope;
    std::uint64_t digest;
};

TEST(SearchStateTest, EveryCandidateLeavesEveryControlAsItAlwaysHas) {
    const Search searches[] = {
        {"default", {}, false, 0xe231bb51c3d98a4bULL},
        {"all sections, fine steps",
         {{"1", "800", "2000", "150"},
          {"2", "0", "700", "350"},
          {"3", "1500", "2600", "550"},
          {"4", "1000", "3000", "1000"},
          {"6", "1.0d", "4.0d", "1.5d"},
          {"7", "1", "2", "1"},
          {"10", "C25", "C60", "15"},
          {"11", "1", "3", "1"}},
         true,
         0xbc6b9e0ca6678321ULL},
        {"millimetre depths",
         {{"6", "500", "3000", "1250"}, {"8", "0.5", "60", "29.75"}},
         false,
         0x866afb17ef6cb55fULL},
    };
    for (const Search& search : searches) {
        SCOPED_TRACE(search.name);
        test::FakePlatform fake;
        FormulaOneWindow window(fake.platform);
        InputScreen& input = window.inputScreen();
        input.cbb_jmlx.setIndex(2);
        input.ckb_ystj.setChecked(search.slope);
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        for (const auto& item : search.items) {
            const int row = std::stoi(item[0]);
            for (int c = 1; c <= 3; ++c) screen.Grid1_Youhuaxuanxiang.editCell(row, c, item[c]);
        }
        StateDigest digest;
        int candidates = 0;
        screen.setCandidateObserver([&] {
            ++candidates;
            addScreen(digest, input);
            digest.add(window.bookScreen().cbt_Save);
            digest.add(window.bookScreen().cbt_sanchu);
            digest.add(screen.lb_YHxingxi);
        });
        screen.cbt_YHcomputeClick();
        EXPECT_GT(candidates, 300);
        EXPECT_EQ(digest.value(), search.digest);
    }
}

}  // namespace
}  // namespace pile
