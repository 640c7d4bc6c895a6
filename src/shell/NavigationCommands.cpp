#include "NavigationCommands.h"

#include "LineCommandSet.h"
#include "core/TextFields.h"
#include "interp/Navigation.h"
#include "lang/LanguageTables.h"
#include "ui/Cp1251.h"
#include "ui/DialogGrid.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QKeyEvent>

namespace dolmex {

NavigationCommands::NavigationCommands(DialogGrid& grid, LineCommandSet& lines, LineStore& store,
                                       const LanguageTables& tables, Prompter& prompter,
                                       std::map<QString, QAction*>& actions, QObject* parent)
    : QObject(parent), m_grid(grid), m_lines(lines), m_store(store), m_tables(tables),
      m_prompter(prompter), m_actions(actions), m_history(store) {
    const std::pair<const char*, void (NavigationCommands::*)()> commands[] = {
        {"Back1", &NavigationCommands::goBack},
        {"Forward1", &NavigationCommands::goForward},
        {"GoTo1", &NavigationCommands::goToLine},
    };
    for (const auto& [name, handler] : commands)
        connect(m_actions.at(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    updateActions();
    m_grid.installEventFilter(this);
}

bool NavigationCommands::eventFilter(QObject* watched, QEvent* event) {
    // Where the window system hands Alt+Left to the grid as a key (Alt pressed on its own
    // first arms the menu bar, and X11 then skips the shortcut), the grid does not move.
    if (watched == &m_grid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
            if (key->key() == Qt::Key_Left) {
                goBack();
                return true;
            }
            if (key->key() == Qt::Key_Right) {
                goForward();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void NavigationCommands::jumpTo(int row) {
    m_history.jumped(m_lines.currentRow(), row);
    arrive(row);
    m_grid.scrollTo(m_grid.currentIndex(), QAbstractItemView::PositionAtTop);
}

void NavigationCommands::jumpToCell(int row, int column, bool remember) {
    if (remember)
        m_history.jumped(m_lines.currentRow(), row);
    m_grid.setCurrentIndex(m_grid.model()->index(row - 1, column));
    m_grid.scrollTo(m_grid.currentIndex(), QAbstractItemView::EnsureVisible);
    updateActions();
    emit describe();
}

void NavigationCommands::arrive(int row) {
    m_lines.setCurrentRow(row);
    updateActions();
    emit describe();
}

void NavigationCommands::goBack() {
    if (const std::optional<int> row = m_history.back(m_lines.currentRow())) {
        arrive(*row);
        m_grid.scrollTo(m_grid.currentIndex(), QAbstractItemView::EnsureVisible);
    }
    m_grid.setFocus();
}

void NavigationCommands::goForward() {
    if (const std::optional<int> row = m_history.forward(m_lines.currentRow())) {
        arrive(*row);
        m_grid.scrollTo(m_grid.currentIndex(), QAbstractItemView::EnsureVisible);
    }
    m_grid.setFocus();
}

void NavigationCommands::goToLine() {
    const std::optional<QString> typed =
        m_prompter.askText(FromCp1251(m_tables.mainDescription[md::kGoToCaption]),
                           FromCp1251(m_tables.mainDescription[md::kGoToLabel]));
    m_grid.setFocus();
    if (!typed)
        return;
    const QString text = typed->trimmed();
    const std::optional<std::string> bytes = ToCp1251(text);
    const std::int32_t number = bytes ? ParseIntOrMinus1(*bytes) : -1;
    const std::optional<int> row = number >= 0 ? ResponceRow(m_store, number) : std::nullopt;
    if (!row) {
        m_prompter.warn(FromCp1251(m_tables.mainDescription[md::kGoToCaption]),
                        FromCp1251(m_tables.mainDescription[md::kNoLineNumbered]).arg(text));
        return;
    }
    jumpTo(*row);
}

void NavigationCommands::updateActions() {
    m_actions.at(QStringLiteral("Back1"))->setEnabled(m_history.canGoBack());
    m_actions.at(QStringLiteral("Forward1"))->setEnabled(m_history.canGoForward());
}

} // namespace dolmex
