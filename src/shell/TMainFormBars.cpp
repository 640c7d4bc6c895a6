// The menus and the tool bar of the main window, built from their tables.

#include "MainMenu.h"
#include "TMainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace dolmex {

namespace {

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
    {"ToolButton15", "Back1", "go-previous-view", QStyle::SP_MediaSeekBackward},
    {"ToolButton16", "Forward1", "go-next-view", QStyle::SP_MediaSeekForward},
    {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
};

} // namespace

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

} // namespace dolmex
