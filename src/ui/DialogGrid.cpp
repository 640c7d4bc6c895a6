#include "DialogGrid.h"

#include "SteadyScrollBar.h"

#include <QKeyEvent>

namespace dolmex {

DialogGrid::DialogGrid(QWidget* parent) : QTableView(parent) {
    setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical, this));
}

void DialogGrid::finishEditing() {
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QItemSelectionModel::SelectionFlags DialogGrid::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
    const auto justThis = QItemSelectionModel::ClearAndSelect |
                          (selectionBehavior() == SelectRows ? QItemSelectionModel::Rows
                                                             : QItemSelectionModel::NoUpdate);
    if (!event)
        return justThis;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (!(key->modifiers() & Qt::ShiftModifier) || selectionMode() == SingleSelection)
            return justThis;
    }
    return QTableView::selectionCommand(index, event);
}

} // namespace dolmex
