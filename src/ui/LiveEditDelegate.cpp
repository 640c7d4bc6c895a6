#include "LiveEditDelegate.h"

#include <QLineEdit>

namespace dolmex {

QWidget* LiveEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, this, [this, editor, cell](const QString& text) {
        if (!cell.isValid())
            return;
        auto* model = const_cast<QAbstractItemModel*>(cell.model());
        if (!model->setData(cell, text, Qt::EditRole)) {
            const int cursor = editor->cursorPosition();
            editor->setText(model->data(cell, Qt::EditRole).toString());
            editor->setCursorPosition(std::max(0, cursor - 1));
        }
    });
    return editor;
}

void LiveEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    // Every keystroke is already in the model; only text set without typing is left.
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && line->text() != model->data(index, Qt::EditRole).toString())
        model->setData(index, line->text(), Qt::EditRole);
}

} // namespace dolmex
