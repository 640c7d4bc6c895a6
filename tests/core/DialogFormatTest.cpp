#include "core/DialogPath.h"
#include "core/DialogReader.h"
#include "core/DialogWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dolmex {
namespace {

DialogLine Row(std::vector<std::string> cells) {
    DialogLine line;
    for (std::size_t i = 0; i < cells.size() && i < line.size(); ++i)
        line[i] = cells[i];
    return line;
}

struct ReadCase {
    const char* name;
    std::string file;
    DialogLines rows;
};

TEST(DialogReader, TakesRecordsCommentsAndEmptyLinesApart) {
    const ReadCase cases[] = {
        {"empty file gives the empty document", "", {DialogLine{}}},
        {"empty line after a record stays an empty row",
         "{1}{Hello}{}{}{}{2}{}\r\n\r\n{2}{Bye}{}{}{}{}{}\r\n",
         {Row({"1", "Hello", "", "", "", "2"}), DialogLine{}, Row({"2", "Bye"})}},
        {"only the last of several comments is kept",
         "//first\r\n//second\r\n{5}{Hi}{}{}{}{}{}",
         {Row({"5", "Hi", "", "", "", "", "", "second"})}},
        {"short record gets empty cells", "{7}{A}\n", {Row({"7", "A"})}},
        {"junk before the first record is dropped",
         "junk\n{1}{x}{}{}{}{}{}\njunk\n",
         {Row({"1", "x"}), DialogLine{}}},
        {"eighth field dropped", "{1}{x}{}{}{}{}{}{extra}", {Row({"1", "x"})}},
        {"last field without its brace loses a character", "{1}{abc", {Row({"1", "ab"})}},
        {"empty first field carries nothing",
         "{1}{a}\n{}{text}\n",
         {Row({"1", "a"}), DialogLine{}}},
        {"lines between a comment and its record add no rows",
         "{1}{a}\n//c\n\njunk\n{2}{b}\n",
         {Row({"1", "a"}), Row({"2", "b", "", "", "", "", "", "c"})}},
        {"a comment after the last record is lost but leaves its row",
         "{1}{a}\n//late\n",
         {Row({"1", "a"}), DialogLine{}}},
        {"leading blanks of a comment are kept",
         "//  note\n{1}{a}",
         {Row({"1", "a", "", "", "", "", "", "  note"})}},
        {"a bare // is no comment", "//\n{1}{a}", {Row({"1", "a"})}},
        {"a CR inside a line is an ordinary character",
         "{1}{a\rb}{}{}{}{}{}\r\n",
         {Row({"1", "a\rb"})}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDialog(c.file), c.rows) << c.name;
}

TEST(DialogReader, OpeningBracesInsideAFieldAreText) {
    // Collection stops only at "}", so each field runs to the line's last-but-one character.
    const auto rows = ParseDialog(std::string(1000, '{'));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][ColNumber], std::string(998, '{'));
    EXPECT_EQ(rows[0][ColResult], std::string(992, '{'));
    EXPECT_EQ(rows[0][ColComment], "");
}

TEST(DialogWriter, WritesCanonicalRecordsWithCommentsAndEmptyLines) {
    const DialogLines rows = {
        Row({"1", "Hi", "", "", "gf 1 1", "2", "", "greeting"}),
        DialogLine{},
        Row({"", "", "", "", "", "", "", "orphan"}),
        Row({"7", "A"}),
    };
    EXPECT_EQ(SerializeDialog(rows), "//greeting\r\n{1}{Hi}{}{}{gf 1 1}{2}{}\r\n"
                                     "\r\n"
                                     "//orphan\r\n\r\n"
                                     "{7}{A}{}{}{}{}{}\r\n");
}

TEST(DialogFormat, EveryByteButLineEndsAndBracesSurvivesARoundTrip) {
    std::string text;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n' && b != '{' && b != '}')
            text += static_cast<char>(b);
    }
    const DialogLines rows = {
        Row({"1", text, text, text, text, text, text, text}),
        Row({"2" + text, "x"}),
    };
    EXPECT_EQ(ParseDialog(SerializeDialog(rows)), rows);
}

TEST(DialogFormat, ForeignFileIsNormalisedButKeepsEveryRecordsFields) {
    const std::string foreign = "header junk\n//a\n//b\n{1}{Hi}{g}{5}{t}{2}{r}{x}\nnoise\n"
                                "  {2}{Bye}\n//trailing\n";
    const std::string once = SerializeDialog(ParseDialog(foreign));
    EXPECT_EQ(once, "//b\r\n{1}{Hi}{g}{5}{t}{2}{r}\r\n\r\n{2}{Bye}{}{}{}{}{}\r\n\r\n");
    EXPECT_EQ(SerializeDialog(ParseDialog(once)), once);
}

TEST(DialogPath, DerivesTitleAndModuleRoot) {
    struct PathCase {
        std::string path, title, root;
    };
    const PathCase cases[] = {
        {"C:\\G\\modules\\M\\dlg\\00001Bob.dlg", "00001 - Bob", "C:\\G\\modules\\M\\"},
        {"/home/u/modules/M/dlg/00123Old_Man.dlg", "00123 - Old Man", "/home/u/modules/M/"},
        {"/x/dlg/00042.dlg", "00042 - ", "/x/"},
        {"a.dlg", "a - ", ""},
        {"dlg/00001Bob.dlg", "00001 - Bob", ""},
        {"00007Two Words.dlg", "00007 - Two", ""},
        {"", " - ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogTitle(c.path), c.title) << c.path;
        EXPECT_EQ(ModuleRootOf(c.path), c.root) << c.path;
    }
}

} // namespace
} // namespace dolmex

namespace dolmex {
namespace {

TEST(DialogReader, SurvivesHostileFiles) {
    std::string binary;
    for (int i = 0; i < 1 << 16; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_FALSE(ParseDialog(binary).empty());

    const std::string hugeText(10 * 1024 * 1024, 'x');
    const auto rows = ParseDialog("{1}{" + hugeText + "}{}{}{}{}{}\r\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][ColText].size(), hugeText.size());

    const auto crOnly = ParseDialog(std::string(1000, '\r'));
    EXPECT_EQ(crOnly.size(), 1u);
}

} // namespace
} // namespace dolmex
