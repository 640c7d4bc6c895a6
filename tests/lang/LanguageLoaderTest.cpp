#include "lang/LanguageLoader.h"
#include "core/IoError.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dolmex {
namespace {

using test::TempFolder;

std::vector<CaptionAssignment> Parse(const std::string& file, LanguageTables& tables) {
    return ParseLanguage(file, tables);
}

bool Has(const std::vector<CaptionAssignment>& list, const CaptionAssignment& wanted) {
    return std::find(list.begin(), list.end(), wanted) != list.end();
}

TEST(LanguageLoader, ReadsCodeTablesWithTheirDescriptions) {
    LanguageTables tables;
    Parse("[test]\r\ngf   Has the flag\r\nqu\r\n/ comment\r\ngf second gf\r\nEOF\r\n"
          "[RESULT]\r\nmm Move to #1\r\n",
          tables);
    ASSERT_EQ(tables.test.count(), 3);
    EXPECT_EQ(tables.test.entry(1).code, "gf");
    EXPECT_EQ(tables.test.entry(1).description, "Has the flag");
    EXPECT_EQ(tables.test.entry(2).code, "qu");
    EXPECT_EQ(tables.test.entry(2).description, "");
    EXPECT_EQ(tables.test.entry(3).description, "second gf");
    EXPECT_EQ(tables.test.entry(4).code, "");
    ASSERT_EQ(tables.result.count(), 1);
    EXPECT_EQ(tables.result.entry(1).description, "Move to #1");
}

TEST(LanguageLoader, SectionBoundariesFollowTheFileLayout) {
    struct Case {
        const char* name;
        std::string file;
        std::string player0, player1;
    };
    const Case cases[] = {
        {"lower-case header", "[player]\nNPC\nPC\n", "NPC", "PC"},
        {"header without ] loses its last character", "[PLAYERS\nNPC\n", "NPC", ""},
        {"so a bare name without ] is unknown", "[PLAYER\nNPC\n", "", ""},
        {"a header inside a section is an entry line", "[PLAYER]\nA\n[IN]\n", "A", "[IN]"},
        {"blank line ends the section", "[PLAYER]\nNPC\n\nPC\n", "NPC", ""},
        {"blank-only line ends the section", "[PLAYER]\nNPC\n \t\nPC\n", "NPC", ""},
        {"EOF line ends the section", "[PLAYER]\nNPC\nEOF\nPC\n[PLAYER]\nA\nB", "A", "B"},
        {"comment does not count", "[PLAYER]\n/ note\nNPC\n/x\nPC\n", "NPC", "PC"},
        {"unknown section is skipped", "[EXTRA]\nfoo\nbar\n[PLAYER]\nNPC\n", "NPC", ""},
        {"text between sections is ignored", "[PLAYER]\nN\n\nstray\n[IN]\nx\n", "N", ""},
        {"second occurrence restarts the index", "[PLAYER]\nA\nB\n\n[PLAYER]\nC\n", "C", "B"},
        {"CR LF line ends", "[PLAYER]\r\nNPC\r\nPC\r\n", "NPC", "PC"},
    };
    for (const auto& c : cases) {
        LanguageTables tables;
        Parse(c.file, tables);
        EXPECT_EQ(tables.player[0], c.player0) << c.name;
        EXPECT_EQ(tables.player[1], c.player1) << c.name;
    }
}

TEST(LanguageLoader, CutsEntriesToTheirWidthAndIgnoresLinesPastCapacity) {
    std::string file = "[QUESTS]\n" + std::string(60, 'q') + "\n";
    for (int i = 0; i < 10; ++i)
        file += "state" + std::to_string(i) + "\n";
    file += "\n[RACES]\nHuman\nDwarf\n\n[TEST]\n";
    for (int i = 0; i < 60; ++i)
        file += "t" + std::to_string(i % 10) + " d\n";
    file += "\n[MAINDESCRIPTION]\n";
    for (int i = 0; i < 500; ++i)
        file += "entry " + std::to_string(i) + " " + std::string(80, 'x') + "\n";
    LanguageTables tables;
    Parse(file, tables);
    EXPECT_EQ(tables.quests[0], std::string(40, 'q'));
    EXPECT_EQ(tables.quests[6], "state5");
    EXPECT_EQ(tables.quests[7], "");
    EXPECT_EQ(tables.races[0], "");
    EXPECT_EQ(tables.races[1], "Human");
    EXPECT_EQ(tables.races[2], "Dwarf");
    EXPECT_EQ(tables.test.count(), 50);
    EXPECT_EQ(tables.mainDescription[200].substr(0, 10), "entry 200 ");
    EXPECT_EQ(tables.mainDescription[200].size(), 50u);
    EXPECT_EQ(tables.mainDescription[201], "");
}

TEST(LanguageLoader, GeneratedKindsTakeTwoLinesEach) {
    LanguageTables tables;
    Parse("[GENERATEDDIALOG]\n1 Greeting Says_hello\n*G hello\n"
          "-1 Other\nEOF\n"
          "x Third Explained\n/not a comment here\n",
          tables);
    const GeneratedKind* a = tables.generatedKind('A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->flags, 1);
    EXPECT_EQ(a->name, "Greeting");
    EXPECT_EQ(a->explanation, "Says hello");
    EXPECT_EQ(a->phrase, "*G hello");
    EXPECT_EQ(tables.generatedKind('B')->flags, 255);
    EXPECT_EQ(tables.generatedKind('B')->phrase, "EOF");
    EXPECT_EQ(tables.generatedKind('C')->name, "Third");
    EXPECT_EQ(tables.generatedKind('C')->phrase, "/not a comment here");
    EXPECT_EQ(tables.generatedKind('a'), nullptr);
}

TEST(LanguageLoader, YieldsCaptionAssignmentsInFileOrder) {
    LanguageTables tables;
    std::string file = "[MAINMENU]\nFile\nNew\n";
    for (int i = 2; i < 22; ++i)
        file += "m" + std::to_string(i) + "\n";
    file += "nothing at 22\nUp\n\n[CAPTIONS]\nMoves\n";
    for (int i = 1; i <= 35; ++i)
        file += "c" + std::to_string(i) + "\n";
    file += "\n[RESULTBUTTONS]\n";
    for (int i = 0; i <= 14; ++i)
        file += "r" + std::to_string(i) + "\n";
    file += "\n[RACES]\nHuman\n";
    const auto list = Parse(file, tables);
    using W = TargetWindow;
    using P = CaptionProperty;
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[0], (CaptionAssignment{W::Main, "N1", P::Caption, "File"}));
    EXPECT_EQ(list[1], (CaptionAssignment{W::Main, "N2", P::Caption, "New"}));
    EXPECT_TRUE(Has(list, {W::Main, "English1", P::Caption, "m21"}));
    EXPECT_TRUE(Has(list, {W::Main, "Nup", P::Caption, "Up"}));
    EXPECT_FALSE(std::any_of(list.begin(), list.end(),
                             [](const CaptionAssignment& a) { return a.text == "nothing at 22"; }));
    EXPECT_TRUE(Has(list, {W::Main, "GB1", P::Caption, "Moves"}));
    EXPECT_EQ(tables.captions[1], "c1");
    EXPECT_EQ(tables.captions[10], "c10");
    EXPECT_TRUE(Has(list, {W::Wizard, "DiaParamsBtn2", P::Caption, "c17"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "ResLineBox", P::ClearItems, "c20"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "ResLineBox", P::AddItem, "c24"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "TWizardForm", P::Caption, "c30"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "CopyLine12Btn", P::Hint, "c34"}));
    EXPECT_TRUE(Has(list, {W::Main, "SG", P::ColumnTitle, "c35"}));
    EXPECT_EQ(tables.fileFilter, "c31|*.dlg|c32|*.*");
    EXPECT_TRUE(Has(list, {W::Wizard, "N79", P::Caption, "r13"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "N81", P::Caption, "r13"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "N82", P::Caption, "r14"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "N90", P::Caption, "Human"}));
    EXPECT_TRUE(Has(list, {W::Wizard, "N101", P::Caption, "Human"}));
}

TEST(LanguageLoader, ReloadKeepsEntriesTheNewFileDoesNotSupply) {
    LanguageTables tables;
    Parse("[GENDER]\ng0\ng1\ng2\n\n[TEST]\naa x\nbb y\n", tables);
    Parse("[GENDER]\nh0\n\n[TEST]\ncc z\n", tables);
    EXPECT_EQ(tables.gender[0], "h0");
    EXPECT_EQ(tables.gender[2], "g2");
    EXPECT_EQ(tables.test.count(), 1);
    EXPECT_EQ(tables.test.entry(1).code, "cc");
}

TEST(LanguageLoader, LoadsByUpperCasedNameAndLeavesTablesOnFailure) {
    TempFolder folder;
    folder.write("russian.lng", "[PLAYER]\nNPC-ru\n");
    LanguageTables tables;
    std::string name = "russian.lng";
    LoadLanguage(folder.root(), name, tables);
    EXPECT_EQ(name, "RUSSIAN.LNG");
    EXPECT_EQ(tables.player[0], "NPC-ru");
    EXPECT_STREQ(LanguageMenuItem(name), "N38");

    std::string missing = "absent.lng";
    EXPECT_THROW(LoadLanguage(folder.root(), missing, tables), IoError);
    EXPECT_EQ(missing, "ABSENT.LNG");
    EXPECT_EQ(tables.player[0], "NPC-ru");
}

} // namespace
} // namespace dolmex

namespace dolmex {
namespace {

TEST(LanguageLoader, FiveHundredLinesInEverySectionStayInsideTheTables) {
    const char* sections[] = {"TEST",
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
                              "SPELLS"};
    std::string file;
    for (const char* section : sections) {
        file += std::string("[") + section + "]\r\n";
        for (int i = 0; i < 500; ++i)
            file += "w" + std::to_string(i) + " " + std::string(200, 'y') + "\r\n";
        file += "EOF\r\n";
    }
    LanguageTables tables;
    const auto assignments = ParseLanguage(file, tables);
    EXPECT_EQ(tables.test.count(), 50);
    EXPECT_EQ(tables.result.count(), 50);
    EXPECT_EQ(tables.spells[79].substr(0, 4), "w79 ");
    EXPECT_EQ(tables.colleges[16].substr(0, 4), "w15 ");
    EXPECT_EQ(tables.generatedKind('Z')->phrase.substr(0, 4), "w51 "); // pairs of lines
    EXPECT_EQ(tables.generatedKind('Z')->flags, 255);
    EXPECT_EQ(tables.skillKind[3].size(), 203u); // no width limit
    EXPECT_FALSE(assignments.empty());
}

} // namespace
} // namespace dolmex
