#include "UndoHistory.h"

#include <QUndoStack>

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace dolmex {

namespace {

// The cells that a change of rows in place rewrote (renumbering, clearing comments), with
// their texts before and after in one buffer: such a step keeps only what it changed, and
// two strings for each of a few short cells in every row would cost more than the dialog.
class CellEdits {
public:
    struct Edit {
        int row; // relative to the change's first row
        int column;
        std::uint32_t before, beforeSize, after, afterSize; // spans of the texts
    };

    void add(int row, int column, std::string_view before, std::string_view after) {
        const std::uint32_t beforeAt = append(before);
        const std::uint32_t afterAt = append(after);
        m_edits.push_back({row, column, beforeAt, static_cast<std::uint32_t>(before.size()),
                           afterAt, static_cast<std::uint32_t>(after.size())});
    }

    // A later edit of the same single cell: this one's text before, `later`'s text after.
    void mergeLater(const CellEdits& later) {
        if (m_edits.empty()) {
            *this = later;
        } else if (!later.m_edits.empty()) {
            const Edit first = m_edits.front();
            CellEdits merged;
            merged.add(first.row, first.column, text(first, false),
                       later.text(later.m_edits.front(), true));
            *this = std::move(merged);
        }
    }

    const std::vector<Edit>& edits() const { return m_edits; }
    std::string_view text(const Edit& edit, bool after) const {
        return after ? std::string_view(m_texts).substr(edit.after, edit.afterSize)
                     : std::string_view(m_texts).substr(edit.before, edit.beforeSize);
    }

    void shrinkToFit() {
        m_edits.shrink_to_fit();
        m_texts.shrink_to_fit();
    }

private:
    std::uint32_t append(std::string_view text) {
        if (m_texts.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("undo step too large");
        const auto at = static_cast<std::uint32_t>(m_texts.size());
        m_texts += text;
        return at;
    }

    std::vector<Edit> m_edits;
    std::string m_texts;
};

// A copy of `count` stored rows from `firstRow` on.
DialogLines RowsOf(const LineStore& store, int firstRow, int count) {
    const auto first = store.lines().begin() + (firstRow - 1);
    return DialogLines(first, first + count);
}

} // namespace

// One change of the store, with what it overwrote and what it wrote.
class UndoHistory::Change {
public:
    LineStoreChange::Kind kind;
    int firstRow;
    int column;
    DialogLines before;
    DialogLines after;
    // A change of rows that kept their number, cell by cell.
    CellEdits cells;
    int rowCount = 0;

    // Keeps only the cells that a change of rows in place changed: renumbering rewrites a
    // few cells of every row, and two copies of every row would cost twice the dialog.
    void keepOnlyChangedCells() {
        const bool inPlace =
            kind == LineStoreChange::Kind::CellsChanged ||
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
                    cells.add(static_cast<int>(row), c, before[row][column], after[row][column]);
            }
        }
        // Give the memory of the two copies back, not just their contents.
        DialogLines().swap(before);
        DialogLines().swap(after);
        cells.shrinkToFit();
    }

    void apply(LineStore& store, bool forward) const {
        if (rowCount > 0) {
            DialogLines rows = RowsOf(store, firstRow, rowCount);
            for (const CellEdits::Edit& edit : cells.edits())
                rows[static_cast<std::size_t>(edit.row)].set(edit.column,
                                                             cells.text(edit, forward));
            if (kind == LineStoreChange::Kind::Reset)
                store.replaceAll(std::move(rows));
            else
                store.setPackedLines(firstRow, std::move(rows));
            return;
        }
        const DialogLines& rows = forward ? after : before;
        switch (kind) {
        case LineStoreChange::Kind::CellsChanged:
            store.setPackedLines(firstRow, rows);
            break;
        case LineStoreChange::Kind::RowsInserted:
            if (forward)
                store.insertPackedLines(firstRow, after);
            else
                store.removeLines(firstRow, static_cast<int>(after.size()));
            break;
        case LineStoreChange::Kind::RowsRemoved:
            if (forward)
                store.removeLines(firstRow, static_cast<int>(before.size()));
            else
                store.insertPackedLines(firstRow, before);
            break;
        case LineStoreChange::Kind::Reset:
            store.replaceAll(rows);
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

    Change& add(Change&& change) { return m_changes.emplace_back(std::move(change)); }
    void dropLast() { m_changes.pop_back(); }
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
        mine.cells.mergeLater(theirs.cells);
        m_cursorAfter = next->m_cursorAfter;
        return true;
    }

private:
    bool isCellEdit() const {
        return m_cellEdit && m_changes.size() == 1 && m_changes.front().isCellEdit();
    }

    void replay(bool forward) {
        m_history.setReplaying(true);
        if (forward) {
            for (const Change& change : m_changes)
                change.apply(m_history.store(), true);
        } else {
            for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change)
                change->apply(m_history.store(), false);
        }
        m_history.setReplaying(false);
        if (m_history.restoreCursor)
            m_history.restoreCursor(forward ? m_cursorAfter : m_cursorBefore);
    }

    UndoHistory& m_history;
    bool m_cellEdit;
    CursorState m_cursorBefore;
    CursorState m_cursorAfter;
    // A deque: a Change is only copied when a vector grows (DialogLines moves may throw),
    // and a replace-all records thousands of them.
    std::deque<Change> m_changes;
    bool m_pushed = false;
};

UndoHistory::UndoHistory(Document& document, QUndoStack& stack, QObject* parent)
    : QObject(parent), EditSession(document), m_stack(stack) {}

UndoHistory::~UndoHistory() = default;

CursorState UndoHistory::cursor() const {
    return readCursor ? readCursor() : CursorState{};
}

void UndoHistory::stepBegins(EditVerb verb) {
    m_open = std::make_unique<Action>(*this, stepName ? stepName(verb) : QString(), cursor(),
                                      verb == EditVerb::EditCell);
}

void UndoHistory::stepEnds() {
    std::unique_ptr<Action> action = std::move(m_open);
    if (!action || action->isEmpty())
        return;
    action->setCursorAfter(cursor());
    action->markPushed();
    m_stack.push(action.release());
}

void UndoHistory::historyForgotten() {
    m_stack.clear();
    m_stack.setClean();
}

void UndoHistory::savedHere() {
    m_stack.setClean();
}

void UndoHistory::savedStateLost() {
    m_stack.resetClean();
}

bool UndoHistory::canUndo() const {
    return m_stack.canUndo();
}

bool UndoHistory::canRedo() const {
    return m_stack.canRedo();
}

void UndoHistory::undo() {
    if (!m_stack.canUndo())
        return;
    m_stack.undo();
    setModified(!m_stack.isClean());
}

void UndoHistory::redo() {
    if (!m_stack.canRedo())
        return;
    m_stack.redo();
    setModified(!m_stack.isClean());
}

void UndoHistory::changeBegins(const LineStoreChange& change) {
    m_before.clear();
    switch (change.kind) {
    case LineStoreChange::Kind::CellsChanged:
    case LineStoreChange::Kind::RowsRemoved:
        m_before = RowsOf(store(), change.firstRow, change.rowCount);
        break;
    case LineStoreChange::Kind::Reset:
        m_before = store().lines();
        break;
    default:
        break;
    }
}

void UndoHistory::changeEnded(const LineStoreChange& change) {
    if (!m_open)
        return;
    Change& recorded = m_open->add(
        Change{change.kind, change.firstRow, change.column, std::move(m_before), {}, {}});
    m_before.clear();
    switch (change.kind) {
    case LineStoreChange::Kind::CellsChanged:
    case LineStoreChange::Kind::RowsInserted:
        recorded.after = RowsOf(store(), change.firstRow, change.rowCount);
        break;
    case LineStoreChange::Kind::Reset:
        recorded.after = store().lines();
        break;
    default:
        break;
    }
    try {
        recorded.keepOnlyChangedCells();
    } catch (...) {
        m_open->dropLast(); // a step too large to keep is not kept half
        throw;
    }
}

} // namespace dolmex
