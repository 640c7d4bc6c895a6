#include "InterpFixtures.h"

#include "core/LineStore.h"
#include "interp/LineDescriber.h"
#include "interp/Navigation.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::B;
using test::MakeTables;
using test::P;
using test::SetKind;
using Lines = std::vector<DescLine>;
using Moves = std::vector<std::string>;

// N, Text, G, I, Test, R, Result, comment
LineStore Store(std::vector<DialogLine> lines) {
    LineStore store;
    store.replaceAll({lines.begin(), lines.end()});
    return store;
}

const StatusPanels kPrevious{"old 0", "old 1", "old 2"};

struct Fixture {
    LanguageTables tables = MakeTables();
    MemoryMessageSource source;
    LineDescriber describer{tables, source};

    LineDescription describe(const LineStore& store, int row, DisplayOptions options = {}) {
        return describer.MakeLineDescr(store, row, kPrevious, options);
    }
};

TEST(MakeLineDescr, EmptyRowAndUnknownGender) {
    Fixture f;
    const LineDescription empty = f.describe(LineStore(), 1);
    EXPECT_EQ(empty.lines, (Lines{B("Empty Line")}));
    EXPECT_TRUE(empty.moves.empty());
    EXPECT_EQ(empty.status, (StatusPanels{"old 0", "old 1", "Lines : 1"}));

    // A comment alone does not make a row a record.
    const LineStore commented = Store({{"", "", "", "", "", "", "", "just a comment"}});
    EXPECT_EQ(f.describe(commented, 1).lines, (Lines{B("Empty Line")}));

    for (const char* gender : {"2", "-2", "7"}) {
        const LineStore store = Store({{"1", "Hi", gender, "", "", "5", "gf 1", "c"},
                                       {"2", "Hi", gender, "1", "", "5", "gf 1", "c"}});
        for (int row : {1, 2}) {
            const LineDescription d = f.describe(store, row);
            EXPECT_TRUE(d.lines.empty()) << gender;
            EXPECT_TRUE(d.moves.empty()) << gender;
            EXPECT_EQ(d.status, (StatusPanels{"old 0", "old 1", "Lines : 2"})) << gender;
        }
    }
}

TEST(MakeLineDescr, Headings) {
    struct Case {
        const char* name;
        DialogLine line;
        std::string heading;
    };
    const Case cases[] = {
        {"NPC line", {"10", "Hi", "", "", "", "", "", ""}, "Line 10 - md1 NPC"},
        {"intelligence 0 is an NPC line",
         {"10", "Hi", "", "0", "", "", "", ""},
         "Line 10 - md1 NPC"},
        {"low intelligence",
         {"10", "Hi", "", "-5", "", "", "", ""},
         "Line 10 - md1 PC (gender0) low md2 5"},
        {"high intelligence, male",
         {"10", "Hi", "1", "5", "", "", "", ""},
         "Line 10 - md1 PC (gender2) high md2 5"},
        {"female", {"10", "Hi", "0", "5", "", "", "", ""}, "Line 10 - md1 PC (gender1) high md2 5"},
        {"non-numeric intelligence reads as -1",
         {"10", "Hi", "x", "smart", "", "", "", ""},
         "Line 10 - md1 PC (gender0) low md2 1"},
        {"most negative intelligence",
         {"10", "Hi", "", "-2147483648", "", "", "", ""},
         "Line 10 - md1 PC (gender0) low md2 2147483648"},
    };
    for (const auto& c : cases) {
        Fixture f;
        const LineDescription d = f.describe(Store({c.line}), 1);
        ASSERT_FALSE(d.lines.empty()) << c.name;
        EXPECT_EQ(d.lines.front(), B(c.heading)) << c.name;
    }
}

TEST(MakeLineDescr, NpcTextsAndTheirGenderText) {
    Fixture f;
    const LineStore store = Store({{"1", "Hello", "Hello", "", "gf 1", "", "", ""},
                                   {"2", "Hello", "Hi, lady", "", "", "", "", ""}});
    EXPECT_EQ(f.describe(store, 1).lines, (Lines{B("Line 1 - md1 NPC"), P("\"Hello\"")}))
        << "same text once, and an NPC line's tests are not described";
    EXPECT_EQ(f.describe(store, 2).lines, (Lines{B("Line 2 - md1 NPC"), B("md5"), P("\"Hello\""),
                                                 B("md6"), P("\"Hi, lady\"")}));
}

TEST(MakeLineDescr, StatusPanelsFollowTheOwningNpcLine) {
    // N, Text, G, I, Test, R, Result, comment
    const LineStore store = Store({
        {"1", "a", "", "", "", "", "", "npc one"},
        {"2", "b", "", "1", "", "", "", "pc two"},
        {"3", "c", "", "1", "", "", "", ""},
        {"4", "d", "", "", "", "", "", ""},
        {"5", "e", "", "1", "", "", "", "pc five"},
        {"6", "f", "", "1", "", "", "", ""},
        {"7", "g", "", "0", "", "", "", ""},
        {"8", "h", "", "1", "", "", "", ""},
    });
    struct Case {
        int row;
        StatusPanels status;
    };
    const Case cases[] = {
        {1, {"md43 : npc one", "", "Lines : 8"}},
        {2, {"md43 : npc one", "md44 : pc two", "Lines : 8"}},
        {3, {"md43 : npc one", "", "Lines : 8"}},
        {4, {"md45", "", "Lines : 8"}},
        {5, {"md44 : pc five", "", "Lines : 8"}},
        {6, {"md45", "", "Lines : 8"}},
        // "0" is an NPC line for the panel, but only an empty cell owns player lines.
        {7, {"md45", "", "Lines : 8"}},
        {8, {"md45", "", "Lines : 8"}},
    };
    Fixture f;
    for (const auto& c : cases)
        EXPECT_EQ(f.describe(store, c.row).status, c.status) << "row " << c.row;

    const LineStore orphan = Store({{"1", "a", "", "1", "", "", "", "mine"}});
    EXPECT_EQ(f.describe(orphan, 1).status, (StatusPanels{"old 0", "md44 : mine", "Lines : 1"}))
        << "no NPC line above keeps panel 0";
}

TEST(MakeLineDescr, Responses) {
    struct Case {
        const char* response;
        DescLine line;
        Moves moves;
    };
    const Case cases[] = {
        {"-1", B("Response: Exit 1."), {"Exit 1"}},
        {"x", B("Response: Exit 1."), {"Exit 1"}},
        {"-2147483648", B("Response: Exit 2147483648."), {"Exit 2147483648"}},
        {"0", B("Response: End of dialog"), {"End of dialog"}},
        {"12", B("Response: To line 12 (second)"), {"To line 12"}},
        {"99", B("Response: To line 99"), {"To line 99"}},
        {"012", B("Response: To line 012"), {"To line 012"}},
    };
    for (const auto& c : cases) {
        Fixture f;
        const LineStore store = Store({{"1", "Hi", "", "", "", c.response, "", ""},
                                       {"12", "a", "", "", "", "", "", "first"},
                                       {"12", "b", "", "", "", "", "", "second"},
                                       {"12", "c", "", "", "", "", "", ""}});
        const LineDescription d = f.describe(store, 1);
        EXPECT_EQ(d.lines, (Lines{B("Line 1 - md1 NPC"), P("\"Hi\""), c.line})) << c.response;
        EXPECT_EQ(d.moves, c.moves) << c.response;
    }
}

// The target's comment is looked up in what the describer keeps between refreshes: every
// kind of change to the rows, and another store, must show through.
TEST(MakeLineDescr, ResponseCommentFollowsChangesOfTheRows) {
    Fixture f;
    LineStore store = Store({{"1", "Hi", "", "", "", "12", "", ""},
                             {"12", "a", "", "", "", "", "", "first"},
                             {"12", "b", "", "", "", "", "", ""}});
    const auto response = [&](const LineStore& s) { return f.describe(s, 1).lines.back().text; };
    EXPECT_EQ(response(store), "Response: To line 12 (first)");
    store.setCell(3, ColComment, "second");
    EXPECT_EQ(response(store), "Response: To line 12 (second)");
    store.setCell(3, ColNumber, "13");
    EXPECT_EQ(response(store), "Response: To line 12 (first)");
    store.insertLines(4, {{"12", "c", "", "", "", "", "", "third"}});
    EXPECT_EQ(response(store), "Response: To line 12 (third)");
    store.setLine(4, {"14", "c", "", "", "", "", "", "third"});
    EXPECT_EQ(response(store), "Response: To line 12 (first)");
    store.removeLines(2, 1);
    EXPECT_EQ(response(store), "Response: To line 12");
    const LineStore other = Store(
        {{"1", "Hi", "", "", "", "12", "", ""}, {"12", "a", "", "", "", "", "", "elsewhere"}});
    EXPECT_EQ(response(other), "Response: To line 12 (elsewhere)");
    store.replaceAll(
        {{"1", "Hi", "", "", "", "12", "", ""}, {"12", "a", "", "", "", "", "", "new"}});
    EXPECT_EQ(response(store), "Response: To line 12 (new)");
}

TEST(MakeLineDescr, AWholeLineInOrder) {
    Fixture f;
    f.tables.test.add({"gv", "var #1 is ?2{set,zero,below,above,any}"});
    f.tables.result.add({"uw", "go to #2"});
    f.tables.result.add({"gf", "set flag #1"});
    SetKind(f.tables, 'T', "Talk", "Talks", "to #1 and #2");
    f.source.setFile(MessageKind::GlobalVar, "{7}{Gold}\n");
    f.source.setFile(MessageKind::GlobalFlag, "{3}{Met}\n{7}{Other}\n");
    f.source.setFile(MessageKind::Area, "{1}{/North/}\n");
    const LineStore store = Store({
        {"5", "Hello", "", "", "", "", "", ""},
        {"10", "T:12,20", "1", "4", "gv 7 0, gf 3", "12", "uw 3 12, gf 3, mm 1", "say"},
        {"12", "a", "", "", "", "", "", "target"},
    });
    const LineDescription d = f.describe(store, 2);
    EXPECT_EQ(d.lines, (Lines{
                           B("Line 10 - md1 PC (gender2) high md2 4"),
                           B("md11 \"Talk\""),
                           P("Talks"),
                           B("md12"),
                           P("to 12 and 20"),
                           B("md3"),
                           P("1) var 7 is zero"),
                           B("Response: To line 12 (target)"),
                           B("md4"),
                           P("1) go to 12"),
                           P("2) set flag 3"),
                           B("md34 texts:"),
                           P("1 - \"North\""),
                           B("md40 texts:"),
                           P("3 - \"Met\""),
                           P("3 - \"Met\""),
                           B("md41 texts:"),
                           P("7 - \"Gold\""),
                       }));
    // The generated line, the response and the result name line 12 once.
    EXPECT_EQ(d.moves, (Moves{"To line 12", "To line 20"}));
    EXPECT_EQ(d.status, (StatusPanels{"md44 : say", "", "Lines : 3"}));

    const LineDescription quiet = f.describe(store, 2, {false, false});
    EXPECT_EQ(quiet.lines.size(), d.lines.size() - 9);
    EXPECT_EQ(quiet.lines[1], B("md11 \"Talk\""));
    EXPECT_EQ(quiet.lines[2], P("to 12 and 20"));
    EXPECT_EQ(f.describer.messages().counter(MessageKind::GlobalFlag), 2)
        << "look-ups still run when their texts are hidden";
}

TEST(MakeLineDescr, EachRefreshStartsAfresh) {
    Fixture f;
    f.source.setFile(MessageKind::GlobalFlag, "{3}{Met}\n");
    const LineStore store =
        Store({{"1", "a", "", "1", "gf 3", "4", "", ""}, {"2", "bb", "", "", "", "", "", ""}});
    EXPECT_EQ(f.describe(store, 1).moves.size(), 1u);
    EXPECT_EQ(f.describer.messages().counter(MessageKind::GlobalFlag), 1);
    const LineDescription second = f.describe(store, 2);
    EXPECT_TRUE(second.moves.empty());
    EXPECT_EQ(f.describer.messages().counter(MessageKind::GlobalFlag), 0);
    EXPECT_EQ(second.lines, (Lines{B("Line 2 - md1 NPC"), P("\"bb\"")}));
}

TEST(Navigation, JumpEntries) {
    LanguageTables tables = MakeTables();
    struct Case {
        const char* entry;
        std::optional<std::int32_t> target;
    };
    const Case cases[] = {
        {"To line 12", 12},          {"To  line\t12 extra", 12},
        {"To line x", -1},           {"To line", -1},
        {"Exit 1", std::nullopt},    {"End of dialog", std::nullopt},
        {"Toline 12", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JumpTarget(tables, c.entry), c.target) << c.entry;

    tables.mainDescription.set(10, "Goto");
    EXPECT_EQ(JumpTarget(tables, "Goto 12"), std::nullopt) << "one-word entry 10";
}

TEST(Navigation, ResponceFindsTheLastRowCarryingTheNumber) {
    const LineStore store = Store({{"1", "a", "", "", "", "12", "", ""},
                                   {"12", "b", "", "", "", "0", "", ""},
                                   {"x", "c", "", "", "", "-1", "", ""},
                                   {"12", "d", "", "", "", "", "", ""},
                                   {"$10", "e", "", "", "", "abc", "", ""}});
    EXPECT_EQ(ResponceRow(store, 12), 4);
    EXPECT_EQ(ResponceRow(store, 1), 1);
    EXPECT_EQ(ResponceRow(store, -1), 3);
    EXPECT_EQ(ResponceRow(store, 16), 5);
    EXPECT_EQ(ResponceRow(store, 7), std::nullopt);

    EXPECT_EQ(FollowedResponse(store, 1), 12);
    for (int row : {2, 3, 4, 5})
        EXPECT_EQ(FollowedResponse(store, row), std::nullopt) << row;
}

} // namespace
} // namespace dolmex
