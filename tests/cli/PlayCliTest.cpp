#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::CliRun;
using test::Lines;
using test::Q;
using test::ReadAll;
using test::RunCli;
using test::TempFolder;

const QString kSample =
    QStringLiteral(DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg");
const QString kEnglish = QStringLiteral(DOLMEX_SOURCE_DIR "/lang/english.lng");

TEST(PlayCli, TranscriptsOfTheSampleForSeveralCharacters) {
    const std::pair<const char*, QStringList> cases[] = {
        {"ferryman-male-10.txt", {"--from", "10", "--choose", "1,1"}},
        {"ferryman-female-20.txt",
         {"--from", "10", "--gender", "female", "--intelligence", "20", "--choose", "3,1,1"}},
        {"ferryman-male-3.txt", {"--from", "1", "--intelligence", "3", "--choose", "2,1,3,1"}},
        {"ferryman-fail-tests.txt", {"--from", "20", "--fail-tests"}},
    };
    for (const auto& [golden, arguments] : cases) {
        SCOPED_TRACE(golden);
        const CliRun run = RunCli(QStringList{"play", kSample, "--lang", kEnglish} + arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, ReadAll(std::string(DOLMEX_SOURCE_DIR "/tests/data/play/") + golden));
    }
}

TEST(PlayCli, WithoutChoicesTheRunStopsAtTheFirstChoice) {
    const CliRun run = RunCli({"play", kSample, "--lang", kEnglish, "--from", "30"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Character: male, intelligence 10\n"
                       "Line 30 (NPC):\n"
                       "  \"Ten coins, and I row you over to Millbrook before the mist comes "
                       "down.\"\n"
                       "Answers:\n"
                       "  1. [31] \"Here are your ten coins.\"\n"
                       "  2. [32] \"Too much. I will find another way.\"\n"
                       "Hidden:\n"
                       "  - [33] Generated line: \"Skill boast\" The player boasts of a skill "
                       "Arguments: Boasts of the Persuasion skill: max. intelligence 6\n");
}

TEST(PlayCli, ALoopEndsWithItsMessage) {
    TempFolder folder;
    const std::string file =
        folder.write("loop.dlg", "{1}{Round}{}{}{}{2}{}\r\n{2}{again}{}{}{}{1}{}\r\n");
    const CliRun run = RunCli({"play", Q(file), "--lang", kEnglish, "--from", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), 1 + 2 * 1000 + 1);
    EXPECT_NE(run.out.find("\nThe run stopped after 1000 steps: the lines go round in a loop\n"),
              std::string::npos);
}

TEST(PlayCli, WrongLinesChoicesAndOptionsExitWithTwo) {
    struct Case {
        QStringList arguments;
        std::string error; // after "dolmex-cli play: "
        long printed;      // lines of transcript before the error, after the character
    };
    const std::string sample = kSample.toStdString();
    const Case cases[] = {
        {{"--from", "7"}, sample + ": no line has the number 7", -1},
        {{"--from", "10", "--choose", "1,3"},
         sample + ": choice 3 (choice 2 of --choose) is not offered: choose 1 to 2",
         21},
        {{"--from", "10", "--choose", "0"},
         sample + ": choice 0 (choice 1 of --choose) is not offered: choose 1 to 4",
         12},
        {{"--from", "45", "--choose", "1"},
         sample + ": choice 1 (choice 1 of --choose) is not offered: the run has no choice left",
         3},
        {{"--from", "10", "--choose", "1,x"}, "--choose takes numbers, not x", -1},
        {{"--from", "ten"}, "--from ten is not a line number", -1},
        {{}, "--from N is required", -1},
        {{"--from", "10", "--gender", "other"}, "--gender takes male or female, not other", -1},
        {{"--from", "10", "--intelligence", "0"}, "--intelligence takes 1 to 20, not 0", -1},
        {{"--from", "10", "--intelligence", "21"}, "--intelligence takes 1 to 20, not 21", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const CliRun run = RunCli(QStringList{"play", kSample, "--lang", kEnglish} + c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(Lines(run.err), 1) << run.err;
        EXPECT_EQ(run.err.rfind("dolmex-cli play: " + c.error, 0), 0) << run.err;
        // The transcript up to the wrong choice comes first; usage errors print nothing.
        EXPECT_EQ(Lines(run.out), c.printed < 0 ? 0 : c.printed + 1) << run.out;
    }
    // The edges of the intelligence are taken.
    for (const char* k : {"1", "20"})
        EXPECT_EQ(RunCli({"play", kSample, "--from", "10", "--intelligence", k}).exitCode, 0) << k;
}

} // namespace
} // namespace dolmex
