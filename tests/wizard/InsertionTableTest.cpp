// The insertion menus: the table against the menus it stands for, and InsertOp.

#include "WizardFixtures.h"

#include "lang/LanguageLoader.h"
#include "support/TestFiles.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <set>

namespace dolmex::test {
namespace {

using ::testing::ElementsAre;

std::set<std::string> InsertedCodes(OpList list) {
    std::set<std::string> codes;
    for (const MenuEntry& e : MenuEntries()) {
        if (e.kind == MenuEntryKind::Insert && e.list == list)
            codes.emplace(e.code);
    }
    for (const ToolBarButton& b : ToolBarButtons()) {
        if (b.skillOpener() && b.bar == list)
            codes.emplace(b.pendingCode);
    }
    return codes;
}

int Count(MenuEntryKind kind, OpList list) {
    return static_cast<int>(std::count_if(MenuEntries().begin(), MenuEntries().end(), [&](auto& e) {
        return e.kind == kind && (kind != MenuEntryKind::Insert || e.list == list);
    }));
}

TEST(InsertionTable, OffersTheCodesOfBothBars) {
    EXPECT_EQ(InsertedCodes(OpList::Tests),
              (std::set<std::string>{"$$", "al", "ar", "ch", "fo", "gf", "gv", "ha", "ia", "in",
                                     "lc", "le", "lf", "ma", "me", "na", "ni", "pa", "pe", "pf",
                                     "ps", "pv", "qa", "qb", "qu", "ra", "re", "rp", "rq", "ru",
                                     "sc", "sk", "ss", "ta", "tr", "wa", "wt"}));
    // The 34 result codes, and "so" of the NPC menu's "goes off" item.
    EXPECT_EQ(InsertedCodes(OpList::Results),
              (std::set<std::string>{"$$", "al", "ce", "co", "et", "fl", "fp", "gf", "gv",
                                     "ii", "in", "jo", "lc", "lf", "lv", "mm", "nk", "np",
                                     "or", "pf", "pv", "qu", "re", "ri", "rp", "rq", "ru",
                                     "sc", "so", "ss", "su", "tr", "uw", "wa", "xp"}));
    EXPECT_EQ(Count(MenuEntryKind::Insert, OpList::Tests), 93);
    EXPECT_EQ(Count(MenuEntryKind::Insert, OpList::Results), 59);
    EXPECT_EQ(Count(MenuEntryKind::Skill, OpList::Tests), 16);
    EXPECT_EQ(Count(MenuEntryKind::Submenu, OpList::Tests), 13);
}

TEST(InsertionTable, NamesAreUniqueAndEveryEntryHangsOnAMenu) {
    std::set<std::string_view> names, menus;
    for (const ToolBarButton& b : ToolBarButtons()) {
        EXPECT_TRUE(names.insert(b.name).second) << b.name;
        if (!b.menu.empty())
            menus.insert(b.menu);
    }
    std::map<std::string_view, int> children;
    for (const MenuEntry& e : MenuEntries()) {
        const bool directButton = e.parent.empty();
        // A direct button is both a tool button and the entry that serves it.
        EXPECT_TRUE(names.insert(e.name).second || directButton) << e.name;
        if (directButton) {
            const ToolBarButton* b = FindToolBarButton(e.name);
            ASSERT_NE(b, nullptr) << e.name;
            EXPECT_TRUE(b->menu.empty());
        } else {
            EXPECT_TRUE(menus.count(e.parent) || FindMenuEntry(e.parent)) << e.name;
            ++children[e.parent];
        }
        if (e.kind == MenuEntryKind::Insert) {
            EXPECT_EQ(e.code.size(), 2u) << e.name;
        }
        EXPECT_EQ(FindMenuEntry(e.name), &e);
    }
    for (std::string_view menu : menus)
        EXPECT_GT(children[menu], 0) << menu;
    for (const char* sub : {"Skill5", "Skill6", "Skill7", "Skill8"})
        EXPECT_EQ(children[sub], 4) << sub;
    EXPECT_EQ(FindMenuEntry("nothing"), nullptr);
}

TEST(InsertionTable, MoneyAndRaceSubmenusMirrorEachOther) {
    const auto items = [](std::string_view parent) {
        std::vector<const MenuEntry*> out;
        for (const MenuEntry& e : MenuEntries()) {
            if (e.parent == parent)
                out.push_back(&e);
        }
        return out;
    };
    const auto pc5 = items("PC5"), pc6 = items("PC6"), n1 = items("N1"), n2 = items("N2");
    ASSERT_EQ(pc5.size(), 7u);
    ASSERT_EQ(pc6.size(), 7u);
    ASSERT_EQ(n1.size(), 7u);
    ASSERT_EQ(n2.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        const int amount = std::stoi(std::string(pc5[i]->first));
        // "Less than $5" is "at most $4".
        EXPECT_EQ(pc6[i]->first, "-" + std::to_string(amount - 1));
        EXPECT_EQ(pc6[i]->fixedCaption, "$" + std::to_string(amount - 1));
        EXPECT_EQ(pc5[i]->fixedCaption, "$" + std::to_string(amount));
        EXPECT_EQ(n1[i]->first, pc5[i]->first);
        EXPECT_EQ(n2[i]->first, "-" + std::string(n1[i]->first));
        EXPECT_EQ(n2[i]->fixedCaption, n1[i]->fixedCaption);
    }
    const auto n77 = items("N77"), n78 = items("N78");
    ASSERT_EQ(n77.size(), 11u);
    ASSERT_EQ(n78.size(), 11u);
    for (int k = 1; k <= 11; ++k) {
        EXPECT_EQ(n77[k - 1]->first, std::to_string(k));
        EXPECT_EQ(n78[k - 1]->first, "-" + std::to_string(k));
        EXPECT_EQ(n77[k - 1]->captionIndex, k);
        EXPECT_EQ(n78[k - 1]->captionIndex, k);
    }
}

// The language loader decides which control a TESTBUTTONS, RESULTBUTTONS or RACES line
// captions; the table's caption sources must agree with it, line for line.
TEST(InsertionTable, CaptionSourcesAgreeWithTheLanguageLoader) {
    std::string file = "[TESTBUTTONS]\r\n";
    for (int i = 0; i < 61; ++i)
        file += "tb" + std::to_string(i) + "\r\n";
    file += "\r\n[RESULTBUTTONS]\r\n";
    for (int i = 0; i < 41; ++i)
        file += "rb" + std::to_string(i) + "\r\n";
    file += "\r\n[RACES]\r\n";
    for (int i = 1; i <= 11; ++i)
        file += "race" + std::to_string(i) + "\r\n";
    file += "\r\n[SKILLKIND]\r\nk0\r\nk1\r\nk2\r\nk3\r\n\r\n[SKILLS]\r\n";
    for (int i = 0; i < 16; ++i)
        file += "s" + std::to_string(i) + "\r\n";
    LanguageTables tables;
    const auto assignments = ParseLanguage(file, tables);
    Document doc;
    PlainEditSession session(doc);
    WizardModel model(tables, session);
    model.applyLanguage(assignments);
    model.FormActivate();

    std::set<int> testLines, resultLines;
    for (const MenuEntry& e : MenuEntries()) {
        SCOPED_TRACE(std::string(e.name));
        const std::string index = std::to_string(e.captionIndex);
        switch (e.source) {
        case CaptionSource::TestButtons:
            EXPECT_EQ(model.caption(e.name), "tb" + index);
            testLines.insert(e.captionIndex);
            break;
        case CaptionSource::ResultButtons:
            EXPECT_EQ(model.caption(e.name), "rb" + index);
            resultLines.insert(e.captionIndex);
            break;
        case CaptionSource::Races:
            EXPECT_EQ(model.caption(e.name), "race" + index);
            break;
        case CaptionSource::SkillKind:
            EXPECT_EQ(model.caption(e.name), "k" + index);
            break;
        case CaptionSource::Skills:
            EXPECT_EQ(model.caption(e.name), "s" + index);
            break;
        case CaptionSource::Fixed:
            EXPECT_EQ(model.caption(e.name), e.fixedCaption);
            break;
        case CaptionSource::None:
            EXPECT_EQ(model.caption(e.name), "");
            break;
        }
    }
    EXPECT_EQ(testLines.size(), 61u);
    EXPECT_EQ(resultLines.size(), 41u);
}

TEST(InsertionTable, ShippedLanguagesCaptionTheWizard) {
    for (const char* name : {"english.lng", "russian.lng", "russte.lng"}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadAll(std::string(DOLMEX_SOURCE_DIR) + "/lang/" + name);
        ASSERT_FALSE(bytes.empty());
        LanguageTables tables;
        const auto assignments = ParseLanguage(bytes, tables);
        Document doc;
        PlainEditSession session(doc);
        WizardModel model(tables, session);
        model.applyLanguage(assignments);
        model.FormActivate();
        EXPECT_EQ(model.controls().ResLineBox.rows.size(), 4u);
        EXPECT_EQ(model.controls().GenderBox.rows.size(), 3u);
        EXPECT_FALSE(model.caption("PCRB").empty());
        EXPECT_FALSE(model.caption("GroupBox1").empty());
        EXPECT_FALSE(model.hint("CopyLine12Btn").empty());
        for (const MenuEntry& e : MenuEntries()) {
            if (e.source != CaptionSource::None) {
                EXPECT_FALSE(model.caption(e.name).empty()) << e.name;
            }
        }
    }
}

// --- InsertOp ---------------------------------------------------------------------------------

TEST_F(WizardTest, MenuItemAppendsAndLoadsItsItem) {
    openLine(Line("1", "Hi", "", "", "", "", ""));
    ASSERT_TRUE(model.MenuItemClick("N20"));
    EXPECT_EQ(cell(ColResult), "al+1 ");
    EXPECT_THAT(c().ResultList.rows, ElementsAre("1)  alignment plus 1"));
    EXPECT_EQ(c().ResultList.index, 0);
    EXPECT_EQ(c().focus, WizardFocus::ResultList);
    EXPECT_EQ(c().REdit.text, "al");
    EXPECT_EQ(c().RNumEdit1.text, "+1");
    EXPECT_TRUE(model.FReady());
}

TEST_F(WizardTest, MenuItemsAppendAfterAComma) {
    struct Case {
        const char* tests;
        const char* results;
        std::vector<const char*> items;
        const char* expectedTests;
        const char* expectedResults;
    };
    const Case cases[] = {
        {"", "gf1 1", {"N81"}, "", "gf1 1,uw0 "},
        {"", "", {"NPC2", "ToolButton6", "N01"}, "", "lv ,fp ,np1 0"},
        {"gf1 1", "", {"N9991", "N101", "N67"}, "gf1 1,$$-999 ,ra-1 ,sc1 -1", ""},
        {"", "", {"N27", "N28", "ToolButton4"}, "", "re>1 ,re<1 ,fl1 "},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.items.front());
        openLine(Line("1", "Hi", "", "5", k.tests, "", k.results));
        for (const char* item : k.items)
            EXPECT_TRUE(model.MenuItemClick(item));
        EXPECT_EQ(cell(ColTest), k.expectedTests);
        EXPECT_EQ(cell(ColResult), k.expectedResults);
    }
}

TEST_F(WizardTest, SkillMenuUsesThePendingFieldsOfItsOpener) {
    struct Case {
        const char* opener;
        const char* skill;
        const char* expectedTests;
        const char* expectedResults;
    };
    const Case cases[] = {
        {"ToolButton12", "sk5", "tr5 -1", ""}, {"ToolButton11", "sk15", "tr15 1", ""},
        {"ToolButton14", "sk2", "sk2 -1", ""}, {"ToolButton15", "Sk0", "sk0 1", ""},
        {"RSkillBtn", "Sk0", "", "tr0 1"},     {"ToolButton8", "sk9", "", "et9 1"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.opener);
        openLine(Line("1", "Hi", "", "5", "", "", ""));
        model.ToolButtonMouseDown(k.opener);
        model.MenuItemClick(k.skill);
        EXPECT_EQ(cell(ColTest), k.expectedTests);
        EXPECT_EQ(cell(ColResult), k.expectedResults);
    }
    // The pending fields stay until another opener is pressed.
    model.MenuItemClick("sk1");
    EXPECT_EQ(cell(ColResult), "et9 1,et1 1");
    model.ToolButtonMouseDown("TBtn1"); // not an opener
    EXPECT_EQ(model.FPendingCode(), "et");
}

TEST_F(WizardTest, SkillMenuBeforeAnyOpener) {
    openLine(Line("1", "Hi", "", "5", "", "", ""));
    EXPECT_EQ(model.FPendingList(), OpList::Tests);
    model.MenuItemClick("sk3");
    EXPECT_EQ(cell(ColTest), "3 ");
}

TEST_F(WizardTest, ItemWithoutDescriptionIsWrittenButNotSelected) {
    openLine(Line("1", "Hi", "", "", "", "", "al1 "));
    model.selectRow(ItemListBox::ResultList, 0);
    model.ResultListClick();
    ASSERT_EQ(c().REdit.text, "al");
    model.MenuItemClick("NPC4"); // "so" is not in these tables
    EXPECT_EQ(cell(ColResult), "al1 ,so ");
    EXPECT_EQ(c().ResultList.rows.size(), 1u);
    EXPECT_EQ(c().ResultList.index, -1);
    EXPECT_EQ(c().REdit.text, "al"); // nothing loaded
}

TEST_F(WizardTest, SubmenusAndUnknownNamesInsertNothing) {
    openLine(Line("1", "Hi", "", "5", "", "", ""));
    EXPECT_TRUE(model.MenuItemClick("PC5"));
    EXPECT_TRUE(model.MenuItemClick("Skill6"));
    EXPECT_FALSE(model.MenuItemClick("TBtn1"));
    EXPECT_FALSE(model.MenuItemClick("N999"));
    EXPECT_EQ(cell(ColTest), "");
    EXPECT_EQ(cell(ColResult), "");
}

} // namespace
} // namespace dolmex::test
