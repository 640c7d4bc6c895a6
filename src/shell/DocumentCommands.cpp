#include "DocumentCommands.h"

#include "core/DocumentRecovery.h"
#include "core/IoError.h"
#include "core/LooksLikeDialog.h"
#include "core/PathText.h"
#include "editing/EditSession.h"
#include "ui/Cp1251.h"
#include "ui/Prompter.h"

#include <QDir>
#include <QFileInfo>

namespace dolmex {

namespace {

constexpr int kSavedEntry = md::kSaved;
constexpr int kLoadNotesEntry = md::kLoadNotes;
constexpr int kNotADialogEntry = md::kNotADialog;
constexpr int kRestoreQuestionEntry = md::kRestoreQuestion;
constexpr int kRecoveryFailedEntry = md::kRecoveryFailed;

} // namespace

DocumentCommands::DocumentCommands(ProgramContext& context, Prompter& prompter,
                                   EditSession& session, QObject* parent)
    : QObject(parent), m_context(context), m_prompter(prompter), m_session(session) {
    if (!m_context.recoveryDir.empty()) {
        m_recovery =
            new DocumentRecovery(m_session.document(), PathText(m_context.recoveryDir), this);
        connect(m_recovery, &DocumentRecovery::writeFailed, this,
                [this] { emit passingMessage(mainDescription(kRecoveryFailedEntry)); });
    }
}

// The recovery watches the store, so it goes with this object rather than with the window.
DocumentCommands::~DocumentCommands() {
    delete m_recovery;
}

QString DocumentCommands::mainDescription(int entry) const {
    return FromCp1251(m_context.tables.mainDescription[entry]);
}

QString DocumentCommands::fileFilter() const {
    return FromCp1251(m_context.tables.fileFilter);
}

bool DocumentCommands::LoadDlg(const QString& path) {
    if (!FileLooksLikeDialog(PathBytes(path))) {
        QString question = mainDescription(kNotADialogEntry);
        if (question.isEmpty())
            question = QStringLiteral("This file does not look like a dialog. Open it?");
        if (!m_prompter.askYesNo(QStringLiteral("Warning"), QDir::toNativeSeparators(path) +
                                                                QStringLiteral("\n\n") + question))
            return false;
    }
    bool loaded = false;
    try {
        loaded = m_session.load(PathBytes(path));
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
    }
    if (!loaded)
        return false;
    emit captionChanged();
    m_applicationTitle = PathText(m_session.document().caption());
    emit documentReplaced();
    announceLoadNotes();
    return true;
}

void DocumentCommands::announceLoadNotes() {
    const std::size_t count = m_session.document().loadNotes().size();
    if (count == 0)
        return;
    QString note = mainDescription(kLoadNotesEntry);
    if (!note.contains(QLatin1String("%1")))
        note = QStringLiteral("Saving will change %1 lines of this file");
    emit passingMessage(note.arg(count));
}

bool DocumentCommands::Alarm() {
    if (!m_session.isModified())
        return true;
    switch (m_prompter.askYesNoCancel(QStringLiteral("Warning"),
                                      QStringLiteral("Dialog has been changed\n\nSave cganges?"))) {
    case Prompter::Answer::No:
        return true;
    case Prompter::Answer::Yes:
        N4Click();
        return !m_session.isModified();
    case Prompter::Answer::Cancel:
        return false;
    }
    return false;
}

void DocumentCommands::N2Click() {
    if (!Alarm())
        return;
    m_session.reset();
    discardRecovery();
    emit captionChanged();
    emit documentCleared();
}

void DocumentCommands::N3Click() {
    if (!Alarm())
        return;
    if (const std::optional<QString> path = m_prompter.openFileName(fileFilter(), startFolder()))
        loadAndOfferRecovery(*path);
}

bool DocumentCommands::openFile(const QString& path) {
    if (!Alarm())
        return false;
    return loadAndOfferRecovery(path);
}

bool DocumentCommands::reload() {
    const std::string& path = m_session.document().fileName();
    return !path.empty() && loadAndOfferRecovery(PathText(path));
}

bool DocumentCommands::loadAndOfferRecovery(const QString& path) {
    m_lastFolder = QFileInfo(path).absolutePath();
    // The changes given up for this file go first, so they are not offered back.
    if (!LoadDlg(path))
        return false;
    discardRecovery();
    offerRecovery(m_session.document().fileName());
    return true;
}

void DocumentCommands::offerRecovery(const std::string& path) {
    if (!m_recovery || !m_recovery->hasRecoveryNewerThanFile(path))
        return;
    QString question = mainDescription(kRestoreQuestionEntry);
    if (!question.contains(QLatin1String("%1")))
        question = QStringLiteral("Restore the unsaved changes of %1?");
    const QString name =
        path.empty() ? PathText(kUntitledCaption) : QDir::toNativeSeparators(PathText(path));
    if (!m_prompter.askYesNo(QStringLiteral("Dolmex"), question.arg(name))) {
        m_recovery->removeRecovery(path);
        return;
    }
    try {
        // One step, so undo goes back to the file as it is on disk.
        m_session.perform(EditVerb::RestoreRecovery, [this](LineStore&) { m_recovery->restore(); });
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
    }
    emit recoveryRestored();
}

void DocumentCommands::discardRecovery() {
    if (m_recovery)
        m_recovery->discard();
}

QString DocumentCommands::startFolder() const {
    const std::string& fileName = m_session.document().fileName();
    if (!fileName.empty())
        return QFileInfo(PathText(fileName)).absolutePath();
    return m_lastFolder;
}

void DocumentCommands::N4Click() {
    const QString folder = startFolder();
    saveDocument(folder.isEmpty() ? QString() : folder + QLatin1Char('/'));
}

void DocumentCommands::saveDocument(const QString& proposal) {
    Document& document = m_session.document();
    std::string target = document.fileName();
    if (target.empty()) {
        const std::optional<QString> chosen = m_prompter.saveFileName(fileFilter(), proposal);
        if (!chosen)
            return;
        target = PathBytes(*chosen);
    }
    try {
        m_session.saveAs(target);
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
        return;
    }
    discardRecovery();
    emit captionChanged();
    const QString path = PathText(target);
    m_lastFolder = QFileInfo(path).absolutePath();
    QString saved = mainDescription(kSavedEntry);
    if (!saved.contains(QLatin1String("%2")))
        saved = QStringLiteral("Saved %1 lines to %2");
    emit passingMessage(
        saved.arg(document.store().rowCount() - 1).arg(QDir::toNativeSeparators(path)));
}

void DocumentCommands::N5Click() {
    Document& document = m_session.document();
    const std::string previous = document.fileName();
    document.setFileName({});
    // Save as proposes the current name, so a new version is one edit of it away.
    if (previous.empty())
        N4Click();
    else
        saveDocument(PathText(previous));
    if (document.fileName().empty())
        document.setFileName(previous);
    // The task bar follows the document: after a completed Save as it names the new file.
    m_applicationTitle = PathText(document.caption());
}

} // namespace dolmex
