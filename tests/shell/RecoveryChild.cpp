// The editor as the crash-recovery test's child process: opens a dialog, appends a line by
// the keyboard, says "autosaved" once the recovery copy exists, then waits to be killed.
//   recovery_child PROGRAM_DIR RECOVERY_DIR DIALOG
#include "shell/TMainForm.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4)
        return 2;
    dolmex::ProgramContext context;
    context.programDir = std::string(argv[1]) + "/";
    context.settingsPath = std::string(argv[1]) + "/dolmex.ctl";
    context.recoveryDir = argv[2];
    dolmex::ScriptedPrompter prompter;
    dolmex::TMainForm form(context, prompter, QString::fromLocal8Bit(argv[3]));
    form.show();
    QApplication::setActiveWindow(&form);
    if (!QTest::qWaitForWindowActive(&form))
        return 3;
    QTest::keyClick(form.windowHandle(), Qt::Key_N, Qt::ControlModifier);
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    for (int waited = 0; folder.entryList(QDir::Files).isEmpty(); waited += 50) {
        if (waited > 60000)
            return 4;
        QTest::qWait(50);
    }
    std::printf("autosaved\n");
    std::fflush(stdout);
    return QApplication::exec(); // until SIGKILL
}
