#include "ui/LineStoreModel.h"
#include "core/Document.h"
#include "editing/EditSession.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace dolmex {
namespace {

TEST(LineStoreModel, FollowsEveryStoreChange) {
    Document document;
    PlainEditSession session(document);
    LineStore& store = document.store();
    LineStoreModel model(session);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    store.setTitle(0, "{N}");
    store.insertLines(2, {DialogLine{"1"}, DialogLine{"2"}});
    store.setCell(2, ColText, "\xC4\xE0");
    store.removeLines(1, 1);
    store.setLines(1, {DialogLine{"9"}, DialogLine{"8"}});
    store.replaceAll({});
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "{N}");
}

TEST(LineStoreModel, MarkedCellsGetABackgroundAndTheViewIsToldOfEveryChangeOfMarks) {
    Document document;
    PlainEditSession session(document);
    document.store().replaceAll(
        {PackedLine(DialogLine{"1", "a"}), PackedLine(DialogLine{"2", "b"})});
    LineStoreModel model(session);
    QSignalSpy repaint(&model, &LineStoreModel::dataChanged);
    const auto background = [&](int row, int column) {
        return model.index(row - 1, column).data(Qt::BackgroundRole);
    };
    EXPECT_FALSE(background(1, ColText).isValid());
    model.setCellMark([](int row, int column) {
        if (column != ColText)
            return LineStoreModel::CellMark::None;
        return row == 1 ? LineStoreModel::CellMark::Match : LineStoreModel::CellMark::Current;
    });
    EXPECT_EQ(repaint.count(), 1);
    EXPECT_TRUE(background(1, ColText).isValid());
    EXPECT_FALSE(background(1, ColNumber).isValid());
    EXPECT_NE(background(1, ColText), background(2, ColText));
    EXPECT_EQ(model.index(0, ColText).data(Qt::DisplayRole).toString(), QStringLiteral("a"));
    model.setCellMark(nullptr);
    EXPECT_EQ(repaint.count(), 2);
    EXPECT_FALSE(background(2, ColText).isValid());
    model.setCellMark(nullptr); // nothing was marked: no repaint
    EXPECT_EQ(repaint.count(), 2);
}

TEST(LineStoreModel, EditsOnlyInEditModeAndOnlyWhatTheCodePageHolds) {
    Document document;
    PlainEditSession session(document);
    LineStore& store = document.store();
    LineStoreModel model(session);
    QSignalSpy edited(&model, &LineStoreModel::cellEdited);
    QSignalSpy refused(&model, &LineStoreModel::unstorableText);
    const QModelIndex cell = model.index(0, ColText);

    EXPECT_FALSE(model.setData(cell, QStringLiteral("x"), Qt::EditRole));
    EXPECT_FALSE(model.flags(cell).testFlag(Qt::ItemIsEditable));

    model.setEditable(true);
    EXPECT_TRUE(model.flags(cell).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(model.setData(cell, QStringLiteral("Да"), Qt::EditRole));
    EXPECT_EQ(store.cell(1, ColText), "\xC4\xE0");
    EXPECT_EQ(edited.count(), 1);

    EXPECT_FALSE(model.setData(cell, QStringLiteral("Daß"), Qt::EditRole));
    EXPECT_EQ(store.cell(1, ColText), "\xC4\xE0");
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.front().front().value<QChar>(), QChar(u'ß'));
}

} // namespace
} // namespace dolmex
