#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace dolmex {
namespace {

using test::CliRun;
using test::Lines;
using test::Q;
using test::ReadAll;
using test::RunCli;
using test::TempFolder;

TEST(NormalizeCli, WritesTheCanonicalForm) {
    TempFolder folder;
    const std::string in = folder.write("in.dlg", "junk\n//c\n{1}{A}\nx\n");
    const std::string out = folder.path("out.dlg");
    const CliRun run = RunCli({"normalize", Q(in), "--out", Q(out)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadAll(out), "//c\r\n{1}{A}{}{}{}{}{}\r\n\r\n");
}

TEST(NormalizeCli, FailuresNameTheFileAndLeaveTheOutputAlone) {
    TempFolder folder;
    const std::string in = folder.write("in.dlg", "{1}{A}");
    const std::string out = folder.write("out.dlg", "precious");
    struct Case {
        const char* name;
        QStringList arguments;
        std::string mentioned;
    };
    const Case cases[] = {
        {"missing input",
         {"normalize", Q(folder.path("absent.dlg")), "--out", Q(out)},
         "absent.dlg"},
        {"input is a folder", {"normalize", Q(folder.root()), "--out", Q(out)}, folder.root()},
        {"output folder missing",
         {"normalize", Q(in), "--out", Q(folder.path("no/x.dlg"))},
         "no/x.dlg"},
        {"output is a folder", {"normalize", Q(in), "--out", Q(folder.root())}, folder.root()},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_NE(run.err.find(c.mentioned), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": " << run.err;
        EXPECT_EQ(ReadAll(out), "precious") << c.name;
    }
}

TEST(NormalizeCli, HelpListsTheCommandsAndBadUsageFails) {
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("normalize"), std::string::npos);
    EXPECT_NE(RunCli({"normalize"}).exitCode, 0);
    EXPECT_NE(RunCli({"frobnicate"}).exitCode, 0);
}

} // namespace
} // namespace dolmex
