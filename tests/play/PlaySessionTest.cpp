#include "PlayFixtures.h"

#include "play/PlaySession.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::Dialog;
using test::English;

// The headings of the transcript's entries, which say what happened in order.
std::vector<std::string> Headings(const PlaySession& session) {
    std::vector<std::string> headings;
    for (const PlayEntry& entry : session.transcript())
        if (entry.kind != PlayEntry::Kind::Options)
            headings.push_back(entry.lines.front().text);
    return headings;
}

std::vector<std::string> ChoiceLabels(const PlaySession& session) {
    std::vector<std::string> labels;
    for (const PlayChoice& choice : session.choices())
        labels.push_back(session.choiceLabel(choice));
    return labels;
}

struct Played {
    DialogLines lines;
    MemoryMessageSource messages;
    PlaySession session;
    explicit Played(const std::string& records)
        : lines(Dialog(records)), session(lines, English(), messages) {}
};

TEST(PlaySession, TheNpcSpeaksTheGenderTextToAFemaleCharacter) {
    Played p("{1}{Hello, sir.}{Hello, miss.}{}{}{}{}\n{2}{Hi.}{}{1}{}{0}{}");
    ASSERT_TRUE(p.session.startAtLine(1));
    EXPECT_EQ(p.session.transcript().front().lines.at(1).text, "\"Hello, sir.\"");
    p.session.setCharacter({Gender::Female, 10});
    EXPECT_EQ(p.session.transcript().front().lines.at(1).text, "\"Hello, miss.\"");

    Played same("{1}{Hello.}{}{}{}{}{}\n{2}{Hi.}{}{1}{}{0}{}");
    same.session.setCharacter({Gender::Female, 10});
    ASSERT_TRUE(same.session.startAtLine(1));
    EXPECT_EQ(same.session.transcript().front().lines.at(1).text, "\"Hello.\"");
}

TEST(PlaySession, AResponseEndsOrLeadsOnAsItsNumberSays) {
    struct Case {
        const char* response;
        std::vector<std::string> headings; // after "Line 1 (NPC):" and "Chosen 1: [2]"
        std::vector<std::string> waysOn;
    };
    const Case cases[] = {
        {"3", {"Line 3 (NPC):", "No answers; the conversation ends"}, {}},
        {"0", {"end of the conversation"}, {}},
        {"-3", {"end; the next talk starts at line 3"}, {"To line 3 (from the next talk)"}},
        {"x", {"end; the next talk starts at line 1"}, {"To line 1 (from the next talk)"}},
        {"", {"No response; the conversation ends"}, {}},
        {"99", {"No line has the number 99; the run ends"}, {}},
        {"4", {"Line 4 is a player line, not an NPC line; the run ends"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("response '") + c.response + "'");
        Played p(std::string("{1}{Hello.}{}{}{}{}{}\n{2}{Hi.}{}{1}{}{") + c.response +
                 "}{}\n{3}{Well.}{}{}{}{}{}\n\n{4}{Bye.}{}{1}{}{0}{}");
        ASSERT_TRUE(p.session.startAtLine(1));
        ASSERT_TRUE(p.session.choose(0));
        std::vector<std::string> expected = {"Line 1 (NPC):", "Chosen 1: [2]"};
        expected.insert(expected.end(), c.headings.begin(), c.headings.end());
        EXPECT_EQ(Headings(p.session), expected);
        EXPECT_EQ(ChoiceLabels(p.session), c.waysOn);
    }
}

TEST(PlaySession, TheNextTalkAndJumpResultsAreWaysOn) {
    Played p("{1}{Hello.}{}{}{}{}{}\n{2}{Hi.}{}{1}{}{-5}{uw 0 7, jo 0 5, et 1 9}\n"
             "{5}{Again?}{}{}{}{}{}\n{6}{Yes.}{}{1}{}{0}{}\n{7}{Seven.}{}{}{}{}{}");
    ASSERT_TRUE(p.session.startAtLine(1));
    ASSERT_TRUE(p.session.choose(0));
    // Line 5 is named twice and offered once.
    EXPECT_EQ(ChoiceLabels(p.session),
              (std::vector<std::string>{"To line 7 (from the result uw)",
                                        "To line 5 (from the result jo)",
                                        "To line 9 (from the result et)"}));
    ASSERT_TRUE(p.session.choose(1));
    EXPECT_EQ(p.session.currentRow(), 3);
    EXPECT_EQ(ChoiceLabels(p.session), (std::vector<std::string>{"[6] \"Yes.\""}));
    EXPECT_FALSE(p.session.choose(1));
    ASSERT_TRUE(p.session.back());
    ASSERT_TRUE(p.session.choose(2));
    EXPECT_EQ(Headings(p.session).back(), "No line has the number 9; the run ends");
    EXPECT_TRUE(p.session.ended());
}

TEST(PlaySession, AGeneratedGreetingOffersTheLinesItNames) {
    Played p("{1}{G:3 fl 2, 9 0, 8 40, 1 10, 0 10}{}{}{}{}{}\n{10}{Ten.}{}{}{}{}{}\n"
             "{40}{Forty.}{}{}{}{}{}");
    ASSERT_TRUE(p.session.startAtLine(1));
    EXPECT_EQ(ChoiceLabels(p.session),
              (std::vector<std::string>{"To line 40 (from the generated text)",
                                        "To line 10 (from the generated text)"}));
    ASSERT_TRUE(p.session.choose(1));
    EXPECT_EQ(
        Headings(p.session),
        (std::vector<std::string>{"Line 1 (NPC):", "Chosen 2: To line 10 (from the generated text)",
                                  "Line 10 (NPC):", "No answers; the conversation ends"}));
    EXPECT_EQ(p.session.transcript().at(2).row, 2); // the chosen way names its target
}

TEST(PlaySession, ALoopOfLinesWithoutAChoiceStopsWithAMessage) {
    Played p("{1}{Round}{}{}{}{2}{}\n{2}{and round.}{}{}{}{1}{}");
    ASSERT_TRUE(p.session.startAtLine(1));
    const auto& transcript = p.session.transcript();
    ASSERT_FALSE(transcript.empty());
    EXPECT_EQ(transcript.back().lines.front().text,
              "The run stopped after 1000 steps: the lines go round in a loop");
    EXPECT_EQ(static_cast<int>(transcript.size()), PlaySession::kStepLimit + 1);
    EXPECT_TRUE(p.session.ended());
    EXPECT_TRUE(p.session.choices().empty());
}

TEST(PlaySession, ALoopThroughAnswersGoesOnAsLongAsTheUserChooses) {
    Played p("{1}{Again?}{}{}{}{}{}\n{2}{Yes.}{}{1}{}{1}{}");
    ASSERT_TRUE(p.session.startAtLine(1));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(p.session.choose(0)) << i;
    EXPECT_EQ(p.session.currentRow(), 1);
    EXPECT_EQ(p.session.choiceCount(), 50);
}

TEST(PlaySession, HiddenAnswersAreNumberedOutAndListedWithTheirReasons) {
    Played p("{1}{Hello.}{}{}{}{}{}\n{2}{For women.}{1}{1}{}{0}{}\n{3}{Bright.}{}{12}{}{0}{}\n"
             "{4}{Tested.}{}{1}{gv 5 1, zz 1}{0}{}\n{5}{Dim.}{}{-10}{}{0}{}");
    ASSERT_TRUE(p.session.startAtLine(1));
    EXPECT_EQ(ChoiceLabels(p.session),
              (std::vector<std::string>{"[4] \"Tested.\"", "[5] \"Dim.\""}));
    const PlayEntry& options = p.session.transcript().back();
    ASSERT_EQ(options.kind, PlayEntry::Kind::Options);
    EXPECT_EQ(options.lines.at(4).text, "- [2] \"For women.\": female player only");
    EXPECT_EQ(options.lines.at(5).text, "- [3] \"Bright.\": min. intelligence 12");

    // The tests of an answer, described; a code the language file lacks as written.
    const PlayAnswer& tested = p.session.answers().at(2);
    ASSERT_EQ(tested.tests.size(), 2u);
    EXPECT_NE(tested.tests[0].description.find("5"), std::string::npos);
    EXPECT_EQ(tested.tests[1].description, "zz 1");

    p.session.setTestFails(4, 2, true);
    EXPECT_EQ(ChoiceLabels(p.session), (std::vector<std::string>{"[5] \"Dim.\""}));
    EXPECT_TRUE(p.session.answers().at(2).tests[1].fails);
    p.session.setCharacter({Gender::Female, 20});
    EXPECT_EQ(ChoiceLabels(p.session),
              (std::vector<std::string>{"[2] \"For women.\"", "[3] \"Bright.\""}));
    p.session.setAllTestsFail(true);
    p.session.setCharacter({Gender::Male, 10});
    EXPECT_EQ(ChoiceLabels(p.session), (std::vector<std::string>{"[5] \"Dim.\""}));
}

TEST(PlaySession, NoAnswerForTheCharacterIsSaid) {
    Played p("{1}{Hello.}{}{}{}{}{}\n{2}{For women.}{1}{1}{}{0}{}");
    ASSERT_TRUE(p.session.startAtLine(1));
    EXPECT_TRUE(p.session.choices().empty());
    EXPECT_FALSE(p.session.ended());
    EXPECT_EQ(Headings(p.session).back(), "No answer this character may choose");
}

TEST(PlaySession, BackRestartAndAChangedCharacterReplayTheChoices) {
    Played p("{1}{One.}{}{}{}{}{}\n{2}{To three.}{}{1}{}{3}{}\n{3}{Three.}{}{}{}{}{}\n"
             "{4}{Clever, to one.}{}{15}{}{1}{}\n{5}{Bye.}{}{1}{}{0}{}");
    ASSERT_TRUE(p.session.startAtRow(2)); // a player line starts at its block
    EXPECT_EQ(p.session.startRow(), 1);
    p.session.setCharacter({Gender::Male, 15});
    ASSERT_TRUE(p.session.choose(0));
    ASSERT_TRUE(p.session.choose(0)); // line 4, back to line 1
    ASSERT_TRUE(p.session.choose(0));
    EXPECT_EQ(p.session.choiceCount(), 3);
    EXPECT_EQ(p.session.currentRow(), 3);

    // A duller character cannot take line 4: the run keeps what came before it.
    p.session.setCharacter({Gender::Male, 10});
    EXPECT_EQ(p.session.choiceCount(), 1);
    EXPECT_EQ(p.session.currentRow(), 3);
    ASSERT_TRUE(p.session.back());
    EXPECT_EQ(p.session.currentRow(), 1);
    EXPECT_FALSE(p.session.back());
    ASSERT_TRUE(p.session.choose(0));
    p.session.restart();
    EXPECT_EQ(p.session.choiceCount(), 0);
    EXPECT_EQ(Headings(p.session), (std::vector<std::string>{"Line 1 (NPC):"}));
}

TEST(PlaySession, AStartOutsideEveryBlockIsRefused) {
    Played p("{1}{One.}{}{}{}{}{}\n\n{2}{Orphan.}{}{1}{}{0}{}");
    EXPECT_FALSE(p.session.startAtLine(7));
    EXPECT_FALSE(p.session.startAtLine(2)); // after an empty row, in no block
    EXPECT_FALSE(p.session.startAtRow(0));
    EXPECT_FALSE(p.session.startAtRow(9));
    EXPECT_EQ(p.session.startRow(), 0);
    EXPECT_TRUE(p.session.transcript().empty());
}

} // namespace
} // namespace dolmex
