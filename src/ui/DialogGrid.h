#pragma once

#include <QTableView>

namespace dolmex {

// The main grid. A command that moves the current row selects exactly that row, whatever
// modifier keys are held while it runs (Ctrl is down while a Ctrl+N shortcut fires, and a
// plain table view would stretch the selection to the new row). Arrow keys with Ctrl move
// the row like plain arrows; only Shift, or the mouse, extends the selection.
class DialogGrid : public QTableView {
    Q_OBJECT

public:
    explicit DialogGrid(QWidget* parent = nullptr);

    // Commits the open cell editor, if any, and closes it.
    void finishEditing();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

} // namespace dolmex
