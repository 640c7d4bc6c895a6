#include "editing/LineCommands.h"
#include "core/LineStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dolmex {
namespace {

// A store whose rows are numbered by the given texts, each with a comment naming it.
LineStore StoreOf(const std::vector<std::string>& numbers) {
    LineStore store;
    std::vector<DialogLine> rows;
    for (const std::string& n : numbers)
        rows.push_back(DialogLine{n, "text " + n, "", "", "", "", "", "note " + n});
    store.replaceAll(DialogLines(rows.begin(), rows.end()));
    return store;
}

std::vector<std::string> Numbers(const LineStore& store) {
    std::vector<std::string> numbers;
    for (int row = 1; row < store.rowCount(); ++row)
        numbers.emplace_back(store.cell(row, ColNumber));
    return numbers;
}

TEST(LineCommands, AppendNumbersAfterTheLastLine) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"1", "41"}, "42"},
        {{"41", ""}, "0"},
        {{"x"}, "0"},
        {{"$10"}, "17"},
        {{"2147483647"}, "2147483648"}, // no wrap to a negative number
    };
    for (const auto& [numbers, expected] : cases) {
        LineStore store = StoreOf(numbers);
        const int row = AppendLine(store);
        EXPECT_EQ(row, store.rowCount() - 1);
        EXPECT_EQ(store.cell(row, ColNumber), expected);
        EXPECT_EQ(store.cell(row, ColComment), "");
    }
}

TEST(LineCommands, InsertAndDeleteShiftWholeRowsWithTheirComments) {
    LineStore store = StoreOf({"1", "2", "3", "4", "5"});
    InsertLine(store, 3);
    EXPECT_EQ(Numbers(store), (std::vector<std::string>{"1", "2", "", "3", "4", "5"}));
    EXPECT_EQ(store.line(3), DialogLine{});
    EXPECT_EQ(store.cell(4, ColComment), "note 3");

    LineStore six = StoreOf({"1", "2", "3", "4", "5", "6"});
    EXPECT_EQ(DeleteLines(six, {2, 4}), 2);
    EXPECT_EQ(Numbers(six), (std::vector<std::string>{"1", "5", "6"}));
    EXPECT_EQ(six.cell(2, ColComment), "note 5");

    LineStore tail = StoreOf({"1", "2", "3"});
    EXPECT_EQ(DeleteLines(tail, {2, 3}), 1);

    LineStore all = StoreOf({"1", "2"});
    EXPECT_EQ(DeleteLines(all, {1, 2}), 1);
    EXPECT_EQ(all.rowCount(), 2);
    EXPECT_EQ(all.line(1), DialogLine{});
}

TEST(LineCommands, MovesSwapTheBlockWithItsNeighbour) {
    struct Case {
        const char* name;
        bool up;
        RowBlock block;
        bool moved;
        std::vector<std::string> numbers;
        RowBlock after;
    };
    const Case cases[] = {
        {"block up", true, {2, 3}, true, {"2", "3", "1", "4"}, {1, 2}},
        {"block down", false, {2, 3}, true, {"1", "4", "2", "3"}, {3, 4}},
        {"top row up", true, {1, 1}, false, {"1", "2", "3", "4"}, {1, 1}},
        {"bottom row down", false, {4, 4}, false, {"1", "2", "3", "4"}, {4, 4}},
        {"whole store down", false, {1, 4}, false, {"1", "2", "3", "4"}, {1, 4}},
    };
    for (const auto& c : cases) {
        LineStore store = StoreOf({"1", "2", "3", "4"});
        RowBlock block = c.block;
        EXPECT_EQ(c.up ? MoveLinesUp(store, block) : MoveLinesDown(store, block), c.moved)
            << c.name;
        EXPECT_EQ(Numbers(store), c.numbers) << c.name;
        EXPECT_EQ(block, c.after) << c.name;
        EXPECT_EQ(store.cell(1, ColComment), "note " + std::string(store.cell(1, ColNumber)))
            << c.name;
    }
}

TEST(LineCommands, CopiesBetweenTheTwoTexts) {
    LineStore store = StoreOf({"1"});
    store.setCell(1, ColGender, "other");
    CopyTextToGender(store, 1);
    EXPECT_EQ(store.cell(1, ColGender), "text 1");
    store.setCell(1, ColGender, "other");
    CopyGenderToText(store, 1);
    EXPECT_EQ(store.cell(1, ColText), "other");
}

} // namespace
} // namespace dolmex
