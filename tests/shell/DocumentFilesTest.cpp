#include "shell/DocumentFiles.h"
#include "core/FileChangeWatcher.h"
#include "core/RecentFiles.h"
#include "shell/TMainForm.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <fstream>
#include <memory>

namespace dolmex {
namespace {

using test::TempFolder;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Writes as another program does: a new file put in place of the old one.
void ReplaceFile(const std::string& path, const std::string& bytes) {
    const QString temporary = Q(path) + QStringLiteral(".new");
    {
        QFile file(temporary);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    QFile::remove(Q(path));
    ASSERT_TRUE(QFile::rename(temporary, Q(path)));
}

// Long enough for the watcher to settle and say something, were it going to.
void WaitPastSettling() {
    QTest::qWait(FileChangeWatcher::kSettleMs * 3);
}

TEST(RecentFilesTest, KeepsTenDistinctFilesNewestFirstAcrossRuns) {
    TempFolder folder;
    const QString store = Q(folder.path("recent.ini"));
    const QString a = Q(folder.path("a.dlg"));
    {
        RecentFiles recent(store);
        for (int i = 0; i < 12; ++i)
            recent.add(Q(folder.path("f" + std::to_string(i) + ".dlg")));
        recent.add(a);
        // The same file reached another way is the same entry.
        recent.add(Q(folder.root()) + QStringLiteral("/sub/../a.dlg"));
        EXPECT_EQ(recent.files().size(), RecentFiles::kLimit);
        EXPECT_EQ(recent.files().front(), a);
        EXPECT_EQ(recent.files().count(a), 1);
        EXPECT_EQ(recent.files().at(1), Q(folder.path("f11.dlg")));
        recent.remove(Q(folder.path("f11.dlg")));
    }
    const RecentFiles again(store);
    ASSERT_EQ(again.files().size(), RecentFiles::kLimit - 1);
    EXPECT_EQ(again.files().front(), a);
    EXPECT_EQ(again.files().at(1), Q(folder.path("f10.dlg")));
}

TEST(RecentFilesTest, AListEditedByHandIsCleanedAsItIsRead) {
    TempFolder folder;
    const std::string store =
        folder.write("recent.ini", "[recent]\nfiles=/m/a.dlg, , /m/a.dlg, /m/./b.dlg, /m/c.dlg\n");
    const RecentFiles recent(Q(store));
    EXPECT_EQ(recent.files(), (QStringList{QStringLiteral("/m/a.dlg"), QStringLiteral("/m/b.dlg"),
                                           QStringLiteral("/m/c.dlg")}));
}

TEST(FileChangeWatcherTest, TellsEachChangeByAnotherProgramOnceAndNothingElse) {
    TempFolder folder;
    const std::string path = folder.write("a.dlg", "{1}{one}{}{}{}{}{}\r\n");
    FileChangeWatcher watcher;
    QSignalSpy changed(&watcher, &FileChangeWatcher::changedOnDisk);
    QSignalSpy removed(&watcher, &FileChangeWatcher::removedFromDisk);
    watcher.watch(Q(path));
    WaitPastSettling(); // the content known is read on a worker

    // The same bytes written again are no change.
    folder.write("a.dlg", "{1}{one}{}{}{}{}{}\r\n");
    WaitPastSettling();
    EXPECT_EQ(changed.count(), 0);

    // A file put in place by rename, twice: the watch survives the first.
    ReplaceFile(path, "{1}{two}{}{}{}{}{}\r\n");
    ASSERT_TRUE(changed.wait(5000));
    ReplaceFile(path, "{1}{three}{}{}{}{}{}\r\n");
    ASSERT_TRUE(changed.wait(5000));
    WaitPastSettling();
    EXPECT_EQ(changed.count(), 2);

    // The editor's own save: it watches what it wrote, so nothing is told.
    folder.write("a.dlg", "{1}{mine}{}{}{}{}{}\r\n");
    watcher.watch(Q(path));
    WaitPastSettling();
    EXPECT_EQ(changed.count(), 2);

    // Changed at once after the editor read it, before the worker looked: still told.
    watcher.watch(Q(path));
    ReplaceFile(path, "{1}{at once, and longer}{}{}{}{}{}\r\n");
    ASSERT_TRUE(changed.wait(5000));

    QFile::remove(Q(path));
    ASSERT_TRUE(removed.wait(5000));
    EXPECT_EQ(removed.count(), 1);
}

TEST(DocumentFilesTest, OnlyLocalDialogFilesAreTakenFromADrop) {
    struct Case {
        QList<QUrl> urls;
        QString expected;
    };
    const Case cases[] = {
        {{QUrl::fromLocalFile(QStringLiteral("/m/dlg/00001A.dlg"))},
         QStringLiteral("/m/dlg/00001A.dlg")},
        {{QUrl::fromLocalFile(QStringLiteral("/m/B.DLG"))}, QStringLiteral("/m/B.DLG")},
        {{QUrl::fromLocalFile(QStringLiteral("/m/notes.txt")),
          QUrl::fromLocalFile(QStringLiteral("/m/c.dlg"))},
         QStringLiteral("/m/c.dlg")},
        {{QUrl(QStringLiteral("https://example.org/a.dlg"))}, QString()},
        {{QUrl::fromLocalFile(QStringLiteral("/m/dlg"))}, QString()},
    };
    for (const Case& c : cases) {
        QMimeData data;
        data.setUrls(c.urls);
        EXPECT_EQ(DocumentFiles::DroppedDialog(data), c.expected);
    }
}

class DocumentFilesWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        context.recentFilesPath = folder.path("recent.ini");
    }

    std::unique_ptr<TMainForm> start(const QString& file = {}) {
        auto form = std::make_unique<TMainForm>(context, prompter, file);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }

    static QAction* recentItem(TMainForm& form, int number) {
        return form.findChild<QAction*>(QStringLiteral("RecentFile%1").arg(number));
    }

    // Chooses the item with the mouse from the open submenu.
    static void chooseRecent(TMainForm& form, int number) {
        auto* menu = form.findChild<QMenu*>(QStringLiteral("Recent1"));
        QAction* item = recentItem(form, number);
        ASSERT_NE(item, nullptr);
        menu->popup(form.mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    static QString passingMessage(TMainForm& form) {
        return form.findChild<QLabel*>(QStringLiteral("SBMessage"))->text();
    }

    static std::string text(TMainForm& form, int row) {
        return std::string(form.document().store().cell(row, 1));
    }

    // A drag from a file manager over the grid: enter, then drop, as the window system sends
    // them to the widget under the mouse.
    static bool drop(TMainForm& form, const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QWidget* grid = form.findChild<QTableView*>(QStringLiteral("SG"))->viewport();
        const QPoint at = grid->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid, &dropped);
        QCoreApplication::processEvents();
        return true;
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
};

const char* kOne = "{1}{First}{}{}{}{}{}\r\n{2}{Second}{}{}{}{}{}\r\n";
const char* kTwo = "{1}{Other}{}{}{}{}{}\r\n";

TEST_F(DocumentFilesWindowTest, TheFilesOpenedLastReopenAndAskBeforeChangesAreLost) {
    const std::string one = folder.write("dlg/00001One.dlg", kOne);
    const std::string two = folder.write("dlg/00002Two.dlg", kTwo);
    {
        auto form = start(Q(one));
        ASSERT_TRUE(form->LoadDlg(Q(two)));
    }
    // Another run sees the list, newest first.
    auto form = start();
    ASSERT_NE(recentItem(*form, 2), nullptr);
    EXPECT_TRUE(recentItem(*form, 1)->text().endsWith(QStringLiteral("00002Two.dlg")));
    chooseRecent(*form, 2);
    EXPECT_EQ(text(*form, 1), "First");

    form->document().store().setCell(1, 1, "edited");
    form->document().setModified(true);
    prompter.setNextAnswer(Prompter::Answer::Cancel);
    chooseRecent(*form, 2);
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 1);
    EXPECT_EQ(text(*form, 1), "edited");

    // A file gone since: dropped from the list, with a word in the status bar.
    form->document().setModified(false);
    QFile::remove(Q(two));
    chooseRecent(*form, 2);
    EXPECT_EQ(text(*form, 1), "edited");
    EXPECT_TRUE(passingMessage(*form).contains(QStringLiteral("00002Two.dlg")));
    EXPECT_EQ(recentItem(*form, 2), nullptr);
}

TEST_F(DocumentFilesWindowTest, ADialogDroppedOnTheWindowOpensAndOtherFilesAreRefused) {
    const std::string one = folder.write("00001One.dlg", kOne);
    const std::string notes = folder.write("notes.txt", kTwo);
    auto form = start();
    EXPECT_FALSE(drop(*form, Q(notes)));
    ASSERT_TRUE(drop(*form, Q(one)));
    EXPECT_EQ(text(*form, 1), "First");
    EXPECT_EQ(form->document().fileName(), one);
}

TEST_F(DocumentFilesWindowTest, AFileChangedElsewhereIsOfferedAgainAndKeptWhenDeclined) {
    const std::string path = folder.write("00001One.dlg", kOne);
    auto form = start(Q(path));
    form->setCurrentRow(2);

    ReplaceFile(path, "{1}{New first}{}{}{}{}{}\r\n{2}{New second}{}{}{}{}{}\r\n");
    prompter.setNextAnswer(Prompter::Answer::Yes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.count(QStringLiteral("question")) == 1; }));
    EXPECT_EQ(text(*form, 1), "New first");
    EXPECT_EQ(form->currentRow(), 2);
    EXPECT_FALSE(form->document().isModified());

    // Declined: the text here stays, and counts as unsaved.
    ReplaceFile(path, kTwo);
    prompter.setNextAnswer(Prompter::Answer::No);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.count(QStringLiteral("question")) == 2; }));
    EXPECT_EQ(text(*form, 1), "New first");
    EXPECT_TRUE(form->document().isModified());

    // The editor's own save is no change by another program.
    form->N4Click();
    WaitPastSettling();
    EXPECT_EQ(prompter.count(QStringLiteral("question")), 2);
    EXPECT_FALSE(form->document().isModified());
}

TEST_F(DocumentFilesWindowTest, TheDocksStandAsTheyWereLeftInTheLastRun) {
    context.windowStatePath = folder.path("window-state.ini");
    const std::string dialog = folder.write("dlg/00001A.dlg", "{1}{Hello}{}{}{}{0}{}\r\n");
    const auto shown = [](TMainForm& form, const char* dock, const char* item) {
        const bool visible = form.findChild<QWidget*>(QString::fromLatin1(dock))->isVisible();
        EXPECT_EQ(form.action(QString::fromLatin1(item))->isChecked(), visible) << dock;
        return visible;
    };
    {
        auto form = start(Q(dialog));
        auto* grid = form->findChild<QTableView*>(QStringLiteral("SG"));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier); // module
        QTest::keyClick(grid, Qt::Key_M, Qt::ControlModifier);                     // map
        ASSERT_TRUE(shown(*form, "ModulePanel", "Module1"));
        ASSERT_TRUE(shown(*form, "MapDock", "Map1"));
        ASSERT_TRUE(form->close());
    }
    auto form = start(Q(dialog));
    EXPECT_TRUE(shown(*form, "ModulePanel", "Module1"));
    EXPECT_TRUE(shown(*form, "MapDock", "Map1"));
    EXPECT_FALSE(shown(*form, "ModuleFind", "ModuleFind1"));
    // The panel shown at the start lists the module, as one shown from the menu does.
    auto* list = form->findChild<QAbstractItemView*>(QStringLiteral("ModuleList"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == 1; }));
    form->close();

    // A file of anything else starts the window as without one.
    std::ofstream(folder.path("window-state.ini"), std::ios::trunc)
        << "[MainWindow]\ndocks=@ByteArray(junk)\n";
    auto fresh = start(Q(dialog));
    EXPECT_FALSE(fresh->findChild<QWidget*>(QStringLiteral("ModulePanel"))->isVisible());
}

} // namespace
} // namespace dolmex
