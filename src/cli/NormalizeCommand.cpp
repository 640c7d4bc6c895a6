#include "NormalizeCommand.h"
#include "core/PathText.h"

#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/IoError.h"

#include <QCommandLineParser>

namespace dolmex::cli {

int NormalizeCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("The dialog file to read."));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("The file to write."),
                                       QStringLiteral("OUT"));
    parser.addOption(outOption);
    if (!parser.parse(QStringList{name()} + arguments)) {
        err << "normalize: " << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1 || !parser.isSet(outOption)) {
        err << "normalize: usage: dolmex-cli normalize IN --out OUT" << Qt::endl;
        return 2;
    }
    try {
        const auto lines = ReadDialogFile(PathBytes(positional.first()));
        WriteDialogFile(PathBytes(parser.value(outOption)), lines);
    } catch (const IoError& error) {
        const char* what = error.kind() == IoError::Kind::Write ? "cannot write" : "cannot read";
        err << "normalize: " << what << " " << PathText(error.path()) << ": "
            << QString::fromStdString(error.reason()) << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace dolmex::cli
