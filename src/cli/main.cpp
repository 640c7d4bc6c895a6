#include "CheckCommand.h"
#include "Command.h"
#include "DescribeCommand.h"
#include "ExportCommand.h"
#include "FindCommand.h"
#include "GraphCommand.h"
#include "ImportCommand.h"
#include "NormalizeCommand.h"
#include "PlayCommand.h"
#include "RefsCommand.h"
#include "RenumberCommand.h"
#include "core/MemoryTuning.h"

#include <QCoreApplication>

namespace dolmex::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<NormalizeCommand>());
    commands.push_back(std::make_unique<DescribeCommand>());
    commands.push_back(std::make_unique<RenumberCommand>());
    commands.push_back(std::make_unique<CheckCommand>());
    commands.push_back(std::make_unique<FindCommand>());
    commands.push_back(std::make_unique<RefsCommand>());
    commands.push_back(std::make_unique<ExportCommand>());
    commands.push_back(std::make_unique<ImportCommand>());
    commands.push_back(std::make_unique<GraphCommand>());
    commands.push_back(std::make_unique<PlayCommand>());
    return commands;
}

namespace {

void PrintUsage(QTextStream& stream, const std::vector<std::unique_ptr<Command>>& commands) {
    stream << "Usage: dolmex-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& command : commands)
        stream << "  " << command->name().leftJustified(12) << command->summary() << "\n";
    stream << "\nRun 'dolmex-cli COMMAND --help' for the arguments of a command.\n";
    stream.flush();
}

} // namespace
} // namespace dolmex::cli

int main(int argc, char* argv[]) {
    using namespace dolmex::cli;
    dolmex::KeepFreedMemoryForReuse();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dolmex-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto commands = AllCommands();
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help") ||
        arguments.first() == QLatin1String("-h") || arguments.first() == QLatin1String("help")) {
        PrintUsage(arguments.isEmpty() ? err : out, commands);
        return arguments.isEmpty() ? 2 : 0;
    }
    const QString verb = arguments.takeFirst();
    for (const auto& command : commands) {
        if (command->name() == verb) {
            const int code = command->run(arguments, out, err);
            out.flush();
            err.flush();
            return code;
        }
    }
    err << "dolmex-cli: unknown command '" << verb << "'" << Qt::endl;
    PrintUsage(err, commands);
    return 2;
}
