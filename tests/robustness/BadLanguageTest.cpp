// Broken language files: what the user gets and that no file on disk changed.

#include "BadInput.h"

namespace dolmex {
namespace {

using namespace badinput;

const Shape kLanguageShape{
    "[PLAYER]\r\nNew NPC\r\nNew player\r\n",
    "[QUESTS]\r\n" + std::string(kLongLine, 'q') + "\r\nSecond quest\r\n",
    "[PLAYER]\r\nNew NPC\r\nNew player\r\n\r\n[QUESTS]\r\nNew quest\r\n",
    "[PLAYER]\r\n\x98 NPC\r\nPlayer \x98\r\n",
};

// What a previous language left in the tables.
const char* const kOldLanguage = "[TEST]\r\nqu Quest state\r\n\r\n"
                                 "[MAINDESCRIPTION]\r\nLine\r\n\r\n"
                                 "[PLAYER]\r\nOld NPC\r\nOld player\r\n\r\n"
                                 "[QUESTS]\r\nOld quest 0\r\nOld quest 1\r\n";

struct LanguageView {
    int testCount;
    std::string player0, player1, quest0, quest1, mainDescription0;
    std::size_t captions;

    bool operator==(const LanguageView&) const = default;
};

void PrintTo(const LanguageView& v, std::ostream* out) {
    *out << "{tests " << v.testCount << ", player " << v.player0 << "/" << v.player1 << ", quests "
         << Shown(v.quest0) << "/" << v.quest1 << ", md0 " << v.mainDescription0 << ", captions "
         << v.captions << "}";
}

LanguageView ViewOf(const LanguageTables& t, std::size_t captions) {
    return {t.test.count(), t.player[0],          t.player[1], t.quests[0],
            t.quests[1],    t.mainDescription[0], captions};
}

// The tables after a load that found no section it knows: the TEST and RESULT counts
// start again at each load, everything else keeps the old language.
const LanguageView kNothingRead{0,      "Old NPC", "Old player", "Old quest 0", "Old quest 1",
                                "Line", 0};

struct LanguageCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    LanguageView view = kNothingRead;
};

class LanguageBadInput : public testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageBadInput, LoadLanguage) {
    const LanguageCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string programDir = folder.path("program") + "/";
    const std::string path = programDir + "ENGLISH.LNG";
    Place(c.input, path, kLanguageShape);

    LanguageTables tables;
    ParseLanguage(kOldLanguage, tables);
    if (c.input == Bad::Vanishes) {
        std::string name = "english.lng";
        LoadLanguage(programDir, name, tables);
        fs::remove(path);
    }
    const LanguageView before = ViewOf(tables, 0);
    const Snapshot files = TakeSnapshot(folder.root());

    std::string defLanguage = "english.lng";
    std::size_t captions = 0;
    const auto error =
        Outcome(path, [&] { captions = LoadLanguage(programDir, defLanguage, tables).size(); });

    EXPECT_EQ(Describe(error), Describe(c.error));
    // The chosen name is kept, so it is stored at exit even when it could not be loaded.
    EXPECT_EQ(defLanguage, "ENGLISH.LNG");
    switch (c.then) {
    case Then::Gives:
        EXPECT_EQ(ViewOf(tables, captions), c.view);
        break;
    case Then::KeepsAll:
        EXPECT_EQ(ViewOf(tables, captions), before);
        break;
    case Then::Anything:
        EXPECT_LE(tables.test.count(), CodeTable::kCapacity);
        EXPECT_LE(tables.result.count(), CodeTable::kCapacity);
        break;
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

template <typename T> LanguageView With(LanguageView view, T LanguageView::*field, T value) {
    view.*field = value;
    return view;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LanguageBadInput,
    testing::Values(
        LanguageCase{Bad::Empty, Then::Gives},
        // Neither line starts with "[": no section at all.
        LanguageCase{Bad::AllBytes, Then::Gives}, LanguageCase{Bad::RandomBytes, Then::Anything},
        // The 10 MB entry is cut to the table's 40 characters; the next line still counts.
        LanguageCase{Bad::LongLine,
                     Then::Gives,
                     {},
                     With(With(kNothingRead, &LanguageView::quest0, std::string(40, 'q')),
                          &LanguageView::quest1, std::string("Second quest"))},
        LanguageCase{Bad::OnlyBraces, Then::Gives}, LanguageCase{Bad::OnlyCr, Then::Gives},
        // A header must start the line with "[": behind the mark, the first section is
        // not recognised and its lines are skipped up to the next header.
        LanguageCase{Bad::Utf8Bom,
                     Then::Gives,
                     {},
                     With(kNothingRead, &LanguageView::quest0, std::string("New quest"))},
        LanguageCase{Bad::Invalid1251,
                     Then::Gives,
                     {},
                     With(With(kNothingRead, &LanguageView::player0, std::string("\x98 NPC")),
                          &LanguageView::player1, std::string("Player \x98"))},
        LanguageCase{Bad::Folder, Then::KeepsAll, IoError::Kind::Open},
        LanguageCase{Bad::NoReadPermission, Then::KeepsAll, IoError::Kind::Open},
        LanguageCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
        LanguageCase{Bad::Vanishes, Then::KeepsAll, IoError::Kind::Open}),
    CaseName<LanguageCase>);

} // namespace
} // namespace dolmex
