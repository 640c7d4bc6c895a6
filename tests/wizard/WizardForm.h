#pragma once

// The wizard window opened from the main window as the program wires them, and the
// key presses and clicks its tests drive it with.

#include "core/Cp1251.h"
#include "shell/ProgramWindows.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"
#include "wizard/TWizardForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace dolmex::wizardform {

using test::ReadAll;
using test::TempFolder;

// Line 2 is a player line with a test, a response and a result; lines 1 and 3 NPC lines.
inline const char* const kThreeLines = "{1}{Hello}{}{}{}{2}{}\r\n"
                                       "{2}{Answer}{1}{-8}{gf1 1}{9}{jo1 }\r\n"
                                       "{3}{Bye}{}{}{}{}{}\r\n";

// Types any characters, Cyrillic included, as key presses that carry the text.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A double click as a person makes it: the view acts only on an item it saw pressed.
inline void DoubleClick(QAbstractItemView* view, const QRect& rect) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

inline void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

class WizardFormTest : public ::testing::Test {
public:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        path = folder.write("00002A.dlg", kThreeLines);
        windows = std::make_unique<ProgramWindows>(context, prompter, QString::fromStdString(path));
        // Shown without a nested event loop, so the test goes on while it is open.
        windows->wizard().showModal = [](TWizardForm& form) { form.show(); };
        windows->mainForm().show();
    }

    void TearDown() override {
        windows->wizard().hide();
        // Nothing here asks about unsaved changes.
        windows->mainForm().document().setModified(false);
    }

    TMainForm& main() { return windows->mainForm(); }
    TWizardForm& wizard() { return windows->wizard(); }

    // Double-clicks line `row` of the main grid, which opens the wizard on it.
    void open(int row) {
        auto* grid = main().findChild<QTableView*>(QStringLiteral("SG"));
        DoubleClick(grid, grid->visualRect(grid->model()->index(row - 1, ColText)));
        ASSERT_TRUE(wizard().isVisible());
        // The offscreen platform does not activate a window shown again by itself.
        main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
        wizard().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard()));
        ASSERT_EQ(QApplication::activeWindow(), &wizard());
    }

    template <typename T> T* w(const char* name) {
        T* widget = wizard().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QStringList rows(const char* list) {
        QStringList texts;
        auto* view = w<QListWidget>(list);
        for (int i = 0; i < view->count(); ++i)
            texts << view->item(i)->text();
        return texts;
    }

    void trigger(const char* item) { w<QAction>(item)->trigger(); }

    // The keyboard goes to `name` (the wizard itself for null), as a click or Tab takes it.
    void focus(const char* name) {
        QWidget* widget = name ? w<QWidget>(name) : &wizard();
        widget->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), widget) << (name ? name : "wizard");
    }
    // A key as a person presses it: to the widget that holds the keyboard.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key, modifiers);
    }
    // Queued work (the cell editor's commit, the warning after it) runs.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    std::string cell(int row, int column) {
        return std::string(main().document().store().cell(row, column));
    }
    const std::string& working(int column) {
        return wizard().model().workingRow()[static_cast<std::size_t>(column)];
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::string path;
    std::unique_ptr<ProgramWindows> windows;
};

} // namespace dolmex::wizardform
