#include "ui/DialogGrid.h"

#include "support/PaintCounter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTest>

namespace dolmex {
namespace {

using test::PaintCounter;

struct Shown {
    QStandardItemModel model{200, 7};
    DialogGrid grid;
    PaintCounter titles;

    Shown() {
        grid.setModel(&model);
        grid.setSelectionBehavior(QAbstractItemView::SelectRows);
        grid.resize(600, 300);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        selectRow(5);
        grid.horizontalHeader()->viewport()->installEventFilter(&titles);
    }
    void selectRow(int row) {
        grid.selectionModel()->setCurrentIndex(grid.model()->index(row, 0),
                                               QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        QApplication::processEvents();
    }
};

TEST(DialogGrid, TitlesKeepTheLookOfATableViewsOwn) {
    DialogGrid grid;
    EXPECT_TRUE(grid.horizontalHeader()->sectionsClickable());
    EXPECT_TRUE(grid.horizontalHeader()->highlightSections());
}

TEST(DialogGrid, TitlesRepaintOnlyWhenTheirHighlightChanges) {
    {
        Shown shown;
        shown.selectRow(6);
        shown.selectRow(150);
        EXPECT_EQ(shown.titles.paints, 0) << "another row highlights the same titles";
    }
    {
        Shown shown;
        shown.grid.clearSelection();
        QApplication::processEvents();
        EXPECT_GT(shown.titles.paints, 0) << "no row selected, no title highlighted";
    }
    {
        Shown shown;
        shown.grid.selectAll();
        QApplication::processEvents();
        EXPECT_GT(shown.titles.paints, 0) << "whole columns selected";
    }
}

} // namespace
} // namespace dolmex
