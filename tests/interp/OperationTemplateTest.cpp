#include "InterpFixtures.h"

#include "interp/OperationArgs.h"
#include "interp/OperationTemplate.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::MakeTables;

TEST(OperationArgs, KindAndMagnitudeOfEachWord) {
    struct Case {
        const char* word;
        Argument test, resultFirst;
    };
    const Case cases[] = {
        {"5", {1, 5}, {1, 5}},
        {"+7", {4, 7}, {4, 7}},
        {"-7", {3, 7}, {3, 7}},
        {"0", {2, 0}, {2, 0}},
        {"07", {2, 7}, {2, 7}},
        {"", {5, 1}, {7, 1}},
        {"x", {5, 1}, {7, 1}},
        {"12a", {1, 1}, {1, 1}},
        {">5", {5, 1}, {6, 5}},
        {"<5", {5, 1}, {5, 5}},
        {">x", {5, 1}, {6, 1}},
        {">-5", {5, 1}, {6, 1}},
        // The most negative 32-bit number has a magnitude that needs more than 32 bits.
        {"-2147483648", {3, 2147483648LL}, {3, 2147483648LL}},
        {"99999999999", {1, 1}, {1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TestArgument(c.word), c.test) << c.word;
        EXPECT_EQ(ResultFirstArgument(c.word), c.resultFirst) << c.word;
    }
}

TEST(OperationArgs, ItemsEndAtTheFirstEmptyOneAndCodesNeedTwoCharacters) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(LeadingCommaItems("gf 1,  gv 2, x"), (V{"gf 1", "gv 2", "x"}));
    EXPECT_EQ(LeadingCommaItems("gf 1,,gv 2"), (V{"gf 1"}));
    EXPECT_EQ(LeadingCommaItems("gf 1, ,gv 2"), (V{"gf 1"}));
    EXPECT_EQ(LeadingCommaItems(""), V{});
    EXPECT_EQ(AllCommaItems("a,,b,"), (V{"a", "", "b", ""}));
    EXPECT_EQ(OperationCode("g"), "");
    EXPECT_EQ(OperationCode("gv 3"), "gv");
}

struct TemplateCase {
    const char* name;
    const char* templ;
    Argument a1, a2, a3;
    std::string expected;
};

TEST(ExpandTestTemplate, Directives) {
    const LanguageTables tables = MakeTables();
    const TemplateCase cases[] = {
        {"worked example",
         "Skill &S1 ?2{is at least,is zero,is below,is above,is} #2",
         {1, 3},
         {3, 4},
         {5, 1},
         "Skill skill3 is below 4"},
        {"numbers by selector", "#1/#2/#3/#x", {1, 1}, {1, 2}, {1, 3}, "1/2/3/3"},
        {"choice picks the kind's alternative", "?1{a, b ,c}", {2, 9}, {}, {}, "b "},
        {"! is the same as ?", "!2{a,b,c}", {}, {3, 0}, {}, "c"},
        {"too few alternatives add nothing", "x ?2{a,b} y", {}, {5, 1}, {}, "x y"},
        {"kind 0 adds nothing", "?3{a,b}", {}, {}, {0, 0}, ""},
        {"no brace consumes the rest", "a ?1 b c", {1, 1}, {}, {}, "a "},
        {"two blanks collapse", "a  b   c", {}, {}, {}, "a b c"},
        {"blank after an output ending in a blank", "?1{x } y", {1, 1}, {}, {}, "x y"},
        {"blanks inside an alternative stay", "?1{a  b}", {1, 1}, {}, {}, "a  b"},
        {"skill 15 is the last name", "&S1", {1, 15}, {}, {}, "skill15"},
        {"skill 16 is unknown though the table is longer", "&S1", {1, 16}, {}, {}, "unknown"},
        {"&S3 takes argument 2, not 3", "&S3", {1, 1}, {1, 2}, {1, 3}, "skill2"},
        {"colleges", "&C1 &C1", {1, 16}, {}, {}, "college16 college16"},
        {"college 17", "&C1", {1, 17}, {}, {}, "unknown"},
        {"race 0 is empty", "[&R1]", {2, 0}, {}, {}, "[]"},
        {"degree 4", "&D1", {1, 4}, {}, {}, "unknown"},
        {"quest 6 and 7", "&Q1 &Q2", {1, 6}, {1, 7}, {}, "quest6 unknown"},
        {"huge magnitude", "&Q1", {3, 2147483648LL}, {}, {}, "unknown"},
        {"unknown table letter", "a&X1b", {1, 1}, {}, {}, "ab"},
        {"number at the very end", "n=#", {1, 1}, {1, 2}, {1, 3}, "n=3"},
        {"name at the very end", "&S", {1, 1}, {1, 2}, {}, "skill2"},
        {"empty template", "", {}, {}, {}, ""},
    };
    for (const auto& c : cases) {
        LanguageTables t = tables;
        t.test.add({"zz", c.templ});
        EXPECT_EQ(ExpandTestTemplate(t, 1, c.a1, c.a2, c.a3), c.expected) << c.name;
    }
    EXPECT_EQ(ExpandTestTemplate(tables, 1, {1, 1}, {}, {}), "") << "no such entry";
}

TEST(ExpandResultTemplate, TwoArgumentsAndSevenKinds) {
    const LanguageTables tables = MakeTables();
    const TemplateCase cases[] = {
        {"kind 6", "?1{a,b,c,d,e,f,g}", {6, 5}, {}, {}, "f"},
        {"kind 7", "?1{a,b,c,d,e,f,g}", {7, 1}, {}, {}, "g"},
        {"any selector but 1 is argument 2", "#1 #2 #3 #x", {1, 1}, {1, 2}, {}, "1 2 2 2"},
        {"names", "&S1 &S2", {1, 3}, {1, 4}, {}, "skill3 skill4"},
    };
    for (const auto& c : cases) {
        LanguageTables t = tables;
        t.result.add({"zz", c.templ});
        EXPECT_EQ(ExpandResultTemplate(t, 1, c.a1, c.a2), c.expected) << c.name;
    }
}

} // namespace
} // namespace dolmex
