#include "core/TextFields.h"

#include <gtest/gtest.h>

#include <string>

namespace dolmex {
namespace {

struct WordCase {
    std::string text;
    unsigned n;
    std::string expected;
};

TEST(TextFields, WordAtSplitsOnControlCharactersAndShowsUnderscoresAsBlanks) {
    const WordCase cases[] = {
        {"  one  two_words ", 2, "two words"},
        {"one", 2, ""},
        {"one", 0, ""},
        {"a\tb", 2, "b"},
        {"a\x01"
         "b",
         2, "b"},
        {"\xC0\xE1\xE2 x", 1, "\xC0\xE1\xE2"},
        {"", 1, ""},
        {"   ", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WordAt(c.text, c.n), c.expected) << "'" << c.text << "' n=" << c.n;
}

TEST(TextFields, TailWordSkipsTheOperationCode) {
    const WordCase cases[] = {
        {"gf 12 3", 1, "12"}, {"gf 12 3", 2, "3"}, {"gf 12 3", 3, ""},
        {"gf", 1, ""},        {"", 1, ""},         {"pf5 9", 1, "5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TailWord(c.text, c.n), c.expected) << "'" << c.text << "' n=" << c.n;
}

TEST(TextFields, BraceFieldCountsOpeningBracesAndNeverReadsTheLastCharacter) {
    const std::string record = "{00012}{Hello}{}{5}{gf 1 2}{-1}{}";
    const WordCase cases[] = {
        {record, 1, "00012"},  {record, 2, "Hello"}, {record, 3, ""},
        {record, 5, "gf 1 2"}, {record, 6, "-1"},    {record, 7, ""},
        {record, 8, ""},       {"{1}{abc", 2, "ab"}, {"x{", 1, ""},
        {"{a{b}c}", 2, "b"},   {"{a}", 0, "{a"},     {"", 1, ""},
        {"{", 1, ""},          {"{}", 1, ""},        {"junk{a}more{b}", 2, "b"},
        {"{a}{b}", 255, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BraceField(c.text, c.n), c.expected) << "'" << c.text << "' n=" << c.n;
}

TEST(TextFields, NextBraceFieldWalksTheFieldsWithARunningPosition) {
    const std::string line = "{a}{b}";
    int pos = 1;
    const std::pair<std::string, int> steps[] = {{"a", 3}, {"b", 6}, {"", 6}, {"", 6}};
    for (const auto& [text, position] : steps) {
        EXPECT_EQ(NextBraceField(line, pos), text);
        EXPECT_EQ(pos, position);
    }
    int start = 1;
    EXPECT_EQ(NextBraceField("{1}{abc", start), "1");
    EXPECT_EQ(NextBraceField("{1}{abc", start), "ab");
    EXPECT_EQ(start, 7);
    int empty = 1;
    EXPECT_EQ(NextBraceField("", empty), "");
    EXPECT_EQ(empty, 1);
}

TEST(TextFields, ParseIntOrMinus1AcceptsOnlyWholeLiteralsIn32Bits) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"12", 12},          {" 12", 12},
        {"12 ", -1},         {"", -1},
        {" ", -1},           {"-", -1},
        {"+7", 7},           {"-7", -7},
        {"$1F", 31},         {"x1f", 31},
        {"X10", 16},         {"0x10", 16},
        {"0X10", 16},        {"-$10", -16},
        {"$", -1},           {"0x", -1},
        {"$G", -1},          {"2147483647", 2147483647},
        {"2147483648", -1},  {"-2147483648", INT32_MIN},
        {"-2147483649", -1}, {"$7FFFFFFF", 2147483647},
        {"$80000000", -1},   {"99999999999999999999999", -1},
        {"1a", -1},          {"\t5", -1},
        {"007", 7},          {"1 2", -1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseIntOrMinus1(text), expected) << "'" << text << "'";
}

TEST(TextFields, IntTextAndMakeUpper) {
    EXPECT_EQ(IntText(0), "0");
    EXPECT_EQ(IntText(42), "42");
    EXPECT_EQ(IntText(-7), "-7");
    EXPECT_EQ(IntText(INT32_MIN), "-2147483648");

    std::string name = "russian.lng";
    EXPECT_EQ(MakeUpper(name), "RUSSIAN.LNG");
    EXPECT_EQ(name, "RUSSIAN.LNG");
    std::string cyrillic = "\xF0\xF3\xF1";
    EXPECT_EQ(MakeUpper(cyrillic), "\xF0\xF3\xF1");
    std::string empty;
    EXPECT_EQ(MakeUpper(empty), "");
}

TEST(TextFields, CharAtGivesABlankPastTheEnd) {
    EXPECT_EQ(CharAt("abc", 1), 'a');
    EXPECT_EQ(CharAt("abc", 3), 'c');
    EXPECT_EQ(CharAt("abc", 4), ' ');
    EXPECT_EQ(CharAt("", 1), ' ');
}

TEST(TextFields, CommaItemTrimsOnlyLeadingBlanks) {
    const WordCase cases[] = {
        {"gf 1 2, pf 3", 2, "pf 3"},
        {"a,,b", 2, ""},
        {"a,,b", 3, "b"},
        {"  a , b", 1, "a "},
        {"a", 2, ""},
        {"a", 0, ""},
        {"", 1, ""},
        {"\ta", 1, "\ta"},
        {"a,", 2, ""},
        {",x", 2, "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommaItem(c.text, c.n), c.expected) << "'" << c.text << "' n=" << c.n;
}

} // namespace
} // namespace dolmex
