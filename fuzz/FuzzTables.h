#pragma once

// Language tables with every name filled, so that the fuzzed templates reach every branch.
#include "lang/LanguageTables.h"

#include <string>

inline dolmex::LanguageTables FuzzTables() {
    dolmex::LanguageTables t;
    for (int i = 0; i < t.mainDescription.capacity(); ++i)
        t.mainDescription.set(i, "m" + std::to_string(i));
    for (int i = 0; i < 19; ++i)
        t.skills.set(i, "s" + std::to_string(i));
    for (int i = 0; i < 19; ++i)
        t.greetingTests.set(i, "g" + std::to_string(i));
    for (int i = 0; i < 80; ++i)
        t.spells.set(i, "p" + std::to_string(i));
    for (int i = 1; i < 17; ++i)
        t.colleges.set(i, "c" + std::to_string(i));
    for (int i = 1; i < 12; ++i)
        t.races.set(i, "r" + std::to_string(i));
    for (int i = 0; i < 7; ++i)
        t.quests.set(i, "q" + std::to_string(i));
    for (int i = 0; i < 4; ++i)
        t.degree.set(i, "d" + std::to_string(i));
    return t;
}
