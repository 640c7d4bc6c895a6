#include "RenumberCommand.h"
#include "CliText.h"
#include "core/DialogWriter.h"
#include "core/PathText.h"
#include "lang/LanguageTables.h"
#include "tools/Renumber.h"

#include <QCommandLineParser>

#include <optional>

namespace dolmex::cli {

namespace {

// The options window's edits hold at most two characters, so only 1 to 99 can be asked
// for; anything else is refused before a file is touched.
std::optional<int> SmallNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 2)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int value = text.toInt();
    return value >= 1 ? std::optional<int>(value) : std::nullopt;
}

QString ReportJson(const std::vector<ReportLine>& report) {
    QString json = QStringLiteral("{\"report\": [");
    for (std::size_t i = 0; i < report.size(); ++i) {
        json += QStringLiteral("%1{\"bold\": %2, \"text\": %3}")
                    .arg(i ? QStringLiteral(", ") : QString(),
                         report[i].bold ? QStringLiteral("true") : QStringLiteral("false"),
                         JsonString(report[i].text));
    }
    return json + QStringLiteral("]}");
}

} // namespace

Positionals RenumberCommand::positionals() const {
    return {QStringLiteral("FILE"), QStringLiteral("The dialog file to read.")};
}

QList<QCommandLineOption> RenumberCommand::options() const {
    return {
        {QStringLiteral("out"), QStringLiteral("The file to write."), QStringLiteral("OUT")},
        {QStringLiteral("blocks"),
         QStringLiteral("Number in blocks of B: each NPC line starts at the next multiple of B."),
         QStringLiteral("B")},
        {QStringLiteral("step"),
         QStringLiteral("The step between numbers (inside a block), 1 to 99."), QStringLiteral("S"),
         QStringLiteral("1")},
        {QStringLiteral("no-generated"),
         QStringLiteral("Leave the line numbers in G: and M: texts.")},
        {QStringLiteral("no-results"),
         QStringLiteral("Leave the line numbers in the results jo, et and uw.")},
        {QStringLiteral("no-quests"), QStringLiteral("Do not list the Q: lines.")},
        languageOption(QStringLiteral("The language file of the report.")),
    };
}

int RenumberCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    if (!parser.isSet(QStringLiteral("out")))
        failUsage(QStringLiteral("--out OUT is required"));
    RenumberOptions options;
    const QString stepText = parser.value(QStringLiteral("step"));
    const auto step = SmallNumber(stepText);
    if (!step)
        failUsage(
            QStringLiteral("--step must be a whole number from 1 to 99, not '%1'").arg(stepText));
    options.step = *step;
    if (parser.isSet(QStringLiteral("blocks"))) {
        const QString sizeText = parser.value(QStringLiteral("blocks"));
        const auto size = SmallNumber(sizeText);
        if (!size)
            failUsage(QStringLiteral("--blocks must be a whole number from 1 to 99, not '%1'")
                          .arg(sizeText));
        if (*size <= *step)
            failUsage(QStringLiteral("the block size %1 must be larger than the step %2")
                          .arg(*size)
                          .arg(*step));
        options.blocks = true;
        options.blockSize = *size;
    }
    options.rewriteGenerated = !parser.isSet(QStringLiteral("no-generated"));
    options.rewriteResults = !parser.isSet(QStringLiteral("no-results"));
    options.listQuests = !parser.isSet(QStringLiteral("no-quests"));

    const QString file = positional.first();
    DialogLines lines = readDialog(file);
    LanguageTables tables;
    loadLanguage(parser, tables);

    const int rowCount = static_cast<int>(lines.size());
    auto outcome = RenumberLines(lines, options);
    if (!outcome)
        fail(file, QStringLiteral("too many lines for these numbers"));
    WriteDialogFile(PathBytes(parser.value(QStringLiteral("out"))), outcome->lines);
    out() << ReportJson(RenumberReport(*outcome, rowCount, tables)) << '\n';
    return kExitOk;
}

} // namespace dolmex::cli
