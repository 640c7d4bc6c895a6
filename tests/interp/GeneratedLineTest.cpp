#include "InterpFixtures.h"

#include "interp/GeneratedLine.h"

#include <gtest/gtest.h>

#include <cctype>

namespace dolmex {
namespace {

using test::B;
using test::Describing;
using test::P;
using test::SetKind;
using Lines = std::vector<DescLine>;
using Moves = std::vector<std::string>;

struct Case {
    const char* name;
    const char* text;
    const char* phrase; // nullptr: the letter has no kind
    Lines expected;
    Moves moves = {};
};

void Check(const Case& c, bool showExplanation, const char* explanation = "") {
    Describing d;
    if (c.phrase)
        SetKind(d.tables, static_cast<char>(std::toupper(c.text[0])), "Kind", explanation,
                c.phrase);
    GenerDialog(d.context(), c.text, showExplanation);
    EXPECT_EQ(d.panel.lines(), c.expected) << c.name;
    EXPECT_EQ(d.panel.moves(), c.moves) << c.name;
    EXPECT_FALSE(d.panel.bold()) << c.name;
}

TEST(GenerDialog, PlainTextsAndHeadings) {
    const Case cases[] = {
        {"one character adds nothing", "a", "x", {}},
        {"two characters are a text", "ab", "x", {P("\"ab\"")}},
        {"colon not second", "Hello: friend", "x", {P("\"Hello: friend\"")}},
        {"no arguments: only the heading", "G:", "*G1", {B("md11 \"Kind\"")}},
        {"letter without a kind", "Z:1", nullptr, {P("\"Z:1\"")}},
        {"not a letter", "1:2", nullptr, {P("\"1:2\"")}},
        {"lower-case letter", "t:5", "<#1>", {B("md11 \"Kind\""), P("<5>")}, {"To line 5"}},
    };
    for (const auto& c : cases)
        Check(c, false);
}

TEST(GenerDialog, ExplanationOnlyWithTheOption) {
    Check({"explained",
           "T:5",
           "#1",
           {B("md11 \"Kind\""), P("Says hello"), B("md12"), P("5")},
           {"To line 5"}},
          true, "Says hello");
    Check({"explained, no arguments", "T:", "#1", {B("md11 \"Kind\""), P("Says hello")}}, true,
          "Says hello");
    Check({"option off", "T:5", "#1", {B("md11 \"Kind\""), P("5")}, {"To line 5"}}, false,
          "Says hello");
    Check({"nothing to explain", "T:5", "#1", {B("md11 \"Kind\""), P("5")}, {"To line 5"}}, true);
}

TEST(GenerDialog, TemplateDirectives) {
    const auto heading = B("md11 \"Kind\"");
    const Case cases[] = {
        {"item and its jump", "T:12", "go #1", {heading, P("go 12")}, {"To line 12"}},
        {"missing item jumps to -1", "T:12", "#2|#x", {heading, P("|")}, {"To line -1"}},
        {"plain item", "T:a, b", "%2-%1", {heading, P("b-a")}},
        {"literals keep every blank", "T:1", "a  b ", {heading, P("a  b ")}},
        {"area list", "T:5,7,,9", "*A2", {heading, P("7,9")}},
        {"list from an empty item", "T:,7", "*A1", {heading, P(",7")}},
        {"list stops at item 20",
         "T:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21",
         "*A9",
         {heading, P("9,10,11,12,13,14,15,16,17,18,19,20")}},
        {"skill list", "T:3,99", "*S1", {heading, P("3 (skill3),99")}},
        {"skill 15 and 16", "T:15, 16,x", "*S1", {heading, P("15 (skill15),16,x")}},
        {"unknown list letter", "T:1", "*X1", {heading, P("1")}},
        {"spell 80", "T:80", "&Mx", {heading, P("spell79")}},
        {"spell 1", "T:1", "&Mx", {heading, P("spell0")}},
        {"spell 81", "T:81", "&Mx", {heading, P("unknown")}},
        {"spell 0", "T:0", "&Mx", {heading, P("unknown")}},
        {"negative name index", "T:-1", "[&Sx]", {heading, P("[]")}},
        {"non-numeric name index", "T:x", "[&Sx]", {heading, P("[]")}},
        {"skill 16", "T:16", "&Sx", {heading, P("unknown")}},
        {"other tables",
         "T:6",
         "&Cx &Dx &Qx &Rx &Zx.",
         {heading, P("college6 unknown quest6 race6 .")}},
        {"directive at the end", "T:3", "#", {heading, P("")}, {"To line -1"}},
    };
    for (const auto& c : cases)
        Check(c, false);
}

TEST(GenerDialog, GreetingConditionsReplaceTheOutput) {
    const auto heading = B("md11 \"Kind\"");
    const Case cases[] = {
        {"three conditions",
         "G:1 fl 30, 2 0, 3 45",
         "before *G1 after",
         {heading, P("gt10 30 gt13 gt1"), P("gt12 - gt2"), P("gt11 45 gt13 gt3")},
         {"To line 45"}},
        {"invalid conditions are skipped",
         "G:10 0, x 0, 1 -4, 1 x, 1, 2 0",
         "*G1",
         {heading, P("gt12 - gt2")}},
        {"stops at the first empty item", "G:1 0,,2 0", "*G1", {heading, P("gt12 - gt1")}},
        {"from item n", "G:1 0,2 0", "*G2", {heading, P("gt12 - gt2")}},
        {"underscores read as blanks",
         "G:1 fl my_flag",
         "*G1",
         {heading, P("gt10 my flag gt13 gt1")}},
    };
    for (const auto& c : cases)
        Check(c, false);
}

TEST(GenerDialog, LooksUpAreasRumoursAndQuests) {
    struct LookupCase {
        const char* text;
        const char* phrase;
        MessageKind kind;
        std::vector<std::string> texts;
    };
    const LookupCase cases[] = {
        {"T:5,7,,9", "*A2", MessageKind::Area, {"7 - \"b\"", "9 - \"c\""}},
        {"T:1,2", "*R1", MessageKind::Rumour, {"1 - \"r1\"", "2 - \"r2\""}},
        {"Q:5-7", "%1", MessageKind::Quest, {"5 - \"q5\"", "7 - \"q7\""}},
        {"T:5-7", "%1", MessageKind::Quest, {}},
    };
    for (const auto& c : cases) {
        Describing d;
        d.source.setFile(MessageKind::Area, "{5}{/a}\n{7}{/b}\n{9}{/c}\n");
        d.source.setFile(MessageKind::Rumour, "{1}{x}\n{20}{r1}\n{40}{r2}\n");
        d.source.setFile(MessageKind::Quest, "{5}{q5}\n{7}{q7}\n");
        SetKind(d.tables, c.text[0], "Kind", "", c.phrase);
        GenerDialog(d.context(), c.text, false);
        EXPECT_EQ(d.store.texts(c.kind), c.texts) << c.text;
    }
}

} // namespace
} // namespace dolmex
