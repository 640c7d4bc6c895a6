#include "SteadyScrollBar.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace dolmex {

SteadyScrollBar::SteadyScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

SteadyScrollBar::Look SteadyScrollBar::look() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    Look result;
    result.slider =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    result.atMinimum = value() == minimum();
    result.atMaximum = value() == maximum();
    return result;
}

void SteadyScrollBar::sliderChange(SliderChange change) {
    if (change == SliderValueChange && m_everPainted && !isSliderDown() && look() == m_painted)
        return;
    QScrollBar::sliderChange(change);
}

void SteadyScrollBar::paintEvent(QPaintEvent* event) {
    m_painted = look();
    m_everPainted = true;
    QScrollBar::paintEvent(event);
}

} // namespace dolmex
