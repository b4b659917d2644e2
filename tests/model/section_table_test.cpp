// Every row of the section table reaches every screen: the input screen's list and what choosing
// an item sets up, and the optimiser, whose codes list, fetch and compute each section as the
// input screen does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "core/sections.h"
#include "optimise/item_ranges.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

TEST(SectionTable, TheInputScreenListsAndSetsUpEverySection) {
    test::FakePlatform fake;
    FormulaOneWindow window(fake.platform);
    InputScreen& input = window.inputScreen();
    ASSERT_EQ(input.cbb_jmlx.items().size(), kSections.size());
    // From the last item back, so that every choice changes the selection.
    for (int item = kSectionCount - 1; item >= 0; --item) {
        const SectionDescription& s = kSections[static_cast<std::size_t>(item)];
        SCOPED_TRACE(std::string(s.name));
        EXPECT_EQ(input.cbb_jmlx.items()[static_cast<std::size_t>(item)], s.name);
        input.cbb_jmlx.setIndex(item);
        EXPECT_EQ(input.section(), s.type);
        EXPECT_EQ(input.cbe_tyzd.enabled(), s.hasSecondSize);
        EXPECT_EQ(input.cbe_tyzd.text(), s.secondSize);
        EXPECT_EQ(input.cbe_hr.text(), std::string("1.0") + s.depthUnit);
        EXPECT_EQ(input.cbb_czgy.items(), ProcessItems(s.type, RockStrengthMode::Frk));
        input.cbt_computeClick();
        EXPECT_NE(input.edt_ra.text(), "") << input.lb_shuoming.text();
    }
}

// A search over one section code lists that section, and a fetched row computes on the input
// screen to the Ra the list shows.
TEST(SectionTable, TheOptimiserListsAndFetchesEverySectionCode) {
    const ItemCells sectionRow{formulaOneItemTable()[item_row::kSection].min,
                               formulaOneItemTable()[item_row::kSection].max, "1"};
    EXPECT_EQ(sectionRow.min, std::to_string(kLowestSectionCode));
    EXPECT_EQ(sectionRow.max, std::to_string(kHighestSectionCode));
    for (int code = kLowestSectionCode; code <= kHighestSectionCode; ++code) {
        const SectionDescription& s = DescribeCode(code);
        SCOPED_TRACE(std::string(s.name));
        test::FakePlatform fake;
        FormulaOneWindow window(fake.platform);
        InputScreen& input = window.inputScreen();
        OptimisationScreen& screen = window.optimisationScreen();
        window.cbt_YouHuaClick();
        for (int column : {1, 2}) {
            screen.Grid1_Youhuaxuanxiang.editCell(item_row::kSection, column, std::to_string(code));
        }
        screen.cbt_YHcomputeClick();
        const ResultList& raw = screen.rawList();
        ASSERT_GT(raw.size(), 0u) << screen.lb_YHxingxi.text();
        // A rectangle with equal sides is listed as a square.
        bool named = false;
        for (std::size_t row = 0; row < raw.size(); ++row) {
            const std::string listed = raw.fieldText(row, ListField::Section);
            named = named || listed == s.tableName;
            ASSERT_NE(SectionOfTableName(listed), nullptr) << row;
            ASSERT_EQ(SectionOfTableName(listed)->type, s.type) << row;
            ASSERT_EQ(raw.fieldText(row, ListField::Depth).back(), s.depthUnit) << row;
            ASSERT_EQ(raw.fieldText(row, ListField::Size2) == "-", !s.hasSecondSize) << row;
        }
        EXPECT_TRUE(named);

        const std::size_t last = raw.size() - 1;
        const std::string ra = raw.fieldText(last, ListField::Ra);
        screen.Grid2_YouhuajieguoCellDblClick(static_cast<int>(last));
        EXPECT_EQ(input.cbb_jmlx.index(), ItemOf(s.type));
        EXPECT_EQ(input.cbe_dd.text(), raw.fieldText(last, ListField::Size1));
        EXPECT_EQ(input.cbe_tyzd.text(),
                  s.hasSecondSize ? raw.fieldText(last, ListField::Size2) : s.secondSize);
        EXPECT_EQ(input.cbe_hr.text(), raw.fieldText(last, ListField::Depth));
        input.cbt_computeClick();
        EXPECT_EQ(input.edt_ra.text(), ra);
    }
}

}  // namespace
}  // namespace pile
