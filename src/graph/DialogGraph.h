#pragma once

// The dialog as a graph of blocks, for the map beside the grid and for `dolmex-cli graph`.
// Built from the line store in one pass; the references are those renumbering rewrites
// (VisitReferences), so the map, the check and renumbering agree on what names what.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace dolmex {
class LineStore;

// A player line inside its block's node.
struct MapAnswer {
    int row = 0;                   // data row of the player line in the store
    QString number;                // its number cell as written
    QString text;                  // the start of its text, decoded, at most 40 characters
    bool hasTests = false;         // column 4 not empty
    bool hasCondition = false;     // a gender (0 or 1) or intelligence condition
    int gender = -1;               // 0 or 1 when the line is offered to one gender only, else -1
    std::int32_t intelligence = 1; // the intelligence cell read as a number (1: anyone)
};

// One block: an NPC line (intelligence cell empty) and the player lines after it.
// Player lines before the first NPC line form a node of their own whose row is their
// first row and whose `npcLine` is false. Rows whose seven fields are all empty
// (separators) belong to no node.
struct MapNode {
    int row = 0;         // data row of the NPC line (the block's first row)
    bool npcLine = true; // false for a block of player lines with no NPC line above
    QString number;      // the NPC line's number cell as written
    QString text;        // start of its text, at most 40 characters
    QString genderText;  // its gender text (column 2), full, for the hover hint
    std::vector<MapAnswer> answers;
    bool reachable = true; // some path of responses, jumps and generated texts leads here
                           // from node 0
};

enum class MapEdgeKind { Response, Jump, Generated }; // column 5 / jo,et,uw / G:,M: texts
enum class MapTargetKind { Node, End, NextTalk, Dangling };

struct MapEdge {
    int fromNode = 0;    // index into DialogGraph::nodes
    int fromAnswer = -1; // index into that node's answers; -1: the NPC line itself
    MapEdgeKind kind = MapEdgeKind::Response;
    MapTargetKind target = MapTargetKind::Node;
    int toNode = -1;         // for MapTargetKind::Node: index of the node holding the line
    int toRow = -1;          // for MapTargetKind::Node: data row of the line named
    std::int32_t number = 0; // the number named (NextTalk: where the next talk starts,
                             // i.e. the absolute value of the negative response;
                             // Dangling: the number no line has)
};

struct DialogGraph {
    std::vector<MapNode> nodes; // in row order
    std::vector<MapEdge> edges; // in row order of their source, then column order
    // The node whose block holds data row `row` and, through `answer`, the index of the
    // answer (-1 when the row is the NPC line). Returns -1 when no node holds it.
    int nodeOfRow(int row, int* answer = nullptr) const;
};

// The whole dialog as a graph. Runs in well under 100 ms for 200,000 lines.
// A response of 0 ends the talk (End), a negative one (or one that is not a whole number,
// read as -1 as the description panel reads it) names where the next talk starts; a
// positive number leads to the last line carrying it, as following the response does.
DialogGraph BuildDialogGraph(const LineStore& store);

// Only the nodes within `steps` edges (either direction) of node `centre`, renumbered;
// edges to nodes outside are dropped. `centre` becomes the node with the same row.
// The reachable flags stay those of the whole graph. An out-of-range centre gives an
// empty graph.
DialogGraph Neighbourhood(const DialogGraph& graph, int centre, int steps);

// The words of the small marks that end edges; "%1" stands for the number. The defaults
// are for dolmex-cli; the windows pass the language file's words.
struct MapMarkTexts {
    QString end = QStringLiteral("end");
    QString nextTalk = QStringLiteral("next %1");
    QString dangling = QStringLiteral("%1?");
};

// The graph as Graphviz DOT: each node's id is "line" + the NPC line's number ("line10");
// a second node with the same number gets "line10_2"; a node whose number is not a whole
// number gets "row" + its data row. Answers are ports "a0", "a1", ... of an HTML-like table
// label (the NPC line's row is port "h"). Edge i has id "e<i>"; an edge to End, NextTalk or
// Dangling ends in a mark node "mark<i>". Stable for the same graph (golden-file tested).
// What an answer row shows after its text, on the map and in its drawing alike: "?" for
// tests, the gender it is offered to (♂/♀), its intelligence bound (≥n or ≤n).
QString ConditionMarks(const MapAnswer& answer);

QByteArray ToDot(const DialogGraph& graph);
QByteArray ToDot(const DialogGraph& graph, const MapMarkTexts& marks);

// The DOT node id of every node, in node order, as ToDot writes them.
std::vector<QByteArray> DotNodeIds(const DialogGraph& graph);

} // namespace dolmex
