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

const char* const kSample = DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg";

TEST(GraphCli, PrintsTheDotOrWritesTheSvg) {
    const CliRun dot = RunCli({"graph", kSample});
    EXPECT_EQ(dot.exitCode, 0) << dot.err;
    EXPECT_EQ(dot.out, ReadAll(DOLMEX_SOURCE_DIR "/tests/data/00001Ferryman.dot"));
    EXPECT_EQ(RunCli({"graph", kSample, "--format", "dot"}).out, dot.out);

    TempFolder folder;
    const std::string svgFile = folder.path("map.svg");
    const CliRun svg = RunCli({"graph", kSample, "--format", "svg", "--out", Q(svgFile)});
    EXPECT_EQ(svg.exitCode, 0) << svg.err;
    EXPECT_TRUE(svg.out.empty()) << svg.out;
    const std::string drawn = ReadAll(svgFile);
    EXPECT_EQ(drawn.rfind("<?xml", 0), 0u) << drawn.substr(0, 100);
    EXPECT_NE(drawn.find("<title>line95</title>"), std::string::npos);

    const std::string dotFile = folder.path("map.dot");
    EXPECT_EQ(RunCli({"graph", kSample, "--out", Q(dotFile)}).exitCode, 0);
    EXPECT_EQ(ReadAll(dotFile), dot.out);
}

TEST(GraphCli, WrongFormatOrUnwritableOutExitsWithTwo) {
    TempFolder folder;
    const struct {
        QStringList arguments;
        const char* said;
    } cases[] = {
        {{"graph", kSample, "--format", "png"}, "png"},
        {{"graph", kSample, "--out", Q(folder.path("no/such/folder/map.dot"))}, "map.dot"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.said;
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_EQ(Lines(run.err), 1) << run.err;
        EXPECT_EQ(run.err.rfind("dolmex-cli graph: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace dolmex
