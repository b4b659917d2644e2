// The change rule of the controls: a write fires the handler when, and only when, it changes
// the control's value; revisions grow with every visible change.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/model/controls.h"

namespace pile {
namespace {

TEST(ControlsTest, FixedComboBoxFiresOnSelectionChanges) {
    ComboBox box(false);
    int fired = 0;
    box.onChange([&fired] { ++fired; });
    box.setItems({"a", "b"}, 1);
    EXPECT_EQ(fired, 1);
    box.setItems({"a", "b"}, 1);  // same items, same selection
    box.setIndex(1);
    box.setText("b");
    EXPECT_EQ(fired, 1);
    box.setItems({"x"}, 0);  // a rebuild that changes the selection fires once
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(box.text(), "x");
    box.setItems({"y"}, 0);  // same index, other text
    EXPECT_EQ(fired, 3);
    box.setIndex(7);  // out of range: nothing selected
    EXPECT_EQ(box.index(), -1);
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(fired, 4);
}

TEST(ControlsTest, EditableComboBoxValueIsItsText) {
    ComboBox box(true);
    int fired = 0;
    box.onChange([&fired] { ++fired; });
    box.setItems({"1.0d", "1.5d"}, -1);  // new items keep the text
    EXPECT_EQ(fired, 0);
    const auto revision = box.revision();
    box.setText("1.5d");
    EXPECT_EQ(box.index(), 1);
    box.setText("7");
    EXPECT_EQ(box.index(), -1);
    box.setIndex(0);
    EXPECT_EQ(box.text(), "1.0d");
    EXPECT_EQ(fired, 3);
    EXPECT_GT(box.revision(), revision);
}

TEST(ControlsTest, RadioGroupKeepsExactlyOneSelected) {
    RadioButton a, b;
    RadioButton::group({&a, &b});
    std::vector<std::string> order;
    a.onChange([&] { order.push_back(a.checked() ? "a on" : "a off"); });
    b.onChange([&] { order.push_back(b.checked() ? "b on" : "b off"); });
    EXPECT_TRUE(a.checked());
    b.select();
    b.select();
    EXPECT_FALSE(a.checked());
    EXPECT_TRUE(b.checked());
    EXPECT_EQ(order, (std::vector<std::string>{"a off", "b on"}));
}

TEST(ControlsTest, PopupPickFiresEvenForTheSelectedItem) {
    PopupList list;
    list.setItems({"0", "1", "2"}, 2);
    int fired = 0;
    list.onChange([&fired] { ++fired; });
    list.setIndex(2);
    EXPECT_EQ(fired, 0);
    list.pick(2);
    list.pick(0);
    list.pick(9);
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(list.index(), 0);
}

TEST(ControlsTest, TrackBarStaysInItsRange) {
    TrackBar bar;
    bar.setRange(4, 24);
    int fired = 0;
    bar.onChange([&fired] { ++fired; });
    bar.setValue(30);
    bar.setValue(24);
    bar.setValue(1);
    EXPECT_EQ(bar.value(), 4);
    EXPECT_EQ(fired, 2);
}

}  // namespace
}  // namespace pile

namespace pile {
namespace {

int g_formatted = 0;
std::string sumText(double a, double b) {
    ++g_formatted;
    return std::to_string(static_cast<int>(a + b));
}

// A cell given as numbers reads as its text, made once when first read; the same numbers
// again change nothing, and a text written over it or rows taken away end it.
TEST(ControlsTest, NumberCellsAreWrittenOutWhenRead) {
    Grid grid(3);
    grid.setRowCount(2);
    g_formatted = 0;
    const std::uint64_t texts = grid.textRevision();
    const std::uint64_t content = grid.contentRevision();
    grid.setCellNumber(1, 2, sumText, 40, 2);
    grid.setCellNumber(0, 1, sumText, 1, 1);
    EXPECT_EQ(g_formatted, 0);
    EXPECT_GT(grid.contentRevision(), content);
    EXPECT_EQ(grid.textRevision(), texts);
    EXPECT_EQ(grid.cell(1, 2), "42");
    EXPECT_EQ(grid.cell(1, 2), "42");
    EXPECT_EQ(g_formatted, 1);
    EXPECT_EQ(grid.row(0), (std::vector<std::string>{"", "2", ""}));
    EXPECT_EQ(g_formatted, 2);

    const std::uint64_t before = grid.contentRevision();
    grid.setCellNumber(1, 2, sumText, 40, 2);
    EXPECT_EQ(grid.contentRevision(), before);
    grid.setCellNumber(1, 2, sumText, 41, 2);
    EXPECT_GT(grid.contentRevision(), before);
    EXPECT_EQ(grid.cell(1, 2), "43");

    grid.setCell(1, 2, "typed");
    grid.setCellNumber(0, 1, sumText, 5, 5);
    EXPECT_EQ(grid.cell(1, 2), "typed");
    grid.setCell(0, 1, "x");
    EXPECT_EQ(grid.cell(0, 1), "x");

    grid.setCellNumber(1, 0, sumText, 7, 0);
    grid.setRowCount(1);
    grid.setRowCount(2);
    EXPECT_EQ(grid.cell(1, 0), "");
    EXPECT_EQ(grid.cell(5, 0), "");
}

}  // namespace
}  // namespace pile
