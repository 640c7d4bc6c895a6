#include "CheckCommand.h"

#include "CliText.h"
#include "core/DialogReader.h"
#include "core/IoError.h"
#include "tools/DialogCheck.h"

#include <QCommandLineParser>

namespace dolmex::cli {

int CheckCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The dialog files to check."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QStringList{name()} + arguments)) {
        err << "check: " << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText()
            << "\nPrints FILE:ROW: message for each problem (ROW counts the dialog's lines from 1, "
               "as the editor's grid does).\nExit status: 0 no problem, 1 problems found, 2 a file "
               "could not be read or the arguments are wrong.\n";
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
        try {
            lines = ReadDialogFile(file.toLocal8Bit().toStdString());
        } catch (const IoError& error) {
            out.flush();
            err << "check: cannot read " << file << ": " << Local(error.reason()) << Qt::endl;
            unreadable = true;
            continue;
        }
        for (const DialogProblem& problem : CheckDialog(lines)) {
            out << file << ':' << problem.row << ": " << FromCp1251(DescribeProblem(problem)) << '\n';
            problems = true;
        }
    }
    if (unreadable)
        return 2;
    return problems ? 1 : 0;
}

} // namespace dolmex::cli
