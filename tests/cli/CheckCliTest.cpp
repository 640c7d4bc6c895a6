#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <algorithm>

namespace dolmex {
namespace {

using test::CliRun;
using test::Lines;
using test::Q;
using test::RunCli;
using test::TempFolder;

TEST(CheckCli, ListsProblemsPerFileAndRow) {
    TempFolder folder;
    const std::string good =
        folder.write("good.dlg", "{1}{Hi}{}{}{}{2}{}\r\n{2}{Bye}{}{1}{}{0}{}\r\n");
    const std::string bad = folder.write("bad.dlg", "{1}{G:a 8}{}{}{}{9}{uw 1 7}\r\n\r\n"
                                                    "{x}{}{}{}{}{}{}\r\n{1}{}{}{}{}{}{}\r\n");
    const CliRun clean = RunCli({"check", Q(good)});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.out, "");

    const CliRun run = RunCli({"check", Q(good), Q(bad)});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, bad + ":1: the response names line 9, which no line has\n" + bad +
                           ":1: the G: list in the text names line 8, which no line has\n" + bad +
                           ":1: the result uw names line 7, which no line has\n" + bad +
                           ":3: line number 'x' is not a whole number\n" + bad +
                           ":4: line number 1 is also the number of row 1\n");
    EXPECT_EQ(run.err, "");
}

TEST(CheckCli, LinesASaveWouldChangeAreProblemsAtTheirRow) {
    TempFolder folder;
    const std::string file =
        folder.write("notes.dlg", "junk\r\n{1}{a}{}{}{}{9}{}\r\n//x\r\n{2}{b}\r\n//late\r\n");
    const CliRun run = RunCli({"check", Q(file)});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out,
              file +
                  ":1: file line 1: saving drops this line's text: it is neither a record nor a "
                  "comment\n" +
                  file + ":1: the response names line 9, which no line has\n" + file +
                  ":2: file line 4: saving adds empty fields: the record has fewer than seven\n" +
                  file +
                  ":2: unreachable: no path of responses and jumps leads here from line 1\n" +
                  file + ":3: file line 5: saving drops this comment: no record follows it\n");
    EXPECT_NE(RunCli({"check", "--help"}).out.find("file line N"), std::string::npos);
}

TEST(CheckCli, DeadEndsOfTheConversationAreProblemsAtTheirRow) {
    TempFolder folder;
    const std::string file = folder.write(
        "dead.dlg", "{1}{Hi}{}{}{}{}{}\r\n{2}{For women}{1}{1}{}{3}{}\r\n{3}{Oops}{1}{1}{}{9}{}\r\n"
                    "{5}{Alone}{}{}{}{}{}\r\n");
    const CliRun run = RunCli({"check", Q(file)});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out,
              file + ":1: no answer for a male character of intelligence 1\n" + file +
                  ":1: no answer for a male character of intelligence 20\n" + file +
                  ":2: the response names line 3, a player line rather than an NPC line\n" + file +
                  ":3: the response names line 9, which no line has\n" + file +
                  ":4: unreachable: no path of responses and jumps leads here from line 1\n");
}

TEST(CheckCli, TheBundledSampleIsClean) {
    const CliRun run =
        RunCli({"check", DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(CheckCli, AnUnreadableFileIsReportedAndTheOthersStillChecked) {
    TempFolder folder;
    const std::string bad = folder.write("bad.dlg", "{1}{}{}{}{}{4}{}\r\n");
    const CliRun run = RunCli({"check", Q(folder.path("absent.dlg")), Q(bad)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("absent.dlg"), std::string::npos) << run.err;
    EXPECT_EQ(Lines(run.out), 1) << run.out;
    EXPECT_EQ(RunCli({"check"}).exitCode, 2);
}

} // namespace
} // namespace dolmex
