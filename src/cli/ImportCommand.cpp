#include "ImportCommand.h"

#include "core/DialogWriter.h"
#include "core/FileBytes.h"
#include "core/IoError.h"
#include "core/PathText.h"
#include "translate/DialogTranslation.h"

#include <QFileInfo>

namespace dolmex::cli {

Positionals ImportCommand::positionals() const {
    return {QStringLiteral("F.po FILE..."),
            QStringLiteral("The PO file, then the dialog files to translate; a folder stands for "
                           "the *.dlg files below it."),
            2, Positionals::kAny};
}

QString ImportCommand::helpDetails() const {
    return QStringLiteral(
        "Puts each translated, not fuzzy message into the text its msgctxt names (as export "
        "writes them), and\nchanges nothing else of a file. A file is written only when a "
        "text changes, and not at all when one of\nits translations is refused: a character "
        "Windows-1251 has not, a brace or a line break. Prints\nF.po: MSGCTXT: reason for "
        "each refused or left-out message, and a summary line.\nExit status: 0 every message "
        "went in, 1 some were refused or left out, 2 a file could not be read or\nwritten or "
        "the arguments are wrong.\n");
}

int ImportCommand::execute(const QCommandLineParser&, const QStringList& positional) {
    const QString catalogFile = positional.first();
    TranslationCatalog catalog(ReadPoFile(PathBytes(catalogFile)));
    int translated = 0;
    int written = 0;
    bool noted = false;
    bool writeFailed = false;
    const auto print = [&](const TranslationNote& note) {
        out() << catalogFile << ": " << note.context << ": " << note.reason << '\n';
        noted = true;
    };
    const bool allRead = forEachDialog(
        positional.mid(1), [&](const QString& file, const DialogLines& read, const LoadNotes&) {
            DialogLines lines = read;
            const QString name = QFileInfo(file).fileName();
            std::vector<TranslationNote> found;
            const int changed = catalog.translate(name, lines, found);
            for (const TranslationNote& note : found)
                print(note);
            for (const TranslationNote& note : catalog.unusedEntries(name))
                print(note);
            if (changed == 0)
                return;
            // Writing a file that is not in the editor's own form (other line ends, lines
            // saving drops) would change more than its texts.
            if (ReadFileBytes(PathBytes(file)) != SerializeDialog(read)) {
                reportError(file, QStringLiteral("saving would change more than the texts "
                                                 "(see dolmex-cli check); left as it is"));
                noted = true;
                return;
            }
            try {
                WriteDialogFile(PathBytes(file), lines);
            } catch (const IoError& error) {
                reportError(error);
                writeFailed = true;
                return;
            }
            translated += changed;
            ++written;
        });
    out() << "Translated " << translated << " texts in " << written << " files\n";
    if (!allRead || writeFailed)
        return kExitFailure;
    return noted ? kExitFindings : kExitOk;
}

} // namespace dolmex::cli
