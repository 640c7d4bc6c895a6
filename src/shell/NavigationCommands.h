#pragma once

#include "editing/NavigationHistory.h"

#include <QObject>

#include <map>

class QAction;

namespace dolmex {

class DialogGrid;
class LineCommandSet;
class LineStore;
class Prompter;
struct LanguageTables;

// Jumps between lines and the way back: every jump (a followed response, a navigation or
// reference entry, Go to line, a find match) is remembered, and Back and Forward walk the
// remembered rows as a browser walks its pages.
class NavigationCommands : public QObject {
    Q_OBJECT

public:
    // `actions` are the window's items by name; Back1, Forward1 and GoTo1 are wired here.
    NavigationCommands(DialogGrid& grid, LineCommandSet& lines, LineStore& store,
                       const LanguageTables& tables, Prompter& prompter,
                       std::map<QString, QAction*>& actions, QObject* parent = nullptr);

    // Makes `row` current and the top visible row, remembering where the cursor was.
    void jumpTo(int row);
    // Makes the cell current without moving the top row when it is in view (a find match);
    // remembered as a jump when `remember`.
    void jumpToCell(int row, int column, bool remember);
    void goBack();
    void goForward();
    // Asks for a line number and jumps to the line carrying it, or says there is none.
    void goToLine();
    const NavigationHistory& history() const { return m_history; }

signals:
    // The current line is to be described again.
    void describe();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrive(int row);
    void updateActions();

    DialogGrid& m_grid;
    LineCommandSet& m_lines;
    LineStore& m_store;
    const LanguageTables& m_tables;
    Prompter& m_prompter;
    std::map<QString, QAction*>& m_actions;
    NavigationHistory m_history;
};

} // namespace dolmex
