#include "DialogFindings.h"

#include "play/ConversationCheck.h"
#include "tools/DialogCheck.h"

#include <algorithm>

namespace dolmex {

std::vector<DialogFinding> FindDialogProblems(const DialogLines& lines, const LoadNotes& notes) {
    std::vector<DialogFinding> found;
    found.reserve(notes.size());
    for (const LoadNote& note : notes)
        found.push_back(
            {note.row, note.fileLine, DialogFinding::Source::Reading, DescribeLoadNote(note)});
    for (const DialogProblem& problem : CheckDialog(lines))
        found.push_back({problem.row, 0, DialogFinding::Source::Numbers, DescribeProblem(problem)});
    for (const ConversationProblem& problem : CheckConversation(lines))
        found.push_back({problem.row, 0, DialogFinding::Source::Conversation,
                         DescribeConversationProblem(problem)});
    // Each list is in row order already; the sort keeps their order within a row.
    std::stable_sort(found.begin(), found.end(),
                     [](const DialogFinding& a, const DialogFinding& b) { return a.row < b.row; });
    return found;
}

const char* FindingSourceName(DialogFinding::Source source) {
    switch (source) {
    case DialogFinding::Source::Reading:
        return "reading";
    case DialogFinding::Source::Numbers:
        return "numbers";
    case DialogFinding::Source::Conversation:
        return "conversation";
    }
    return "numbers";
}

} // namespace dolmex
