#pragma once

// The dialogs of a module as a table, one row per file in path order, and the filter the
// module panel puts over it.

#include "DialogSummary.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>

#include <vector>

namespace dolmex {

class ModuleModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, Name, Lines, Problems, ColumnCount };
    // What a column sorts by: the number's value, the name, the counts (an unreadable file
    // has the fewest lines and the most problems).
    static constexpr int SortRole = Qt::UserRole + 1;
    static constexpr int PathRole = Qt::UserRole + 2;

    explicit ModuleModel(QObject* parent = nullptr);

    // The column titles, and the words before the reason a file cannot be read ("%1").
    void setTexts(const QStringList& titles, const QString& unreadable);
    void clear();
    // Adds the file's row, or replaces it when the path is listed already.
    void update(DialogSummary summary);
    void remove(const QString& path);
    // -1 when the path is not listed.
    int rowOf(const QString& path) const;
    const DialogSummary& summary(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    const std::vector<DialogSummary>& summaries() const { return m_rows; }
    // Files with a problem or that cannot be read.
    int withProblems() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<DialogSummary>::const_iterator lowerBound(const QString& path) const;

    std::vector<DialogSummary> m_rows; // in path order
    QStringList m_titles;
    QString m_unreadable = QStringLiteral("%1");
};

// The rows whose number or name holds every word typed, in any case ("12 tom" finds
// "12345Old Tom.dlg"), sorted by the column chosen.
class ModuleFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit ModuleFilter(QObject* parent = nullptr);

    void setFilterWords(const QString& text);
    QString path(const QModelIndex& index) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QStringList m_words;
};

} // namespace dolmex
