#include "ModuleFiles.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace dolmex {

QStringList DialogFilesBelow(const QString& folder) {
    QStringList below;
    QDirIterator it(folder, {QStringLiteral("*.dlg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        below << it.next();
    std::sort(below.begin(), below.end());
    return below;
}

QStringList DialogFilesIn(const QStringList& arguments) {
    QStringList files;
    for (const QString& argument : arguments) {
        if (QFileInfo(argument).isDir())
            files << DialogFilesBelow(argument);
        else
            files << argument;
    }
    return files;
}

} // namespace dolmex
