// Broken dialog files, opened as the editor opens them: what the user gets and that no file
// on disk changed.

#include "BadInput.h"

namespace dolmex {
namespace {

using namespace badinput;

const Shape kDialogShape{
    "{5}{Kept}{}{}{}{}{}\r\n",
    "{7}{" + std::string(kLongLine, 'x') + "}{}{}{}{}{}\r\n",
    "//greeting\r\n{1}{Hello}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{}{}\r\n",
    "//\x98 note\r\n{1}{\x98\x98}{}{}{}{}{}\r\n",
};

struct DialogState {
    std::vector<DialogLine> rows;
    std::string fileName;
    std::string caption;
    std::string moduleRoot;
    bool modified;
};

DialogState StateOf(const Document& doc) {
    return {Unpacked(doc.store().lines()), doc.fileName(), doc.caption(), doc.moduleRoot(),
            doc.isModified()};
}

void ExpectState(const DialogState& actual, const DialogState& expected) {
    ExpectRows(actual.rows, expected.rows);
    EXPECT_EQ(actual.fileName, expected.fileName);
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.moduleRoot, expected.moduleRoot);
    EXPECT_EQ(actual.modified, expected.modified);
}

struct DialogCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    std::vector<DialogLine> rows = {};
};

class DialogBadInput : public testing::TestWithParam<DialogCase> {};

TEST_P(DialogBadInput, LoadDlg) {
    const DialogCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string good =
        folder.write("00001Good.dlg", "{1}{Old}{}{}{}{}{}\r\n{2}{Older}{}{}{}{}{}\r\n");
    const std::string path = folder.path("mod/dlg/00042Bad_Input.dlg");
    Place(c.input, path, kDialogShape);

    Document doc;
    if (c.input == Bad::Vanishes) {
        ASSERT_TRUE(doc.LoadDlg(path));
        const DialogState loaded = StateOf(doc);
        fs::remove(path);
        // The open document does not depend on its file.
        ExpectState(StateOf(doc), loaded);
    } else {
        ASSERT_TRUE(doc.LoadDlg(good));
        doc.store().setCell(1, ColText, "Edited");
    }
    const DialogState before = StateOf(doc);
    const Snapshot files = TakeSnapshot(folder.root());

    bool loaded = false;
    const auto error = Outcome(path, [&] { loaded = doc.LoadDlg(path); });

    EXPECT_EQ(Describe(error), Describe(c.error));
    switch (c.then) {
    case Then::Gives:
        EXPECT_TRUE(loaded);
        ExpectState(StateOf(doc),
                    {c.rows, path, "00042 - Bad Input", folder.path("mod") + "/", false});
        break;
    case Then::KeepsAll:
        EXPECT_FALSE(loaded);
        ExpectState(StateOf(doc), before);
        break;
    case Then::Anything:
        EXPECT_TRUE(loaded);
        EXPECT_GE(doc.store().dataRowCount(), 1);
        EXPECT_FALSE(doc.isModified());
        break;
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DialogBadInput,
    testing::Values(
        DialogCase{Bad::Empty, Then::Gives, {}, {kEmptyRow}},
        // Only the line 0x0B..0xFF holds a "{"; its first field is the one byte "|"
        // before the "}", and no "{" follows, so the other six fields are empty.
        DialogCase{Bad::AllBytes, Then::Gives, {}, {Row({"|"})}},
        DialogCase{Bad::RandomBytes, Then::Anything},
        DialogCase{Bad::LongLine, Then::Gives, {}, {Row({"7", std::string(kLongLine, 'x')})}},
        DialogCase{Bad::OnlyBraces, Then::Gives, {}, {BracesRow(kBraces)}},
        DialogCase{Bad::OnlyCr, Then::Gives, {}, {kEmptyRow}},
        // Text before the first "{" never hides a record, but the mark in front of "//"
        // makes the first line no comment: the greeting is lost.
        DialogCase{Bad::Utf8Bom, Then::Gives, {}, {Row({"1", "Hello"}), Row({"2", "Bye"})}},
        DialogCase{Bad::Invalid1251,
                   Then::Gives,
                   {},
                   {Row({"1", "\x98\x98", "", "", "", "", "", "\x98 note"})}},
        DialogCase{Bad::Folder, Then::KeepsAll}, DialogCase{Bad::NoReadPermission, Then::KeepsAll},
        DialogCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
        DialogCase{Bad::Vanishes, Then::KeepsAll}),
    CaseName<DialogCase>);

} // namespace
} // namespace dolmex
