#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace dolmex {
namespace {

using test::CliRun;
using test::Lines;
using test::Q;
using test::RunCli;
using test::TempFolder;

// Cells in Windows-1251: "ПРИВЕТ" and "ёж".
const char* const kOne = "{10}{Hello there}{}{}{}{20}{jo 0 20}\r\n"
                         "{20}{G:, a 10}{M:x,20}{1}{}{10}{et5 10, uw 1 20}\r\n";
const char* const kTwo = "{1}{\xCF\xD0\xC8\xC2\xC5\xD2 hello_}{}{}{}{}{}\r\n"
                         "//\xB8\xE6 hello\r\n{2}{}{}{}{}{}{}\r\n";

TEST(SearchCli, FindPrintsEachMatchingCell) {
    TempFolder folder;
    const std::string one = folder.write("dlg/b/00001One.dlg", kOne);
    const std::string two = folder.write("dlg/a/00002Two.dlg", kTwo);
    folder.write("dlg/a/notes.txt", kOne);
    const std::string dir = folder.path("dlg");
    struct Case {
        QStringList arguments;
        int exitCode;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"hello", Q(one)}, 1, {}},
        {{"hello", Q(one), "--ignore-case"}, 0, {one + ":1:text: Hello there"}},
        // A folder stands for its dialogs below it, in path order.
        {{"hello", Q(dir), "--ignore-case"},
         0,
         {two + ":1:text: ПРИВЕТ hello_", two + ":2:comment: ёж hello",
          one + ":1:text: Hello there"}},
        {{"hello", Q(dir), "--ignore-case", "--whole-word"},
         0,
         {two + ":2:comment: ёж hello", one + ":1:text: Hello there"}},
        {{"привет", Q(two), "--ignore-case"}, 0, {two + ":1:text: ПРИВЕТ hello_"}},
        {{"привет", Q(two)}, 1, {}},
        {{"ЁЖ", Q(two), "--ignore-case", "--in", "text,comment"},
         0,
         {two + ":2:comment: ёж hello"}},
        {{"ЁЖ", Q(two), "--ignore-case", "--in", "text"}, 1, {}},
        {{"^[0-9]0$", Q(one), "--regex"},
         0,
         {one + ":1:number: 10", one + ":1:response: 20", one + ":2:number: 20",
          one + ":2:response: 10"}},
        {{"20", Q(one), "--in", "results,gender"},
         0,
         {one + ":1:results: jo 0 20", one + ":2:gender: M:x,20",
          one + ":2:results: et5 10, uw 1 20"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = RunCli(QStringList{"find"} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        std::string expected;
        for (const std::string& line : c.lines)
            expected += line + "\n";
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "");
    }
}

TEST(SearchCli, FindRefusesABadPatternOrColumn) {
    TempFolder folder;
    const std::string one = folder.write("one.dlg", kOne);
    const QStringList refused[] = {
        {"(a", Q(one), "--regex"}, {"a", Q(one), "--in", "texts"}, {"a", Q(one), "--in", ","}};
    for (const QStringList& arguments : refused) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = RunCli(QStringList{"find"} + arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Lines(run.err), 1) << run.err;
        EXPECT_EQ(run.err.rfind("dolmex-cli find: ", 0), 0) << run.err;
    }
    EXPECT_NE(RunCli({"find", "(a", Q(one), "--regex"}).err.find("(a: "), std::string::npos);
    // The same pattern as plain text is fine.
    EXPECT_EQ(RunCli({"find", "(a", Q(one)}).exitCode, 1);
}

TEST(SearchCli, RefsPrintsEachPlaceThatNamesTheLine) {
    TempFolder folder;
    const std::string one = folder.write("one.dlg", kOne);
    struct Case {
        const char* line;
        int exitCode;
        std::vector<std::string> places;
    };
    const Case cases[] = {
        {"10", 0, {":2: response", ":2: G:", ":2: result et"}},
        {"20", 0, {":1: response", ":1: result jo", ":2: M:", ":2: result uw"}},
        {"30", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CliRun run = RunCli({"refs", Q(one), c.line});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        std::string expected;
        for (const std::string& place : c.places)
            expected += one + place + "\n";
        EXPECT_EQ(run.out, expected);
    }
    for (const char* bad : {"0", "-1", "x", "1.5"}) {
        const CliRun run = RunCli({"refs", Q(one), bad});
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_EQ(Lines(run.err), 1) << run.err;
    }
}

} // namespace
} // namespace dolmex
