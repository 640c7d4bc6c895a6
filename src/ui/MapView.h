#pragma once

#include <QGraphicsView>

namespace dolmex {

class MapScene;

// The view of the map: the wheel zooms about the pointer, a drag pans, a click names the
// row under the pointer and a double click asks for it to be opened.
class MapView : public QGraphicsView {
    Q_OBJECT

public:
    explicit MapView(MapScene& scene, QWidget* parent = nullptr);

    void zoomIn();
    void zoomOut();
    // The whole map in the view.
    void fit();
    qreal zoom() const { return transform().m11(); }

signals:
    // A click (not a drag) on a block or an answer: its data row.
    void rowClicked(int row);
    void rowDoubleClicked(int row);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void zoomBy(qreal factor);
    int rowAt(QPoint viewPos) const;

    MapScene& m_scene;
    QPoint m_pressedAt;
    bool m_pressed = false;
};

} // namespace dolmex
