#include "ProgramContext.h"
#include "ProgramWindows.h"
#include "core/MemoryTuning.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    dolmex::KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dolmex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Dolmex"));
    QApplication::setApplicationVersion(QStringLiteral(DOLMEX_VERSION));

    dolmex::ProgramContext context;
    const QString programPath = QApplication::applicationFilePath();
    context.programDir = QDir::toNativeSeparators(QApplication::applicationDirPath() + QLatin1Char('/'))
                             .toLocal8Bit()
                             .toStdString();
    context.settingsPath = dolmex::SettingsPathFor(programPath.toLocal8Bit().toStdString());

    dolmex::WidgetPrompter prompter;
    const QStringList arguments = QApplication::arguments();
    dolmex::ProgramWindows windows(context, prompter,
                                   arguments.size() > 1 ? arguments.at(1) : QString());
    prompter.setParent(&windows.mainForm());
    windows.mainForm().show();
    return QApplication::exec();
}
