#include "ProgramContext.h"
#include "ProgramWindows.h"
#include "core/MemoryTuning.h"
#include "lang/ProgramFolders.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    dolmex::KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dolmex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Dolmex"));
    QApplication::setApplicationVersion(QStringLiteral(DOLMEX_VERSION));

    dolmex::ProgramContext context;
    const QString programPath = QApplication::applicationFilePath();
    // An installed copy keeps its settings and buffers in the user's configuration folder.
    const dolmex::ProgramFolders folders = dolmex::LocateProgramFolders(
        programPath, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    context.programPath = programPath.toLocal8Bit().toStdString();
    context.languageDir = folders.languageDir.toLocal8Bit().toStdString();
    context.programDir = folders.homeDir.toLocal8Bit().toStdString();
    context.settingsPath = folders.settingsPath.toLocal8Bit().toStdString();
    context.recoveryDir =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                          QStringLiteral("/recovery"))
            .toStdString();

    dolmex::WidgetPrompter prompter;
    const QStringList arguments = QApplication::arguments();
    dolmex::ProgramWindows windows(context, prompter,
                                   arguments.size() > 1 ? arguments.at(1) : QString());
    prompter.setParent(&windows.mainForm());
    windows.mainForm().show();
    return QApplication::exec();
}
