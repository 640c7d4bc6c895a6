#pragma once

#include <QCommandLineOption>
#include <QStringList>
#include <QTextStream>

#include <limits>
#include <memory>
#include <vector>

class QCommandLineParser;

namespace dolmex {
class IoError;
struct LanguageTables;
} // namespace dolmex

namespace dolmex::cli {

// The exit codes every verb shares, as grep's.
enum ExitCode : int {
    kExitOk = 0,
    kExitFindings = 1, // the verb ran and found what it reports (problems, no match)
    kExitFailure = 2,  // wrong arguments, or a file could not be read or written
};

// What a verb takes after its options.
struct Positionals {
    QString syntax;      // for the usage line, e.g. "FILE..."
    QString description; // for --help
    int minimum = 1;
    int maximum = 1;
    static constexpr int kAny = std::numeric_limits<int>::max();
};

// One verb of dolmex-cli. The base parses the arguments, answers --help with
// "Usage: dolmex-cli VERB [options] ...", and turns every failure into one error line
// "dolmex-cli VERB: FILE: reason" and exit code 2; a verb only says what it takes and does
// its work in `execute`.
class Command {
public:
    virtual ~Command() = default;
    virtual QString name() const = 0;
    virtual QString summary() const = 0;

    // `arguments` are those after the verb. Results go to `out`, failures to `err`.
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

protected:
    virtual Positionals positionals() const = 0;
    virtual QList<QCommandLineOption> options() const { return {}; }
    // Printed after the options in --help: output format and exit codes.
    virtual QString helpDetails() const { return {}; }
    // Returns an ExitCode; may throw IoError or call fail() / failUsage().
    virtual int execute(const QCommandLineParser& parser, const QStringList& positional) = 0;

    QTextStream& out() { return *m_out; }
    // One error line about `subject` (a file, or an option), the verb going on.
    void reportError(const QString& subject, const QString& reason);
    void reportError(const IoError& error);
    // One error line, and the verb stops with kExitFailure.
    [[noreturn]] void fail(const QString& subject, const QString& reason);
    // Wrong arguments: one error line that points at --help, and kExitFailure.
    [[noreturn]] void failUsage(const QString& message);

    // The --lang option of the verbs that print the program's texts, and the tables it
    // names (or the settings' choice beside the program). Throws IoError.
    static QCommandLineOption languageOption(const QString& description);
    static void loadLanguage(const QCommandLineParser& parser, LanguageTables& tables);

private:
    void writeErrorLine(const QString& text);
    QString helpText(const QCommandLineParser& parser) const;

    QTextStream* m_out = nullptr;
    QTextStream* m_err = nullptr;
};

std::vector<std::unique_ptr<Command>> AllCommands();

} // namespace dolmex::cli
