#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <sstream>
#include <vector>

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
    EXPECT_EQ(clean.out, "No problems in 1 file\n");

    const CliRun run = RunCli({"check", Q(good), Q(bad)});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, bad + ":1: the response names line 9, which no line has\n" + bad +
                           ":1: the G: list in the text names line 8, which no line has\n" + bad +
                           ":1: the result uw names line 7, which no line has\n" + bad +
                           ":3: line number 'x' is not a whole number\n" + bad +
                           ":4: line number 1 is also the number of row 1\n"
                           "5 problems in 1 of 2 files\n");
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
                  file + ":3: file line 5: saving drops this comment: no record follows it\n" +
                  "5 problems in 1 file\n");
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
                  ":4: unreachable: no path of responses and jumps leads here from line 1\n" +
                  "5 problems in 1 file\n");
}

TEST(CheckCli, TheBundledSampleIsClean) {
    const CliRun run =
        RunCli({"check", DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "No problems in 1 file\n");
}

TEST(CheckCli, AnUnreadableFileIsReportedAndTheOthersStillChecked) {
    TempFolder folder;
    const std::string bad = folder.write("bad.dlg", "{1}{}{}{}{}{4}{}\r\n");
    const CliRun run = RunCli({"check", Q(folder.path("absent.dlg")), Q(bad)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("absent.dlg"), std::string::npos) << run.err;
    EXPECT_EQ(Lines(run.out), 2) << run.out;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1),
              "1 problem in 1 file, 1 file could not be read\n");
    EXPECT_EQ(RunCli({"check"}).exitCode, 2);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(CheckCli, JsonLinesHoldTheSameFindingsAsTheText) {
    TempFolder folder;
    // A name that JSON must escape, and findings of all three sources.
    const std::string file = folder.write(
        "we\"ird\\name.dlg", "junk\r\n{1}{a}{}{}{}{9}{}\r\n//x\r\n{2}{b}\r\n//late\r\n");
    const std::string clean =
        folder.write("clean.dlg", "{1}{Hi}{}{}{}{2}{}\r\n{2}{Bye}{}{1}{}{0}{}\r\n");
    const CliRun text = RunCli({"check", Q(file), Q(clean)});
    const CliRun json = RunCli({"check", "--format", "json", Q(file), Q(clean)});
    EXPECT_EQ(json.exitCode, text.exitCode);
    EXPECT_EQ(json.exitCode, 1) << json.err;
    EXPECT_EQ(json.err, "");

    std::vector<std::string> expected = SplitLines(text.out);
    ASSERT_FALSE(expected.empty());
    expected.pop_back(); // the summary, which JSON does not have
    const std::vector<std::string> objects = SplitLines(json.out);
    ASSERT_EQ(objects.size(), expected.size()) << json.out;
    std::vector<std::string> sources;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(objects[i]), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << objects[i];
        const QJsonObject object = document.object();
        EXPECT_EQ(object.keys(), (QStringList{"file", "fileLine", "message", "row", "source"}))
            << objects[i];
        const QString source = object["source"].toString();
        sources.push_back(source.toStdString());
        EXPECT_EQ(object["fileLine"].isNull(), source != "reading") << objects[i];
        QString asText =
            object["file"].toString() + ':' + QString::number(object["row"].toInt()) + ": ";
        if (source == "reading")
            asText += QStringLiteral("file line %1: ").arg(object["fileLine"].toInt());
        asText += object["message"].toString();
        EXPECT_EQ(asText.toStdString(), expected[i]);
    }
    EXPECT_EQ(sources, (std::vector<std::string>{"reading", "numbers", "reading", "conversation",
                                                 "reading"}));
}

TEST(CheckCli, AnUnknownFormatIsAUsageError) {
    TempFolder folder;
    const std::string file = folder.write("a.dlg", "{1}{Hi}{}{}{}{0}{}\r\n");
    const CliRun run = RunCli({"check", "--format", "xml", Q(file)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("xml"), std::string::npos) << run.err;
    EXPECT_EQ(RunCli({"check", "--format", "text", Q(file)}).out, "No problems in 1 file\n");
    const CliRun help = RunCli({"check", "--help"});
    EXPECT_NE(help.out.find("--format"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("\"fileLine\""), std::string::npos) << help.out;
}

TEST(CheckCli, TheSummaryCountsProblemsFilesAndUnreadableOnes) {
    const std::string clean = "{1}{Hi}{}{}{}{0}{}\r\n";
    const std::string oneProblem = "{1}{Hi}{}{}{}{9}{}\r\n";
    const std::string twoProblems = "{1}{Hi}{}{}{}{9}{}\r\n{x}{}{}{}{}{0}{}\r\n";
    const struct {
        std::vector<std::string> dialogs; // "" stands for a file that is not there
        std::string summary;
        int exitCode;
    } cases[] = {
        {{clean}, "No problems in 1 file", 0},
        {{clean, clean, clean}, "No problems in 3 files", 0},
        {{oneProblem}, "1 problem in 1 file", 1},
        {{twoProblems}, "2 problems in 1 file", 1},
        {{clean, oneProblem}, "1 problem in 1 of 2 files", 1},
        {{twoProblems, oneProblem, clean}, "3 problems in 2 of 3 files", 1},
        {{clean, ""}, "No problems in 1 file, 1 file could not be read", 2},
        {{"", ""}, "No problems in 0 files, 2 files could not be read", 2},
        {{oneProblem, clean, "", ""}, "1 problem in 1 of 2 files, 2 files could not be read", 2},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        QStringList arguments{"check"};
        for (std::size_t i = 0; i < c.dialogs.size(); ++i) {
            const std::string name = "d" + std::to_string(i) + ".dlg";
            arguments << Q(c.dialogs[i].empty() ? folder.path(name)
                                                : folder.write(name, c.dialogs[i]));
        }
        const CliRun run = RunCli(arguments);
        const std::vector<std::string> lines = SplitLines(run.out);
        ASSERT_FALSE(lines.empty()) << c.summary;
        EXPECT_EQ(lines.back(), c.summary);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.summary;
    }
}

TEST(CheckCli, AFolderStandsForEveryDialogBelowIt) {
    TempFolder folder;
    folder.write("Mod/dlg/00001One.dlg", "{1}{Hi}{}{}{}{7}{}\r\n");
    folder.write("Mod/dlg/deep/er/00002Two.dlg", "{1}{Hi}{}{}{}{0}{}\r\n");
    folder.write("Mod/dlg/deep/00003Three.dlg", "{1}{Hi}{}{}{}{8}{}\r\n");
    folder.write("Mod/dlg/deep/readme.txt", "{1}{Hi}{}{}{}{9}{}\r\n");
    const CliRun run = RunCli({"check", Q(folder.path("Mod"))});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_NE(lines[0].find("00001One.dlg:1: the response names line 7"), std::string::npos);
    EXPECT_NE(lines[1].find("deep/00003Three.dlg:1: the response names line 8"), std::string::npos);
    EXPECT_EQ(lines[2], "2 problems in 2 of 3 files");
}

} // namespace
} // namespace dolmex
