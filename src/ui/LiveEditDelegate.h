#pragma once

#include <QStyledItemDelegate>

namespace dolmex {

// Cell editor that hands every keystroke to the model, so the description follows the
// typing. A keystroke the model refuses (a character Windows-1251 cannot hold) is taken
// back out of the editor.
class LiveEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    // A cell with a background of its own (a search match) shows it in a selected row too.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace dolmex
