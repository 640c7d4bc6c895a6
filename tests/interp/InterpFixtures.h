#pragma once

#include "interp/DescriptionContext.h"
#include "interp/DescriptionPanel.h"
#include "interp/GameMessages.h"
#include "interp/OperationArgs.h"
#include "lang/LanguageTables.h"
#include "support/NameTables.h"

#include <ostream>
#include <string>
#include <vector>

namespace dolmex {
inline void PrintTo(const Argument& a, std::ostream* os) {
    *os << "{kind " << a.kind << ", magnitude " << a.magnitude << "}";
}
inline void PrintTo(const DescLine& line, std::ostream* os) {
    *os << (line.bold ? "B(\"" : "P(\"") << line.text << "\")";
}
} // namespace dolmex

namespace dolmex::test {

// Language tables whose texts name their own entry ("skill3", "md13"), so expected
// descriptions read plainly. The words other Parts look for are real ones.
inline LanguageTables MakeTables() {
    LanguageTables t;
    for (int i = 0; i < t.mainDescription.capacity(); ++i)
        t.mainDescription.set(i, "md" + std::to_string(i));
    t.mainDescription.set(0, "Line");
    t.mainDescription.set(7, "Response:");
    t.mainDescription.set(8, "Exit");
    t.mainDescription.set(9, "End of dialog");
    t.mainDescription.set(10, "To line");
    t.mainDescription.set(13, "unknown");
    t.mainDescription.set(14, "Lines");
    t.mainDescription.set(16, "Empty");
    t.mainDescription.set(33, " texts:");
    test::FillNameTables(t);
    for (int i = 0; i < 80; ++i)
        t.spells.set(i, "spell" + std::to_string(i));
    for (int i = 0; i < 19; ++i)
        t.greetingTests.set(i, "gt" + std::to_string(i));
    for (int i = 0; i < 7; ++i)
        t.gender.set(i, "gender" + std::to_string(i));
    t.player.set(0, "NPC");
    t.player.set(1, "PC");
    t.in.set(0, "low");
    t.in.set(1, "high");
    return t;
}

inline void SetKind(LanguageTables& t, char letter, std::string name, std::string explanation,
                    std::string phrase) {
    t.generatedDialog[static_cast<std::size_t>(letter - 'A')] = {
        0, std::move(name), std::move(explanation), std::move(phrase)};
}

// One refresh's worth of panel, message store and finder over in-memory message files.
struct Describing {
    LanguageTables tables = MakeTables();
    MemoryMessageSource source;
    GameMessageStore store;
    DescriptionPanel panel;
    GameMessageFinder finder{source, store};

    DescriptionContext context() { return {tables, panel, finder}; }
};

inline DescLine B(std::string text) {
    return {std::move(text), true};
}
inline DescLine P(std::string text) {
    return {std::move(text), false};
}

} // namespace dolmex::test
