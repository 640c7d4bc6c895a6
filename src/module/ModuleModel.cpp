#include "ModuleModel.h"

#include <QDir>

#include <algorithm>
#include <limits>

namespace dolmex {

ModuleModel::ModuleModel(QObject* parent) : QAbstractTableModel(parent) {
    m_titles = {QStringLiteral("Number"), QStringLiteral("Name"), QStringLiteral("Lines"),
                QStringLiteral("Problems")};
}

void ModuleModel::setTexts(const QStringList& titles, const QString& unreadable) {
    m_titles = titles;
    m_unreadable = unreadable.contains(QLatin1String("%1")) ? unreadable : QStringLiteral("%1");
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_rows.empty())
        emit dataChanged(index(0, Lines), index(rowCount() - 1, Lines));
}

void ModuleModel::clear() {
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

std::vector<DialogSummary>::const_iterator ModuleModel::lowerBound(const QString& path) const {
    return std::lower_bound(m_rows.begin(), m_rows.end(), path,
                            [](const DialogSummary& s, const QString& p) { return s.path < p; });
}

void ModuleModel::update(DialogSummary summary) {
    const auto at = lowerBound(summary.path);
    const int row = static_cast<int>(at - m_rows.begin());
    if (at != m_rows.end() && at->path == summary.path) {
        m_rows[static_cast<std::size_t>(row)] = std::move(summary);
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        return;
    }
    beginInsertRows({}, row, row);
    m_rows.insert(at, std::move(summary));
    endInsertRows();
}

void ModuleModel::remove(const QString& path) {
    const int row = rowOf(path);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

int ModuleModel::rowOf(const QString& path) const {
    const auto at = lowerBound(path);
    return at != m_rows.end() && at->path == path ? static_cast<int>(at - m_rows.begin()) : -1;
}

int ModuleModel::withProblems() const {
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const DialogSummary& s) {
        return !s.readable() || s.problems > 0;
    }));
}

int ModuleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ModuleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ModuleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const DialogSummary& s = summary(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Number:
            return s.naming.number;
        case Name:
            return s.naming.name;
        case Lines:
            // The reason stands where the counts would: they would be made up.
            return s.readable() ? QVariant(s.lines) : QVariant(m_unreadable.arg(s.readError));
        case Problems:
            return s.readable() ? QVariant(s.problems) : QVariant();
        }
        return {};
    case SortRole:
        switch (column) {
        case Number:
            return s.naming.value;
        case Name:
            return s.naming.name;
        case Lines:
            return s.readable() ? s.lines : -1;
        case Problems:
            return s.readable() ? s.problems : std::numeric_limits<int>::max();
        }
        return {};
    case PathRole:
        return s.path;
    case Qt::ToolTipRole:
        return s.readable() ? QDir::toNativeSeparators(s.path)
                            : QDir::toNativeSeparators(s.path) + QLatin1Char('\n') +
                                  m_unreadable.arg(s.readError);
    case Qt::TextAlignmentRole:
        if (column == Number || (s.readable() && column != Name))
            return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
        return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ModuleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_titles.size())
        return {};
    return m_titles[section];
}

ModuleFilter::ModuleFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(ModuleModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setDynamicSortFilter(true);
}

void ModuleFilter::setFilterWords(const QString& text) {
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words == m_words)
        return;
    m_words = words;
    invalidateFilter();
}

QString ModuleFilter::path(const QModelIndex& index) const {
    return index.isValid() ? index.data(ModuleModel::PathRole).toString() : QString();
}

bool ModuleFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (m_words.isEmpty())
        return true;
    const auto* model = qobject_cast<const ModuleModel*>(sourceModel());
    if (!model || sourceParent.isValid())
        return true;
    const DialogFileNaming& naming = model->summary(sourceRow).naming;
    return std::all_of(m_words.begin(), m_words.end(), [&naming](const QString& word) {
        return naming.number.contains(word, Qt::CaseInsensitive) ||
               naming.name.contains(word, Qt::CaseInsensitive);
    });
}

} // namespace dolmex
