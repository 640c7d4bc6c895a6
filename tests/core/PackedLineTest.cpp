#include "core/PackedLine.h"

#include <gtest/gtest.h>

#include <string>

namespace dolmex {
namespace {

using namespace std::string_literals;

const DialogLine kFull{"12",      "Well met.", "Well met, lady.", "-4", "gf 12 1, sk 3 20", "20",
                       "gv 4 +1", "note"};

// Every column replaced by texts that could confuse a packed buffer: empty, a NUL byte,
// braces, a text longer than the whole line. The other seven cells must not move.
TEST(PackedLine, ReplacingOneCellKeepsTheOthers) {
    const std::string texts[] = {"", "x", "a\0b"s, "{}", std::string(70'000, 'z')};
    for (int column = 0; column < kColumnCount; ++column) {
        for (const std::string& text : texts) {
            PackedLine line(kFull);
            line.set(column, text);
            DialogLine expected = kFull;
            expected[static_cast<std::size_t>(column)] = text;
            EXPECT_EQ(line.unpack(), expected) << "column " << column << ", size " << text.size();
            EXPECT_EQ(line[column], text);
        }
    }
}

TEST(PackedLine, ACellCanBeSetFromAViewOfTheSameLine) {
    PackedLine line(kFull);
    line.set(ColGender, line[ColText]);
    line.set(ColText, line[ColResult].substr(3));
    EXPECT_EQ(line[ColGender], "Well met.");
    EXPECT_EQ(line[ColText], "4 +1");
    EXPECT_EQ(line[ColResult], "gv 4 +1");
}

TEST(PackedLine, OutOfRangeColumnsReadEmptyAndChangeNothing) {
    PackedLine line(kFull);
    line.set(-1, "x");
    line.set(kColumnCount, "x");
    EXPECT_EQ(line, PackedLine(kFull));
    EXPECT_EQ(line[-1], "");
    EXPECT_EQ(line[kColumnCount], "");
}

TEST(PackedLine, EmptyRecordIgnoresTheComment) {
    const struct {
        DialogLine line;
        bool empty;
    } cases[] = {
        {{}, true},
        {{"", "", "", "", "", "", "", "comment only"}, true},
        {{"", "", "", "", "", "", "r"}, false},
        {{"1"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsEmptyRecord(PackedLine(c.line)), c.empty) << c.line[ColComment];
}

TEST(PackedLine, ListedCellsFillFromTheFirstColumnAndExtraOnesAreDropped) {
    const PackedLine line{"1", "a", "b", "c", "d", "e", "f", "g", "ninth"};
    EXPECT_EQ(line.unpack(), (DialogLine{"1", "a", "b", "c", "d", "e", "f", "g"}));
    EXPECT_EQ((PackedLine{"7", "hi"}).unpack(), (DialogLine{"7", "hi"}));
}

} // namespace
} // namespace dolmex
