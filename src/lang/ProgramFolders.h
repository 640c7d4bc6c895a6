#pragma once

#include <QString>

namespace dolmex {

// Where the program reads its language files and where it keeps its settings and buffers.
// Every folder ends in a separator.
struct ProgramFolders {
    QString languageDir;
    // The settings file and the five buffer files.
    QString homeDir;
    QString settingsPath;

    bool operator==(const ProgramFolders&) const = default;
};

// The folder holding the language files: the program's own folder (a build tree, a portable
// copy) or, for an installed copy, the data folder "../share/dolmex" beside its "bin". When
// neither holds english.lng the program's folder is named, so the missing file is reported
// where a user would put it.
QString LanguageFolderFor(const QString& programDir);

// The decision alone: the program's folder keeps the settings and buffers when the language
// files lie beside the program (a portable copy or a build tree) and the folder is writable;
// otherwise they go to `userConfigDir`, under the same file names.
ProgramFolders ChooseProgramFolders(const QString& programPath, const QString& languageDir,
                                    bool programDirWritable, const QString& userConfigDir);

// Looks at the disk and decides; creates `userConfigDir` when it is chosen.
ProgramFolders LocateProgramFolders(const QString& programPath, const QString& userConfigDir);

} // namespace dolmex
