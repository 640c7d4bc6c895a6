#include "ToolFixtures.h"
#include "editing/EditSession.h"
#include "support/TestFiles.h"

#include "core/Document.h"
#include "core/IoError.h"
#include "tools/LineBuffers.h"

#include <gtest/gtest.h>

#include <QDir>

namespace dolmex {
namespace {

using test::Column;
using test::ReadAll;
using test::Row;
using test::TempFolder;
using test::With;
using Strings = std::vector<std::string>;

// Five numbered rows, rows 3 and 5 with comments.
void FillFive(LineStore& store) {
    test::Fill(store, {With(Row("1"), ColText, "one"), With(Row("2"), ColText, "two"),
                       With(Row("3", "", "third"), ColText, "three"), DialogLine{},
                       With(Row("5", "1", "fifth"), ColResult, "gf 1 2")});
}

TEST(LineBuffers, CopyWritesRecordsWithCommentsAndEmptyRowsKeepTheirBraces) {
    TempFolder folder;
    LineStore store;
    FillFive(store);
    LineBuffers buffers(folder.root());
    buffers.select(3);
    buffers.Copy(store, 3, 5);
    EXPECT_EQ(ReadAll(folder.path("buffer3.tmp")), "//third\r\n{3}{three}{}{}{}{}{}\r\n"
                                                   "{}{}{}{}{}{}{}\r\n"
                                                   "//fifth\r\n{5}{}{}{1}{}{}{gf 1 2}\r\n");
    // Copy replaces what the buffer held.
    buffers.Copy(store, 1, 1);
    EXPECT_EQ(ReadAll(folder.path("buffer3.tmp")), "{1}{one}{}{}{}{}{}\r\n");
}

TEST(LineBuffers, PasteInsertsTheCopiedRowsAtTheCurrentRow) {
    TempFolder folder;
    Document document;
    PlainEditSession session(document);
    FillFive(document.store());
    LineBuffers buffers(folder.root());
    buffers.Copy(document.store(), 3, 5);
    document.setModified(false);

    const auto pasted = buffers.Paste(document.store(), 2);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->first, 2);
    EXPECT_EQ(pasted->count, 3);
    EXPECT_TRUE(document.isModified());
    const LineStore& store = document.store();
    EXPECT_EQ(Column(store, ColNumber), (Strings{"1", "3", "", "5", "2", "3", "", "5"}));
    EXPECT_EQ(Column(store, ColComment),
              (Strings{"", "third", "", "fifth", "", "third", "", "fifth"}));
    EXPECT_EQ(store.line(3), DialogLine{});
    EXPECT_EQ(store.line(4), store.line(8));
    // The buffer is only read.
    EXPECT_TRUE(buffers.Paste(document.store(), 1));
}

TEST(LineBuffers, PasteIntoANewDocumentKeepsItsEmptyRowLast) {
    TempFolder folder;
    folder.write("buffer1.tmp", "{7}{A}{}{}{}{}{}\r\n");
    LineStore store;
    LineBuffers buffers(folder.root());
    ASSERT_TRUE(buffers.Paste(store, 1));
    EXPECT_EQ(Column(store, ColNumber), (Strings{"7", ""}));
    EXPECT_EQ(store.line(2), DialogLine{});
}

TEST(LineBuffers, PasteReadsHandEditedBuffers) {
    struct Case {
        const char* name;
        std::string file;
        Strings numbers;
        Strings comments;
    };
    const Case cases[] = {
        {"LF line ends and no final line end", "//a\n{1}\n{2}", {"1", "2"}, {"a", ""}},
        {"two comments in a row: the second takes the record's place",
         "//a\r\n//b\r\n{1}{x}\r\n",
         {""},
         {"a"}},
        {"a junk line takes a record's place", "junk\r\n{1}\r\n{2}\r\n", {"", "1"}, {"", ""}},
        {"a comment after the last record is not read", "{1}\r\n//{9}\r\n", {"1"}, {""}},
        {"a bare // line is no comment", "//\r\n{4}\r\n", {""}, {""}},
        {"a record line without braces of its own", "{", {""}, {""}},
    };
    for (const Case& c : cases) {
        const std::vector<DialogLine> rows = ParseBuffer(c.file);
        const DialogLines lines(rows.begin(), rows.end());
        EXPECT_EQ(Column(lines, ColNumber), c.numbers) << c.name;
        EXPECT_EQ(Column(lines, ColComment), c.comments) << c.name;
    }
}

TEST(LineBuffers, PasteWithoutRecordsChangesNothing) {
    TempFolder folder;
    folder.write("buffer2.tmp", "//only a comment\r\n\r\n");
    Document document;
    PlainEditSession session(document);
    FillFive(document.store());
    document.setModified(false);
    LineBuffers buffers(folder.root());
    EXPECT_FALSE(buffers.Paste(document.store(), 1)); // buffer 1 has no file
    buffers.select(2);
    EXPECT_FALSE(buffers.Paste(document.store(), 1));
    EXPECT_EQ(document.store().dataRowCount(), 5);
    EXPECT_FALSE(document.isModified());
}

TEST(LineBuffers, AppendCreatesOrExtends) {
    TempFolder folder;
    LineStore store;
    FillFive(store);
    LineBuffers buffers(folder.root());
    buffers.select(4);
    buffers.Append(store, 1, 1);
    EXPECT_EQ(ReadAll(folder.path("buffer4.tmp")), "{1}{one}{}{}{}{}{}\r\n");
    buffers.Append(store, 2, 2);
    EXPECT_EQ(ReadAll(folder.path("buffer4.tmp")), "{1}{one}{}{}{}{}{}\r\n{2}{two}{}{}{}{}{}\r\n");

    // A hand-edited buffer without its last line end keeps its last record whole.
    buffers.select(5);
    folder.write("buffer5.tmp", "{9}");
    buffers.Append(store, 1, 1);
    EXPECT_EQ(ParseBuffer(ReadAll(folder.path("buffer5.tmp"))).size(), 2u);
}

TEST(LineBuffers, AFailedWriteDeletesNothing) {
    TempFolder folder;
    // A folder where buffer 1's file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir(QString::fromStdString(folder.root())).mkdir("buffer1.tmp"));
    struct Case {
        const char* name;
        std::string programDir;
        bool append;
    };
    const Case cases[] = {
        {"cut into a missing program folder", folder.path("missing"), false},
        {"cut and append into a missing program folder", folder.path("missing"), true},
        {"cut over a folder", folder.root(), false},
        {"cut and append to a folder", folder.root(), true},
    };
    for (const Case& c : cases) {
        Document document;
        PlainEditSession session(document);
        FillFive(document.store());
        document.setModified(false);
        const LineBuffers buffers(c.programDir);
        EXPECT_THROW(c.append ? buffers.CutAppend(document.store(), 2, 3)
                              : buffers.Cut(document.store(), 2, 3),
                     IoError)
            << c.name;
        EXPECT_EQ(document.store().dataRowCount(), 5) << c.name;
        EXPECT_FALSE(document.isModified()) << c.name;
    }
}

TEST(LineBuffers, CutMovesRowsIntoTheBuffer) {
    TempFolder folder;
    LineStore store;
    FillFive(store);
    LineBuffers buffers(folder.root());
    EXPECT_EQ(buffers.Cut(store, 2, 3), 2);
    EXPECT_EQ(Column(store, ColNumber), (Strings{"1", "", "5"}));
    EXPECT_EQ(buffers.CutAppend(store, 3, 3), 2);
    EXPECT_EQ(Column(store, ColNumber), (Strings{"1", ""}));
    EXPECT_EQ(ParseBuffer(ReadAll(folder.path("buffer1.tmp"))).size(), 3u);
    // Cutting everything leaves the empty document.
    EXPECT_EQ(buffers.Cut(store, 1, 2), 1);
    EXPECT_EQ(store.dataRowCount(), 1);
    EXPECT_EQ(store.line(1), DialogLine{});
}

TEST(LineBuffers, ClearDeletesTheFile) {
    TempFolder folder;
    LineStore store;
    LineBuffers buffers(folder.root());
    buffers.select(2);
    buffers.Copy(store, 1, 1);
    buffers.Clear();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder.path("buffer2.tmp"))));
    EXPECT_NO_THROW(buffers.Clear());
    buffers.select(0);
    buffers.select(6);
    EXPECT_EQ(buffers.current(), 2);
    EXPECT_EQ(LineBuffers("/p/").fileName(3), "/p/buffer3.tmp");
}

TEST(LineBuffers, HintsShowCountAndPreviews) {
    TempFolder folder;
    const std::string line39(39, 'x');
    folder.write("buffer1.tmp", "//greeting\r\n{1}{Hello}{}{}{}{}{}\r\n");
    folder.write("buffer2.tmp", line39 + "\r\n");
    folder.write("buffer3.tmp", "");
    folder.write("buffer5.tmp", "{1}\r\n{2}\r\n\r\n{3}\r\n");
    const auto hints = LineBuffers(folder.root()).BuffHint(test::NumberedTables());
    struct Expected {
        std::string text;
        bool filled;
        int image;
    };
    const Expected expected[] = {
        {"MD17 1 - MD15:1 \ngreeting\n{1}{Hello}{}{}{}{}{}", true, 15},
        {"MD17 2 - MD15:1 \n" + line39 + "..", true, 17},
        {"MD17 3 - MD15:0 \n", true, 19},
        {"MD17 4 - MD15:MD16", false, 20},
        {"MD17 5 - MD15:3 \n{1}\n{2}\n..", true, 23},
    };
    for (int i = 0; i < kBufferCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        EXPECT_EQ(hints[index].text, expected[i].text) << i + 1;
        EXPECT_EQ(hints[index].filled, expected[i].filled) << i + 1;
        EXPECT_EQ(hints[index].image, expected[i].image) << i + 1;
    }
}

} // namespace
} // namespace dolmex
