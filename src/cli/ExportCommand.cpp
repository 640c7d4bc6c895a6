#include "ExportCommand.h"

#include "core/PathText.h"
#include "translate/DialogTranslation.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace dolmex::cli {

Positionals ExportCommand::positionals() const {
    return {QStringLiteral("FILE..."),
            QStringLiteral("The dialog files; a folder stands for the *.dlg files below it."), 1,
            Positionals::kAny};
}

QList<QCommandLineOption> ExportCommand::options() const {
    return {
        {QStringLiteral("out"), QStringLiteral("The PO file to write."), QStringLiteral("F.po")}};
}

QString ExportCommand::helpDetails() const {
    return QStringLiteral(
        "Writes one message per text a player sees: the text of every line and the gender "
        "text of NPC lines,\ngenerated lines (a letter and ':') left out. msgctxt is FILE:LINE "
        "(FILE:LINE:gender for a gender text),\nthe line's comment is the translator's note "
        "and FILE:ROW the source location. The PO file is UTF-8.\nExit status: 0 written, 2 a "
        "file could not be read or written or the arguments are wrong.\n");
}

int ExportCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    if (!parser.isSet(QStringLiteral("out")))
        failUsage(QStringLiteral("--out F.po is required"));
    std::vector<PoEntry> entries;
    int files = 0;
    const bool allRead = forEachDialog(
        positional, [&](const QString& file, const DialogLines& lines, const LoadNotes&) {
            std::vector<PoEntry> more = PoEntriesFor(QFileInfo(file).fileName(), file, lines);
            entries.insert(entries.end(), std::make_move_iterator(more.begin()),
                           std::make_move_iterator(more.end()));
            ++files;
        });
    if (!allRead)
        return kExitFailure;
    const QString target = parser.value(QStringLiteral("out"));
    WritePoFile(PathBytes(target), entries);
    out() << "Wrote " << entries.size() << " texts of " << files << " files to " << target << '\n';
    return kExitOk;
}

} // namespace dolmex::cli
