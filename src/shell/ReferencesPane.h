#pragma once

#include "core/LineStore.h"
#include "search/ReferenceIndex.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QGroupBox;
class QListWidget;
class QListWidgetItem;

namespace dolmex {

struct LanguageTables;

// The list of lines that name the current line's number (GB2 with RefList, beside the
// navigation list): by their response, a "G:" or "M:" text, or a jo, et or uw result. It
// follows every change of the store and says which of its lines the user chose.
class ReferencesPane : public QObject, private LineStoreObserver {
    Q_OBJECT

public:
    // `currentRow` tells which line the list is about; the store must outlive the pane.
    ReferencesPane(LineStore& store, const LanguageTables& tables, std::function<int()> currentRow,
                   QObject* parent);
    ~ReferencesPane() override;

    QGroupBox* widget() const { return GB2; }
    void setTitle(const QString& title);
    // Lists the lines naming the current line again.
    void refresh();
    // The entries as shown.
    QStringList entries() const;

signals:
    // An entry was double-clicked or Enter pressed on it: the data row it names.
    void referenceChosen(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lineStoreChanged(const LineStoreChange& change) override;
    QString entryText(const LineReference& reference) const;
    void choose(QListWidgetItem* item);

    LineStore& m_store;
    const LanguageTables& m_tables;
    std::function<int()> m_currentRow;
    ReferenceIndex m_index; // before this pane among the store's observers: it answers first
    QGroupBox* GB2 = nullptr;
    QListWidget* RefList = nullptr;
    std::vector<int> m_rows; // the data row of each entry
    bool m_refreshQueued = false;
};

} // namespace dolmex
