#pragma once

#include "DocumentCommands.h"
#include "LineCommandSet.h"
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
class DocumentFiles;
class DialogGrid;
class FindBar;
class MapDock;
class ModuleFindDock;
class ModulePanel;
class NavigationCommands;
class ReferencesPane;
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
    int currentRow() const { return m_lines->currentRow(); }
    void setCurrentRow(int row) { m_lines->setCurrentRow(row); }
    // The application (task bar) title.
    QString applicationTitle() const { return m_documents->applicationTitle(); }
    double gridHeightRatio() const { return m_gridHeightRatio; }
    // The title as the window system shows it: the caption, with "*" while modified.
    QString shownTitle() const;
    // A passing note in the status bar, beside its three panels.
    void showPassingMessage(const QString& text);
    const LineDescription& description() const;
    QUndoStack& undoStack() { return m_undoStack; }
    // The one way the dialog is changed: every perform is one undo step.
    EditSession& session();

    // At the start of every description refresh (the block navigator follows the dialog).
    std::function<void()> onDescribe;

    // The selected block of rows (the current row when none is selected).
    RowBlock selectedBlock() const { return m_lines->selectedBlock(); }
    void selectBlock(RowBlock block) { m_lines->selectBlock(block); }

    // The central refresh of the description panel, the navigation list and the status bar.
    void MakeLineDescr();
    // Moves the cursor to the line numbered `number`, or warns that there is none.
    void Responce(int number);
    // Loads the language named by the settings and applies its captions.
    bool loadLanguage();
    // The parts' commands, under the names the menus and the tests know.
    bool LoadDlg(const QString& path) { return m_documents->LoadDlg(path); }
    // The unsaved-changes question (see DocumentCommands::Alarm).
    bool Alarm() { return m_documents->Alarm(); }
    void N2Click() { m_documents->N2Click(); }
    void N3Click() { m_documents->N3Click(); }
    void N4Click() { m_documents->N4Click(); }
    void N5Click() { m_documents->N5Click(); }
    void N19Click() { m_lines->N19Click(); }
    void N22Click() { m_lines->N22Click(); }
    void N20Click() { m_lines->N20Click(); }
    void N24Click() { m_lines->N24Click(); }
    void N25Click() { m_lines->N25Click(); }
    void NupClick() { m_lines->NupClick(); }
    void NdnClick() { m_lines->NdnClick(); }
    void N14Click() { m_lines->N14Click(); }
    void UndoClick() { m_lines->UndoClick(); }
    void RedoClick() { m_lines->RedoClick(); }

signals:
    // A double click on a row outside edit mode: the wizard opens on it.
    void openWizardRequested(int row);
    void activated();
    // After a language file was read and the main window captioned: the others follow.
    void languageLoaded();
    // Once, when the window is first shown and the language is read.
    void firstShown();

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
    // Wires the document and line commands to the window.
    void connectParts();
    // The find bar, the list of lines naming the current one, and jumping back and forth.
    QWidget* createSearchParts();
    void connectSearchParts();
    // The map of the dialog beside the grid, following the cursor and moving it.
    void createMapDock();
    // The dialogs of the module beside the grid, one opened by Enter or a double click.
    void createModulePanel();
    // Find in module: a dock listing the cells of the module's dialogs that hold a text.
    void createModuleFindDock();
    // Adds `dock` at `area`, hidden, shown and hidden by the checkable `toggle`, which its
    // own close button unticks; when shown from the menu it takes `shownWidth()` pixels.
    void addToggledDock(QDockWidget* dock, Qt::DockWidgetArea area, QAction* toggle,
                        std::function<int()> shownWidth);
    void refreshLineCount();
    void storeWindowSettings();
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
    std::unique_ptr<LineCommandSet> m_lines;
    std::unique_ptr<DocumentCommands> m_documents;
    DocumentFiles* m_files = nullptr;
    std::unique_ptr<NavigationCommands> m_navigation;
    ReferencesPane* m_references = nullptr;
    FindBar* m_findBar = nullptr;
    MapDock* m_map = nullptr;
    ModulePanel* m_module = nullptr;
    ModuleFindDock* m_moduleFind = nullptr;

    double m_gridHeightRatio = 0.5;
    bool m_shown = false;
};

} // namespace dolmex
