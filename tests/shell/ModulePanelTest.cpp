// The module panel inside the main window, driven by real keys and mouse clicks, following
// the files of a module folder on disk.

#include "shell/ModulePanel.h"
#include "shell/TMainForm.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

constexpr int kWaitMs = 10000;

// The miller's talk ends at once; the guard's names a line no one has.
const char* kMiller = "{1}{Flour for sale}{}{}{}{}{}\r\n"
                      "{2}{Goodbye}{}{1}{}{0}{}\r\n";
const char* kGuard = "{1}{Halt}{}{}{}{}{}\r\n"
                     "{2}{Let me pass}{}{1}{}{77}{}\r\n"
                     "{3}{Goodbye}{}{1}{}{0}{}\r\n";

class ModulePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        ferryman =
            folder.write("Greywater/dlg/00001Ferryman.dlg",
                         ReadAll(DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg"));
        miller = folder.write("Greywater/dlg/00002Miller.dlg", kMiller);
        guard = folder.write("Greywater/dlg/00010Guard.dlg", kGuard);
        dlg = QString::fromStdString(folder.path("Greywater/dlg"));
    }

    void start(const std::string& dialog) {
        form = std::make_unique<TMainForm>(context, prompter, QString::fromStdString(dialog));
        form->resize(1200, 800);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        grid()->setFocus();
    }

    // Ctrl+Shift+M on the grid, then waits until every file is read.
    void openPanel() {
        QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(panel()->isVisible());
        settle();
    }
    void settle() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !panel()->busy(); }, kWaitMs));
    }

    QTableView* grid() const { return form->findChild<QTableView*>(QStringLiteral("SG")); }
    ModulePanel* panel() const {
        return form->findChild<ModulePanel*>(QStringLiteral("ModulePanel"));
    }
    QTableView* list() const { return form->findChild<QTableView*>(QStringLiteral("ModuleList")); }
    QLineEdit* filterBox() const {
        return form->findChild<QLineEdit*>(QStringLiteral("ModuleFilter"));
    }
    QString status() const {
        return form->findChild<QLabel*>(QStringLiteral("ModuleStatus"))->text();
    }

    // The texts of one column of the list as shown, top to bottom.
    QStringList shown(int column) const {
        QStringList cells;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            cells << list()->model()->index(row, column).data().toString();
        return cells;
    }
    int shownRowOf(const QString& name) const {
        return static_cast<int>(shown(ModuleModel::Name).indexOf(name));
    }
    // A real double click on the row showing `name`: its first click, then the second.
    void doubleClick(const QString& name) {
        const int row = shownRowOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        const QModelIndex index = list()->model()->index(row, ModuleModel::Name);
        list()->scrollTo(index);
        const QPoint at = list()->visualRect(index).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }
    QString firstText() const {
        return QString::fromStdString(std::string(form->document().store().cell(1, ColText)));
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    std::string ferryman, miller, guard;
    QString dlg;
};

TEST_F(ModulePanelTest, CtrlShiftMListsTheModuleOfTheOpenDialog) {
    start(ferryman);
    QAction* item = form->action(QStringLiteral("Module1"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_EQ(item->text(), QStringLiteral("Module"));
    EXPECT_EQ(form->action(QStringLiteral("OpenModule1"))->text(),
              QStringLiteral("Open module folder..."));
    EXPECT_FALSE(panel()->isVisible()) << "hidden at start";
    EXPECT_EQ(panel()->model().rowCount(), 0) << "nothing is read while the panel is hidden";

    openPanel();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(panel()->windowTitle(), QStringLiteral("Module - Greywater"));
    EXPECT_EQ(filterBox()->placeholderText(), QStringLiteral("Filter by number or name"));
    EXPECT_EQ(shown(ModuleModel::Number), QStringList({"00001", "00002", "00010"}));
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Ferryman", "Miller", "Guard"}));
    EXPECT_EQ(shown(ModuleModel::Lines)[1], QStringLiteral("2"));
    EXPECT_EQ(shown(ModuleModel::Problems)[1], QStringLiteral("0"));
    EXPECT_EQ(shown(ModuleModel::Problems)[2], QStringLiteral("1")); // line 77 is missing
    EXPECT_EQ(list()->model()->headerData(ModuleModel::Lines, Qt::Horizontal),
              QStringLiteral("Lines"));
    EXPECT_EQ(status(),
              QStringLiteral("Dialogs: 3, with problems: %1").arg(panel()->model().withProblems()));
    EXPECT_EQ(list()->currentIndex().row(), 0) << "the open dialog's row is marked";

    // Its own close button unticks the menu item; the key shows it again.
    panel()->toggleViewAction()->trigger();
    EXPECT_FALSE(item->isChecked());
    QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(panel()->isVisible());
}

TEST_F(ModulePanelTest, TypedWordsFilterAndAClickedHeaderSorts) {
    start(ferryman);
    openPanel();
    filterBox()->setFocus();
    QTest::keyClicks(filterBox(), QStringLiteral("MIL"));
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Miller"}));
    QTest::keyClick(filterBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(filterBox(), QStringLiteral("0001"));
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Ferryman", "Guard"}));
    QTest::keyClick(filterBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(filterBox(), Qt::Key_Backspace);
    EXPECT_EQ(shown(ModuleModel::Name).size(), 3);

    // A click on the name's title sorts by name.
    QHeaderView* header = list()->horizontalHeader();
    const QPoint title(header->sectionViewportPosition(ModuleModel::Name) + 10,
                       header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Ferryman", "Guard", "Miller"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Miller", "Guard", "Ferryman"}));
}

TEST_F(ModulePanelTest, ADoubleClickOrEnterOpensTheDialog) {
    start(ferryman);
    openPanel();
    doubleClick(QStringLiteral("Miller"));
    EXPECT_EQ(form->shownTitle(), QStringLiteral("00002 - Miller"));
    EXPECT_EQ(firstText(), QStringLiteral("Flour for sale"));
    EXPECT_EQ(prompter.shown().size(), 0u) << "nothing to lose, nothing asked";

    // Enter on the list's current row.
    list()->setFocus();
    list()->setCurrentIndex(list()->model()->index(shownRowOf(QStringLiteral("Guard")), 0));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(form->shownTitle(), QStringLiteral("00010 - Guard"));

    // Typed into the filter, Enter opens the one row left.
    filterBox()->setFocus();
    QTest::keyClicks(filterBox(), QStringLiteral("ferry"));
    list()->setCurrentIndex({});
    QTest::keyClick(filterBox(), Qt::Key_Return);
    EXPECT_EQ(form->shownTitle(), QStringLiteral("00001 - Ferryman"));
}

TEST_F(ModulePanelTest, UnsavedChangesAreAskedAboutFirst) {
    start(miller);
    openPanel();
    QTest::keyClick(grid(), Qt::Key_N, Qt::ControlModifier); // appends a line
    ASSERT_TRUE(form->document().isModified());

    prompter.setNextAnswer(Prompter::Answer::Cancel);
    doubleClick(QStringLiteral("Guard"));
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 1);
    EXPECT_EQ(form->shownTitle(), QStringLiteral("00002 - Miller*"));

    prompter.setNextAnswer(Prompter::Answer::No);
    doubleClick(QStringLiteral("Guard"));
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 2);
    EXPECT_EQ(form->shownTitle(), QStringLiteral("00010 - Guard"));
    EXPECT_EQ(ReadAll(miller), kMiller) << "the changes given up are not saved";
}

TEST_F(ModulePanelTest, FollowsFilesAddedRemovedAndChangedOnDisk) {
    start(ferryman);
    openPanel();
    folder.write("Greywater/dlg/00020Smith.dlg", kMiller);
    folder.write("Greywater/dlg/quests/00030Abbot.dlg", kGuard); // a new folder too
    QTRY_COMPARE_WITH_TIMEOUT(shown(ModuleModel::Name),
                              QStringList({"Ferryman", "Miller", "Guard", "Smith", "Abbot"}),
                              kWaitMs);

    ASSERT_TRUE(QFile::remove(QString::fromStdString(miller)));
    QTRY_COMPARE_WITH_TIMEOUT(shown(ModuleModel::Name),
                              QStringList({"Ferryman", "Guard", "Smith", "Abbot"}), kWaitMs);

    // Written in place, the guard's line is mended and one more is added.
    {
        QFile file(QString::fromStdString(guard));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{1}{Halt}{}{}{}{}{}\r\n{2}{Let me pass}{}{1}{}{0}{}\r\n"
                   "{3}{Goodbye}{}{1}{}{0}{}\r\n{4}{Bribe}{}{1}{}{0}{}\r\n");
    }
    const int row = shownRowOf(QStringLiteral("Guard"));
    QTRY_COMPARE_WITH_TIMEOUT(shown(ModuleModel::Lines)[row], QStringLiteral("4"), kWaitMs);
    EXPECT_EQ(shown(ModuleModel::Problems)[row], QStringLiteral("0"));
    settle();
    EXPECT_EQ(status(),
              QStringLiteral("Dialogs: 4, with problems: %1").arg(panel()->model().withProblems()));
}

TEST_F(ModulePanelTest, ASaveInTheEditorUpdatesTheDialogsRow) {
    start(miller);
    openPanel();
    const int row = shownRowOf(QStringLiteral("Miller"));
    EXPECT_EQ(shown(ModuleModel::Lines)[row], QStringLiteral("2"));
    QTest::keyClick(grid(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(grid(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(form->document().isModified());
    QTRY_COMPARE_WITH_TIMEOUT(shown(ModuleModel::Lines)[row], QStringLiteral("3"), kWaitMs);
    // Saved twice: the file written anew is watched as well.
    QTest::keyClick(grid(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(grid(), Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(shown(ModuleModel::Lines)[row], QStringLiteral("4"), kWaitMs);
}

TEST_F(ModulePanelTest, AFolderChosenFromTheFileMenuIsListed) {
    folder.write("Elsewhere/00005Hermit.dlg", kMiller);
    folder.write("Elsewhere/old/00006Monk.dlg", kGuard);
    start(ferryman);
    prompter.setNextFileName(QString::fromStdString(folder.path("Elsewhere")));
    form->action(QStringLiteral("OpenModule1"))->trigger();
    ASSERT_EQ(prompter.count(QStringLiteral("folder")), 1);
    EXPECT_EQ(prompter.shown().back().caption, QStringLiteral("Open module folder"));
    EXPECT_EQ(prompter.shown().back().start, QFileInfo(QString::fromStdString(ferryman)).path());
    EXPECT_TRUE(panel()->isVisible());
    settle();
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Hermit", "Monk"}));
    EXPECT_EQ(panel()->windowTitle(), QStringLiteral("Module - Elsewhere"));

    // A dialog of the folder opened keeps it listed; one from elsewhere lists its own.
    doubleClick(QStringLiteral("Monk"));
    EXPECT_EQ(form->shownTitle(), QStringLiteral("00006 - Monk"));
    settle();
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Hermit", "Monk"}));
    EXPECT_TRUE(form->LoadDlg(QString::fromStdString(guard)));
    settle();
    EXPECT_EQ(shown(ModuleModel::Name), QStringList({"Ferryman", "Miller", "Guard"}));
    EXPECT_EQ(list()->currentIndex().row(), 2);

    // Cancelled, nothing changes.
    prompter.setNextFileName(std::nullopt);
    form->action(QStringLiteral("OpenModule1"))->trigger();
    EXPECT_EQ(prompter.shown().back().start, dlg);
    EXPECT_EQ(panel()->folder(), dlg);
}

TEST_F(ModulePanelTest, AnEmptyFolderAndTheRussianTexts) {
    const QString empty = QString::fromStdString(folder.path("Empty"));
    QDir().mkpath(empty);
    start(ferryman);
    openPanel();
    form->action(QStringLiteral("N38"))->trigger(); // Russian
    EXPECT_EQ(panel()->windowTitle(), QStringLiteral("Модуль - Greywater"));
    EXPECT_EQ(list()->model()->headerData(ModuleModel::Problems, Qt::Horizontal),
              QStringLiteral("Ошибки"));
    prompter.setNextFileName(empty);
    form->action(QStringLiteral("OpenModule1"))->trigger();
    settle();
    EXPECT_EQ(list()->model()->rowCount(), 0);
    EXPECT_EQ(status(), QStringLiteral("В этой папке нет файлов диалогов"));
}

} // namespace
} // namespace dolmex
