// The main window driven as a person drives it: real key presses with their modifiers on the
// focused widget, real clicks, real message boxes where a box's focus change matters.
#include "shell/ProgramWindows.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

const char* kSixLines = "{1}{One}{}{}{}{2}{}\r\n{2}{Two}{}{1}{}{3}{}\r\n{3}{Three}{}{}{}{}{}\r\n"
                        "{4}{Four}{}{1}{}{5}{}\r\n{5}{Five}{}{}{}{}{}\r\n{6}{Six}{}{1}{}{0}{}\r\n";

class MainFormInputTest : public ::testing::Test {
protected:
    void SetUp() override { test::SetUpProgramFolder(folder, context); }

    TMainForm& start(const std::string& name = "00001Six.dlg", const char* bytes = kSixLines,
                     Prompter* boxes = nullptr) {
        const QString path = QString::fromStdString(folder.write(name, bytes));
        windows = std::make_unique<ProgramWindows>(context, boxes ? *boxes : prompter, path);
        main().show();
        QApplication::setActiveWindow(&main());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main()));
        return main();
    }

    TMainForm& main() { return windows->mainForm(); }
    QTableView* grid() { return main().findChild<QTableView*>(QStringLiteral("SG")); }
    LineStore& store() { return main().document().store(); }
    // Through the window system's path, as a keyboard sends it: shortcuts fire and the
    // application sees the modifier keys held.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWindow* window = QGuiApplication::focusWindow();
        QTest::keyClick(window ? window : main().windowHandle(), k, modifiers);
    }
    void clickRow(int row) {
        const QRect rect = grid()->visualRect(grid()->model()->index(row - 1, 1));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    std::vector<std::string> texts() {
        std::vector<std::string> result;
        for (int row = 1; row < store().rowCount(); ++row)
            result.emplace_back(store().cell(row, ColText));
        return result;
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<ProgramWindows> windows;
};

using Texts = std::vector<std::string>;
const Texts kSix{"One", "Two", "Three", "Four", "Five", "Six"};

TEST_F(MainFormInputTest, RowCommandsActOnlyOnTheRowsShownSelected) {
    start();
    clickRow(3);
    key(Qt::Key_N, Qt::ControlModifier); // append: only the new row is current and selected
    EXPECT_EQ(grid()->selectionModel()->selectedRows().size(), 1);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(texts(), kSix);

    clickRow(2);
    key(Qt::Key_Down, Qt::ControlModifier); // moving with Ctrl held leaves row 2 behind
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(texts(), (Texts{"One", "Two", "Four", "Five", "Six"}));

    clickRow(2);
    key(Qt::Key_Down, Qt::ShiftModifier); // Shift still selects a block
    key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(texts(), (Texts{"Two", "Four", "One", "Five", "Six"}));
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(texts(), (Texts{"One", "Five", "Six"}));
}

TEST_F(MainFormInputTest, ARefusedCharacterInACellWarnsOnceAndLeavesTheCell) {
    WidgetPrompter boxes;
    start("00001Six.dlg", kSixLines, &boxes);
    boxes.setParent(&main());
    int shown = 0;
    // Closes each real box as a person would, and counts them.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++shown;
            box->accept();
        }
    });
    closer.start(10);
    key(Qt::Key_F4);
    const struct {
        const char* name;
        QString typed;
        bool paste;
    } cases[] = {{"outside Windows-1251", QStringLiteral("ß"), false},
                 {"opening brace", QStringLiteral("{"), false},
                 {"closing brace", QStringLiteral("}"), false},
                 {"pasted line break", QStringLiteral("a\nb"), true}};
    for (const auto& c : cases) {
        shown = 0;
        grid()->setCurrentIndex(grid()->model()->index(0, ColText));
        QTest::keyClick(grid(), Qt::Key_F2); // the box has just handed the focus back
        auto* editor = grid()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << c.name;
        if (c.paste) {
            QApplication::clipboard()->setText(c.typed);
            QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(editor, c.typed);
        }
        QTRY_COMPARE_WITH_TIMEOUT(shown, 1, 2000);
        QTest::qWait(50);
        EXPECT_EQ(shown, 1) << c.name;
        EXPECT_EQ(store().cell(1, ColText), "One") << c.name;
    }
}

TEST_F(MainFormInputTest, EditModeOffKeepsWhatTheOpenEditorHolds) {
    start();
    key(Qt::Key_F4);
    grid()->setCurrentIndex(grid()->model()->index(0, ColText));
    key(Qt::Key_F2);
    key(Qt::Key_End);
    for (char c : std::string("!!"))
        QTest::keyClick(main().windowHandle(), c);
    key(Qt::Key_F4);
    EXPECT_EQ(store().cell(1, ColText), "One!!");
    EXPECT_EQ(grid()->indexWidget(grid()->currentIndex()), nullptr) << "the editor is closed";
    EXPECT_EQ(QApplication::focusWidget(), grid());
}

TEST_F(MainFormInputTest, RenumberingNotRunKeepsTheChangesAsked) {
    start();
    windows->tools().askOptions = [] { return false; }; // the options window is cancelled
    key(Qt::Key_N, Qt::ControlModifier);
    prompter.setNextAnswer(Prompter::Answer::No);
    key(Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(main().document().isModified());
    prompter.clearShown();
    key(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(prompter.count("question"), 1) << "New asks again";
}

TEST_F(MainFormInputTest, KeysReachTheGridFromTheStart) {
    start();
    EXPECT_EQ(QApplication::focusWidget(), grid());
    key(Qt::Key_Space);
    EXPECT_EQ(texts(), kSix) << "Space starts no new document";
    key(Qt::Key_Enter, Qt::KeypadModifier); // line 1 answers 2
    EXPECT_EQ(main().currentRow(), 2);
    key(Qt::Key_Return);
    EXPECT_EQ(main().currentRow(), 3);
}

TEST_F(MainFormInputTest, TitleNamesTheFileAndMarksUnsavedChanges) {
    start("00003Фома_Кузнец.dlg");
    EXPECT_EQ(main().shownTitle(), QStringLiteral("00003 - Фома Кузнец"));
    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(main().shownTitle(), QStringLiteral("00003 - Фома Кузнец*"));
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(main().shownTitle(), QStringLiteral("00003 - Фома Кузнец"));
    const QString message = main().findChild<QLabel*>(QStringLiteral("SBMessage"))->text();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Saved 7 lines to "))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("00003Фома_Кузнец.dlg"))) << message.toStdString();
}

TEST_F(MainFormInputTest, FileDialogsStartBesideTheDocument) {
    const std::string path = folder.path("00001Six.dlg");
    start();
    prompter.setNextFileName(std::nullopt);
    key(Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
    prompter.setNextFileName(std::nullopt);
    key(Qt::Key_F2, Qt::ShiftModifier);
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[0].start, QString::fromStdString(folder.root()));
    EXPECT_EQ(QtFileFilter(prompter.shown()[0].text),
              QStringLiteral("Dialog files (*.dlg);;All files (*.*)"));
    EXPECT_EQ(prompter.shown()[1].start, QString::fromStdString(path))
        << "Save as proposes the name";
}

TEST_F(MainFormInputTest, AMissingLanguageFileFallsBackToEnglishAndIsNotKept) {
    folder.write("dolmex.ctl",
                 "DefLanguage       MISSING.LNG\r\nDefWindowSize     20000 15000\r\n");
    start();
    EXPECT_EQ(prompter.count("error"), 1);
    EXPECT_EQ(main().action(QStringLiteral("N2"))->text(), QStringLiteral("New"));
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_LE(main().width(), screen.width());
    EXPECT_LE(main().height(), screen.height());
    main().close();
    EXPECT_EQ(ReadAll(folder.path("dolmex.ctl")).substr(0, 29), "DefLanguage       ENGLISH.LNG");
}

TEST_F(MainFormInputTest, FilesMadeElsewhereAreAnnouncedOrAskedAbout) {
    start("00001Odd.dlg", "//one\r\n//two\r\n{1}{Hi}{}{}{}{}{}\r\njunk\r\n");
    const auto note = [this] {
        return main().findChild<QLabel*>(QStringLiteral("SBMessage"))->text().toStdString();
    };
    EXPECT_EQ(note(), "Saving will change 2 lines of this file");

    const std::string binary = folder.write("00002Bin.dlg", std::string("{1}\0\x01\x02\x03", 7));
    for (const Prompter::Answer answer : {Prompter::Answer::No, Prompter::Answer::Yes}) {
        prompter.clearShown();
        prompter.setNextFileName(QString::fromStdString(binary));
        prompter.setNextAnswer(answer);
        key(Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
        ASSERT_EQ(prompter.count("question"), 1);
        EXPECT_TRUE(prompter.shown().back().text.endsWith(QStringLiteral("Open it?")));
        EXPECT_EQ(main().document().fileName() == binary, answer == Prompter::Answer::Yes);
    }
}

} // namespace
} // namespace dolmex
