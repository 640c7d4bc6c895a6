#include "NormalizeCommand.h"

#include "core/DialogWriter.h"
#include "core/PathText.h"

#include <QCommandLineParser>

namespace dolmex::cli {

Positionals NormalizeCommand::positionals() const {
    return {QStringLiteral("IN"), QStringLiteral("The dialog file to read.")};
}

QList<QCommandLineOption> NormalizeCommand::options() const {
    return {{QStringLiteral("out"), QStringLiteral("The file to write."), QStringLiteral("OUT")}};
}

int NormalizeCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    if (!parser.isSet(QStringLiteral("out")))
        failUsage(QStringLiteral("--out OUT is required"));
    const auto lines = readDialog(positional.first());
    WriteDialogFile(PathBytes(parser.value(QStringLiteral("out"))), lines);
    return kExitOk;
}

} // namespace dolmex::cli
