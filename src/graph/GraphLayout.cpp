#include "GraphLayout.h"

#include <gvc.h>

#include <memory>
#include <mutex>

namespace dolmex {

namespace {

// Graphviz keeps its state in globals (the error level, the parser, the layout's memory
// pools), so one call at a time runs inside it, whichever thread makes it.
std::mutex& GraphvizLock() {
    static std::mutex lock;
    return lock;
}

constexpr double kPointsPerInch = 72.0;

// One context for the whole run, never freed: Graphviz's text-measuring plugin keeps the
// last font name it was given past the end of the context that gave it, and a second
// context would make it read freed memory. Callers hold GraphvizLock().
GVC_t* SharedContext() {
    static GVC_t* const context = gvContext();
    return context;
}

// One laid-out graph, freed with everything Graphviz allocated for it but the context.
class LaidOutGraph {
public:
    explicit LaidOutGraph(const QByteArray& dot) : m_context(SharedContext()) {
        // Warnings (a font that is not installed, say) would go to the program's stderr.
        agseterr(AGERR);
        if (!m_context)
            return;
        m_graph = agmemread(dot.constData());
        if (m_graph && gvLayout(m_context, m_graph, "dot") == 0)
            m_laidOut = true;
    }
    ~LaidOutGraph() {
        if (m_graph) {
            if (m_laidOut)
                gvFreeLayout(m_context, m_graph);
            agclose(m_graph);
        }
    }
    LaidOutGraph(const LaidOutGraph&) = delete;
    LaidOutGraph& operator=(const LaidOutGraph&) = delete;

    bool ok() const { return m_laidOut; }
    GVC_t* context() const { return m_context; }
    Agraph_t* graph() const { return m_graph; }

private:
    GVC_t* m_context;
    Agraph_t* m_graph = nullptr;
    bool m_laidOut = false;
};

// Graphviz's y grows upwards from the bounding box's lower left corner.
class Flip {
public:
    explicit Flip(boxf bounds) : m_left(bounds.LL.x), m_top(bounds.UR.y) {}
    QPointF point(pointf p) const { return {p.x - m_left, m_top - p.y}; }
    QRectF nodeBox(Agnode_t* node) const {
        const double width = ND_width(node) * kPointsPerInch;
        const double height = ND_height(node) * kPointsPerInch;
        const QPointF centre = point(ND_coord(node));
        return {centre.x() - width / 2, centre.y() - height / 2, width, height};
    }

private:
    double m_left;
    double m_top;
};

// The label is a table of rows of one height (each row's cell asks for more height than
// one line of text needs), so the rows divide the node's box evenly.
NodePlacement PlaceNode(const MapNode& mapNode, const QRectF& box) {
    NodePlacement placement;
    placement.box = box;
    const int rows = static_cast<int>(mapNode.answers.size()) + (mapNode.npcLine ? 1 : 0);
    if (rows == 0)
        return placement;
    const double height = box.height() / rows;
    double top = box.top();
    if (mapNode.npcLine) {
        placement.header = QRectF(box.left(), top, box.width(), height);
        top += height;
    }
    placement.answerBoxes.reserve(mapNode.answers.size());
    for (std::size_t i = 0; i < mapNode.answers.size(); ++i) {
        placement.answerBoxes.emplace_back(box.left(), top, box.width(), height);
        top += height;
    }
    return placement;
}

EdgeRoute RouteOf(Agedge_t* edge, const Flip& flip) {
    EdgeRoute route;
    const splines* spline = ED_spl(edge);
    if (!spline || spline->size == 0)
        return route;
    for (int b = 0; b < spline->size; ++b) {
        const bezier& part = spline->list[b];
        // Between pieces the first point repeats the last one of the piece before.
        for (int i = (b == 0 ? 0 : 1); i < part.size; ++i)
            route.points.push_back(flip.point(part.list[i]));
    }
    const bezier& last = spline->list[spline->size - 1];
    route.arrowTip = last.eflag ? flip.point(last.ep) : route.points.back();
    return route;
}

} // namespace

MapLayout LayOutGraph(const DialogGraph& graph) {
    return LayOutGraph(graph, MapMarkTexts{});
}

MapLayout LayOutGraph(const DialogGraph& graph, const MapMarkTexts& marks) {
    MapLayout layout;
    const QByteArray dot = ToDot(graph, marks);
    const std::vector<QByteArray> ids = DotNodeIds(graph);
    const std::lock_guard<std::mutex> lock(GraphvizLock());
    const LaidOutGraph laidOut(dot);
    if (!laidOut.ok())
        return layout;
    Agraph_t* g = laidOut.graph();
    const boxf bounds = GD_bb(g);
    const Flip flip(bounds);
    layout.bounds = QRectF(0, 0, bounds.UR.x - bounds.LL.x, bounds.UR.y - bounds.LL.y);

    layout.nodes.reserve(graph.nodes.size());
    for (std::size_t i = 0; i < graph.nodes.size(); ++i) {
        Agnode_t* node = agnode(g, const_cast<char*>(ids[i].constData()), 0);
        layout.nodes.push_back(PlaceNode(graph.nodes[i], node ? flip.nodeBox(node) : QRectF()));
    }

    layout.edges.resize(graph.edges.size());
    char idName[] = "id";
    for (Agnode_t* node = agfstnode(g); node; node = agnxtnode(g, node)) {
        for (Agedge_t* edge = agfstout(g, node); edge; edge = agnxtout(g, edge)) {
            const char* id = agget(edge, idName);
            if (!id || id[0] != 'e')
                continue;
            bool isNumber = false;
            const qsizetype index = QByteArray(id + 1).toLongLong(&isNumber);
            if (!isNumber || index < 0 || index >= static_cast<qsizetype>(layout.edges.size()))
                continue;
            EdgeRoute& route = layout.edges[static_cast<std::size_t>(index)];
            route = RouteOf(edge, flip);
            if (graph.edges[static_cast<std::size_t>(index)].target != MapTargetKind::Node)
                route.markBox = flip.nodeBox(aghead(edge));
        }
    }
    return layout;
}

QByteArray RenderSvg(const DialogGraph& graph) {
    return RenderSvg(graph, MapMarkTexts{});
}

QByteArray RenderSvg(const DialogGraph& graph, const MapMarkTexts& marks) {
    const QByteArray dot = ToDot(graph, marks);
    const std::lock_guard<std::mutex> lock(GraphvizLock());
    const LaidOutGraph laidOut(dot);
    if (!laidOut.ok())
        return {};
    char* data = nullptr;
    unsigned int length = 0;
    if (gvRenderData(laidOut.context(), laidOut.graph(), "svg", &data, &length) != 0) {
        gvFreeRenderData(data);
        return {};
    }
    QByteArray svg(data, static_cast<qsizetype>(length));
    gvFreeRenderData(data);
    return svg;
}

} // namespace dolmex
