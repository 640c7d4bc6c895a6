#include "LineStoreModel.h"

#include "Cp1251.h"

#include <QBrush>
#include <QColor>

namespace dolmex {

LineStoreModel::LineStoreModel(EditSession& session, QObject* parent)
    : QAbstractTableModel(parent), m_session(session), m_store(session.store()) {
    m_store.addObserver(this);
}

LineStoreModel::~LineStoreModel() {
    m_store.removeObserver(this);
}

int LineStoreModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_store.dataRowCount();
}

int LineStoreModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant LineStoreModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::BackgroundRole && m_mark && index.isValid()) {
        switch (m_mark(storeRow(index), index.column())) {
        case CellMark::Match:
            return QBrush(QColor(255, 236, 140));
        case CellMark::Current:
            return QBrush(QColor(255, 170, 60));
        case CellMark::None:
            break;
        }
        return {};
    }
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return FromCp1251(m_store.cell(storeRow(index), index.column()));
}

QVariant LineStoreModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return FromCp1251(m_store.title(section));
    return section + 1;
}

Qt::ItemFlags LineStoreModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool LineStoreModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !m_editable)
        return false;
    const QString text = value.toString();
    const std::optional<std::string> bytes = CellBytes(text);
    if (!bytes) {
        emit unstorableText(FirstUnstorable(text));
        return false;
    }
    const int row = storeRow(index);
    if (m_store.cell(row, index.column()) == *bytes)
        return true;
    m_session.perform(EditVerb::EditCell,
                      [&](LineStore& store) { store.setCell(row, index.column(), *bytes); });
    emit cellEdited(row, index.column());
    return true;
}

void LineStoreModel::setCellMark(CellMarker mark) {
    if (!mark && !m_mark)
        return;
    m_mark = std::move(mark);
    refreshMarks();
}

void LineStoreModel::refreshMarks() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1),
                         {Qt::BackgroundRole});
}

void LineStoreModel::lineStoreAboutToChange(const LineStoreChange& change) {
    switch (change.kind) {
    case LineStoreChange::Kind::Reset:
        beginResetModel();
        break;
    case LineStoreChange::Kind::RowsInserted:
        beginInsertRows({}, change.firstRow - 1, change.firstRow - 1 + change.rowCount - 1);
        break;
    case LineStoreChange::Kind::RowsRemoved:
        beginRemoveRows({}, change.firstRow - 1, change.firstRow - 1 + change.rowCount - 1);
        break;
    default:
        break;
    }
}

void LineStoreModel::lineStoreChanged(const LineStoreChange& change) {
    switch (change.kind) {
    case LineStoreChange::Kind::Reset:
        endResetModel();
        break;
    case LineStoreChange::Kind::RowsInserted:
        endInsertRows();
        break;
    case LineStoreChange::Kind::RowsRemoved:
        endRemoveRows();
        break;
    case LineStoreChange::Kind::CellsChanged: {
        const int first = change.column < 0 ? 0 : change.column;
        const int last = change.column < 0 ? kColumnCount - 1 : change.column;
        const int top = change.firstRow - 1;
        const int bottom = top + change.rowCount - 1;
        emit dataChanged(index(top, first), index(bottom, last));
        break;
    }
    case LineStoreChange::Kind::TitleChanged:
        emit headerDataChanged(Qt::Horizontal, change.column, change.column);
        break;
    }
}

} // namespace dolmex
