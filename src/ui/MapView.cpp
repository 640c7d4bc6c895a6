#include "MapView.h"

#include "MapScene.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace dolmex {

namespace {

constexpr qreal kZoomStep = 1.25;
constexpr qreal kMinZoom = 0.05;
constexpr qreal kMaxZoom = 8.0;
// Farther than this between press and release, the mouse dragged the map rather than chose.
constexpr int kClickSlack = 4;

} // namespace

MapView::MapView(MapScene& scene, QWidget* parent) : QGraphicsView(&scene, parent), m_scene(scene) {
    setObjectName(QStringLiteral("MapView"));
    setDragMode(QGraphicsView::ScrollHandDrag);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
}

void MapView::zoomBy(qreal factor) {
    const qreal target = std::clamp(zoom() * factor, kMinZoom, kMaxZoom);
    if (zoom() > 0)
        scale(target / zoom(), target / zoom());
}

void MapView::zoomIn() {
    const ViewportAnchor anchor = transformationAnchor();
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    zoomBy(kZoomStep);
    setTransformationAnchor(anchor);
}

void MapView::zoomOut() {
    const ViewportAnchor anchor = transformationAnchor();
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    zoomBy(1 / kZoomStep);
    setTransformationAnchor(anchor);
}

void MapView::fit() {
    if (!m_scene.sceneRect().isEmpty())
        fitInView(m_scene.sceneRect(), Qt::KeepAspectRatio);
    // A tiny map is not blown up past the size it reads best at.
    if (zoom() > 1.5)
        zoomBy(1.5 / zoom());
}

void MapView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    zoomBy(std::pow(kZoomStep, delta / 120.0));
    event->accept();
}

int MapView::rowAt(QPoint viewPos) const {
    return m_scene.rowAt(mapToScene(viewPos));
}

void MapView::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    if (!m_pressed || event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    const QPoint at = event->position().toPoint();
    if ((at - m_pressedAt).manhattanLength() > kClickSlack)
        return;
    if (const int row = rowAt(at); row >= 1)
        emit rowClicked(row);
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const int row = rowAt(event->position().toPoint()); row >= 1) {
            emit rowDoubleClicked(row);
            event->accept();
            return;
        }
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

} // namespace dolmex
