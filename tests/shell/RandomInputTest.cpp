// The whole program driven by a random sequence of real key presses and mouse clicks from a
// fixed seed: every menu shortcut of the main window, cell editing, the wizard, buffers,
// tools, undo and redo. After each event: a row command touched only the rows shown
// selected, and a document said to be unmodified holds exactly its file's bytes. Now and
// then every step is undone (back to the loaded bytes) and redone. DOLMEX_INPUT_EVENTS sets
// the number of events (2000 by default), DOLMEX_INPUT_SEED the seed.
#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "shell/ProgramWindows.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <random>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

int Setting(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// Answers every box at random; the file dialogs offer the test's own files.
class RandomPrompter : public Prompter {
public:
    RandomPrompter(std::mt19937& random, QString dialog, QString saved)
        : m_random(random), m_dialog(std::move(dialog)), m_saved(std::move(saved)) {}

    Answer askYesNoCancel(const QString&, const QString&) override {
        return static_cast<Answer>(pick(3));
    }
    bool askYesNo(const QString&, const QString&) override { return pick(2) == 0; }
    void warn(const QString&, const QString&) override {}
    void ioError(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
    void inform(const QString&, const QString&) override {}
    std::optional<QString> openFileName(const QString&, const QString&) override {
        return pick(2) ? std::optional(m_dialog) : std::nullopt;
    }
    std::optional<QString> saveFileName(const QString&, const QString&) override {
        return pick(2) ? std::optional(m_saved) : std::nullopt;
    }
    std::optional<QString> askText(const QString&, const QString&) override {
        return pick(2) ? std::optional(QString::number(pick(30))) : std::nullopt;
    }
    std::optional<QString> folderName(const QString&, const QString&) override {
        return pick(2) ? std::optional(QFileInfo(m_dialog).path()) : std::nullopt;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::mt19937& m_random;
    QString m_dialog;
    QString m_saved;
};

std::string RandomDialog(std::mt19937& random) {
    DialogLines rows;
    for (int number = 1; number <= 24; ++number) {
        DialogLine line;
        line[ColNumber] = std::to_string(number);
        line[ColText] = "line " + std::to_string(number) + (number % 5 ? "" : " \xC4\xE0");
        line[ColIntelligence] = number % 3 ? "" : std::to_string(random() % 9 + 1);
        line[ColResponse] = std::to_string(random() % 30);
        line[ColResult] = number % 4 ? "" : "jo 1 " + std::to_string(random() % 30);
        line[ColComment] = number % 6 ? "" : "note " + std::to_string(number);
        rows.push_back(PackedLine(line));
    }
    return SerializeDialog(rows);
}

enum class RowCommand { None, Delete, Cut, MoveUp, MoveDown };

class RandomInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        const std::string dialog = folder.write("00001Random.dlg", RandomDialog(random));
        prompter =
            std::make_unique<RandomPrompter>(random, QString::fromStdString(dialog),
                                             QString::fromStdString(folder.path("00002Saved.dlg")));
        windows =
            std::make_unique<ProgramWindows>(context, *prompter, QString::fromStdString(dialog));
        windows->tools().askOptions = [this] { return below(2) == 0; };
        main().show();
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
        epochStart = text();
    }

    TMainForm& main() { return windows->mainForm(); }
    LineStore& store() { return main().document().store(); }
    QTableView* grid() { return main().findChild<QTableView*>(QStringLiteral("SG")); }
    std::string text() { return SerializeDialog(store().lines()); }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    Qt::KeyboardModifiers anyModifiers() {
        static const Qt::KeyboardModifiers choices[] = {Qt::NoModifier, Qt::ShiftModifier,
                                                        Qt::ControlModifier, Qt::AltModifier};
        return choices[below(4)];
    }
    // A key with its modifiers, on the widget that has the keyboard.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : grid(), k, modifiers);
    }
    void typeAny() {
        static const char* const pieces[] = {"a", "Ж", "7", " ", "{", "ß", "\xD0"};
        const QString piece = QString::fromUtf8(pieces[below(7)]);
        if (QWidget* focus = QApplication::focusWidget())
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, piece, Qt::NoModifier);
    }
    QRect rowRect(int row) { return grid()->visualRect(grid()->model()->index(row - 1, below(8))); }
    void clickRow(Qt::KeyboardModifiers modifiers) {
        const int row = below(store().rowCount() - 1) + 1;
        grid()->scrollTo(grid()->model()->index(row - 1, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, rowRect(row).center());
    }
    void click(QWidget* parent, const char* name) {
        if (auto* button = parent->findChild<QAbstractButton*>(QString::fromLatin1(name));
            button && button->isVisible() && button->isEnabled())
            QTest::mouseClick(button, Qt::LeftButton);
    }

    RowCommand sendEvent();
    void wizardEvent();
    void checkRowCommand(RowCommand command, const std::vector<std::string>& before,
                         const std::vector<int>& shown, int current);
    void checkSavedState();
    void undoAndRedoEverything();
    std::vector<std::string> rows();
    std::vector<int> shownSelection();

    std::mt19937 random{static_cast<unsigned>(Setting("DOLMEX_INPUT_SEED", 20261209))};
    TempFolder folder;
    ProgramContext context;
    std::unique_ptr<RandomPrompter> prompter;
    std::unique_ptr<ProgramWindows> windows;
    // The store's bytes when its history last began (a load or a new document).
    std::string epochStart;
    bool mayReload = false;
};

std::vector<std::string> RandomInputTest::rows() {
    std::vector<std::string> result;
    for (int row = 1; row < store().rowCount(); ++row)
        result.push_back(SerializeDialog({store().lines()[static_cast<std::size_t>(row - 1)]}));
    return result;
}

std::vector<int> RandomInputTest::shownSelection() {
    std::vector<int> selected;
    for (int row = 1; row < store().rowCount(); ++row) {
        if (grid()->selectionModel()->isRowSelected(row - 1, {}))
            selected.push_back(row);
    }
    return selected;
}

RowCommand RandomInputTest::sendEvent() {
    const bool editing = main().action(QStringLiteral("N14"))->isChecked();
    mayReload = false;
    switch (below(30)) {
    case 0:
    case 1:
    case 2:
        clickRow(below(3) ? Qt::NoModifier : anyModifiers());
        break;
    case 3:
    case 4:
        key(below(2) ? Qt::Key_Down : Qt::Key_Up, anyModifiers());
        break;
    case 5:
        key(below(2) ? Qt::Key_PageDown : Qt::Key_Home, anyModifiers());
        break;
    case 6:
        key(Qt::Key_N, Qt::ControlModifier);
        break;
    case 7:
        key(Qt::Key_Insert);
        break;
    case 8:
        key(Qt::Key_Delete, Qt::ControlModifier);
        return RowCommand::Delete;
    case 9:
        key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        return editing ? RowCommand::None : RowCommand::MoveUp;
    case 10:
        key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        return editing ? RowCommand::None : RowCommand::MoveDown;
    case 11:
        click(&main(), below(2) ? "ToolButton9" : "ToolButton11");
        break;
    case 12:
        key(Qt::Key_F4);
        break;
    case 13:
    case 14:
        if (editing) {
            key(Qt::Key_F2);
            typeAny();
            typeAny();
            key(below(2) ? Qt::Key_Return : Qt::Key_Escape);
        }
        break;
    case 15:
        key(below(2) ? Qt::Key_Return : Qt::Key_Enter,
            below(2) ? Qt::NoModifier : Qt::KeypadModifier);
        break;
    case 16:
        key(Qt::Key_Insert, Qt::ControlModifier | (below(2) ? Qt::ShiftModifier : Qt::NoModifier));
        break;
    case 17:
        key(Qt::Key_Delete, Qt::ShiftModifier);
        return editing ? RowCommand::None : RowCommand::Cut;
    case 18:
        key(Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case 19:
        key(static_cast<Qt::Key>(Qt::Key_1 + below(5)), Qt::ControlModifier);
        break;
    case 20: {
        // Number the block, the navigator, the two view switches.
        const Qt::Key keys[] = {Qt::Key_R, Qt::Key_B, Qt::Key_F1, Qt::Key_F2};
        key(keys[below(4)], Qt::ControlModifier);
        break;
    }
    case 21:
        main().action(QString::fromLatin1(std::array{"N36", "N37", "N31"}[below(3)]))->trigger();
        break;
    case 22:
        if (!below(4))
            key(Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        break;
    case 23:
    case 24:
        key(Qt::Key_Z, Qt::ControlModifier);
        break;
    case 25:
        key(Qt::Key_Y, Qt::ControlModifier);
        break;
    case 26:
        if (!below(4))
            key(Qt::Key_S, Qt::ControlModifier);
        else if (!below(4))
            key(Qt::Key_F2, Qt::ShiftModifier); // save as
        break;
    case 27:
        if (!below(6)) {
            mayReload = true;
            key(below(2) ? Qt::Key_O : Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        }
        break;
    default: {
        const int row = below(store().rowCount() - 1) + 1;
        grid()->scrollTo(grid()->model()->index(row - 1, 0));
        const QPoint at = rowRect(row).center();
        // The wizard opens modally, as for a person: its events run inside its own loop.
        QTimer::singleShot(0, &main(), [this] {
            if (windows->wizard().isVisible())
                wizardEvent();
        });
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
    }
    }
    return RowCommand::None;
}

void RandomInputTest::wizardEvent() {
    TWizardForm& wizard = windows->wizard();
    for (int i = below(4); i > 0; --i) {
        switch (below(5)) {
        case 0:
            if (auto* edit = wizard.findChild<QLineEdit*>(QStringLiteral("LineEdit1"));
                edit && edit->isVisible()) {
                edit->setFocus();
                typeAny();
            }
            break;
        case 1:
            click(&wizard, "SpeedButton2");
            break;
        case 2:
            click(&wizard, "SpeedButton4");
            break;
        case 3:
            click(&wizard, "SpeedButton6");
            break;
        default:
            click(&wizard, below(2) ? "PCRB" : "NPCRB");
            break;
        }
    }
    if (below(2))
        click(&wizard, "SpeedButton5");
    if (wizard.isVisible())
        QTest::keyClick(&wizard, Qt::Key_Escape);
}

void RandomInputTest::checkRowCommand(RowCommand command, const std::vector<std::string>& before,
                                      const std::vector<int>& shown, int current) {
    if (command == RowCommand::None)
        return;
    // The block acted on: the shown run around the cursor, or the cursor's row alone.
    int first = current, last = current;
    if (std::find(shown.begin(), shown.end(), current) != shown.end()) {
        while (std::find(shown.begin(), shown.end(), first - 1) != shown.end())
            --first;
        while (std::find(shown.begin(), shown.end(), last + 1) != shown.end())
            ++last;
    }
    std::vector<std::string> expected = before;
    const auto at = [&](int row) { return expected.begin() + (row - 1); };
    switch (command) {
    case RowCommand::Delete:
    case RowCommand::Cut:
        expected.erase(at(first), at(last + 1));
        if (expected.empty())
            expected.push_back("\r\n");
        break;
    case RowCommand::MoveUp:
        if (first > 1)
            std::rotate(at(first - 1), at(first), at(last + 1));
        break;
    case RowCommand::MoveDown:
        if (last < static_cast<int>(expected.size()))
            std::rotate(at(first), at(last + 1), at(last + 2));
        break;
    case RowCommand::None:
        break;
    }
    const std::vector<std::string> now = rows();
    if (now == expected)
        return;
    std::string around; // gtest shows 32 rows of a list: name the ones that matter
    for (int row = std::max(1, first - 2); row <= last + 2; ++row) {
        const auto line = [row](const std::vector<std::string>& rows) {
            return row <= static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row - 1)]
                                                        : "-\n";
        };
        around += std::to_string(row) + " before " + line(before) + "   now " + line(now) +
                  "   expected " + line(expected);
    }
    FAIL() << "command " << static_cast<int>(command) << " on rows " << first << " to " << last
           << " of the shown selection, current " << current << ", keyboard in "
           << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                           : "nothing")
           << "\n"
           << around;
}

void RandomInputTest::checkSavedState() {
    const std::string& file = main().document().fileName();
    // Right after a save the store is the file's bytes; right after a load it is what the
    // reader made of them (a load drops the empty rows before the first record).
    if (!file.empty() && !main().document().isModified()) {
        const std::string bytes = ReadAll(file);
        if (text() != bytes) {
            ASSERT_EQ(text(), SerializeDialog(ParseDialog(bytes)))
                << "unmodified, yet not the file";
        }
    }
}

void RandomInputTest::undoAndRedoEverything() {
    const std::string now = text();
    QAction* undo = main().action(QStringLiteral("Undo1"));
    QAction* redo = main().action(QStringLiteral("Redo1"));
    // An open cell editor keeps Ctrl+Z for its own text: leave it first, as a person does.
    if (qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        key(Qt::Key_Escape);
    const int limit = main().undoStack().count();
    int steps = 0;
    for (; undo->isEnabled() && steps <= limit; ++steps)
        key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(text(), epochStart) << "undoing all " << steps << " steps";
    const std::string& file = main().document().fileName();
    if (!file.empty() && text() != ReadAll(file) &&
        text() != SerializeDialog(ParseDialog(ReadAll(file)))) {
        ASSERT_TRUE(main().document().isModified()) << "differs from the saved file";
    }
    while (redo->isEnabled() && steps-- > 0)
        key(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(text(), now) << "redoing every step";
}

TEST_F(RandomInputTest, EveryEventKeepsTheSelectionRuleAndTheSavedState) {
    const int events = Setting("DOLMEX_INPUT_EVENTS", 2000);
    for (int event = 1; event <= events; ++event) {
        const std::vector<std::string> before = rows();
        const std::vector<int> shown = shownSelection();
        const int current = main().currentRow();
        // Keys typed into an open cell editor are the editor's (Ctrl+Delete deletes a word).
        const bool inEditor = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
        RowCommand command = sendEvent();
        if (inEditor)
            command = RowCommand::None;
        // A window that took the focus (the renumbering report, the wizard) is left, as a
        // person clicks back into the main window.
        if (QApplication::activeWindow() != &main()) {
            QApplication::setActiveWindow(&main());
            ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
        }
        SCOPED_TRACE("event " + std::to_string(event));
        ASSERT_GE(store().rowCount(), 2);
        ASSERT_NO_FATAL_FAILURE(checkRowCommand(command, before, shown, current));
        ASSERT_NO_FATAL_FAILURE(checkSavedState());
        if (mayReload && !main().action(QStringLiteral("Undo1"))->isEnabled())
            epochStart = text(); // a load or a new document began a new history
        if (event % 250 == 0 || event == events) {
            ASSERT_NO_FATAL_FAILURE(undoAndRedoEverything());
        }
    }
}

} // namespace
} // namespace dolmex
