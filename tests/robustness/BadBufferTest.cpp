// Broken line buffer files: what the user gets and that no file on disk changed.

#include "BadInput.h"

namespace dolmex {
namespace {

using namespace badinput;

const Shape kBufferShape{
    "{5}{Kept}{}{}{}{}{}\r\n",
    "{7}{" + std::string(kLongLine, 'x') + "}{}{}{}{}{}\r\n",
    "//greeting\r\n{1}{Hello}{}{}{}{}{}\r\n",
    "//\x98 note\r\n{1}{\x98\x98}{}{}{}{}{}\r\n",
};

const std::string kHint = "Buffer 1 - holds:";

struct BufferCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    std::vector<DialogLine> pasted = {};            // Gives: the rows inserted
    std::optional<std::string> hint = std::nullopt; // buffer 1's hint, when checked
    bool filled = true;
};

class BufferBadInput : public testing::TestWithParam<BufferCase> {};

TEST_P(BufferBadInput, PasteAndHint) {
    const BufferCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string programDir = folder.path("program") + "/";
    LineBuffers buffers(programDir);
    const std::string path = buffers.fileName(1);
    Place(c.input, path, kBufferShape);

    LineStore store;
    store.replaceAll({Row({"1", "One"}), Row({"2", "Two"})});
    if (c.input == Bad::Vanishes) {
        ASSERT_TRUE(buffers.Paste(store, 2).has_value());
        fs::remove(path);
    }
    const std::vector<DialogLine> before = Unpacked(store.lines());
    const Snapshot files = TakeSnapshot(folder.root());

    std::optional<PastedRows> pasted;
    const auto error = Outcome(path, [&] { pasted = buffers.Paste(store, 2); });
    LanguageTables tables;
    tables.mainDescription.set(15, "holds");
    tables.mainDescription.set(16, "empty");
    tables.mainDescription.set(17, "Buffer");
    const BufferHint hint = buffers.BuffHint(tables)[0];

    EXPECT_EQ(Describe(error), Describe(c.error));
    const std::vector<DialogLine> after = Unpacked(store.lines());
    switch (c.then) {
    case Then::Gives: {
        ASSERT_TRUE(pasted.has_value());
        EXPECT_EQ(pasted->first, 2);
        ASSERT_EQ(after.size(), before.size() + c.pasted.size());
        ExpectRows({after.begin() + 1, after.end() - 1}, c.pasted);
        EXPECT_EQ(after.front(), before.front());
        EXPECT_EQ(after.back(), before.back());
        break;
    }
    case Then::KeepsAll:
        EXPECT_FALSE(pasted.has_value());
        ExpectRows(after, before);
        break;
    case Then::Anything:
        EXPECT_EQ(after.size(), before.size() + (pasted ? pasted->count : 0));
        break;
    }
    if (c.hint) {
        EXPECT_EQ(hint.text, *c.hint);
        EXPECT_EQ(hint.filled, c.filled);
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

const std::string kEmptyHint = kHint + "empty";

INSTANTIATE_TEST_SUITE_P(
    Inputs, BufferBadInput,
    testing::Values(
        // An existing empty buffer pastes nothing but shows as filled, with 0 lines.
        BufferCase{Bad::Empty, Then::KeepsAll, {}, {}, kHint + "0 \n"},
        // No line starts with "{"; the hint counts both lines and shows the start of each.
        BufferCase{Bad::AllBytes,
                   Then::KeepsAll,
                   {},
                   {},
                   kHint + "2 \n" + ByteRange(0, 9) + "\n" + ByteRange(0x0B, 0x32) + ".."},
        BufferCase{Bad::RandomBytes, Then::Anything},
        BufferCase{Bad::LongLine,
                   Then::Gives,
                   {},
                   {Row({"7", std::string(kLongLine, 'x')})},
                   kHint + "1 \n{7}{" + std::string(36, 'x') + ".."},
        BufferCase{Bad::OnlyBraces,
                   Then::Gives,
                   {},
                   {BracesRow(kBraces)},
                   kHint + "1 \n" + std::string(40, '{') + ".."},
        BufferCase{
            Bad::OnlyCr, Then::KeepsAll, {}, {}, kHint + "1 \n" + std::string(40, '\r') + ".."},
        // Behind the mark the comment is no comment: one "{" line makes one row, and the
        // first line of the file takes the record's place, so the row comes out empty.
        BufferCase{Bad::Utf8Bom,
                   Then::Gives,
                   {},
                   {kEmptyRow},
                   kHint + "2 \n" + kBom + "//greeting\n{1}{Hello}{}{}{}{}{}"},
        BufferCase{Bad::Invalid1251,
                   Then::Gives,
                   {},
                   {Row({"1", "\x98\x98", "", "", "", "", "", "\x98 note"})},
                   kHint + "1 \n\x98 note\n{1}{\x98\x98}{}{}{}{}{}"},
        BufferCase{Bad::Folder, Then::KeepsAll, {}, {}, kEmptyHint, false},
        BufferCase{Bad::NoReadPermission, Then::KeepsAll, {}, {}, kEmptyHint, false},
        BufferCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
        BufferCase{Bad::Vanishes, Then::KeepsAll, {}, {}, kEmptyHint, false}),
    CaseName<BufferCase>);

} // namespace
} // namespace dolmex
