#pragma once

#include "core/LineStore.h"
#include "editing/EditSession.h"

#include <QAbstractTableModel>

#include <functional>

namespace dolmex {

// The grid's view of the one line store: model row r is data row r + 1. An edit becomes an
// EditCell step of the session; the store's notifications repaint the view.
class LineStoreModel : public QAbstractTableModel, private LineStoreObserver {
    Q_OBJECT

public:
    explicit LineStoreModel(EditSession& session, QObject* parent = nullptr);
    ~LineStoreModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Cells are editable only in edit mode.
    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }

    static int storeRow(const QModelIndex& index) { return index.row() + 1; }

    // Cells marked by a search get a background of their own; `mark` is asked only for the
    // cells the view paints. Null unmarks every cell.
    enum class CellMark { None, Match, Current };
    using CellMarker = std::function<CellMark(int storeRow, int column)>;
    void setCellMark(CellMarker mark);
    // The marks changed: the view asks again.
    void refreshMarks();

signals:
    // A cell got new text by editing (not by a command).
    void cellEdited(int storeRow, int column);
    // Typed text held a character that a cell cannot store (outside Windows-1251, a brace
    // or a line break); nothing was changed. Connect it queued when it opens a box, so the
    // box does not open inside the editor's own signal.
    void unstorableText(QChar character);

private:
    void lineStoreAboutToChange(const LineStoreChange& change) override;
    void lineStoreChanged(const LineStoreChange& change) override;

    EditSession& m_session;
    LineStore& m_store;
    bool m_editable = false;
    CellMarker m_mark;
};

} // namespace dolmex
