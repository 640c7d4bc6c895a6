#include "RenumberCommand.h"
#include "core/PathText.h"

#include "CliText.h"
#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/IoError.h"
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

int RenumberCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The dialog file to read."));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("The file to write."),
                                       QStringLiteral("OUT"));
    const QCommandLineOption blocksOption(
        QStringLiteral("blocks"),
        QStringLiteral("Number in blocks of B: each NPC line starts at the next multiple of B."),
        QStringLiteral("B"));
    const QCommandLineOption stepOption(
        QStringLiteral("step"),
        QStringLiteral("The step between numbers (inside a block), 1 to 99."), QStringLiteral("S"),
        QStringLiteral("1"));
    const QCommandLineOption noGeneratedOption(
        QStringLiteral("no-generated"),
        QStringLiteral("Leave the line numbers in G: and M: texts."));
    const QCommandLineOption noResultsOption(
        QStringLiteral("no-results"),
        QStringLiteral("Leave the line numbers in the results jo, et and uw."));
    const QCommandLineOption noQuestsOption(QStringLiteral("no-quests"),
                                            QStringLiteral("Do not list the Q: lines."));
    const QCommandLineOption langOption(QStringLiteral("lang"),
                                        QStringLiteral("The language file of the report."),
                                        QStringLiteral("LNGFILE"));
    parser.addOptions({outOption, blocksOption, stepOption, noGeneratedOption, noResultsOption,
                       noQuestsOption, langOption});
    if (!parser.parse(QStringList{name()} + arguments)) {
        err << "renumber: " << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1 || !parser.isSet(outOption)) {
        err << "renumber: usage: dolmex-cli renumber FILE --out OUT [--blocks B] [--step S] "
               "[--no-generated] [--no-results] [--no-quests] [--lang LNGFILE]"
            << Qt::endl;
        return 2;
    }

    RenumberOptions options;
    const auto step = SmallNumber(parser.value(stepOption));
    if (!step) {
        err << "renumber: --step must be a whole number from 1 to 99, not '"
            << parser.value(stepOption) << "'" << Qt::endl;
        return 2;
    }
    options.step = *step;
    if (parser.isSet(blocksOption)) {
        const auto size = SmallNumber(parser.value(blocksOption));
        if (!size) {
            err << "renumber: --blocks must be a whole number from 1 to 99, not '"
                << parser.value(blocksOption) << "'" << Qt::endl;
            return 2;
        }
        if (*size <= *step) {
            err << "renumber: the block size " << *size << " must be larger than the step " << *step
                << Qt::endl;
            return 2;
        }
        options.blocks = true;
        options.blockSize = *size;
    }
    options.rewriteGenerated = !parser.isSet(noGeneratedOption);
    options.rewriteResults = !parser.isSet(noResultsOption);
    options.listQuests = !parser.isSet(noQuestsOption);

    const QString file = positional.first();
    DialogLines lines;
    try {
        lines = ReadDialogFile(PathBytes(file));
    } catch (const IoError& error) {
        err << "renumber: cannot read " << file << ": " << QString::fromStdString(error.reason())
            << Qt::endl;
        return 1;
    }
    LanguageTables tables;
    try {
        LoadLanguageTables(parser.value(langOption), tables);
    } catch (const IoError& error) {
        err << "renumber: cannot read the language file " << PathText(error.path()) << ": "
            << QString::fromStdString(error.reason()) << Qt::endl;
        return 1;
    }

    const int rowCount = static_cast<int>(lines.size());
    auto outcome = RenumberLines(lines, options);
    if (!outcome) {
        err << "renumber: " << file << " has too many lines for these numbers" << Qt::endl;
        return 1;
    }
    const QString target = parser.value(outOption);
    try {
        WriteDialogFile(PathBytes(target), outcome->lines);
    } catch (const IoError& error) {
        err << "renumber: cannot write " << target << ": " << QString::fromStdString(error.reason())
            << Qt::endl;
        return 1;
    }
    out << ReportJson(RenumberReport(*outcome, rowCount, tables)) << '\n';
    return 0;
}

} // namespace dolmex::cli
