#include "DialogGraph.h"

#include "core/Cp1251.h"
#include "core/LineStore.h"
#include "core/TextFields.h"
#include "tools/Reachability.h"
#include "tools/References.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <utility>

namespace dolmex {

namespace {

constexpr int kShownCharacters = 40;

// One byte is one character in Windows-1251, so only the bytes shown are decoded: a large
// dialog has long texts, and the map shows their start.
QString ShownStart(std::string_view cell) {
    if (cell.empty())
        return {};
    if (cell.size() <= static_cast<std::size_t>(kShownCharacters))
        return FromCp1251(cell);
    // The last place is the ellipsis; made at full size, the text is allocated once.
    QString text = FromCp1251(cell.substr(0, kShownCharacters));
    text[kShownCharacters - 1] = QChar(0x2026);
    return text;
}

MapAnswer AnswerOf(const PackedLine& line, int row) {
    MapAnswer answer;
    answer.row = row;
    answer.number = FromCp1251(line[ColNumber]);
    answer.text = ShownStart(line[ColText]);
    answer.hasTests = !line[ColTest].empty();
    if (!line[ColGender].empty()) {
        const std::int32_t gender = ParseIntOrMinus1(line[ColGender]);
        if (gender == 0 || gender == 1)
            answer.gender = gender;
    }
    answer.intelligence = ParseIntOrMinus1(line[ColIntelligence]);
    answer.hasCondition = answer.gender >= 0 || answer.intelligence != 1;
    return answer;
}

MapEdgeKind EdgeKindOf(ReferenceKind kind) {
    switch (kind) {
    case ReferenceKind::Response:
        return MapEdgeKind::Response;
    case ReferenceKind::Result:
        return MapEdgeKind::Jump;
    case ReferenceKind::GeneratedG:
    case ReferenceKind::GeneratedM:
        break;
    }
    return MapEdgeKind::Generated;
}

// What the dialog check calls reachable is what the map shows so: one reading of it.
void MarkReachable(DialogGraph& graph, const DialogLines& lines) {
    const std::vector<bool> reached = ReachableBlocks(DialogRows(lines));
    for (MapNode& node : graph.nodes)
        node.reachable = node.npcLine && reached[static_cast<std::size_t>(node.row)];
}

} // namespace

QString ConditionMarks(const MapAnswer& answer) {
    QString marks;
    if (answer.hasTests)
        marks += QLatin1Char('?');
    if (answer.gender == 0)
        marks += QChar(0x2642);
    else if (answer.gender == 1)
        marks += QChar(0x2640);
    if (answer.intelligence != 1) {
        marks += QChar(answer.intelligence < 0 ? 0x2264 : 0x2265);
        marks += QString::number(answer.intelligence < 0 ? -qint64{answer.intelligence}
                                                         : qint64{answer.intelligence});
    }
    return marks;
}

int DialogGraph::nodeOfRow(int row, int* answer) const {
    if (answer)
        *answer = -1;
    // Nodes are in row order, and so are the answers within each.
    const auto after = std::upper_bound(nodes.begin(), nodes.end(), row,
                                        [](int r, const MapNode& node) { return r < node.row; });
    if (after == nodes.begin())
        return -1;
    const MapNode& node = *(after - 1);
    const int index = static_cast<int>(after - nodes.begin()) - 1;
    if (node.npcLine && node.row == row)
        return index;
    const auto found = std::lower_bound(node.answers.begin(), node.answers.end(), row,
                                        [](const MapAnswer& a, int r) { return a.row < r; });
    if (found == node.answers.end() || found->row != row)
        return -1;
    if (answer)
        *answer = static_cast<int>(found - node.answers.begin());
    return index;
}

DialogGraph BuildDialogGraph(const LineStore& store) {
    DialogGraph graph;
    const DialogLines& lines = store.lines();

    // Number -> row of the line it leads to: the last row carrying it, as following a
    // response selects the last of them. The same pass counts the blocks and their
    // answers, so that nothing grows while it is filled.
    std::vector<std::pair<std::int32_t, std::int32_t>> numbered;
    numbered.reserve(lines.size());
    std::vector<std::size_t> answerCounts;
    int row = 0;
    for (const PackedLine& line : lines) {
        ++row;
        if (const std::int32_t number = ParseIntOrMinus1(line[ColNumber]); number > 0)
            numbered.emplace_back(number, row);
        if (IsEmptyRecord(line))
            continue;
        const bool npc = IsNpcLine(line);
        if (npc || answerCounts.empty())
            answerCounts.push_back(0);
        if (!npc)
            ++answerCounts.back();
    }
    const LineNumberMap rowOfNumber(std::move(numbered));
    graph.nodes.reserve(answerCounts.size());
    graph.edges.reserve(lines.size());

    std::vector<int> nodeOfRow(lines.size() + 1, -1);
    row = 0;
    for (const PackedLine& line : lines) {
        ++row;
        if (IsEmptyRecord(line))
            continue;
        const bool npc = IsNpcLine(line);
        if (npc || graph.nodes.empty()) {
            MapNode node;
            node.row = row;
            node.answers.reserve(answerCounts[graph.nodes.size()]);
            node.npcLine = npc;
            if (npc) {
                node.number = FromCp1251(line[ColNumber]);
                node.text = ShownStart(line[ColText]);
                if (!line[ColGender].empty())
                    node.genderText = FromCp1251(line[ColGender]);
            }
            graph.nodes.push_back(std::move(node));
        }
        const int nodeIndex = static_cast<int>(graph.nodes.size()) - 1;
        MapNode& node = graph.nodes.back();
        int answerIndex = -1;
        if (!npc) {
            answerIndex = static_cast<int>(node.answers.size());
            node.answers.push_back(AnswerOf(line, row));
        }
        nodeOfRow[static_cast<std::size_t>(row)] = nodeIndex;

        MapEdge edge;
        edge.fromNode = nodeIndex;
        edge.fromAnswer = answerIndex;
        const std::string_view response = line[ColResponse];
        if (!response.empty()) {
            const std::int32_t number = ParseIntOrMinus1(response);
            if (number <= 0) {
                edge.kind = MapEdgeKind::Response;
                edge.target = number == 0 ? MapTargetKind::End : MapTargetKind::NextTalk;
                // The most negative number has no positive counterpart; it stays as large
                // as a line number can be.
                edge.number = number == 0 ? 0
                              : number == std::numeric_limits<std::int32_t>::min()
                                  ? std::numeric_limits<std::int32_t>::max()
                                  : -number;
                graph.edges.push_back(edge);
            }
        }
        VisitReferences(line, ReferenceScope{}, [&](const ReferenceSite& site) {
            edge.kind = EdgeKindOf(site.kind);
            edge.number = site.number;
            const std::int32_t target = rowOfNumber.find(site.number);
            edge.target = target > 0 ? MapTargetKind::Node : MapTargetKind::Dangling;
            edge.toRow = target > 0 ? target : -1;
            graph.edges.push_back(edge);
        });
    }
    for (MapEdge& edge : graph.edges) {
        if (edge.target == MapTargetKind::Node)
            edge.toNode = nodeOfRow[static_cast<std::size_t>(edge.toRow)];
    }
    MarkReachable(graph, lines);
    return graph;
}

DialogGraph Neighbourhood(const DialogGraph& graph, int centre, int steps) {
    DialogGraph part;
    const int count = static_cast<int>(graph.nodes.size());
    if (centre < 0 || centre >= count)
        return part;
    std::vector<std::vector<int>> linked(static_cast<std::size_t>(count));
    for (const MapEdge& edge : graph.edges) {
        if (edge.target != MapTargetKind::Node || edge.toNode == edge.fromNode)
            continue;
        linked[static_cast<std::size_t>(edge.fromNode)].push_back(edge.toNode);
        linked[static_cast<std::size_t>(edge.toNode)].push_back(edge.fromNode);
    }
    // Breadth first, so each node is kept at its least distance.
    std::vector<int> distance(static_cast<std::size_t>(count), -1);
    std::deque<int> pending{centre};
    distance[static_cast<std::size_t>(centre)] = 0;
    while (!pending.empty()) {
        const int node = pending.front();
        pending.pop_front();
        const int next = distance[static_cast<std::size_t>(node)] + 1;
        if (next > steps)
            continue;
        for (const int other : linked[static_cast<std::size_t>(node)]) {
            if (distance[static_cast<std::size_t>(other)] < 0) {
                distance[static_cast<std::size_t>(other)] = next;
                pending.push_back(other);
            }
        }
    }
    std::vector<int> renumbered(static_cast<std::size_t>(count), -1);
    for (int i = 0; i < count; ++i) {
        if (distance[static_cast<std::size_t>(i)] >= 0) {
            renumbered[static_cast<std::size_t>(i)] = static_cast<int>(part.nodes.size());
            part.nodes.push_back(graph.nodes[static_cast<std::size_t>(i)]);
        }
    }
    for (MapEdge edge : graph.edges) {
        edge.fromNode = renumbered[static_cast<std::size_t>(edge.fromNode)];
        if (edge.fromNode < 0)
            continue;
        if (edge.target == MapTargetKind::Node) {
            edge.toNode = renumbered[static_cast<std::size_t>(edge.toNode)];
            if (edge.toNode < 0)
                continue;
        }
        part.edges.push_back(edge);
    }
    return part;
}

} // namespace dolmex
