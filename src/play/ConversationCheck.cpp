#include "ConversationCheck.h"

#include "PlayRules.h"

#include "core/TextFields.h"
#include "tools/Reachability.h"

#include <algorithm>
#include <unordered_map>

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

    std::unordered_map<std::int32_t, int> uses;
    for (const PackedLine& line : lines) {
        if (!line.isEmptyRecord())
            ++uses[ParseIntOrMinus1(line[ColNumber])];
    }
    // Five runs over the same references, each read once; whether a character is offered a
    // player line is asked once per line and character.
    const RowLinks links(rows);
    const std::vector<bool> reached = ReachableBlocks(rows, links);
    const TestAssumptions passing;
    std::vector<std::vector<bool>> offered;
    std::vector<std::vector<bool>> reachedBy;
    for (const TriedCharacter& tried : kTried) {
        std::vector<bool>& shown = offered.emplace_back(static_cast<std::size_t>(rows.count()) + 1);
        for (int row = 1; row <= rows.count(); ++row) {
            const PackedLine& line = rows.line(row);
            if (!line.isEmptyRecord() && !IsNpcLine(line))
                shown[static_cast<std::size_t>(row)] =
                    HiddenReasons(line, row, tried.character, passing).empty();
        }
        reachedBy.push_back(ReachableBlocks(
            rows, links, [&](int answer) { return shown[static_cast<std::size_t>(answer)]; }));
    }

    for (int row = 1; row <= rows.count(); ++row) {
        const PackedLine& line = rows.line(row);
        if (IsNpcLine(line)) {
            const std::int32_t number = ParseIntOrMinus1(line[ColNumber]);
            const bool nameable = number > 0 && uses[number] == 1;
            if (!reached[static_cast<std::size_t>(row)] && row != start && nameable)
                problems.push_back({row, Kind::Unreachable, {}, {}, startNumber});
            const int answersEnd = links.answersEnd(row);
            if (answersEnd == row + 1)
                continue;
            for (std::size_t c = 0; c < std::size(kTried); ++c) {
                if (!reachedBy[c][static_cast<std::size_t>(row)])
                    continue;
                bool none = true;
                for (int answer = row + 1; answer < answersEnd && none; ++answer)
                    none = !offered[c][static_cast<std::size_t>(answer)];
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
