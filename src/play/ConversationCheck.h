#pragma once

// Where a played conversation would go wrong: blocks no conversation gets to, blocks at
// which a character finds no answer, and answers that lead to a player line.

#include "core/PackedLine.h"

#include <string>
#include <vector>

namespace dolmex {

struct ConversationProblem {
    enum class Kind {
        Unreachable,      // an NPC line that no path leads to from the first NPC line
        NoAnswer,         // `character` reaches the block and may choose none of its answers
        PlayerLineTarget, // the answer's response names line `target`, a player line
    };
    int row = 0;
    Kind kind = Kind::Unreachable;
    std::string character; // "a female character of intelligence 20"
    std::string target;    // the response as written
    std::string start;     // the first NPC line's number, for Unreachable

    bool operator==(const ConversationProblem&) const = default;
};

// The problems in row order; within a row in the order of the kinds above, characters in
// the order male 1, male 20, female 1, female 20. The characters tried are those of the
// lowest and the highest intelligence of either gender, every test passing; a block counts
// for a character only when the character can get to it. A block whose NPC line has a
// number that is not positive, or that another row carries too, is not called
// unreachable: the number check reports it.
std::vector<ConversationProblem> CheckConversation(const DialogLines& lines);

// One line of plain English for the command line, without the row.
std::string DescribeConversationProblem(const ConversationProblem& problem);

} // namespace dolmex
