#include "DescribeCommand.h"
#include "CliText.h"

#include "core/Document.h"
#include "interp/FileMessageSource.h"
#include "interp/LineDescriber.h"
#include "interp/PanelText.h"
#include "lang/LanguageTables.h"

#include <QCommandLineParser>

namespace dolmex::cli {

namespace {

QString JsonLine(int row, const LineDescription& description) {
    QString line = QStringLiteral("{\"row\": %1, \"desc\": [").arg(row);
    for (std::size_t i = 0; i < description.lines.size(); ++i) {
        const DescLine& l = description.lines[i];
        line +=
            QStringLiteral("%1{\"bold\": %2, \"text\": %3}")
                .arg(i ? QStringLiteral(", ") : QString(),
                     l.bold ? QStringLiteral("true") : QStringLiteral("false"), JsonString(l.text));
    }
    line += QLatin1String("], \"moves\": [");
    for (std::size_t i = 0; i < description.moves.size(); ++i)
        line += (i ? QStringLiteral(", ") : QString()) + JsonString(description.moves[i]);
    line += QLatin1String("], \"status\": [");
    for (std::size_t i = 0; i < description.status.size(); ++i)
        line += (i ? QStringLiteral(", ") : QString()) + JsonString(description.status[i]);
    return line + QLatin1String("]}");
}

} // namespace

Positionals DescribeCommand::positionals() const {
    return {QStringLiteral("FILE"), QStringLiteral("The dialog file.")};
}

QList<QCommandLineOption> DescribeCommand::options() const {
    return {
        {QStringLiteral("row"), QStringLiteral("Only this row, counted from 1."),
         QStringLiteral("R")},
        languageOption(QStringLiteral("The language file to use.")),
        {QStringLiteral("format"),
         QStringLiteral("json (JSON Lines, one row a line) or text (the panel as it reads)."),
         QStringLiteral("F"), QStringLiteral("json")},
        {QStringLiteral("no-generated-info"),
         QStringLiteral("Leave out the explanations of generated lines.")},
        {QStringLiteral("no-messages"),
         QStringLiteral("Leave out the texts of the game's message files.")},
    };
}

int DescribeCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    const QString file = positional.first();
    const QString format = parser.value(QStringLiteral("format"));
    if (format != QLatin1String("json") && format != QLatin1String("text"))
        failUsage(QStringLiteral("--format must be json or text, not '%1'").arg(format));
    Document document;
    loadDocument(file, document);
    LanguageTables tables;
    loadLanguage(parser, tables);

    const LineStore& store = document.store();
    int first = 1;
    int last = store.dataRowCount();
    if (parser.isSet(QStringLiteral("row"))) {
        bool ok = false;
        const QString asked = parser.value(QStringLiteral("row"));
        const int row = asked.toInt(&ok);
        if (!ok || row < 1 || row > last)
            failUsage(
                QStringLiteral("row %1 is not a row of %2 (1 to %3)").arg(asked, file).arg(last));
        first = last = row;
    }

    DisplayOptions options;
    options.generatedInfo = !parser.isSet(QStringLiteral("no-generated-info"));
    options.messageTexts = !parser.isSet(QStringLiteral("no-messages"));
    FileMessageSource messages(document.moduleRoot());
    LineDescriber describer(tables, messages);
    for (int row = first; row <= last; ++row) {
        const LineDescription description =
            describer.MakeLineDescr(store, row, StatusPanels{}, options);
        if (format == QLatin1String("text"))
            out() << (row > first ? QStringLiteral("\n") : QString())
                  << PanelText(row, description);
        else
            out() << JsonLine(row, description) << '\n';
    }
    return kExitOk;
}

} // namespace dolmex::cli
