#pragma once

#include "core/DialogReader.h"
#include "core/LineStore.h"
#include "graph/DialogGraph.h"
#include "support/TestFiles.h"

#include <string>

namespace dolmex::test {

inline const char* const kSample = DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg";

// A dialog with one of each thing the map draws: an end, a jump, a next talk, a dangling
// response, a separator, a "G:" list with a dangling item, an "M:" text, a response to a
// player line, and a block nothing leads to (row 11). Windows-1251 bytes.
inline const char* const kMixed =
    "{1}{Hello there, traveller, and welcome to the inn}{Hi \"girl\"}{}{}{}{}\r\n" // row 1
    "{2}{Bye}{}{1}{}{0}{}\r\n"                                                     // 2
    "{3}{Go on}{0}{-4}{tt 1}{10}{jo 0 30}\r\n"                                     // 3
    "{4}{Later}{}{1}{}{-7}{}\r\n"                                                  // 4
    "{5}{Where?}{}{1}{}{99}{}\r\n"                                                 // 5
    "{}{}{}{}{}{}{}\r\n"                                                           // 6
    "{10}{G:1 20, 2 fl 3, 3 77}{}{}{}{}{}\r\n"                                     // 7
    "{20}{M:5,10}{}{}{}{}{}\r\n"                                                   // 8
    "{30}{Jumped <to> & 'back'}{}{}{}{}{}\r\n"                                     // 9
    "{31}{Answer}{}{2}{}{20}{}\r\n"                                                // 10
    "{40}{\xCD\xE8\xEA\xF2\xEE}{}{}{}{}{}\r\n"                                     // 11
    "{41}{Alone}{}{1}{}{3}{}\r\n";                                                 // 12

inline void Load(LineStore& store, const std::string& bytes) {
    store.replaceAll(ParseDialog(bytes));
}

inline DialogGraph GraphOf(const std::string& bytes) {
    LineStore store;
    Load(store, bytes);
    return BuildDialogGraph(store);
}

inline DialogGraph SampleGraph() {
    return GraphOf(ReadAll(kSample));
}

// An edge as one readable word: the source row, then where it goes.
inline std::string EdgeText(const DialogGraph& graph, const MapEdge& edge) {
    const MapNode& node = graph.nodes[static_cast<std::size_t>(edge.fromNode)];
    const int row = edge.fromAnswer < 0
                        ? node.row
                        : node.answers[static_cast<std::size_t>(edge.fromAnswer)].row;
    std::string text = std::to_string(row);
    text += edge.kind == MapEdgeKind::Response ? ">" : edge.kind == MapEdgeKind::Jump ? "=" : "~";
    switch (edge.target) {
    case MapTargetKind::Node:
        return text + "row" + std::to_string(edge.toRow) + "@" + std::to_string(edge.toNode);
    case MapTargetKind::End:
        return text + "end";
    case MapTargetKind::NextTalk:
        return text + "next" + std::to_string(edge.number);
    case MapTargetKind::Dangling:
        break;
    }
    return text + "dangling" + std::to_string(edge.number);
}

inline std::vector<std::string> EdgeTexts(const DialogGraph& graph) {
    std::vector<std::string> texts;
    for (const MapEdge& edge : graph.edges)
        texts.push_back(EdgeText(graph, edge));
    return texts;
}

} // namespace dolmex::test
