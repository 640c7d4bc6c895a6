#pragma once

#include "core/FileChangeWatcher.h"
#include "core/RecentFiles.h"

#include <QObject>

class QMenu;
class QMimeData;
class QWidget;

namespace dolmex {

class DocumentCommands;
class EditSession;
class LineCommandSet;
class Prompter;
struct ProgramContext;

// What goes on around the open file: the menu of the files opened last, a dialog file
// dropped on the window, and the file changed or removed by another program while open.
class DocumentFiles : public QObject {
    Q_OBJECT

public:
    // `window` takes the drops; `recentMenu` lists the files.
    DocumentFiles(ProgramContext& context, Prompter& prompter, DocumentCommands& documents,
                  EditSession& session, LineCommandSet& lines, QWidget& window, QMenu& recentMenu);

    const RecentFiles& recentFiles() const { return m_recent; }
    // After a load, a save or New: the file to list and to watch.
    void documentFileChanged();
    // The captions of the recent-files menu after a language load.
    void refreshMenu();

    // The dialog file a drag carries: the first local "*.dlg" file; empty: none.
    static QString DroppedDialog(const QMimeData& data);

signals:
    void passingMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openRecent(const QString& path);
    void changedOnDisk();
    void removedFromDisk();
    QString mainDescription(int entry) const;
    QString shownFileName() const;

    ProgramContext& m_context;
    Prompter& m_prompter;
    DocumentCommands& m_documents;
    EditSession& m_session;
    LineCommandSet& m_lines;
    QWidget& m_window;
    QMenu& m_recentMenu;
    RecentFiles m_recent;
    FileChangeWatcher m_watcher;
    // A change seen while another program had the focus is told when the window gets it.
    bool m_changePending = false;
    bool m_asking = false;
};

} // namespace dolmex
