#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/FileBytes.h"
#include "core/LooksLikeDialog.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dolmex {
namespace {

using Kind = LoadNote::Kind;

// The lines that carry a visible character; blank lines and line ends are no loss.
std::vector<std::string> TextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&lines](std::string_view line) {
        if (!IsBlankLine(line))
            lines.emplace_back(line);
        return true;
    });
    return lines;
}

TEST(LoadNotes, NoteEachLineASaveWouldChangeAndNoOther) {
    struct Case {
        const char* name;
        std::string file;
        LoadNotes notes;
    };
    const Case cases[] = {
        {"canonical file with blank lines",
         "\r\n//c\r\n{1}{a}{}{}{}{2}{}\r\n \t\r\n\r\n{2}{b}{}{}{}{}{}",
         {}},
        {"LF line ends and blank lines that vanish", "\n//c\n\n{1}{a}{}{}{}{}{}\n", {}},
        {"a brace inside a field that is written back the same", "{x{}{}{}{}{}{}{}", {}},
        {"stray text before and after the first record",
         "junk\n{1}{a}{}{}{}{}{}\n//\n{}{text}\n",
         {{1, 1, Kind::StrayText}, {3, 2, Kind::StrayText}, {4, 3, Kind::StrayText}}},
        {"replaced comments, with stray text between",
         "{1}{a}{}{}{}{}{}\n//a\nnoise\n//b\n//c\n{2}{b}{}{}{}{}{}",
         {{2, 2, Kind::CommentReplaced}, {3, 2, Kind::StrayText}, {4, 2, Kind::CommentReplaced}}},
        {"comment after the last record",
         "{1}{a}{}{}{}{}{}\n//late\n",
         {{2, 2, Kind::UnattachedComment}}},
        {"comment with no record at all", "//only\n", {{1, 1, Kind::UnattachedComment}}},
        {"text before, between and after the fields",
         " {1}{a}{}{}{}{}{}\n{2}x{a}{}{}{}{}{}\n{3}{a}{}{}{}{}{}{8th}\n{4}{a}{}{}{}{}{} ",
         {{1, 1, Kind::TextOutsideFields},
          {2, 2, Kind::TextOutsideFields},
          {3, 3, Kind::TextOutsideFields},
          {4, 4, Kind::TextOutsideFields}}},
        {"a brace that shifts the fields", "{1}{a{b}{}{}{}{}{}", {{1, 1, Kind::BraceInField}}},
        {"unclosed last field, short or full",
         "{1}{abc\n{2}{}{}{}{}{}{xy",
         {{1, 1, Kind::UnclosedField}, {2, 2, Kind::UnclosedField}}},
        {"missing fields", "{7}{A}\r\n", {{1, 1, Kind::MissingFields}}},
    };
    for (const auto& c : cases) {
        LoadNotes notes;
        const DialogLines rows = ParseDialog(c.file, &notes);
        EXPECT_EQ(notes, c.notes) << c.name;
        if (c.notes.empty()) {
            EXPECT_EQ(TextLines(SerializeDialog(rows)), TextLines(c.file)) << c.name;
        }
    }
}

std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

TEST(LooksLikeDialog, BinaryAndLongJunkAreNoDialogs) {
    const std::string record = "{1}{Hi}{}{}{}{}{}\r\n";
    const struct {
        std::string bytes;
        bool dialog;
    } cases[] = {
        {"", true},
        {record + "\r\n//c\r\n{2}{\xc4\xe0}{}{}{}{}{}\r\n", true},
        {Repeat("\n", 25) + Repeat("//note\n", 25), true},
        {Repeat("stray\n", 19) + record, true},
        {Repeat("stray\n", 20), false},
        {Repeat("stray\n", 20) + record, false},
        {record + std::string("\0", 1), false},
        {record + "\x01\x02\x03", false},
        {std::string(70000, 'x') + "\n" + record, false},
        {record + std::string(70000, 'x'), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeDialog(c.bytes), c.dialog) << c.bytes.substr(0, 60);
}

TEST(LooksLikeDialog, FilesAreJudgedByTheirStart) {
    test::TempFolder folder;
    EXPECT_TRUE(FileLooksLikeDialog(folder.path("absent.dlg")));
    EXPECT_TRUE(FileLooksLikeDialog(
        folder.write("big.dlg", "{1}{a}{}{}{}{}{}\n" + std::string(100000, 'x'))));
    EXPECT_FALSE(FileLooksLikeDialog(folder.write("bin.dlg", std::string("{1}{a}\0", 7))));
}

} // namespace
} // namespace dolmex
