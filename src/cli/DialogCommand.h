#pragma once

#include "Command.h"

#include "core/LoadNote.h"
#include "core/PackedLine.h"

#include <functional>

namespace dolmex {
class Document;
}

namespace dolmex::cli {

// A verb that reads dialog files: reading errors become the file's error line.
class DialogCommand : public Command {
protected:
    // Throws IoError, which the base reports as "FILE: reason".
    static DialogLines readDialog(const QString& file, LoadNotes* notes = nullptr);
    // As the editor opens a file, so that the module's message files are found.
    void loadDocument(const QString& file, Document& document);

    using DialogVisitor =
        std::function<void(const QString& file, const DialogLines& lines, const LoadNotes& notes)>;
    // Reads the files named (a folder stands for the dialog files below it) one after another; one
    // that cannot be read gets its error line and is skipped. False when any was skipped.
    bool forEachDialog(const QStringList& arguments, const DialogVisitor& visit);
};

} // namespace dolmex::cli
