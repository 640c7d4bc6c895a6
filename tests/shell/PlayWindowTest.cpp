#include "play/TPlayForm.h"
#include "shell/ProgramWindows.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTextEdit>

namespace dolmex {
namespace {

using test::TempFolder;

const char* kTwoBlocks = "//Greeting\r\n{10}{Hello, sir}{Hello, miss}{}{}{}{}\r\n"
                         "{11}{Ask}{}{1}{gv 5 1}{20}{}\r\n{12}{For women}{1}{1}{}{0}{}\r\n"
                         "{13}{Clever}{}{15}{}{0}{}\r\n\r\n"
                         "{20}{Bye}{}{}{}{}{}\r\n{21}{Again}{}{1}{}{10}{}\r\n";

class PlayWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        const QString path = QString::fromStdString(folder.write("00003Play.dlg", kTwoBlocks));
        windows = std::make_unique<ProgramWindows>(context, prompter, path);
        main().show();
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }

    TMainForm& main() { return windows->mainForm(); }
    QWidget* play() { return &windows->playForm(); }
    template <typename T> T* control(const char* name) {
        T* found = play()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QStringList items(const char* list) {
        QStringList texts;
        auto* widget = control<QListWidget>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }
    void key(Qt::Key k) {
        QWindow* window = QGuiApplication::focusWindow();
        QTest::keyClick(window ? window : main().windowHandle(), k);
    }
    void clickRow(int row) {
        auto* grid = main().findChild<QTableView*>(QStringLiteral("SG"));
        const QRect rect = grid->visualRect(grid->model()->index(row - 1, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // As a person makes it: the view acts only on an item it saw pressed.
    void doubleClick(QListWidget* list, int index) {
        const QRect rect = list->visualItemRect(list->item(index));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // On the box and its label, not the empty width the layout gives it.
    void clickToggle(const char* name) {
        auto* box = control<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    // F5 from a row of the grid, and the play window active.
    void playFrom(int row) {
        clickRow(row);
        key(Qt::Key_F5);
        ASSERT_TRUE(play()->isVisible());
        QApplication::setActiveWindow(play());
        ASSERT_TRUE(QTest::qWaitForWindowActive(play()));
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(PlayWindowTest, F5PlaysFromTheCurrentLinesBlockAndEnterTakesAnAnswer) {
    EXPECT_FALSE(play()->isVisible());
    playFrom(3); // a player line: its block's NPC line speaks
    EXPECT_EQ(play()->objectName(), "PlayForm");
    EXPECT_EQ(play()->windowTitle(), "Play");
    EXPECT_TRUE(
        control<QTextEdit>("NpcText")->toPlainText().startsWith("Line 10 (NPC):\n\"Hello, sir\""))
        << control<QTextEdit>("NpcText")->toPlainText().toStdString();
    EXPECT_EQ(items("AnswerList"), QStringList{"1. [11] \"Ask\""});
    EXPECT_FALSE(control<QPushButton>("BackButton")->isEnabled());

    key(Qt::Key_Return);
    EXPECT_TRUE(control<QTextEdit>("NpcText")->toPlainText().startsWith("Line 20 (NPC):"));
    EXPECT_EQ(items("AnswerList"), QStringList{"1. [21] \"Again\""});
    EXPECT_EQ(items("TranscriptList").size(), 3);
    EXPECT_TRUE(items("TranscriptList").at(1).startsWith("Chosen 1: [11]"));

    QTest::mouseClick(control<QPushButton>("BackButton"), Qt::LeftButton);
    EXPECT_EQ(items("TranscriptList").size(), 1);
    key(Qt::Key_Return);
    key(Qt::Key_Return); // line 21 leads back to line 10
    EXPECT_EQ(items("TranscriptList").size(), 5);
    QTest::mouseClick(control<QPushButton>("RestartButton"), Qt::LeftButton);
    EXPECT_EQ(items("TranscriptList").size(), 1);
}

TEST_F(PlayWindowTest, TheCharacterAndFailingTestsChangeTheAnswers) {
    playFrom(2);
    auto* gender = control<QComboBox>("GenderBox");
    gender->setFocus();
    QTest::keyClick(gender, Qt::Key_Down);
    EXPECT_EQ(gender->currentText(), "Female");
    EXPECT_TRUE(control<QTextEdit>("NpcText")->toPlainText().contains("\"Hello, miss\""));
    EXPECT_EQ(items("AnswerList"), (QStringList{"1. [11] \"Ask\"", "2. [12] \"For women\""}));

    auto* intelligence = control<QSpinBox>("IntelligenceSpin");
    EXPECT_EQ(intelligence->value(), 10);
    EXPECT_EQ(intelligence->minimum(), 1);
    EXPECT_EQ(intelligence->maximum(), 20);
    intelligence->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(intelligence, Qt::Key_Up);
    EXPECT_EQ(items("AnswerList"),
              (QStringList{"1. [11] \"Ask\"", "2. [12] \"For women\"", "3. [13] \"Clever\""}));

    // Line 11's one test, made to fail with the space bar.
    auto* tests = control<QListWidget>("TestList");
    ASSERT_EQ(tests->count(), 1);
    EXPECT_TRUE(tests->item(0)->text().startsWith("[11] 1) "))
        << tests->item(0)->text().toStdString();
    tests->setFocus();
    tests->setCurrentRow(0);
    QTest::keyClick(tests, Qt::Key_Space);
    EXPECT_EQ(items("AnswerList"), (QStringList{"1. [12] \"For women\"", "2. [13] \"Clever\""}));
    EXPECT_EQ(control<QListWidget>("TestList")->item(0)->checkState(), Qt::Checked);

    // The hidden one, greyed with its reason, behind the toggle.
    clickToggle("HiddenToggle");
    auto* answers = control<QListWidget>("AnswerList");
    ASSERT_EQ(answers->count(), 3);
    EXPECT_EQ(answers->item(2)->text(), QString::fromUtf8("[11] \"Ask\" \u2014 test 1 fails"));
    EXPECT_FALSE(answers->item(2)->flags() & Qt::ItemIsEnabled);
    doubleClick(answers, 2); // a hidden answer cannot be taken
    EXPECT_EQ(items("TranscriptList").size(), 1);

    clickToggle("AllFailToggle");
    EXPECT_FALSE(control<QListWidget>("TestList")->item(0)->flags() & Qt::ItemIsEnabled);
    doubleClick(answers, 0);
    EXPECT_EQ(items("TranscriptList").last(), "end of the conversation");
}

TEST_F(PlayWindowTest, DoubleClickingATranscriptEntryMakesItsRowCurrent) {
    playFrom(1);
    key(Qt::Key_Return);
    auto* transcript = control<QListWidget>("TranscriptList");
    ASSERT_EQ(transcript->count(), 3);
    doubleClick(transcript, 1);
    EXPECT_EQ(main().currentRow(), 2); // line 11
    doubleClick(transcript, 2);
    EXPECT_EQ(main().currentRow(), 6); // line 20
    EXPECT_NE(main().description().lines.at(0).text.find("20"), std::string::npos);
}

TEST_F(PlayWindowTest, ARowInNoBlockOpensNothing) {
    clickRow(5); // the empty row between the blocks
    key(Qt::Key_F5);
    EXPECT_FALSE(play()->isVisible());
}

} // namespace
} // namespace dolmex
