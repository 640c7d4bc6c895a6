#include "search/CellMatcher.h"
#include "SearchFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace dolmex {
namespace {

struct SpanCase {
    const char* pattern;
    bool matchCase, wholeWord, regex;
    const char* cell;
    std::vector<TextSpan> spans;
};

TEST(CellMatcher, FindsTheSpansOfEachKindOfQuery) {
    const SpanCase cases[] = {
        // Case folding covers the Cyrillic letters, "ё" and "Ё" too.
        {"привет", false, false, false, "ПРИВЕТ, Привет", {{0, 6}, {8, 6}}},
        {"ёж", false, false, false, "ЁЖ и Ёж", {{0, 2}, {5, 2}}},
        {"ЁЖ", false, false, false, "ёжик", {{0, 2}}},
        {"ї", false, false, false, "Їa", {{0, 1}}},
        {"привет", true, false, false, "ПРИВЕТ привет", {{7, 6}}},
        {"abc", false, false, false, "xABCabc", {{1, 3}, {4, 3}}},
        // Matches do not overlap.
        {"aa", true, false, false, "aaaa", {{0, 2}, {2, 2}}},
        // Whole words: Cyrillic letters, digits and "_" are word characters.
        {"кот", false, true, false, "котик кот скот Кот_ кот", {{6, 3}, {20, 3}}},
        {"12", false, true, false, "12 a12 12b 12", {{0, 2}, {11, 2}}},
        {"a b", false, true, false, "a b, xa b", {{0, 3}}},
        // A pattern no dialog file can hold is in no cell.
        {"日本", false, false, false, "?? ", {}},
        {"", false, false, false, "abc", {}},
        // Regular expressions, decoded; \w takes Cyrillic letters.
        {"\\w+", true, false, true, "да, нет", {{0, 2}, {4, 3}}},
        {"пРи.ет", false, false, true, "ПРИВЕТ", {{0, 6}}},
        {"ё+ж", false, false, true, "ЁЁЖ", {{0, 3}}},
        {"кот", false, true, true, "котик кот скот", {{6, 3}}},
        // An extended-mode comment runs to the pattern's end; whole words still hold.
        {"(?x)кот # cat", false, true, true, "котик кот", {{6, 3}}},
        {"\\Qa.b", true, true, true, "a.b xa.b", {{0, 3}}},
        // A regex that matches empty text finds only its non-empty matches, and ends.
        {"x*", true, false, true, "axxbx", {{1, 2}, {4, 1}}},
        {"", true, false, true, "abc", {}},
        {"^|$", true, false, true, "abc", {}},
        {"(?=a)", true, false, true, "aaa", {}},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " in " + c.cell);
        FindQuery query;
        query.pattern = QString::fromUtf8(c.pattern);
        query.matchCase = c.matchCase;
        query.wholeWord = c.wholeWord;
        query.regex = c.regex;
        const CellMatcher matcher = CellMatcher::compile(query);
        ASSERT_TRUE(matcher.isValid());
        const std::string cell = Bytes(c.cell);
        EXPECT_EQ(matcher.spansIn(cell), c.spans);
        EXPECT_EQ(matcher.matches(cell), !c.spans.empty());
    }
}

TEST(CellMatcher, ARejectedRegexGivesTheEnginesMessageAndFindsNothing) {
    for (const char* pattern : {"(abc", "a[", "*a", "a{2,1}"}) {
        SCOPED_TRACE(pattern);
        FindQuery query;
        query.pattern = QString::fromLatin1(pattern);
        query.regex = true;
        const CellMatcher matcher = CellMatcher::compile(query);
        EXPECT_FALSE(matcher.isValid());
        EXPECT_EQ(matcher.errorText(), QRegularExpression(query.pattern).errorString());
        EXPECT_FALSE(matcher.errorText().isEmpty());
        EXPECT_GE(matcher.errorOffset(), 0);
        EXPECT_FALSE(matcher.matches("abc"));
        // The same text as a plain pattern is fine.
        query.regex = false;
        EXPECT_TRUE(CellMatcher::compile(query).isValid());
    }
}

TEST(CellMatcher, SearchesOnlyTheChosenColumns) {
    FindQuery query;
    query.pattern = QStringLiteral("a");
    query.columns = 0b1000'0010;
    const CellMatcher matcher = CellMatcher::compile(query);
    std::vector<int> searched;
    for (int column = -1; column <= 8; ++column) {
        if (matcher.searches(column))
            searched.push_back(column);
    }
    EXPECT_EQ(searched, (std::vector<int>{1, 7}));
}

} // namespace
} // namespace dolmex
