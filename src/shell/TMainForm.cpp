#include "TMainForm.h"

#include "DescriptionPane.h"
#include "DockState.h"
#include "DocumentCommands.h"
#include "DocumentFiles.h"
#include "FindBar.h"
#include "LineCommandSet.h"
#include "MainMenu.h"
#include "MapDock.h"
#include "ModuleFindDock.h"
#include "ModulePanel.h"
#include "NavigationCommands.h"
#include "ReferencesPane.h"
#include "TAboutForm.h"
#include "core/IoError.h"
#include "core/PathText.h"
#include "interp/Navigation.h"
#include "ui/Cp1251.h"
#include "ui/DialogGrid.h"
#include "ui/LineStoreModel.h"
#include "ui/LiveEditDelegate.h"
#include "ui/Prompter.h"
#include "ui/UndoHistory.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace dolmex {

namespace {

constexpr const char* kColumnTitles[] = {"{N}",    "{Text}", "{G}",     "{I}",
                                         "{Test}", "{R}",    "{Result}"};
constexpr int kInitialColumnWidths[] = {29, 230, 177, 22, 113, 53, 89, 64};
constexpr int kRowHeight = 16;
constexpr int kDescriptionAreaHeight = 220;
constexpr int kLineCountEntry = md::kLineCount;
constexpr int kUnencodableEntry = md::kUnencodable;

} // namespace

TMainForm::TMainForm(ProgramContext& context, Prompter& prompter, const QString& commandLineFile,
                     QWidget* parent)
    : QMainWindow(parent), m_context(context), m_prompter(prompter),
      m_describer(context.tables, m_messages) {
    setObjectName(QStringLiteral("TMainForm"));
    m_document.onModifiedChanged = [this] { setWindowModified(m_document.isModified()); };
    m_history = std::make_unique<UndoHistory>(m_document, m_undoStack);
    createMenus();
    createToolBar();
    createCentralArea();
    m_lines =
        std::make_unique<LineCommandSet>(*SG, *m_model, *m_history, m_context.tables, m_actions);
    m_lines->createUndoCommands(*m_menus.at(QStringLiteral("N10")), *ToolBar1,
                                ToolBar1->actions().value(ToolBar1->actions().size() - 5), *this);
    m_documents = std::make_unique<DocumentCommands>(m_context, m_prompter, *m_history);
    connectCommands();
    m_files = new DocumentFiles(m_context, m_prompter, *m_documents, *m_history, *m_lines, *this,
                                *m_menus.at(QStringLiteral("Recent1")));
    connectParts();
    connectSearchParts();
    createMapDock();
    createModulePanel();
    createModuleFindDock();
    FormCreate(commandLineFile);
    RestoreDocks(*this, m_context.windowStatePath);
    m_lines->updateUndoCaptions();
}

void TMainForm::addToggledDock(QDockWidget* dock, Qt::DockWidgetArea area, QAction* toggle,
                               std::function<int()> shownWidth) {
    addDockWidget(area, dock);
    dock->hide();
    connect(toggle, &QAction::toggled, this,
            [this, dock, shownWidth = std::move(shownWidth)](bool on) {
                if (on == dock->isVisible())
                    return;
                dock->setVisible(on);
                if (on)
                    resizeDocks({dock}, {shownWidth()}, Qt::Horizontal);
            });
    connect(dock->toggleViewAction(), &QAction::toggled, toggle, &QAction::setChecked);
}

void TMainForm::connectParts() {
    connect(m_lines.get(), &LineCommandSet::lineCountChanged, this, &TMainForm::refreshLineCount);
    connect(m_lines.get(), &LineCommandSet::describe, this, &TMainForm::MakeLineDescr);
    connect(m_documents.get(), &DocumentCommands::passingMessage, this,
            &TMainForm::showPassingMessage);
    connect(m_documents.get(), &DocumentCommands::captionChanged, this, [this] {
        setCaption(m_document.caption());
        m_files->documentFileChanged();
    });
    connect(m_files, &DocumentFiles::passingMessage, this, &TMainForm::showPassingMessage);
    connect(this, &TMainForm::languageLoaded, m_files, &DocumentFiles::refreshMenu);
    connect(m_documents.get(), &DocumentCommands::documentReplaced, this, [this] {
        m_lines->updateUndoCaptions();
        m_messages.setModuleRoot(m_document.moduleRoot());
        refreshLineCount();
        setCurrentRow(1);
        MakeLineDescr();
    });
    connect(m_documents.get(), &DocumentCommands::documentCleared, this, [this] {
        m_lines->updateUndoCaptions();
        MakeLineDescr();
    });
    connect(m_documents.get(), &DocumentCommands::recoveryRestored, this, [this] {
        setWindowModified(m_document.isModified());
        refreshLineCount();
        setCurrentRow(1);
        MakeLineDescr();
    });
}

TMainForm::~TMainForm() {
    // Child objects are deleted only after the members are gone: the grid's model must leave
    // the store's observers while the store exists, and the undo stack, clearing itself as it
    // goes, must not call back into a half-destroyed window.
    m_undoStack.disconnect(this);
    m_document.onModifiedChanged = nullptr;
    // These work through the document commands.
    delete m_files;
    delete m_module;
    delete m_moduleFind;
    m_documents.reset(); // its recovery watches the store, which goes with the members
    m_navigation.reset();
    delete m_references;
    delete m_findBar;
    delete m_map;
    m_lines.reset();
    delete m_model;
}

void TMainForm::FormCreate(const QString& commandLineFile) {
    try {
        ReadSettings(m_context.settingsPath, m_context.settings);
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
    }
    const Settings& settings = m_context.settings;
    resize(settings.windowWidth, settings.windowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // A size saved on a bigger screen must not put the menus off this one.
        const QRect available = screen->availableGeometry();
        resize(size().boundedTo(available.size()));
        move(available.center() - rect().center());
    }
    for (int column = 0; column < kColumnCount; ++column)
        SG->setColumnWidth(column, settings.colWidths[static_cast<std::size_t>(column)]);
    m_context.currentBuffer = 1;
    for (int column = 0; column < kFieldCount; ++column)
        m_document.store().setTitle(column, kColumnTitles[column]);
    const int gridHeight = std::max(0, settings.windowHeight - kDescriptionAreaHeight);
    m_gridHeightRatio =
        settings.windowHeight > 0 ? static_cast<double>(gridHeight) / settings.windowHeight : 0.5;
    m_history->reset();
    setCaption(kUntitledCaption);
    if (!commandLineFile.isEmpty())
        LoadDlg(commandLineFile);
}

void TMainForm::createCentralArea() {
    SG = new DialogGrid;
    SG->setObjectName(QStringLiteral("SG"));
    m_model = new LineStoreModel(*m_history, this);
    SG->setModel(m_model);
    SG->setItemDelegate(new LiveEditDelegate(SG));
    SG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SG->verticalHeader()->setDefaultSectionSize(kRowHeight);
    SG->verticalHeader()->hide();
    SG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    SG->horizontalHeader()->setStretchLastSection(false);
    SG->setShowGrid(true);
    SG->setWordWrap(false);
    SG->setSelectionBehavior(QAbstractItemView::SelectRows);
    SG->setSelectionMode(QAbstractItemView::ContiguousSelection);
    SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG->setTabKeyNavigation(false);
    for (int column = 0; column < kColumnCount; ++column)
        SG->setColumnWidth(column, kInitialColumnWidths[column]);
    SG->installEventFilter(this);

    m_pane = new DescriptionPane(m_context.tables, *statusBar(), this);
    connect(m_pane, &DescriptionPane::moveChosen, this, &TMainForm::Responce);

    VSplit = new QSplitter(Qt::Vertical);
    VSplit->setObjectName(QStringLiteral("VSplit"));
    VSplit->setHandleWidth(2);
    VSplit->setChildrenCollapsible(false);
    VSplit->addWidget(createSearchParts());
    VSplit->addWidget(m_pane->widget());
    VSplit->installEventFilter(this);
    setCentralWidget(VSplit);
}

void TMainForm::connectCommands() {
    const std::pair<const char*, void (DocumentCommands::*)()> documentCommands[] = {
        {"N2", &DocumentCommands::N2Click},
        {"N3", &DocumentCommands::N3Click},
        {"N4", &DocumentCommands::N4Click},
        {"N5", &DocumentCommands::N5Click},
    };
    for (const auto& [name, handler] : documentCommands)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, m_documents.get(), handler);
    const std::pair<const char*, void (LineCommandSet::*)()> lineCommands[] = {
        {"N19", &LineCommandSet::N19Click}, {"N22", &LineCommandSet::N22Click},
        {"N20", &LineCommandSet::N20Click}, {"N24", &LineCommandSet::N24Click},
        {"N25", &LineCommandSet::N25Click}, {"Nup", &LineCommandSet::NupClick},
        {"Ndn", &LineCommandSet::NdnClick}, {"N14", &LineCommandSet::N14Click},
    };
    for (const auto& [name, handler] : lineCommands)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, m_lines.get(), handler);

    connect(action(QStringLiteral("N7")), &QAction::triggered, this, &QWidget::close);
    connect(action(QStringLiteral("N9")), &QAction::triggered, this, &TMainForm::MakeLineDescr);
    connect(action(QStringLiteral("N12")), &QAction::triggered, this, &TMainForm::MakeLineDescr);
    connect(action(QStringLiteral("N18")), &QAction::triggered, this, [this] {
        TAboutForm about(this);
        about.exec();
    });
    // N1Click: Save is offered only when there is something to save.
    connect(m_menus.at(QStringLiteral("N1")), &QMenu::aboutToShow, this,
            [this] { action(QStringLiteral("N4"))->setEnabled(m_document.isModified()); });
    connect(m_menus.at(QStringLiteral("N1")), &QMenu::aboutToHide, this,
            [this] { action(QStringLiteral("N4"))->setEnabled(true); });

    const std::pair<const char*, const char*> languages[] = {
        {"English1", "english.lng"}, {"N38", "russian.lng"}, {"N39", "russte.lng"}};
    for (const auto& [item, file] : languages) {
        connect(action(QString::fromLatin1(item)), &QAction::triggered, this, [this, file = file] {
            m_context.settings.defLanguage = file;
            loadLanguage();
        });
    }
    for (int i = 1; i <= 5; ++i) {
        connect(action(QStringLiteral("bbb%1").arg(i)), &QAction::triggered, this,
                [this, i] { m_context.currentBuffer = i; });
    }

    connect(SG->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TMainForm::MakeLineDescr);
    connect(SG, &QTableView::doubleClicked, this, [this] {
        if (!action(QStringLiteral("N14"))->isChecked())
            emit openWizardRequested(currentRow());
    });
    connect(m_model, &LineStoreModel::cellEdited, this, [this] { MakeLineDescr(); });
    // Queued: the box must not open inside the cell editor's own signal, which the box's
    // focus change would end by closing the editor under it.
    connect(
        m_model, &LineStoreModel::unstorableText, this,
        [this](QChar character) {
            m_prompter.warn(QStringLiteral("Warning"),
                            UnstorableWarning(mainDescription(kUnencodableEntry), character));
        },
        Qt::QueuedConnection);
    connect(VSplit, &QSplitter::splitterMoved, this, [this] {
        if (height() > 0)
            m_gridHeightRatio = static_cast<double>(SG->height()) / height();
    });
}

QAction* TMainForm::action(const QString& name) const {
    const auto found = m_actions.find(name);
    return found == m_actions.end() ? nullptr : found->second;
}

const std::string& TMainForm::mainDescription(int entry) const {
    return m_context.tables.mainDescription[entry];
}

void TMainForm::setCaption(const std::string& caption) {
    // The caption comes from the file's name, not from its contents.
    setWindowTitle(PathText(caption) + QStringLiteral("[*]"));
    setWindowModified(m_document.isModified());
}

QString TMainForm::shownTitle() const {
    QString title = windowTitle();
    return title.replace(QStringLiteral("[*]"),
                         isWindowModified() ? QStringLiteral("*") : QString());
}

void TMainForm::showPassingMessage(const QString& text) {
    m_pane->showPassingMessage(text);
}

void TMainForm::refreshLineCount() {
    m_pane->setLineCount(FromCp1251(m_document.lineCountText(mainDescription(kLineCountEntry))));
}

void TMainForm::MakeLineDescr() {
    if (onDescribe)
        onDescribe();
    DisplayOptions options;
    options.generatedInfo = action(QStringLiteral("N9"))->isChecked();
    options.messageTexts = action(QStringLiteral("N12"))->isChecked();
    try {
        m_pane->show(m_describer.MakeLineDescr(m_document.store(), currentRow(),
                                               m_pane->description().status, options));
        m_references->refresh();
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
    }
}

const LineDescription& TMainForm::description() const {
    return m_pane->description();
}

void TMainForm::Responce(int number) {
    if (m_document.store().rowCount() <= 1)
        return;
    if (const std::optional<int> row = ResponceRow(m_document.store(), number)) {
        m_navigation->jumpTo(*row);
    } else {
        m_prompter.warn(QStringLiteral("Warning"), QStringLiteral("Warning\n\nLine not found!"));
    }
    SG->setFocus();
}

bool TMainForm::loadLanguage() {
    std::vector<CaptionAssignment> assignments;
    try {
        assignments = LoadLanguage(m_context.languageFolder(), m_context.settings.defLanguage,
                                   m_context.tables);
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
        // Without captions the window has no menus to choose another language with: the
        // shipped English file stands in, and its name is what the settings keep.
        if (m_context.settings.defLanguage == kFallbackLanguage)
            return false;
        m_context.settings.defLanguage = kFallbackLanguage;
        return loadLanguage();
    }
    action(QString::fromLatin1(LanguageMenuItem(m_context.settings.defLanguage)))->setChecked(true);
    applyCaptions(assignments);
    m_findBar->setTexts();
    m_lines->updateUndoCaptions();
    refreshLineCount();
    MakeLineDescr();
    emit languageLoaded();
    return true;
}

void TMainForm::applyCaptions(const std::vector<CaptionAssignment>& assignments) {
    m_context.wizardCaptions.clear();
    for (const CaptionAssignment& a : assignments) {
        if (a.window == TargetWindow::Wizard) {
            m_context.wizardCaptions.push_back(a);
            continue;
        }
        const QString text = FromCp1251(a.text);
        if (a.property == CaptionProperty::ColumnTitle) {
            m_document.store().setTitle(ColComment, a.text);
        } else if (a.control == "GB1") {
            m_pane->setMovesTitle(text);
        } else if (a.control == "GB2") {
            m_references->setTitle(text);
        } else if (QAction* item = action(QString::fromStdString(a.control))) {
            if (a.property == CaptionProperty::Caption)
                item->setText(text);
            else
                item->setToolTip(text);
        }
    }
    for (const HintSource& source : kToolButtonHintSources) {
        auto* button = findChild<QToolButton*>(QString::fromLatin1(source.toolButton));
        QAction* item = action(QString::fromLatin1(source.menuItem));
        if (button && item) {
            item->setToolTip(item->text());
            button->setToolTip(item->text());
        }
    }
}

EditSession& TMainForm::session() {
    return *m_history;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    SG->setFocus();
    // The language is read here, once every window exists, since it captions them all.
    if (loadLanguage())
        emit firstShown();
    m_documents->announceLoadNotes(); // again, now in the language just read
    // Asked once the window shows, in the language just read.
    m_documents->offerRecovery(m_document.fileName());
}

void TMainForm::storeWindowSettings() {
    m_context.settings.windowWidth = width();
    m_context.settings.windowHeight = height();
    for (int column = 0; column < kColumnCount; ++column)
        m_context.settings.colWidths[static_cast<std::size_t>(column)] = SG->columnWidth(column);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    storeWindowSettings();
    try {
        WriteSettings(m_context.settingsPath, m_context.settings);
    } catch (const IoError& error) {
        // Reported, but never a reason to keep the user in the window.
        m_prompter.ioError(IoErrorText(error));
    }
    if (Alarm()) {
        StoreDocks(*this, m_context.windowStatePath);
        m_documents->discardRecovery();
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SG && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The keypad's Enter carries the keypad modifier and nothing else.
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            !action(QStringLiteral("N14"))->isChecked()) {
            if (const auto response = FollowedResponse(m_document.store(), currentRow()))
                Responce(*response);
            MakeLineDescr();
            return true;
        }
    }
    if (watched == VSplit && event->type() == QEvent::Resize) {
        // The grid keeps its share of the window's height, cut to whole pixels.
        const int total = VSplit->height() - VSplit->handleWidth();
        const int grid = std::clamp(static_cast<int>(height() * m_gridHeightRatio), 0, total);
        VSplit->setSizes({grid, total - grid});
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace dolmex
