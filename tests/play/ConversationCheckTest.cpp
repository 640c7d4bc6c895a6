#include "PlayFixtures.h"

#include "core/DialogReader.h"
#include "play/ConversationCheck.h"
#include "tools/Reachability.h"

#include <gtest/gtest.h>

#include <tuple>

namespace dolmex {
namespace {

using test::Dialog;
using Kind = ConversationProblem::Kind;

std::vector<int> ReachedRows(const DialogLines& lines) {
    const DialogRows rows(lines);
    const std::vector<bool> reached = ReachableBlocks(rows);
    std::vector<int> found;
    for (int row = 1; row <= rows.count(); ++row)
        if (reached[static_cast<std::size_t>(row)])
            found.push_back(row);
    return found;
}

TEST(Reachability, EveryKindOfReferenceLeadsOn) {
    struct Case {
        const char* what;
        const char* records;
        std::vector<int> reached;
    };
    const Case cases[] = {
        {"an answer's response", "{1}{a}{}{}{}{}{}\n{2}{b}{}{1}{}{3}{}\n{3}{c}{}{}{}{}{}", {1, 3}},
        {"the NPC line's response", "{1}{a}{}{}{}{3}{}\n{3}{c}{}{}{}{}{}", {1, 2}},
        {"jo, et and uw",
         "{1}{a}{}{}{}{}{}\n{2}{b}{}{1}{}{0}{jo 0 3, et 1 4, uw 0 5}\n"
         "{3}{c}{}{}{}{}{}\n{4}{d}{}{}{}{}{}\n{5}{e}{}{}{}{}{}\n{6}{f}{}{}{}{}{}",
         {1, 3, 4, 5}},
        {"other results do not",
         "{1}{a}{}{}{}{}{}\n{2}{b}{}{1}{}{0}{gv 3 3, fl 3}\n"
         "{3}{c}{}{}{}{}{}",
         {1}},
        {"G: and M: texts",
         "{1}{G:1 2, 3 fl 4}{}{}{}{}{}\n{2}{b}{M:7,3}{}{}{}{}\n"
         "{3}{c}{}{}{}{}{}\n{4}{d}{}{}{}{}{}",
         {1, 2, 3}},
        {"a player line reaches no block",
         "{1}{a}{}{}{}{}{}\n{2}{b}{}{1}{}{4}{}\n"
         "{3}{c}{}{}{}{}{}\n{4}{d}{}{1}{}{3}{}",
         {1}},
        {"the start is the first NPC line",
         "{5}{x}{}{1}{}{1}{}\n{1}{a}{}{}{}{}{}\n"
         "{2}{b}{}{1}{}{1}{}",
         {2}},
        {"a jump lands on the last row of its number",
         "{1}{a}{}{}{}{7}{}\n{7}{b}{}{}{}{}{}\n"
         "{7}{c}{}{}{}{}{}",
         {1, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReachedRows(Dialog(c.records)), c.reached) << c.what;
}

TEST(Reachability, RowsByNumberAndHowManyCarryIt) {
    const DialogLines lines = Dialog("{7}{a}{}{}{}{}{}\n{3}{b}{}{1}{}{}{}\n{7}{c}{}{}{}{}{}\n"
                                     "{-2}{d}{}{}{}{}{}\n{x}{e}{}{}{}{}{}\n{07}{f}{}{}{}{}{}");
    const DialogRows rows(lines);
    // number, the row a jump lands on (the last carrying it), how many rows carry it
    const std::tuple<std::int32_t, int, int> cases[] = {
        {7, 6, 3}, {3, 2, 1}, {5, 0, 0}, {-2, 0, 0}, {0, 0, 0}, {-1, 0, 0},
    };
    for (const auto& [number, row, uses] : cases) {
        EXPECT_EQ(rows.rowOf(number), row) << number;
        EXPECT_EQ(rows.uses(number), uses) << number;
    }
}

TEST(Reachability, AFilterKeepsTheAnswersACharacterCannotTake) {
    const DialogLines lines = Dialog("{1}{a}{}{}{}{}{}\n{2}{b}{}{1}{}{3}{}\n{4}{b}{}{1}{}{5}{}\n"
                                     "{3}{c}{}{}{}{}{}\n{5}{e}{}{}{}{}{}");
    const DialogRows rows(lines);
    const std::vector<bool> reached = ReachableBlocks(rows, [](int row) { return row != 3; });
    EXPECT_TRUE(reached[4]);
    EXPECT_FALSE(reached[5]);
}

TEST(ConversationCheck, FindsEachKindOnADialogMadeForIt) {
    struct Case {
        const char* what;
        const char* records;
        std::vector<std::pair<int, std::string>> problems;
    };
    const Case cases[] = {
        {"an unreachable block",
         "{1}{a}{}{}{}{}{}\n{2}{b}{}{1}{}{0}{}\n{3}{c}{}{}{}{}{}\n{4}{d}{}{1}{}{0}{}",
         {{3, "unreachable: no path of responses and jumps leads here from line 1"}}},
        {"numbers the number check reports are not unreachable too",
         "{1}{a}{}{}{}{}{}\n{x}{c}{}{}{}{}{}\n{1}{d}{}{}{}{}{}\n{}{e}{}{}{}{}{}",
         {}},
        {"no answer for a male character",
         "{1}{a}{}{}{}{}{}\n{2}{b}{1}{1}{}{0}{}",
         {{1, "no answer for a male character of intelligence 1"},
          {1, "no answer for a male character of intelligence 20"}}},
        {"no answer for the dim and the bright",
         "{1}{a}{}{}{}{}{}\n{2}{b}{}{5}{}{0}{}\n{3}{c}{}{-15}{}{0}{}",
         {}},
        {"no answer for a bright female character",
         "{1}{a}{}{}{}{}{}\n{2}{b}{0}{1}{}{0}{}\n{3}{c}{1}{-19}{}{0}{}",
         {{1, "no answer for a female character of intelligence 20"}}},
        {"a block only a woman reaches needs no answer for a man",
         "{1}{a}{}{}{}{}{}\n{2}{b}{1}{1}{}{3}{}\n{5}{x}{0}{1}{}{0}{}\n"
         "{3}{c}{}{}{}{}{}\n{4}{d}{1}{1}{}{0}{}",
         {}},
        {"an answer whose response names a player line",
         "{1}{a}{}{}{}{}{}\n{2}{b}{}{1}{}{3}{}\n{3}{c}{}{1}{}{0}{}",
         {{2, "the response names line 3, a player line rather than an NPC line"}}},
        {"an NPC line's response to a player line is no answer's",
         "{1}{a}{}{}{}{2}{}\n{2}{b}{}{1}{}{0}{}",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<int, std::string>> found;
        for (const ConversationProblem& problem : CheckConversation(Dialog(c.records)))
            found.emplace_back(problem.row, DescribeConversationProblem(problem));
        EXPECT_EQ(found, c.problems);
    }
}

TEST(ConversationCheck, TheBundledSampleHasNoDeadEnd) {
    const DialogLines lines =
        ReadDialogFile(DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg");
    EXPECT_EQ(CheckConversation(lines), std::vector<ConversationProblem>{});
    EXPECT_EQ(ReachedRows(lines).size(), 16u); // every NPC line
}

} // namespace
} // namespace dolmex
