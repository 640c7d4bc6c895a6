#include "PlayFixtures.h"

#include "play/PlayRules.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using Kind = HiddenReason::Kind;

struct VisibilityCase {
    const char* gender;
    const char* intelligence;
    Character character;
    std::vector<HiddenReason> hidden;
};

constexpr Character Male(int intelligence) {
    return {Gender::Male, intelligence};
}
constexpr Character Female(int intelligence) {
    return {Gender::Female, intelligence};
}

TEST(PlayRules, GenderAndIntelligenceDecideWhoMayChooseAnAnswer) {
    const VisibilityCase cases[] = {
        // Gender: empty and -1 any player, 0 male, 1 female, anything else no one.
        {"", "1", Male(10), {}},
        {"", "1", Female(10), {}},
        {"-1", "1", Male(10), {}},
        {"-1", "1", Female(10), {}},
        {"0", "1", Male(10), {}},
        {"0", "1", Female(10), {{Kind::MaleOnly, 0, {}}}},
        {"1", "1", Male(10), {{Kind::FemaleOnly, 0, {}}}},
        {"1", "1", Female(10), {}},
        {"2", "1", Male(10), {{Kind::UnknownGender, 0, "2"}}},
        {"-2", "1", Female(10), {{Kind::UnknownGender, 0, "-2"}}},
        {"x", "1", Female(10), {{Kind::UnknownGender, 0, "x"}}},
        // n needs at least n; -n allows at most n; each at its bound and past it.
        {"", "10", Male(10), {}},
        {"", "10", Male(9), {{Kind::TooDim, 10, {}}}},
        {"", "-10", Male(10), {}},
        {"", "-10", Male(11), {{Kind::TooBright, 10, {}}}},
        {"", "1", Male(1), {}},
        {"", "-1", Male(1), {}},
        {"", "-1", Male(2), {{Kind::TooBright, 1, {}}}},
        {"", "20", Female(20), {}},
        {"", "20", Female(19), {{Kind::TooDim, 20, {}}}},
        {"", "-20", Female(20), {}},
        {"", "21", Female(20), {{Kind::TooDim, 21, {}}}},
        {"", "-19", Female(20), {{Kind::TooBright, 19, {}}}},
        // 0 sets no bound; what is no whole number hides the answer.
        {"", "0", Male(1), {}},
        {"", "0", Female(20), {}},
        {"", "x", Male(10), {{Kind::NotWholeNumber, 0, "x"}}},
        {"", " ", Male(10), {{Kind::NotWholeNumber, 0, " "}}},
        // Both reasons, gender first.
        {"0", "5", Female(4), {{Kind::MaleOnly, 0, {}}, {Kind::TooDim, 5, {}}}},
    };
    const TestAssumptions passing;
    for (const VisibilityCase& c : cases) {
        SCOPED_TRACE(std::string("gender '") + c.gender + "', intelligence '" + c.intelligence +
                     "', character " + std::to_string(c.character.intelligence));
        const PackedLine line{"7", "Hi", c.gender, c.intelligence};
        EXPECT_EQ(HiddenReasons(line, 3, c.character, passing), c.hidden);
        EXPECT_EQ(IsOffered(line, 3, c.character, passing), c.hidden.empty());
    }
}

TEST(PlayRules, TestsPassUntilOneOrAllAreSetToFail) {
    const PackedLine line{"7", "Hi", "", "1", "gv 1 2, gf 3 1"};
    TestAssumptions tests;
    EXPECT_TRUE(HiddenReasons(line, 3, Male(10), tests).empty());
    EXPECT_TRUE(IsOffered(line, 3, Male(10), tests));
    tests.setFails(3, 2, true);
    EXPECT_EQ(HiddenReasons(line, 3, Male(10), tests),
              (std::vector<HiddenReason>{{Kind::TestFails, 2, {}}}));
    EXPECT_FALSE(IsOffered(line, 3, Male(10), tests));
    // Another row's test of the same number is not this one.
    EXPECT_TRUE(HiddenReasons(line, 4, Male(10), tests).empty());
    tests.setFails(3, 2, false);
    EXPECT_TRUE(HiddenReasons(line, 3, Male(10), tests).empty());
    tests.setAllFail(true);
    EXPECT_EQ(HiddenReasons(line, 3, Male(10), tests),
              (std::vector<HiddenReason>{{Kind::TestFails, 1, {}}, {Kind::TestFails, 2, {}}}));
    // A line without tests has nothing that could fail.
    EXPECT_TRUE(HiddenReasons(PackedLine{"8", "Bye", "", "1"}, 3, Male(10), tests).empty());
}

TEST(PlayRules, ReasonsAreWordedByTheLanguageFile) {
    const LanguageTables& t = test::English();
    const std::pair<HiddenReason, std::string> cases[] = {
        {{Kind::MaleOnly, 0, {}}, "male player only"},
        {{Kind::FemaleOnly, 0, {}}, "female player only"},
        {{Kind::UnknownGender, 0, "7"}, "the gender condition 7 is none the game knows"},
        {{Kind::TooDim, 8, {}}, "min. intelligence 8"},
        {{Kind::TooBright, 4, {}}, "max. intelligence 4"},
        {{Kind::NotWholeNumber, 0, "x"}, "the intelligence x is not a whole number"},
        {{Kind::TestFails, 2, {}}, "test 2 fails"},
    };
    for (const auto& [reason, words] : cases)
        EXPECT_EQ(DescribeHidden(t, reason), words);
}

TEST(PlayRules, FillReplacesBothPlaceholdersAndLeavesOtherPercentSigns) {
    EXPECT_EQ(Fill("%2 of %1, 100%", "a", "b"), "b of a, 100%");
    EXPECT_EQ(Fill("%1%1", "x"), "xx");
}

} // namespace
} // namespace dolmex
