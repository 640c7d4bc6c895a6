#include "DialogCommand.h"

#include "core/DialogReader.h"
#include "core/Document.h"
#include "core/IoError.h"
#include "core/PathText.h"
#include "module/ModuleFiles.h"

namespace dolmex::cli {

DialogLines DialogCommand::readDialog(const QString& file, LoadNotes* notes) {
    return ReadDialogFile(PathBytes(file), notes);
}

void DialogCommand::loadDocument(const QString& file, Document& document) {
    if (!document.LoadDlg(PathBytes(file)))
        fail(file, QStringLiteral("cannot open the file"));
}

bool DialogCommand::forEachDialog(const QStringList& arguments, const DialogVisitor& visit) {
    bool allRead = true;
    for (const QString& file : DialogFilesIn(arguments)) {
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
