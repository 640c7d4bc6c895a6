#include "LineCommandSet.h"

#include "lang/LanguageTables.h"
#include "ui/Cp1251.h"
#include "ui/DialogGrid.h"
#include "ui/LineStoreModel.h"
#include "ui/UndoHistory.h"

#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include <algorithm>

namespace dolmex {

namespace {

// Items that only act on whole selected rows and so are off while cells are edited.
constexpr const char* kRowSelectionItems[] = {"Nup", "Ndn", "NB1", "NB2",
                                              "NB3", "NB4", "NB5", "NB6"};

} // namespace

LineCommandSet::LineCommandSet(DialogGrid& grid, LineStoreModel& model, UndoHistory& history,
                               const LanguageTables& tables, std::map<QString, QAction*>& actions,
                               QObject* parent)
    : QObject(parent), m_grid(grid), m_model(model), m_history(history), m_stack(history.stack()),
      m_tables(tables), m_actions(actions) {
    m_history.readCursor = [this] {
        CursorState state{currentRow(), std::max(0, m_grid.currentIndex().column()), 0, 0};
        const QModelIndexList rows = m_grid.selectionModel()->selectedRows();
        if (!rows.isEmpty()) {
            const RowBlock block = selectedBlock();
            state.firstSelected = block.first;
            state.lastSelected = block.last;
        }
        return state;
    };
    m_history.restoreCursor = [this](const CursorState& state) {
        m_grid.setCurrentIndex(m_model.index(
            std::clamp(state.row, 1, m_history.store().rowCount() - 1) - 1, state.column));
        if (state.firstSelected > 0)
            selectBlock({state.firstSelected, state.lastSelected});
        emit lineCountChanged();
        emit describe();
    };
    m_history.stepName = [this](EditVerb verb) {
        return FromCp1251(m_tables.editMenu[VerbInfo(verb).stepEntry]);
    };
}

QAction* LineCommandSet::action(const char* name) const {
    const auto found = m_actions.find(QString::fromLatin1(name));
    return found == m_actions.end() ? nullptr : found->second;
}

bool LineCommandSet::editMode() const {
    return action("N14")->isChecked();
}

int LineCommandSet::currentRow() const {
    const QModelIndex index = m_grid.currentIndex();
    return index.isValid() ? LineStoreModel::storeRow(index) : 1;
}

void LineCommandSet::setCurrentRow(int row) {
    row = std::clamp(row, 1, m_history.store().rowCount() - 1);
    const int column = std::max(0, m_grid.currentIndex().column());
    m_grid.setCurrentIndex(m_model.index(row - 1, column));
}

RowBlock LineCommandSet::selectedBlock() const {
    const int current = currentRow();
    const QItemSelectionModel* selection = m_grid.selectionModel();
    const auto selected = [&](int row) { return selection->isRowSelected(row - 1, {}); };
    // Only rows the user sees selected: the unbroken run of them around the current row.
    if (editMode() || !selected(current))
        return {current, current};
    RowBlock block{current, current};
    while (block.first > 1 && selected(block.first - 1))
        --block.first;
    while (block.last < m_history.store().rowCount() - 1 && selected(block.last + 1))
        ++block.last;
    return block;
}

void LineCommandSet::selectBlock(RowBlock block) {
    const int offset = currentRow() - block.first;
    m_grid.selectionModel()->clear();
    setCurrentRow(block.first + std::max(0, offset));
    // Cells are edited one at a time: no block is shown that no command would act on.
    if (editMode())
        return;
    const QItemSelection selection(m_model.index(block.first - 1, 0),
                                   m_model.index(block.last - 1, kColumnCount - 1));
    m_grid.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void LineCommandSet::afterLineCommand(int row) {
    emit lineCountChanged();
    setCurrentRow(row);
    emit describe();
}

void LineCommandSet::N19Click() {
    m_history.perform(EditVerb::AppendLine,
                      [this](LineStore& store) { afterLineCommand(AppendLine(store)); });
}

void LineCommandSet::N22Click() {
    m_history.perform(EditVerb::InsertLine, [this](LineStore& store) {
        const int row = currentRow();
        InsertLine(store, row);
        afterLineCommand(row);
    });
}

void LineCommandSet::N20Click() {
    m_history.perform(EditVerb::DeleteLines, [this](LineStore& store) {
        afterLineCommand(DeleteLines(store, selectedBlock()));
    });
}

void LineCommandSet::N24Click() {
    m_history.perform(EditVerb::CopyTextToGender, [this](LineStore& store) {
        CopyTextToGender(store, currentRow());
        emit describe();
    });
}

void LineCommandSet::N25Click() {
    m_history.perform(EditVerb::CopyGenderToText, [this](LineStore& store) {
        CopyGenderToText(store, currentRow());
        emit describe();
    });
}

void LineCommandSet::NupClick() {
    moveSelectedBlock(EditVerb::MoveUp, MoveLinesUp);
}

void LineCommandSet::NdnClick() {
    moveSelectedBlock(EditVerb::MoveDown, MoveLinesDown);
}

void LineCommandSet::moveSelectedBlock(EditVerb verb, bool (*move)(LineStore&, RowBlock&)) {
    m_history.perform(verb, [this, move](LineStore& store) {
        RowBlock block = selectedBlock();
        const int offset = currentRow() - block.first;
        // The cursor keeps its place inside the block, and the block stays selected.
        if (move(store, block)) {
            setCurrentRow(block.first + offset);
            selectBlock(block);
        }
    });
}

void LineCommandSet::N14Click() {
    const bool editing = editMode();
    // An open cell editor keeps what was typed into it, then goes.
    if (!editing)
        m_grid.finishEditing();
    m_model.setEditable(editing);
    m_grid.setSelectionBehavior(editing ? QAbstractItemView::SelectItems
                                        : QAbstractItemView::SelectRows);
    m_grid.setSelectionMode(editing ? QAbstractItemView::SingleSelection
                                    : QAbstractItemView::ContiguousSelection);
    m_grid.setEditTriggers(editing ? QAbstractItemView::DoubleClicked |
                                         QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed
                                   : QAbstractItemView::NoEditTriggers);
    for (const char* name : kRowSelectionItems) {
        if (QAction* item = action(name))
            item->setEnabled(!editing);
    }
    // What is shown selected is what a command acts on: the current cell while editing,
    // the current row after.
    m_grid.selectionModel()->select(m_grid.currentIndex(),
                                    editing ? QItemSelectionModel::ClearAndSelect
                                            : QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
}

void LineCommandSet::createUndoCommands(QMenu& editing, QToolBar& toolBar, QAction* before,
                                        const QWidget& styleSource) {
    QAction* first = editing.actions().value(0);
    const std::pair<const char*, QList<QKeySequence>> commands[] = {
        {"Undo1", {QKeySequence(QStringLiteral("Ctrl+Z"))}},
        {"Redo1",
         {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}},
    };
    for (const auto& [name, keys] : commands) {
        auto* item = new QAction(&editing);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcuts(keys);
        item->setEnabled(false);
        editing.insertAction(first, item);
        m_actions[item->objectName()] = item;
    }
    editing.insertSeparator(first);
    QAction* undo = action("Undo1");
    QAction* redo = action("Redo1");
    const QStyle* style = styleSource.style();
    undo->setIcon(
        QIcon::fromTheme(QStringLiteral("edit-undo"), style->standardIcon(QStyle::SP_ArrowBack)));
    redo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                   style->standardIcon(QStyle::SP_ArrowForward)));
    const std::pair<const char*, QAction*> buttons[] = {{"UndoButton", undo}, {"RedoButton", redo}};
    for (const auto& [name, item] : buttons) {
        auto* button = new QToolButton(&toolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(item);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        toolBar.insertWidget(before, button);
    }
    toolBar.insertSeparator(before);

    connect(undo, &QAction::triggered, this, &LineCommandSet::UndoClick);
    connect(redo, &QAction::triggered, this, &LineCommandSet::RedoClick);
    connect(&m_stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&m_stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&m_stack, &QUndoStack::indexChanged, this, &LineCommandSet::updateUndoCaptions);
}

void LineCommandSet::updateUndoCaptions() {
    const std::pair<const char*, QString> captions[] = {
        {"Undo1", FromCp1251(m_tables.editMenu[kUndo]) + QLatin1Char(' ') + m_stack.undoText()},
        {"Redo1", FromCp1251(m_tables.editMenu[kRedo]) + QLatin1Char(' ') + m_stack.redoText()},
    };
    for (const auto& [name, caption] : captions) {
        action(name)->setText(caption.trimmed());
        action(name)->setToolTip(caption.trimmed());
    }
}

void LineCommandSet::UndoClick() {
    m_history.undo();
}

void LineCommandSet::RedoClick() {
    m_history.redo();
}

} // namespace dolmex
