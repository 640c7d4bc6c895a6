#include "DialogSummary.h"

#include "DialogFindings.h"

#include "core/DialogReader.h"
#include "core/IoError.h"
#include "core/PathText.h"

#include <QFileInfo>

namespace dolmex {

DialogFileNaming NameOfDialogFile(const QString& fileName) {
    QString base = fileName;
    if (base.endsWith(QLatin1String(".dlg"), Qt::CaseInsensitive))
        base.chop(4);
    // ASCII digits only: a number in another script is part of a name.
    qsizetype digits = 0;
    while (digits < base.size() && base[digits] >= QLatin1Char('0') &&
           base[digits] <= QLatin1Char('9'))
        ++digits;
    DialogFileNaming naming;
    naming.name = base.mid(digits).trimmed();
    if (digits > 0) {
        naming.number = base.left(digits);
        bool ok = false;
        const int value = naming.number.toInt(&ok);
        naming.value = ok ? value : -1;
    }
    return naming;
}

FileStamp StampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

DialogSummary SummarizeDialog(const QString& path) {
    DialogSummary summary;
    summary.path = path;
    summary.naming = NameOfDialogFile(QFileInfo(path).fileName());
    summary.stamp = StampOf(path);
    try {
        LoadNotes notes;
        const DialogLines lines = ReadDialogFile(PathBytes(path), &notes);
        summary.lines = static_cast<int>(lines.size());
        summary.problems = static_cast<int>(FindDialogProblems(lines, notes).size());
    } catch (const IoError& error) {
        summary.readError = QString::fromUtf8(error.reason());
        if (summary.readError.isEmpty())
            summary.readError = QStringLiteral("cannot be read");
    }
    return summary;
}

} // namespace dolmex
