#pragma once

#include "graph/DialogGraph.h"
#include "graph/GraphLayout.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QString>

#include <vector>

namespace dolmex {

// One block of the dialog: the NPC line as a header, its answers as rows below it.
class MapNodeItem : public QGraphicsItem {
public:
    enum { Type = UserType + 1 };

    MapNodeItem(const MapNode& node, const NodePlacement& placement);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // `answer` -1: the block is current through its NPC line; -2: the block is not current.
    void setCurrent(int answer);
    bool isCurrent() const { return m_current != kNotCurrent; }
    int currentAnswer() const { return m_current; }
    // The data row under `scenePos`: an answer's row, or the block's row anywhere else.
    int rowAt(QPointF scenePos) const;
    // The NPC line's row (-1) or an answer's row, in scene coordinates.
    QRectF rowRect(int answer) const;
    const MapNode& node() const { return m_node; }

    static constexpr int kNotCurrent = -2;

private:
    void paintRow(QPainter* painter, const QRectF& rect, const QString& number, const QString& text,
                  const QString& marks) const;

    MapNode m_node;
    NodePlacement m_placement;
    int m_current = kNotCurrent;
};

// A response, jump or generated reference: the spline Graphviz routed and its arrow head,
// and for a line that is no node the small mark it ends in.
class MapEdgeItem : public QGraphicsItem {
public:
    enum { Type = UserType + 2 };

    MapEdgeItem(const MapEdge& edge, const EdgeRoute& route, const MapMarkTexts& texts);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    const MapEdge& edge() const { return m_edge; }
    QString markText() const { return m_mark; }

private:
    MapEdge m_edge;
    EdgeRoute m_route;
    QPainterPath m_path;
    QString m_mark;
};

// The map of a dialog: the items of a laid-out graph, and which block is current.
class MapScene : public QGraphicsScene {
    Q_OBJECT

public:
    explicit MapScene(QObject* parent = nullptr);

    // The words of the marks, as the layout was given them.
    void setTexts(const MapMarkTexts& texts) { m_texts = texts; }
    // Replaces every item by those of `graph` placed as `layout` says.
    void setMap(DialogGraph graph, MapLayout layout);
    const DialogGraph& graph() const { return m_graph; }

    // Highlights the block holding data row `row` (and the answer, when it is one); returns
    // that block's index, or -1 when no block shown holds the row.
    int setCurrentRow(int row);
    int currentNode() const { return m_currentNode; }
    int nodeCount() const { return static_cast<int>(m_nodes.size()); }
    MapNodeItem* nodeItem(int node) const;
    // The data row drawn at `scenePos`, or -1.
    int rowAt(QPointF scenePos) const;

    // The colours the map paints in, for the views and the tests that look at them.
    static QColor currentColour();
    static QColor currentAnswerColour();

private:
    DialogGraph m_graph;
    MapMarkTexts m_texts;
    std::vector<MapNodeItem*> m_nodes;
    int m_currentNode = -1;
};

} // namespace dolmex
