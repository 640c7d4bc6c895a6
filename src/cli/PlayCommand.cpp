#include "PlayCommand.h"

#include "core/Cp1251.h"
#include "core/TextFields.h"
#include "interp/GameMessages.h"
#include "lang/LanguageTables.h"
#include "play/PlaySession.h"

#include <QCommandLineParser>

namespace dolmex::cli {

namespace {

void PrintEntries(QTextStream& out, const std::vector<PlayEntry>& entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // The lists of choices have a heading each; the other entries one.
        const bool lists = entries[i].kind == PlayEntry::Kind::Options;
        bool heading = true;
        for (const DescLine& line : entries[i].lines) {
            out << (heading || (lists && line.bold) ? "" : "  ") << FromCp1251(line.text) << '\n';
            heading = false;
        }
    }
}

} // namespace

Positionals PlayCommand::positionals() const {
    return {QStringLiteral("FILE"), QStringLiteral("The dialog file.")};
}

QList<QCommandLineOption> PlayCommand::options() const {
    return {
        {QStringLiteral("from"), QStringLiteral("Start at the block of the line numbered N."),
         QStringLiteral("N")},
        {QStringLiteral("gender"), QStringLiteral("The character's gender (default male)."),
         QStringLiteral("male|female")},
        {QStringLiteral("intelligence"),
         QStringLiteral("The character's intelligence, 1 to 20 (default 10)."),
         QStringLiteral("K")},
        {QStringLiteral("choose"),
         QStringLiteral("The choices to take, one per stop, by the numbers the transcript "
                        "gives them."),
         QStringLiteral("1,2,...")},
        {QStringLiteral("fail-tests"),
         QStringLiteral("Every test fails (by default every test passes).")},
        languageOption(QStringLiteral("The language file to use.")),
        {QStringLiteral("no-generated-info"),
         QStringLiteral("Leave out the explanations of generated lines.")},
    };
}

QString PlayCommand::helpDetails() const {
    return QStringLiteral(
        "Prints each NPC line said, the answers the character may choose numbered from 1 in\n"
        "row order (the hidden ones with the reason), the other lines the run may go on at\n"
        "numbered after them, each choice taken with its tests and results, and how the run\n"
        "ended. After the last choice given the run stops at the next choice and lists it.\n"
        "Exit status: 0 played, 2 the file could not be read, line N is missing, a choice\n"
        "number was not offered or the arguments are wrong.\n");
}

int PlayCommand::execute(const QCommandLineParser& parser, const QStringList& positional) {
    const QString file = positional.first();
    if (!parser.isSet(QStringLiteral("from")))
        failUsage(QStringLiteral("--from N is required"));
    bool ok = false;
    const QString from = parser.value(QStringLiteral("from"));
    const int start = from.toInt(&ok);
    if (!ok)
        failUsage(QStringLiteral("--from %1 is not a line number").arg(from));

    Character character;
    if (parser.isSet(QStringLiteral("gender"))) {
        const QString gender = parser.value(QStringLiteral("gender"));
        if (gender == QLatin1String("female"))
            character.gender = Gender::Female;
        else if (gender != QLatin1String("male"))
            failUsage(QStringLiteral("--gender takes male or female, not %1").arg(gender));
    }
    if (parser.isSet(QStringLiteral("intelligence"))) {
        const QString asked = parser.value(QStringLiteral("intelligence"));
        character.intelligence = asked.toInt(&ok);
        if (!ok || character.intelligence < kLowestIntelligence ||
            character.intelligence > kHighestIntelligence)
            failUsage(QStringLiteral("--intelligence takes 1 to 20, not %1").arg(asked));
    }
    std::vector<int> choices;
    if (parser.isSet(QStringLiteral("choose"))) {
        for (const QString& item : parser.value(QStringLiteral("choose")).split(QLatin1Char(','))) {
            const int choice = item.trimmed().toInt(&ok);
            if (!ok)
                failUsage(QStringLiteral("--choose takes numbers, not %1").arg(item));
            choices.push_back(choice);
        }
    }

    const DialogLines lines = readDialog(file);
    LanguageTables tables;
    loadLanguage(parser, tables);
    MemoryMessageSource noMessages;
    PlaySession session(lines, tables, noMessages);
    session.setShowExplanations(!parser.isSet(QStringLiteral("no-generated-info")));
    session.setAllTestsFail(parser.isSet(QStringLiteral("fail-tests")));
    session.setCharacter(character);
    if (!session.startAtLine(start))
        fail(file, QStringLiteral("no line has the number %1").arg(from));

    const auto& words = tables.play;
    out() << FromCp1251(Fill(words[playtext::kCharacterLine],
                             words[character.gender == Gender::Female ? playtext::kFemaleCharacter
                                                                      : playtext::kMaleCharacter],
                             IntText(character.intelligence)))
          << '\n';
    for (std::size_t step = 0; step < choices.size(); ++step) {
        const int choice = choices[step];
        const auto offered = static_cast<int>(session.choices().size());
        if (choice < 1 || !session.choose(choice - 1)) {
            PrintEntries(out(), session.transcript());
            fail(file, QStringLiteral("choice %1 (choice %2 of --choose) is not offered: %3")
                           .arg(choice)
                           .arg(step + 1)
                           .arg(offered == 0 ? QStringLiteral("the run has no choice left")
                                             : QStringLiteral("choose 1 to %1").arg(offered)));
        }
    }
    PrintEntries(out(), session.transcript());
    return kExitOk;
}

} // namespace dolmex::cli
