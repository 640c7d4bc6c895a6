// The table that binds the wizard's controls to the model: a control left out of it, or bound
// twice, would lose the user's input or take it twice.

#include "wizard/WizardBindings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace dolmex {
namespace {

// How many rows bind each value of `Enum` through the `box` member of kind `Kind`.
template <typename Kind, typename Enum> std::map<Enum, int> BoundBoxes() {
    std::map<Enum, int> counts;
    for (const ControlBinding& binding : ControlBindings()) {
        if (const Kind* kind = BoundAs<Kind>(&binding))
            ++counts[kind->box];
    }
    return counts;
}

TEST(WizardBindingsTest, EachControlIsBoundOnceByItsOwnName) {
    std::set<std::string> names;
    for (const ControlBinding& binding : ControlBindings())
        EXPECT_TRUE(names.insert(binding.name).second) << binding.name << " is bound twice";
}

TEST(WizardBindingsTest, EveryTextBoxListAndChoiceOfTheModelHasOneControl) {
    const std::map<EditBox, int> edits = BoundBoxes<TextEdit, EditBox>();
    for (int box = 0; box <= static_cast<int>(EditBox::ResLineEdit); ++box) {
        const auto found = edits.find(static_cast<EditBox>(box));
        EXPECT_TRUE(found != edits.end() && found->second == 1) << "text box " << box;
    }
    const std::map<ChoiceBox, int> choices = BoundBoxes<DropDown, ChoiceBox>();
    for (int box = 0; box <= static_cast<int>(ChoiceBox::ResLineBox); ++box) {
        const auto found = choices.find(static_cast<ChoiceBox>(box));
        EXPECT_TRUE(found != choices.end() && found->second == 1) << "drop-down list " << box;
    }
    const std::map<ItemListBox, int> lists = BoundBoxes<ItemList, ItemListBox>();
    EXPECT_EQ(lists, (std::map<ItemListBox, int>{{ItemListBox::TestList, 1},
                                                 {ItemListBox::ResultList, 1}}));
}

} // namespace
} // namespace dolmex
