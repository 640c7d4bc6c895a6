#pragma once

#include "ProgramContext.h"

#include <QObject>
#include <QString>

#include <exception>
#include <string>

namespace dolmex {

class DocumentRecovery;
class EditSession;
class Prompter;

// The File menu's commands on the whole document: New, Open, Save, Save as, the
// unsaved-changes question, the recovery copy's offer, and where the file dialogs start.
// The window follows through the signals.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    DocumentCommands(ProgramContext& context, Prompter& prompter, EditSession& session,
                     QObject* parent = nullptr);
    ~DocumentCommands() override;

    // The unsaved-changes question: nothing is asked (and true returned) when there is
    // nothing to lose; otherwise true when the command may go on.
    bool Alarm();
    bool LoadDlg(const QString& path);
    void N2Click();
    void N3Click();
    void N4Click();
    void N5Click();
    // Open without the file dialog (recent files, the module panel, a dropped file): the
    // unsaved-changes question, then as Open goes on. True when the file was loaded.
    bool openFile(const QString& path);
    // The open file read again, without a question: the caller asked.
    bool reload();

    // Offers the recovery copy of `path` (empty: the untitled document) when it is newer
    // than the file: Yes restores it, No deletes it.
    void offerRecovery(const std::string& path);
    void discardRecovery();
    // Says once, in passing, how many lines of the loaded file a save will change.
    void announceLoadNotes();
    // The application (task bar) title: the loaded file, or the one Save as wrote.
    QString applicationTitle() const { return m_applicationTitle; }

signals:
    // The document's caption or name changed (load, New, save).
    void captionChanged();
    // A file was loaded in place of the dialog.
    void documentReplaced();
    // New emptied the dialog.
    void documentCleared();
    // The recovery copy replaced the rows.
    void recoveryRestored();
    // A note for the status bar ("Saved 53 lines to ...").
    void passingMessage(const QString& text);

private:
    bool loadAndOfferRecovery(const QString& path);
    // Save, asking for a name (`proposal` first) when the document has none.
    void saveDocument(const QString& proposal);
    // Where the open and save dialogs start: the document's folder, or the last one used.
    QString startFolder() const;
    QString fileFilter() const;
    QString mainDescription(int entry) const;

    ProgramContext& m_context;
    Prompter& m_prompter;
    EditSession& m_session;
    DocumentRecovery* m_recovery = nullptr;
    QString m_lastFolder;
    QString m_applicationTitle;
};

} // namespace dolmex
