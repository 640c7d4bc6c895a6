#include "LanguageLoader.h"

#include "LineReader.h"
#include "core/FileBytes.h"
#include "core/PathCase.h"
#include "core/TextFields.h"

#include <array>
#include <span>

namespace dolmex {

const std::array<HintSource, 13> kToolButtonHintSources{{
    {"ToolButton1", "N2"},
    {"ToolButton2", "N3"},
    {"ToolButton3", "N4"},
    {"ToolButton4", "N5"},
    {"ToolButton5", "N19"},
    {"ToolButton7", "N22"},
    {"ToolButton8", "N20"},
    {"ToolButton9", "N24"},
    {"ToolButton11", "N25"},
    {"ToolButton13", "Nup"},
    {"ToolButton14", "Ndn"},
    {"ToolButton15", "Back1"},
    {"ToolButton16", "Forward1"},
}};

namespace {

enum Section {
    None = 0,
    Test,
    Result,
    Quests,
    Degree,
    Skills,
    Races,
    Colleges,
    MainMenu,
    MainDescription,
    Player,
    Gender,
    In,
    Captions,
    GeneratedDialog,
    SkillKind,
    TestButtonsHints,
    ResultButtonsHints,
    TestButtons,
    ResultButtons,
    GreetingTests,
    Spells,
    EditMenu,
    Play,
    Unknown,
};

constexpr std::array<const char*, 23> kSectionNames{"TEST",
                                                    "RESULT",
                                                    "QUESTS",
                                                    "DEGREE",
                                                    "SKILLS",
                                                    "RACES",
                                                    "COLLEGES",
                                                    "MAINMENU",
                                                    "MAINDESCRIPTION",
                                                    "PLAYER",
                                                    "GENDER",
                                                    "IN",
                                                    "CAPTIONS",
                                                    "GENERATEDDIALOG",
                                                    "SKILLKIND",
                                                    "TESTBUTTONSHINTS",
                                                    "RESULTBUTTONSHINTS",
                                                    "TESTBUTTONS",
                                                    "RESULTBUTTONS",
                                                    "GREETINGTESTS",
                                                    "SPELLS",
                                                    "EDITMENU",
                                                    "PLAY"};

// Main-window menu items by MAINMENU line index (nullptr: no item).
constexpr std::array<const char*, 56> kMainMenuItems{
    "N1", "N2", "N3", "N4", "N5", "N7", "N8", "N9", "N10", "N22", "N19", "N20", "N24", "N25", "N14",
    "N13", "N16", "DLG1", "N17", "N18", "L1", "English1", nullptr, "Nup", "Ndn", "N12", "N15",
    "NB1", "NB2", "NB3", "NB4", "NB5", "NB6", "N30", "N31", "N32", "N34", "N36", "N37", "N38",
    "N39",
    // The search menu.
    "Search1", "Find1", "FindNext1", "FindPrev1", "Replace1", "GoTo1", "Back1", "Forward1",
    // The map.
    "Map1", "ExportMap1",
    // The play window.
    "Play1",
    // The module: its panel, choosing its folder, find in it.
    "Module1", "OpenModule1", "ModuleFind1",
    // The files opened last.
    "Recent1"};

constexpr std::array<const char*, 20> kTestButtonHints{
    "TBtn1",        "TBtn2",        "Tbtn4",        "TBtn3",        "TBtn5",
    "TBtn6",        "TBtn7",        "TBtn10",       "TBtn11",       "ToolButton17",
    "ToolButton18", "ToolButton19", "ToolButton12", "ToolButton11", "ToolButton14",
    "ToolButton15", "Tbtn8",        "ToolButton9",  "TBtn12",       "TBtn9"};

constexpr std::array<const char*, 20> kResultButtonHints{
    "RMoneyBtn",    "RItemBtn",     "RNPCBtn",      "RVarBtn",      "RReactBtn",
    "RAllignBtn",   "RInvBtn",      "RBookBtn",     "RSkillBtn",    "ToolButton8",
    "ToolButton7",  "ToolButton6",  "ToolButton2",  "ToolButton3",  "ToolButton4",
    "SpeedButton4", "SpeedButton7", "SpeedButton6", "SpeedButton2", "SpeedButton5"};

constexpr std::array<const char*, 61> kTestButtons{
    "PC5",      "PC6",   "N19",   "N35",   "N40",   "N41",   "NPC15", "NPC16", "NPC13",
    "NPC14",    "NPCX1", "NPCX2", "NPC9",  "NPC10", "NPC11", "NPC12", "N44",   "N47",
    "N49",      "N45",   "N48",   "N46",   "N52",   "N53",   "X1",    "X2",    "N54",
    "N55",      "N73",   "N74",   "NPC17", "NPC18", "X3",    "X4",    "X5",    "quelled1",
    "quelled2", "N60",   "N61",   "N57",   "N58",   "N62",   "N115",  "N63",   "N64",
    "N66",      "N67",   "N87",   "N88",   "N113",  "N114",  "N77",   "N78",   "N36",
    "N83",      "N85",   "N86",   "N56",   "N69",   "N71",   "N72"};

// RESULTBUTTONS line 13 and 14 name two items each; the second ones are listed apart.
constexpr std::array<const char*, 41> kResultButtons{
    "N1",   "N2",   "PCNPC2", "NPCPC2", "N39", "NPC1", "NPC2", "NPC3",  "NPC4", "NPC5", "NPC6",
    "NPC7", "NPC8", "N79",    "N80",    "N6",  "N10",  "PC1",  "N7",    "PC2",  "N11",  "PC3",
    "N25",  "N26",  "N27",    "N28",    "N20", "N21",  "N22",  "N23",   "N24",  "N13",  "N14",
    "N15",  "N16",  "N29",    "N31",    "N12", "N30",  "N32",  "Quell1"};

struct CaptionTarget {
    int index;
    TargetWindow window;
    const char* control;
    CaptionProperty property;
};

// CAPTIONS lines that set controls; lines 1 to 10 fill the CAPTIONS table instead and
// 31 and 32 build the file filter.
constexpr std::array<CaptionTarget, 27> kCaptionTargets{{
    {0, TargetWindow::Main, "GB1", CaptionProperty::Caption},
    {36, TargetWindow::Main, "GB2", CaptionProperty::Caption},
    {11, TargetWindow::Wizard, "GroupBox1", CaptionProperty::Caption},
    {12, TargetWindow::Wizard, "GroupBox3", CaptionProperty::Caption},
    {13, TargetWindow::Wizard, "GroupBox2", CaptionProperty::Caption},
    {14, TargetWindow::Wizard, "GroupBox4", CaptionProperty::Caption},
    {15, TargetWindow::Wizard, "Label6", CaptionProperty::Caption},
    {16, TargetWindow::Wizard, "Label5", CaptionProperty::Caption},
    {17, TargetWindow::Wizard, "Label7", CaptionProperty::Caption},
    {17, TargetWindow::Wizard, "Label4", CaptionProperty::Caption},
    {17, TargetWindow::Wizard, "DiaParamsBtn1", CaptionProperty::Caption},
    {17, TargetWindow::Wizard, "DiaParamsBtn2", CaptionProperty::Caption},
    {18, TargetWindow::Wizard, "TDelBtn", CaptionProperty::Caption},
    {18, TargetWindow::Wizard, "RDelBtn", CaptionProperty::Caption},
    {19, TargetWindow::Wizard, "SpeedButton3", CaptionProperty::Caption},
    {19, TargetWindow::Wizard, "SpeedButton1", CaptionProperty::Caption},
    {20, TargetWindow::Wizard, "Label8", CaptionProperty::Caption},
    {20, TargetWindow::Wizard, "ResLineBox", CaptionProperty::ClearItems},
    {25, TargetWindow::Wizard, "SpeedButton5", CaptionProperty::Caption},
    {26, TargetWindow::Wizard, "DiaBtn1", CaptionProperty::Caption},
    {26, TargetWindow::Wizard, "DiaBtn2", CaptionProperty::Caption},
    {27, TargetWindow::Wizard, "Label1", CaptionProperty::Caption},
    {28, TargetWindow::Wizard, "Label2", CaptionProperty::Caption},
    {29, TargetWindow::Wizard, "Label3", CaptionProperty::Caption},
    {30, TargetWindow::Wizard, "TWizardForm", CaptionProperty::Caption},
    {33, TargetWindow::Wizard, "CopyLine21Btn", CaptionProperty::Hint},
    {34, TargetWindow::Wizard, "CopyLine12Btn", CaptionProperty::Hint},
}};

Section SectionOf(std::string_view header) {
    // The name runs from the second character to the first "]", never taking the last.
    std::string name;
    for (std::size_t i = 1; i + 1 < header.size() && header[i] != ']'; ++i)
        name += header[i];
    MakeUpper(name);
    for (std::size_t i = 0; i < kSectionNames.size(); ++i) {
        if (name == kSectionNames[i])
            return static_cast<Section>(i + 1);
    }
    return Unknown;
}

bool IsHeader(std::string_view line) {
    return line.size() > 2 && line[0] == '[';
}

bool HasWord(std::string_view line) {
    return !WordAt(line, 1).empty() || !WordAt(line, 2).empty();
}

class LanguageParser {
public:
    LanguageParser(std::string_view bytes, LanguageTables& tables)
        : m_reader(bytes), m_tables(tables) {}

    std::vector<CaptionAssignment> run() {
        m_tables.test.clear();
        m_tables.result.clear();
        std::string line;
        while (nextSection() != None) {
            while (m_reader.ReadLine(line)) {
                if (!HasWord(line)) {
                    nextSection();
                    continue;
                }
                if (line[0] == '/')
                    continue;
                if (m_section == Unknown) {
                    nextSection();
                    continue;
                }
                apply(line);
            }
        }
        return std::move(m_assignments);
    }

private:
    // Skips to the next header line; None when the file ends first.
    Section nextSection() {
        m_lineIndex = 0;
        m_section = None;
        std::string line;
        while (m_reader.readRawLine(line)) {
            if (IsHeader(line)) {
                m_section = SectionOf(line);
                break;
            }
        }
        return m_section;
    }

    void assign(TargetWindow window, const char* control, CaptionProperty property,
                const std::string& text) {
        m_assignments.push_back({window, control, property, text});
    }

    void assignByIndex(std::span<const char* const> controls, TargetWindow window,
                       CaptionProperty property, const std::string& line) {
        if (m_lineIndex < static_cast<int>(controls.size()) && controls[m_lineIndex])
            assign(window, controls[m_lineIndex], property, line);
    }

    template <typename Table> void appendEntry(Table& table, int& fill, const std::string& line) {
        table.set(fill, line);
        if (Table::contains(fill))
            ++fill;
    }

    void applyCode(CodeTable& table, const std::string& line) {
        CodeEntry entry;
        entry.code = line.substr(0, 2);
        std::size_t start = 2;
        while (start < line.size() && static_cast<unsigned char>(line[start]) <= 32)
            ++start;
        if (start < line.size())
            entry.description = line.substr(start);
        table.add(std::move(entry));
    }

    void applyRace(const std::string& line) {
        const int entry = m_racesFill;
        appendEntry(m_tables.races, m_racesFill, line);
        if (entry >= 1 && entry <= 11) {
            assign(TargetWindow::Wizard, ("N" + std::to_string(89 + entry)).c_str(),
                   CaptionProperty::Caption, line);
            assign(TargetWindow::Wizard, ("N" + std::to_string(100 + entry)).c_str(),
                   CaptionProperty::Caption, line);
        }
    }

    void applyCaption(const std::string& line) {
        if (m_lineIndex >= captions::kFirstTableEntry && m_lineIndex <= captions::kLastTableEntry) {
            m_tables.captions.set(m_lineIndex, line);
        } else if (m_lineIndex >= 21 && m_lineIndex <= 24) {
            assign(TargetWindow::Wizard, "ResLineBox", CaptionProperty::AddItem, line);
        } else if (m_lineIndex == 31) {
            m_tables.fileFilter = line + "|*.dlg|";
        } else if (m_lineIndex == 32) {
            m_tables.fileFilter += line + "|*.*";
        } else if (m_lineIndex == 35) {
            assign(TargetWindow::Main, "SG", CaptionProperty::ColumnTitle, line);
        }
        for (const CaptionTarget& target : kCaptionTargets) {
            if (target.index == m_lineIndex)
                assign(target.window, target.control, target.property, line);
        }
    }

    void applyGeneratedKind(const std::string& line) {
        std::string phrase;
        m_reader.readRawLine(phrase); // the template line, whatever it holds
        if (m_lineIndex >= static_cast<int>(m_tables.generatedDialog.size()))
            return;
        GeneratedKind& kind = m_tables.generatedDialog[static_cast<std::size_t>(m_lineIndex)];
        kind.flags = static_cast<std::uint8_t>(ParseIntOrMinus1(WordAt(line, 1)));
        kind.name = WordAt(line, 2);
        kind.explanation = WordAt(line, 3);
        kind.phrase = std::move(phrase);
    }

    void apply(const std::string& line) {
        switch (m_section) {
        case Test:
            applyCode(m_tables.test, line);
            return;
        case Result:
            applyCode(m_tables.result, line);
            return;
        case Quests:
            appendEntry(m_tables.quests, m_questsFill, line);
            return;
        case Degree:
            appendEntry(m_tables.degree, m_degreeFill, line);
            return;
        case Skills:
            appendEntry(m_tables.skills, m_skillsFill, line);
            return;
        case Races:
            applyRace(line);
            return;
        case Colleges:
            appendEntry(m_tables.colleges, m_collegesFill, line);
            return;
        default:
            break;
        }
        switch (m_section) {
        case MainMenu:
            assignByIndex(kMainMenuItems, TargetWindow::Main, CaptionProperty::Caption, line);
            break;
        case MainDescription:
            m_tables.mainDescription.set(m_lineIndex, line);
            break;
        case Player:
            m_tables.player.set(m_lineIndex, line);
            break;
        case Gender:
            m_tables.gender.set(m_lineIndex, line);
            break;
        case In:
            m_tables.in.set(m_lineIndex, line);
            break;
        case Captions:
            applyCaption(line);
            break;
        case GeneratedDialog:
            applyGeneratedKind(line);
            break;
        case SkillKind:
            m_tables.skillKind.set(m_lineIndex, line);
            break;
        case TestButtonsHints:
            assignByIndex(kTestButtonHints, TargetWindow::Wizard, CaptionProperty::Hint, line);
            break;
        case ResultButtonsHints:
            assignByIndex(kResultButtonHints, TargetWindow::Wizard, CaptionProperty::Hint, line);
            break;
        case TestButtons:
            assignByIndex(kTestButtons, TargetWindow::Wizard, CaptionProperty::Caption, line);
            break;
        case ResultButtons:
            assignByIndex(kResultButtons, TargetWindow::Wizard, CaptionProperty::Caption, line);
            if (m_lineIndex == 13)
                assign(TargetWindow::Wizard, "N81", CaptionProperty::Caption, line);
            if (m_lineIndex == 14)
                assign(TargetWindow::Wizard, "N82", CaptionProperty::Caption, line);
            break;
        case GreetingTests:
            m_tables.greetingTests.set(m_lineIndex, line);
            break;
        case Spells:
            m_tables.spells.set(m_lineIndex, line);
            break;
        case EditMenu:
            m_tables.editMenu.set(m_lineIndex, line);
            break;
        case Play:
            m_tables.play.set(m_lineIndex, line);
            break;
        default:
            break;
        }
        // A huge section cannot overflow the index: it stops counting past any table.
        if (m_lineIndex < 1'000'000)
            ++m_lineIndex;
    }

    LineReader m_reader;
    LanguageTables& m_tables;
    std::vector<CaptionAssignment> m_assignments;
    Section m_section = None;
    int m_lineIndex = 0;
    // Fill counters of the tables that take entries in line order; a section given
    // twice goes on where it stopped.
    int m_questsFill = 0;
    int m_degreeFill = 0;
    int m_skillsFill = 0;
    int m_racesFill = 1;
    int m_collegesFill = 1;
};

} // namespace

std::vector<CaptionAssignment> ParseLanguage(std::string_view bytes, LanguageTables& tables) {
    return LanguageParser(bytes, tables).run();
}

std::vector<CaptionAssignment> LoadLanguage(const std::string& programDir, std::string& defLanguage,
                                            LanguageTables& tables) {
    MakeUpper(defLanguage);
    const std::string bytes = ReadFileBytes(ResolvePathIgnoringCase(programDir, defLanguage));
    return ParseLanguage(bytes, tables);
}

const char* LanguageMenuItem(const std::string& defLanguage) {
    if (defLanguage == "RUSSIAN.LNG")
        return "N38";
    if (defLanguage == "RUSSTE.LNG")
        return "N39";
    return "English1";
}

} // namespace dolmex
