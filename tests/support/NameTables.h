#pragma once

#include "lang/LanguageTables.h"

#include <string>

namespace dolmex::test {

// Name tables whose entries read as their table and number ("skill3", "race1", ...), so a
// test sees which entry a description picked.
inline void FillNameTables(LanguageTables& t) {
    for (int i = 0; i < 19; ++i)
        t.skills.set(i, "skill" + std::to_string(i));
    for (int i = 1; i < 12; ++i)
        t.races.set(i, "race" + std::to_string(i));
    for (int i = 1; i < 17; ++i)
        t.colleges.set(i, "college" + std::to_string(i));
    for (int i = 0; i < 4; ++i)
        t.degree.set(i, "degree" + std::to_string(i));
    for (int i = 0; i < 7; ++i)
        t.quests.set(i, "quest" + std::to_string(i));
}

} // namespace dolmex::test
