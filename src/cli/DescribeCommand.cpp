#include "DescribeCommand.h"
#include "core/PathText.h"

#include "CliText.h"

#include "core/Document.h"
#include "core/IoError.h"
#include "interp/FileMessageSource.h"
#include "interp/LineDescriber.h"
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

int DescribeCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The dialog file."));
    const QCommandLineOption rowOption(QStringLiteral("row"),
                                       QStringLiteral("Only this row, counted from 1."),
                                       QStringLiteral("R"));
    const QCommandLineOption langOption(QStringLiteral("lang"),
                                        QStringLiteral("The language file to use."),
                                        QStringLiteral("LNGFILE"));
    const QCommandLineOption noGeneratedOption(
        QStringLiteral("no-generated-info"),
        QStringLiteral("Leave out the explanations of generated lines."));
    const QCommandLineOption noMessagesOption(
        QStringLiteral("no-messages"),
        QStringLiteral("Leave out the texts of the game's message files."));
    parser.addOptions({rowOption, langOption, noGeneratedOption, noMessagesOption});
    if (!parser.parse(QStringList{name()} + arguments)) {
        err << "describe: " << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        err << "describe: usage: dolmex-cli describe FILE [--row R] [--lang LNGFILE] "
               "[--no-generated-info] [--no-messages]"
            << Qt::endl;
        return 2;
    }
    const QString file = positional.first();

    Document document;
    try {
        if (!document.LoadDlg(PathBytes(file))) {
            err << "describe: cannot open " << file << Qt::endl;
            return 1;
        }
    } catch (const IoError& error) {
        err << "describe: cannot read " << file << ": " << QString::fromStdString(error.reason())
            << Qt::endl;
        return 1;
    }

    LanguageTables tables;
    try {
        LoadLanguageTables(parser.value(langOption), tables);
    } catch (const IoError& error) {
        err << "describe: cannot read the language file " << PathText(error.path()) << ": "
            << QString::fromStdString(error.reason()) << Qt::endl;
        return 1;
    }

    const LineStore& store = document.store();
    int first = 1;
    int last = store.dataRowCount();
    if (parser.isSet(rowOption)) {
        bool ok = false;
        const int row = parser.value(rowOption).toInt(&ok);
        if (!ok || row < 1 || row > last) {
            err << "describe: row " << parser.value(rowOption) << " is not a row of " << file
                << " (1 to " << last << ")" << Qt::endl;
            return 1;
        }
        first = last = row;
    }

    DisplayOptions options;
    options.generatedInfo = !parser.isSet(noGeneratedOption);
    options.messageTexts = !parser.isSet(noMessagesOption);
    FileMessageSource messages(document.moduleRoot());
    LineDescriber describer(tables, messages);
    try {
        for (int row = first; row <= last; ++row)
            out << JsonLine(row, describer.MakeLineDescr(store, row, StatusPanels{}, options))
                << '\n';
    } catch (const IoError& error) {
        out.flush();
        err << "describe: cannot read " << PathText(error.path()) << ": "
            << QString::fromStdString(error.reason()) << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace dolmex::cli
