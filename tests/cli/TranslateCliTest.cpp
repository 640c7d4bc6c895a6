#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

namespace dolmex {
namespace {

using test::CliRun;
using test::Q;
using test::ReadAll;
using test::RunCli;
using test::TempFolder;

// An NPC line with a gender text and a comment, a player line (whose gender text is no
// text for the player), a generated line and a number carried twice.
const char* const kDialog = "//Greeting\r\n{10}{Hello, traveller}{Hello, lady}{}{}{11}{}\r\n"
                            "{11}{Who are you?}{ignored}{1}{}{0}{}\r\n"
                            "{12}{G: a 10}{}{}{}{}{}\r\n"
                            "{11}{Again}{}{1}{}{0}{}\r\n";

std::string Entry(const std::string& context, const std::string& source,
                  const std::string& translation) {
    return "msgctxt \"" + context + "\"\nmsgid \"" + source + "\"\nmsgstr \"" + translation +
           "\"\n\n";
}

const std::string kHeader = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

TEST(TranslateCli, ExportWritesOneMessagePerTextAPlayerSees) {
    TempFolder folder;
    const std::string dialog = folder.write("dlg/00001Ann.dlg", kDialog);
    const std::string po = folder.path("ann.po");
    const CliRun run = RunCli({"export", Q(folder.path("dlg")), "--out", Q(po)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Wrote 4 texts of 1 files to " + po + "\n");
    const std::string text = ReadAll(po);
    for (const char* expected :
         {"#. Greeting\n#: ", "msgctxt \"00001Ann.dlg:10\"\nmsgid \"Hello, traveller\"",
          "msgctxt \"00001Ann.dlg:10:gender\"\nmsgid \"Hello, lady\"",
          "msgctxt \"00001Ann.dlg:11\"\nmsgid \"Who are you?\"",
          "msgctxt \"00001Ann.dlg:11#2\"\nmsgid \"Again\""})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("ignored"), std::string::npos);
    EXPECT_EQ(text.find("G: a 10"), std::string::npos);
    EXPECT_NE(text.find(dialog + ":1"), std::string::npos); // the source location

    const QString msgfmt = QStandardPaths::findExecutable(QStringLiteral("msgfmt"));
    if (!msgfmt.isEmpty()) {
        EXPECT_EQ(QProcess::execute(msgfmt, {"--check", "-o", "/dev/null", Q(po)}), 0);
    }
}

TEST(TranslateCli, ImportChangesOnlyTheTextsItTranslates) {
    // Windows-1251 for "Привет, путник".
    const std::string translated = "//Greeting\r\n{10}{\xCF\xF0\xE8\xE2\xE5\xF2, \xEF\xF3\xF2\xED"
                                   "\xE8\xEA}{Hello, lady}{}{}{11}{}\r\n";
    struct Case {
        const char* what;
        std::string entries;
        int exitCode;
        std::string dialogAfter; // empty: untouched
        std::string report;
    };
    const std::string rest(std::string(kDialog).substr(std::string(kDialog).find("\r\n{11}") + 2));
    const Case cases[] = {
        {"nothing translated", Entry("00001Ann.dlg:10", "Hello, traveller", ""), 0, "",
         "Translated 0 texts in 0 files\n"},
        {"the same text", Entry("00001Ann.dlg:10", "Hello, traveller", "Hello, traveller"), 0, "",
         "Translated 0 texts in 0 files\n"},
        {"one text", Entry("00001Ann.dlg:10", "Hello, traveller", "Привет, путник"), 0,
         translated + rest, "Translated 1 texts in 1 files\n"},
        {"a fuzzy one", "#, fuzzy\n" + Entry("00001Ann.dlg:10", "Hello, traveller", "Привет"), 0,
         "", "Translated 0 texts in 0 files\n"},
        {"a brace refuses the file",
         Entry("00001Ann.dlg:10", "Hello, traveller", "Привет, путник") +
             Entry("00001Ann.dlg:11", "Who are you?", "{x}"),
         1, "",
         "P: 00001Ann.dlg:11: a brace cannot stand in a dialog text\n"
         "Translated 0 texts in 0 files\n"},
        {"a character Windows-1251 lacks", Entry("00001Ann.dlg:11", "Who are you?", "你好"), 1, "",
         "P: 00001Ann.dlg:11: a character has no place in Windows-1251\n"
         "Translated 0 texts in 0 files\n"},
        {"a line break", Entry("00001Ann.dlg:11", "Who are you?", "a\\nb"), 1, "",
         "P: 00001Ann.dlg:11: a line break cannot stand in a dialog text\n"
         "Translated 0 texts in 0 files\n"},
        {"a changed source",
         Entry("00001Ann.dlg:11", "Who are they?", "Кто вы?") +
             Entry("00001Ann.dlg:99", "Gone", "Нет"),
         1, "",
         "P: 00001Ann.dlg:11: the line's text is no longer the one translated; left as it is\n"
         "P: 00001Ann.dlg:99: no line of the file has this key\n"
         "Translated 0 texts in 0 files\n"},
        {"another file's entry", Entry("00002Bob.dlg:10", "Hello, traveller", "Привет"), 0, "",
         "Translated 0 texts in 0 files\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string dialog = folder.write("00001Ann.dlg", kDialog);
        const std::string po = folder.write("ann.po", kHeader + c.entries);
        const CliRun run = RunCli({"import", Q(po), Q(dialog)});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        std::string report = c.report;
        for (std::size_t at; (at = report.find("P: ")) != std::string::npos;)
            report.replace(at, 1, po);
        EXPECT_EQ(run.out, report);
        EXPECT_EQ(ReadAll(dialog), c.dialogAfter.empty() ? std::string(kDialog) : c.dialogAfter);
    }
}

TEST(TranslateCli, ExportThenImportLeavesEveryFileAsItWas) {
    TempFolder folder;
    const std::string sample =
        ReadAll(DOLMEX_SOURCE_DIR "/samples/Greywater/dlg/00001Ferryman.dlg");
    const std::string dialog = folder.write("dlg/00001Ferryman.dlg", sample);
    const std::string po = folder.path("module.po");
    ASSERT_EQ(RunCli({"export", Q(folder.path("dlg")), "--out", Q(po)}).exitCode, 0);
    const CliRun run = RunCli({"import", Q(po), Q(folder.path("dlg"))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadAll(dialog), sample);
}

TEST(TranslateCli, RefusesWhatItCannotUse) {
    TempFolder folder;
    const std::string dialog = folder.write("00001Ann.dlg", kDialog);
    // A file that saving would change in more than its texts (LF line ends).
    const std::string loose = folder.write("00002Bob.dlg", "{10}{Hi}{}{}{}{}{}\n");
    const std::string broken = folder.write("broken.po", "msgid \"a\"\nmsgstr \n\"");
    const std::string latin = folder.write(
        "latin.po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n");
    const std::string bob = folder.write("bob.po", kHeader + Entry("00002Bob.dlg:10", "Hi", "Хай"));
    struct Case {
        QStringList arguments;
        int exitCode;
        std::string errorPart;
    };
    const Case cases[] = {
        {{"import", Q(broken), Q(dialog)}, 2, "broken.po"},
        {{"import", Q(latin), Q(dialog)}, 2, "not in UTF-8"},
        {{"import", Q(folder.path("none.po")), Q(dialog)}, 2, "none.po"},
        {{"import", Q(bob), Q(loose)}, 1, "saving would change more than the texts"},
        {{"import", Q(bob)}, 2, "--help"},
        {{"export", Q(dialog)}, 2, "--out"},
        {{"export", Q(dialog), "--out", Q(folder.path("no/such/dir/x.po"))}, 2, "x.po"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadAll(dialog), kDialog);
    EXPECT_EQ(ReadAll(loose), "{10}{Hi}{}{}{}{}{}\n");
}

} // namespace
} // namespace dolmex
