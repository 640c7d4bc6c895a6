#include "GraphCommand.h"

#include "core/FileBytes.h"
#include "core/LineStore.h"
#include "core/PathText.h"
#include "graph/DialogGraph.h"
#include "graph/GraphLayout.h"

#include <QCommandLineParser>

namespace dolmex::cli {

Positionals GraphCommand::positionals() const {
    return {QStringLiteral("FILE"), QStringLiteral("The dialog file.")};
}

QList<QCommandLineOption> GraphCommand::options() const {
    return {{QStringLiteral("format"), QStringLiteral("dot (the default) or svg."),
             QStringLiteral("FORMAT"), QStringLiteral("dot")},
            {QStringLiteral("out"), QStringLiteral("The file to write instead of the output."),
             QStringLiteral("OUT")}};
}

QString GraphCommand::helpDetails() const {
    return QStringLiteral(
        "One node per block (an NPC line and the player lines after it, which are its rows);\n"
        "in the DOT, a block's node is line followed by the NPC line's number (line10), and\n"
        "its player lines are the ports a0, a1, ... Responses are solid edges, jo, et and uw\n"
        "results dashed, G: and M: texts dotted; a response of 0 ends in an end mark, a\n"
        "negative one in a next mark, a number no line has in a red mark. Blocks that no\n"
        "path reaches from the first one are grey. The SVG is drawn by Graphviz.\n"
        "Exit status: 0 written, 2 the file could not be read or written or the arguments "
        "are wrong.\n");
}

int GraphCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    const QString format = parser.value(QStringLiteral("format"));
    if (format != QLatin1String("dot") && format != QLatin1String("svg"))
        failUsage(QStringLiteral("--format must be dot or svg, not '%1'").arg(format));
    LineStore store;
    store.replaceAll(readDialog(positional.first()));
    const DialogGraph graph = BuildDialogGraph(store);
    const QByteArray text = format == QLatin1String("svg") ? RenderSvg(graph) : ToDot(graph);
    if (text.isEmpty())
        fail(positional.first(), QStringLiteral("Graphviz could not lay out the map"));
    if (parser.isSet(QStringLiteral("out"))) {
        WriteFileAtomically(
            PathBytes(parser.value(QStringLiteral("out"))),
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    } else {
        out() << QString::fromUtf8(text);
    }
    return kExitOk;
}

} // namespace dolmex::cli
