#pragma once

#include <QRect>
#include <QScrollBar>

namespace dolmex {

// A scroll bar that repaints on a change of value only when that moves its slider or
// enables or disables an arrow. On a long dialog one line is far less than a pixel of the
// slider's travel, and a plain scroll bar repaints itself, groove and all, on every step
// of the cursor.
class SteadyScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit SteadyScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Look {
        QRect slider;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look&) const = default;
    };
    Look look() const;

    Look m_painted;
    bool m_everPainted = false;
};

} // namespace dolmex
