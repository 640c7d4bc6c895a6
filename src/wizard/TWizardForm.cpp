#include "TWizardForm.h"

#include "ui_TWizardForm.h"

#include "ui/Cp1251.h"

#include "lang/LanguageLoader.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dolmex {

namespace {

// Buttons per row of the test and result tool bars, which wrap onto two rows.
constexpr int kToolBarRows = 2;

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

// Icons come from the desktop's theme where it has them, else from the style.
struct ButtonIcon {
    const char* name;
    const char* themeIcon; // null: the style's icon only
    QStyle::StandardPixmap fallback;
};
constexpr ButtonIcon kButtonIcons[] = {
    {"SpeedButton4", "go-previous", QStyle::SP_ArrowLeft},
    {"SpeedButton7", "edit-undo", QStyle::SP_BrowserReload},
    {"SpeedButton6", "dialog-ok-apply", QStyle::SP_DialogApplyButton},
    {"SpeedButton2", "go-next", QStyle::SP_ArrowRight},
    {"SpeedButton5", "dialog-ok", QStyle::SP_DialogOkButton},
    {"CopyLine21Btn", nullptr, QStyle::SP_ArrowUp},
    {"CopyLine12Btn", nullptr, QStyle::SP_ArrowDown},
};

} // namespace

TWizardForm::TWizardForm(const LanguageTables& tables, EditSession& session, Prompter& prompter,
                         const std::vector<CaptionAssignment>& captions, WizardHost* host,
                         QWidget* parent)
    : QDialog(parent), m_tables(tables), m_prompter(prompter), m_captions(captions), m_host(host),
      m_model(tables, session, this), m_ui(std::make_unique<Ui::WizardBody>()) {
    setObjectName(QStringLiteral("TWizardForm"));
    setModal(true);
    // The window itself holds the keyboard until a control is clicked: Left and Right then
    // move through the lines at once.
    setFocusPolicy(Qt::StrongFocus);
    showModal = [](TWizardForm& form) { form.exec(); };
    createControls();
    createMenus();
    bindControls();
    connectGrid();
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
    m_body = new QWidget;
    m_ui->setupUi(m_body);
    completeControls();
    createGrid();
    createToolBar(OpList::Tests, m_ui->ToolBar2);
    createToolBar(OpList::Results, m_ui->ToolBar1);

    // The controls scroll only on a screen too small for them (see fitIntoScreen). The body
    // goes in complete: the area takes its size now.
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

void TWizardForm::completeControls() {
    for (const ButtonIcon& entry : kButtonIcons) {
        const QIcon icon = style()->standardIcon(entry.fallback);
        m_body->findChild<QPushButton*>(QString::fromLatin1(entry.name))
            ->setIcon(entry.themeIcon ? QIcon::fromTheme(QString::fromLatin1(entry.themeIcon), icon)
                                      : icon);
    }
    // Text boxes for numbers and codes are as wide as their "digits" in this font.
    for (QLineEdit* edit : m_body->findChildren<QLineEdit*>()) {
        const int digits = edit->property("digits").toInt();
        if (digits > 0) {
            const QFontMetrics metrics(edit->font());
            edit->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * (digits + 2) + 12);
        }
    }
}

void TWizardForm::createGrid() {
    QTableWidget* grid = m_ui->SG;
    grid->setRowCount(1);
    grid->setColumnCount(kColumnCount);
    QStringList titles;
    for (const char* title : kWizardColumnTitles)
        titles << QString::fromLatin1(title);
    titles << QString();
    grid->setHorizontalHeaderLabels(titles);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setSectionResizeMode(ColText, QHeaderView::Stretch);
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height() + grid->rowHeight(0) +
                         2 * grid->frameWidth());
}

// The buttons of a tool bar come from the insertion table, in its order.
void TWizardForm::createToolBar(OpList bar, QWidget* toolBar) {
    auto* grid = static_cast<QGridLayout*>(toolBar->layout());
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
                m_ui->TestList->setFocus();
            else if (focus == WizardFocus::ResultList)
                m_ui->ResultList->setFocus();
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
                m_ui->ResultList->setFocus();
        });
    }
}

// --- Opening and the host -------------------------------------------------------------------

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

// --- The grid -------------------------------------------------------------------------------

void TWizardForm::connectGrid() {
    connect(m_ui->SG, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
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
    m_ui->SG->installEventFilter(this);
}

void TWizardForm::paintGrid() {
    const bool painting = m_painting;
    m_painting = true;
    const DialogLine& row = m_model.workingRow();
    for (int column = 0; column < kColumnCount; ++column) {
        const QString text = FromCp1251(row[static_cast<std::size_t>(column)]);
        QTableWidgetItem* item = m_ui->SG->item(0, column);
        if (!item)
            m_ui->SG->setItem(0, column, new QTableWidgetItem(text));
        else if (item->text() != text)
            item->setText(text);
    }
    m_painting = painting;
}

} // namespace dolmex
