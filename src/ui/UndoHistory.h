#pragma once

#include "core/LineStore.h"
#include "editing/EditSession.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QUndoCommand;
class QUndoStack;

namespace dolmex {

// Where the grid cursor and the selected rows were, so undo can put them back.
struct CursorState {
    int row = 1;
    int column = 0;
    int firstSelected = 0; // 0: no rows selected
    int lastSelected = 0;
    bool operator==(const CursorState&) const = default;
};

// The edit session that keeps every step in an undo stack. The store reports each change
// before and after it is made, so a step records only what it changed, whatever command
// made it; consecutive edits of one cell merge into one step. It lives here rather than in
// src/editing because QUndoStack belongs to QtGui.
class UndoHistory : public QObject, public EditSession {
    Q_OBJECT

public:
    UndoHistory(Document& document, QUndoStack& stack, QObject* parent = nullptr);
    ~UndoHistory() override;

    // How the window reads and restores its cursor; without them the cursor is not kept.
    std::function<CursorState()> readCursor;
    std::function<void(const CursorState&)> restoreCursor;
    // The text that names a step of `verb` (its EDITMENU entry in the window's language).
    std::function<QString(EditVerb verb)> stepName;

    QUndoStack& stack() { return m_stack; }

    bool canUndo() const override;
    bool canRedo() const override;
    // Back at the state of the last save or load, nothing is left to lose.
    void undo() override;
    void redo() override;

private:
    class Action;
    class Change;

    void stepBegins(EditVerb verb) override;
    void stepEnds() override;
    void changeBegins(const LineStoreChange& change) override;
    void changeEnded(const LineStoreChange& change) override;
    void historyForgotten() override;
    void savedHere() override;
    void savedStateLost() override;
    CursorState cursor() const;

    QUndoStack& m_stack;
    std::unique_ptr<Action> m_open;
    // What the change that is under way is about to overwrite.
    DialogLines m_before;

    friend class Action;
    friend class Change;
};

} // namespace dolmex
