#pragma once

#include "core/LineStore.h"

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

// Keeps every change of the line store in an undo stack, one step per user action. The
// store reports each change before and after it is made, so every command that changes the
// store is recorded without knowing about undo; a command marks where its action begins
// and ends with a Step. A change made outside any step becomes a step of its own, and
// consecutive edits of one cell merge into one step.
class UndoHistory : public QObject, private LineStoreObserver {
    Q_OBJECT

public:
    UndoHistory(LineStore& store, QUndoStack& stack, QObject* parent = nullptr);
    ~UndoHistory() override;

    // How the window reads and restores its cursor; without them the cursor is not kept.
    std::function<CursorState()> readCursor;
    std::function<void(const CursorState&)> restoreCursor;
    // The name of the step that a lone change outside any Step gets.
    std::function<QString()> lonelyChangeName;
    std::function<QString()> cellEditName;

    // One user action: every change of the store while it lives is one undo step named
    // `name`. Steps may nest; only the outermost one counts.
    class Step {
    public:
        Step(UndoHistory& history, const QString& name);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        UndoHistory& m_history;
    };

    // Changes made while suspended are not recorded (a load or a new document replaces
    // the whole store, and the history is cleared afterwards anyway).
    void setSuspended(bool suspended) { m_replaying = suspended; }

    QUndoStack& stack() { return m_stack; }
    // Forgets every step (a new document or a loaded file starts a new history).
    void clear();

private:
    class Action;
    class Change;

    void begin(const QString& name, bool cellEdit);
    void end();
    void lineStoreAboutToChange(const LineStoreChange& change) override;
    void lineStoreChanged(const LineStoreChange& change) override;
    CursorState cursor() const;

    LineStore& m_store;
    QUndoStack& m_stack;
    int m_depth = 0;
    bool m_replaying = false;
    std::unique_ptr<Action> m_open;
    bool m_lonely = false;
    // What the change that is under way is about to overwrite.
    DialogLines m_before;

    friend class Step;
    friend class Action;
    friend class Change;
};

} // namespace dolmex
