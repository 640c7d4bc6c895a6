#include "ToolFixtures.h"
#include "editing/EditSession.h"

#include "core/Document.h"
#include "tools/BlockNavigator.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::Row;

TEST(BlockNavigator, ListsCommentedNpcLinesWithANumber) {
    LineStore store;
    test::Fill(store, {
                          Row("10", "", "Greeting"),
                          Row("11", "1", "a player line"),
                          Row("12", " ", "blanks make a player line here"),
                          Row("0", "", "number 0"),
                          Row("", "", "no number"),
                          Row("x", "", "not a number"),
                          Row("13", "", ""),
                          Row("$14", "", "hex"),
                          Row("10", "", "Again"),
                      });
    const std::vector<std::string> expected{"10 - Greeting", "$14 - hex", "10 - Again"};
    EXPECT_EQ(MakeBlocks(store), expected);
    store.setCell(7, ColComment, "Farewell");
    BlockNavigator navigator;
    EXPECT_EQ(
        navigator.MakeBlocks(store),
        (std::vector<std::string>{"10 - Greeting", "13 - Farewell", "$14 - hex", "10 - Again"}));
}

TEST(BlockNavigator, ChoosesByKey) {
    struct Case {
        const char* name;
        NavigatorKey key;
        unsigned modifiers;
        int selected;
        bool focusMain;
        std::int32_t pendingLine;
        bool pendingInsert;
    };
    const Case cases[] = {
        {"Enter jumps", NavigatorKey::Enter, NoModifier, 1, true, 120, false},
        {"Ctrl+Enter inserts", NavigatorKey::Enter, ControlModifier, 1, true, 120, true},
        {"Shift+Enter does nothing", NavigatorKey::Enter, ShiftModifier, 1, false, 0, false},
        {"Alt+Enter does nothing", NavigatorKey::Enter, AltModifier, 1, false, 0, false},
        {"Ctrl+Shift+Enter does nothing", NavigatorKey::Enter, ControlModifier | ShiftModifier, 1,
         false, 0, false},
        {"Tab only moves the focus", NavigatorKey::Tab, NoModifier, 1, true, 0, false},
        {"other keys do nothing", NavigatorKey::Other, NoModifier, 1, false, 0, false},
        {"no selection still sets the mode", NavigatorKey::Enter, ControlModifier, -1, true, 0,
         true},
        {"a selection beyond the list", NavigatorKey::Enter, NoModifier, 5, true, 0, false},
    };
    LineStore store;
    test::Fill(store, {Row("7", "", "Start"), Row("120", "", "Greeting")});
    for (const Case& c : cases) {
        BlockNavigator navigator;
        navigator.MakeBlocks(store);
        EXPECT_EQ(navigator.LBKeyUp(c.key, c.modifiers, c.selected), c.focusMain) << c.name;
        EXPECT_EQ(navigator.PendingLine(), c.pendingLine) << c.name;
        EXPECT_EQ(navigator.PendingInsert(), c.pendingInsert) << c.name;
    }
}

TEST(BlockNavigator, CarriesOutAChoiceOnceWhenVisible) {
    LineStore store;
    test::Fill(store, {Row("120", "", "Greeting")});
    BlockNavigator navigator;
    navigator.MakeBlocks(store);

    EXPECT_EQ(navigator.takeChoice(true), std::nullopt);
    EXPECT_TRUE(navigator.LBDblClick(0));
    // A hidden navigator keeps the choice for later.
    EXPECT_EQ(navigator.takeChoice(false), std::nullopt);
    EXPECT_EQ(navigator.takeChoice(true), (NavigatorChoice{120, false}));
    EXPECT_EQ(navigator.takeChoice(true), std::nullopt);

    navigator.LBKeyUp(NavigatorKey::Enter, ControlModifier, 0);
    EXPECT_EQ(navigator.takeChoice(true), (NavigatorChoice{120, true}));
    // With nothing selected the earlier choice is not revived.
    navigator.LBDblClick(-1);
    EXPECT_EQ(navigator.takeChoice(true), std::nullopt);
}

TEST(BlockNavigator, InsertWritesTheResponseAndMarksTheDocument) {
    Document document;
    PlainEditSession session(document);
    test::Fill(document.store(), {Row("35", "1")});
    document.setModified(false);
    WriteChosenResponse(document.store(), 1, 120);
    EXPECT_EQ(document.store().cell(1, ColResponse), "120");
    EXPECT_TRUE(document.isModified());
}

} // namespace
} // namespace dolmex
