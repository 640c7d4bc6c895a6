#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace dolmex {
namespace {

using test::CliRun;
using test::Lines;
using test::Q;
using test::RunCli;
using test::TempFolder;

// The verbs the program lists in its own help, so that a new verb cannot miss these tests.
std::vector<std::string> ListedVerbs() {
    std::istringstream help(RunCli({"--help"}).out);
    std::vector<std::string> verbs;
    bool inList = false;
    for (std::string line; std::getline(help, line);) {
        if (line == "Commands:")
            inList = true;
        else if (inList && line.empty())
            break;
        else if (inList)
            verbs.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    return verbs;
}

TEST(CliVerbs, ShareHelpErrorLinesAndExitCodes) {
    TempFolder folder;
    const QString absent = Q(folder.path("absent.dlg"));
    const QString out = Q(folder.path("out.dlg"));
    // The arguments that make each verb read a file that is not there.
    const std::map<std::string, QStringList> readingAbsent = {
        {"normalize", {absent, "--out", out}},
        {"describe", {absent}},
        {"renumber", {absent, "--out", out}},
        {"check", {absent}},
        {"find", {"a", absent}},
        {"refs", {absent, "1"}},
        {"export", {absent, "--out", Q(folder.path("out.po"))}},
        {"import", {absent, absent}},
        {"graph", {absent}},
        {"play", {absent, "--from", "1"}},
    };
    const auto verbs = ListedVerbs();
    ASSERT_FALSE(verbs.empty());
    for (const std::string& verb : verbs) {
        const QString v = Q(verb);
        const CliRun help = RunCli({v, "--help"});
        EXPECT_EQ(help.exitCode, 0) << verb;
        EXPECT_EQ(help.out.rfind("Usage: dolmex-cli " + verb + " [options] ", 0), 0)
            << verb << ": " << help.out;

        const CliRun unknown = RunCli({v, "--frobnicate"});
        EXPECT_EQ(unknown.exitCode, 2) << verb;
        EXPECT_EQ(Lines(unknown.err), 1) << verb << ": " << unknown.err;
        EXPECT_EQ(unknown.err.rfind("dolmex-cli " + verb + ": ", 0), 0) << unknown.err;
        EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos) << unknown.err;

        const CliRun bare = RunCli({v});
        EXPECT_EQ(bare.exitCode, 2) << verb;
        EXPECT_EQ(Lines(bare.err), 1) << verb << ": " << bare.err;

        ASSERT_TRUE(readingAbsent.count(verb)) << verb << " needs a case here";
        const CliRun missing = RunCli(QStringList{v} + readingAbsent.at(verb));
        EXPECT_EQ(missing.exitCode, 2) << verb;
        EXPECT_EQ(
            missing.err.rfind("dolmex-cli " + verb + ": " + folder.path("absent.dlg") + ": ", 0), 0)
            << missing.err;
        EXPECT_EQ(Lines(missing.err), 1) << verb << ": " << missing.err;
    }
}

TEST(CliVerbs, CheckGoesThroughTheDialogsOfAFolder) {
    TempFolder folder;
    folder.write("b/00002Two.dlg", "{1}{Hi}{}{}{}{7}{}\r\n");
    folder.write("a/00001One.dlg", "{1}{Hi}{}{}{}{8}{}\r\n");
    folder.write("notes.txt", "{1}{Hi}{}{}{}{9}{}\r\n");
    const CliRun run = RunCli({"check", Q(folder.root())});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const auto first = run.out.find("00001One.dlg:1:");
    const auto second = run.out.find("00002Two.dlg:1:");
    EXPECT_NE(first, std::string::npos) << run.out;
    EXPECT_LT(first, second) << run.out;
    EXPECT_EQ(run.out.find("notes.txt"), std::string::npos) << run.out;
}

} // namespace
} // namespace dolmex
