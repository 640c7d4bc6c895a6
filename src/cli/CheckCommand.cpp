#include "CheckCommand.h"

#include "core/Cp1251.h"
#include "module/DialogFindings.h"
#include "module/ModuleFiles.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>

namespace dolmex::cli {

namespace {

QString Counted(long long count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

QString CheckSummary(long long problems, int filesWithProblems, int filesRead, int unreadable) {
    QString summary =
        problems == 0 ? QStringLiteral("No problems in %1").arg(Counted(filesRead, "file", "files"))
        : filesRead == 1
            ? QStringLiteral("%1 in 1 file").arg(Counted(problems, "problem", "problems"))
            : QStringLiteral("%1 in %2 of %3 files")
                  .arg(Counted(problems, "problem", "problems"))
                  .arg(filesWithProblems)
                  .arg(filesRead);
    if (unreadable > 0)
        summary +=
            QStringLiteral(", %1 could not be read").arg(Counted(unreadable, "file", "files"));
    return summary;
}

Positionals CheckCommand::positionals() const {
    return {QStringLiteral("FILE..."),
            QStringLiteral("The dialog files to check; a folder stands for the *.dlg files "
                           "below it, in its subfolders too."),
            1, Positionals::kAny};
}

QList<QCommandLineOption> CheckCommand::options() const {
    return {{QStringLiteral("format"),
             QStringLiteral("How the problems are written: text (the default) or json."),
             QStringLiteral("FORMAT"), QStringLiteral("text")}};
}

QString CheckCommand::helpDetails() const {
    return QStringLiteral(
        "Prints FILE:ROW: message for each problem (ROW counts the dialog's lines from 1, "
        "as the editor's grid does).\nA line of the file that saving would change is a "
        "problem too, reported at the row it belongs to\nas FILE:ROW: file line N: message "
        "(N counts the lines of the file from 1).\nThe conversation is checked as well: blocks "
        "that no response or jump "
        "reaches from the first\nNPC line (unreachable), blocks where a male or female "
        "character of intelligence 1 or 20\nfinds no answer, and answers whose response "
        "names a player line.\nA last line sums up, e.g. \"3 problems in 2 of 40 files\", "
        "\"No problems in 40 files\",\nwith \", 1 file could not be read\" when one could not "
        "be read.\n\nWith --format json each problem is one line holding a JSON object (JSON "
        "Lines), keys in this order:\n  {\"file\":\"FILE\",\"fileLine\":N or null,"
        "\"message\":\"...\",\"row\":ROW,\"source\":\"SOURCE\"}\nwhere SOURCE is reading "
        "(a line a save would change; fileLine is its line of the file),\nnumbers (a line "
        "number or a reference) or conversation, and fileLine is null for the last two.\n"
        "No summary line is written: every line is a problem.\n\nFiles that cannot be read "
        "get an error line on stderr in either format.\nExit status: 0 no problem, 1 problems "
        "found, 2 a file could not be read or the arguments are wrong.\n");
}

int CheckCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    const QString format = parser.value(QStringLiteral("format"));
    const bool json = format == QLatin1String("json");
    if (!json && format != QLatin1String("text"))
        failUsage(QStringLiteral("--format: unknown format '%1' (text or json)").arg(format));

    long long problems = 0;
    int filesRead = 0;
    int filesWithProblems = 0;
    const QStringList files = DialogFilesIn(positional);
    const bool allRead = forEachDialog(files, [&](const QString& file, const DialogLines& lines,
                                                  const LoadNotes& notes) {
        ++filesRead;
        const std::vector<DialogFinding> findings = FindDialogProblems(lines, notes);
        for (const DialogFinding& finding : findings) {
            const bool reading = finding.source == DialogFinding::Source::Reading;
            if (json) {
                const QJsonObject object{
                    {QStringLiteral("file"), file},
                    {QStringLiteral("row"), finding.row},
                    {QStringLiteral("fileLine"),
                     reading ? QJsonValue(finding.fileLine) : QJsonValue()},
                    {QStringLiteral("source"), QLatin1String(FindingSourceName(finding.source))},
                    {QStringLiteral("message"), FromCp1251(finding.text)},
                };
                out() << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
                continue;
            }
            out() << file << ':' << finding.row << ": ";
            if (reading)
                out() << "file line " << finding.fileLine << ": ";
            out() << FromCp1251(finding.text) << '\n';
        }
        problems += static_cast<long long>(findings.size());
        filesWithProblems += findings.empty() ? 0 : 1;
    });
    if (!json)
        out() << CheckSummary(problems, filesWithProblems, filesRead,
                              static_cast<int>(files.size()) - filesRead)
              << '\n';
    if (!allRead)
        return kExitFailure;
    return problems > 0 ? kExitFindings : kExitOk;
}

} // namespace dolmex::cli
