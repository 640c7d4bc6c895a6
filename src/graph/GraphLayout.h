#pragma once

// The dialog map laid out by Graphviz, in-process. Graphviz keeps global state, so every
// call into it goes through one lock here.

#include "graph/DialogGraph.h"

#include <QPointF>
#include <QRectF>

#include <vector>

namespace dolmex {

// Positions in Graphviz points, y growing downwards, origin at the top-left of `bounds`.
struct NodePlacement {
    QRectF box;                      // the whole node
    QRectF header;                   // the NPC line's row (empty when npcLine is false)
    std::vector<QRectF> answerBoxes; // one per MapAnswer, same order
};

struct EdgeRoute {
    std::vector<QPointF> points; // cubic B-spline control points as Graphviz gives them:
                                 // p0, then (c1, c2, p) triples
    QPointF arrowTip;            // where the arrow head ends
    QRectF markBox;              // for End / NextTalk / Dangling: the small mark node
};

struct MapLayout {
    QRectF bounds;
    std::vector<NodePlacement> nodes; // same order as graph.nodes
    std::vector<EdgeRoute> edges;     // same order as graph.edges
};

// Lays the graph out with Graphviz's dot engine, top to bottom, answers as ports.
// Safe to call from a worker thread; calls are serialised inside (Graphviz keeps globals).
// A graph Graphviz cannot lay out gives an empty layout.
MapLayout LayOutGraph(const DialogGraph& graph);
MapLayout LayOutGraph(const DialogGraph& graph, const MapMarkTexts& marks);

// The graph drawn by Graphviz's own SVG renderer (empty when Graphviz fails).
QByteArray RenderSvg(const DialogGraph& graph);
QByteArray RenderSvg(const DialogGraph& graph, const MapMarkTexts& marks);

} // namespace dolmex
