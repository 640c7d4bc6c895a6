#pragma once

#include "module/DialogSummary.h"
#include "module/ModuleModel.h"

#include <QDockWidget>
#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QSet>
#include <QTimer>

class QLabel;
class QLineEdit;
class QTableView;

namespace dolmex {

struct LanguageTables;

// The "Module" dock: the dialog files of a module's folder with their numbers, characters,
// lines and problems, read and checked off the window's thread and read again when the
// disk changes. Enter or a double click on a row asks for its file to be opened.
class ModulePanel : public QDockWidget {
    Q_OBJECT

public:
    // A burst of changes on disk (a save, a copy of many files) is taken in once it settles.
    static constexpr int kSettleMs = 300;

    explicit ModulePanel(const LanguageTables& tables, QWidget* parent = nullptr);
    ~ModulePanel() override;

    // Takes its texts from the language just read.
    void setTexts();
    // Lists the dialogs below `folder`; they are read while the panel shows.
    void setFolder(const QString& folder);
    const QString& folder() const { return m_folder; }
    // The dialog at `path` was opened: the panel lists its module unless the file is in the
    // folder listed already, and marks its row.
    void followDialog(const QString& path);

    const ModuleModel& model() const { return m_model; }
    // Wide enough for the four columns.
    QSize sizeHint() const override;
    // Files are being read, or changes wait to settle.
    bool busy() const;

signals:
    void openRequested(const QString& path);
    // Every file listed has been read.
    void settled();

private:
    // Lists the folder again: drops the files gone, reads those new or changed.
    void refresh();
    void startReading();
    void takeResults(int begin, int end);
    void readingFinished();
    // Watches the folders and `files`; `replaced` are files written anew under their name.
    void watch(const QStringList& files, const QStringList& replaced);
    void showStatus();
    void markCurrent();
    QString text(int entry, const char* fallback) const;

    const LanguageTables& m_tables;
    ModuleModel m_model;
    ModuleFilter* m_filter = nullptr;
    QLineEdit* ModuleFilterBox = nullptr;
    QTableView* ModuleList = nullptr;
    QLabel* ModuleStatus = nullptr;

    QString m_folder;
    QString m_current; // the open dialog
    QSet<QString> m_listed;
    QSet<QString> m_toRead;
    QSet<QString> m_inFlight; // being read, not yet listed
    QSet<QString> m_reported; // named by the watcher since the last listing
    QFileSystemWatcher m_disk;
    QTimer m_settle;
    QFutureWatcher<DialogSummary> m_reading;
    bool m_running = false;
    int m_jobSize = 0;
    int m_preferredWidth = 0;
    bool m_dirty = false; // the list does not show the folder as it is
};

} // namespace dolmex
