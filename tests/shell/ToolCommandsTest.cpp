#include "shell/ProgramWindows.h"
#include "support/TestFiles.h"
#include "tools/TBlockForm.h"
#include "tools/TRenumberForm.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

// Two blocks; line 10 and line 20 are commented NPC lines.
const char* kBlocks = "//Greeting\r\n{10}{Hello}{}{}{}{}{}\r\n{11}{Ask}{}{1}{}{20}{}\r\n\r\n"
                      "//Farewell\r\n{20}{Bye}{}{}{}{}{}\r\n{21}{Go}{}{1}{}{10}{}\r\n";

class ToolCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"english.lng", "russian.lng", "russte.lng"})
            folder.write(name, ReadAll(std::string(DOLMEX_SOURCE_DIR "/lang/") + name));
        context.programDir = folder.root() + "/";
        context.settingsPath = folder.path("dolmex.ctl");
        const std::string path = folder.write("00007Ferry.dlg", kBlocks);
        windows = std::make_unique<ProgramWindows>(context, prompter, QString::fromStdString(path));
        main().show();
    }

    TMainForm& main() { return windows->mainForm(); }
    LineStore& store() { return main().document().store(); }
    void trigger(const char* name) { main().action(QString::fromLatin1(name))->trigger(); }
    void select(int first, int last) {
        auto* grid = main().findChild<QTableView*>("SG");
        main().setCurrentRow(first);
        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(first - 1, 0), grid->model()->index(last - 1, 7)),
            QItemSelectionModel::ClearAndSelect);
    }
    std::vector<std::string> numbers() {
        std::vector<std::string> result;
        for (int row = 1; row < store().rowCount(); ++row)
            result.push_back(store().cell(row, ColNumber));
        return result;
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(ToolCommandsTest, BuffersCarryLinesWithTheirCommentsAndShowThemInTheHints) {
    auto* bb1 = main().findChild<QToolButton*>("bb1");
    EXPECT_TRUE(bb1->toolTip().contains("empty", Qt::CaseInsensitive)) << bb1->toolTip().toStdString();

    select(1, 2);
    trigger("NB1");
    EXPECT_EQ(ReadAll(folder.path("buffer1.tmp")),
              "//Greeting\r\n{10}{Hello}{}{}{}{}{}\r\n{11}{Ask}{}{1}{}{20}{}\r\n");
    EXPECT_TRUE(bb1->toolTip().contains("2")) << bb1->toolTip().toStdString();
    EXPECT_TRUE(bb1->toolTip().contains("Greeting"));
    EXPECT_FALSE(main().document().isModified()) << "a copy changes nothing";

    main().setCurrentRow(4);
    trigger("NB3");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"10", "11", "", "10", "11", "20", "21"}));
    EXPECT_EQ(store().cell(4, ColComment), "Greeting");
    EXPECT_EQ(main().currentRow(), 5);
    EXPECT_TRUE(main().document().isModified());
    EXPECT_EQ(main().action("Undo1")->text(), "Undo Paste lines from buffer");

    select(6, 7);
    trigger("NB2");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"10", "11", "", "10", "11"}));
    trigger("Undo1");
    EXPECT_EQ(numbers().size(), 7u);
}

TEST_F(ToolCommandsTest, ACutWhoseBufferCannotBeWrittenDeletesNothing) {
    folder.write("not-a-folder", "x");
    context.languageDir = folder.root() + "/";
    context.programDir = folder.path("not-a-folder") + "/";
    auto broken = std::make_unique<ProgramWindows>(context, prompter,
                                                   QString::fromStdString(folder.path("00007Ferry.dlg")));
    broken->mainForm().show();
    broken->mainForm().setCurrentRow(2);
    broken->mainForm().action("NB2")->trigger();
    EXPECT_EQ(prompter.count("error"), 1);
    EXPECT_EQ(broken->mainForm().document().store().rowCount() - 1, 5);
    EXPECT_FALSE(broken->mainForm().document().isModified());
}

TEST_F(ToolCommandsTest, RenumberingRewritesReferencesReportsAndUndoesAsOneStep) {
    windows->tools().askOptions = [] { return true; };
    trigger("N16");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(store().cell(2, ColResponse), "4") << "line 11's response follows line 20";
    EXPECT_EQ(store().cell(5, ColResponse), "1");
    EXPECT_TRUE(windows->renumberReport().isVisible());
    EXPECT_FALSE(windows->renumberReport().text().isEmpty());
    EXPECT_TRUE(main().document().isModified());
    EXPECT_EQ(main().action("Undo1")->text(), "Undo Renumber the dialog");
    trigger("Undo1");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"10", "11", "", "20", "21"}));

    // Block scheme with a block size not above the step: refused in silence.
    windows->renumberForm().findChild<QRadioButton*>("RB2")->setChecked(true);
    windows->renumberForm().findChild<QLineEdit*>("Edit3")->setText("1");
    windows->renumberForm().findChild<QLineEdit*>("Edit2")->setText("5");
    main().document().setModified(false);
    trigger("N16");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"10", "11", "", "20", "21"}));
    EXPECT_EQ(prompter.shown().size(), 0u);

    // Unsaved changes answered Cancel stop the command before the options.
    store().setCell(1, ColText, "changed");
    bool asked = false;
    windows->tools().askOptions = [&] { return asked = true; };
    prompter.setNextAnswer(Prompter::Answer::Cancel);
    trigger("N16");
    EXPECT_FALSE(asked);
}

TEST_F(ToolCommandsTest, NavigatorJumpsOrLinksTheCurrentLine) {
    trigger("N32");
    TBlockForm& navigator = windows->navigator();
    EXPECT_TRUE(navigator.isVisible());
    EXPECT_EQ(navigator.windowTitle(), "Navigator");
    auto* list = navigator.findChild<QListWidget*>("LB");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "20 - Farewell");

    list->setCurrentRow(1);
    QTest::keyRelease(list, Qt::Key_Return);
    EXPECT_EQ(store().cell(main().currentRow(), ColNumber), "20");

    main().setCurrentRow(2);
    list->setCurrentRow(0);
    QTest::keyRelease(list, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(store().cell(2, ColResponse), "10");
    EXPECT_EQ(main().action("Undo1")->text(), "Undo Set the response");

    list->setCurrentRow(1);
    QTest::keyRelease(list, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(store().cell(2, ColResponse), "10") << "Shift+Enter does nothing";
}

TEST_F(ToolCommandsTest, LayoutCommandsAreUndoable) {
    trigger("N37");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"10", "11", "20", "21"}));
    trigger("N36");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"10", "11", "", "20", "21"}));
    trigger("N31");
    EXPECT_EQ(store().cell(1, ColComment), "");
    trigger("Undo1");
    EXPECT_EQ(store().cell(1, ColComment), "Greeting");
    main().setCurrentRow(5);
    trigger("N34");
    EXPECT_EQ(store().cell(5, ColNumber), "21");
}

} // namespace
} // namespace dolmex
