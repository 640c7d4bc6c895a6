#pragma once

#include "core/LineStore.h"
#include "search/CellMatcher.h"
#include "search/StoreSearch.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <tuple>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace dolmex {

class DialogGrid;
class EditSession;
class LineStoreModel;
class Prompter;
struct LanguageTables;

// The query that a pattern box and the three option boxes ask for, in `columns` (bit i =
// column i): the find bar's, and the module find's with the same boxes.
FindQuery QueryOf(const QLineEdit& pattern, const QCheckBox& matchCase, const QCheckBox& wholeWords,
                  const QCheckBox& regex, std::uint8_t columns = 0xFF);

// The find bar under the grid: a text or a regular expression, the columns it looks in,
// case and whole words; it shows which match is current of how many, marks the matching
// cells, and replaces one match or all of them (each one undo step).
class FindBar : public QWidget, private LineStoreObserver {
    Q_OBJECT

public:
    FindBar(EditSession& session, LineStoreModel& model, DialogGrid& grid,
            const LanguageTables& tables, Prompter& prompter, QWidget* parent = nullptr);
    ~FindBar() override;

    // Ctrl+F and Ctrl+H: shows the bar (with the replace row) and gives it the keyboard.
    void openFind();
    void openReplace();
    // Escape: hides the bar, unmarks the cells and hands the keyboard back to the grid.
    void close();
    // F3 and Shift+F3; with nothing to look for they open the bar.
    void findNext();
    void findPrevious();
    void replaceOne();
    void replaceAll();
    // Takes its texts from the language just read.
    void setTexts();

    // Shows a match: makes its cell current (remembered as a jump when `remember`).
    std::function<void(int row, int column, bool remember)> showMatch;

signals:
    // A note for the status bar (the search wrapped, what was replaced).
    void passingMessage(const QString& text);

private:
    void lineStoreChanged(const LineStoreChange& change) override;
    void queryChanged();
    void settleQuery();
    void recount();
    // Goes to the match after (before) the cursor, or the first at or after it (`here`).
    void step(bool backward, bool here);
    // Shows the first match at (`inclusive`) or after `at` (row, column, place in the cell),
    // or the last before it, wrapping around the ends.
    void goTo(std::tuple<int, int, int> at, bool inclusive, bool backward, bool remember);
    void paintCount();
    const std::string& text(int entry) const;
    bool refusesReplacement();

    EditSession& m_session;
    LineStore& m_store;
    LineStoreModel& m_model;
    DialogGrid& m_grid;
    const LanguageTables& m_tables;
    Prompter& m_prompter;
    CellMatcher m_matcher;
    std::vector<CellMatch> m_matches; // every match, in order, while `m_stale` is false
    int m_current = -1;               // the one shown, or -1
    bool m_stale = true;
    bool m_recountQueued = false;
    static constexpr int kSearchAsYouTypeRows = 20'000;
    QTimer m_typingPause;
    // The first match shown after the bar opens is a jump; those the typing moves on to are not.
    bool m_freshSearch = false;

    QLabel* m_findLabel = nullptr;
    QLineEdit* FindText = nullptr;
    QToolButton* m_previousButton = nullptr;
    QToolButton* m_nextButton = nullptr;
    QLabel* FindCount = nullptr;
    QCheckBox* MatchCase = nullptr;
    QCheckBox* WholeWords = nullptr;
    QCheckBox* RegexBox = nullptr;
    QToolButton* m_columnsButton = nullptr;
    std::vector<QAction*> m_columns;
    QToolButton* m_closeButton = nullptr;
    QWidget* m_replaceRow = nullptr;
    QLabel* m_replaceLabel = nullptr;
    QLineEdit* ReplaceText = nullptr;
    QPushButton* ReplaceBtn = nullptr;
    QPushButton* ReplaceAllBtn = nullptr;
};

} // namespace dolmex
