#include "LiveEditDelegate.h"

#include <QLineEdit>
#include <QPointer>

namespace dolmex {

QWidget* LiveEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const QPersistentModelIndex cell(index);
    const QPointer<QLineEdit> guarded(editor);
    connect(editor, &QLineEdit::textEdited, this, [guarded, cell](const QString& text) {
        if (!cell.isValid() || !guarded)
            return;
        auto* model = const_cast<QAbstractItemModel*>(cell.model());
        const int cursor = guarded->cursorPosition();
        const int added =
            static_cast<int>(text.size() - model->data(cell, Qt::EditRole).toString().size());
        if (!model->setData(cell, text, Qt::EditRole) && guarded) {
            // Refused: the editor shows the cell as it is, the cursor where the typing began.
            guarded->setText(model->data(cell, Qt::EditRole).toString());
            guarded->setCursorPosition(std::max(0, cursor - std::max(0, added)));
        }
    });
    return editor;
}

void LiveEditDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if ((option->state & QStyle::State_Selected) &&
        option->backgroundBrush.style() != Qt::NoBrush) {
        option->state &= ~QStyle::State_Selected;
    }
}

void LiveEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    // Every keystroke is already in the model; only text set without typing is left.
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && line->text() != model->data(index, Qt::EditRole).toString())
        model->setData(index, line->text(), Qt::EditRole);
}

} // namespace dolmex
