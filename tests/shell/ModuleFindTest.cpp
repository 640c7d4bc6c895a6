// Find in module inside the main window, driven by real keys and mouse clicks: the dialogs
// of the open one's module are searched on a worker, and a chosen match opens its file.

#include "core/PathText.h"
#include "shell/ModuleFindDock.h"
#include "shell/TMainForm.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <memory>

namespace dolmex {
namespace {

using test::TempFolder;

class ModuleFindTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        one = folder.write("Mod/dlg/00001One.dlg",
                           "{1}{Hello}{}{}{}{2}{}\r\n{2}{A door}{}{1}{}{0}{door}\r\n");
        two = folder.write("Mod/dlg/00002Two.dlg", "{1}{Wall}{}{}{}{3}{}\r\n"
                                                   "{2}{x}{}{1}{}{0}{}\r\n"
                                                   "{3}{The DOOR}{}{}{}{0}{}\r\n");
        three = folder.write("Mod/dlg/old/00003Three.dlg", "{1}{Doors}{}{}{}{0}{}\r\n");
        folder.write("Other/dlg/00004Four.dlg", "{1}{door}{}{}{}{0}{}\r\n");
        form = std::make_unique<TMainForm>(context, prompter, QString::fromStdString(one));
        form->resize(1200, 800);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        grid()->setFocus();
    }

    template <class T> T* child(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    QTableView* grid() const { return child<QTableView>("SG"); }
    ModuleFindDock* dock() const { return child<ModuleFindDock>("ModuleFind"); }
    QTableView* results() const { return child<QTableView>("ModuleFindResults"); }
    QString status() const { return child<QLabel>("ModuleFindStatus")->text(); }
    std::string openFile() const { return form->document().fileName(); }

    // Ctrl+Shift+F, the pattern, Enter; waits for the matches.
    void find(const QString& pattern) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F,
                        Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(dock()->isVisible());
        ASSERT_EQ(QApplication::focusWidget(), child<QLineEdit>("ModuleFindText"));
        QTest::keyClicks(QApplication::focusWidget(), pattern);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!dock()->searching(), 10000);
    }
    // The listed matches as "file:row:column: text", file relative to the module folder.
    QStringList listed() const {
        QStringList rows;
        const QAbstractItemModel* model = results()->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }
    void doubleClick(int resultRow) {
        const QModelIndex index = results()->model()->index(resultRow, 0);
        results()->scrollTo(index);
        ASSERT_TRUE(results()->viewport()->isVisible());
        ASSERT_FALSE(results()->visualRect(index).isEmpty()) << resultRow;
        // As a person makes it: the view acts only on an item it saw pressed.
        const QPoint at = results()->visualRect(index).center();
        QTest::mouseClick(results()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(results()->viewport(), Qt::LeftButton, {}, at);
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    std::string one, two, three;
};

TEST_F(ModuleFindTest, ListsTheMatchesOfEveryDialogOfTheModule) {
    find(QStringLiteral("door"));
    EXPECT_EQ(listed(),
              (QStringList{"00001One.dlg|2|Text|A door", "00001One.dlg|2|Results|door",
                           "00002Two.dlg|3|Text|The DOOR", "old/00003Three.dlg|1|Text|Doors"}));
    EXPECT_EQ(status(), QStringLiteral("Cells found: 4, files searched: 3"));
    EXPECT_EQ(dock()->windowTitle(), QStringLiteral("Find in module"));

    // The find bar's options, in the same words.
    child<QCheckBox>("ModuleMatchCase")->click();
    child<QCheckBox>("ModuleWholeWords")->click();
    EXPECT_EQ(child<QCheckBox>("ModuleMatchCase")->text(), QStringLiteral("Match case"));
    QTest::keyClick(child<QLineEdit>("ModuleFindText"), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!dock()->searching(), 10000);
    EXPECT_EQ(listed(), (QStringList{"00001One.dlg|2|Text|A door", "00001One.dlg|2|Results|door"}));
}

TEST_F(ModuleFindTest, ADoubleClickOpensTheFileAtTheMatchedCell) {
    find(QStringLiteral("door"));
    ASSERT_EQ(results()->model()->rowCount(), 4);
    doubleClick(2);
    EXPECT_EQ(openFile(), two);
    EXPECT_EQ(form->currentRow(), 3);
    EXPECT_EQ(grid()->currentIndex().column(), 1);
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 0);
    // Remembered as a jump: Back returns to where the cursor was in the new file.
    EXPECT_TRUE(form->action(QStringLiteral("Back1"))->isEnabled());

    // Enter on a result of the file now open moves the cursor without opening it again.
    form->setCurrentRow(1);
    form->action(QStringLiteral("N19"))->trigger(); // a change that a reload would lose
    results()->setFocus();
    results()->setCurrentIndex(results()->model()->index(2, 0));
    QTest::keyClick(results(), Qt::Key_Return);
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 0);
    EXPECT_TRUE(form->document().isModified());
    EXPECT_EQ(form->currentRow(), 3);
}

TEST_F(ModuleFindTest, TheOpenDialogIsSearchedWithItsUnsavedChanges) {
    form->action(QStringLiteral("N14"))->trigger(); // cells are edited in the grid
    grid()->setCurrentIndex(grid()->model()->index(0, 1));
    QTest::keyClick(grid(), Qt::Key_F2);
    auto* editor = grid()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral(" at the door"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(form->document().isModified());

    find(QStringLiteral("door"));
    EXPECT_EQ(listed().mid(0, 3),
              (QStringList{"00001One.dlg|1|Text|Hello at the door", "00001One.dlg|2|Text|A door",
                           "00001One.dlg|2|Results|door"}));
    EXPECT_EQ(test::ReadAll(one).find("at the door"), std::string::npos); // nothing saved
}

TEST_F(ModuleFindTest, AnotherFileIsOpenedOnlyAfterTheUnsavedChangesQuestion) {
    find(QStringLiteral("door"));
    form->action(QStringLiteral("N19"))->trigger();
    ASSERT_TRUE(form->document().isModified());

    prompter.setNextAnswer(Prompter::Answer::Cancel);
    doubleClick(3);
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 1);
    EXPECT_EQ(openFile(), one);
    EXPECT_TRUE(form->document().isModified());

    prompter.setNextAnswer(Prompter::Answer::No);
    doubleClick(3);
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 2);
    EXPECT_EQ(openFile(), three);
    EXPECT_EQ(form->currentRow(), 1);
    EXPECT_FALSE(form->document().isModified());
}

TEST_F(ModuleFindTest, ABadRegularExpressionIsShownInTheDock) {
    child<QCheckBox>("ModuleRegex")->click();
    find(QStringLiteral("do(or"));
    EXPECT_TRUE(status().startsWith(QStringLiteral("Not a valid pattern: ")))
        << status().toStdString();
    EXPECT_EQ(results()->model()->rowCount(), 0);
    // A good one after it searches again.
    child<QLineEdit>("ModuleFindText")->setText(QStringLiteral("^do+r"));
    QTest::keyClick(child<QLineEdit>("ModuleFindText"), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!dock()->searching(), 10000);
    EXPECT_EQ(listed(),
              (QStringList{"00001One.dlg|2|Results|door", "old/00003Three.dlg|1|Text|Doors"}));
}

TEST_F(ModuleFindTest, ClosingTheDockStopsTheSearchAndAnUnsavedDialogHasNoModule) {
    find(QStringLiteral("door"));
    dock()->startSearch();
    dock()->close();
    EXPECT_FALSE(dock()->searching());
    EXPECT_EQ(results()->model()->rowCount(), 0);

    form->action(QStringLiteral("N2"))->trigger(); // New: a dialog without a file
    find(QStringLiteral("door"));
    EXPECT_EQ(status(), QStringLiteral("Open a file of the module's dlg folder first"));
    EXPECT_EQ(results()->model()->rowCount(), 0);
}

TEST_F(ModuleFindTest, TheDockSpeaksTheLanguageChosen) {
    form->action(QStringLiteral("N38"))->trigger(); // Russian
    grid()->setFocus();
    find(QStringLiteral("door"));
    EXPECT_EQ(dock()->windowTitle(), QString::fromUtf8("Поиск в модуле"));
    EXPECT_EQ(status(), QString::fromUtf8("Найдено ячеек: 4, просмотрено файлов: 3"));
    EXPECT_EQ(form->action(QStringLiteral("ModuleFind1"))->text(),
              QString::fromUtf8("Найти в модуле..."));
}

} // namespace
} // namespace dolmex
