#include "GeneratedLine.h"

#include "OperationArgs.h"

#include "core/TextFields.h"
#include "lang/LanguageTables.h"

namespace dolmex {

namespace {

constexpr int kLastListItem = 20;

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

int DigitValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

class GeneratedLineExpander {
public:
    GeneratedLineExpander(const DescriptionContext& context, char letter,
                          std::string_view arguments)
        : m_context(context), m_tables(context.tables), m_letter(letter), m_arguments(arguments),
          m_items(AllCommaItems(arguments)) {}

    // Expands `phrase` over the arguments; true when the greeting directive replaced the
    // phrase's output with lines of its own.
    bool expand(std::string_view phrase, std::string& out) {
        const std::string padded = std::string(phrase) + "  ";
        const int length = static_cast<int>(phrase.size());
        for (int p = 1; p <= length; ++p) {
            const char c = CharAt(padded, p);
            const char s = CharAt(padded, p + 1);
            const char d = CharAt(padded, p + 2);
            if (c == '#') {
                const std::string_view it = item(DigitValue(s));
                out += it;
                m_context.panel.addMove(TargetLineEntry(m_tables, IntText(ParseIntOrMinus1(it))));
                ++p;
            } else if (c == '%') {
                out += item(DigitValue(s));
                if (m_letter == 'Q')
                    m_context.messages.FindGameMessages(MessageKind::Quest, m_arguments);
                ++p;
            } else if (c == '&') {
                out += name(s, ParseIntOrMinus1(item(1)));
                p += 2;
            } else if (c == '*') {
                p += list(s, DigitValue(d), out) ? 2 : 1;
            } else {
                out += c;
            }
        }
        return m_greetings;
    }

private:
    std::string_view item(int n) const {
        return n >= 1 && n <= static_cast<int>(m_items.size())
                   ? m_items[static_cast<std::size_t>(n - 1)]
                   : std::string_view();
    }

    std::string name(char letter, std::int32_t index) const {
        if (index < 0)
            return {};
        const std::string& unknown = m_tables.mainDescription[md::kUnknownValue];
        const auto pick = [&](const auto& table, int last) {
            return index <= last ? table[index] : unknown;
        };
        switch (letter) {
        case 'C':
            return pick(m_tables.colleges, names::kLastCollege);
        case 'D':
            return pick(m_tables.degree, names::kLastDegree);
        case 'Q':
            return pick(m_tables.quests, names::kLastQuest);
        case 'R':
            return pick(m_tables.races, names::kLastRace);
        case 'S':
            return pick(m_tables.skills, names::kLastSkill);
        case 'M':
            return index >= 1 && index <= names::kSpellCount ? m_tables.spells[index - 1] : unknown;
        default:
            return {};
        }
    }

    // Item n and every later non-empty item up to the last one a template can name.
    std::string joinedItems(int n, bool withSkillNames) const {
        const auto decorated = [&](std::string_view it) {
            std::string text(it);
            const std::int32_t number = ParseIntOrMinus1(it);
            if (withSkillNames && number >= 0 && number <= names::kLastSkill)
                text += " (" + m_tables.skills[number] + ")";
            return text;
        };
        std::string list = decorated(item(n));
        for (int i = n + 1; i <= kLastListItem; ++i) {
            if (!item(i).empty())
                list += "," + decorated(item(i));
        }
        return list;
    }

    void greetings(int n) {
        m_greetings = true;
        for (int i = n; !item(i).empty(); ++i) {
            if (const std::string line = greeting(item(i)); !line.empty())
                m_context.panel.add(line);
        }
    }

    // One greeting condition: a condition number 0 to 9, then "fl" and a flag, "0", or a
    // line number. Anything else is skipped.
    std::string greeting(std::string_view condition) {
        const std::int32_t test = ParseIntOrMinus1(WordAt(condition, 1));
        if (test < 0 || test > greeting::kLastCondition)
            return {};
        const std::string w2 = WordAt(condition, 2);
        const auto& texts = m_tables.greetingTests;
        const std::string& testText = texts[test];
        if (w2 == "fl")
            return texts[greeting::kFloatingText] + " " + WordAt(condition, 3) + " " +
                   texts[greeting::kIf] + " " + testText;
        if (w2 == "0")
            return texts[greeting::kNoDialog] + " - " + testText;
        const std::int32_t line = ParseIntOrMinus1(w2);
        if (line <= 0)
            return {};
        m_context.panel.addMove(TargetLineEntry(m_tables, IntText(line)));
        return texts[greeting::kGoToLine] + " " + w2 + " " + texts[greeting::kIf] + " " + testText;
    }

    // The list directives; false for a letter that is none, which consumes only itself.
    bool list(char letter, int n, std::string& out) {
        switch (letter) {
        case 'A':
        case 'R': {
            const std::string joined = joinedItems(n, false);
            out += joined;
            m_context.messages.FindGameMessages(
                letter == 'A' ? MessageKind::Area : MessageKind::Rumour, joined);
            return true;
        }
        case 'S':
            out += joinedItems(n, true);
            return true;
        case 'G':
            greetings(n);
            return true;
        default:
            return false;
        }
    }

    const DescriptionContext& m_context;
    const LanguageTables& m_tables;
    char m_letter;
    std::string_view m_arguments;
    std::vector<std::string_view> m_items;
    bool m_greetings = false;
};

} // namespace

void GenerDialog(const DescriptionContext& context, std::string_view text, bool showExplanation) {
    if (text.size() <= 1)
        return;
    const std::string quoted = "\"" + std::string(text) + "\"";
    if (text[1] != ':') {
        context.panel.add(quoted);
        return;
    }
    const char letter = Upper(text[0]);
    const GeneratedKind* kind = context.tables.generatedKind(letter);
    if (!kind || (kind->name.empty() && kind->explanation.empty() && kind->phrase.empty())) {
        context.panel.add(quoted);
        return;
    }
    const LanguageTables& tables = context.tables;
    const std::string_view arguments = text.substr(2);
    context.panel.addHeading(tables.mainDescription[md::kGeneratedHeading] + " \"" + kind->name +
                             "\"");
    if (!kind->explanation.empty() && showExplanation) {
        context.panel.add(kind->explanation);
        if (!arguments.empty())
            context.panel.addHeading(tables.mainDescription[md::kArgumentsHeading]);
    }
    if (arguments.empty())
        return;
    std::string out;
    GeneratedLineExpander expander(context, letter, arguments);
    if (!expander.expand(kind->phrase, out))
        context.panel.add(out);
}

} // namespace dolmex
