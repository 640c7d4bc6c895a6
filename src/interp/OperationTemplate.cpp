#include "OperationTemplate.h"

#include "core/TextFields.h"
#include "lang/LanguageTables.h"

namespace dolmex {

namespace {

// A name from the table of `letter`, with the highest index the directive may read
// (some tables hold more entries than the names refer to). Null for other letters.
const std::string* OperationName(const LanguageTables& tables, char letter, std::int64_t index) {
    int last = -1;
    const std::string* name = nullptr;
    const int i = index >= 0 && index <= 1000 ? static_cast<int>(index) : 1000;
    switch (letter) {
    case 'C':
        last = names::kLastCollege;
        name = &tables.colleges[i];
        break;
    case 'D':
        last = names::kLastDegree;
        name = &tables.degree[i];
        break;
    case 'Q':
        last = names::kLastQuest;
        name = &tables.quests[i];
        break;
    case 'R':
        last = names::kLastRace;
        name = &tables.races[i];
        break;
    case 'S':
        last = names::kLastSkill;
        name = &tables.skills[i];
        break;
    default:
        return nullptr;
    }
    return index > last ? &tables.mainDescription[md::kUnknownValue] : name;
}

} // namespace

std::string ExpandOperationTemplate(std::string_view templ, const LanguageTables& tables,
                                    const std::array<Argument, 3>& arguments, int argumentCount) {
    // Two trailing blanks let a directive at the very end read its parameters.
    const std::string padded = std::string(templ) + "  ";
    const int length = static_cast<int>(templ.size());
    const auto selected = [&](char selector) -> const Argument& {
        if (selector == '1')
            return arguments[0];
        if (selector == '2' && argumentCount > 2)
            return arguments[1];
        return arguments[static_cast<std::size_t>(argumentCount - 1)];
    };

    std::string out;
    for (int p = 1; p <= length; ++p) {
        const char c = CharAt(padded, p);
        const char s = CharAt(padded, p + 1);
        const char d = CharAt(padded, p + 2);
        if (c == '!' || c == '?') {
            const std::string group = NextBraceField(padded, p);
            const int kind = selected(s).kind;
            if (kind > 0)
                out += CommaItem(group, static_cast<unsigned>(kind));
        } else if (c == '#') {
            out += MagnitudeText(selected(s).magnitude);
            ++p;
        } else if (c == '&') {
            const std::int64_t index = d == '1' ? arguments[0].magnitude : arguments[1].magnitude;
            if (const std::string* name = OperationName(tables, s, index))
                out += *name;
            p += 2;
        } else if (!(c == ' ' && !out.empty() && out.back() == ' ')) {
            out += c;
        }
    }
    return out;
}

std::string ExpandTestTemplate(const LanguageTables& tables, int entry, Argument first,
                               Argument second, Argument third) {
    return ExpandOperationTemplate(tables.test.entry(entry).description, tables,
                                   {first, second, third}, 3);
}

std::string ExpandResultTemplate(const LanguageTables& tables, int entry, Argument first,
                                 Argument second) {
    return ExpandOperationTemplate(tables.result.entry(entry).description, tables,
                                   {first, second, Argument{}}, 2);
}

} // namespace dolmex
