#include "CheckCommand.h"

#include "core/Cp1251.h"
#include "core/LoadNote.h"
#include "play/ConversationCheck.h"
#include "tools/DialogCheck.h"

#include <algorithm>

#include <limits>

namespace dolmex::cli {

Positionals CheckCommand::positionals() const {
    return {QStringLiteral("FILE..."),
            QStringLiteral("The dialog files to check; a folder stands for the *.dlg files "
                           "below it."),
            1, Positionals::kAny};
}

QString CheckCommand::helpDetails() const {
    return QStringLiteral(
        "Prints FILE:ROW: message for each problem (ROW counts the dialog's lines from 1, "
        "as the editor's grid does).\nA line of the file that saving would change is a "
        "problem too, reported at the row it belongs to\nas FILE:ROW: file line N: message "
        "(N counts the lines of the file from 1).\nThe conversation is checked as well: blocks "
        "that no response or jump "
        "reaches from the first\nNPC line (unreachable), blocks where a male or female "
        "character of intelligence 1 or 20\nfinds no answer, and answers whose response "
        "names a player line.\nExit status: 0 no problem, 1 problems "
        "found, 2 a file could not be read or the arguments are wrong.\n");
}

int CheckCommand::execute(const QCommandLineParser&, const QStringList& positional) {
    bool problems = false;
    const bool allRead = forEachDialog(
        positional, [&](const QString& file, const DialogLines& lines, const LoadNotes& notes) {
            // Both lists are in row order; at a row, what reading found comes first.
            auto note = notes.cbegin();
            const auto printNotesUpTo = [&](int row) {
                for (; note != notes.cend() && note->row <= row; ++note) {
                    out() << file << ':' << note->row << ": file line " << note->fileLine << ": "
                          << QString::fromStdString(DescribeLoadNote(*note)) << '\n';
                    problems = true;
                }
            };
            // The conversation's problems after the line's own at the same row.
            std::vector<std::pair<int, std::string>> found;
            for (const DialogProblem& problem : CheckDialog(lines))
                found.emplace_back(problem.row, DescribeProblem(problem));
            for (const ConversationProblem& problem : CheckConversation(lines))
                found.emplace_back(problem.row, DescribeConversationProblem(problem));
            std::stable_sort(found.begin(), found.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (const auto& [row, text] : found) {
                printNotesUpTo(row);
                out() << file << ':' << row << ": " << FromCp1251(text) << '\n';
                problems = true;
            }
            printNotesUpTo(std::numeric_limits<int>::max());
        });
    if (!allRead)
        return kExitFailure;
    return problems ? kExitFindings : kExitOk;
}

} // namespace dolmex::cli
