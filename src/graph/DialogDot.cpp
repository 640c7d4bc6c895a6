// The dialog graph written as Graphviz DOT: what `dolmex-cli graph` prints and what the
// layout and the SVG renderer read, so all three draw the same thing.

#include "DialogGraph.h"

#include "core/TextFields.h"

#include <unordered_map>

namespace dolmex {

namespace {

// Graphviz reads the label through an XML parser: control characters (C0 and C1, which
// Windows-1251 text can hold) would stop it, so they show as blanks.
bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QByteArray HtmlText(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += IsControl(c) ? QChar(u' ') : qc;
        }
    }
    return out.toUtf8();
}

// A DOT quoted string's contents.
QByteArray QuotedText(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'"' || c == u'\\')
            out += QChar(u'\\');
        out += IsControl(c) ? QChar(u' ') : qc;
    }
    return out.toUtf8();
}

const char* const kGreyText = "#909090";
const char* const kGreyLine = "#b0b0b0";

// The answer's condition marks, small and in their own colour.
QByteArray ConditionCell(const MapAnswer& answer) {
    const QString marks = ConditionMarks(answer);
    if (marks.isEmpty())
        return {};
    return " <FONT POINT-SIZE=\"8\" COLOR=\"#a06000\">" + HtmlText(marks) + "</FONT>";
}

QByteArray RowCell(const QByteArray& port, const QString& number, const QString& text,
                   const QByteArray& extra, const char* background) {
    QByteArray cell = "<TR><TD PORT=\"" + port + "\" ALIGN=\"LEFT\" HEIGHT=\"22\"";
    if (background)
        cell += QByteArray(" BGCOLOR=\"") + background + '"';
    cell += "><B>" + HtmlText(number) + "</B>";
    if (!text.isEmpty())
        cell += ' ' + HtmlText(text);
    cell += extra + "</TD></TR>\n";
    return cell;
}

void WriteNode(QByteArray& dot, const QByteArray& id, const MapNode& node) {
    dot += "  " + id + " [label=<<TABLE BORDER=\"0\" CELLBORDER=\"1\" CELLSPACING=\"0\" ";
    dot += QByteArray("CELLPADDING=\"3\" COLOR=\"") + (node.reachable ? "#5a6a7a" : kGreyLine);
    dot += "\">\n";
    if (node.npcLine)
        dot += RowCell("h", node.number, node.text, {}, node.reachable ? "#dde7f3" : "#eeeeee");
    for (std::size_t i = 0; i < node.answers.size(); ++i) {
        const MapAnswer& answer = node.answers[i];
        dot += RowCell("a" + QByteArray::number(static_cast<qulonglong>(i)), answer.number,
                       answer.text, ConditionCell(answer), nullptr);
    }
    dot += "</TABLE>>";
    if (!node.genderText.isEmpty())
        dot += ", tooltip=\"" + QuotedText(node.genderText) + '"';
    if (!node.reachable)
        dot += QByteArray(", fontcolor=\"") + kGreyText + '"';
    dot += "];\n";
}

QString MarkLabel(const MapEdge& edge, const MapMarkTexts& marks) {
    switch (edge.target) {
    case MapTargetKind::End:
        return marks.end;
    case MapTargetKind::NextTalk:
        return QString(marks.nextTalk).replace(QLatin1String("%1"), QString::number(edge.number));
    case MapTargetKind::Dangling:
        return QString(marks.dangling).replace(QLatin1String("%1"), QString::number(edge.number));
    case MapTargetKind::Node:
        break;
    }
    return {};
}

QByteArray Endpoint(const DialogGraph& graph, const std::vector<QByteArray>& ids, int node, int row,
                    bool source) {
    int answer = row;
    if (!source)
        graph.nodeOfRow(row, &answer);
    QByteArray text = ids[static_cast<std::size_t>(node)];
    // Edges leave an answer from its row's right side and reach a player line at its row's
    // left side, so they do not cross the rows between.
    if (answer >= 0)
        text += ":a" + QByteArray::number(answer) + (source ? ":e" : ":w");
    return text;
}

} // namespace

std::vector<QByteArray> DotNodeIds(const DialogGraph& graph) {
    std::vector<QByteArray> ids;
    ids.reserve(graph.nodes.size());
    std::unordered_map<std::int32_t, int> seen;
    for (const MapNode& node : graph.nodes) {
        const std::int32_t number = node.npcLine && !node.number.isEmpty()
                                        ? ParseIntOrMinus1(node.number.toStdString())
                                        : -1;
        if (number < 0) {
            ids.push_back("row" + QByteArray::number(node.row));
            continue;
        }
        QByteArray id = "line" + QByteArray::number(number);
        if (const int count = ++seen[number]; count > 1)
            id += '_' + QByteArray::number(count);
        ids.push_back(id);
    }
    return ids;
}

QByteArray ToDot(const DialogGraph& graph) {
    return ToDot(graph, MapMarkTexts{});
}

QByteArray ToDot(const DialogGraph& graph, const MapMarkTexts& marks) {
    const std::vector<QByteArray> ids = DotNodeIds(graph);
    QByteArray dot;
    dot.reserve(static_cast<qsizetype>(graph.nodes.size() * 300 + graph.edges.size() * 60));
    dot += "digraph dialog {\n"
           "  graph [rankdir=TB, nodesep=0.25, ranksep=0.45];\n"
           "  node [shape=plain, fontname=\"Helvetica\", fontsize=10];\n"
           "  edge [arrowsize=0.7];\n";
    for (std::size_t i = 0; i < graph.nodes.size(); ++i)
        WriteNode(dot, ids[i], graph.nodes[i]);
    for (std::size_t i = 0; i < graph.edges.size(); ++i) {
        const MapEdge& edge = graph.edges[i];
        const QByteArray index = QByteArray::number(static_cast<qulonglong>(i));
        const bool dangling = edge.target == MapTargetKind::Dangling;
        const bool grey = !graph.nodes[static_cast<std::size_t>(edge.fromNode)].reachable;
        QByteArray colour;
        if (dangling)
            colour = "red";
        else if (grey)
            colour = kGreyLine;
        QByteArray target;
        if (edge.target == MapTargetKind::Node) {
            target = Endpoint(graph, ids, edge.toNode, edge.toRow, false);
        } else {
            target = "mark" + index;
            dot += "  " + target + " [label=\"" + QuotedText(MarkLabel(edge, marks)) +
                   "\", shape=box, style=rounded, fontsize=8, width=0.3, height=0.2, "
                   "margin=\"0.05,0.02\"";
            if (!colour.isEmpty())
                dot += ", color=\"" + colour + "\", fontcolor=\"" + colour + '"';
            dot += "];\n";
        }
        dot += "  " + Endpoint(graph, ids, edge.fromNode, edge.fromAnswer, true) + " -> " + target +
               " [id=\"e" + index + '"';
        if (edge.kind == MapEdgeKind::Jump)
            dot += ", style=dashed";
        else if (edge.kind == MapEdgeKind::Generated)
            dot += ", style=dotted";
        if (!colour.isEmpty())
            dot += ", color=\"" + colour + '"';
        dot += "];\n";
    }
    dot += "}\n";
    return dot;
}

} // namespace dolmex
