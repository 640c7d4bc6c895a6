#include "ProgramFolders.h"
#include "core/PathText.h"

#include "Settings.h"

#include <QDir>
#include <QFileInfo>

namespace dolmex {

namespace {

QString WithSeparator(const QString& dir) {
    QString path = QDir::toNativeSeparators(QDir::cleanPath(dir));
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

bool HoldsLanguageFiles(const QString& dir) {
    // Name filters ignore letter case, as the language loader does.
    return !QDir(dir).entryList({QStringLiteral("english.lng")}, QDir::Files).isEmpty();
}

} // namespace

QString LanguageFolderFor(const QString& programDir) {
    const QString installed = programDir + QStringLiteral("/../share/dolmex");
    if (!HoldsLanguageFiles(programDir) && HoldsLanguageFiles(installed))
        return WithSeparator(installed);
    return WithSeparator(programDir);
}

ProgramFolders ChooseProgramFolders(const QString& programPath, const QString& languageDir,
                                    bool programDirWritable, const QString& userConfigDir) {
    const QFileInfo program(programPath);
    const QString programDir = WithSeparator(program.absolutePath());
    const bool portable = languageDir == programDir;
    const QString home = portable && programDirWritable ? programDir : WithSeparator(userConfigDir);
    const QString settingsName =
        QFileInfo(PathText(SettingsPathFor(PathBytes(program.fileName())))).fileName();
    return {languageDir, home, home + settingsName};
}

ProgramFolders LocateProgramFolders(const QString& programPath, const QString& userConfigDir) {
    const QString programDir = QFileInfo(programPath).absolutePath();
    ProgramFolders folders =
        ChooseProgramFolders(programPath, LanguageFolderFor(programDir),
                             QFileInfo(programDir).isWritable(), userConfigDir);
    // A folder that cannot be made shows up as an I/O error at the first write.
    QDir().mkpath(folders.homeDir);
    return folders;
}

} // namespace dolmex
