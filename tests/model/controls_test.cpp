// The change rule of the controls: a write fires the handler when, and only when, it changes
// the control's value; revisions grow with every visible change.
#include <gtest/gtest.h>

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
