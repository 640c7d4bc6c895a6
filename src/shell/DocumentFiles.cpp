#include "DocumentFiles.h"

#include "DocumentCommands.h"
#include "LineCommandSet.h"
#include "ProgramContext.h"
#include "core/PathText.h"
#include "editing/EditSession.h"
#include "lang/LanguageEntries.h"
#include "ui/Cp1251.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace dolmex {

DocumentFiles::DocumentFiles(ProgramContext& context, Prompter& prompter,
                             DocumentCommands& documents, EditSession& session,
                             LineCommandSet& lines, QWidget& window, QMenu& recentMenu)
    : QObject(&window), m_context(context), m_prompter(prompter), m_documents(documents),
      m_session(session), m_lines(lines), m_window(window), m_recentMenu(recentMenu),
      m_recent(PathText(context.recentFilesPath)) {
    m_window.setAcceptDrops(true);
    m_window.installEventFilter(this);
    connect(&m_watcher, &FileChangeWatcher::changedOnDisk, this, &DocumentFiles::changedOnDisk);
    connect(&m_watcher, &FileChangeWatcher::removedFromDisk, this, &DocumentFiles::removedFromDisk);
    refreshMenu();
}

QString DocumentFiles::mainDescription(int entry) const {
    return FromCp1251(m_context.tables.mainDescription[entry]);
}

QString DocumentFiles::shownFileName() const {
    return QDir::toNativeSeparators(PathText(m_session.document().fileName()));
}

void DocumentFiles::documentFileChanged() {
    const QString path = PathText(m_session.document().fileName());
    m_changePending = false;
    m_watcher.watch(path);
    if (!path.isEmpty()) {
        m_recent.add(path);
        refreshMenu();
    }
}

void DocumentFiles::refreshMenu() {
    m_recentMenu.clear();
    int number = 0;
    for (const QString& path : m_recent.files()) {
        ++number;
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = m_recentMenu.addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(shown) : shown);
        item->setObjectName(QStringLiteral("RecentFile%1").arg(number));
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    if (number > 0) {
        m_recentMenu.addSeparator();
        QAction* clear = m_recentMenu.addAction(mainDescription(md::kClearRecentFiles));
        clear->setObjectName(QStringLiteral("ClearRecent1"));
        connect(clear, &QAction::triggered, this, [this] {
            m_recent.clear();
            refreshMenu();
        });
    }
    m_recentMenu.menuAction()->setEnabled(number > 0);
}

void DocumentFiles::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        m_recent.remove(path);
        refreshMenu();
        QString missing = mainDescription(md::kRecentFileMissing);
        if (!missing.contains(QLatin1String("%1")))
            missing = QStringLiteral("%1 no longer exists.");
        emit passingMessage(missing.arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_documents.openFile(path);
}

QString DocumentFiles::DroppedDialog(const QMimeData& data) {
    if (!data.hasUrls())
        return {};
    for (const QUrl& url : data.urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() &&
            QFileInfo(path).suffix().compare(QLatin1String("dlg"), Qt::CaseInsensitive) == 0)
            return path;
    }
    return {};
}

bool DocumentFiles::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedDialog(*drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedDialog(*drop->mimeData());
        if (path.isEmpty())
            break;
        drop->acceptProposedAction();
        // Not inside the drop: the program the file came from waits until it returns.
        QTimer::singleShot(0, this, [this, path] { m_documents.openFile(path); });
        return true;
    }
    case QEvent::WindowActivate:
        if (m_changePending)
            QTimer::singleShot(0, this, &DocumentFiles::changedOnDisk);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void DocumentFiles::changedOnDisk() {
    if (!m_window.isActiveWindow()) {
        m_changePending = true;
        return;
    }
    m_changePending = false;
    if (m_asking)
        return;
    const QScopedValueRollback asking(m_asking, true);
    QString changed = mainDescription(md::kChangedOnDisk);
    if (!changed.contains(QLatin1String("%1")))
        changed = QStringLiteral("%1 was changed by another program.");
    const QString question =
        changed.arg(shownFileName()) + QStringLiteral("\n\n") +
        mainDescription(m_session.isModified() ? md::kReloadLosingChanges : md::kReloadQuestion);
    if (!m_prompter.askYesNo(QStringLiteral("Dolmex"), question)) {
        // The text here is kept; it is no longer what the file holds, so closing asks.
        m_session.fileChangedElsewhere();
        return;
    }
    const int row = m_lines.currentRow();
    if (m_documents.reload())
        m_lines.setCurrentRow(std::min(row, m_session.store().rowCount() - 1));
}

void DocumentFiles::removedFromDisk() {
    m_session.fileChangedElsewhere();
    QString removed = mainDescription(md::kRemovedFromDisk);
    if (!removed.contains(QLatin1String("%1")))
        removed = QStringLiteral("%1 was deleted or moved by another program.");
    emit passingMessage(removed.arg(shownFileName()));
}

} // namespace dolmex
