#include "TMainForm.h"

#include "MainMenu.h"
#include "TAboutForm.h"
#include "core/DocumentRecovery.h"
#include "core/IoError.h"
#include "core/LooksLikeDialog.h"
#include "core/PathText.h"
#include "interp/Navigation.h"
#include "ui/Cp1251.h"
#include "ui/DialogGrid.h"
#include "ui/LineStoreModel.h"
#include "ui/LiveEditDelegate.h"
#include "ui/Prompter.h"
#include "ui/UndoHistory.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace dolmex {

namespace {

constexpr const char* kColumnTitles[] = {"{N}",    "{Text}", "{G}",     "{I}",
                                         "{Test}", "{R}",    "{Result}"};
constexpr int kInitialColumnWidths[] = {29, 230, 177, 22, 113, 53, 89, 64};
constexpr int kRowHeight = 16;
constexpr int kDescriptionAreaHeight = 220;
constexpr int kLineCountEntry = md::kLineCount;
constexpr int kUnencodableEntry = md::kUnencodable;

// The EDITMENU step names of the commands that change the store.
constexpr std::pair<const char*, int> kCommandSteps[] = {
    {"N19", kStepAppendLine},       {"N22", kStepInsertLine},       {"N20", kStepDeleteLines},
    {"N24", kStepCopyTextToGender}, {"N25", kStepCopyGenderToText}, {"Nup", kStepMoveUp},
    {"Ndn", kStepMoveDown},
};

constexpr int kSavedEntry = md::kSaved;
constexpr int kLoadNotesEntry = md::kLoadNotes;
constexpr int kNotADialogEntry = md::kNotADialog;
constexpr int kRestoreQuestionEntry = md::kRestoreQuestion;
constexpr int kRecoveryFailedEntry = md::kRecoveryFailed;
constexpr int kPassingMessageMs = 8000;

// Tool bar buttons in order; nullptr is a separator. Icons come from the desktop theme,
// with Qt's own standard icons where the theme has none.
struct ToolButtonSpec {
    const char* name;
    const char* action;
    const char* themeIcon;
    QStyle::StandardPixmap fallback;
};

constexpr ToolButtonSpec kToolButtons[] = {
    {"ToolButton1", "N2", "document-new", QStyle::SP_FileIcon},
    {"ToolButton2", "N3", "document-open", QStyle::SP_DialogOpenButton},
    {"ToolButton3", "N4", "document-save", QStyle::SP_DialogSaveButton},
    {"ToolButton4", "N5", "document-save-as", QStyle::SP_DriveFDIcon},
    {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
    {"ToolButton5", "N19", "list-add", QStyle::SP_FileDialogNewFolder},
    {"ToolButton7", "N22", "insert-text", QStyle::SP_FileDialogStart},
    {"ToolButton8", "N20", "list-remove", QStyle::SP_TrashIcon},
    {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
    {"ToolButton9", "N24", "go-next", QStyle::SP_ArrowRight},
    {"ToolButton11", "N25", "go-previous", QStyle::SP_ArrowLeft},
    {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
    {"ToolButton13", "Nup", "go-up", QStyle::SP_ArrowUp},
    {"ToolButton14", "Ndn", "go-down", QStyle::SP_ArrowDown},
    {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
};

// Items that only act on whole selected rows and so are off while cells are edited.
constexpr const char* kRowSelectionItems[] = {"Nup", "Ndn", "NB1", "NB2",
                                              "NB3", "NB4", "NB5", "NB6"};

} // namespace

namespace {

class HistoryStep : public UndoStep {
public:
    HistoryStep(UndoHistory& history, const QString& name) : m_step(history, name) {}

private:
    UndoHistory::Step m_step;
};

} // namespace

TMainForm::TMainForm(ProgramContext& context, Prompter& prompter, const QString& commandLineFile,
                     QWidget* parent)
    : QMainWindow(parent), m_context(context), m_prompter(prompter),
      m_describer(context.tables, m_messages) {
    setObjectName(QStringLiteral("TMainForm"));
    m_document.onModifiedChanged = [this] { setWindowModified(m_document.isModified()); };
    createMenus();
    createToolBar();
    createCentralArea();
    createUndoCommands();
    connectCommands();
    if (!m_context.recoveryDir.empty()) {
        m_recovery = new DocumentRecovery(m_document, PathText(m_context.recoveryDir), this);
        connect(m_recovery, &DocumentRecovery::writeFailed, this,
                [this] { showPassingMessage(FromCp1251(mainDescription(kRecoveryFailedEntry))); });
    }
    FormCreate(commandLineFile);
    forgetHistory();
}

TMainForm::~TMainForm() {
    // Child objects are deleted only after the members are gone: the grid's model must leave
    // the store's observers while the store exists, and the undo stack, clearing itself as it
    // goes, must not call back into a half-destroyed window.
    m_undoStack.disconnect(this);
    m_document.onModifiedChanged = nullptr;
    delete m_recovery; // it watches the store, which goes with the members
    delete m_model;
}

void TMainForm::FormCreate(const QString& commandLineFile) {
    m_document.setModified(false);
    try {
        ReadSettings(m_context.settingsPath, m_context.settings);
    } catch (const IoError& error) {
        reportIoError(error);
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
    m_document.reset();
    m_document.setModified(false);
    setCaption(kUntitledCaption);
    if (!commandLineFile.isEmpty())
        LoadDlg(commandLineFile);
}

void TMainForm::createMenus() {
    for (const char* name : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        m_menus[QString::fromLatin1(name)] = menu;
        m_actions[QString::fromLatin1(name)] = menu->menuAction();
    }
    for (const char* name : kSubmenus) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        m_menus[QString::fromLatin1(name)] = menu;
    }
    m_languageGroup = new QActionGroup(this);
    m_bufferGroup = new QActionGroup(this);
    for (const MenuItemSpec& item : MainMenuItems()) {
        QMenu* menu = m_menus.at(QString::fromLatin1(item.menu));
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        const QString name = QString::fromLatin1(item.name);
        const auto submenu = m_menus.find(name);
        if (submenu != m_menus.end() && submenu->second != menu) {
            menu->addMenu(submenu->second);
            m_actions[name] = submenu->second->menuAction();
            continue;
        }
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        if (item.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        if (QLatin1String(item.menu) == QLatin1String("L1"))
            m_languageGroup->addAction(action);
        if (QLatin1String(item.menu) == QLatin1String("N30")) {
            m_bufferGroup->addAction(action);
            action->setText(name.right(1));
        }
        m_actions[name] = action;
    }
}

void TMainForm::createToolBar() {
    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolButtonSpec& entry : kToolButtons) {
        if (!entry.name) {
            ToolBar1->addSeparator();
            continue;
        }
        QAction* action = m_actions.at(QString::fromLatin1(entry.action));
        action->setIcon(QIcon::fromTheme(QString::fromLatin1(entry.themeIcon),
                                         style()->standardIcon(entry.fallback)));
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        // Tool buttons never take the keyboard from the grid (Space would start a new document).
        button->setFocusPolicy(Qt::NoFocus);
        ToolBar1->addWidget(button);
    }
    // The five buffer buttons: exactly one is down. A button makes its buffer current without
    // moving the menu's radio check; a radio item also presses its button.
    auto* bufferButtons = new QButtonGroup(ToolBar1);
    bufferButtons->setExclusive(true);
    for (int i = 1; i <= 5; ++i) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(QStringLiteral("bb%1").arg(i));
        button->setText(QString::number(i));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        QAction* radio = m_actions.at(QStringLiteral("bbb%1").arg(i));
        button->setChecked(radio->isChecked());
        bufferButtons->addButton(button, i);
        connect(button, &QToolButton::clicked, this, [this, i] { m_context.currentBuffer = i; });
        connect(radio, &QAction::triggered, button, [button] { button->setChecked(true); });
        ToolBar1->addWidget(button);
    }
}

void TMainForm::createCentralArea() {
    SG = new DialogGrid;
    SG->setObjectName(QStringLiteral("SG"));
    m_model = new LineStoreModel(m_document.store(), this);
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

    LineDesc = new QTextEdit;
    LineDesc->setObjectName(QStringLiteral("LineDesc"));
    LineDesc->setReadOnly(true);
    LineDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    GB1 = new QGroupBox;
    GB1->setObjectName(QStringLiteral("GB1"));
    MoveList = new QListWidget(GB1);
    MoveList->setObjectName(QStringLiteral("MoveList"));
    auto* groupLayout = new QVBoxLayout(GB1);
    groupLayout->setContentsMargins(2, 2, 2, 2);
    groupLayout->addWidget(MoveList);

    m_lowerSplit = new QSplitter(Qt::Horizontal);
    m_lowerSplit->addWidget(LineDesc);
    m_lowerSplit->addWidget(GB1);
    m_lowerSplit->setStretchFactor(0, 1);
    m_lowerSplit->setStretchFactor(1, 0);
    m_lowerSplit->setSizes({600, 136});

    VSplit = new QSplitter(Qt::Vertical);
    VSplit->setObjectName(QStringLiteral("VSplit"));
    VSplit->setHandleWidth(2);
    VSplit->setChildrenCollapsible(false);
    VSplit->addWidget(SG);
    VSplit->addWidget(m_lowerSplit);
    VSplit->installEventFilter(this);
    setCentralWidget(VSplit);

    statusBar()->setObjectName(QStringLiteral("SB"));
    const int widths[] = {300, 300, 50};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setObjectName(QStringLiteral("SBPanel%1").arg(i));
        // The comment panels keep their width however long the comment is.
        if (i < 2)
            m_panels[i]->setFixedWidth(widths[i]);
        else
            m_panels[i]->setMinimumWidth(widths[i]);
        statusBar()->addWidget(m_panels[i]);
    }
    // What a command did ("Saved 53 lines to ..."), beside the three panels, which keep
    // their own texts.
    m_passingMessage = new QLabel;
    m_passingMessage->setObjectName(QStringLiteral("SBMessage"));
    // It takes only the room the panels leave: a long path never squeezes the line count.
    m_passingMessage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(m_passingMessage, 1);
    m_passingMessageTimer = new QTimer(this);
    m_passingMessageTimer->setSingleShot(true);
    connect(m_passingMessageTimer, &QTimer::timeout, m_passingMessage, &QLabel::clear);
}

void TMainForm::connectCommands() {
    const std::pair<const char*, void (TMainForm::*)()> commands[] = {
        {"N2", &TMainForm::N2Click},   {"N3", &TMainForm::N3Click},   {"N4", &TMainForm::N4Click},
        {"N5", &TMainForm::N5Click},   {"N19", &TMainForm::N19Click}, {"N22", &TMainForm::N22Click},
        {"N20", &TMainForm::N20Click}, {"N24", &TMainForm::N24Click}, {"N25", &TMainForm::N25Click},
        {"Nup", &TMainForm::NupClick}, {"Ndn", &TMainForm::NdnClick}, {"N14", &TMainForm::N14Click},
    };
    for (const auto& [name, handler] : commands) {
        int step = -1;
        for (const auto& [command, entry] : kCommandSteps) {
            if (std::string_view(command) == name)
                step = entry;
        }
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, handler, step] {
                    const auto undo = step >= 0 ? undoStep(step) : nullptr;
                    (this->*handler)();
                });
    }

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
        if (!action(QStringLiteral("N14"))->isChecked() && onOpenWizard)
            onOpenWizard(currentRow());
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
    connect(MoveList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const std::optional<std::string> entry = ToCp1251(item->text());
        if (!entry)
            return;
        if (const auto target = JumpTarget(m_context.tables, *entry))
            Responce(*target);
    });
    connect(VSplit, &QSplitter::splitterMoved, this, [this] {
        if (height() > 0)
            m_gridHeightRatio = static_cast<double>(SG->height()) / height();
    });
}

QAction* TMainForm::action(const QString& name) const {
    const auto found = m_actions.find(name);
    return found == m_actions.end() ? nullptr : found->second;
}

int TMainForm::currentRow() const {
    const QModelIndex index = SG->currentIndex();
    return index.isValid() ? LineStoreModel::storeRow(index) : 1;
}

void TMainForm::setCurrentRow(int row) {
    row = std::clamp(row, 1, m_document.store().rowCount() - 1);
    const int column = std::max(0, SG->currentIndex().column());
    SG->setCurrentIndex(m_model->index(row - 1, column));
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
    m_passingMessage->setText(text);
    m_passingMessage->setToolTip(text); // whole, where a small window cuts the note
    m_passingMessageTimer->start(kPassingMessageMs);
}

void TMainForm::refreshLineCount() {
    m_panels[2]->setText(FromCp1251(m_document.lineCountText(mainDescription(kLineCountEntry))));
}

void TMainForm::reportIoError(const std::exception& error) {
    m_prompter.ioError(QString::fromLocal8Bit(error.what()));
}

QString TMainForm::fileFilter() const {
    return FromCp1251(m_context.tables.fileFilter);
}

bool TMainForm::LoadDlg(const QString& path) {
    if (!FileLooksLikeDialog(PathBytes(path))) {
        QString question = FromCp1251(mainDescription(kNotADialogEntry));
        if (question.isEmpty())
            question = QStringLiteral("This file does not look like a dialog. Open it?");
        if (!m_prompter.askYesNo(QStringLiteral("Warning"), QDir::toNativeSeparators(path) +
                                                                QStringLiteral("\n\n") + question))
            return false;
    }
    bool loaded = false;
    m_history->setSuspended(true);
    try {
        loaded = m_document.LoadDlg(PathBytes(path));
    } catch (const IoError& error) {
        reportIoError(error);
    }
    m_history->setSuspended(false);
    if (!loaded)
        return false;
    forgetHistory();
    setCaption(m_document.caption());
    m_applicationTitle = PathText(m_document.caption());
    m_messages.setModuleRoot(m_document.moduleRoot());
    refreshLineCount();
    setCurrentRow(1);
    MakeLineDescr();
    announceLoadNotes();
    return true;
}

void TMainForm::announceLoadNotes() {
    const std::size_t count = m_document.loadNotes().size();
    if (count == 0)
        return;
    QString note = FromCp1251(mainDescription(kLoadNotesEntry));
    if (!note.contains(QLatin1String("%1")))
        note = QStringLiteral("Saving will change %1 lines of this file");
    showPassingMessage(note.arg(count));
}

void TMainForm::MakeLineDescr() {
    if (onDescribe)
        onDescribe();
    DisplayOptions options;
    options.generatedInfo = action(QStringLiteral("N9"))->isChecked();
    options.messageTexts = action(QStringLiteral("N12"))->isChecked();
    try {
        m_description = m_describer.MakeLineDescr(m_document.store(), currentRow(),
                                                  m_description.status, options);
    } catch (const IoError& error) {
        reportIoError(error);
    }
    showDescription();
}

void TMainForm::showDescription() {
    QString html;
    for (const DescLine& line : m_description.lines) {
        const QString text = FromCp1251(line.text).toHtmlEscaped();
        html +=
            line.bold ? QStringLiteral("<b>%1</b><br>").arg(text) : text + QStringLiteral("<br>");
    }
    LineDesc->setHtml(html);
    MoveList->clear();
    for (const std::string& entry : m_description.moves)
        MoveList->addItem(FromCp1251(entry));
    for (int i = 0; i < 3; ++i)
        m_panels[i]->setText(FromCp1251(m_description.status[static_cast<std::size_t>(i)]));
}

void TMainForm::Responce(int number) {
    if (m_document.store().rowCount() <= 1)
        return;
    if (const std::optional<int> row = ResponceRow(m_document.store(), number)) {
        setCurrentRow(*row);
        SG->scrollTo(SG->currentIndex(), QAbstractItemView::PositionAtTop);
        MakeLineDescr();
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
        reportIoError(error);
        // Without captions the window has no menus to choose another language with: the
        // shipped English file stands in, and its name is what the settings keep.
        if (m_context.settings.defLanguage == kFallbackLanguage)
            return false;
        m_context.settings.defLanguage = kFallbackLanguage;
        return loadLanguage();
    }
    action(QString::fromLatin1(LanguageMenuItem(m_context.settings.defLanguage)))->setChecked(true);
    applyCaptions(assignments);
    updateUndoCaptions();
    refreshLineCount();
    MakeLineDescr();
    if (onLanguageLoaded)
        onLanguageLoaded();
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
            GB1->setTitle(text);
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

bool TMainForm::Alarm() {
    if (!m_document.isModified())
        return true;
    switch (m_prompter.askYesNoCancel(QStringLiteral("Warning"),
                                      QStringLiteral("Dialog has been changed\n\nSave cganges?"))) {
    case Prompter::Answer::No:
        return true;
    case Prompter::Answer::Yes:
        N4Click();
        return !m_document.isModified();
    case Prompter::Answer::Cancel:
        return false;
    }
    return false;
}

void TMainForm::N2Click() {
    if (!Alarm())
        return;
    m_history->setSuspended(true);
    m_document.reset();
    m_history->setSuspended(false);
    forgetHistory();
    discardRecovery();
    setCaption(m_document.caption());
    MakeLineDescr();
}

void TMainForm::N3Click() {
    if (!Alarm())
        return;
    if (const std::optional<QString> path = m_prompter.openFileName(fileFilter(), startFolder())) {
        m_lastFolder = QFileInfo(*path).absolutePath();
        // The changes given up for this file go first, so they are not offered back.
        if (LoadDlg(*path)) {
            discardRecovery();
            offerRecovery(m_document.fileName());
        }
    }
}

void TMainForm::offerRecovery(const std::string& path) {
    if (!m_recovery || !m_recovery->hasRecoveryNewerThanFile(path))
        return;
    QString question = FromCp1251(mainDescription(kRestoreQuestionEntry));
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
        const auto step = undoStep(kStepChangeLines);
        m_recovery->restore();
    } catch (const IoError& error) {
        reportIoError(error);
    }
    setWindowModified(m_document.isModified());
    refreshLineCount();
    setCurrentRow(1);
    MakeLineDescr();
}

void TMainForm::discardRecovery() {
    if (m_recovery)
        m_recovery->discard();
}

QString TMainForm::startFolder() const {
    if (!m_document.fileName().empty())
        return QFileInfo(PathText(m_document.fileName())).absolutePath();
    return m_lastFolder;
}

void TMainForm::N4Click() {
    const QString folder = startFolder();
    saveDocument(folder.isEmpty() ? QString() : folder + QLatin1Char('/'));
}

void TMainForm::saveDocument(const QString& proposal) {
    std::string target = m_document.fileName();
    if (target.empty()) {
        const std::optional<QString> chosen = m_prompter.saveFileName(fileFilter(), proposal);
        if (!chosen)
            return;
        target = PathBytes(*chosen);
    }
    try {
        m_document.saveAs(target);
    } catch (const IoError& error) {
        reportIoError(error);
        return;
    }
    m_undoStack.setClean();
    discardRecovery();
    setCaption(m_document.caption());
    const QString path = PathText(target);
    m_lastFolder = QFileInfo(path).absolutePath();
    QString saved = FromCp1251(mainDescription(kSavedEntry));
    if (!saved.contains(QLatin1String("%2")))
        saved = QStringLiteral("Saved %1 lines to %2");
    showPassingMessage(
        saved.arg(m_document.store().rowCount() - 1).arg(QDir::toNativeSeparators(path)));
}

void TMainForm::N5Click() {
    const std::string previous = m_document.fileName();
    m_document.setFileName({});
    // Save as proposes the current name, so a new version is one edit of it away.
    if (previous.empty())
        N4Click();
    else
        saveDocument(PathText(previous));
    if (m_document.fileName().empty())
        m_document.setFileName(previous);
    // The task bar follows the document: after a completed Save as it names the new file.
    m_applicationTitle = PathText(m_document.caption());
}

RowBlock TMainForm::selectedBlock() const {
    const int current = currentRow();
    const QItemSelectionModel* selection = SG->selectionModel();
    const auto selected = [&](int row) { return selection->isRowSelected(row - 1, {}); };
    // Only rows the user sees selected: the unbroken run of them around the current row.
    if (action(QStringLiteral("N14"))->isChecked() || !selected(current))
        return {current, current};
    RowBlock block{current, current};
    while (block.first > 1 && selected(block.first - 1))
        --block.first;
    while (block.last < m_document.store().rowCount() - 1 && selected(block.last + 1))
        ++block.last;
    return block;
}

void TMainForm::selectBlock(RowBlock block) {
    const int offset = currentRow() - block.first;
    SG->selectionModel()->clear();
    setCurrentRow(block.first + std::max(0, offset));
    // Cells are edited one at a time: no block is shown that no command would act on.
    if (action(QStringLiteral("N14"))->isChecked())
        return;
    const QItemSelection selection(m_model->index(block.first - 1, 0),
                                   m_model->index(block.last - 1, kColumnCount - 1));
    SG->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TMainForm::afterLineCommand(int row) {
    refreshLineCount();
    setCurrentRow(row);
    MakeLineDescr();
}

void TMainForm::N19Click() {
    afterLineCommand(AppendLine(m_document.store()));
}

void TMainForm::N22Click() {
    const int row = currentRow();
    InsertLine(m_document.store(), row);
    afterLineCommand(row);
}

void TMainForm::N20Click() {
    afterLineCommand(DeleteLines(m_document.store(), selectedBlock()));
}

void TMainForm::N24Click() {
    CopyTextToGender(m_document.store(), currentRow());
    MakeLineDescr();
}

void TMainForm::N25Click() {
    CopyGenderToText(m_document.store(), currentRow());
    MakeLineDescr();
}

void TMainForm::NupClick() {
    RowBlock block = selectedBlock();
    const int offset = currentRow() - block.first;
    if (MoveLinesUp(m_document.store(), block)) {
        setCurrentRow(block.first + offset);
        selectBlock(block);
    }
}

void TMainForm::NdnClick() {
    RowBlock block = selectedBlock();
    const int offset = currentRow() - block.first;
    if (MoveLinesDown(m_document.store(), block)) {
        setCurrentRow(block.first + offset);
        selectBlock(block);
    }
}

void TMainForm::N14Click() {
    const bool editing = action(QStringLiteral("N14"))->isChecked();
    // An open cell editor keeps what was typed into it, then goes.
    if (!editing)
        SG->finishEditing();
    m_model->setEditable(editing);
    SG->setSelectionBehavior(editing ? QAbstractItemView::SelectItems
                                     : QAbstractItemView::SelectRows);
    SG->setSelectionMode(editing ? QAbstractItemView::SingleSelection
                                 : QAbstractItemView::ContiguousSelection);
    SG->setEditTriggers(editing
                            ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed
                            : QAbstractItemView::NoEditTriggers);
    for (const char* name : kRowSelectionItems) {
        if (QAction* item = action(QString::fromLatin1(name)))
            item->setEnabled(!editing);
    }
    // What is shown selected is what a command acts on: the current cell while editing,
    // the current row after.
    SG->selectionModel()->select(SG->currentIndex(), editing ? QItemSelectionModel::ClearAndSelect
                                                             : QItemSelectionModel::ClearAndSelect |
                                                                   QItemSelectionModel::Rows);
}

void TMainForm::createUndoCommands() {
    m_history = std::make_unique<UndoHistory>(m_document.store(), m_undoStack);
    m_history->readCursor = [this] {
        CursorState state{currentRow(), std::max(0, SG->currentIndex().column()), 0, 0};
        const QModelIndexList rows = SG->selectionModel()->selectedRows();
        if (!rows.isEmpty()) {
            const RowBlock block = selectedBlock();
            state.firstSelected = block.first;
            state.lastSelected = block.last;
        }
        return state;
    };
    m_history->restoreCursor = [this](const CursorState& state) {
        SG->setCurrentIndex(m_model->index(
            std::clamp(state.row, 1, m_document.store().rowCount() - 1) - 1, state.column));
        if (state.firstSelected > 0)
            selectBlock({state.firstSelected, state.lastSelected});
        refreshLineCount();
        MakeLineDescr();
    };
    m_history->cellEditName = [this] {
        return FromCp1251(m_context.tables.editMenu[kStepEditCell]);
    };
    m_history->lonelyChangeName = [this] {
        return FromCp1251(m_context.tables.editMenu[kStepChangeLines]);
    };

    QMenu* editing = m_menus.at(QStringLiteral("N10"));
    QAction* first = editing->actions().value(0);
    const std::pair<const char*, QList<QKeySequence>> commands[] = {
        {"Undo1", {QKeySequence(QStringLiteral("Ctrl+Z"))}},
        {"Redo1",
         {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}},
    };
    for (const auto& [name, keys] : commands) {
        auto* item = new QAction(this);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcuts(keys);
        item->setEnabled(false);
        editing->insertAction(first, item);
        m_actions[item->objectName()] = item;
    }
    editing->insertSeparator(first);
    QAction* undo = action(QStringLiteral("Undo1"));
    QAction* redo = action(QStringLiteral("Redo1"));
    undo->setIcon(
        QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    redo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                   style()->standardIcon(QStyle::SP_ArrowForward)));
    QAction* buffers = ToolBar1->actions().value(ToolBar1->actions().size() - 5);
    const std::pair<const char*, QAction*> buttons[] = {{"UndoButton", undo}, {"RedoButton", redo}};
    for (const auto& [name, item] : buttons) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(item);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        ToolBar1->insertWidget(buffers, button);
    }
    ToolBar1->insertSeparator(buffers);

    connect(undo, &QAction::triggered, this, &TMainForm::UndoClick);
    connect(redo, &QAction::triggered, this, &TMainForm::RedoClick);
    connect(&m_undoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&m_undoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&m_undoStack, &QUndoStack::indexChanged, this, &TMainForm::updateUndoCaptions);
}

std::unique_ptr<UndoStep> TMainForm::undoStep(int entry) {
    return std::make_unique<HistoryStep>(*m_history, FromCp1251(m_context.tables.editMenu[entry]));
}

void TMainForm::updateUndoCaptions() {
    const std::pair<const char*, QString> captions[] = {
        {"Undo1",
         FromCp1251(m_context.tables.editMenu[kUndo]) + QLatin1Char(' ') + m_undoStack.undoText()},
        {"Redo1",
         FromCp1251(m_context.tables.editMenu[kRedo]) + QLatin1Char(' ') + m_undoStack.redoText()},
    };
    for (const auto& [name, caption] : captions) {
        action(QString::fromLatin1(name))->setText(caption.trimmed());
        action(QString::fromLatin1(name))->setToolTip(caption.trimmed());
    }
}

void TMainForm::forgetHistory() {
    const bool modified = m_document.isModified();
    m_undoStack.clear();
    m_undoStack.setClean();
    m_document.setModified(modified);
    updateUndoCaptions();
}

void TMainForm::UndoClick() {
    if (!m_undoStack.canUndo())
        return;
    m_undoStack.undo();
    // Back at the state of the last save or load, nothing is left to lose.
    m_document.setModified(!m_undoStack.isClean());
}

void TMainForm::RedoClick() {
    if (!m_undoStack.canRedo())
        return;
    m_undoStack.redo();
    m_document.setModified(!m_undoStack.isClean());
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    SG->setFocus();
    // The language is read here, once every window exists, since it captions them all.
    if (loadLanguage() && onFirstShown)
        onFirstShown();
    announceLoadNotes(); // again, now in the language just read
    // Asked once the window shows, in the language just read.
    offerRecovery(m_document.fileName());
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
        reportIoError(error);
    }
    if (Alarm()) {
        discardRecovery();
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && onActivated)
        onActivated();
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
