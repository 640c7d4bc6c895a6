#include "CheckCommand.h"

#include "core/Cp1251.h"
#include "module/DialogFindings.h"

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
            for (const DialogFinding& finding : FindDialogProblems(lines, notes)) {
                out() << file << ':' << finding.row << ": ";
                if (finding.source == DialogFinding::Source::Reading)
                    out() << "file line " << finding.fileLine << ": ";
                out() << FromCp1251(finding.text) << '\n';
                problems = true;
            }
        });
    if (!allRead)
        return kExitFailure;
    return problems ? kExitFindings : kExitOk;
}

} // namespace dolmex::cli
