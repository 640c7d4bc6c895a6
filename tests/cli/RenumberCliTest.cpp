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
using test::ReadAll;
using test::RunCli;
using test::TempFolder;

// MAINDESCRIPTION entry n reads "mdn"; entry 23 is Cyrillic in Windows-1251.
std::string LanguageFile() {
    std::string lng = "[MAINDESCRIPTION]\r\n";
    for (int i = 0; i <= 32; ++i)
        lng +=
            i == 23 ? std::string("\xCE\xF2\xF7\xE5\xF2\r\n") : "md" + std::to_string(i) + "\r\n";
    return lng + "EOF\r\n";
}

const char* const kDialog = "{5}{G:a 7, b 9}{}{}{}{9}{jo 0 7}\r\n"
                            "{7}{Hi}{}{1}{}{55}{}\r\n"
                            "//the end\r\n"
                            "{9}{Q:4}{}{}{}{}{}\r\n";

struct Files {
    TempFolder folder;
    std::string in = folder.write("in.dlg", kDialog);
    std::string out = folder.write("out.dlg", "precious");
    std::string lang = folder.write("test.lng", LanguageFile());

    QStringList args(const QStringList& extra) const {
        return QStringList{"renumber", Q(in), "--out", Q(out), "--lang", Q(lang)} + extra;
    }
};

TEST(RenumberCli, WritesTheFileAndPrintsTheReport) {
    Files files;
    const CliRun run = RunCli(files.args({}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadAll(files.out), "{1}{G:a 2,b 3 }{}{}{}{3}{jo0 2}\r\n"
                                  "{2}{Hi}{}{1}{}{55}{}\r\n"
                                  "//the end\r\n"
                                  "{3}{Q:4}{}{}{}{}{}\r\n");
    EXPECT_EQ(run.out, "{\"report\": [{\"bold\": true, \"text\": \"Отчет\"}, "
                       "{\"bold\": false, \"text\": \"md14 - 3\"}, "
                       "{\"bold\": true, \"text\": \"md24\"}, "
                       "{\"bold\": false, \"text\": \"md25 - 3\"}, "
                       "{\"bold\": true, \"text\": \"md26\"}, "
                       "{\"bold\": false, \"text\": \"md18 !!!!\"}, "
                       "{\"bold\": true, \"text\": \"md19\"}, "
                       "{\"bold\": false, \"text\": \"md0 2 : md20 Respone Line md21 55\"}, "
                       "{\"bold\": true, \"text\": \"md29 :\"}, "
                       "{\"bold\": false, \"text\": \"4 md30 3\"}, "
                       "{\"bold\": true, \"text\": \"md32 !\"}]}\n");
}

TEST(RenumberCli, OptionsChooseTheSchemeAndWhatIsRewritten) {
    struct Case {
        const char* name;
        QStringList options;
        std::string firstLine;
        bool listsQuests;
    };
    const Case cases[] = {
        {"step", {"--step", "5"}, "{5}{G:a 10,b 15 }{}{}{}{15}{jo0 10}", true},
        {"blocks", {"--blocks", "10", "--step", "2"}, "{10}{G:a 12,b 20 }{}{}{}{20}{jo0 12}", true},
        {"no generated texts", {"--no-generated"}, "{1}{G:a 7, b 9}{}{}{}{3}{jo0 2}", true},
        {"no results", {"--no-results"}, "{1}{G:a 2,b 3 }{}{}{}{3}{jo 0 7}", true},
        {"no quests", {"--no-quests"}, "{1}{G:a 2,b 3 }{}{}{}{3}{jo0 2}", false},
    };
    for (const Case& c : cases) {
        Files files;
        const CliRun run = RunCli(files.args(c.options));
        ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        const std::string written = ReadAll(files.out);
        EXPECT_EQ(written.substr(0, written.find('\r')), c.firstLine) << c.name;
        EXPECT_EQ(run.out.find("md29") != std::string::npos, c.listsQuests) << c.name;
    }
}

TEST(RenumberCli, RefusedOptionsWriteNothing) {
    const QStringList cases[] = {
        {"--step", "0"},
        {"--step", "100"},
        {"--step", "x"},
        {"--step", ""},
        {"--step", "-1"},
        {"--step", "+5"},
        {"--blocks", "0"},
        {"--blocks", "1e1"},
        {"--blocks", "10", "--step", "10"},
        {"--blocks", "5", "--step", "9"},
        {"--frobnicate"},
    };
    for (const QStringList& options : cases) {
        Files files;
        const CliRun run = RunCli(files.args(options));
        const std::string name = options.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_EQ(Lines(run.err), 1) << name << ": " << run.err;
        EXPECT_EQ(run.out, "") << name;
        EXPECT_EQ(ReadAll(files.out), "precious") << name;
    }
    Files files;
    EXPECT_EQ(RunCli({"renumber", Q(files.in)}).exitCode, 2);
}

TEST(RenumberCli, FileFailuresNameTheFileAndWriteNothing) {
    Files files;
    struct Case {
        const char* name;
        QStringList arguments;
        std::string mentioned;
    };
    const Case cases[] = {
        {"missing input",
         {"renumber", Q(files.folder.path("absent.dlg")), "--out", Q(files.out), "--lang",
          Q(files.lang)},
         "absent.dlg"},
        {"missing language file",
         {"renumber", Q(files.in), "--out", Q(files.out), "--lang", Q(files.folder.path("x.lng"))},
         "x.lng"},
        {"output folder missing",
         {"renumber", Q(files.in), "--out", Q(files.folder.path("no/o.dlg")), "--lang",
          Q(files.lang)},
         "no/o.dlg"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_NE(run.err.find(c.mentioned), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(Lines(run.err), 1) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_EQ(ReadAll(files.out), "precious") << c.name;
    }
}

TEST(RenumberCli, TheDefaultLanguageNamesTheResponseLabel) {
    Files files;
    const CliRun run = RunCli({"renumber", Q(files.in), "--out", Q(files.out)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Respone Line"), std::string::npos) << run.out;
}

} // namespace
} // namespace dolmex
