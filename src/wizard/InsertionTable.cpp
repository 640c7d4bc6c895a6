#include "InsertionTable.h"

#include <array>

namespace dolmex {

namespace {

using K = MenuEntryKind;
using C = CaptionSource;
constexpr OpList kT = OpList::Tests;
constexpr OpList kR = OpList::Results;

constexpr MenuEntry Sub(std::string_view name, std::string_view parent, C source, int index) {
    return {name, parent, K::Submenu, kT, {}, {}, {}, source, index, {}};
}

// A test item captioned by TESTBUTTONS line `index`.
constexpr MenuEntry T(std::string_view name, std::string_view parent, std::string_view code,
                      std::string_view first, std::string_view second, int index) {
    return {name, parent, K::Insert, kT, code, first, second, C::TestButtons, index, {}};
}

// A result item captioned by RESULTBUTTONS line `index`.
constexpr MenuEntry R(std::string_view name, std::string_view parent, std::string_view code,
                      std::string_view first, std::string_view second, int index) {
    return {name, parent, K::Insert, kR, code, first, second, C::ResultButtons, index, {}};
}

// An item with a caption of its own (the money amounts, the "np" states).
constexpr MenuEntry F(std::string_view name, std::string_view parent, OpList list,
                      std::string_view code, std::string_view first, std::string_view second,
                      std::string_view caption) {
    return {name, parent, K::Insert, list, code, first, second, C::Fixed, 0, caption};
}

// A race item: RACES entry `race`, the condition negated under N78.
constexpr MenuEntry Race(std::string_view name, std::string_view parent, std::string_view first,
                         int race) {
    return {name, parent, K::Insert, kT, "ra", first, {}, C::Races, race, {}};
}

constexpr MenuEntry Skill(std::string_view name, std::string_view parent, int skill) {
    return {name, parent, K::Skill, kT, {}, {}, {}, C::Skills, skill, {}};
}

// A result tool button that inserts without a menu.
constexpr MenuEntry Direct(std::string_view name, std::string_view code, std::string_view first) {
    return {name, {}, K::Insert, kR, code, first, {}, C::None, 0, {}};
}

constexpr std::array kEntries{
    // Test bar.
    Sub("PC5", "TMenu1", C::TestButtons, 0),
    F("N512", "PC5", kT, "$$", "5", {}, "$5"),
    F("N1012", "PC5", kT, "$$", "10", {}, "$10"),
    F("N203", "PC5", kT, "$$", "20", {}, "$20"),
    F("N503", "PC5", kT, "$$", "50", {}, "$50"),
    F("N1003", "PC5", kT, "$$", "100", {}, "$100"),
    F("N5003", "PC5", kT, "$$", "500", {}, "$500"),
    F("N10003", "PC5", kT, "$$", "1000", {}, "$1000"),
    // "Less than $5" is "at most $4": one less, negated.
    Sub("PC6", "TMenu1", C::TestButtons, 1),
    F("N410", "PC6", kT, "$$", "-4", {}, "$4"),
    F("N910", "PC6", kT, "$$", "-9", {}, "$9"),
    F("N191", "PC6", kT, "$$", "-19", {}, "$19"),
    F("N491", "PC6", kT, "$$", "-49", {}, "$49"),
    F("N991", "PC6", kT, "$$", "-99", {}, "$99"),
    F("N4991", "PC6", kT, "$$", "-499", {}, "$499"),
    F("N9991", "PC6", kT, "$$", "-999", {}, "$999"),
    T("N19", "TMenu2", "ar", "1", {}, 2),
    T("N35", "TMenu2", "ar", "-1", {}, 3),
    T("N40", "TMenu2", "ia", "1", {}, 4),
    T("N41", "TMenu2", "ia", "-1", {}, 5),
    T("NPC15", "TMenu4", "me", "1", {}, 6),
    T("NPC16", "TMenu4", "me", "0", {}, 7),
    T("NPC13", "TMenu4", "fo", "1", {}, 8),
    T("NPC14", "TMenu4", "fo", "0", {}, 9),
    T("NPCX1", "TMenu4", "pa", "1", {}, 10),
    T("NPCX2", "TMenu4", "pa", "-1", {}, 11),
    T("NPC9", "TMenu3", "wa", "1", {}, 12),
    T("NPC10", "TMenu3", "wa", "0", {}, 13),
    T("NPC11", "TMenu3", "wt", "1", {}, 14),
    T("NPC12", "TMenu3", "wt", "0", {}, 15),
    T("N44", "TMenu5", "gf", "1", "1", 16),
    T("N47", "TMenu5", "lf", "1", "1", 17),
    T("N49", "TMenu5", "pf", "1", "1", 18),
    T("N45", "TMenu5", "gv", "1", "1", 19),
    T("N48", "TMenu5", "pv", "1", "1", 20),
    T("N46", "TMenu5", "lc", "1", "1", 21),
    T("N52", "TMenu6", "al", "1", {}, 22),
    T("N53", "TMenu6", "al", "-1", {}, 23),
    T("X1", "TMenu6", "na", "1", {}, 24),
    T("X2", "TMenu6", "na", "-1", {}, 25),
    T("N54", "TMenu7", "re", "1", {}, 26),
    T("N55", "TMenu7", "re", "-1", {}, 27),
    T("N73", "TMenu10", "in", "1", {}, 28),
    T("N74", "TMenu10", "ni", "1", {}, 29),
    T("NPC17", "TMenu10", "in", "-1", {}, 30),
    T("NPC18", "TMenu10", "ni", "-1", {}, 31),
    T("X3", "TMenu11", "qu", "1", "1", 32),
    T("X4", "TMenu11", "qa", "1", "1", 33),
    T("X5", "TMenu11", "qb", "1", "1", 34),
    T("quelled1", "TMenu14", "rq", "1", {}, 35),
    T("quelled2", "TMenu14", "rq", "-1", {}, 36),
    T("N60", "TMenu14", "ru", "1", {}, 37),
    T("N61", "TMenu14", "ru", "-1", {}, 38),
    T("N57", "TMenu15", "rp", "1", {}, 39),
    T("N58", "TMenu15", "rp", "-1", {}, 40),
    T("N62", "TMenu16", "ss", "1", {}, 41),
    T("N115", "TMenu16", "ss", "-1", {}, 42),
    T("N63", "TMenu8", "le", "1", {}, 43),
    T("N64", "TMenu8", "le", "-1", {}, 44),
    T("N66", "TMenu8", "sc", "1", "1", 45),
    T("N67", "TMenu8", "sc", "1", "-1", 46),
    T("N87", "TMenu13", "ps", "1", {}, 47),
    T("N88", "TMenu13", "ps", "-1", {}, 48),
    T("N113", "TMenu13", "ha", "1", {}, 49),
    T("N114", "TMenu13", "ha", "-1", {}, 50),
    Sub("N77", "TMenu12", C::TestButtons, 51),
    Race("N90", "N77", "1", 1),
    Race("N91", "N77", "2", 2),
    Race("N92", "N77", "3", 3),
    Race("N93", "N77", "4", 4),
    Race("N94", "N77", "5", 5),
    Race("N95", "N77", "6", 6),
    Race("N96", "N77", "7", 7),
    Race("N97", "N77", "8", 8),
    Race("N98", "N77", "9", 9),
    Race("N99", "N77", "10", 10),
    Race("N100", "N77", "11", 11),
    Sub("N78", "TMenu12", C::TestButtons, 52),
    Race("N101", "N78", "-1", 1),
    Race("N102", "N78", "-2", 2),
    Race("N103", "N78", "-3", 3),
    Race("N104", "N78", "-4", 4),
    Race("N105", "N78", "-5", 5),
    Race("N106", "N78", "-6", 6),
    Race("N107", "N78", "-7", 7),
    Race("N108", "N78", "-8", 8),
    Race("N109", "N78", "-9", 9),
    Race("N110", "N78", "-10", 10),
    Race("N111", "N78", "-11", 11),
    T("N36", "TMenu12", "ch", "1", {}, 53),
    T("N83", "TMenu12", "ch", "-1", {}, 54),
    T("N85", "TMenu12", "pe", "1", {}, 55),
    T("N86", "TMenu12", "pe", "-1", {}, 56),
    T("N56", "TMenu9", "ma", "1", {}, 57),
    T("N69", "TMenu9", "ma", "-1", {}, 58),
    T("N71", "TMenu9", "ta", "1", {}, 59),
    T("N72", "TMenu9", "ta", "-1", {}, 60),

    // Result bar.
    Sub("N1", "RMoneyMenu", C::ResultButtons, 0),
    F("N510", "N1", kR, "$$", "5", {}, "$5"),
    F("N1010", "N1", kR, "$$", "10", {}, "$10"),
    F("N201", "N1", kR, "$$", "20", {}, "$20"),
    F("N501", "N1", kR, "$$", "50", {}, "$50"),
    F("N1001", "N1", kR, "$$", "100", {}, "$100"),
    F("N5002", "N1", kR, "$$", "500", {}, "$500"),
    F("N10002", "N1", kR, "$$", "1000", {}, "$1000"),
    Sub("N2", "RMoneyMenu", C::ResultButtons, 1),
    F("N511", "N2", kR, "$$", "-5", {}, "$5"),
    F("N1011", "N2", kR, "$$", "-10", {}, "$10"),
    F("N202", "N2", kR, "$$", "-20", {}, "$20"),
    F("N502", "N2", kR, "$$", "-50", {}, "$50"),
    F("N1002", "N2", kR, "$$", "-100", {}, "$100"),
    F("N5001", "N2", kR, "$$", "-500", {}, "$500"),
    F("N10001", "N2", kR, "$$", "-1000", {}, "$1000"),
    R("PCNPC2", "RItemMenu", "in", "1", {}, 2),
    R("NPCPC2", "RItemMenu", "in", "-1", {}, 3),
    Sub("N39", "RItemMenu", C::ResultButtons, 4),
    F("N01", "N39", kR, "np", "1", "0", "0"),
    F("N112", "N39", kR, "np", "1", "1", "1"),
    Sub("NPC1", "RNPCMenu", C::ResultButtons, 5),
    R("N79", "NPC1", "jo", "0", {}, 13),
    R("N80", "NPC1", "jo", "1", {}, 14),
    R("NPC2", "RNPCMenu", "lv", {}, {}, 6),
    R("NPC3", "RNPCMenu", "sc", {}, {}, 7),
    R("NPC4", "RNPCMenu", "so", {}, {}, 8),
    R("NPC5", "RNPCMenu", "wa", {}, {}, 9),
    Sub("NPC6", "RNPCMenu", C::ResultButtons, 10),
    R("N81", "NPC6", "uw", "0", {}, 13),
    R("N82", "NPC6", "uw", "1", {}, 14),
    R("NPC7", "RNPCMenu", "nk", {}, {}, 11),
    R("NPC8", "RNPCMenu", "or", "1", {}, 12),
    R("N6", "RVarMenu", "gf", "1", "1", 15),
    R("N10", "RVarMenu", "lf", "1", "1", 16),
    R("PC1", "RVarMenu", "pf", "1", "1", 17),
    R("N7", "RVarMenu", "gv", "1", "1", 18),
    R("PC2", "RVarMenu", "pv", "1", "1", 19),
    R("N11", "RVarMenu", "lc", "1", "1", 20),
    R("PC3", "RReactMenu", "re", "+1", {}, 21),
    R("N25", "RReactMenu", "re", "-1", {}, 22),
    R("N26", "RReactMenu", "re", "1", {}, 23),
    R("N27", "RReactMenu", "re", ">1", {}, 24),
    R("N28", "RReactMenu", "re", "<1", {}, 25),
    R("N20", "RAllignMenu", "al", "+1", {}, 26),
    R("N21", "RAllignMenu", "al", "-1", {}, 27),
    R("N22", "RAllignMenu", "al", "1", {}, 28),
    R("N23", "RAllignMenu", "al", ">1", {}, 29),
    R("N24", "RAllignMenu", "al", "<1", {}, 30),
    R("N13", "RInvMenu", "ri", {}, {}, 31),
    R("N14", "RInvMenu", "ii", {}, {}, 32),
    R("N15", "RInvMenu", "ce", {}, {}, 33),
    R("N16", "RInvMenu", "su", {}, {}, 34),
    R("N29", "RBookMenu", "qu", "1", "1", 35),
    R("N31", "RBookMenu", "ss", "1", {}, 36),
    R("N12", "RBookMenu", "rp", "1", {}, 37),
    R("N30", "RBookMenu", "rp", "-1", {}, 38),
    R("N32", "RBookMenu", "ru", "1", {}, 39),
    R("Quell1", "RBookMenu", "rq", "1", {}, 40),
    Direct("ToolButton7", "xp", "1"),
    Direct("ToolButton6", "fp", {}),
    Direct("ToolButton2", "mm", "1"),
    Direct("ToolButton3", "co", {}),
    Direct("ToolButton4", "fl", "1"),

    // The skill menu shared by both bars.
    Sub("Skill5", kSkillMenu, C::SkillKind, 0),
    Skill("Sk0", "Skill5", 0),
    Skill("sk1", "Skill5", 1),
    Skill("sk2", "Skill5", 2),
    Skill("sk3", "Skill5", 3),
    Sub("Skill6", kSkillMenu, C::SkillKind, 1),
    Skill("sk4", "Skill6", 4),
    Skill("sk5", "Skill6", 5),
    Skill("sk6", "Skill6", 6),
    Skill("sk7", "Skill6", 7),
    Sub("Skill7", kSkillMenu, C::SkillKind, 2),
    Skill("sk8", "Skill7", 8),
    Skill("sk9", "Skill7", 9),
    Skill("sk10", "Skill7", 10),
    Skill("sk11", "Skill7", 11),
    Sub("Skill8", kSkillMenu, C::SkillKind, 3),
    Skill("sk12", "Skill8", 12),
    Skill("sk13", "Skill8", 13),
    Skill("sk14", "Skill8", 14),
    Skill("sk15", "Skill8", 15),
};

constexpr ToolBarButton Menu(std::string_view name, OpList bar, std::string_view menu) {
    return {name, bar, menu, {}, {}};
}

constexpr ToolBarButton Opener(std::string_view name, OpList bar, std::string_view code,
                               std::string_view value) {
    return {name, bar, kSkillMenu, code, value};
}

constexpr ToolBarButton Button(std::string_view name) {
    return {name, kR, {}, {}, {}};
}

constexpr std::array kButtons{
    Menu("TBtn1", kT, "TMenu1"),
    Menu("TBtn2", kT, "TMenu2"),
    Menu("Tbtn4", kT, "TMenu4"),
    Menu("TBtn3", kT, "TMenu3"),
    Menu("TBtn5", kT, "TMenu5"),
    Menu("TBtn6", kT, "TMenu6"),
    Menu("TBtn7", kT, "TMenu7"),
    Menu("TBtn10", kT, "TMenu10"),
    Menu("TBtn11", kT, "TMenu11"),
    Menu("ToolButton17", kT, "TMenu14"),
    Menu("ToolButton18", kT, "TMenu15"),
    Menu("ToolButton19", kT, "TMenu16"),
    Opener("ToolButton12", kT, "tr", "-1"),
    Opener("ToolButton11", kT, "tr", "1"),
    Opener("ToolButton14", kT, "sk", "-1"),
    Opener("ToolButton15", kT, "sk", "1"),
    Menu("Tbtn8", kT, "TMenu8"),
    Menu("ToolButton9", kT, "TMenu13"),
    Menu("TBtn12", kT, "TMenu12"),
    Menu("TBtn9", kT, "TMenu9"),
    Menu("RMoneyBtn", kR, "RMoneyMenu"),
    Menu("RItemBtn", kR, "RItemMenu"),
    Menu("RNPCBtn", kR, "RNPCMenu"),
    Menu("RVarBtn", kR, "RVarMenu"),
    Menu("RReactBtn", kR, "RReactMenu"),
    Menu("RAllignBtn", kR, "RAllignMenu"),
    Menu("RInvBtn", kR, "RInvMenu"),
    Menu("RBookBtn", kR, "RBookMenu"),
    Opener("RSkillBtn", kR, "tr", "1"),
    Opener("ToolButton8", kR, "et", "1"),
    Button("ToolButton7"),
    Button("ToolButton6"),
    Button("ToolButton2"),
    Button("ToolButton3"),
    Button("ToolButton4"),
};

} // namespace

std::span<const MenuEntry> MenuEntries() {
    return kEntries;
}

std::span<const ToolBarButton> ToolBarButtons() {
    return kButtons;
}

const MenuEntry* FindMenuEntry(std::string_view name) {
    for (const MenuEntry& entry : kEntries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

const ToolBarButton* FindToolBarButton(std::string_view name) {
    for (const ToolBarButton& button : kButtons) {
        if (button.name == name)
            return &button;
    }
    return nullptr;
}

} // namespace dolmex
