#include "ToolFixtures.h"
#include "editing/EditSession.h"

#include "core/Document.h"
#include "tools/BlockLayout.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::Column;
using test::Row;
using Strings = std::vector<std::string>;

// Rows from "number:P" (a player line) or "number" (an NPC line) texts.
std::vector<DialogLine> Rows(const Strings& entries) {
    std::vector<DialogLine> rows;
    for (const std::string& entry : entries) {
        const bool player = entry.size() >= 2 && entry.substr(entry.size() - 2) == ":P";
        rows.push_back(Row(player ? entry.substr(0, entry.size() - 2) : entry, player ? "1" : ""));
    }
    return rows;
}

TEST(BlockLayout, NumbersTheBlockWhenThereIsRoom) {
    struct Case {
        const char* name;
        Strings rows;
        int current;
        Strings numbers; // empty: nothing changes
    };
    const Case cases[] = {
        {"player lines after their NPC line",
         {"10", "5:P", "7:P", "9:P", "20"},
         3,
         {"10", "11", "12", "13", "20"}},
        {"no room below the next block", {"10", "5:P", "7:P", "9:P", "13"}, 3, {}},
        {"the block ends the dialog", {"10", "5:P", "7:P", "9:P"}, 4, {"10", "11", "12", "13"}},
        {"a separator row is passed over",
         {"10", "5:P", "7:P", "9:P", "", "14"},
         2,
         {"10", "11", "12", "13", "", "14"}},
        {"a separator and no room", {"10", "5:P", "7:P", "9:P", "", "13"}, 2, {}},
        {"only one separator is passed over", {"10", "5:P", "", "", "30"}, 2, {}},
        {"a separator at the end", {"10", "5:P", ""}, 2, {"10", "11", ""}},
        {"from the NPC line itself", {"10", "5:P", "20"}, 1, {"10", "11", "20"}},
        {"no NPC line above", {"5:P", "7:P", "10"}, 2, {}},
        {"the NPC line is the last row", {"5:P", "10"}, 2, {}},
        {"an NPC line without player lines", {"10", "20", "7:P"}, 1, {}},
        {"an NPC line without a number", {"x", "5:P"}, 2, {}},
        {"an NPC line numbered 0", {"0", "5:P", "7:P"}, 2, {"0", "1", "2"}},
        {"the next number is not a number", {"10", "5:P", "abc"}, 2, {}},
    };
    for (const Case& c : cases) {
        Document document;
        PlainEditSession session(document);
        test::Fill(document.store(), Rows(c.rows));
        document.setModified(false);
        const bool changed = NumberBlock(document.store(), c.current);
        EXPECT_EQ(changed, !c.numbers.empty()) << c.name;
        EXPECT_EQ(document.isModified(), changed) << c.name;
        Strings before = c.rows;
        for (std::string& number : before)
            number = number.substr(0, number.find(':'));
        EXPECT_EQ(Column(document.store(), ColNumber), changed ? c.numbers : before) << c.name;
    }
}

TEST(BlockLayout, InsertsSeparatorsBeforeInnerNpcLines) {
    LineStore store;
    test::Fill(store, Rows({"1", "2:P", "3", "4:P", "5"}));
    EXPECT_TRUE(InsertSeparators(store));
    EXPECT_EQ(Column(store, ColNumber), (Strings{"1", "2", "", "3", "4", "5"}));
    // Separators are NPC lines themselves, so each run adds more.
    EXPECT_TRUE(InsertSeparators(store));
    EXPECT_EQ(Column(store, ColNumber), (Strings{"1", "2", "", "", "", "3", "4", "5"}));

    Document document;
    PlainEditSession session(document);
    test::Fill(document.store(), Rows({"1", "2:P", "3"}));
    document.setModified(false);
    EXPECT_FALSE(InsertSeparators(document.store()));
    EXPECT_FALSE(document.isModified());
    test::Fill(document.store(), Rows({"1"}));
    EXPECT_FALSE(InsertSeparators(document.store()));
}

TEST(BlockLayout, DeletesEmptyRowsButNeverTheLast) {
    LineStore store;
    std::vector<DialogLine> rows = Rows({"1", "", "", "2", ""});
    rows[2][ColComment] = "a comment alone";
    rows[4][ColComment] = "kept on the last row";
    test::Fill(store, rows);
    EXPECT_TRUE(DeleteEmptyLines(store));
    EXPECT_EQ(Column(store, ColNumber), (Strings{"1", "2", ""}));
    EXPECT_EQ(store.cell(3, ColComment), "kept on the last row");
    EXPECT_FALSE(DeleteEmptyLines(store));

    test::Fill(store, {DialogLine{}});
    EXPECT_FALSE(DeleteEmptyLines(store));
    EXPECT_EQ(store.dataRowCount(), 1);
}

TEST(BlockLayout, ClearingCommentsAlwaysMarksTheDocument) {
    Document document;
    PlainEditSession session(document);
    test::Fill(document.store(), {Row("1", "", "c"), Row("2")});
    session.perform(EditVerb::ClearComments, ClearComments);
    EXPECT_EQ(Column(document.store(), ColComment), (Strings{"", ""}));
    document.setModified(false);
    session.perform(EditVerb::ClearComments, ClearComments);
    EXPECT_TRUE(document.isModified());
}

} // namespace
} // namespace dolmex
