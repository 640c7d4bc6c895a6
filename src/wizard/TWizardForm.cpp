#include "TWizardForm.h"

#include "ui/Cp1251.h"
#include "ui/Prompter.h"

#include "lang/LanguageLoader.h"
#include "lang/LanguageTables.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dolmex {

namespace {

constexpr int kUnencodableEntry = md::kUnencodable;
// Buttons per row of the test and result tool bars, which wrap onto two rows.
constexpr int kToolBarRows = 2;

// The key codes the model's handlers take.
int VirtualKey(int qtKey) {
    using namespace wizard_key;
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_PageUp:
        return kPageUp;
    case Qt::Key_PageDown:
        return kPageDown;
    case Qt::Key_End:
        return kEnd;
    case Qt::Key_Home:
        return kHome;
    case Qt::Key_Left:
        return kLeft;
    case Qt::Key_Up:
        return kUp;
    case Qt::Key_Right:
        return kRight;
    case Qt::Key_Down:
        return kDown;
    case Qt::Key_Delete:
        return kDelete;
    default:
        return 0;
    }
}

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Whether menu entry `entry` lies somewhere under `menu`.
bool IsUnder(const MenuEntry& entry, std::string_view menu) {
    for (std::string_view parent = entry.parent; !parent.empty();) {
        if (parent == menu)
            return true;
        const MenuEntry* up = FindMenuEntry(parent);
        if (!up)
            return false;
        parent = up->parent;
    }
    return false;
}

// A tool button's face: the operation code that its menu (or the button itself) inserts
// first, so the bar reads in the codes of the dialog file whatever the language. The
// language file gives the hints only.
QString ButtonFace(const ToolBarButton& button) {
    if (button.skillOpener()) {
        // Two openers of one code on a bar differ by the sign of the value they insert.
        bool twin = false;
        for (const ToolBarButton& other : ToolBarButtons()) {
            twin = twin || (&other != &button && other.bar == button.bar &&
                            other.pendingCode == button.pendingCode);
        }
        if (!twin)
            return Latin(button.pendingCode);
        const bool atMost = !button.pendingValue.empty() && button.pendingValue.front() == '-';
        return Latin(button.pendingCode) + (atMost ? QStringLiteral("-") : QStringLiteral("+"));
    }
    if (button.menu.empty()) {
        const MenuEntry* entry = FindMenuEntry(button.name);
        return entry ? Latin(entry->code) : QString();
    }
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.kind == MenuEntryKind::Insert && IsUnder(entry, button.menu))
            return Latin(entry.code);
    }
    return {};
}

QStringList Rows(const std::vector<std::string>& rows, int atLeast = 0) {
    QStringList list;
    for (const std::string& row : rows)
        list << FromCp1251(row);
    while (list.size() < atLeast)
        list << QString();
    return list;
}

void PaintEdit(QLineEdit* edit, const TextBox& box) {
    const QString text = FromCp1251(box.text);
    // The limit holds back what the user types, never what the line already holds: a
    // longer loaded argument is shown whole, and its next edit stores it whole.
    const int limit = box.maxLength > 0 ? box.maxLength : 32767;
    edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    if (edit->text() != text)
        edit->setText(text);
    edit->setVisible(box.visible);
    edit->setEnabled(box.enabled);
    if (box.allSelected)
        edit->selectAll();
}

void PaintChoice(QComboBox* combo, const ChoiceList& list, int atLeast = 0) {
    const QStringList rows = Rows(list.rows, atLeast);
    bool same = combo->count() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = combo->itemText(i) == rows[i];
    if (!same) {
        combo->clear();
        combo->addItems(rows);
    }
    combo->setCurrentIndex(list.index < combo->count() ? list.index : -1);
    combo->setVisible(list.visible);
    combo->setEnabled(list.enabled);
}

void PaintList(QListWidget* view, const OperationList& list) {
    const QStringList rows = Rows(list.rows);
    bool same = view->count() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = view->item(i)->text() == rows[i];
    if (!same) {
        view->clear();
        view->addItems(rows);
    }
    if (list.index >= 0 && list.index < view->count()) {
        view->setCurrentRow(list.index);
        view->scrollToItem(view->item(list.index));
    } else {
        view->setCurrentRow(-1);
        view->clearSelection();
    }
}

void PaintButton(QAbstractButton* widget, const Button& button) {
    if (widget->isCheckable())
        widget->setChecked(button.down);
    widget->setVisible(button.visible);
    widget->setEnabled(button.enabled);
}

// Whether Left and Right that reach the window while `focus` holds the keyboard are the
// window's line change: only when nothing but the window holds it, or a plain button, which
// has no use for them. Every other control moves or chooses with them (text boxes,
// drop-down lists, lists, the grid, the track bar, the kind radio buttons).
bool LeavesArrowsToWindow(const QWidget* focus, const QWidget* window) {
    return !focus || focus == window || qobject_cast<const QPushButton*>(focus) ||
           qobject_cast<const QToolButton*>(focus);
}

// Buttons act on a click and never hold the keyboard, so Left and Right stay the window's.
QPushButton* PlainButton(const char* name, QWidget* parent) {
    auto* button = Named(new QPushButton(parent), name);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

// Asks for the whole size of its contents, as the window did without it, instead of a
// size capped at a few dozen lines of text.
class WholeScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

QLineEdit* Box(const char* name, QWidget* parent, int characters = 0) {
    auto* edit = Named(new QLineEdit(parent), name);
    if (characters > 0) {
        const QFontMetrics metrics(edit->font());
        edit->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * (characters + 2) + 12);
    }
    return edit;
}

QComboBox* Choice(const char* name, QWidget* parent) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumContentsLength(6);
    return combo;
}

} // namespace

TWizardForm::TWizardForm(const LanguageTables& tables, Document& document, Prompter& prompter,
                         const std::vector<CaptionAssignment>& captions, WizardHost* host,
                         QWidget* parent)
    : QDialog(parent), m_tables(tables), m_prompter(prompter), m_captions(captions), m_host(host),
      m_model(tables, document, this) {
    setObjectName(QStringLiteral("TWizardForm"));
    setModal(true);
    // The window itself holds the keyboard until a control is clicked: Left and Right then
    // move through the lines at once.
    setFocusPolicy(Qt::StrongFocus);
    showModal = [](TWizardForm& form) { form.exec(); };
    createControls();
    createMenus();
    connectControls();
    // Not the scroll area's own bars: it scrolls by their signals.
    for (QWidget* widget : m_body->findChildren<QWidget*>())
        m_widgets.push_back(widget);
    for (QMenu* menu : findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        m_widgets.push_back(menu);
    paintGrid();
    paintFromModel();
}

TWizardForm::~TWizardForm() = default;

// --- Building the window -------------------------------------------------------------------

void TWizardForm::createControls() {
    auto* top = new QHBoxLayout;
    top->addWidget(createLineKind());
    top->addStretch(1);
    top->addWidget(createApplyButtons(), 0, Qt::AlignBottom);

    auto* editors = new QHBoxLayout;
    editors->addWidget(createTestEditor(), 1);
    editors->addWidget(createResultEditor(), 1);

    SG = Named(new QTableWidget(1, kColumnCount, this), "SG");
    QStringList titles;
    for (const char* title : kWizardColumnTitles)
        titles << QString::fromLatin1(title);
    titles << QString();
    SG->setHorizontalHeaderLabels(titles);
    SG->verticalHeader()->hide();
    SG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    SG->horizontalHeader()->setSectionResizeMode(ColText, QHeaderView::Stretch);
    SG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SG->setWordWrap(false);
    SG->setFixedHeight(SG->horizontalHeader()->sizeHint().height() + SG->rowHeight(0) +
                       2 * SG->frameWidth());

    // The controls scroll only on a screen too small for them (see fitIntoScreen).
    m_body = new QWidget;
    auto* layout = new QVBoxLayout(m_body);
    layout->addLayout(top);
    layout->addWidget(createTexts());
    layout->addLayout(editors, 1);
    layout->addWidget(SG);
    auto* scroll = new WholeScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_body);
    // A click beside the controls gives the keyboard back to the window, not to the area.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

QWidget* TWizardForm::createLineKind() {
    GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
    PCRB = Named(new QRadioButton(GroupBox1), "PCRB");
    NPCRB = Named(new QRadioButton(GroupBox1), "NPCRB");
    // Reached by Tab only: a click leaves the keyboard where it was, so a following Left or
    // Right moves through the lines instead of switching the kind, which wipes the texts.
    PCRB->setFocusPolicy(Qt::TabFocus);
    NPCRB->setFocusPolicy(Qt::TabFocus);
    auto* layout = new QHBoxLayout(GroupBox1);
    layout->addWidget(PCRB);
    layout->addWidget(NPCRB);
    return GroupBox1;
}

QWidget* TWizardForm::createApplyButtons() {
    struct ButtonEntry {
        const char* name;
        const char* themeIcon;
        QStyle::StandardPixmap fallback;
    };
    // In the order of their hints in the language file.
    const ButtonEntry entries[] = {
        {"SpeedButton4", "go-previous", QStyle::SP_ArrowLeft},
        {"SpeedButton7", "edit-undo", QStyle::SP_BrowserReload},
        {"SpeedButton6", "dialog-ok-apply", QStyle::SP_DialogApplyButton},
        {"SpeedButton2", "go-next", QStyle::SP_ArrowRight},
        {"SpeedButton5", "dialog-ok", QStyle::SP_DialogOkButton},
    };
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const ButtonEntry& entry : entries) {
        QPushButton* button = PlainButton(entry.name, bar);
        button->setIcon(QIcon::fromTheme(QString::fromLatin1(entry.themeIcon),
                                         style()->standardIcon(entry.fallback)));
        layout->addWidget(button);
    }
    return bar;
}

QWidget* TWizardForm::createTexts() {
    GroupBox3 = Named(new QGroupBox(this), "GroupBox3");
    auto* grid = new QGridLayout(GroupBox3);
    grid->setColumnStretch(1, 1);

    // One row per text: its kind list, then the text box, which so starts right of the list
    // when the list is shown and at the left edge otherwise.
    const auto textRow = [&](int row, const char* label, QLabel*& labelWidget, QComboBox*& kinds,
                             const char* kindsName, QPushButton*& params, const char* paramsName,
                             QLineEdit*& edit, const char* editName, QPushButton*& copy,
                             const char* copyName, QStyle::StandardPixmap copyIcon,
                             QPushButton*& toggle, const char* toggleName) {
        labelWidget = Named(new QLabel(GroupBox3), label);
        auto* line = new QHBoxLayout;
        kinds = Choice(kindsName, GroupBox3);
        kinds->setMinimumContentsLength(16);
        params = PlainButton(paramsName, GroupBox3);
        edit = Box(editName, GroupBox3);
        copy = PlainButton(copyName, GroupBox3);
        copy->setIcon(style()->standardIcon(copyIcon));
        toggle = PlainButton(toggleName, GroupBox3);
        toggle->setCheckable(true);
        line->addWidget(kinds);
        line->addWidget(params);
        line->addWidget(edit, 1);
        line->addStretch(0); // takes the room of a hidden text box
        line->addWidget(copy);
        line->addWidget(toggle);
        grid->addWidget(labelWidget, row, 0);
        grid->addLayout(line, row, 1);
    };
    QLabel* label6 = nullptr;
    textRow(0, "Label6", label6, CBL1, "CBL1", DiaParamsBtn1, "DiaParamsBtn1", LineEdit1,
            "LineEdit1", CopyLine21Btn, "CopyLine21Btn", QStyle::SP_ArrowUp, DiaBtn1, "DiaBtn1");
    textRow(1, "Label5", Label5, CBL2, "CBL2", DiaParamsBtn2, "DiaParamsBtn2", LineEdit2,
            "LineEdit2", CopyLine12Btn, "CopyLine12Btn", QStyle::SP_ArrowDown, DiaBtn2, "DiaBtn2");

    // Gender and intelligence, player lines only.
    Label1 = Named(new QLabel(GroupBox3), "Label1");
    GenderBox = Choice("GenderBox", GroupBox3);
    Label2 = Named(new QLabel(GroupBox3), "Label2");
    IntBtn = PlainButton("IntBtn", GroupBox3);
    IntEdit = Box("IntEdit", GroupBox3, 2);
    IntTrack = Named(new QSlider(Qt::Horizontal, GroupBox3), "IntTrack");
    IntTrack->setRange(TrackBar::kMin, TrackBar::kMax);
    IntTrack->setSingleStep(1);
    IntTrack->setPageStep(1);
    IntTrack->setTickPosition(QSlider::TicksAbove);
    IntTrack->setTickInterval(1);

    // The three preset zones under the track bar, as wide as the values they stand for:
    // 1 to 4, 5 to 15, 16 to 20.
    const auto zone = [&](const char* name, const QColor& colour) {
        auto* shape = Named(new QFrame(GroupBox3), name);
        shape->setFixedHeight(6);
        shape->setAutoFillBackground(true);
        QPalette palette = shape->palette();
        palette.setColor(QPalette::Window, colour);
        shape->setPalette(palette);
        shape->setCursor(Qt::PointingHandCursor);
        shape->installEventFilter(this);
        return shape;
    };
    Shape1 = zone("Shape1", QColor(200, 0, 0));
    Shape2 = zone("Shape2", QColor(0, 160, 0));
    Shape3 = zone("Shape3", QColor(140, 230, 140));
    auto* zones = new QHBoxLayout;
    zones->setSpacing(0);
    zones->addWidget(Shape1, 4);
    zones->addWidget(Shape2, 11);
    zones->addWidget(Shape3, 5);
    Label3 = Named(new QLabel(GroupBox3), "Label3");
    Label3->setAlignment(Qt::AlignHCenter);
    auto* track = new QVBoxLayout;
    track->setSpacing(1);
    track->addWidget(IntTrack);
    track->addLayout(zones);
    track->addWidget(Label3);

    auto* player = new QHBoxLayout;
    player->addWidget(GenderBox);
    player->addSpacing(16);
    player->addWidget(Label2);
    player->addWidget(IntBtn);
    player->addWidget(IntEdit);
    player->addLayout(track, 1);
    grid->addWidget(Label1, 2, 0);
    grid->addLayout(player, 2, 1);
    return GroupBox3;
}

QWidget* TWizardForm::createToolBar(OpList bar, const char* name) {
    auto* toolBar = Named(new QWidget(this), name);
    auto* grid = new QGridLayout(toolBar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    std::vector<const ToolBarButton*> buttons;
    for (const ToolBarButton& button : ToolBarButtons()) {
        if (button.bar == bar)
            buttons.push_back(&button);
    }
    const int columns = static_cast<int>((buttons.size() + kToolBarRows - 1) / kToolBarRows);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolBarButton& entry = *buttons[i];
        auto* button = new QToolButton(toolBar);
        button->setObjectName(Latin(entry.name));
        button->setText(ButtonFace(entry));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        if (entry.skillOpener())
            button->installEventFilter(this); // sets the pending fields before the menu drops
        grid->addWidget(button, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    }
    return toolBar;
}

QWidget* TWizardForm::createTestEditor() {
    GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
    auto* layout = new QVBoxLayout(GroupBox2);
    layout->addWidget(createToolBar(OpList::Tests, "ToolBar2"));
    TestList = Named(new QListWidget(GroupBox2), "TestList");
    layout->addWidget(TestList, 1);

    auto* editor = new QHBoxLayout;
    TEdit = Box("TEdit", GroupBox2, 2);
    TNumEdit1 = Box("TNumEdit1", GroupBox2, 6);
    TCB1 = Choice("TCB1", GroupBox2);
    TNumEdit2 = Box("TNumEdit2", GroupBox2, 6);
    TCB2 = Choice("TCB2", GroupBox2);
    editor->addWidget(TEdit);
    editor->addWidget(Named(new QLabel(GroupBox2), "Label7"));
    editor->addWidget(TNumEdit1);
    editor->addWidget(TCB1, 1);
    editor->addWidget(TNumEdit2);
    editor->addWidget(TCB2, 1);
    editor->addStretch(0);
    editor->addWidget(PlainButton("SpeedButton3", GroupBox2));
    editor->addWidget(PlainButton("TDelBtn", GroupBox2));
    layout->addLayout(editor);
    return GroupBox2;
}

QWidget* TWizardForm::createResultEditor() {
    GroupBox4 = Named(new QGroupBox(this), "GroupBox4");
    auto* layout = new QVBoxLayout(GroupBox4);
    layout->addWidget(createToolBar(OpList::Results, "ToolBar1"));
    ResultList = Named(new QListWidget(GroupBox4), "ResultList");
    layout->addWidget(ResultList, 1);

    auto* editor = new QHBoxLayout;
    REdit = Box("REdit", GroupBox4, 2);
    RNumEdit1 = Box("RNumEdit1", GroupBox4, 6);
    RCB1 = Choice("RCB1", GroupBox4);
    RNumEdit2 = Box("RNumEdit2", GroupBox4, 6);
    RCB2 = Choice("RCB2", GroupBox4);
    editor->addWidget(REdit);
    editor->addWidget(Named(new QLabel(GroupBox4), "Label4"));
    editor->addWidget(RNumEdit1);
    editor->addWidget(RCB1, 1);
    editor->addWidget(RNumEdit2);
    editor->addWidget(RCB2, 1);
    editor->addStretch(0);
    editor->addWidget(PlainButton("SpeedButton1", GroupBox4));
    editor->addWidget(PlainButton("RDelBtn", GroupBox4));
    layout->addLayout(editor);

    auto* response = new QHBoxLayout;
    ResLineBox = Choice("ResLineBox", GroupBox4);
    ResLineEdit = Box("ResLineEdit", GroupBox4, 5);
    response->addWidget(Named(new QLabel(GroupBox4), "Label8"));
    response->addWidget(ResLineBox);
    response->addWidget(ResLineEdit);
    response->addStretch(1);
    layout->addLayout(response);
    return GroupBox4;
}

// The menus and their items come from the insertion table, in its order; a submenu is an
// entry that other entries name as their parent.
void TWizardForm::createMenus() {
    const auto menuNamed = [this](std::string_view name) {
        const auto found = m_menus.find(name);
        if (found != m_menus.end())
            return found->second;
        auto* menu = new QMenu(this);
        menu->setObjectName(Latin(name));
        menu->menuAction()->setObjectName(Latin(name));
        m_menus.emplace(std::string(name), menu);
        return menu;
    };
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.parent.empty())
            continue; // a direct tool button
        QMenu* parent = menuNamed(entry.parent);
        if (entry.kind == MenuEntryKind::Submenu) {
            parent->addMenu(menuNamed(entry.name));
            continue;
        }
        QAction* item = parent->addAction(QString());
        item->setObjectName(Latin(entry.name));
        m_items.emplace(std::string(entry.name), item);
        connect(item, &QAction::triggered, this, [this, name = entry.name] {
            forward([this, name] { m_model.MenuItemClick(name); });
            // The new item is loaded into its editor; the list takes the keyboard.
            const WizardFocus focus = m_model.controls().focus;
            if (focus == WizardFocus::TestList)
                TestList->setFocus();
            else if (focus == WizardFocus::ResultList)
                ResultList->setFocus();
        });
    }
    for (const ToolBarButton& entry : ToolBarButtons()) {
        auto* button = findChild<QToolButton*>(Latin(entry.name));
        if (!entry.menu.empty()) {
            button->setMenu(menuNamed(entry.menu));
            button->setPopupMode(QToolButton::InstantPopup);
            continue;
        }
        connect(button, &QToolButton::clicked, this, [this, name = entry.name] {
            forward([this, name] { m_model.MenuItemClick(name); });
            if (m_model.controls().focus == WizardFocus::ResultList)
                ResultList->setFocus();
        });
    }
}

void TWizardForm::connectControls() {
    const auto onClick = [this](QAbstractButton* button, void (WizardModel::*handler)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { forward([this, handler] { (m_model.*handler)(); }); });
    };
    const auto button = [this](const char* name) {
        return findChild<QAbstractButton*>(QString::fromLatin1(name));
    };
    onClick(button("SpeedButton5"), &WizardModel::SpeedButton5Click);
    onClick(button("SpeedButton6"), &WizardModel::SpeedButton6Click);
    onClick(button("SpeedButton7"), &WizardModel::SpeedButton7Click);
    onClick(button("SpeedButton4"), &WizardModel::SpeedButton4Click);
    onClick(button("SpeedButton2"), &WizardModel::SpeedButton2Click);
    onClick(DiaBtn1, &WizardModel::DiaBtn1Click);
    onClick(DiaBtn2, &WizardModel::DiaBtn2Click);
    onClick(CopyLine21Btn, &WizardModel::CopyLine21BtnClick);
    onClick(CopyLine12Btn, &WizardModel::CopyLine12BtnClick);
    onClick(IntBtn, &WizardModel::IntBtnClick);
    onClick(button("SpeedButton3"), &WizardModel::SpeedButton3Click);
    onClick(button("TDelBtn"), &WizardModel::TDelBtnClick);
    onClick(button("SpeedButton1"), &WizardModel::SpeedButton1Click);
    onClick(button("RDelBtn"), &WizardModel::RDelBtnClick);
    connect(PCRB, &QRadioButton::clicked, this,
            [this] { forward([this] { m_model.PCRBClick(true); }); });
    connect(NPCRB, &QRadioButton::clicked, this,
            [this] { forward([this] { m_model.PCRBClick(false); }); });

    const std::pair<QLineEdit*, EditBox> edits[] = {
        {LineEdit1, EditBox::LineEdit1}, {LineEdit2, EditBox::LineEdit2},
        {IntEdit, EditBox::IntEdit},     {TEdit, EditBox::TEdit},
        {TNumEdit1, EditBox::TNumEdit1}, {TNumEdit2, EditBox::TNumEdit2},
        {REdit, EditBox::REdit},         {RNumEdit1, EditBox::RNumEdit1},
        {RNumEdit2, EditBox::RNumEdit2}, {ResLineEdit, EditBox::ResLineEdit},
    };
    for (const auto& [edit, box] : edits) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, edit = edit, box = box](const QString& text) { typed(box, edit, text); });
        edit->installEventFilter(this);
    }

    const std::pair<QComboBox*, ChoiceBox> choices[] = {
        {CBL1, ChoiceBox::CBL1},           {CBL2, ChoiceBox::CBL2},
        {GenderBox, ChoiceBox::GenderBox}, {TCB1, ChoiceBox::TCB1},
        {TCB2, ChoiceBox::TCB2},           {RCB1, ChoiceBox::RCB1},
        {RCB2, ChoiceBox::RCB2},           {ResLineBox, ChoiceBox::ResLineBox},
    };
    for (const auto& [combo, box] : choices) {
        connect(combo, &QComboBox::activated, this, [this, box = box](int index) {
            forward([this, box, index] { m_model.chooseRow(box, index); });
        });
    }

    const std::pair<QListWidget*, ItemListBox> lists[] = {{TestList, ItemListBox::TestList},
                                                          {ResultList, ItemListBox::ResultList}};
    for (const auto& [view, box] : lists) {
        connect(view, &QListWidget::currentRowChanged, this, [this, box = box](int row) {
            forward([this, box, row] { m_model.selectRow(box, row); });
        });
        connect(view, &QListWidget::itemClicked, this, [this, view = view, box = box] {
            forward([this, view, box] {
                m_model.selectRow(box, view->currentRow());
                if (box == ItemListBox::TestList)
                    m_model.TestListClick();
                else
                    m_model.ResultListClick();
            });
        });
        view->installEventFilter(this);
    }

    connect(IntTrack, &QSlider::valueChanged, this,
            [this](int position) { forward([this, position] { m_model.moveTrack(position); }); });
    IntTrack->installEventFilter(this);
    PCRB->installEventFilter(this);
    NPCRB->installEventFilter(this);

    connect(SG, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_painting)
            return;
        const std::optional<std::string> bytes = CellBytes(item->text());
        if (!bytes) {
            const QChar refused = FirstUnstorable(item->text());
            paintGrid();
            // Warned once the cell editor has closed: a box opened while it commits takes
            // its focus, which closes and deletes the editor under the commit.
            QMetaObject::invokeMethod(
                this, [this, refused] { warnUnstorable(refused); }, Qt::QueuedConnection);
            return;
        }
        forward([this, column = item->column(), text = *bytes] {
            m_model.SGSetEditText(column, text);
        });
    });
    SG->installEventFilter(this);
}

// --- Events ---------------------------------------------------------------------------------

void TWizardForm::forward(const std::function<void()>& call) {
    if (m_painting)
        return;
    call();
    paintFromModel();
}

void TWizardForm::typed(EditBox box, QLineEdit* edit, const QString& text) {
    if (m_painting)
        return;
    const std::optional<std::string> bytes = CellBytes(text);
    if (!bytes) {
        const int cursor = edit->cursorPosition();
        paintFromModel(); // takes the keystroke or the paste back out of the box
        const int added = static_cast<int>(text.size() - edit->text().size());
        edit->setCursorPosition(std::max(0, cursor - std::max(1, added)));
        warnUnstorable(FirstUnstorable(text));
        return;
    }
    forward([this, box, &bytes] { m_model.typeText(box, *bytes); });
}

void TWizardForm::warnUnstorable(QChar character) {
    m_prompter.warn(QStringLiteral("Warning"),
                    UnstorableWarning(m_tables.mainDescription[kUnencodableEntry], character));
}

void TWizardForm::openRow(int row) {
    m_model.open(row);
    showModal(*this);
}

void TWizardForm::wizardApplied(int row) {
    if (m_host)
        m_host->wizardApplied(row);
}

void TWizardForm::wizardCloseRequested() {
    accept();
    if (m_host)
        m_host->wizardCloseRequested();
}

void TWizardForm::wizardCommandBegins() {
    if (m_host)
        m_host->wizardCommandBegins();
}

void TWizardForm::wizardCommandEnds() {
    if (m_host)
        m_host->wizardCommandEnds();
}

void TWizardForm::languageLoaded() {
    m_model.applyLanguage(m_captions);
    applyCaptions();
    paintFromModel();
    if (isVisible())
        fitIntoScreen(); // the new captions may need more room
}

void TWizardForm::FormActivate() {
    m_model.FormActivate();
    applyCaptions();
    paintFromModel();
}

void TWizardForm::fitIntoScreen() {
    const QScreen* shown = screen();
    if (!shown)
        return;
    const QRect area = shown->availableGeometry();
    const QSize decoration = frameGeometry().size() - size();
    const QSize room = area.size() - decoration;
    // Never smaller than the controls need, unless the screen is: then they scroll.
    setMinimumSize(m_body->minimumSizeHint().boundedTo(room));
    resize(size().boundedTo(room));
    const QRect frame = frameGeometry();
    const int left =
        std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1));
    move(left, top);
}

void TWizardForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitIntoScreen();
    m_leftActive = false;
    m_model.applyLanguage(m_captions);
    FormActivate();
    setFocus();
}

void TWizardForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible())
        return;
    if (!isActiveWindow()) {
        m_leftActive = true;
    } else if (m_leftActive) {
        m_leftActive = false;
        FormActivate();
    }
}

void TWizardForm::keyPressEvent(QKeyEvent* event) {
    // Enter belongs to the item editors (on release); it must not close the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWizardForm::keyReleaseEvent(QKeyEvent* event) {
    const int key = VirtualKey(event->key());
    // A key held down repeats its release; the line changes once per release of the key.
    if ((key == wizard_key::kLeft || key == wizard_key::kRight) && !event->isAutoRepeat() &&
        LeavesArrowsToWindow(QApplication::focusWidget(), this)) {
        forward([this, key] { m_model.FormKeyUp(key); });
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

bool TWizardForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Shape1)
            forward([this] { m_model.Shape1MouseUp(); });
        else if (watched == Shape2)
            forward([this] { m_model.Shape2MouseUp(); });
        else if (watched == Shape3)
            forward([this] { m_model.Shape3MouseUp(); });
    } else if (event->type() == QEvent::MouseButtonPress) {
        if (auto* button = qobject_cast<QToolButton*>(watched)) {
            const std::string name = button->objectName().toStdString();
            forward([this, &name] { m_model.ToolButtonMouseDown(name); });
        }
    } else if (event->type() == QEvent::KeyRelease) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = VirtualKey(keyEvent->key());
        if (watched == TestList || watched == ResultList) {
            const bool tests = watched == TestList;
            auto* view = static_cast<QListWidget*>(watched);
            forward([this, tests, view, key] {
                m_model.selectRow(tests ? ItemListBox::TestList : ItemListBox::ResultList,
                                  view->currentRow());
                if (tests)
                    m_model.TestListKeyUp(key);
                else
                    m_model.ResultListKeyUp(key);
            });
        } else if (watched == TEdit || watched == TNumEdit1 || watched == TNumEdit2) {
            forward([this, key] { m_model.TEditKeyUp(key); });
        } else if (watched == REdit || watched == RNumEdit1 || watched == RNumEdit2) {
            forward([this, key] { m_model.REditKeyUp(key); });
        }
        // Text boxes, lists, the grid, the track bar and the kind radio buttons use Left and
        // Right themselves: those keys are not the window's line change.
        if (key == wizard_key::kLeft || key == wizard_key::kRight)
            return true;
    } else if (event->type() == QEvent::KeyPress && (watched == PCRB || watched == NPCRB)) {
        // An arrow would move to the other kind and click it, which wipes the line's texts:
        // the kind changes by a click or Space only.
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Painting -------------------------------------------------------------------------------

void TWizardForm::applyCaptions() {
    setWindowTitle(FromCp1251(m_model.caption("TWizardForm")));
    for (QWidget* widget : m_widgets) {
        const std::string name = widget->objectName().toStdString();
        if (name.empty() || widget == IntBtn)
            continue;
        const std::string& caption = m_model.caption(name);
        if (!caption.empty()) {
            const QString text = FromCp1251(caption);
            if (auto* box = qobject_cast<QGroupBox*>(widget))
                box->setTitle(text);
            else if (auto* label = qobject_cast<QLabel*>(widget))
                label->setText(text);
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setText(text);
        }
        const std::string& hint = m_model.hint(name);
        if (!hint.empty())
            widget->setToolTip(FromCp1251(hint));
    }
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.parent.empty())
            continue;
        const QString text = FromCp1251(m_model.caption(entry.name));
        if (entry.kind == MenuEntryKind::Submenu)
            m_menus.at(std::string(entry.name))->setTitle(text);
        else
            m_items.at(std::string(entry.name))->setText(text);
    }
}

void TWizardForm::paintGrid() {
    const bool painting = m_painting;
    m_painting = true;
    const DialogLine& row = m_model.workingRow();
    for (int column = 0; column < kColumnCount; ++column) {
        const QString text = FromCp1251(row[static_cast<std::size_t>(column)]);
        QTableWidgetItem* item = SG->item(0, column);
        if (!item)
            SG->setItem(0, column, new QTableWidgetItem(text));
        else if (item->text() != text)
            item->setText(text);
    }
    m_painting = painting;
}

void TWizardForm::paintFromModel() {
    m_painting = true;
    {
        std::vector<QSignalBlocker> blockers;
        blockers.reserve(m_widgets.size());
        for (QWidget* widget : m_widgets)
            blockers.emplace_back(widget);

        const WizardControls& c = m_model.controls();
        PaintButton(PCRB, c.PCRB);
        PaintButton(NPCRB, c.NPCRB);

        PaintEdit(LineEdit1, c.LineEdit1);
        PaintEdit(LineEdit2, c.LineEdit2);
        PaintButton(DiaBtn1, c.DiaBtn1);
        PaintButton(DiaBtn2, c.DiaBtn2);
        PaintChoice(CBL1, c.CBL1);
        PaintChoice(CBL2, c.CBL2);
        PaintButton(DiaParamsBtn1, c.DiaParamsBtn1);
        PaintButton(DiaParamsBtn2, c.DiaParamsBtn2);
        PaintButton(CopyLine21Btn, c.CopyLine21Btn);
        PaintButton(CopyLine12Btn, c.CopyLine12Btn);
        // The other-gender label goes with its row, which player lines do not have.
        Label5->setVisible(c.DiaBtn2.visible);

        PaintChoice(GenderBox, c.GenderBox, 3);
        PaintButton(IntBtn, c.IntBtn);
        IntBtn->setText(QString::fromLatin1(c.IntBtn.caption));
        PaintEdit(IntEdit, c.IntEdit);
        IntTrack->setValue(c.IntTrack.position);
        IntTrack->setVisible(c.IntTrack.visible);
        Shape1->setVisible(c.Shape1.visible);
        Shape2->setVisible(c.Shape2.visible);
        Shape3->setVisible(c.Shape3.visible);
        Label1->setVisible(c.Label1.visible);
        Label2->setVisible(c.Label2.visible);
        Label3->setVisible(c.Label3.visible);

        PaintList(TestList, c.TestList);
        PaintEdit(TEdit, c.TEdit);
        PaintEdit(TNumEdit1, c.TNumEdit1);
        PaintChoice(TCB1, c.TCB1);
        PaintEdit(TNumEdit2, c.TNumEdit2);
        PaintChoice(TCB2, c.TCB2);

        PaintList(ResultList, c.ResultList);
        PaintEdit(REdit, c.REdit);
        PaintEdit(RNumEdit1, c.RNumEdit1);
        PaintChoice(RCB1, c.RCB1);
        PaintEdit(RNumEdit2, c.RNumEdit2);
        PaintChoice(RCB2, c.RCB2);
        PaintChoice(ResLineBox, c.ResLineBox, 4);
        PaintEdit(ResLineEdit, c.ResLineEdit);

        paintGrid();
    }
    m_painting = false;
}

} // namespace dolmex
