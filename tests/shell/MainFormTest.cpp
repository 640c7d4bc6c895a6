#include "core/Cp1251.h"
#include "shell/TMainForm.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

const QString kSample =
    QStringLiteral(DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg");

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { test::SetUpProgramFolder(folder, context); }

    // A window as the program starts it: created (loading `file`), then shown.
    std::unique_ptr<TMainForm> start(const QString& file = {}) {
        auto form = std::make_unique<TMainForm>(context, prompter, file);
        form->show();
        return form;
    }

    std::string dialog(const std::string& name, const std::string& bytes) {
        return folder.write(name, bytes);
    }

    template <typename T> static T* child(TMainForm& form, const char* name) {
        return form.findChild<T*>(QString::fromLatin1(name));
    }

    static void trigger(TMainForm& form, const char* name) {
        form.action(QString::fromLatin1(name))->trigger();
    }

    static std::string cell(TMainForm& form, int row, int column) {
        return std::string(form.document().store().cell(row, column));
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
};

// Types any characters, Cyrillic included, as key presses that carry the text.
void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A double click as a person makes it: the view acts only on an item it saw pressed.
void DoubleClick(QAbstractItemView* view, const QRect& rect) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

const char* kThreeLines =
    "{1}{Hello}{}{}{}{2}{}\r\n{2}{Answer}{}{1}{}{9}{}\r\n{3}{Bye}{}{}{}{}{}\r\n";

TEST_F(MainFormTest, OpensAFileReadsItsFirstLineAndFollowsTheResponse) {
    auto form = start();
    EXPECT_EQ(form->shownTitle(), "00000 - Untitled");
    prompter.setNextFileName(kSample);
    trigger(*form, "N3");
    EXPECT_EQ(form->shownTitle(), "00001 - Ferryman");
    EXPECT_EQ(form->currentRow(), 1);
    EXPECT_FALSE(child<QTextEdit>(*form, "LineDesc")->toPlainText().isEmpty());
    EXPECT_TRUE(child<QLabel>(*form, "SBPanel2")->text().endsWith(" : 53"));
    EXPECT_TRUE(prompter.shown().front().text.contains("|*.dlg|"))
        << "filter from the language file";

    form->setCurrentRow(4); // line 11, whose response is line 30
    ASSERT_EQ(cell(*form, 4, ColNumber), "11");
    QTest::keyClick(child<QTableView>(*form, "SG"), Qt::Key_Return);
    EXPECT_EQ(cell(*form, form->currentRow(), ColNumber), "30");
    EXPECT_EQ(prompter.count("warning"), 0);
}

TEST_F(MainFormTest, CommandLineFileLoadsBeforeTheLanguage) {
    TMainForm form(context, prompter, kSample);
    EXPECT_EQ(form.shownTitle(), "00001 - Ferryman");
    EXPECT_EQ(child<QLabel>(form, "SBPanel2")->text(), " : 53"); // no label before the language
    EXPECT_TRUE(form.action("N2")->text().isEmpty());
    form.show();
    EXPECT_FALSE(form.action("N2")->text().isEmpty());
    EXPECT_TRUE(child<QLabel>(form, "SBPanel2")->text().endsWith(" : 53"));
    EXPECT_GT(child<QLabel>(form, "SBPanel2")->text().size(), 5);
}

TEST_F(MainFormTest, MissingLineWarnsAndStays) {
    auto form = start(QString::fromStdString(dialog("00002A.dlg", kThreeLines)));
    form->setCurrentRow(2); // response 9: no such line
    QTest::keyClick(child<QTableView>(*form, "SG"), Qt::Key_Return);
    EXPECT_EQ(form->currentRow(), 2);
    ASSERT_EQ(prompter.count("warning"), 1);
    EXPECT_EQ(prompter.shown().back().text, "Warning\n\nLine not found!");
    EXPECT_EQ(prompter.shown().back().caption, "Warning");
}

TEST_F(MainFormTest, DoubleClickOnAJumpEntryJumps) {
    auto form = start(QString::fromStdString(dialog("00002A.dlg", kThreeLines)));
    auto* moves = child<QListWidget>(*form, "MoveList");
    ASSERT_GE(moves->count(), 1);
    QListWidgetItem* jump = moves->item(0);
    ASSERT_TRUE(jump->text().endsWith(" 2")) << jump->text().toStdString();
    moves->setCurrentItem(jump);
    DoubleClick(moves, moves->visualItemRect(jump));
    EXPECT_EQ(form->currentRow(), 2);
}

TEST_F(MainFormTest, UnsavedChangesAreAskedAboutBeforeNew) {
    struct Case {
        const char* name;
        bool named;
        Prompter::Answer answer;
        std::optional<QString> saveAs; // the save dialog's answer, when it is shown
        bool reset;                    // New went on
        bool modifiedAfter;
        bool error;
    };
    const QString folderAsTarget = QString::fromStdString(folder.root());
    const Case cases[] = {
        {"no", true, Prompter::Answer::No, std::nullopt, true, true, false},
        {"cancel", true, Prompter::Answer::Cancel, std::nullopt, false, true, false},
        {"yes saves", true, Prompter::Answer::Yes, std::nullopt, true, false, false},
        {"yes, save dialog cancelled", false, Prompter::Answer::Yes, std::nullopt, false, true,
         false},
        {"yes, save fails", false, Prompter::Answer::Yes, folderAsTarget, false, true, true},
    };
    for (const auto& c : cases) {
        const std::string path = dialog("00003B.dlg", kThreeLines);
        auto form = start(c.named ? QString::fromStdString(path) : QString());
        form->document().store().setCell(1, ColText, "changed");
        prompter.clearShown();
        prompter.setNextAnswer(c.answer);
        if (!c.named)
            prompter.setNextFileName(c.saveAs);
        trigger(*form, "N2");
        EXPECT_EQ(prompter.count("question"), 1) << c.name;
        EXPECT_EQ(prompter.shown().front().text, "Dialog has been changed\n\nSave cganges?")
            << c.name;
        EXPECT_EQ(cell(*form, 1, ColText) != "changed", c.reset) << c.name;
        EXPECT_EQ(form->document().isModified(), c.modifiedAfter) << c.name;
        EXPECT_EQ(prompter.count("error"), c.error ? 1 : 0) << c.name;
        const bool saved = ReadAll(path).find("changed") != std::string::npos;
        EXPECT_EQ(saved, c.named && c.answer == Prompter::Answer::Yes) << c.name;
        form->document().setModified(false);
    }
}

TEST_F(MainFormTest, NothingIsAskedWithoutChanges) {
    auto form = start(QString::fromStdString(dialog("00002A.dlg", kThreeLines)));
    prompter.setNextFileName(std::nullopt);
    trigger(*form, "N3");
    trigger(*form, "N2");
    EXPECT_EQ(prompter.count("question"), 0);
    EXPECT_EQ(form->shownTitle(), "00000 - Untitled");
}

TEST_F(MainFormTest, SaveAndSaveAsKeepTheRightName) {
    const std::string path = dialog("00004C.dlg", kThreeLines);
    auto form = start(QString::fromStdString(path));
    form->document().store().setCell(1, ColText, "v2");
    trigger(*form, "N4"); // a loaded file is saved without a dialog
    EXPECT_EQ(prompter.count("save"), 0);
    EXPECT_NE(ReadAll(path).find("{v2}"), std::string::npos);
    EXPECT_FALSE(form->document().isModified());

    prompter.setNextFileName(std::nullopt);
    trigger(*form, "N5"); // cancelled: the old name stays
    EXPECT_EQ(form->document().fileName(), path);

    const std::string other = folder.path("00005Other.dlg");
    prompter.setNextFileName(QString::fromStdString(other));
    trigger(*form, "N5");
    EXPECT_EQ(form->document().fileName(), other);
    EXPECT_EQ(form->shownTitle(), "00005 - Other");
    EXPECT_EQ(form->applicationTitle(), "00005 - Other");

    // The File menu offers Save only with changes.
    QMenu* file = form->findChild<QMenu*>("N1");
    emit file->aboutToShow();
    EXPECT_FALSE(form->action("N4")->isEnabled());
    form->document().store().setCell(1, ColText, "v3");
    emit file->aboutToShow();
    EXPECT_TRUE(form->action("N4")->isEnabled());
}

TEST_F(MainFormTest, LineCommandsChangeTheStoreAndSetTheFlag) {
    auto form = start(QString::fromStdString(dialog("00002A.dlg", kThreeLines)));
    auto* grid = child<QTableView>(*form, "SG");

    trigger(*form, "N19");
    EXPECT_EQ(cell(*form, 4, ColNumber), "4");
    EXPECT_EQ(form->currentRow(), 4);
    EXPECT_TRUE(form->document().isModified());

    form->setCurrentRow(2);
    trigger(*form, "N22");
    EXPECT_EQ(form->currentRow(), 2);
    EXPECT_EQ(cell(*form, 2, ColNumber), "");
    EXPECT_EQ(cell(*form, 3, ColNumber), "2");

    form->setCurrentRow(3);
    trigger(*form, "N24");
    EXPECT_EQ(cell(*form, 3, ColGender), "Answer");

    // Rows 3 and 4 selected as a block, moved up together.
    grid->selectionModel()->select(
        QItemSelection(grid->model()->index(2, 0), grid->model()->index(3, 7)),
        QItemSelectionModel::ClearAndSelect);
    trigger(*form, "Nup");
    EXPECT_EQ(cell(*form, 2, ColNumber), "2");
    EXPECT_EQ(cell(*form, 3, ColNumber), "3");
    EXPECT_EQ(cell(*form, 4, ColNumber), "");
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 2);

    trigger(*form, "N20"); // deletes the selected block
    EXPECT_EQ(form->document().store().rowCount() - 1, 3);
    EXPECT_EQ(cell(*form, 2, ColNumber), "");

    form->document().setModified(false);
    form->setCurrentRow(1);
    grid->selectionModel()->select(grid->model()->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    trigger(*form, "Nup");
    EXPECT_FALSE(form->document().isModified()) << "moving the top row up changes nothing";
}

TEST_F(MainFormTest, EditModeEditsCellsLiveAndRefusesForeignCharacters) {
    auto form = start(QString::fromStdString(dialog("00002A.dlg", kThreeLines)));
    int wizardOpened = 0;
    QObject::connect(form.get(), &TMainForm::openWizardRequested, [&](int) { ++wizardOpened; });
    auto* grid = child<QTableView>(*form, "SG");

    trigger(*form, "N14");
    for (const char* name : {"Nup", "Ndn", "NB1", "NB6"})
        EXPECT_FALSE(form->action(name)->isEnabled()) << name;
    EXPECT_TRUE(form->action("N19")->isEnabled());

    grid->setCurrentIndex(grid->model()->index(0, ColText));
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    TypeText(editor, QStringLiteral("!Ж"));
    EXPECT_EQ(cell(*form, 1, ColText), "Hello!\xC6");
    EXPECT_TRUE(form->document().isModified());
    TypeText(editor, QStringLiteral("ß"));
    EXPECT_EQ(cell(*form, 1, ColText), "Hello!\xC6");
    QCoreApplication::processEvents(); // the warning waits for the editor's signal to end
    EXPECT_EQ(prompter.count("warning"), 1);
    QTest::keyClick(editor, Qt::Key_Return);

    DoubleClick(grid, grid->visualRect(grid->model()->index(1, 0)));
    EXPECT_EQ(wizardOpened, 0);

    trigger(*form, "N14");
    EXPECT_TRUE(form->action("Nup")->isEnabled());
    DoubleClick(grid, grid->visualRect(grid->model()->index(1, 0)));
    EXPECT_EQ(wizardOpened, 1);
}

TEST_F(MainFormTest, LanguageSwitchRelabelsAndIsRemembered) {
    {
        auto form = start(QString::fromStdString(dialog("00002A.dlg", kThreeLines)));
        const QString english = form->action("N2")->text();
        ASSERT_FALSE(english.isEmpty());
        EXPECT_EQ(child<QToolButton>(*form, "ToolButton1")->toolTip(), english);
        const QString describedInEnglish = child<QTextEdit>(*form, "LineDesc")->toPlainText();

        trigger(*form, "N38");
        const QString russian = form->action("N2")->text();
        EXPECT_NE(russian, english);
        EXPECT_EQ(child<QToolButton>(*form, "ToolButton1")->toolTip(), russian);
        EXPECT_NE(child<QTextEdit>(*form, "LineDesc")->toPlainText(), describedInEnglish);
        EXPECT_TRUE(form->action("N38")->isChecked());
        EXPECT_FALSE(form->action("English1")->isChecked());
        EXPECT_TRUE(form->close());
    }
    EXPECT_EQ(ReadAll(context.settingsPath).substr(0, 31), "DefLanguage       RUSSIAN.LNG\r\n");
    context.settings = Settings{};
    auto again = start();
    EXPECT_TRUE(again->action("N38")->isChecked());
}

TEST_F(MainFormTest, ClosingWritesSettingsAndNeverLocksTheUserIn) {
    auto form = start();
    form->resize(820, 610);
    child<QTableView>(*form, "SG")->setColumnWidth(1, 321);
    context.settingsPath = folder.root(); // a folder: the settings cannot be written
    EXPECT_TRUE(form->close());
    EXPECT_EQ(prompter.count("error"), 1);
    EXPECT_EQ(context.settings.windowWidth, 820);
    EXPECT_EQ(context.settings.colWidths[1], 321);

    auto changed = start();
    changed->document().store().setCell(1, ColText, "x");
    prompter.setNextAnswer(Prompter::Answer::Cancel);
    EXPECT_FALSE(changed->close());
    EXPECT_EQ(cell(*changed, 1, ColText), "x");
}

TEST_F(MainFormTest, GridKeepsItsShareOfTheHeightOnResize) {
    auto form = start();
    form->resize(800, 600);
    QApplication::processEvents();
    auto* split = child<QSplitter>(*form, "VSplit");
    const int total = split->sizes()[0] + split->sizes()[1];
    split->setSizes({400, total - 400});
    emit split->splitterMoved(400, 1);
    const double ratio = form->gridHeightRatio();
    EXPECT_NEAR(ratio, 400.0 / 600.0, 0.01);
    form->resize(800, 900);
    QApplication::processEvents();
    EXPECT_EQ(child<QTableView>(*form, "SG")->height(), static_cast<int>(900 * ratio));
}

TEST_F(MainFormTest, MenuItemsCarryTheirShortcuts) {
    auto form = start();
    const std::pair<const char*, const char*> keys[] = {
        {"N2", "Ctrl+Alt+N"},
        {"N3", "Ctrl+Alt+O"},
        {"N4", "Ctrl+S"},
        {"N5", "Shift+F2"},
        {"N9", "Ctrl+F1"},
        {"N12", "Ctrl+F2"},
        {"N22", "Ins"},
        {"N19", "Ctrl+N"},
        {"N20", "Ctrl+Del"},
        {"Nup", "Ctrl+Shift+Up"},
        {"Ndn", "Ctrl+Shift+Down"},
        {"N14", "F4"},
        {"NB1", "Ctrl+Ins"},
        {"NB5", "Ctrl+Shift+Ins"},
        {"NB2", "Shift+Del"},
        {"NB6", "Ctrl+Shift+Del"},
        {"NB3", "Shift+Ins"},
        {"bbb1", "Ctrl+1"},
        {"bbb5", "Ctrl+5"},
        {"N32", "Ctrl+B"},
        {"N34", "Ctrl+R"},
        {"N16", "Ctrl+Alt+R"},
    };
    for (const auto& [name, key] : keys) {
        QAction* item = form->action(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromLatin1(key))) << name;
    }
    for (const char* name :
         {"N7", "N18", "DLG1", "N36", "N37", "N31", "NB4", "N24", "N25", "L1", "N30"})
        EXPECT_NE(form->action(name), nullptr) << name;
    EXPECT_TRUE(form->action("N9")->isChecked());
    EXPECT_TRUE(form->action("N12")->isChecked());
    EXPECT_FALSE(form->action("N14")->isChecked());
    EXPECT_TRUE(form->action("bbb1")->isChecked());
    EXPECT_TRUE(child<QToolButton>(*form, "bb1")->isChecked());
    trigger(*form, "bbb3");
    EXPECT_TRUE(child<QToolButton>(*form, "bb3")->isChecked());
    EXPECT_FALSE(child<QToolButton>(*form, "bb1")->isChecked());
    EXPECT_EQ(context.currentBuffer, 3);
    // A button makes its buffer current; the menu keeps its own check.
    QTest::mouseClick(child<QToolButton>(*form, "bb5"), Qt::LeftButton);
    EXPECT_EQ(context.currentBuffer, 5);
    EXPECT_TRUE(child<QToolButton>(*form, "bb5")->isChecked());
    EXPECT_FALSE(child<QToolButton>(*form, "bb3")->isChecked());
    EXPECT_TRUE(form->action("bbb3")->isChecked());
}

} // namespace
} // namespace dolmex

namespace dolmex {
namespace {

TEST_F(MainFormTest, UndoTakesBackEachCommandAndKnowsTheSavedState) {
    auto form = start(QString::fromStdString(dialog("00002A.dlg", kThreeLines)));
    auto* grid = child<QTableView>(*form, "SG");
    QAction* undo = form->action("Undo1");
    QAction* redo = form->action("Redo1");
    ASSERT_NE(undo, nullptr);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Z")}));
    EXPECT_EQ(redo->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));

    form->setCurrentRow(2);
    grid->selectionModel()->select(
        QItemSelection(grid->model()->index(1, 0), grid->model()->index(2, 7)),
        QItemSelectionModel::ClearAndSelect);
    trigger(*form, "N20");
    EXPECT_EQ(form->document().store().rowCount(), 2);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "Undo Delete lines");

    trigger(*form, "Undo1");
    EXPECT_EQ(form->document().store().rowCount(), 4);
    EXPECT_EQ(cell(*form, 2, ColText), "Answer");
    EXPECT_EQ(form->currentRow(), 2);
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 2);
    EXPECT_FALSE(form->document().isModified()) << "back at the loaded state";
    EXPECT_EQ(redo->text(), "Redo Delete lines");

    trigger(*form, "Redo1");
    EXPECT_EQ(form->document().store().rowCount(), 2);
    EXPECT_TRUE(form->document().isModified());
    trigger(*form, "Undo1");

    // Keystrokes in one cell are one step.
    trigger(*form, "N14");
    grid->setCurrentIndex(grid->model()->index(0, ColText));
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, "abc");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(cell(*form, 1, ColText), "Helloabc");
    EXPECT_EQ(undo->text(), "Undo Edit cell");
    trigger(*form, "Undo1");
    EXPECT_EQ(cell(*form, 1, ColText), "Hello");
    EXPECT_FALSE(form->document().isModified());

    // A save is the new clean state; New and Open start a new history.
    trigger(*form, "N19");
    trigger(*form, "N4");
    EXPECT_FALSE(form->document().isModified());
    trigger(*form, "Undo1");
    EXPECT_TRUE(form->document().isModified());
    prompter.setNextAnswer(Prompter::Answer::No);
    trigger(*form, "N2");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(form->document().isModified()) << "New leaves the flag as it was";
}

} // namespace
} // namespace dolmex
