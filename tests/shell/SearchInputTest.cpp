// Finding, replacing, going to a line, the lines naming the current one and the way back,
// driven by real keys and clicks on the main window.
#include "shell/ProgramWindows.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

namespace dolmex {
namespace {

using test::TempFolder;

// Line 3 names line 1 three ways; "apple" stands in rows 1, 3 and 5 in any case.
const char* kFruit = "{1}{Apple pie}{}{}{}{2}{}\r\n"
                     "{2}{banana}{}{1}{}{3}{}\r\n"
                     "{3}{apple tart}{G:a 1}{}{}{1}{jo 0 1}\r\n"
                     "{4}{cherry}{}{1}{}{5}{}\r\n"
                     "{5}{APPLE}{}{}{}{0}{}\r\n";

class SearchInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        const QString path = QString::fromStdString(folder.write("00001Fruit.dlg", kFruit));
        windows = std::make_unique<ProgramWindows>(context, prompter, path);
        main().show();
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }

    TMainForm& main() { return windows->mainForm(); }
    LineStore& store() { return main().document().store(); }
    template <class T> T* child(const char* name) {
        return main().findChild<T*>(QString::fromLatin1(name));
    }
    QTableView* grid() { return child<QTableView>("SG"); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QGuiApplication::focusWindow(), k, modifiers);
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    QString count() { return child<QLabel>("FindCount")->text(); }
    QString note() { return child<QLabel>("SBMessage")->text(); }
    QStringList references() {
        QStringList texts;
        auto* list = child<QListWidget>("RefList");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    std::string cell(int row, int column) { return std::string(store().cell(row, column)); }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(SearchInputTest, TypingFindsAndF3WrapsBothWays) {
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>("FindText"));
    type(QStringLiteral("apple"));
    EXPECT_EQ(main().currentRow(), 1);
    EXPECT_EQ(count(), QStringLiteral("1 of 3"));
    const struct {
        Qt::KeyboardModifiers modifiers;
        int row;
        const char* count;
        const char* note;
    } steps[] = {
        {Qt::NoModifier, 3, "2 of 3", ""},
        {Qt::NoModifier, 5, "3 of 3", ""},
        {Qt::NoModifier, 1, "1 of 3", "Search went on from the top"},
        {Qt::ShiftModifier, 5, "3 of 3", "Search went on from the bottom"},
        {Qt::ShiftModifier, 3, "2 of 3", "Search went on from the bottom"}, // the note stays
    };
    for (const auto& s : steps) {
        key(Qt::Key_F3, s.modifiers);
        EXPECT_EQ(main().currentRow(), s.row) << s.count;
        EXPECT_EQ(count(), QString::fromLatin1(s.count));
        EXPECT_EQ(note(), QString::fromLatin1(s.note));
    }
    EXPECT_EQ(grid()->currentIndex().column(), ColText);
    // The cells that match are marked, the current one apart.
    const auto mark = [this](int row) {
        return grid()->model()->index(row - 1, ColText).data(Qt::BackgroundRole);
    };
    EXPECT_TRUE(mark(1).isValid());
    EXPECT_FALSE(mark(2).isValid());
    EXPECT_NE(mark(3), mark(5)) << "the current match stands out";

    child<QCheckBox>("MatchCase")->click();
    EXPECT_EQ(count(), QStringLiteral("1 of 1"));
    EXPECT_EQ(main().currentRow(), 3);
}

TEST_F(SearchInputTest, EscapeClosesTheBarAndGivesTheGridTheKeyboard) {
    key(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("cherry"));
    EXPECT_EQ(main().currentRow(), 4);
    key(Qt::Key_Escape);
    EXPECT_FALSE(child<QWidget>("FindBar")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_FALSE(grid()->model()->index(3, ColText).data(Qt::BackgroundRole).isValid());
    key(Qt::Key_Up); // the grid has the keys again
    EXPECT_EQ(main().currentRow(), 3);
}

TEST_F(SearchInputTest, AnInvalidRegularExpressionIsShownAtOnce) {
    key(Qt::Key_F, Qt::ControlModifier);
    child<QCheckBox>("RegexBox")->click();
    child<QLineEdit>("FindText")->setFocus();
    type(QStringLiteral("ap("));
    EXPECT_TRUE(count().startsWith(QStringLiteral("Not a valid pattern: ")))
        << count().toStdString();
    key(Qt::Key_F3);
    EXPECT_EQ(main().currentRow(), 1) << "nothing is found";
    key(Qt::Key_Backspace);
    type(QStringLiteral("p.e"));
    EXPECT_EQ(count(), QStringLiteral("1 of 3"));
}

TEST_F(SearchInputTest, ReplaceAllIsOneStepAndRefusedTextChangesNothing) {
    key(Qt::Key_H, Qt::ControlModifier);
    type(QStringLiteral("apple"));
    auto* replacement = child<QLineEdit>("ReplaceText");
    QTest::mouseClick(replacement, Qt::LeftButton);
    type(QStringLiteral("{x"));
    const int steps = main().undoStack().count();
    QTest::mouseClick(child<QAbstractButton>("ReplaceAllBtn"), Qt::LeftButton);
    EXPECT_EQ(prompter.count(QStringLiteral("warning")), 1);
    EXPECT_EQ(cell(1, ColText), "Apple pie");
    EXPECT_EQ(main().undoStack().count(), steps);

    replacement->clear();
    QTest::mouseClick(replacement, Qt::LeftButton);
    type(QStringLiteral("plum"));
    QTest::mouseClick(child<QAbstractButton>("ReplaceAllBtn"), Qt::LeftButton);
    EXPECT_EQ(cell(1, ColText), "plum pie");
    EXPECT_EQ(cell(3, ColText), "plum tart");
    EXPECT_EQ(cell(5, ColText), "plum");
    EXPECT_EQ(note(), QStringLiteral("Replaced: 3"));
    EXPECT_EQ(count(), QStringLiteral("No matches"));
    EXPECT_EQ(main().undoStack().count(), steps + 1);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, ColText), "Apple pie");
    EXPECT_EQ(cell(3, ColText), "apple tart");
    EXPECT_EQ(cell(5, ColText), "APPLE");
    EXPECT_EQ(count(), QStringLiteral("- of 3"));
}

TEST_F(SearchInputTest, ReplaceChangesTheShownMatchAndMovesOn) {
    key(Qt::Key_H, Qt::ControlModifier);
    type(QStringLiteral("apple"));
    QTest::mouseClick(child<QLineEdit>("ReplaceText"), Qt::LeftButton);
    type(QStringLiteral("apple apple"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(1, ColText), "apple apple pie");
    EXPECT_EQ(main().currentRow(), 3) << "not into the replacement";
    key(Qt::Key_Return);
    EXPECT_EQ(cell(3, ColText), "apple apple tart");
    EXPECT_EQ(main().currentRow(), 5);
}

TEST_F(SearchInputTest, GoToLineJumpsOrSaysThereIsNone) {
    prompter.setNextText(QStringLiteral("42"));
    key(Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(prompter.count(QStringLiteral("warning")), 1);
    EXPECT_EQ(prompter.shown().back().text, QStringLiteral("No line has the number 42"));
    EXPECT_EQ(main().currentRow(), 1);
    prompter.setNextText(QStringLiteral(" 4"));
    key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(main().currentRow(), 4);
    EXPECT_EQ(prompter.shown().back().caption, QStringLiteral("Go to line"));
    EXPECT_EQ(prompter.shown().back().text, QStringLiteral("Line number:"));
    EXPECT_EQ(QApplication::focusWidget(), grid());
}

TEST_F(SearchInputTest, ReferencedByListsFollowsEditsAndJumps) {
    EXPECT_EQ(references(),
              (QStringList{QStringLiteral("Line 3 - response"), QStringLiteral("Line 3 - G:"),
                           QStringLiteral("Line 3 - jo")}));
    EXPECT_EQ(child<QWidget>("GB2")->property("title").toString(), QStringLiteral("Referenced by"));
    // Row 2 is made to answer 1 by typing into its response cell.
    key(Qt::Key_F4);
    grid()->setCurrentIndex(grid()->model()->index(1, ColResponse));
    key(Qt::Key_F2);
    key(Qt::Key_Backspace);
    type(QStringLiteral("1"));
    key(Qt::Key_Return);
    key(Qt::Key_F4);
    EXPECT_EQ(cell(2, ColResponse), "1");
    main().setCurrentRow(1);
    EXPECT_EQ(references().value(0), QStringLiteral("Line 2 - response"));
    EXPECT_EQ(references().size(), 4);

    auto* list = child<QListWidget>("RefList");
    list->setFocus();
    list->setCurrentRow(1);
    key(Qt::Key_Return);
    EXPECT_EQ(main().currentRow(), 3);
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_TRUE(references().isEmpty()) << "nothing names line 3 now";
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(main().currentRow(), 1);
    key(Qt::Key_Z, Qt::ControlModifier); // the list follows an undo too
    main().setCurrentRow(1);
    QTRY_COMPARE(references().size(), 3);
}

TEST_F(SearchInputTest, AltLeftAndAltRightWalkTheJumps) {
    key(Qt::Key_Return); // line 1 answers 2
    key(Qt::Key_Return); // line 2 answers 3
    EXPECT_EQ(main().currentRow(), 3);
    const std::pair<Qt::Key, int> walk[] = {
        {Qt::Key_Left, 2},  {Qt::Key_Left, 1},  {Qt::Key_Left, 1}, {Qt::Key_Right, 2},
        {Qt::Key_Right, 3}, {Qt::Key_Right, 3}, {Qt::Key_Left, 2}};
    for (const auto& [direction, row] : walk) {
        key(direction, Qt::AltModifier);
        EXPECT_EQ(main().currentRow(), row);
    }
    EXPECT_TRUE(main().action(QStringLiteral("Forward1"))->isEnabled());
    // A new jump from here forgets the way forward.
    key(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("cherry"));
    key(Qt::Key_Escape);
    EXPECT_EQ(main().currentRow(), 4);
    EXPECT_FALSE(main().action(QStringLiteral("Forward1"))->isEnabled());
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(main().currentRow(), 2);
}

TEST_F(SearchInputTest, OnALargeDialogTheCountWaitsForAPauseButEnterFindsWhatWasTyped) {
    std::vector<DialogLine> filler(20'000);
    for (DialogLine& line : filler)
        line[ColText] = "plum";
    store().insertLines(store().rowCount(), std::move(filler));
    key(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("cherry"));
    EXPECT_EQ(count(), QString()) << "counted at a keystroke";
    key(Qt::Key_Return);
    EXPECT_EQ(main().currentRow(), 4);
    EXPECT_EQ(count(), QStringLiteral("1 of 1"));
    type(QStringLiteral("!"));
    QTRY_COMPARE(count(), QStringLiteral("No matches"));
}

} // namespace
} // namespace dolmex
