#include "PathCase.h"
#include "PathText.h"

#include <QDir>
#include <QFileInfo>

namespace dolmex {

std::string ResolvePathIgnoringCase(const std::string& base, std::string_view relative) {
    QString path = PathText(base);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('/');
    QString relativeText = PathText(relative);
    relativeText.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = relativeText.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        const QString folder = path.isEmpty() ? QStringLiteral(".") : path;
        if (!QFileInfo::exists(path + part)) {
            const QStringList entries =
                QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    part = entry;
                    break;
                }
            }
        }
        path += part;
        if (i + 1 < parts.size())
            path += QLatin1Char('/');
    }
    return PathBytes(path);
}

} // namespace dolmex
