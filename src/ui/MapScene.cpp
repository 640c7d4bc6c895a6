#include "MapScene.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace dolmex {

namespace {

// Readable on white and on the grey of unreachable blocks, and apart from each other.
const QColor kBorder(0x55, 0x5b, 0x66);
const QColor kHeaderFill(0xdc, 0xe6, 0xf2);
const QColor kAnswerFill(Qt::white);
const QColor kText(0x1a, 0x1a, 0x1a);
const QColor kUnreachableFill(0xe6, 0xe6, 0xe6);
const QColor kUnreachableText(0x80, 0x80, 0x80);
const QColor kCurrentBorder(0xd9, 0x7b, 0x00);
const QColor kCurrentHeader(0xff, 0xd8, 0x70);
const QColor kCurrentAnswer(0xff, 0xea, 0xb0);
const QColor kResponse(0x30, 0x30, 0x30);
const QColor kJump(0x1f, 0x5f, 0xa8);
const QColor kGenerated(0x2e, 0x7d, 0x32);
const QColor kDangling(0xc6, 0x28, 0x28);
const QColor kConditionMark(0xa0, 0x60, 0x00);

// Graphviz measured the rows for text of 10 points in rows of 22 (8 in marks of 14): the
// text keeps that share of whatever height the rows got, so it fits the widths measured.
QFont RowFont(const QFont& base, qreal height, qreal share, bool bold) {
    QFont font = base;
    font.setPixelSize(std::max(4, qRound(height * share)));
    font.setBold(bold);
    return font;
}

QPainterPath SplinePath(const std::vector<QPointF>& points) {
    QPainterPath path;
    if (points.empty())
        return path;
    path.moveTo(points.front());
    std::size_t i = 1;
    for (; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    for (; i < points.size(); ++i) // a route that is not whole triples ends straight
        path.lineTo(points[i]);
    return path;
}

QColor EdgeColour(const MapEdge& edge) {
    if (edge.target == MapTargetKind::Dangling)
        return kDangling;
    switch (edge.kind) {
    case MapEdgeKind::Jump:
        return kJump;
    case MapEdgeKind::Generated:
        return kGenerated;
    case MapEdgeKind::Response:
        break;
    }
    return kResponse;
}

Qt::PenStyle EdgeStyle(MapEdgeKind kind) {
    switch (kind) {
    case MapEdgeKind::Jump:
        return Qt::DashLine;
    case MapEdgeKind::Generated:
        return Qt::DotLine;
    case MapEdgeKind::Response:
        break;
    }
    return Qt::SolidLine;
}

} // namespace

MapNodeItem::MapNodeItem(const MapNode& node, const NodePlacement& placement)
    : m_node(node), m_placement(placement) {
    if (!m_node.genderText.isEmpty())
        setToolTip(m_node.genderText);
    setZValue(1); // above the edges that end under its border
}

QRectF MapNodeItem::boundingRect() const {
    return m_placement.box.adjusted(-3, -3, 3, 3);
}

void MapNodeItem::setCurrent(int answer) {
    if (answer == m_current)
        return;
    m_current = answer;
    update();
}

int MapNodeItem::rowAt(QPointF scenePos) const {
    const auto& boxes = m_placement.answerBoxes;
    for (std::size_t i = 0; i < boxes.size() && i < m_node.answers.size(); ++i) {
        if (boxes[i].contains(scenePos))
            return m_node.answers[i].row;
    }
    return m_node.row;
}

QRectF MapNodeItem::rowRect(int answer) const {
    if (answer >= 0 && answer < static_cast<int>(m_placement.answerBoxes.size()))
        return m_placement.answerBoxes[static_cast<std::size_t>(answer)];
    return m_placement.header.isEmpty() ? m_placement.box : m_placement.header;
}

void MapNodeItem::paintRow(QPainter* painter, const QRectF& rect, const QString& number,
                           const QString& text, const QString& marks) const {
    const qreal pad = std::max(2.0, rect.height() * 0.14);
    qreal right = rect.right() - pad;
    // The marks sit at the right end, so the text gives way to them.
    if (!marks.isEmpty()) {
        const QFont font = RowFont(painter->font(), rect.height(), 0.37, false);
        painter->setFont(font);
        const qreal width = QFontMetricsF(font).horizontalAdvance(marks);
        painter->setPen(m_node.reachable ? kConditionMark : kUnreachableText);
        painter->drawText(QRectF(right - width, rect.top(), width, rect.height()),
                          Qt::AlignRight | Qt::AlignVCenter, marks);
        right -= width + pad;
    }
    const QFont bold = RowFont(painter->font(), rect.height(), 0.46, true);
    const QFont plain = RowFont(painter->font(), rect.height(), 0.46, false);
    qreal left = rect.left() + pad;
    painter->setPen(m_node.reachable ? kText : kUnreachableText);
    if (!number.isEmpty()) {
        painter->setFont(bold);
        const QFontMetricsF metrics(bold);
        const QString shown = metrics.elidedText(number, Qt::ElideRight, right - left);
        painter->drawText(QRectF(left, rect.top(), right - left, rect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, shown);
        left += metrics.horizontalAdvance(shown + QLatin1Char(' '));
    }
    if (left < right && !text.isEmpty()) {
        painter->setFont(plain);
        painter->drawText(QRectF(left, rect.top(), right - left, rect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetricsF(plain).elidedText(text, Qt::ElideRight, right - left));
    }
}

void MapNodeItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF box = m_placement.box;
    const bool current = isCurrent();
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_node.reachable ? kAnswerFill : kUnreachableFill);
    painter->drawRect(box);

    if (m_node.npcLine && !m_placement.header.isEmpty()) {
        painter->setBrush(current && m_current == -1
                              ? kCurrentHeader
                              : (m_node.reachable ? kHeaderFill : kUnreachableFill));
        painter->drawRect(m_placement.header);
        paintRow(painter, m_placement.header, m_node.number, m_node.text, {});
    }
    const auto& boxes = m_placement.answerBoxes;
    for (std::size_t i = 0; i < boxes.size() && i < m_node.answers.size(); ++i) {
        const MapAnswer& answer = m_node.answers[i];
        if (current && m_current == static_cast<int>(i)) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(kCurrentAnswer);
            painter->drawRect(boxes[i]);
        }
        if (i > 0 || m_node.npcLine) {
            painter->setPen(QPen(m_node.reachable ? kBorder : kUnreachableText, 0.6));
            painter->drawLine(boxes[i].topLeft(), boxes[i].topRight());
        }
        paintRow(painter, boxes[i], answer.number, answer.text, ConditionMarks(answer));
    }
    painter->setBrush(Qt::NoBrush);
    if (current)
        painter->setPen(QPen(kCurrentBorder, 3.0));
    else
        painter->setPen(QPen(m_node.reachable ? kBorder : kUnreachableText, 1.0));
    painter->drawRect(box);
}

MapEdgeItem::MapEdgeItem(const MapEdge& edge, const EdgeRoute& route, const MapMarkTexts& texts)
    : m_edge(edge), m_route(route), m_path(SplinePath(route.points)) {
    switch (edge.target) {
    case MapTargetKind::End:
        m_mark = texts.end;
        break;
    case MapTargetKind::NextTalk:
        m_mark = QString(texts.nextTalk).arg(edge.number);
        break;
    case MapTargetKind::Dangling:
        m_mark = QString(texts.dangling).arg(edge.number);
        break;
    case MapTargetKind::Node:
        break;
    }
}

QRectF MapEdgeItem::boundingRect() const {
    QRectF bounds = m_path.boundingRect();
    if (!m_route.points.empty())
        bounds |= QRectF(m_route.arrowTip, QSizeF(0, 0));
    if (!m_route.markBox.isEmpty())
        bounds |= m_route.markBox;
    return bounds.adjusted(-8, -8, 8, 8);
}

void MapEdgeItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor colour = EdgeColour(m_edge);
    QPen pen(colour, m_edge.target == MapTargetKind::Dangling ? 1.6 : 1.2);
    pen.setStyle(EdgeStyle(m_edge.kind));
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_path);

    // The arrow head runs from the spline's end to the tip Graphviz left room for.
    if (!m_route.points.empty()) {
        const QPointF from = m_route.points.back();
        const QPointF tip = m_route.arrowTip;
        const QPointF along = tip - from;
        const qreal length = std::hypot(along.x(), along.y());
        if (length > 0.5) {
            const QPointF unit = along / length;
            const QPointF normal(-unit.y(), unit.x());
            const qreal half = std::max(2.5, length * 0.38);
            const QPointF head[] = {tip, from + normal * half, from - normal * half};
            painter->setPen(QPen(colour, 1.0));
            painter->setBrush(colour);
            painter->drawPolygon(head, 3);
        }
    }
    if (m_route.markBox.isEmpty() || m_mark.isEmpty())
        return;
    const QRectF mark = m_route.markBox;
    const qreal radius = mark.height() / 2;
    if (m_edge.target == MapTargetKind::Dangling) {
        painter->setPen(QPen(kDangling, 1.2));
        painter->setBrush(kDangling);
    } else {
        painter->setPen(QPen(kBorder, 0.8));
        painter->setBrush(m_edge.target == MapTargetKind::End ? QColor(0xee, 0xee, 0xee)
                                                              : QColor(0xe3, 0xee, 0xfa));
    }
    painter->drawRoundedRect(mark, radius, radius);
    QFont font =
        RowFont(painter->font(), mark.height(), 0.55, m_edge.target == MapTargetKind::Dangling);
    painter->setFont(font);
    painter->setPen(m_edge.target == MapTargetKind::Dangling ? QColor(Qt::white) : kText);
    const QRectF inner = mark.adjusted(radius / 2, 0, -radius / 2, 0);
    painter->drawText(inner, Qt::AlignCenter,
                      QFontMetricsF(font).elidedText(m_mark, Qt::ElideRight, inner.width()));
}

MapScene::MapScene(QObject* parent) : QGraphicsScene(parent) {
    setBackgroundBrush(Qt::white);
}

QColor MapScene::currentColour() {
    return kCurrentHeader;
}

QColor MapScene::currentAnswerColour() {
    return kCurrentAnswer;
}

void MapScene::setMap(DialogGraph graph, MapLayout layout) {
    clear();
    m_nodes.clear();
    m_currentNode = -1;
    m_graph = std::move(graph);
    const std::size_t nodes = std::min(m_graph.nodes.size(), layout.nodes.size());
    for (std::size_t i = 0; i < nodes; ++i) {
        auto* item = new MapNodeItem(m_graph.nodes[i], layout.nodes[i]);
        addItem(item);
        m_nodes.push_back(item);
    }
    const std::size_t edges = std::min(m_graph.edges.size(), layout.edges.size());
    for (std::size_t i = 0; i < edges; ++i)
        addItem(new MapEdgeItem(m_graph.edges[i], layout.edges[i], m_texts));
    // The scene never grows past the drawing: a smaller map after an edit is not lost in
    // the room the larger one took.
    setSceneRect(layout.bounds.adjusted(-20, -20, 20, 20));
}

MapNodeItem* MapScene::nodeItem(int node) const {
    return node >= 0 && node < nodeCount() ? m_nodes[static_cast<std::size_t>(node)] : nullptr;
}

int MapScene::setCurrentRow(int row) {
    int answer = -1;
    const int node = m_graph.nodeOfRow(row, &answer);
    if (MapNodeItem* old = nodeItem(m_currentNode); old && m_currentNode != node)
        old->setCurrent(MapNodeItem::kNotCurrent);
    m_currentNode = node < nodeCount() ? node : -1;
    if (MapNodeItem* item = nodeItem(m_currentNode))
        item->setCurrent(answer);
    return m_currentNode;
}

int MapScene::rowAt(QPointF scenePos) const {
    for (QGraphicsItem* item : items(scenePos)) {
        if (item->type() == MapNodeItem::Type)
            return static_cast<MapNodeItem*>(item)->rowAt(scenePos);
    }
    return -1;
}

} // namespace dolmex
