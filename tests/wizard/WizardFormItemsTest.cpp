// The wizard window driven through its widgets: its items, menus, editors and apply
// commands.

#include "WizardForm.h"

namespace dolmex {
namespace {

using namespace wizardform;

TEST_F(WizardFormTest, DoubleClickOpensTheRowWithItsControlsAndCaptions) {
    ASSERT_FALSE(wizard().isVisible());
    open(2);
    EXPECT_EQ(wizard().windowTitle(), "Line wizard");
    EXPECT_EQ(w<QGroupBox>("GroupBox2")->title(), "Conditions (tests)");
    EXPECT_EQ(w<QAction>("N19")->text(), "Area known to the player");
    EXPECT_EQ(w<QMenu>("PC5")->title(), "The player has at least");
    EXPECT_EQ(w<QAction>("N512")->text(), "$5");
    EXPECT_EQ(w<QToolButton>("TBtn1")->toolTip(), "Money");
    EXPECT_EQ(w<QPushButton>("SpeedButton5")->text(), "OK");

    EXPECT_TRUE(w<QRadioButton>("PCRB")->isChecked());
    EXPECT_EQ(w<QLineEdit>("LineEdit1")->text(), "Answer");
    EXPECT_FALSE(w<QLineEdit>("LineEdit2")->isVisible()) << "player lines have a gender condition";
    EXPECT_TRUE(w<QComboBox>("GenderBox")->isVisible());
    EXPECT_EQ(w<QComboBox>("GenderBox")->currentText(), "Female");
    EXPECT_EQ(w<QPushButton>("IntBtn")->text(), "MAX");
    EXPECT_EQ(w<QLineEdit>("IntEdit")->text(), "8");
    ASSERT_EQ(rows("TestList").size(), 1);
    EXPECT_EQ(rows("TestList")[0], "1)  Global flag 1 is set");
    ASSERT_EQ(rows("ResultList").size(), 1);
    EXPECT_TRUE(rows("ResultList")[0].startsWith("1)  The NPC joins"))
        << rows("ResultList")[0].toStdString();
    EXPECT_EQ(w<QComboBox>("ResLineBox")->currentText(), "Go to line");
    EXPECT_EQ(w<QLineEdit>("ResLineEdit")->text(), "9");
    EXPECT_EQ(w<QTableWidget>("SG")->item(0, ColTest)->text(), "gf1 1");

    // Another row: an NPC line shows both texts and hides the player's controls.
    wizard().hide();
    open(1);
    EXPECT_TRUE(w<QRadioButton>("NPCRB")->isChecked());
    EXPECT_TRUE(w<QLineEdit>("LineEdit2")->isVisible());
    EXPECT_FALSE(w<QComboBox>("GenderBox")->isVisible());
    EXPECT_FALSE(w<QWidget>("IntTrack")->isVisible());
    EXPECT_TRUE(rows("TestList").isEmpty());
}

TEST_F(WizardFormTest, MenuItemsAppendTheirItemAndLoadItIntoTheEditor) {
    struct Case {
        const char* item;
        int column;
        const char* cell; // the cell after the insertion
        const char* list;
        const char* codeBox;
        const char* code;
        const char* firstBox;
        const char* first;
    };
    const Case cases[] = {
        {"N19", ColTest, "gf1 1,ar1 ", "TestList", "TEdit", "ar", "TNumEdit1", "1"},
        {"N20", ColResult, "jo1 ,al+1 ", "ResultList", "REdit", "al", "RNumEdit1", "+1"},
        {"N81", ColResult, "jo1 ,uw0 ", "ResultList", "REdit", "uw", "RNumEdit1", "0"},
        {"N45", ColTest, "gf1 1,gv1 1", "TestList", "TEdit", "gv", "TNumEdit1", "1"},
    };
    for (const Case& c : cases) {
        open(2);
        trigger(c.item);
        EXPECT_EQ(working(c.column), c.cell) << c.item;
        EXPECT_EQ(cell(2, c.column), c.column == ColTest ? "gf1 1" : "jo1 ")
            << c.item << ": nothing reaches the store before an apply";
        auto* list = w<QListWidget>(c.list);
        EXPECT_EQ(list->count(), 2) << c.item;
        EXPECT_EQ(list->currentRow(), 1) << c.item;
        EXPECT_EQ(w<QLineEdit>(c.codeBox)->text(), c.code) << c.item;
        EXPECT_EQ(w<QLineEdit>(c.firstBox)->text(), c.first) << c.item;
        wizard().hide();
    }
}

TEST_F(WizardFormTest, SkillOpenerSetsThePendingItemBeforeItsMenuDrops) {
    open(2);
    bool finished = false;
    QTimer::singleShot(0, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        trigger("sk5");
        popup->close();
        finished = true;
    });
    // The button drops its menu on the press, in a loop of its own.
    QTest::mousePress(w<QToolButton>("ToolButton12"), Qt::LeftButton);
    ASSERT_TRUE(finished);
    EXPECT_EQ(working(ColTest), "gf1 1,tr5 -1");
    EXPECT_EQ(w<QListWidget>("TestList")->currentRow(), 1) << "the new item stays selected";
    EXPECT_EQ(w<QLineEdit>("TEdit")->text(), "tr");
    EXPECT_TRUE(w<QComboBox>("TCB1")->isVisible()) << "skills are chosen by name";
    EXPECT_EQ(w<QComboBox>("TCB1")->currentIndex(), 5);
}

TEST_F(WizardFormTest, ChoiceListsRewriteTheSelectedItem) {
    open(2);
    ClickRow(w<QListWidget>("ResultList"), 0);
    auto* limits = w<QComboBox>("RCB1");
    ASSERT_TRUE(limits->isVisible());
    ASSERT_EQ(limits->count(), 2);
    // The program's own Windows-1251 texts, shown as the Cyrillic they are.
    EXPECT_EQ(limits->itemText(0), QString::fromUtf8("лимит харизмы"));
    EXPECT_EQ(limits->itemText(1), QString::fromUtf8("без лимита"));
    EXPECT_EQ(limits->currentIndex(), 1);
    QTest::keyClick(limits, Qt::Key_Up);
    EXPECT_EQ(working(ColResult), "jo0 ");
    EXPECT_EQ(w<QListWidget>("ResultList")->currentRow(), 0);

    // The gender list writes its cell.
    QTest::keyClick(w<QComboBox>("GenderBox"), Qt::Key_Up);
    EXPECT_EQ(working(ColGender), "0");
}

TEST_F(WizardFormTest, EnterReplacesTheSelectedItemAndKeepsTheWindowOpen) {
    open(2);
    ClickRow(w<QListWidget>("TestList"), 0);
    auto* first = w<QLineEdit>("TNumEdit1");
    ASSERT_EQ(first->text(), "1");
    first->selectAll();
    QTest::keyClicks(first, "12");
    EXPECT_EQ(working(ColTest), "gf1 1") << "typing alone does not write the item";
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(working(ColTest), "gf12 1");
    EXPECT_EQ(rows("TestList"), QStringList{"1)  Global flag 12 is set"});
    EXPECT_EQ(w<QListWidget>("TestList")->currentRow(), 0);
    EXPECT_EQ(first->selectedText(), "12") << "the next typing replaces the argument";
    EXPECT_TRUE(wizard().isVisible());

    // Delete in the list removes the item.
    QTest::keyClick(w<QListWidget>("TestList"), Qt::Key_Delete);
    EXPECT_EQ(working(ColTest), "");
}

TEST_F(WizardFormTest, ApplyCommandsWriteTheStoreAndMoveTheMainWindow) {
    struct Case {
        const char* button;
        bool applied;
        int rowAfter;   // the main grid's current row
        bool openAfter; // the wizard still shown
        const char* shownText;
    };
    const Case cases[] = {
        {"SpeedButton5", true, 2, false, "Edited"}, // OK
        {"SpeedButton6", true, 2, true, "Edited"},  // apply
        {"SpeedButton7", false, 2, true, "Answer"}, // revert
        {"SpeedButton4", true, 1, true, "Hello"},   // apply and previous
        {"SpeedButton2", true, 3, true, "Bye"},     // apply and next
    };
    for (const Case& c : cases) {
        main().document().store().setCell(2, ColText, "Answer");
        main().document().setModified(false);
        open(2);
        auto* text = w<QLineEdit>("LineEdit1");
        text->selectAll();
        QTest::keyClicks(text, "Edited");
        ASSERT_EQ(working(ColText), "Edited") << c.button;
        QTest::mouseClick(w<QPushButton>(c.button), Qt::LeftButton);
        EXPECT_EQ(cell(2, ColText), c.applied ? "Edited" : "Answer") << c.button;
        EXPECT_EQ(main().document().isModified(), c.applied) << c.button;
        EXPECT_EQ(main().currentRow(), c.rowAfter) << c.button;
        EXPECT_EQ(wizard().isVisible(), c.openAfter) << c.button;
        EXPECT_EQ(text->text(), c.shownText) << c.button;
        wizard().hide();
    }
}

TEST_F(WizardFormTest, AuxiliaryControlsWriteTheirCells) {
    // Each row drives one kind of widget on line 2 (intelligence -8, response 9).
    struct Case {
        const char* name;
        std::function<void(WizardFormTest&)> act;
        int column;
        const char* cell;
    };
    const Case cases[] = {
        {"IntBtn switches to at least",
         [](WizardFormTest& t) { QTest::mouseClick(t.w<QPushButton>("IntBtn"), Qt::LeftButton); },
         ColIntelligence, "8"},
        {"track bar",
         [](WizardFormTest& t) { QTest::keyClick(t.w<QWidget>("IntTrack"), Qt::Key_Right); },
         ColIntelligence, "-9"},
        {"low zone",
         [](WizardFormTest& t) { QTest::mouseClick(t.w<QWidget>("Shape1"), Qt::LeftButton); },
         ColIntelligence, "-4"},
        {"high zone",
         [](WizardFormTest& t) { QTest::mouseClick(t.w<QWidget>("Shape3"), Qt::LeftButton); },
         ColIntelligence, "-20"},
        {"intelligence box",
         [](WizardFormTest& t) {
             t.w<QLineEdit>("IntEdit")->selectAll();
             QTest::keyClicks(t.w<QLineEdit>("IntEdit"), "35");
         },
         ColIntelligence, "-20"},
        {"response: end of the conversation",
         [](WizardFormTest& t) { QTest::keyClick(t.w<QComboBox>("ResLineBox"), Qt::Key_Down); },
         ColResponse, "0"},
        {"response line number",
         [](WizardFormTest& t) { QTest::keyClicks(t.w<QLineEdit>("ResLineEdit"), "4"); },
         ColResponse, "94"},
        {"NPC kind empties the texts",
         [](WizardFormTest& t) { QTest::mouseClick(t.w<QRadioButton>("NPCRB"), Qt::LeftButton); },
         ColText, ""},
        {"generated text",
         [](WizardFormTest& t) { QTest::mouseClick(t.w<QPushButton>("DiaBtn1"), Qt::LeftButton); },
         ColText, "C:"},
    };
    for (const Case& c : cases) {
        open(2);
        c.act(*this);
        EXPECT_EQ(working(c.column), c.cell) << c.name;
        EXPECT_EQ(w<QTableWidget>("SG")->item(0, c.column)->text(), c.cell) << c.name;
        wizard().hide();
    }
    // The kind switch repaints the layout: an NPC line has no gender list.
    open(2);
    QTest::mouseClick(w<QRadioButton>("NPCRB"), Qt::LeftButton);
    EXPECT_FALSE(w<QComboBox>("GenderBox")->isVisible());
    EXPECT_TRUE(w<QLineEdit>("LineEdit2")->isVisible());
    EXPECT_EQ(working(ColIntelligence), "");
}

TEST_F(WizardFormTest, EditingTheWizardsOwnGridRefillsTheControls) {
    open(2);
    // What the grid's cell editor does when the edit is committed.
    w<QTableWidget>("SG")->item(0, ColTest)->setText(QStringLiteral("al5 "));
    EXPECT_EQ(working(ColTest), "al5 ");
    EXPECT_EQ(rows("TestList"), QStringList{"1)  The player's alignment is at least 5"});
    w<QTableWidget>("SG")->item(0, ColText)->setText(QString::fromUtf8("\u4E2D"));
    settle();
    EXPECT_EQ(working(ColText), "Answer");
    EXPECT_EQ(w<QTableWidget>("SG")->item(0, ColText)->text(), "Answer");
    EXPECT_EQ(prompter.count("warning"), 1);
}

TEST_F(WizardFormTest, ClosingWithoutApplyLeavesTheStore) {
    open(2);
    focus("LineEdit1");
    TypeText(QApplication::focusWidget(), QString::fromUtf8("Привет"));
    EXPECT_EQ(working(ColText), "Answer\xCF\xF0\xE8\xE2\xE5\xF2");
    press(Qt::Key_Escape);
    EXPECT_FALSE(wizard().isVisible());
    EXPECT_EQ(cell(2, ColText), "Answer");
    EXPECT_FALSE(main().document().isModified());
}

TEST_F(WizardFormTest, ApplyAndNextOnTheLastRowAppendsANumberedRowInOneUndoStep) {
    open(3);
    QTest::keyClicks(w<QLineEdit>("LineEdit1"), "!");
    const int steps = main().undoStack().count();
    QTest::mouseClick(w<QPushButton>("SpeedButton2"), Qt::LeftButton);
    ASSERT_EQ(main().document().store().rowCount(), 5);
    EXPECT_EQ(cell(3, ColText), "Bye!");
    EXPECT_EQ(cell(4, ColNumber), "4");
    EXPECT_EQ(main().currentRow(), 4);
    EXPECT_EQ(w<QTableWidget>("SG")->item(0, ColNumber)->text(), "4");
    EXPECT_EQ(w<QLineEdit>("LineEdit1")->text(), "");

    EXPECT_EQ(main().undoStack().count(), steps + 1) << "the apply and the new row together";
    EXPECT_EQ(main().undoStack().undoText(), "Apply the wizard's line");
    main().action(QStringLiteral("Undo1"))->trigger();
    EXPECT_EQ(main().document().store().rowCount(), 4);
    EXPECT_EQ(cell(3, ColText), "Bye");
}

} // namespace
} // namespace dolmex
