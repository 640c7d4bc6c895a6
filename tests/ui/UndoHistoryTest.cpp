#include "ui/UndoHistory.h"
#include "core/Document.h"
#include "editing/LineCommands.h"
#include "support/TestFiles.h"

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
    Document document;
    LineStore& store = document.store();
    QUndoStack stack;
    UndoHistory history{document, stack};
    CursorState cursor;

    Fixture() {
        store.replaceAll(Numbered(5));
        stack.clear();
        history.readCursor = [this] { return cursor; };
        history.restoreCursor = [this](const CursorState& c) { cursor = c; };
        history.stepName = [](EditVerb verb) {
            return verb == EditVerb::EditCell ? QStringLiteral("Edit cell")
                                              : QString::fromLatin1(VerbInfo(verb).name);
        };
    }

    void step(EditVerb verb, const std::function<void()>& change) {
        history.perform(verb, [&](LineStore&) { change(); });
    }
};

TEST(UndoHistory, EveryLineCommandIsOneStepThatUndoesAndRedoesExactly) {
    struct Case {
        const char* name;
        EditVerb verb;
        std::function<void(LineStore&)> command;
    };
    const Case cases[] = {
        {"append", EditVerb::AppendLine, [](LineStore& s) { AppendLine(s); }},
        {"insert", EditVerb::InsertLine, [](LineStore& s) { InsertLine(s, 2); }},
        {"delete block", EditVerb::DeleteLines,
         [](LineStore& s) {
             DeleteLines(s, {2, 4});
         }},
        {"delete all", EditVerb::DeleteLines,
         [](LineStore& s) {
             DeleteLines(s, {1, 5});
         }},
        {"copy text", EditVerb::CopyTextToGender, [](LineStore& s) { CopyTextToGender(s, 3); }},
        {"move up", EditVerb::MoveUp,
         [](LineStore& s) {
             RowBlock b{3, 4};
             MoveLinesUp(s, b);
         }},
        {"move down", EditVerb::MoveDown,
         [](LineStore& s) {
             RowBlock b{1, 2};
             MoveLinesDown(s, b);
         }},
        {"whole dialog, same rows", EditVerb::Renumber,
         [](LineStore& s) {
             DialogLines rows = s.lines();
             for (PackedLine& row : rows)
                 row.set(ColNumber, std::string(row[ColNumber]) + "0");
             rows[2].set(ColComment, "");
             s.replaceAll(std::move(rows));
         }},
        {"several changes", EditVerb::ChangeLines,
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
        f.step(c.verb, [&] { c.command(f.store); });
        const DialogLines after = f.store.lines();
        ASSERT_EQ(f.stack.count(), 1) << c.name;
        EXPECT_EQ(f.stack.undoText(), QString::fromLatin1(VerbInfo(c.verb).name)) << c.name;
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

    f.step(EditVerb::MoveUp, [&] {
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
    f.step(EditVerb::NumberBlock, [] {});
    EXPECT_EQ(f.stack.count(), 0);
    f.step(EditVerb::SeparatorLines, [&] {
        f.store.setCell(1, ColText, "a");
        f.step(EditVerb::CutLines, [&] { f.store.setCell(2, ColText, "b"); });
    });
    EXPECT_EQ(f.stack.count(), 1);
    EXPECT_EQ(f.stack.undoText(), "SeparatorLines");
    f.stack.undo();
    EXPECT_EQ(f.store.cell(1, ColText), "text 1");
    EXPECT_EQ(f.store.cell(2, ColText), "text 2");
}

TEST(UndoHistory, UndoingBackToTheSavedStateClearsTheFlag) {
    test::TempFolder folder;
    Fixture f;
    f.step(EditVerb::AppendLine, [&] { AppendLine(f.store); });
    f.history.saveAs(folder.path("00001A.dlg"));
    f.step(EditVerb::DeleteLines, [&] { DeleteLines(f.store, {1, 2}); });
    ASSERT_TRUE(f.document.isModified());
    f.history.undo();
    EXPECT_FALSE(f.document.isModified()) << "back at the saved rows";
    f.history.undo();
    EXPECT_TRUE(f.document.isModified()) << "before the save";
    f.history.redo();
    EXPECT_FALSE(f.document.isModified());
    // New keeps the flag and forgets the steps: nothing is left to undo.
    f.step(EditVerb::InsertLine, [&] { InsertLine(f.store, 1); });
    f.history.reset();
    EXPECT_TRUE(f.document.isModified());
    EXPECT_FALSE(f.history.canUndo());
}

} // namespace
} // namespace dolmex
