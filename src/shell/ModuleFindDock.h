#pragma once

#include "module/ModuleSearch.h"
#include "search/FindQuery.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QFutureWatcher>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace dolmex {

struct LanguageTables;

// The matches of a find in module as a table: file (relative to the module folder), row,
// column, the cell's text.
class ModuleMatchModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;
    enum Section { kFile, kRow, kColumn, kText, kSectionCount };

    void setMatches(std::vector<ModuleMatch> matches, const QString& folder);
    void setHeaders(QStringList headers);
    void setColumnNames(QStringList names);
    const ModuleMatch& match(int row) const { return m_matches[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ModuleMatch> m_matches;
    QString m_folder;
    QStringList m_headers;
    QStringList m_columnNames; // number to comment
};

// The "Find in module" dock: a pattern with the find bar's options, looked for in every
// dialog file of the open dialog's module on a worker thread, and the cells found. Choosing
// one (double click, Enter) asks the window to show it.
class ModuleFindDock : public QDockWidget {
    Q_OBJECT

public:
    // `moduleFolder` names the folder searched (empty: no module, nothing to search);
    // `unsavedDialog` gives the open dialog when it has changes not saved (an empty file
    // name otherwise), which is searched as it stands instead of as on disk.
    ModuleFindDock(const LanguageTables& tables, std::function<QString()> moduleFolder,
                   std::function<OpenDialog()> unsavedDialog, QWidget* parent = nullptr);
    ~ModuleFindDock() override;

    // Shows the dock and gives the pattern box the keyboard.
    void open();
    // Looks for the pattern, stopping a search still running.
    void startSearch();
    // Stops a search still running; its matches are not shown.
    void cancelSearch();
    bool searching() const { return m_running; }
    void setTexts();
    const ModuleMatchModel& matches() const { return m_model; }

signals:
    // A match was chosen: its file, data row and column.
    void matchChosen(const QString& file, int row, int column);
    // A search ended and its matches are shown.
    void searchFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void finished();
    void showStatus(const QString& text, bool error = false);
    QString text(int entry) const;

    const LanguageTables& m_tables;
    std::function<QString()> m_moduleFolder;
    std::function<OpenDialog()> m_unsavedDialog;

    QLabel* m_findLabel = nullptr;
    QLineEdit* ModuleFindText = nullptr;
    QCheckBox* ModuleMatchCase = nullptr;
    QCheckBox* ModuleWholeWords = nullptr;
    QCheckBox* ModuleRegex = nullptr;
    QPushButton* ModuleFindBtn = nullptr;
    QLabel* ModuleFindStatus = nullptr;
    QTableView* ModuleFindResults = nullptr;
    ModuleMatchModel m_model;

    QFutureWatcher<ModuleFindResult> m_watcher;
    std::shared_ptr<std::atomic<bool>> m_cancel; // of the search running
    QString m_folder;                            // the one searched
    bool m_running = false;
};

} // namespace dolmex
