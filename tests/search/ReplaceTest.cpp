#include "search/Replace.h"
#include "SearchFixtures.h"
#include "ui/UndoHistory.h"

#include <QUndoStack>

#include <gtest/gtest.h>

namespace dolmex {
namespace {

CellMatcher Matcher(const char* pattern, bool regex = false, bool matchCase = false) {
    FindQuery query;
    query.pattern = QString::fromUtf8(pattern);
    query.regex = regex;
    query.matchCase = matchCase;
    return CellMatcher::compile(query);
}

class ReplaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(document.store(), {{"10", "Кот и кот", "", "1", "gf 1 2", "20", "jo 0 20", "кот!"},
                                {"20", "dog", "", "", "", "", "", ""},
                                {"30", "КОТ"}});
        // A byte that was never typed stays as it is.
        document.store().setCell(3, ColGender, std::string("\x98\x01 raw"));
        stack.clear();
        document.setModified(false);
    }
    DialogLines rows() const { return document.store().lines(); }

    Document document;
    QUndoStack stack;
    UndoHistory history{document, stack};
};

TEST_F(ReplaceTest, ReplaceAllChangesOnlyTheMatchesAndIsUndoneInOneStep) {
    const DialogLines before = rows();
    LineStore& store = document.store();
    EXPECT_EQ(ReplaceAll(history, store, Matcher("кот"), QStringLiteral("пёс")), 4);
    DialogLines expected = before;
    expected[0].set(ColText, Bytes("пёс и пёс"));
    expected[0].set(ColComment, Bytes("пёс!"));
    expected[2].set(ColText, Bytes("пёс"));
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(stack.count(), 1);
    EXPECT_TRUE(document.isModified());
    history.undo();
    EXPECT_EQ(rows(), before);
    EXPECT_FALSE(document.isModified());
    history.redo();
    EXPECT_EQ(rows(), expected);
}

TEST_F(ReplaceTest, RegexReplacementExpandsCapturesAsQStringReplaceDoes) {
    struct Case {
        const char* pattern;
        const char* replacement;
    };
    const Case cases[] = {{"(о)(т)", "[\\2\\1]"},
                          {"(\\w+) и (\\w+)", "\\2 & \\1"},
                          {"(т)", "\\\\1\\0\\3"},
                          {"к(о)", "\\12"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        SetUp();
        const CellMatcher matcher = Matcher(c.pattern, true, true);
        const QString cell = QStringLiteral("Кот и кот");
        QString expected = cell;
        expected.replace(matcher.regex(), QString::fromUtf8(c.replacement));
        ReplaceAll(history, document.store(), matcher, QString::fromUtf8(c.replacement));
        EXPECT_EQ(FromCp1251(document.store().cell(1, ColText)), expected);
    }
}

TEST_F(ReplaceTest, RegexReplacementKeepsTheOtherBytesOfTheCell) {
    EXPECT_EQ(
        ReplaceAll(history, document.store(), Matcher("r(a)w", true), QStringLiteral("R\\1W")), 1);
    EXPECT_EQ(document.store().cell(3, ColGender), std::string("\x98\x01 RaW"));
}

TEST_F(ReplaceTest, ARefusedReplacementChangesNothing) {
    const DialogLines before = rows();
    for (const QString& text : {QStringLiteral("a{b"), QStringLiteral("}"), QStringLiteral("a\nb"),
                                QStringLiteral("\r"), QStringLiteral("日本")}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(ReplacementProblem(text));
        EXPECT_EQ(ReplaceAll(history, document.store(), Matcher("кот"), text), 0);
        EXPECT_FALSE(ReplaceMatch(history, document.store(), Matcher("dog"), {2, 1, {0, 3}}, text));
    }
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(ReplacementProblem(QStringLiteral("ёЁ \\1 «»")));
}

TEST_F(ReplaceTest, ReplaceMatchReplacesThatMatchOnlyWhileItIsOne) {
    const CellMatcher cat = Matcher("кот");
    EXPECT_TRUE(ReplaceMatch(history, document.store(), cat, {1, 1, {6, 3}}, QStringLiteral("")));
    EXPECT_EQ(document.store().cell(1, ColText), Bytes("Кот и "));
    EXPECT_EQ(stack.count(), 1);
    // No longer there, not a match's span, or a column not searched.
    EXPECT_FALSE(ReplaceMatch(history, document.store(), cat, {1, 1, {6, 3}}, QStringLiteral("x")));
    EXPECT_FALSE(ReplaceMatch(history, document.store(), cat, {1, 1, {0, 2}}, QStringLiteral("x")));
    FindQuery textOnly{QStringLiteral("кот"), 0b10, false, false, false};
    EXPECT_FALSE(ReplaceMatch(history, document.store(), CellMatcher::compile(textOnly),
                              {1, 7, {0, 3}}, QStringLiteral("x")));
    EXPECT_EQ(stack.count(), 1);
    history.undo();
    EXPECT_EQ(document.store().cell(1, ColText), Bytes("Кот и кот"));
}

} // namespace
} // namespace dolmex
