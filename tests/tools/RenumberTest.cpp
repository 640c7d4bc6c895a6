#include "ToolFixtures.h"
#include "editing/EditSession.h"

#include "core/Document.h"
#include "tools/Renumber.h"

#include <gtest/gtest.h>

#include <tuple>

namespace dolmex {
namespace {

using test::Column;
using test::Row;
using test::With;
using Strings = std::vector<std::string>;

RenumberOptions Continuous(int step) {
    RenumberOptions options;
    options.step = step;
    return options;
}

RenumberOptions Blocks(int size, int step) {
    RenumberOptions options;
    options.blocks = true;
    options.blockSize = size;
    options.step = step;
    return options;
}

TEST(Renumber, NumbersRowsByScheme) {
    const DialogLine npc = Row("5");
    const DialogLine player = Row("7", "1");
    struct Case {
        const char* name;
        RenumberOptions options;
        std::vector<DialogLine> rows;
        Strings numbers;
    };
    std::vector<DialogLine> longBlock{npc};
    Strings longNumbers{"10"};
    for (int i = 11; i <= 22; ++i) {
        longBlock.push_back(player);
        longNumbers.push_back(std::to_string(i));
    }
    longBlock.push_back(npc);
    longNumbers.push_back("30");
    const Case cases[] = {
        {"continuous step 1", Continuous(1), {Row("5"), Row("7", "1"), Row("9")}, {"1", "2", "3"}},
        {"continuous step 5", Continuous(5), {npc, player, npc}, {"5", "10", "15"}},
        {"blocks of ten",
         Blocks(10, 1),
         {npc, player, player, npc, player},
         {"10", "11", "12", "20", "21"}},
        {"a block runs past its size", Blocks(10, 1), longBlock, longNumbers},
        {"first row a player line",
         Blocks(10, 3),
         {player, player, player, player, npc},
         {"3", "6", "9", "12", "20"}},
        {"an empty row starts a block",
         Blocks(10, 1),
         {npc, DialogLine{}, player},
         {"10", "20", "21"}},
        {"blanks in the intelligence cell make an NPC line",
         Blocks(10, 1),
         {npc, Row("6", "  "), player},
         {"10", "20", "21"}},
        {"rows without a valid number are numbered too",
         Continuous(2),
         {Row("abc"), Row(""), Row("-4"), Row("0")},
         {"2", "4", "6", "8"}},
    };
    for (const Case& c : cases) {
        const auto outcome = RenumberLines(DialogLines(c.rows.begin(), c.rows.end()), c.options);
        ASSERT_TRUE(outcome) << c.name;
        EXPECT_EQ(Column(outcome->lines, ColNumber), c.numbers) << c.name;
        EXPECT_EQ(outcome->lastNumber, std::stoi(c.numbers.back())) << c.name;
    }
    EXPECT_EQ(RenumberLines({}, Continuous(1))->lastNumber, 0);
}

TEST(Renumber, RefusesWhatTheOptionsWindowRefuses) {
    struct Case {
        const char* name;
        RenumberFormValues form;
        bool accepted;
    };
    auto form = [](bool blocks, const char* e1, const char* e2, const char* e3) {
        RenumberFormValues values;
        values.blocks = blocks;
        values.edit1 = e1;
        values.edit2 = e2;
        values.edit3 = e3;
        return values;
    };
    const Case cases[] = {
        {"defaults", RenumberFormValues{}, true},
        {"step 99", form(false, "99", "x", "x"), true},
        {"step 0", form(false, "0", "1", "10"), false},
        {"step 100", form(false, "100", "1", "10"), false},
        {"empty step", form(false, "", "1", "10"), false},
        {"step not a number", form(false, "a", "1", "10"), false},
        {"negative step", form(false, "-1", "1", "10"), false},
        {"blocks ignore the continuous step", form(true, "x", "1", "10"), true},
        {"block size equal to the step", form(true, "1", "10", "10"), false},
        {"block size 0", form(true, "1", "1", "0"), false},
        {"empty block size", form(true, "1", "1", ""), false},
        {"largest blocks", form(true, "1", "98", "99"), true},
        {"block step 0", form(true, "1", "0", "10"), false},
    };
    for (const Case& c : cases) {
        const auto options = ReadRenumberOptions(c.form);
        EXPECT_EQ(options.has_value(), c.accepted) << c.name;
        if (options) {
            const auto outcome = RenumberLines({}, *options);
            EXPECT_TRUE(outcome) << c.name;
        }
    }
    const auto blocks = ReadRenumberOptions(form(true, "7", "2", "20"));
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->step, 2);
    EXPECT_EQ(blocks->blockSize, 20);
    EXPECT_FALSE(RenumberLines({Row("1")}, Blocks(10, 10)));
}

struct RewriteCase {
    const char* name;
    int column;
    std::string cell;
    std::string expected;
    std::vector<std::string> unresolved; // referenced numbers, in order
};

void CheckRewrites(const RewriteCase* begin, const RewriteCase* end, ReferenceScope scope) {
    const LineNumberMap map({{12, 30}, {13, 31}, {120, 40}, {70000, 80000}});
    for (const RewriteCase* c = begin; c != end; ++c) {
        const PackedLine stored(With(Row("7"), c->column, c->cell));
        LineRewrite line(stored);
        std::vector<UnresolvedReference> unresolved;
        RewriteReferences(line, 4, map, scope, unresolved);
        EXPECT_EQ(line[c->column], c->expected) << c->name;
        Strings referenced;
        for (const UnresolvedReference& reference : unresolved) {
            referenced.push_back(reference.referenced);
            EXPECT_EQ(reference.row, 4) << c->name;
            EXPECT_EQ(reference.column, c->column) << c->name;
            EXPECT_EQ(reference.lineNumber, "7") << c->name;
        }
        EXPECT_EQ(referenced, c->unresolved) << c->name;
    }
}

TEST(Renumber, RewritesEveryFormOfReference) {
    const RewriteCase cases[] = {
        {"response", ColResponse, "12", "30", {}},
        {"response to a missing line", ColResponse, "55", "55", {"55"}},
        {"response 0", ColResponse, "0", "0", {}},
        {"negative response", ColResponse, "-1", "-1", {}},
        {"empty response", ColResponse, "", "", {}},
        {"response not a number", ColResponse, "1 2", "1 2", {}},
        {"response above 65535", ColResponse, "70000", "80000", {}},
        {"G: list", ColText, "G: a 12, b 13", "G:a 30,b 31 ", {}},
        {"G: list is rewritten even when nothing changes", ColText, "G: a x", "G:a x ", {}},
        {"G: item with words after the number", ColText, "G:a_b 12 extra", "G:a b 30 ", {}},
        {"G: greeting conditions", ColText, "G:1 fl 30, 2 0, 3 55", "G:1 fl 30,2 0,3 55 ", {"55"}},
        {"G: empty item keeps what follows", ColText, "G:a 12,,b 13", "G:a 30,,b 31 ", {}},
        {"G: empty first item", ColText, "G:, a 12", "G:,a 30 ", {}},
        {"G: trailing empty items go", ColText, "G:a 12, ,", "G:a 30 ", {}},
        {"G: nothing but commas", ColText, "G:,,", "G:", {}},
        {"G: in the gender text", ColGender, "G:a 13", "G:a 31 ", {}},
        {"lower-case g", ColText, "g: a 12", "g: a 12", {}},
        {"G: alone", ColText, "G:", "G:", {}},
        {"M: text", ColText, "M:x,12", "M:x,30", {}},
        {"M: drops items after the line", ColText, "M:x,12,y", "M:x,30", {}},
        {"M: with a blank before the line", ColGender, "M:x, 13", "M:x,31", {}},
        {"M: to a missing line", ColText, "M:x,55,y", "M:x,55,y", {"55"}},
        {"M: without a line", ColText, "M:x", "M:x", {}},
        {"results", ColResult, "gf 1 2, jo 0 12", "gf 1 2,jo0 30", {}},
        {"uw", ColResult, "uw 3 120", "uw3 40", {}},
        {"et to a missing line", ColResult, "et 5 55, uw 1 13", "et 5 55,uw1 31", {"55"}},
        {"results with an empty item", ColResult, "gf 1 2,,jo 0 12", "gf 1 2,,jo0 30", {}},
        {"results with an empty first item", ColResult, ", jo 1 12", ",jo1 30", {}},
        {"result codes are case-sensitive", ColResult, " JO 0 12", "JO 0 12", {}},
        {"a trailing comma goes", ColResult, "jo 0 12,", "jo0 30", {}},
        {"short result cell", ColResult, " a", " a", {}},
    };
    CheckRewrites(std::begin(cases), std::end(cases), ReferenceScope{});
}

TEST(Renumber, LeavesUncheckedKindsAlone) {
    const RewriteCase cases[] = {
        {"G: text", ColText, "G: a 12", "G: a 12", {}},
        {"M: text", ColGender, "M:x,55", "M:x,55", {}},
        {"results", ColResult, "jo 0 12", "jo 0 12", {}},
        {"the response is always rewritten", ColResponse, "12", "30", {}},
    };
    CheckRewrites(std::begin(cases), std::end(cases), ReferenceScope{false, false});
}

TEST(Renumber, MapsDenseAndSparseNumbersAlike) {
    // 2000000000 makes the second map sparse.
    for (const std::int32_t far : {90, 2000000000}) {
        const LineNumberMap map({{12, 1}, {-3, 2}, {0, 3}, {12, 4}, {far, 5}});
        EXPECT_EQ(map.find(12), 4) << far;
        EXPECT_EQ(map.find(far), 5) << far;
        EXPECT_EQ(map.find(13), 0) << far;
        EXPECT_EQ(map.find(-3), 0) << far;
        EXPECT_EQ(map.find(0), 0) << far;
        EXPECT_EQ(map.find(2147483647), 0) << far;
    }
    EXPECT_EQ(LineNumberMap().find(1), 0);
}

TEST(Renumber, ReferencesToARepeatedNumberGoToTheLaterRow) {
    const DialogLines lines{Row("12"), Row("12"), With(Row("3"), ColResponse, "12")};
    const auto outcome = RenumberLines(lines, Continuous(1));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->lines[2][ColResponse], "2");
    EXPECT_TRUE(outcome->unresolved.empty());
}

TEST(Renumber, NumbersPast65535DoNotWrap) {
    // Old numbers run downwards from 200000 and each line answers with the next one.
    constexpr int kRows = 70000;
    DialogLines lines;
    for (int i = 0; i < kRows; ++i) {
        DialogLine line = Row(std::to_string(200000 - i));
        line[ColResponse] = std::to_string(200000 - i - 1);
        line[ColResult] = "uw 1 " + std::to_string(200000 - i);
        lines.push_back(std::move(line));
    }
    const auto outcome = RenumberLines(std::move(lines), Continuous(1));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->lastNumber, kRows);
    EXPECT_EQ(outcome->lines[65535][ColNumber], "65536");
    EXPECT_EQ(outcome->lines[65535][ColResponse], "65537");
    EXPECT_EQ(outcome->lines[65535][ColResult], "uw1 65536");
    // Only the last line's response names a line that does not exist.
    ASSERT_EQ(outcome->unresolved.size(), 1u);
    EXPECT_EQ(outcome->unresolved[0].row, kRows);

    // Run again: numbers above 9999 are still followed.
    const auto again = RenumberLines(outcome->lines, Continuous(2));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->lines[65535][ColResponse], "131074");
}

TEST(Renumber, ListsQuestLines) {
    struct Case {
        const char* text;
        std::int32_t quest;
    };
    const Case cases[] = {
        {"Q:15", 15}, {"Q:007", 7}, {"Q:15 x", -1}, {"Q:", -1},   {"Q:0", -1},
        {"q:5", -1},  {"Q:$F", -1}, {"Q:-3", -1},   {"Q: 4", -1}, {"xQ:4", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuestNumber(c.text), c.quest) << c.text;

    const DialogLines lines{With(Row("5"), ColText, "Q:15"), With(Row("6"), ColText, "hi"),
                            With(Row("9", "1"), ColText, "Q:3")};
    const auto outcome = RenumberLines(lines, Continuous(10));
    ASSERT_TRUE(outcome);
    ASSERT_EQ(outcome->quests.size(), 2u);
    EXPECT_EQ(outcome->quests[1].quest, 3);
    EXPECT_EQ(outcome->quests[1].lineNumber, "30");
    RenumberOptions noQuests = Continuous(1);
    noQuests.listQuests = false;
    EXPECT_TRUE(RenumberLines(lines, noQuests)->quests.empty());
}

TEST(Renumber, ReportsInOrder) {
    const LanguageTables tables = test::NumberedTables();
    DialogLine first = With(Row("5"), ColResponse, "55");
    first[ColText] = "G:a 66";
    first[ColGender] = "M:x,77";
    first[ColResult] = "jo 0 88, et 1 5";
    const DialogLines lines{first, With(Row("6", "1"), ColText, "Q:15")};
    const auto outcome = RenumberLines(lines, Continuous(1));
    ASSERT_TRUE(outcome);
    const std::vector<ReportLine> expected{
        {true, "MD23"},
        {false, "MD14 - 2"},
        {true, "MD24"},
        {false, "MD25 - 2"},
        {true, "MD26"},
        {false, "MD18 !!!!"},
        {true, "MD19"},
        {false, "MD0 1 : MD20 Respone Line MD21 55"},
        {false, "MD0 1 : MD20 MD27 G: MD21 66"},
        {false, "MD0 1 : MD20 MD27 M: MD21 77"},
        {false, "MD0 1 : MD20 MD28 jo MD21 88"},
        {true, "MD29 :"},
        {false, "15 MD30 2"},
        {true, "MD32 !"},
    };
    EXPECT_EQ(RenumberReport(*outcome, 2, tables), expected);

    const auto clean = RenumberLines({Row("3")}, Continuous(1));
    const std::vector<ReportLine> short_{{true, "MD23"}, {false, "MD14 - 1"},
                                         {true, "MD24"}, {false, "MD25 - 1"},
                                         {true, "MD26"}, {true, "MD32 !"}};
    EXPECT_EQ(RenumberReport(*clean, 1, tables), short_);
}

TEST(Renumber, ChangesTheDocumentOnlyWhenTheOptionsAreAccepted) {
    const LanguageTables tables = test::NumberedTables();
    Document document;
    PlainEditSession session(document);
    test::Fill(document.store(), {Row("5"), With(Row("9", "1"), ColResponse, "5")});
    document.setModified(false);

    const auto renumber = [&](const RenumberOptions& options) {
        return session.perform(EditVerb::Renumber,
                               [&](LineStore& store) { return Renumber(store, options, tables); });
    };
    EXPECT_FALSE(renumber(Blocks(0, 1)));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(Column(document.store(), ColNumber), (Strings{"5", "9"}));

    const auto report = renumber(Continuous(1));
    ASSERT_TRUE(report);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(Column(document.store(), ColNumber), (Strings{"1", "2"}));
    EXPECT_EQ(document.store().cell(2, ColResponse), "1");
    EXPECT_EQ(report->back(), (ReportLine{true, "MD32 !"}));
}

// The places VisitReferences names are exactly those renumbering reports when no line
// has the number, in the same order.
TEST(References, TheVisitorSeesWhatRenumberingRewrites) {
    const PackedLine rows[] = {
        {"1", "G: a 12, b x, c 13", "M:x,14,y", "", "", "15", "gf 1 2, jo 0 16,, uw3 17, et"},
        {"2", "G:, a 12", "G:a 0", "", "", "-3", "jo 0 0"},
        {"3", "g: a 12", "M:x", "", "", "0", "uw"},
        {"4", "M:,5", "G:a_b 6 7", "", "", "x", "et 1 2 3"},
    };
    for (const ReferenceScope scope :
         {ReferenceScope{}, ReferenceScope{false, true}, ReferenceScope{true, false}}) {
        for (const PackedLine& row : rows) {
            SCOPED_TRACE(std::string(row[ColNumber]) + (scope.generated ? " G" : "") +
                         (scope.results ? " R" : ""));
            LineRewrite line(row);
            std::vector<UnresolvedReference> unresolved;
            RewriteReferences(line, 1, LineNumberMap(), scope, unresolved);
            std::vector<std::tuple<int, ReferenceKind, std::string, std::int32_t>> reported, seen;
            for (const UnresolvedReference& r : unresolved)
                reported.emplace_back(r.column, r.kind, r.code, std::stoi(r.referenced));
            VisitReferences(row, scope, [&](const ReferenceSite& site) {
                seen.emplace_back(site.column, site.kind, std::string(site.code), site.number);
            });
            EXPECT_EQ(seen, reported);
        }
    }
}

} // namespace
} // namespace dolmex
