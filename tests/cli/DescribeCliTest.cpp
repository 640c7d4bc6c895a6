#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include <algorithm>

namespace dolmex {
namespace {

using test::CliRun;
using test::Lines;
using test::Q;
using test::RunCli;
using test::TempFolder;

// A small language file: MAINDESCRIPTION entries read "mdN" except the words checked by
// navigation, and generated-line kind T ("Talk") explained as "Talks".
std::string LanguageFile() {
    std::string lng = "[MAINDESCRIPTION]\r\n";
    for (int i = 0; i <= 46; ++i) {
        if (i == 0)
            lng += "Line\r\n";
        else if (i == 10)
            lng += "To line\r\n";
        else
            lng += "md" + std::to_string(i) + "\r\n";
    }
    lng += "EOF\r\n[PLAYER]\r\nNPC\r\nPC\r\nEOF\r\n[GENDER]\r\n";
    for (int i = 0; i < 7; ++i)
        lng += "g" + std::to_string(i) + "\r\n";
    lng += "EOF\r\n[IN]\r\nlow\r\nhigh\r\nEOF\r\n[RESULT]\r\ngv Var #1 = #2\r\nEOF\r\n";
    lng += "[GENERATEDDIALOG]\r\n";
    for (char letter = 'A'; letter <= 'T'; ++letter)
        lng += letter == 'T' ? "0 Talk Talks\r\nsay #1\r\n" : "0 Other\r\nx\r\n";
    return lng + "EOF\r\n";
}

struct Module {
    TempFolder folder;
    std::string dialog, language;

    Module() {
        const QDir root(Q(folder.root()));
        root.mkpath("Mod/dlg");
        root.mkpath("Mod/semes");
        folder.write("Mod/semes/globalvars.mes", "{5}{Five}\r\n");
        // Row 2's text is Windows-1251 for a Cyrillic letter followed by a control byte.
        dialog = folder.write("Mod/dlg/00001Test.dlg", "//Greeting \"quoted\"\r\n"
                                                       "{1}{Hello \"friend\"}{}{}{}{2}{gv 5 1}\r\n"
                                                       "{2}{\xC1\x01}{}{1}{}{0}{}\r\n"
                                                       "{3}{T:7}{}{}{}{}{}\r\n");
        language = folder.write("test.lng", LanguageFile());
    }
};

const std::string kRow1 =
    R"({"row": 1, "desc": [{"bold": true, "text": "Line 1 - md1 NPC"}, )"
    R"({"bold": false, "text": "\"Hello \"friend\"\""}, )"
    R"({"bold": true, "text": "md7 To line 2"}, {"bold": true, "text": "md4"}, )"
    R"({"bold": false, "text": "1) Var 5 = 1"}, {"bold": true, "text": "md41md33"}, )"
    R"({"bold": false, "text": "5 - \"Five\""}], "moves": ["To line 2"], )"
    R"("status": ["md43 : Greeting \"quoted\"", "", "md14 : 3"]})"
    "\n";
const std::string kRow2 =
    R"({"row": 2, "desc": [{"bold": true, "text": "Line 2 - md1 PC (g0) high md2 1"}, )"
    "{\"bold\": false, \"text\": \"\\\"\xD0\x91\\u0001\\\"\"}, "
    R"({"bold": true, "text": "md7 md9"}], "moves": ["md9"], )"
    R"("status": ["md43 : Greeting \"quoted\"", "", "md14 : 3"]})"
    "\n";
const std::string kRow3 =
    R"({"row": 3, "desc": [{"bold": true, "text": "Line 3 - md1 NPC"}, )"
    R"({"bold": true, "text": "md11 \"Talk\""}, {"bold": false, "text": "Talks"}, )"
    R"({"bold": true, "text": "md12"}, {"bold": false, "text": "say 7"}], )"
    R"("moves": ["To line 7"], "status": ["md45", "", "md14 : 3"]})"
    "\n";

TEST(DescribeCli, PrintsEveryRowAsJsonLines) {
    const Module m;
    const CliRun run = RunCli({"describe", Q(m.dialog), "--lang", Q(m.language)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, kRow1 + kRow2 + kRow3);
}

TEST(DescribeCli, OptionsSelectTheRowAndHideParts) {
    const Module m;
    const auto describe = [&](QStringList options) {
        const CliRun run =
            RunCli(QStringList{"describe", Q(m.dialog), "--lang", Q(m.language)} + options);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    };
    EXPECT_EQ(describe({"--row", "2"}), kRow2);
    EXPECT_EQ(describe({"--row", "3", "--no-generated-info"}),
              R"({"row": 3, "desc": [{"bold": true, "text": "Line 3 - md1 NPC"}, )"
              R"({"bold": true, "text": "md11 \"Talk\""}, {"bold": false, "text": "say 7"}], )"
              R"("moves": ["To line 7"], "status": ["md45", "", "md14 : 3"]})"
              "\n");
    const std::string quiet = describe({"--row", "1", "--no-messages"});
    EXPECT_EQ(quiet.find("Five"), std::string::npos);
    EXPECT_NE(quiet.find("1) Var 5 = 1"), std::string::npos);
}

TEST(DescribeCli, TextFormatReadsAsThePanel) {
    const Module m;
    const CliRun run = RunCli(
        {"describe", Q(m.dialog), "--lang", Q(m.language), "--row", "1", "--format", "text"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "# Row 1\n## Line 1 - md1 NPC\n\"Hello \"friend\"\"\n## md7 To line 2\n"
                       "## md4\n1) Var 5 = 1\n## md41md33\n5 - \"Five\"\n-> To line 2\n");
    const CliRun all =
        RunCli({"describe", Q(m.dialog), "--lang", Q(m.language), "--format", "text"});
    EXPECT_NE(all.out.find("-> To line 2\n\n# Row 2\n"), std::string::npos) << all.out;
}

TEST(DescribeCli, FailuresGiveOneLineAndExitCodeTwo) {
    const Module m;
    struct Case {
        const char* name;
        QStringList arguments;
        std::string mentioned;
    };
    const Case cases[] = {
        {"missing dialog",
         {"describe", Q(m.folder.path("absent.dlg")), "--lang", Q(m.language)},
         "absent.dlg"},
        {"missing language file",
         {"describe", Q(m.dialog), "--lang", Q(m.folder.path("no.lng"))},
         "no.lng"},
        {"row 0", {"describe", Q(m.dialog), "--lang", Q(m.language), "--row", "0"}, "row 0"},
        {"row past the end",
         {"describe", Q(m.dialog), "--lang", Q(m.language), "--row", "4"},
         "row 4"},
        {"unknown format",
         {"describe", Q(m.dialog), "--lang", Q(m.language), "--format", "xml"},
         "xml"},
        {"row not a number",
         {"describe", Q(m.dialog), "--lang", Q(m.language), "--row", "x"},
         "row x"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_NE(run.err.find(c.mentioned), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": " << run.err;
    }
    EXPECT_EQ(RunCli({"describe"}).exitCode, 2);
}

} // namespace
} // namespace dolmex
