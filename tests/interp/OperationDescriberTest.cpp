#include "InterpFixtures.h"

#include "interp/ResultDescriber.h"
#include "interp/TestDescriber.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::B;
using test::Describing;
using test::P;
using Lines = std::vector<DescLine>;

TEST(TestDesc, NumbersOneLinePerMatchingEntry) {
    struct Case {
        const char* name;
        const char* field;
        Lines expected;
    };
    const Case cases[] = {
        {"empty field: not even the heading", "", {}},
        {"an empty item ends the list", "gf 1,,gv 2", {B("md3"), P("1) flag 1")}},
        {"one character matches no code", "g", {B("md3")}},
        {"two entries, one number",
         "gf 4, gv 5",
         {B("md3"), P("1) flag 4"), P("2) var 5 of 1 alt5"), P("2) var again 5")}},
        {"codes are case-sensitive", "GF 1, gf 2", {B("md3"), P("2) flag 2")}},
        {"unknown codes give no line", "zz 1, gf 2", {B("md3"), P("2) flag 2")}},
        {"third argument", "th 1 2 -3", {B("md3"), P("1) 1 2 3 c")}},
        {"words past the third are ignored", "th 1 2 3 4", {B("md3"), P("1) 1 2 3 a")}},
    };
    for (const auto& c : cases) {
        Describing d;
        d.tables.test.add({"gf", "flag #1"});
        d.tables.test.add({"gv", "var #1 of #2 ?2{alt1,alt2,alt3,alt4,alt5}"});
        d.tables.test.add({"th", "#1 #2 #3 ?3{a,b,c}"});
        d.tables.test.add({"gv", "var again #1"});
        TestDesc(d.context(), c.field);
        EXPECT_EQ(d.panel.lines(), c.expected) << c.name;
        EXPECT_TRUE(d.panel.moves().empty()) << c.name;
    }
}

// Every message file holds the number 7 with a text naming its kind; a code's look-up
// shows in which kind's list the text lands.
struct LookupCase {
    const char* item;
    int kind; // -1: none
};

template <typename Describe>
void CheckLookups(const std::vector<LookupCase>& cases, Describe describe) {
    for (const auto& c : cases) {
        Describing d;
        for (int k = 0; k < kMessageKindCount; ++k)
            d.source.setFile(static_cast<MessageKind>(k),
                             "{7}{k" + std::to_string(k) + "}\n{140}{r}\n");
        describe(d, c.item);
        for (int k = 0; k < kMessageKindCount; ++k)
            EXPECT_EQ(d.store.counter(static_cast<MessageKind>(k)), k == c.kind ? 1 : 0)
                << c.item << " kind " << k;
    }
}

TEST(TestDesc, LooksUpTheNumbersTestsName) {
    CheckLookups({{"ar 7", 0},
                  {"ia -7", 0},
                  {"in 7", 1},
                  {"ni 7", 1},
                  {"pa 7", 1},
                  {"rq 7", 2},
                  {"ru 7", 2},
                  {"qa 7", 3},
                  {"qb 7", 3},
                  {"qu 7", 3},
                  {"rp 7", 4},
                  {"ss 7", 5},
                  {"gf 7", 6},
                  {"gv +7", 7},
                  {"pf 7", 8},
                  {"mm 7", -1},
                  {"Gv 7", -1},
                  {"g", -1}},
                 [](Describing& d, const char* item) { TestDesc(d.context(), item); });
}

TEST(ResultDesc, LooksUpTheNumbersResultsName) {
    CheckLookups({{"mm 7", 0},
                  {"in >7", 1},
                  {"rq 7", 2},
                  {"ru 7", 2},
                  {"qu 7", 3},
                  {"rp 7", 4},
                  {"ss <7", 5},
                  {"gf 7", 6},
                  {"gv 7 1", 7},
                  {"pf 7", 8},
                  {"ar 7", -1},
                  {"qa 7", -1},
                  {"pa 7", -1}},
                 [](Describing& d, const char* item) { ResultDesc(d.context(), item, true); });
}

TEST(ResultDesc, DescribesAndCollectsNavigationEntries) {
    struct Case {
        const char* name;
        const char* field;
        bool collect;
        Lines lines;
        std::vector<std::string> moves;
    };
    const Case cases[] = {
        {"empty field: nothing", "", true, {}, {}},
        {"kinds of the first argument",
         "al >5, al <5, al 5, al x",
         true,
         {B("md4"), P("1) align 5 more"), P("2) align 5 less"), P("3) align 5 pos"),
          P("4) align 1 none")},
         {}},
        {"a jump added once",
         "uw 3 120, uw 3 120",
         true,
         {B("md4"), P("1) jump 120"), P("2) jump 120")},
         {"To line 120"}},
        {"jo without a second argument", "jo 1", true, {B("md4")}, {"To line 1"}},
        {"et", "et 1 -9", true, {B("md4")}, {"To line 9"}},
        {"endings share one entry", "ce, co 2, fl 3 4", true, {B("md4")}, {"End of dialog"}},
        {"no entries outside the refresh", "uw 3 120, ce", false, {B("md4"), P("1) jump 120")}, {}},
        {"an empty item ends the list", "jo 1 5, , jo 1 6", true, {B("md4")}, {"To line 5"}},
    };
    for (const auto& c : cases) {
        Describing d;
        d.tables.result.add({"al", "align #1 ?1{pos,zero,neg,plus,less,more,none}"});
        d.tables.result.add({"uw", "jump #2"});
        ResultDesc(d.context(), c.field, c.collect);
        EXPECT_EQ(d.panel.lines(), c.lines) << c.name;
        EXPECT_EQ(d.panel.moves(), c.moves) << c.name;
    }
}

} // namespace
} // namespace dolmex
