#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/FileBytes.h"

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
        if (c.notes.empty())
            EXPECT_EQ(TextLines(SerializeDialog(rows)), TextLines(c.file)) << c.name;
    }
}

} // namespace
} // namespace dolmex
