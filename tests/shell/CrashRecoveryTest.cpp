// A process killed with SIGKILL after an edit: the next start offers its unsaved changes,
// and accepting the offer gives the changed dialog, still marked modified.
#include "shell/TMainForm.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

TEST(CrashRecovery, AKilledEditorsChangesAreOfferedAndRestored) {
    TempFolder folder;
    ProgramContext context;
    test::SetUpProgramFolder(folder, context);
    const char* original = "{1}{Hello}{}{}{}{2}{}\r\n{2}{Bye}{}{1}{}{0}{}\r\n";
    const std::string dialog = folder.write("00001Ferry.dlg", original);
    const std::string recovery = folder.path("recovery");

    QProcess child;
    child.start(QStringLiteral(DOLMEX_RECOVERY_CHILD),
                {QString::fromStdString(folder.root()), QString::fromStdString(recovery),
                 QString::fromStdString(dialog)});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray said;
    while (!said.contains("autosaved") && child.waitForReadyRead(60000))
        said += child.readAllStandardOutput();
    ASSERT_TRUE(said.contains("autosaved")) << child.readAllStandardError().toStdString();
    child.kill(); // SIGKILL: nothing of the child's own clean-up runs
    child.waitForFinished();
    EXPECT_EQ(ReadAll(dialog), original) << "the file itself was never saved";

    context.recoveryDir = recovery;
    ScriptedPrompter prompter;
    prompter.setNextAnswer(Prompter::Answer::Yes);
    TMainForm form(context, prompter, QString::fromStdString(dialog));
    form.show();
    ASSERT_EQ(prompter.count("question"), 1);
    EXPECT_TRUE(prompter.shown().front().text.startsWith("Restore the unsaved changes of "));
    EXPECT_EQ(form.document().store().rowCount() - 1, 3) << "the appended line is back";
    EXPECT_EQ(form.document().store().cell(3, ColNumber), "3");
    EXPECT_TRUE(form.document().isModified());
    EXPECT_EQ(form.document().fileName(), dialog) << "Save writes the real file";
}

} // namespace
} // namespace dolmex
