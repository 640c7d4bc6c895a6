#include "DialogCommand.h"

#include "core/DialogReader.h"
#include "core/Document.h"
#include "core/IoError.h"
#include "core/PathText.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace dolmex::cli {

DialogLines DialogCommand::readDialog(const QString& file, LoadNotes* notes) {
    return ReadDialogFile(PathBytes(file), notes);
}

void DialogCommand::loadDocument(const QString& file, Document& document) {
    if (!document.LoadDlg(PathBytes(file)))
        fail(file, QStringLiteral("cannot open the file"));
}

QStringList DialogCommand::dialogFilesIn(const QStringList& arguments) {
    QStringList files;
    for (const QString& argument : arguments) {
        if (!QFileInfo(argument).isDir()) {
            files << argument;
            continue;
        }
        QStringList below;
        QDirIterator it(argument, {QStringLiteral("*.dlg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            below << it.next();
        std::sort(below.begin(), below.end());
        files << below;
    }
    return files;
}

bool DialogCommand::forEachDialog(const QStringList& arguments, const DialogVisitor& visit) {
    bool allRead = true;
    for (const QString& file : dialogFilesIn(arguments)) {
        DialogLines lines;
        LoadNotes notes;
        try {
            lines = readDialog(file, &notes);
        } catch (const IoError& error) {
            reportError(error);
            allRead = false;
            continue;
        }
        visit(file, lines, notes);
    }
    return allRead;
}

} // namespace dolmex::cli
