#include "ProgramContext.h"
#include "ProgramWindows.h"
#include "core/MemoryTuning.h"
#include "core/PathText.h"
#include "lang/ProgramFolders.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    dolmex::KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dolmex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Dolmex"));
    QApplication::setApplicationVersion(QStringLiteral(DOLMEX_VERSION));

    dolmex::ProgramContext context;
    const QString programPath = QApplication::applicationFilePath();
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // An installed copy keeps its settings and buffers in the user's configuration folder.
    const dolmex::ProgramFolders folders = dolmex::LocateProgramFolders(programPath, configFolder);
    context.programPath = dolmex::PathBytes(programPath);
    context.languageDir = dolmex::PathBytes(folders.languageDir);
    context.programDir = dolmex::PathBytes(folders.homeDir);
    context.settingsPath = dolmex::PathBytes(folders.settingsPath);
    context.recoveryDir =
        dolmex::PathBytes(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                          QStringLiteral("/recovery"));

    context.recentFilesPath = dolmex::PathBytes(configFolder + QStringLiteral("/recent-files.ini"));
    context.windowStatePath = dolmex::PathBytes(configFolder + QStringLiteral("/window-state.ini"));

    dolmex::WidgetPrompter prompter;
    const QStringList arguments = QApplication::arguments();
    dolmex::ProgramWindows windows(context, prompter,
                                   arguments.size() > 1 ? arguments.at(1) : QString());
    prompter.setParent(&windows.mainForm());
    windows.mainForm().show();
    return QApplication::exec();
}
