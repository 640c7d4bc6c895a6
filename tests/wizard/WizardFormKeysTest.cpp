// The wizard window driven through its widgets: keys and focus, layout, language.

#include "WizardForm.h"

namespace dolmex {
namespace {

using namespace wizardform;

TEST_F(WizardFormTest, LeftAndRightMoveThroughTheLinesWhenNoControlHoldsTheKeyboard) {
    open(2);
    ASSERT_EQ(QApplication::focusWidget(), &wizard());
    press(Qt::Key_Right);
    EXPECT_EQ(main().currentRow(), 3);
    EXPECT_EQ(w<QLineEdit>("LineEdit1")->text(), "Bye");
    press(Qt::Key_Left);
    // A click on a button leaves the keyboard with the window.
    QTest::mouseClick(w<QPushButton>("SpeedButton6"), Qt::LeftButton);
    press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(main().currentRow(), 1);
    EXPECT_EQ(w<QLineEdit>("LineEdit1")->text(), "Hello");
    press(Qt::Key_Left);
    EXPECT_EQ(main().currentRow(), 1) << "the first line stays";
    EXPECT_TRUE(main().document().isModified()) << "every move applies";
}

TEST_F(WizardFormTest, ArrowKeysBelongToTheFocusedControl) {
    // Line 2 is a player line; moving on, appending or switching the kind would show.
    struct Case {
        const char* control;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {
        {"GenderBox", Qt::Key_Right, {}},
        {"ResLineBox", Qt::Key_Left, {}},
        {"ResLineBox", Qt::Key_Right, Qt::ShiftModifier},
        {"PCRB", Qt::Key_Right, {}},
        {"PCRB", Qt::Key_Down, {}},
        {"PCRB", Qt::Key_Left, Qt::ControlModifier},
        {"NPCRB", Qt::Key_Up, {}},
        {"LineEdit1", Qt::Key_Right, {}},
        {"TestList", Qt::Key_Right, {}},
        {"SG", Qt::Key_Left, {}},
    };
    for (const Case& c : cases) {
        open(2);
        const DialogLine before = wizard().model().workingRow();
        focus(c.control);
        press(c.key, c.modifiers);
        EXPECT_EQ(main().currentRow(), 2) << c.control;
        EXPECT_EQ(main().document().store().rowCount(), 4) << c.control;
        EXPECT_EQ(wizard().model().workingRow(), before) << c.control;
        wizard().hide();
    }
    // Space chooses a kind.
    open(2);
    focus("NPCRB");
    press(Qt::Key_Space);
    EXPECT_TRUE(w<QRadioButton>("NPCRB")->isChecked());
    EXPECT_EQ(working(ColIntelligence), "");
}

TEST_F(WizardFormTest, ArgumentsLongerThanTheirBoxStayWhole) {
    main().document().store().setCell(2, ColTest, "$$ -1000000");
    main().document().store().setCell(2, ColResponse, "123456");
    main().document().store().setCell(2, ColResult, "$$ -1000000");
    struct Case {
        const char* list; // clicked first, when the box edits an item
        const char* box;
        const char* shown;
        int column;
        const char* cell; // after one Backspace and Return
    };
    const Case cases[] = {
        {"TestList", "TNumEdit1", "-1000000", ColTest, "$$-100000 "},
        {"ResultList", "RNumEdit1", "-1000000", ColResult, "$$-100000 "},
        {nullptr, "ResLineEdit", "123456", ColResponse, "12345"},
    };
    for (const Case& c : cases) {
        open(2);
        if (c.list)
            ClickRow(w<QListWidget>(c.list), 0);
        auto* box = w<QLineEdit>(c.box);
        EXPECT_EQ(box->text(), c.shown) << c.box;
        QTest::mouseClick(box, Qt::LeftButton);
        press(Qt::Key_End);
        press(Qt::Key_Backspace);
        press(Qt::Key_Return);
        EXPECT_EQ(working(c.column), c.cell) << c.box;
        wizard().hide();
    }
}

TEST_F(WizardFormTest, ACharacterACellCannotHoldIsRefusedWithOneWarning) {
    struct Case {
        const char* box;
        const char* entered; // UTF-8
        bool pasted;
        const char* named; // how the warning names the character
    };
    const Case cases[] = {
        {"LineEdit1", "\u4E2D", false, "\"\u4E2D\""},
        {"LineEdit1", "{", false, "\"{\""},
        {"LineEdit2", "a\nb", true, "U+000A"},
        {"TNumEdit1", "}", false, "\"}\""},
        {"RNumEdit2", "x}", true, "\"}\""},
        {"ResLineEdit", "\r", true, "U+000D"},
        {"SG", "{", false, "\"{\""}, // the wizard's own grid
    };
    for (const Case& c : cases) {
        open(1); // an NPC line, with both texts
        prompter.clearShown();
        focus(c.box);
        auto* grid = qobject_cast<QTableWidget*>(QApplication::focusWidget());
        if (grid)
            grid->setCurrentCell(0, ColText);
        const DialogLine before = wizard().model().workingRow();
        const QString text = grid ? grid->item(0, ColText)->text() : w<QLineEdit>(c.box)->text();
        if (c.pasted) {
            QApplication::clipboard()->setText(QString::fromUtf8(c.entered));
            press(Qt::Key_V, Qt::ControlModifier);
        } else {
            TypeText(QApplication::focusWidget(), QString::fromUtf8(c.entered));
        }
        if (grid)
            press(Qt::Key_Return); // commits the cell editor
        settle();
        EXPECT_EQ(wizard().model().workingRow(), before) << c.box;
        EXPECT_EQ(grid ? grid->item(0, ColText)->text() : w<QLineEdit>(c.box)->text(), text)
            << c.box;
        ASSERT_EQ(prompter.count("warning"), 1) << c.box;
        EXPECT_TRUE(prompter.shown().back().text.endsWith(QString::fromUtf8(c.named)))
            << c.box << ": " << prompter.shown().back().text.toStdString();
        wizard().hide();
    }
}

TEST_F(WizardFormTest, TheWindowFitsTheScreen) {
    wizard().resize(5000, 4000);
    wizard().move(3000, 3000);
    open(2);
    // The offscreen screen is narrower than the wizard's controls: they scroll.
    const QRect frame = wizard().frameGeometry();
    EXPECT_TRUE(wizard().screen()->availableGeometry().contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
}

TEST_F(WizardFormTest, LanguageSwitchRecaptionsTheWizard) {
    open(2);
    main().action(QStringLiteral("N38"))->trigger();
    EXPECT_EQ(wizard().windowTitle(), QString::fromUtf8("Мастер строки"));
    EXPECT_EQ(w<QComboBox>("ResLineBox")->currentText(), QString::fromUtf8("Перейти к строке"));
    EXPECT_EQ(w<QComboBox>("ResLineBox")->count(), 4);
}

} // namespace
} // namespace dolmex
