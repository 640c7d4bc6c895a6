#pragma once

#include "editing/EditVerb.h"
#include "editing/LineCommands.h"

#include <QObject>
#include <QString>

#include <map>

class QAction;
class QMenu;
class QToolBar;
class QUndoStack;
class QWidget;

namespace dolmex {

class DialogGrid;
class LineStoreModel;
class UndoHistory;
struct LanguageTables;

// The Edit menu's commands on rows of the grid (append, insert, delete, copy between text
// and gender, move up and down, edit mode), the rule for which rows a command acts on,
// and undo and redo with their captions. Each change is one step of the session.
class LineCommandSet : public QObject {
    Q_OBJECT

public:
    // `actions` are the window's items by name; the undo items are added to it.
    LineCommandSet(DialogGrid& grid, LineStoreModel& model, UndoHistory& history,
                   const LanguageTables& tables, std::map<QString, QAction*>& actions,
                   QObject* parent = nullptr);

    int currentRow() const;
    void setCurrentRow(int row);
    // The selected block of rows (the current row when none is selected).
    RowBlock selectedBlock() const;
    void selectBlock(RowBlock block);

    void N19Click();
    void N22Click();
    void N20Click();
    void N24Click();
    void N25Click();
    void NupClick();
    void NdnClick();
    void N14Click();
    void UndoClick();
    void RedoClick();

    // The undo and redo items, first in the `editing` menu and on the tool bar before
    // `before`; `styleSource` gives the fallback icons.
    void createUndoCommands(QMenu& editing, QToolBar& toolBar, QAction* before,
                            const QWidget& styleSource);
    // "Undo" / "Redo" with the name of the step, in the current language.
    void updateUndoCaptions();

signals:
    // The number of rows may have changed.
    void lineCountChanged();
    // The current line is to be described again.
    void describe();

private:
    void moveSelectedBlock(EditVerb verb, bool (*move)(LineStore&, RowBlock&));
    QAction* action(const char* name) const;
    void afterLineCommand(int currentRow);
    bool editMode() const;

    DialogGrid& m_grid;
    LineStoreModel& m_model;
    UndoHistory& m_history;
    QUndoStack& m_stack;
    const LanguageTables& m_tables;
    std::map<QString, QAction*>& m_actions;
};

} // namespace dolmex
