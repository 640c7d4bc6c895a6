#include "editing/NavigationHistory.h"
#include "core/LineStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dolmex {
namespace {

void Fill(LineStore& store, int rows) {
    std::vector<DialogLine> lines;
    for (int i = 1; i <= rows; ++i)
        lines.push_back(DialogLine{std::to_string(i), "text", "", "", "", "", "", ""});
    store.replaceAll(DialogLines(lines.begin(), lines.end()));
}

using Rows = std::vector<int>;

TEST(NavigationHistory, GoesBackAndForthAsABrowserDoes) {
    LineStore store;
    Fill(store, 20);
    NavigationHistory history(store);
    EXPECT_FALSE(history.back(1));
    history.jumped(1, 5);
    history.jumped(5, 9);
    history.jumped(9, 9); // no move, no entry
    EXPECT_EQ(history.backRows(), (Rows{1, 5}));
    EXPECT_EQ(history.back(9), 5);
    EXPECT_EQ(history.back(5), 1);
    EXPECT_FALSE(history.back(1));
    EXPECT_EQ(history.forward(1), 5);
    EXPECT_EQ(history.forward(5), 9);
    EXPECT_FALSE(history.forward(9));
    EXPECT_EQ(history.back(9), 5);
    history.jumped(5, 12); // a new jump forgets what lay ahead
    EXPECT_FALSE(history.canGoForward());
    EXPECT_EQ(history.back(12), 5);
    EXPECT_EQ(history.back(5), 1);
}

TEST(NavigationHistory, GoingBackFromAMovedCursorReturnsItToo) {
    LineStore store;
    Fill(store, 20);
    NavigationHistory history(store);
    history.jumped(2, 10);
    // The user walked on to row 14 with the arrow keys: back goes to 2, forward to 14.
    EXPECT_EQ(history.back(14), 2);
    EXPECT_EQ(history.forward(2), 14);
    // Standing on the row the list names skips it.
    history.jumped(14, 3);
    EXPECT_EQ(history.back(14), 2);
}

TEST(NavigationHistory, RowsFollowInsertedAndRemovedLines) {
    const struct {
        const char* name;
        bool insert;
        int row, count;
        Rows back;
    } cases[] = {
        {"insert above all", true, 1, 2, {4, 8, 17}},
        {"insert between", true, 7, 1, {2, 6, 16}},
        {"insert below all", true, 16, 3, {2, 6, 15}},
        {"remove above all", false, 1, 1, {1, 5, 14}},
        {"remove a named row", false, 6, 1, {2, 6, 14}},
        {"remove a block that holds one", false, 5, 3, {2, 5, 12}},
        {"remove the last rows", false, 14, 7, {2, 6, 13}},
        {"remove rows that fold two into one", false, 2, 5, {2, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LineStore store;
        Fill(store, 20);
        NavigationHistory history(store);
        for (const auto& [from, to] : {std::pair{2, 3}, {6, 7}, {15, 4}})
            history.jumped(from, to);
        if (c.insert)
            store.insertLines(c.row, std::vector<DialogLine>(static_cast<std::size_t>(c.count)));
        else
            store.removeLines(c.row, c.count);
        EXPECT_EQ(history.backRows(), c.back);
    }
}

TEST(NavigationHistory, ANewDialogForgetsEverything) {
    LineStore store;
    Fill(store, 5);
    NavigationHistory history(store);
    history.jumped(1, 4);
    history.back(4);
    Fill(store, 5);
    EXPECT_FALSE(history.canGoBack());
    EXPECT_FALSE(history.canGoForward());
}

TEST(NavigationHistory, KeepsOnlyTheNewestJumps) {
    LineStore store;
    Fill(store, 3);
    NavigationHistory history(store);
    for (std::size_t i = 0; i < NavigationHistory::kDepth + 10; ++i)
        history.jumped(1 + static_cast<int>(i % 2), 3);
    EXPECT_EQ(history.backRows().size(), NavigationHistory::kDepth);
    EXPECT_EQ(history.backRows().back(), 2);
}

} // namespace
} // namespace dolmex
