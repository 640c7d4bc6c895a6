#include "ModuleFiles.h"

#include "core/DialogPath.h"
#include "core/PathText.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace dolmex {

bool IsSameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (a == b)
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

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

QString DialogFolderOf(const QString& path) {
    if (path.isEmpty())
        return {};
    const QFileInfo file(path);
    const std::string root = ModuleRootOf(PathBytes(path));
    if (!root.empty()) {
        const QFileInfo dlg(PathText(root) + QStringLiteral("dlg"));
        if (dlg.isDir())
            return dlg.absoluteFilePath();
    }
    return file.absolutePath();
}

} // namespace dolmex
