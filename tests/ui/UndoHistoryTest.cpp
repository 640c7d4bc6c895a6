#include "ui/UndoHistory.h"
#include "core/LineStore.h"
#include "editing/LineCommands.h"

#include <gtest/gtest.h>

#include <QUndoStack>

#include <functional>

namespace dolmex {
namespace {

DialogLines Numbered(int count) {
    DialogLines rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(DialogLine{std::to_string(i), "text " + std::to_string(i), "", "", "", "",
                                  "", "note " + std::to_string(i)});
    return rows;
}

struct Fixture {
    LineStore store;
    QUndoStack stack;
    UndoHistory history{store, stack};
    CursorState cursor;

    Fixture() {
        store.replaceAll(Numbered(5));
        stack.clear();
        history.readCursor = [this] { return cursor; };
        history.restoreCursor = [this](const CursorState& c) { cursor = c; };
        history.cellEditName = [] { return QStringLiteral("Edit cell"); };
    }

    void step(const char* name, const std::function<void()>& change) {
        UndoHistory::Step step(history, QString::fromLatin1(name));
        change();
    }
};

TEST(UndoHistory, EveryLineCommandIsOneStepThatUndoesAndRedoesExactly) {
    struct Case {
        const char* name;
        std::function<void(LineStore&)> command;
    };
    const Case cases[] = {
        {"append", [](LineStore& s) { AppendLine(s); }},
        {"insert", [](LineStore& s) { InsertLine(s, 2); }},
        {"delete block",
         [](LineStore& s) {
             DeleteLines(s, {2, 4});
         }},
        {"delete all",
         [](LineStore& s) {
             DeleteLines(s, {1, 5});
         }},
        {"copy text", [](LineStore& s) { CopyTextToGender(s, 3); }},
        {"move up",
         [](LineStore& s) {
             RowBlock b{3, 4};
             MoveLinesUp(s, b);
         }},
        {"move down",
         [](LineStore& s) {
             RowBlock b{1, 2};
             MoveLinesDown(s, b);
         }},
        {"whole dialog, same rows",
         [](LineStore& s) {
             DialogLines rows = s.lines();
             for (PackedLine& row : rows)
                 row.set(ColNumber, std::string(row[ColNumber]) + "0");
             rows[2].set(ColComment, "");
             s.replaceAll(std::move(rows));
         }},
        {"several changes",
         [](LineStore& s) {
             s.setCell(1, ColText, "a");
             s.insertLines(3, {DialogLine{"x"}});
             s.removeLines(5, 2);
             s.replaceAll(Numbered(2));
         }},
    };
    for (const auto& c : cases) {
        Fixture f;
        const DialogLines before = f.store.lines();
        f.step(c.name, [&] { c.command(f.store); });
        const DialogLines after = f.store.lines();
        ASSERT_EQ(f.stack.count(), 1) << c.name;
        EXPECT_EQ(f.stack.undoText(), QString::fromLatin1(c.name));
        f.stack.undo();
        EXPECT_EQ(f.store.lines(), before) << c.name;
        f.stack.redo();
        EXPECT_EQ(f.store.lines(), after) << c.name;
    }
}

TEST(UndoHistory, KeystrokesInOneCellMergeAndCursorComesBack) {
    Fixture f;
    f.cursor = {2, ColText, 0, 0};
    f.store.setCell(2, ColText, "t");
    f.cursor = {2, ColText, 0, 0};
    f.store.setCell(2, ColText, "te");
    f.store.setCell(2, ColText, "tex");
    EXPECT_EQ(f.stack.count(), 1);
    EXPECT_EQ(f.stack.undoText(), "Edit cell");
    f.store.setCell(3, ColText, "other cell");
    EXPECT_EQ(f.stack.count(), 2);

    f.cursor = {9, 9, 9, 9};
    f.stack.undo();
    f.stack.undo();
    EXPECT_EQ(f.store.cell(2, ColText), "text 2");
    EXPECT_EQ(f.cursor, (CursorState{2, ColText, 0, 0}));

    f.step("move", [&] {
        f.cursor = {4, 0, 3, 4};
        RowBlock block{3, 4};
        MoveLinesUp(f.store, block);
        f.cursor = {3, 0, 2, 3};
    });
    f.stack.undo();
    EXPECT_EQ(f.cursor, (CursorState{2, ColText, 0, 0})) << "the cursor before the step";
    f.stack.redo();
    EXPECT_EQ(f.cursor, (CursorState{3, 0, 2, 3}));
}

TEST(UndoHistory, StepsWithoutChangesAreNotKeptAndNestedStepsAreOne) {
    Fixture f;
    f.step("nothing", [] {});
    EXPECT_EQ(f.stack.count(), 0);
    f.step("outer", [&] {
        f.store.setCell(1, ColText, "a");
        f.step("inner", [&] { f.store.setCell(2, ColText, "b"); });
    });
    EXPECT_EQ(f.stack.count(), 1);
    EXPECT_EQ(f.stack.undoText(), "outer");
    f.stack.undo();
    EXPECT_EQ(f.store.cell(1, ColText), "text 1");
    EXPECT_EQ(f.store.cell(2, ColText), "text 2");
}

} // namespace
} // namespace dolmex
