#include "shell/ProgramWindows.h"
#include "support/ProgramFolder.h"
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
        test::SetUpProgramFolder(folder, context);
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
            result.emplace_back(store().cell(row, ColNumber));
        return result;
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(ToolCommandsTest, BuffersCarryLinesWithTheirCommentsAndShowThemInTheHints) {
    auto* bb1 = main().findChild<QToolButton*>("bb1");
    EXPECT_TRUE(bb1->toolTip().contains("empty", Qt::CaseInsensitive))
        << bb1->toolTip().toStdString();

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
    auto broken = std::make_unique<ProgramWindows>(
        context, prompter, QString::fromStdString(folder.path("00007Ferry.dlg")));
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

#include "core/DialogWriter.h"

#include <random>

namespace dolmex {
namespace {

TEST_F(ToolCommandsTest, ARandomSessionUndoneToTheStartSavesTheLoadedFile) {
    // A file in canonical form, so a save of the same rows gives the same bytes.
    const std::string path = folder.path("00008Canonical.dlg");
    {
        Document source;
        ASSERT_TRUE(source.LoadDlg(DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg"));
        source.saveAs(path);
    }
    const std::string original = ReadAll(path);
    ASSERT_TRUE(main().LoadDlg(QString::fromStdString(path)));
    windows->tools().askOptions = [] { return true; };

    const char* const commands[] = {"N19", "N22", "N20", "N24", "N25", "Nup", "Ndn", "NB1", "NB2",
                                    "NB3", "NB5", "NB6", "N34", "N36", "N37", "N31", "N16"};
    std::mt19937 random(7);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int steps = 0;
    for (int i = 0; i < 300; ++i) {
        const int rows = store().rowCount() - 1;
        const int first = below(rows) + 1;
        select(first, std::min(rows, first + below(3)));
        if (below(6) == 0) {
            // A cell edit as the grid makes it.
            store().setCell(first, below(8), "edit " + std::to_string(i));
        } else {
            const char* command = commands[below(static_cast<int>(std::size(commands)))];
            if (std::string_view(command) == "N16" && main().document().isModified())
                prompter.setNextAnswer(Prompter::Answer::No); // renumber without saving first
            trigger(command);
        }
        ASSERT_GE(store().rowCount(), 2);
        steps = main().undoStack().count();
    }
    ASSERT_GT(steps, 100);
    ASSERT_TRUE(main().document().isModified());
    while (main().undoStack().canUndo())
        trigger("Undo1");
    EXPECT_FALSE(main().document().isModified()) << "back at the loaded state";
    main().document().setModified(true);
    trigger("N4");
    EXPECT_EQ(ReadAll(path), original);
}

} // namespace
} // namespace dolmex
