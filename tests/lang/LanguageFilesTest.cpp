// Checks the language files that ship in lang/: each one is loaded with the real loader
// and must give every text the program reads, describe every operation the wizard's
// menus insert, use well-formed templates, and share one entry layout with the others.

#include "core/FileBytes.h"
#include "lang/LanguageLoader.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace dolmex {
namespace {

const std::string kLanguageDir = std::string(DOLMEX_SOURCE_DIR) + "/lang";
const std::array<std::string, 3> kFiles{"english.lng", "russian.lng", "russte.lng"};

// The codes that the wizard's insertion menus put into a test or result field.
const std::vector<std::string> kTestCodes{
    "$$", "al", "ar", "ch", "fo", "gf", "gv", "ha", "ia", "in", "lc", "le", "lf",
    "ma", "me", "na", "ni", "pa", "pe", "pf", "ps", "pv", "qa", "qb", "qu", "ra",
    "re", "rp", "rq", "ru", "sc", "sk", "ss", "ta", "tr", "wa", "wt"};
const std::vector<std::string> kResultCodes{"$$", "al", "ce", "co", "et", "fl", "fp", "gf", "gv",
                                            "ii", "in", "jo", "lc", "lf", "lv", "mm", "nk", "np",
                                            "or", "pf", "pv", "qu", "re", "ri", "rp", "rq", "ru",
                                            "sc", "so", "ss", "su", "tr", "uw", "wa", "xp"};

struct LoadedFile {
    std::string name;
    std::string bytes;
    LanguageTables tables;
    std::vector<CaptionAssignment> assignments;
};

const std::vector<LoadedFile>& Files() {
    static const std::vector<LoadedFile> files = [] {
        std::vector<LoadedFile> loaded(kFiles.size());
        for (std::size_t i = 0; i < kFiles.size(); ++i) {
            loaded[i].name = kFiles[i];
            loaded[i].bytes = ReadFileBytes(kLanguageDir + "/" + kFiles[i]);
            std::string defLanguage = kFiles[i];
            loaded[i].assignments = LoadLanguage(kLanguageDir, defLanguage, loaded[i].tables);
        }
        return loaded;
    }();
    return files;
}

const LoadedFile& File(const std::string& name) {
    const auto& files = Files();
    return *std::find_if(files.begin(), files.end(),
                         [&](const LoadedFile& f) { return f.name == name; });
}

// Checks the directives of a test or result template: a choice "!n{a,b,...}" or "?n{...}"
// must name an argument and give one alternative per argument kind, "#n" must name an
// argument, "&Ln" a table letter and an argument. Returns what is wrong, or "".
std::string CheckCodeTemplate(const std::string& text, bool isResult) {
    const std::string selectors = isResult ? "12" : "123";
    const std::string padded = text + "  ";
    for (std::size_t p = 0; p < text.size(); ++p) {
        const char c = padded[p];
        if (c == '!' || c == '?') {
            const char s = padded[p + 1];
            if (selectors.find(s) == std::string::npos)
                return "choice without an argument at " + std::to_string(p);
            if (padded[p + 2] != '{')
                return "choice without a braced list at " + std::to_string(p);
            const std::size_t close = text.find('}', p + 3);
            if (close == std::string::npos)
                return "choice list not closed at " + std::to_string(p);
            const std::string list = text.substr(p + 3, close - p - 3);
            if (list.find('{') != std::string::npos)
                return "brace inside a choice list at " + std::to_string(p);
            const auto alternatives = std::count(list.begin(), list.end(), ',') + 1;
            // Argument 1 of a result also has the kinds "<", ">" and "other".
            const long kinds = isResult && s == '1' ? 7 : 5;
            if (alternatives != kinds)
                return "choice with " + std::to_string(alternatives) + " alternatives for " +
                       std::to_string(kinds) + " kinds at " + std::to_string(p);
            p = close;
        } else if (c == '#') {
            if (selectors.find(padded[p + 1]) == std::string::npos)
                return "number without an argument at " + std::to_string(p);
            ++p;
        } else if (c == '&') {
            if (std::string("CDQRS").find(padded[p + 1]) == std::string::npos)
                return "name with an unknown table letter at " + std::to_string(p);
            if (padded[p + 2] != '1' && padded[p + 2] != '2')
                return "name without an argument at " + std::to_string(p);
            p += 2;
        } else if (c == '{' || c == '}') {
            return "stray brace at " + std::to_string(p);
        }
    }
    return "";
}

// The directives a generated-line template uses ("#1", "%2", "&M", "*G", ...), or an
// error text starting with "!" when one is malformed.
std::set<std::string> GeneratedDirectives(const std::string& text) {
    std::set<std::string> used;
    const std::string padded = text + "  ";
    for (std::size_t p = 0; p < text.size(); ++p) {
        const char c = padded[p];
        const char next = padded[p + 1];
        const auto isDigit = [](char d) { return d >= '1' && d <= '9'; };
        if (c == '#' || c == '%') {
            if (!isDigit(next))
                return {"!item directive without an item number"};
            used.insert(std::string{c});
            p += 1;
        } else if (c == '&') {
            if (std::string("CDMQRS").find(next) == std::string::npos)
                return {"!name with an unknown table letter"};
            used.insert(std::string{c, next});
            p += 2;
        } else if (c == '*') {
            if (std::string("ARSG").find(next) == std::string::npos || !isDigit(padded[p + 2]))
                return {"!list without a known letter and an item number"};
            used.insert(std::string{c, next});
            p += 2;
        }
    }
    return used;
}

// The checks above must themselves catch the faults they are there for.
TEST(LanguageFiles, TemplateChecksRejectMalformedDirectives) {
    struct Case {
        std::string text;
        bool isResult;
        bool wellFormed;
    };
    const Case cases[] = {
        {"Skill &S1 ?2{is at least,is,is at most,is at least,is} #2", false, true},
        {"Gets #1 ?1{a,b,c,d,e,f,g}", true, true},
        {"Flag #1 ?2{a,b,c,d,e}", true, true},
        {"?3{a,b,c,d,e} third argument", false, true},
        {"?3{a,b,c,d,e} results have two arguments", true, false},
        {"?1{a,b,c,d,e} first result argument has seven kinds", true, false},
        {"?2{a,b,c} too few alternatives", false, false},
        {"?2 a,b,c,d,e} no opening brace", false, false},
        {"?2{a,b,c,d,e no closing brace", false, false},
        {"?{a,b,c,d,e} no selector", false, false},
        {"#x not an argument", false, false},
        {"&M1 spells are not a test table", false, false},
        {"&S name without argument", false, false},
        {"text with a stray } brace", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CheckCodeTemplate(c.text, c.isResult).empty(), c.wellFormed)
            << CheckCodeTemplate(c.text, c.isResult);
    }

    EXPECT_EQ(GeneratedDirectives("Spell &M1 then line #2"), (std::set<std::string>{"&M", "#"}));
    EXPECT_EQ(GeneratedDirectives("*G1"), (std::set<std::string>{"*G"}));
    EXPECT_EQ(GeneratedDirectives("quest %1"), (std::set<std::string>{"%"}));
    for (const char* bad : {"#x", "%", "&X1", "*Z1", "*A"}) {
        SCOPED_TRACE(bad);
        const auto used = GeneratedDirectives(bad);
        ASSERT_EQ(used.size(), 1u);
        EXPECT_EQ(used.begin()->front(), '!');
    }
}

TEST(LanguageFiles, FilesAreEncodedAsShipped) {
    for (const LoadedFile& f : Files()) {
        SCOPED_TRACE(f.name);
        ASSERT_FALSE(f.bytes.empty());
        // Every line ends in CR LF: no LF without its CR, no CR without its LF.
        for (std::size_t i = 0; i < f.bytes.size(); ++i) {
            if (f.bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && f.bytes[i - 1] == '\r') << "bare LF at byte " << i;
            }
            if (f.bytes[i] == '\r') {
                ASSERT_TRUE(i + 1 < f.bytes.size() && f.bytes[i + 1] == '\n')
                    << "bare CR at byte " << i;
            }
        }
        const bool hasHighBytes =
            std::any_of(f.bytes.begin(), f.bytes.end(), [](char ch) { return (ch & 0x80) != 0; });
        if (f.name == "english.lng") {
            EXPECT_FALSE(hasHighBytes) << "english.lng must be plain ASCII";
        } else {
            // Windows-1251 Cyrillic, not UTF-8: the program shows the bytes through 1251.
            EXPECT_TRUE(hasHighBytes);
            QStringDecoder utf8(QStringDecoder::Utf8);
            const QString asUtf8 = utf8(QByteArrayView(f.bytes.data(), f.bytes.size()));
            EXPECT_FALSE(asUtf8.isEmpty());
            EXPECT_TRUE(utf8.hasError()) << "the file is UTF-8, not Windows-1251";
            QStringDecoder cp1251("windows-1251");
            const QString text = cp1251(QByteArrayView(f.bytes.data(), f.bytes.size()));
            EXPECT_FALSE(cp1251.hasError());
            EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar ch) {
                return ch.script() == QChar::Script_Cyrillic;
            }));
        }
    }
}

// Reads a table by entry number.
template <typename Table> std::function<const std::string&(int)> EntriesOf(const Table& table) {
    return [&table](int i) -> const std::string& { return table[i]; };
}

TEST(LanguageFiles, EveryIndexThatTheProgramReadsHasText) {
    for (const LoadedFile& f : Files()) {
        SCOPED_TRACE(f.name);
        const LanguageTables& t = f.tables;
        // Tables read by entry number, with the numbers the program reads and the
        // width at which the loader cuts an entry (an entry of exactly that width was
        // most likely cut short).
        struct Range {
            const char* table;
            int first, last;
            std::size_t width;
            std::function<const std::string&(int)> entry;
        };
        const Range ranges[] = {
            {"MAINDESCRIPTION", 0, md::kLastMainDescription, 50, EntriesOf(t.mainDescription)},
            {"QUESTS", 0, 6, 40, EntriesOf(t.quests)},
            {"DEGREE", 0, 3, 20, EntriesOf(t.degree)},
            {"SKILLS", 0, 15, 30, EntriesOf(t.skills)},
            {"RACES", 1, 11, 25, EntriesOf(t.races)},
            {"COLLEGES", 1, 16, 35, EntriesOf(t.colleges)},
            {"PLAYER", 0, 1, 20, EntriesOf(t.player)},
            {"GENDER", 0, 5, 50, EntriesOf(t.gender)},
            {"IN", 0, 1, 20, EntriesOf(t.in)},
            {"CAPTIONS", 1, 10, 50, EntriesOf(t.captions)},
            {"SKILLKIND", 0, 3, 0, EntriesOf(t.skillKind)},
            {"GREETINGTESTS", 0, 13, 100, EntriesOf(t.greetingTests)},
            {"SPELLS", 0, 79, 40, EntriesOf(t.spells)},
            {"EDITMENU", 0, 22, 50, EntriesOf(t.editMenu)},
            {"PLAY", 0, playtext::kLastEntry, 80, EntriesOf(t.play)},
        };
        for (const Range& r : ranges) {
            for (int i = r.first; i <= r.last; ++i) {
                SCOPED_TRACE(std::string(r.table) + " " + std::to_string(i));
                EXPECT_FALSE(r.entry(i).empty());
                if (r.width > 0) {
                    EXPECT_LT(r.entry(i).size(), r.width) << r.entry(i);
                }
            }
        }
        // Jump entries are recognised by the first two words of entry 10, followed by
        // the line number; with any other number of words no jump would ever work.
        const std::string& jump = t.mainDescription[10];
        std::size_t words = 0;
        for (std::size_t i = 0; i < jump.size(); ++i) {
            const bool word = static_cast<unsigned char>(jump[i]) > 32;
            if (word && (i == 0 || static_cast<unsigned char>(jump[i - 1]) <= 32))
                ++words;
        }
        EXPECT_EQ(words, 2u) << "MAINDESCRIPTION 10: '" << jump << "'";

        // Caption sections: each control of a list gets its text from its line, so the
        // last control of each list being set shows that no line is missing.
        const auto assigned = [&](TargetWindow window, const std::string& control,
                                  CaptionProperty property) {
            return std::any_of(f.assignments.begin(), f.assignments.end(), [&](const auto& a) {
                return a.window == window && a.control == control && a.property == property &&
                       !a.text.empty();
            });
        };
        const std::tuple<const char*, TargetWindow, const char*, CaptionProperty> lastOfList[] = {
            {"MAINMENU 0", TargetWindow::Main, "N1", CaptionProperty::Caption},
            {"MAINMENU 40", TargetWindow::Main, "N39", CaptionProperty::Caption},
            {"MAINMENU 48", TargetWindow::Main, "Forward1", CaptionProperty::Caption},
            {"MAINMENU 50", TargetWindow::Main, "ExportMap1", CaptionProperty::Caption},
            {"MAINMENU 51", TargetWindow::Main, "Play1", CaptionProperty::Caption},
            {"MAINMENU 52", TargetWindow::Main, "Module1", CaptionProperty::Caption},
            {"MAINMENU 53", TargetWindow::Main, "OpenModule1", CaptionProperty::Caption},
            {"MAINMENU 54", TargetWindow::Main, "ModuleFind1", CaptionProperty::Caption},
            {"CAPTIONS 0", TargetWindow::Main, "GB1", CaptionProperty::Caption},
            {"CAPTIONS 36", TargetWindow::Main, "GB2", CaptionProperty::Caption},
            {"CAPTIONS 35", TargetWindow::Main, "SG", CaptionProperty::ColumnTitle},
            {"TESTBUTTONS 0", TargetWindow::Wizard, "PC5", CaptionProperty::Caption},
            {"TESTBUTTONS 60", TargetWindow::Wizard, "N72", CaptionProperty::Caption},
            {"RESULTBUTTONS 14", TargetWindow::Wizard, "N82", CaptionProperty::Caption},
            {"RESULTBUTTONS 40", TargetWindow::Wizard, "Quell1", CaptionProperty::Caption},
            {"TESTBUTTONSHINTS 19", TargetWindow::Wizard, "TBtn9", CaptionProperty::Hint},
            {"RESULTBUTTONSHINTS 19", TargetWindow::Wizard, "SpeedButton5", CaptionProperty::Hint},
        };
        for (const auto& [what, window, control, property] : lastOfList)
            EXPECT_TRUE(assigned(window, control, property)) << what;
        for (const CaptionAssignment& a : f.assignments) {
            if (a.property != CaptionProperty::ClearItems) {
                EXPECT_FALSE(a.text.empty()) << a.control;
            }
        }
        const auto responseRows =
            std::count_if(f.assignments.begin(), f.assignments.end(), [](const auto& a) {
                return a.control == "ResLineBox" && a.property == CaptionProperty::AddItem;
            });
        EXPECT_EQ(responseRows, 4);
        // "description|*.dlg|description|*.*", both descriptions present.
        EXPECT_EQ(t.fileFilter.find("|*.dlg|"), t.fileFilter.find('|')) << t.fileFilter;
        EXPECT_GT(t.fileFilter.find('|'), 0u);
        EXPECT_GT(t.fileFilter.size(), t.fileFilter.find("|*.dlg|") + 7 + 4);
        EXPECT_EQ(t.fileFilter.substr(t.fileFilter.size() - 4), "|*.*");
    }
}

TEST(LanguageFiles, EveryInsertedCodeIsDescribedByWellFormedTemplates) {
    for (const LoadedFile& f : Files()) {
        SCOPED_TRACE(f.name);
        const struct {
            const char* section;
            const CodeTable& table;
            const std::vector<std::string>& codes;
            bool isResult;
        } sections[] = {
            {"TEST", f.tables.test, kTestCodes, false},
            {"RESULT", f.tables.result, kResultCodes, true},
        };
        for (const auto& s : sections) {
            SCOPED_TRACE(s.section);
            // A full table would mean lines past its capacity were dropped.
            EXPECT_LT(s.table.count(), CodeTable::kCapacity);
            std::set<std::string> described;
            for (int n = 1; n <= s.table.count(); ++n) {
                const CodeEntry& e = s.table.entry(n);
                SCOPED_TRACE(e.code + " " + e.description);
                EXPECT_FALSE(e.description.empty());
                EXPECT_EQ(CheckCodeTemplate(e.description, s.isResult), "");
                described.insert(e.code);
            }
            for (const std::string& code : s.codes)
                EXPECT_TRUE(described.count(code)) << "no description for " << code;
        }
    }
}

TEST(LanguageFiles, GeneratedKindsCoverWhatRenumberingAndLookUpsNeed) {
    for (const LoadedFile& f : Files()) {
        SCOPED_TRACE(f.name);
        std::set<std::string> usedByAll;
        std::set<int> placements;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const GeneratedKind& kind = *f.tables.generatedKind(letter);
            SCOPED_TRACE(std::string("GENERATEDDIALOG ") + letter);
            EXPECT_FALSE(kind.name.empty());
            EXPECT_FALSE(kind.explanation.empty());
            ASSERT_FALSE(kind.phrase.empty());
            // Bit 1: NPC lines, bit 2: player lines; a kind with neither is never offered.
            EXPECT_NE(kind.flags & 3, 0);
            EXPECT_LE(kind.flags, 7);
            placements.insert(kind.flags & 3);
            const std::set<std::string> used = GeneratedDirectives(kind.phrase);
            ASSERT_TRUE(used.empty() || used.begin()->front() != '!') << *used.begin();
            // The wizard offers an argument box exactly for kinds flagged above 4.
            EXPECT_EQ(kind.flags > 4, !used.empty()) << kind.phrase;
            usedByAll.insert(used.begin(), used.end());
        }
        EXPECT_EQ(placements, (std::set<int>{1, 2, 3})) << "NPC-only, player-only and both";
        const std::set<std::string> all{"#",  "%",  "&C", "&D", "&M", "&Q",
                                        "&R", "&S", "*A", "*R", "*S", "*G"};
        EXPECT_EQ(usedByAll, all);

        // Renumbering rewrites "G:" items as condition and line, and the second item of
        // "M:"; the quest look-up of "Q:" runs through "%". The kinds must read so.
        const auto phraseOf = [&](char letter) { return f.tables.generatedKind(letter)->phrase; };
        EXPECT_TRUE(GeneratedDirectives(phraseOf('G')).count("*G")) << phraseOf('G');
        EXPECT_NE(phraseOf('M').find("#2"), std::string::npos) << phraseOf('M');
        EXPECT_NE(phraseOf('Q').find("%1"), std::string::npos) << phraseOf('Q');
        EXPECT_NE(f.tables.generatedKind('G')->flags & 1, 0) << "greetings are NPC lines";
    }
}

TEST(LanguageFiles, AllFilesShareOneEntryLayout) {
    const LoadedFile& english = File("english.lng");
    for (const LoadedFile& f : Files()) {
        SCOPED_TRACE(f.name);
        // Captions: the same controls in the same order.
        ASSERT_EQ(f.assignments.size(), english.assignments.size());
        for (std::size_t i = 0; i < f.assignments.size(); ++i) {
            const auto& a = f.assignments[i];
            const auto& b = english.assignments[i];
            EXPECT_EQ(std::tie(a.window, a.control, a.property),
                      std::tie(b.window, b.control, b.property))
                << "assignment " << i << ": " << a.control << " vs " << b.control;
        }
        // Codes in the same order, kinds with the same flags.
        for (const auto& [mine, theirs] : {std::pair{&f.tables.test, &english.tables.test},
                                           std::pair{&f.tables.result, &english.tables.result}}) {
            ASSERT_EQ(mine->count(), theirs->count());
            for (int n = 1; n <= mine->count(); ++n)
                EXPECT_EQ(mine->entry(n).code, theirs->entry(n).code) << "entry " << n;
        }
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            EXPECT_EQ(f.tables.generatedKind(letter)->flags,
                      english.tables.generatedKind(letter)->flags)
                << letter;
        // Indexed tables: text at the same indexes, and nothing past them.
        const auto filled = [](const LanguageTables& t) {
            std::vector<bool> map;
            const auto add = [&](auto& table) {
                for (int i = 0; i < table.capacity(); ++i)
                    map.push_back(!table[i].empty());
            };
            add(t.quests);
            add(t.degree);
            add(t.skills);
            add(t.races);
            add(t.colleges);
            add(t.mainDescription);
            add(t.player);
            add(t.gender);
            add(t.in);
            add(t.captions);
            add(t.skillKind);
            add(t.greetingTests);
            add(t.spells);
            return map;
        };
        EXPECT_EQ(filled(f.tables), filled(english.tables));
    }
}

TEST(LanguageFiles, RussteIsRussianWithCodesAfterEachDescription) {
    const LoadedFile& russian = File("russian.lng");
    const LoadedFile& russte = File("russte.lng");
    for (const auto& [mine, base] : {std::pair{&russte.tables.test, &russian.tables.test},
                                     std::pair{&russte.tables.result, &russian.tables.result}}) {
        ASSERT_EQ(mine->count(), base->count());
        for (int n = 1; n <= mine->count(); ++n) {
            const CodeEntry& e = mine->entry(n);
            EXPECT_EQ(e.description, base->entry(n).description + " [" + e.code + "]");
        }
    }
    // Everything else reads as in russian.lng.
    ASSERT_EQ(russte.assignments, russian.assignments);
    for (int i = 0; i < russian.tables.mainDescription.capacity(); ++i)
        EXPECT_EQ(russte.tables.mainDescription[i], russian.tables.mainDescription[i]) << i;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const GeneratedKind& a = *russte.tables.generatedKind(letter);
        const GeneratedKind& b = *russian.tables.generatedKind(letter);
        EXPECT_EQ(std::tie(a.name, a.explanation, a.phrase),
                  std::tie(b.name, b.explanation, b.phrase))
            << letter;
    }
    for (int i = 0; i < russian.tables.spells.capacity(); ++i)
        EXPECT_EQ(russte.tables.spells[i], russian.tables.spells[i]) << i;
    EXPECT_EQ(russte.tables.fileFilter, russian.tables.fileFilter);
}

} // namespace
} // namespace dolmex
