#pragma once

// Everything `check` reports about one dialog, in one list: the file lines a save would
// change, the numbers and references, and the conversation's dead ends.

#include "core/LoadNote.h"
#include "core/PackedLine.h"

#include <string>
#include <vector>

namespace dolmex {

struct DialogFinding {
    enum class Source {
        Reading,      // a line of the file that saving would change; `fileLine` says which
        Numbers,      // a number or a reference
        Conversation, // a block no one gets to, a character without an answer, and so on
    };
    int row = 0;
    int fileLine = 0; // 1-based line of the file for Reading, else 0
    Source source = Source::Numbers;
    std::string text; // Windows-1251, without file, row or file line

    bool operator==(const DialogFinding&) const = default;
};

// In row order; at a row, what reading found comes first, then the numbers, then the
// conversation, each in its own order.
std::vector<DialogFinding> FindDialogProblems(const DialogLines& lines, const LoadNotes& notes);

// The name of `source` in machine-readable output: "reading", "numbers", "conversation".
const char* FindingSourceName(DialogFinding::Source source);

} // namespace dolmex
