#include "ui/SteadyScrollBar.h"

#include "support/PaintCounter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QTest>

namespace dolmex {
namespace {

using test::PaintCounter;

struct Step {
    const char* what;
    int from;
    int to;
    bool repaints;
};

TEST(SteadyScrollBar, RepaintsOnlyWhenTheSliderOrAnArrowChanges) {
    const Step steps[] = {
        {"a line of a long dialog", 50'000, 50'001, false},
        {"a line back", 50'000, 49'999, false},
        {"far down", 1'000, 90'000, true},
        {"onto the first line", 1, 0, true},
        {"off the first line", 0, 1, true},
        {"onto the last line", 99'999, 100'000, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        SteadyScrollBar bar(Qt::Vertical);
        bar.setRange(0, 100'000);
        bar.setPageStep(16);
        bar.resize(14, 264);
        bar.setValue(step.from);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
        QApplication::processEvents();
        PaintCounter counter;
        bar.installEventFilter(&counter);
        bar.setValue(step.to);
        QApplication::processEvents();
        EXPECT_EQ(bar.value(), step.to);
        EXPECT_EQ(counter.paints > 0, step.repaints);
    }
}

TEST(SteadyScrollBar, RepaintsOnAChangeOfRange) {
    SteadyScrollBar bar(Qt::Vertical);
    bar.setRange(0, 100'000);
    bar.resize(14, 264);
    bar.setValue(50'000);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QApplication::processEvents();
    PaintCounter counter;
    bar.installEventFilter(&counter);
    bar.setRange(0, 60'000);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
}

} // namespace
} // namespace dolmex
