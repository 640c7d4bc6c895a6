#include "DescribeCommand.h"

#include "core/Document.h"
#include "core/FileBytes.h"
#include "core/IoError.h"
#include "interp/FileMessageSource.h"
#include "interp/LineDescriber.h"
#include "lang/LanguageLoader.h"
#include "lang/ProgramFolders.h"
#include "lang/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringDecoder>

namespace dolmex::cli {

namespace {

// Cells and language texts are Windows-1251 bytes; JSON wants UTF-8 with escapes.
QString JsonString(const std::string& bytes) {
    QStringDecoder decode("windows-1251");
    const QString text = decode.isValid()
                             ? decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())))
                             : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    QString json = QStringLiteral("\"");
    json.reserve(text.size() + 2);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            json += QLatin1String("\\\"");
            break;
        case '\\':
            json += QLatin1String("\\\\");
            break;
        case '\n':
            json += QLatin1String("\\n");
            break;
        case '\r':
            json += QLatin1String("\\r");
            break;
        case '\t':
            json += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                json += c;
        }
    }
    return json + QLatin1Char('"');
}

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

QString Local(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

// The language file: the one named, else the settings' choice beside the program (which
// falls back to English). Throws IoError.
void LoadTables(const QString& named, LanguageTables& tables) {
    if (!named.isEmpty()) {
        ParseLanguage(ReadFileBytes(named.toLocal8Bit().toStdString()), tables);
        return;
    }
    Settings settings;
    try {
        ReadSettings(
            SettingsPathFor(QCoreApplication::applicationFilePath().toLocal8Bit().toStdString()),
            settings);
    } catch (const IoError&) {
        // An unreadable settings file still leaves the default language to load.
    }
    LoadLanguage(
        LanguageFolderFor(QCoreApplication::applicationDirPath()).toLocal8Bit().toStdString(),
        settings.defLanguage, tables);
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
        if (!document.LoadDlg(file.toLocal8Bit().toStdString())) {
            err << "describe: cannot open " << file << Qt::endl;
            return 1;
        }
    } catch (const IoError& error) {
        err << "describe: cannot read " << file << ": " << Local(error.reason()) << Qt::endl;
        return 1;
    }

    LanguageTables tables;
    try {
        LoadTables(parser.value(langOption), tables);
    } catch (const IoError& error) {
        err << "describe: cannot read the language file " << Local(error.path()) << ": "
            << Local(error.reason()) << Qt::endl;
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
        err << "describe: cannot read " << Local(error.path()) << ": " << Local(error.reason())
            << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace dolmex::cli
