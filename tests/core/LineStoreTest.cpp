#include "core/LineStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace dolmex {
namespace {

struct Recorder : LineStoreObserver {
    std::vector<LineStoreChange::Kind> before, after;
    void lineStoreAboutToChange(const LineStoreChange& c) override { before.push_back(c.kind); }
    void lineStoreChanged(const LineStoreChange& c) override { after.push_back(c.kind); }
};

DialogLine Numbered(const char* number) {
    return DialogLine{number};
}

TEST(LineStore, NeverLosesItsLastRow) {
    LineStore store;
    store.insertLines(store.rowCount(), {Numbered("1"), Numbered("2")});
    ASSERT_EQ(store.rowCount(), 4);
    store.removeLines(1, 100);
    EXPECT_EQ(store.rowCount(), 2);
    EXPECT_EQ(store.line(1), DialogLine{});
    store.replaceAll({});
    EXPECT_EQ(store.rowCount(), 2);
}

TEST(LineStore, OutOfRangeAccessIsHarmless) {
    LineStore store;
    store.setCell(0, 0, "title row is not data");
    store.setCell(5, 0, "x");
    store.setCell(1, 8, "x");
    store.removeLines(0, 1);
    EXPECT_EQ(store.cell(0, 0), "");
    EXPECT_EQ(store.cell(9, 0), "");
    EXPECT_EQ(store.cell(1, -1), "");
    EXPECT_EQ(store.line(9), DialogLine{});
    EXPECT_EQ(store.rowCount(), 2);
}

TEST(LineStore, ReportsEachChangeBeforeAndAfter) {
    LineStore store;
    Recorder recorder;
    store.addObserver(&recorder);
    using K = LineStoreChange::Kind;
    store.insertLines(1, {Numbered("1"), Numbered("2")});
    store.setCell(2, ColText, "x");
    store.removeLines(1, 1);
    store.SGClear();
    store.removeObserver(&recorder);
    store.setCell(1, 0, "unseen");
    EXPECT_EQ(recorder.after,
              (std::vector<K>{K::RowsInserted, K::CellsChanged, K::RowsRemoved, K::Reset}));
    EXPECT_EQ(recorder.before, recorder.after) << "every change is announced before it is made";
    EXPECT_EQ(store.cell(1, 0), "unseen");
}

// Rows written over existing ones, edited or already stored: those past the end are
// dropped, the row count stays, and observers hear of exactly the rows that changed.
TEST(LineStore, SettingRowsKeepsTheRowCountAndReportsTheRowsWritten) {
    struct Counter : LineStoreObserver {
        LineStoreChange last;
        void lineStoreChanged(const LineStoreChange& c) override { last = c; }
    };
    for (const bool packed : {false, true}) {
        LineStore store;
        store.insertLines(1, {Numbered("1"), Numbered("2")});
        Counter counter;
        store.addObserver(&counter);
        if (packed)
            store.setPackedLines(2, {PackedLine{"8"}, PackedLine{"9"}, PackedLine{"10"}});
        else
            store.setLines(2, {Numbered("8"), Numbered("9"), Numbered("10")});
        EXPECT_EQ(store.rowCount(), 4) << packed;
        EXPECT_EQ(store.cell(1, ColNumber), "1") << packed;
        EXPECT_EQ(store.cell(2, ColNumber), "8") << packed;
        EXPECT_EQ(store.cell(3, ColNumber), "9") << packed;
        EXPECT_EQ(counter.last.firstRow, 2) << packed;
        EXPECT_EQ(counter.last.rowCount, 2) << packed;
        store.removeObserver(&counter);
    }
}

} // namespace
} // namespace dolmex
