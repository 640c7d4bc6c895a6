#pragma once

#include "ProgramContext.h"
#include "core/Document.h"
#include "editing/LineCommands.h"
#include "interp/FileMessageSource.h"
#include "interp/LineDescriber.h"

#include <QMainWindow>
#include <QUndoStack>

#include <functional>
#include <map>

class QAction;
class QActionGroup;
class QMenu;
class QSplitter;
class QTableView;
class QToolBar;

namespace dolmex {

class DescriptionPane;
class DialogGrid;
class DocumentRecovery;
class EditSession;
class LineStoreModel;
class Prompter;
class UndoHistory;

// The main window: the grid over the one line store, the description of the current line,
// the navigation list, the status bar, and the menus and tool bar that drive them.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // `commandLineFile`, when not empty, is loaded while the window is created, before the
    // language file (which is read when the window is first shown).
    TMainForm(ProgramContext& context, Prompter& prompter, const QString& commandLineFile = {},
              QWidget* parent = nullptr);
    ~TMainForm() override;

    Document& document() { return m_document; }
    QAction* action(const QString& name) const;
    int currentRow() const;
    void setCurrentRow(int row);
    // The window caption and the application (task bar) title.
    QString applicationTitle() const { return m_applicationTitle; }
    double gridHeightRatio() const { return m_gridHeightRatio; }
    // The title as the window system shows it: the caption, with "*" while modified.
    QString shownTitle() const;
    // A passing note in the status bar, beside its three panels.
    void showPassingMessage(const QString& text);
    const LineDescription& description() const;
    QUndoStack& undoStack() { return m_undoStack; }
    // The one way the dialog is changed: every perform is one undo step.
    EditSession& session();

    // Hooks for the windows that are opened from here.
    std::function<void(int row)> onOpenWizard;
    std::function<void()> onActivated;
    // After a language file was read and the main window captioned: the others follow.
    std::function<void()> onLanguageLoaded;
    // At the start of every description refresh (the block navigator follows the dialog).
    std::function<void()> onDescribe;
    // Once, when the window is first shown and the language is read.
    std::function<void()> onFirstShown;

    // The selected block of rows (the current row when none is selected).
    RowBlock selectedBlock() const;
    void selectBlock(RowBlock block);

    // The central refresh of the description panel, the navigation list and the status bar.
    void MakeLineDescr();
    // Moves the cursor to the line numbered `number`, or warns that there is none.
    void Responce(int number);
    // Loads the language named by the settings and applies its captions.
    bool loadLanguage();
    bool LoadDlg(const QString& path);

    // The unsaved-changes question: nothing is asked (and true returned) when there is
    // nothing to lose; otherwise true when the command may go on.
    bool Alarm();

    // Document commands.
    void N2Click();
    void N3Click();
    void N4Click();
    void N5Click();

    // Line commands.
    void N19Click();
    void N22Click();
    void N20Click();
    void N24Click();
    void N25Click();
    void NupClick();
    void NdnClick();
    void N14Click();
    void UndoClick();
    void RedoClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QString& commandLineFile);
    void createMenus();
    void createToolBar();
    void createCentralArea();
    void connectCommands();
    void applyCaptions(const std::vector<CaptionAssignment>& assignments);
    void setCaption(const std::string& caption);
    // Save, asking for a name (`proposal` first) when the document has none.
    void saveDocument(const QString& proposal);
    // Where the open and save dialogs start: the document's folder, or the last one used.
    QString startFolder() const;
    // Offers the recovery copy of `path` (empty: the untitled document) when it is newer
    // than the file: Yes restores it, No deletes it.
    void offerRecovery(const std::string& path);
    void discardRecovery();
    // Says once, in passing, how many lines of the loaded file a save will change.
    void announceLoadNotes();
    void refreshLineCount();
    void afterLineCommand(int currentRow);
    void createUndoCommands();
    void updateUndoCaptions();
    void reportIoError(const std::exception& error);
    void storeWindowSettings();
    QString fileFilter() const;
    const std::string& mainDescription(int entry) const;

    ProgramContext& m_context;
    Prompter& m_prompter;
    Document m_document;
    FileMessageSource m_messages;
    LineDescriber m_describer;
    QUndoStack m_undoStack;
    std::unique_ptr<UndoHistory> m_history;

    std::map<QString, QAction*> m_actions;
    std::map<QString, QMenu*> m_menus;
    QActionGroup* m_languageGroup = nullptr;
    QActionGroup* m_bufferGroup = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QSplitter* VSplit = nullptr;
    DialogGrid* SG = nullptr;
    LineStoreModel* m_model = nullptr;
    DescriptionPane* m_pane = nullptr;
    QString m_lastFolder;
    DocumentRecovery* m_recovery = nullptr;

    QString m_applicationTitle;
    double m_gridHeightRatio = 0.5;
    bool m_shown = false;
};

} // namespace dolmex
