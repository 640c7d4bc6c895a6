#include "FindCommand.h"

#include "core/IoError.h"
#include "module/ModuleFiles.h"
#include "module/ModuleSearch.h"
#include "search/CellMatcher.h"

#include <QCommandLineParser>

#include <array>

namespace dolmex::cli {

namespace {

// The column names of the output and of --in, in column order.
constexpr std::array<const char*, kColumnCount> kColumnNames{
    "number", "text", "gender", "intelligence", "tests", "response", "results", "comment"};

QString ColumnNames() {
    QStringList names;
    for (const char* name : kColumnNames)
        names << QLatin1String(name);
    return names.join(QLatin1Char(','));
}

} // namespace

Positionals FindCommand::positionals() const {
    return {QStringLiteral("PATTERN FILE..."),
            QStringLiteral("The text to find, then the dialog files; a folder stands for the "
                           "*.dlg files below it."),
            2, Positionals::kAny};
}

QList<QCommandLineOption> FindCommand::options() const {
    return {
        {QStringLiteral("in"),
         QStringLiteral("Search only these columns, separated by commas: %1.").arg(ColumnNames()),
         QStringLiteral("COLUMNS")},
        {QStringLiteral("ignore-case"),
         QStringLiteral("Upper and lower case letters match each other, Cyrillic ones too.")},
        {QStringLiteral("whole-word"),
         QStringLiteral("Match only where no letter, digit or _ is next to the match.")},
        {QStringLiteral("regex"), QStringLiteral("PATTERN is a Perl-style regular expression.")},
    };
}

QString FindCommand::helpDetails() const {
    return QStringLiteral(
               "Prints FILE:ROW:COLUMN: text for each cell that holds PATTERN (ROW counts the "
               "dialog's lines from 1,\nas the editor's grid does; COLUMN is one of %1;\nthe "
               "cell's text follows in UTF-8).\nExit status: 0 a cell was found, 1 none, 2 a bad "
               "pattern, a file could not be read or the arguments are wrong.\n")
        .arg(ColumnNames().replace(QLatin1Char(','), QStringLiteral(", ")));
}

int FindCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    FindQuery query;
    query.pattern = positional.first();
    query.matchCase = !parser.isSet(QStringLiteral("ignore-case"));
    query.wholeWord = parser.isSet(QStringLiteral("whole-word"));
    query.regex = parser.isSet(QStringLiteral("regex"));
    if (parser.isSet(QStringLiteral("in"))) {
        query.columns = 0;
        for (const QString& name :
             parser.value(QStringLiteral("in")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const auto known =
                std::find_if(kColumnNames.begin(), kColumnNames.end(), [&](const char* column) {
                    return name.trimmed() == QLatin1String(column);
                });
            if (known == kColumnNames.end())
                failUsage(QStringLiteral("--in: unknown column '%1' (the columns are %2)")
                              .arg(name, ColumnNames()));
            query.columns |= static_cast<std::uint8_t>(1u << (known - kColumnNames.begin()));
        }
        if (query.columns == 0)
            failUsage(QStringLiteral("--in names no column"));
    }
    const CellMatcher matcher = CellMatcher::compile(query);
    if (!matcher.isValid())
        fail(query.pattern, QStringLiteral("not a valid regular expression: %1 (at character %2)")
                                .arg(matcher.errorText())
                                .arg(matcher.errorOffset() + 1));

    bool found = false;
    ModuleFindHooks hooks;
    hooks.unreadable = [this](const IoError& error) { reportError(error); };
    hooks.found = [&](const std::vector<ModuleMatch>& matches) {
        for (const ModuleMatch& match : matches)
            out() << match.file << ':' << match.row << ':'
                  << kColumnNames[static_cast<std::size_t>(match.column)] << ": " << match.text
                  << '\n';
        found = found || !matches.empty();
    };
    const bool allRead =
        FindInFiles(DialogFilesIn(positional.mid(1)), matcher, hooks).filesUnreadable == 0;
    if (!allRead)
        return kExitFailure;
    return found ? kExitOk : kExitFindings;
}

} // namespace dolmex::cli
