#include "ConversationCheck.h"

#include "PlayRules.h"

#include "core/TextFields.h"
#include "tools/Reachability.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dolmex {

namespace {

struct TriedCharacter {
    Character character;
    const char* words;
};

const TriedCharacter kTried[] = {
    {{Gender::Male, kLowestIntelligence}, "a male character of intelligence 1"},
    {{Gender::Male, kHighestIntelligence}, "a male character of intelligence 20"},
    {{Gender::Female, kLowestIntelligence}, "a female character of intelligence 1"},
    {{Gender::Female, kHighestIntelligence}, "a female character of intelligence 20"},
};

} // namespace

std::vector<ConversationProblem> CheckConversation(const DialogLines& lines) {
    using Kind = ConversationProblem::Kind;
    const DialogRows rows(lines);
    std::vector<ConversationProblem> problems;
    const int start = rows.firstNpcRow();
    if (start == 0)
        return problems;
    const std::string startNumber(rows.line(start)[ColNumber]);

    // Five walks through the same blocks: their links are read once, and each answer is
    // judged once for each character.
    const BlockLinks links(rows);
    const std::vector<bool> reached = ReachableBlocks(links);
    const TestAssumptions passing;
    std::vector<std::array<std::int8_t, std::size(kTried)>> offered(
        static_cast<std::size_t>(rows.count()) + 1);
    for (auto& judged : offered)
        judged.fill(-1);
    const auto mayChoose = [&](std::size_t c, int answer) {
        std::int8_t& judged = offered[static_cast<std::size_t>(answer)][c];
        if (judged < 0)
            judged = IsOffered(rows.line(answer), answer, kTried[c].character, passing) ? 1 : 0;
        return judged == 1;
    };
    std::vector<std::vector<bool>> reachedBy;
    for (std::size_t c = 0; c < std::size(kTried); ++c)
        reachedBy.push_back(
            ReachableBlocks(links, [&](int answer) { return mayChoose(c, answer); }));

    for (int row = 1; row <= rows.count(); ++row) {
        const PackedLine& line = rows.line(row);
        if (IsNpcLine(line)) {
            const std::int32_t number = ParseIntOrMinus1(line[ColNumber]);
            const bool nameable = number > 0 && rows.uses(number) == 1;
            if (!reached[static_cast<std::size_t>(row)] && row != start && nameable)
                problems.push_back({row, Kind::Unreachable, {}, {}, startNumber});
            // The answers are the rows after it up to an empty line or the next NPC line.
            int end = row + 1;
            while (end <= rows.count() && !rows.line(end).isEmptyRecord() &&
                   !IsNpcLine(rows.line(end)))
                ++end;
            if (end == row + 1)
                continue;
            for (std::size_t c = 0; c < std::size(kTried); ++c) {
                if (!reachedBy[c][static_cast<std::size_t>(row)])
                    continue;
                bool none = true;
                for (int answer = row + 1; answer < end && none; ++answer)
                    none = !mayChoose(c, answer);
                if (none)
                    problems.push_back({row, Kind::NoAnswer, kTried[c].words, {}, {}});
            }
        } else if (!line.isEmptyRecord()) {
            const std::int32_t response = ParseIntOrMinus1(line[ColResponse]);
            const int target = response > 0 ? rows.rowOf(response) : 0;
            if (target != 0 && !IsNpcLine(rows.line(target)))
                problems.push_back(
                    {row, Kind::PlayerLineTarget, {}, std::string(line[ColResponse]), {}});
        }
    }
    return problems;
}

std::string DescribeConversationProblem(const ConversationProblem& problem) {
    switch (problem.kind) {
    case ConversationProblem::Kind::Unreachable:
        return "unreachable: no path of responses and jumps leads here from line " + problem.start;
    case ConversationProblem::Kind::NoAnswer:
        return "no answer for " + problem.character;
    case ConversationProblem::Kind::PlayerLineTarget:
        return "the response names line " + problem.target +
               ", a player line rather than an NPC line";
    }
    return {};
}

} // namespace dolmex
