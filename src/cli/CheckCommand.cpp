#include "CheckCommand.h"
#include "core/PathText.h"

#include "CliText.h"
#include "core/Cp1251.h"
#include "core/DialogReader.h"
#include "core/IoError.h"
#include "core/LoadNote.h"
#include "tools/DialogCheck.h"

#include <QCommandLineParser>

#include <limits>

namespace dolmex::cli {

int CheckCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The dialog files to check."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QStringList{name()} + arguments)) {
        err << "check: " << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText()
            << "\nPrints FILE:ROW: message for each problem (ROW counts the dialog's lines from 1, "
               "as the editor's grid does).\nA line of the file that saving would change is a "
               "problem too, reported at the row it belongs to\nas FILE:ROW: file line N: message "
               "(N counts the lines of the file from 1).\nExit status: 0 no problem, 1 problems "
               "found, 2 a file could not be read or the arguments are wrong.\n";
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        err << "check: usage: dolmex-cli check FILE..." << Qt::endl;
        return 2;
    }
    bool problems = false;
    bool unreadable = false;
    for (const QString& file : files) {
        DialogLines lines;
        LoadNotes notes;
        try {
            lines = ReadDialogFile(PathBytes(file), &notes);
        } catch (const IoError& error) {
            out.flush();
            err << "check: cannot read " << file << ": " << QString::fromStdString(error.reason())
                << Qt::endl;
            unreadable = true;
            continue;
        }
        // Both lists are in row order; at a row, what reading found comes first.
        auto note = notes.cbegin();
        const auto printNotesUpTo = [&](int row) {
            for (; note != notes.cend() && note->row <= row; ++note) {
                out << file << ':' << note->row << ": file line " << note->fileLine << ": "
                    << QString::fromStdString(DescribeLoadNote(*note)) << '\n';
                problems = true;
            }
        };
        for (const DialogProblem& problem : CheckDialog(lines)) {
            printNotesUpTo(problem.row);
            out << file << ':' << problem.row << ": " << FromCp1251(DescribeProblem(problem))
                << '\n';
            problems = true;
        }
        printNotesUpTo(std::numeric_limits<int>::max());
    }
    if (unreadable)
        return 2;
    return problems ? 1 : 0;
}

} // namespace dolmex::cli
