#include "UndoHistory.h"

#include <QUndoStack>

namespace dolmex {

// One cell of a whole-dialog change that kept the number of rows (renumbering, clearing
// comments): such a step keeps only the cells it changed, not two copies of the dialog.
struct CellEdit {
    int row;
    int column;
    std::string before;
    std::string after;
};

// One change of the store, with what it overwrote and what it wrote.
class UndoHistory::Change {
public:
    LineStoreChange::Kind kind;
    int firstRow;
    int column;
    std::vector<DialogLine> before;
    std::vector<DialogLine> after;
    // A change of rows that kept their number, cell by cell (row relative to firstRow).
    std::vector<CellEdit> cells;
    int rowCount = 0;

    // Keeps only the cells that a change of rows in place changed: renumbering rewrites a
    // few cells of every row, and two copies of every row would cost twice the dialog.
    void keepOnlyChangedCells() {
        const bool inPlace = kind == LineStoreChange::Kind::CellsChanged ||
                             (kind == LineStoreChange::Kind::Reset && before.size() == after.size());
        if (!inPlace || before.size() != after.size() || before.empty())
            return;
        if (kind == LineStoreChange::Kind::Reset)
            firstRow = 1;
        rowCount = static_cast<int>(before.size());
        for (std::size_t row = 0; row < before.size(); ++row) {
            for (int c = 0; c < kColumnCount; ++c) {
                const auto column = static_cast<std::size_t>(c);
                if (before[row][column] != after[row][column])
                    cells.push_back({static_cast<int>(row), c, std::move(before[row][column]),
                                     std::move(after[row][column])});
            }
        }
        // Give the memory of the two copies back, not just their contents.
        std::vector<DialogLine>().swap(before);
        std::vector<DialogLine>().swap(after);
        cells.shrink_to_fit();
    }

    void apply(LineStore& store, bool forward) const {
        if (rowCount > 0) {
            std::vector<DialogLine> rows;
            rows.reserve(static_cast<std::size_t>(rowCount));
            for (int row = firstRow; row < firstRow + rowCount; ++row)
                rows.push_back(store.line(row));
            for (const CellEdit& edit : cells)
                rows[static_cast<std::size_t>(edit.row)][static_cast<std::size_t>(edit.column)] =
                    forward ? edit.after : edit.before;
            if (kind == LineStoreChange::Kind::Reset)
                store.replaceAll(DialogLines(std::make_move_iterator(rows.begin()),
                                             std::make_move_iterator(rows.end())));
            else
                store.setLines(firstRow, std::move(rows));
            return;
        }
        const std::vector<DialogLine>& rows = forward ? after : before;
        switch (kind) {
        case LineStoreChange::Kind::CellsChanged:
            store.setLines(firstRow, rows);
            break;
        case LineStoreChange::Kind::RowsInserted:
            if (forward)
                store.insertLines(firstRow, after);
            else
                store.removeLines(firstRow, static_cast<int>(after.size()));
            break;
        case LineStoreChange::Kind::RowsRemoved:
            if (forward)
                store.removeLines(firstRow, static_cast<int>(before.size()));
            else
                store.insertLines(firstRow, before);
            break;
        case LineStoreChange::Kind::Reset:
            store.replaceAll(DialogLines(rows.begin(), rows.end()));
            break;
        case LineStoreChange::Kind::TitleChanged:
            break;
        }
    }

    bool isCellEdit() const {
        return kind == LineStoreChange::Kind::CellsChanged && column >= 0 && rowCount == 1;
    }
};

// One user action: its changes in order, and the cursor before and after it.
class UndoHistory::Action : public QUndoCommand {
public:
    Action(UndoHistory& history, const QString& name, CursorState cursor, bool cellEdit)
        : QUndoCommand(name), m_history(history), m_cellEdit(cellEdit), m_cursorBefore(cursor),
          m_cursorAfter(cursor) {}

    void add(Change change) { m_changes.push_back(std::move(change)); }
    bool isEmpty() const { return m_changes.empty(); }
    void setCursorAfter(CursorState cursor) { m_cursorAfter = cursor; }
    // The action has already happened when it is pushed: the push's redo does nothing.
    void markPushed() { m_pushed = true; }

    void undo() override { replay(false); }

    void redo() override {
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        replay(true);
    }

    int id() const override { return isCellEdit() ? 1 : -1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const Action*>(other);
        if (!isCellEdit() || !next->isCellEdit())
            return false;
        Change& mine = m_changes.front();
        const Change& theirs = next->m_changes.front();
        if (mine.firstRow != theirs.firstRow || mine.column != theirs.column)
            return false;
        if (mine.cells.empty())
            mine.cells = theirs.cells;
        else if (!theirs.cells.empty())
            mine.cells.front().after = theirs.cells.front().after;
        m_cursorAfter = next->m_cursorAfter;
        return true;
    }

private:
    bool isCellEdit() const {
        return m_cellEdit && m_changes.size() == 1 && m_changes.front().isCellEdit();
    }

    void replay(bool forward) {
        m_history.m_replaying = true;
        if (forward) {
            for (const Change& change : m_changes)
                change.apply(m_history.m_store, true);
        } else {
            for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change)
                change->apply(m_history.m_store, false);
        }
        m_history.m_replaying = false;
        if (m_history.restoreCursor)
            m_history.restoreCursor(forward ? m_cursorAfter : m_cursorBefore);
    }

    UndoHistory& m_history;
    bool m_cellEdit;
    CursorState m_cursorBefore;
    CursorState m_cursorAfter;
    std::vector<Change> m_changes;
    bool m_pushed = false;
};

UndoHistory::UndoHistory(LineStore& store, QUndoStack& stack, QObject* parent)
    : QObject(parent), m_store(store), m_stack(stack) {
    m_store.addObserver(this);
}

UndoHistory::~UndoHistory() { m_store.removeObserver(this); }

UndoHistory::Step::Step(UndoHistory& history, const QString& name) : m_history(history) {
    m_history.begin(name, false);
}

UndoHistory::Step::~Step() { m_history.end(); }

CursorState UndoHistory::cursor() const { return readCursor ? readCursor() : CursorState{}; }

void UndoHistory::begin(const QString& name, bool cellEdit) {
    if (m_depth++ == 0)
        m_open = std::make_unique<Action>(*this, name, cursor(), cellEdit);
}

void UndoHistory::end() {
    if (m_depth == 0 || --m_depth > 0)
        return;
    std::unique_ptr<Action> action = std::move(m_open);
    if (!action || action->isEmpty())
        return;
    action->setCursorAfter(cursor());
    action->markPushed();
    m_stack.push(action.release());
}

void UndoHistory::clear() { m_stack.clear(); }

void UndoHistory::lineStoreAboutToChange(const LineStoreChange& change) {
    if (m_replaying)
        return;
    m_before.clear();
    switch (change.kind) {
    case LineStoreChange::Kind::CellsChanged:
    case LineStoreChange::Kind::RowsRemoved:
        for (int row = change.firstRow; row < change.firstRow + change.rowCount; ++row)
            m_before.push_back(m_store.line(row));
        break;
    case LineStoreChange::Kind::Reset:
        m_before.assign(m_store.lines().begin(), m_store.lines().end());
        break;
    default:
        break;
    }
    if (m_depth == 0) {
        // A change that no command announced is still one step of its own.
        const bool cellEdit = change.kind == LineStoreChange::Kind::CellsChanged &&
                              change.column >= 0 && change.rowCount == 1;
        const std::function<QString()>& name = cellEdit ? cellEditName : lonelyChangeName;
        begin(name ? name() : QString(), cellEdit);
        m_lonely = true;
    }
}

void UndoHistory::lineStoreChanged(const LineStoreChange& change) {
    if (m_replaying || change.kind == LineStoreChange::Kind::TitleChanged || !m_open)
        return;
    Change recorded{change.kind, change.firstRow, change.column, std::move(m_before), {}};
    m_before.clear();
    switch (change.kind) {
    case LineStoreChange::Kind::CellsChanged:
    case LineStoreChange::Kind::RowsInserted:
        for (int row = change.firstRow; row < change.firstRow + change.rowCount; ++row)
            recorded.after.push_back(m_store.line(row));
        break;
    case LineStoreChange::Kind::Reset:
        recorded.after.assign(m_store.lines().begin(), m_store.lines().end());
        break;
    default:
        break;
    }
    recorded.keepOnlyChangedCells();
    m_open->add(std::move(recorded));
    if (m_lonely) {
        m_lonely = false;
        end();
    }
}

} // namespace dolmex
