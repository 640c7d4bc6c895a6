#include "Command.h"

#include "CliText.h"
#include "core/IoError.h"

#include <QCommandLineParser>

namespace dolmex::cli {

namespace {

// fail() and failUsage() unwind to run() with the line already written.
struct StopVerb {};

} // namespace

int Command::run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    m_out = &out;
    m_err = &err;
    QCommandLineParser parser;
    parser.addHelpOption();
    const Positionals taken = positionals();
    parser.addPositionalArgument(taken.syntax, taken.description);
    parser.addOptions(options());
    try {
        if (!parser.parse(QStringList{name()} + arguments))
            failUsage(parser.errorText());
        if (parser.isSet(QStringLiteral("help"))) {
            out << helpText(parser);
            return kExitOk;
        }
        const QStringList positional = parser.positionalArguments();
        if (positional.size() < taken.minimum || positional.size() > taken.maximum)
            failUsage(positional.size() < taken.minimum ? QStringLiteral("too few arguments")
                                                        : QStringLiteral("too many arguments"));
        return execute(parser, positional);
    } catch (const StopVerb&) {
        return kExitFailure;
    } catch (const IoError& error) {
        reportError(error);
        return kExitFailure;
    }
}

void Command::reportError(const QString& subject, const QString& reason) {
    writeErrorLine(subject + QStringLiteral(": ") + reason);
}

void Command::reportError(const IoError& error) {
    writeErrorLine(IoErrorText(error));
}

void Command::fail(const QString& subject, const QString& reason) {
    reportError(subject, reason);
    throw StopVerb{};
}

void Command::failUsage(const QString& message) {
    writeErrorLine(QStringLiteral("%1 (see 'dolmex-cli %2 --help')").arg(message, name()));
    throw StopVerb{};
}

QCommandLineOption Command::languageOption(const QString& description) {
    return QCommandLineOption(QStringLiteral("lang"), description, QStringLiteral("LNGFILE"));
}

void Command::loadLanguage(const QCommandLineParser& parser, LanguageTables& tables) {
    LoadLanguageTables(parser.value(QStringLiteral("lang")), tables);
}

void Command::writeErrorLine(const QString& text) {
    // Results printed so far come before the error, as they happened.
    m_out->flush();
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    *m_err << "dolmex-cli " << name() << ": " << line << Qt::endl;
}

QString Command::helpText(const QCommandLineParser& parser) const {
    // Qt's usage line names the program's path and not the verb.
    QString qtHelp = parser.helpText();
    qtHelp.remove(0, qtHelp.indexOf(QLatin1Char('\n')) + 1);
    QString help = QStringLiteral("Usage: dolmex-cli %1 [options] %2\n%3\n")
                       .arg(name(), positionals().syntax, summary()) +
                   qtHelp;
    const QString details = helpDetails();
    if (!details.isEmpty())
        help += QLatin1Char('\n') + details;
    return help;
}

} // namespace dolmex::cli
