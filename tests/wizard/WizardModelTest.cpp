// Filling the controls from the working row, the layout, and the apply commands.

#include "WizardFixtures.h"

#include "core/TextFields.h"

#include <gmock/gmock.h>

namespace dolmex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(WizardTest, PlainNpcLineFillsTheControls) {
    openLine(Line("10", "Hello", "", "", "", "20", ""));
    EXPECT_TRUE(c().NPCRB.down);
    EXPECT_FALSE(c().PCRB.down);
    EXPECT_EQ(c().LineEdit1.text, "Hello");
    EXPECT_EQ(c().LineEdit2.text, "");
    EXPECT_TRUE(c().LineEdit2.visible);
    EXPECT_THAT(c().TestList.rows, IsEmpty());
    EXPECT_THAT(c().ResultList.rows, IsEmpty());
    EXPECT_EQ(c().ResLineBox.index, 0);
    EXPECT_EQ(c().ResLineEdit.text, "20");
    EXPECT_TRUE(c().ResLineEdit.visible);
    EXPECT_TRUE(model.FReady());
    // Filling wrote nothing back.
    EXPECT_EQ(model.workingRow(), Line("10", "Hello", "", "", "", "20", ""));
}

TEST_F(WizardTest, IntelligenceCellSetsButtonAndTrackBar) {
    struct Case {
        const char* cell;
        const char* caption;
        int position;
        const char* edit;
    };
    const Case cases[] = {
        {"-8", "MAX", 8, "8"},   {"8", "MIN", 8, "8"}, {"0", "MAX", 1, "1"},
        {"25", "MIN", 20, "20"}, {"x", "MAX", 1, "1"}, {"-2147483648", "MAX", 20, "20"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.cell);
        openLine(Line("1", "Hi", "", k.cell, "", "", ""));
        EXPECT_TRUE(c().PCRB.down);
        EXPECT_EQ(c().IntBtn.caption, k.caption);
        EXPECT_EQ(c().IntTrack.position, k.position);
        EXPECT_EQ(c().IntEdit.text, k.edit);
        EXPECT_EQ(cell(ColIntelligence), k.cell);
    }
}

TEST_F(WizardTest, GenderCellSelectsGenderRow) {
    const std::pair<const char*, int> cases[] = {{"", 0},  {"0", 1},  {"1", 2},
                                                 {"5", 2}, {"-3", 0}, {"x", 0}};
    for (const auto& [gender, row] : cases) {
        SCOPED_TRACE(gender);
        openLine(Line("1", "Hi", gender, "5", "", "", ""));
        EXPECT_EQ(c().GenderBox.index, row);
        EXPECT_EQ(c().LineEdit2.text, "");
        EXPECT_EQ(cell(ColGender), gender); // shown, not rewritten
    }
}

TEST_F(WizardTest, ResponseCellSelectsResponseRow) {
    struct Case {
        const char* cell;
        int row;
        const char* edit;
        bool editVisible;
    };
    const Case cases[] = {{"12", 0, "12", true},
                          {"0", 1, "0", false},
                          {"-12", 2, "12", true},
                          {"abc", 2, "1", true},
                          {"", 3, nullptr, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.cell);
        openLine(Line("1", "Hi", "", "", "", k.cell, ""));
        EXPECT_EQ(c().ResLineBox.index, k.row);
        if (k.edit) {
            EXPECT_EQ(c().ResLineEdit.text, k.edit);
        }
        EXPECT_EQ(c().ResLineEdit.visible, k.editVisible);
        EXPECT_EQ(cell(ColResponse), k.cell);
    }
}

TEST_F(WizardTest, OperationListsNumberRowsByItemPosition) {
    struct Case {
        const char* tests;
        std::vector<std::string> rows;
        std::vector<int> positions;
    };
    const Case cases[] = {
        // 'zz' has no description: no row, but the numbering keeps counting.
        {"gf1 1,zz3,pf2 0", {"1)  flag 1 set", "3)  pcflag 2 clear"}, {1, 3}},
        // Reading stops at the first empty item.
        {"gf1 1,,pf2 0", {"1)  flag 1 set"}, {1}},
        // A code listed twice gives two rows for one item.
        {"gv 7", {"1)  var 7", "1)  var again 7"}, {1, 1}},
        {" gf 4 0, g", {"1)  flag 4 clear"}, {1}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.tests);
        openLine(Line("1", "Hi", "", "3", k.tests, "", ""));
        EXPECT_EQ(c().TestList.rows, k.rows);
        EXPECT_EQ(c().TestList.positions, k.positions);
        EXPECT_EQ(c().TestList.index, -1);
    }
}

TEST_F(WizardTest, ResultListReadsResultArgumentKinds) {
    openLine(Line("1", "Hi", "", "", "", "", "al>7,al<7,al+2,alx,gf3 1"));
    EXPECT_THAT(c().ResultList.rows, ElementsAre("1)  alignment above 7", "2)  alignment below 7",
                                                 "3)  alignment plus 2", "4)  alignment other 1",
                                                 "5)  set flag 3 to 1"));
}

TEST_F(WizardTest, GeneratedTextSelectsItsKind) {
    struct Case {
        const char* text;
        const char* intelligence;
        bool down;
        int kindRow;
        const char* shownText;
        bool params;
    };
    const Case cases[] = {
        // NPC kinds: A, B, C. Player kinds: B, C, D, E.
        {"B:x y", "", true, 1, "x y", true},
        {"C:", "", true, 2, "", false},
        {"E:5", "3", true, 3, "5", true},
        {"hello", "", false, 0, "hello", false},
        // A player-only kind on an NPC line: not in the list, but still a generated line.
        {"E:5", "", true, -1, "5", true},
        {"1:5", "", true, -1, "5", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        openLine(Line("1", k.text, "", k.intelligence, "", "", ""));
        EXPECT_EQ(c().DiaBtn1.down, k.down);
        if (k.down) {
            EXPECT_EQ(c().CBL1.index, k.kindRow);
            EXPECT_EQ(c().DiaParamsBtn1.enabled, k.params);
        }
        EXPECT_EQ(c().LineEdit1.text, k.shownText);
        EXPECT_EQ(c().CBL1.visible, k.down);
        EXPECT_EQ(c().LineEdit1.visible, !k.down || k.params);
        EXPECT_EQ(c().LineEdit1.left, k.down ? 296 : 56);
        EXPECT_EQ(cell(ColText), k.text);
    }
}

TEST_F(WizardTest, ShortTextAfterGeneratedLineIsPlain) {
    openOn({Line("1", "B:x", "", "", "", "", ""), Line("2", "", "", "", "", "", "")});
    ASSERT_TRUE(c().DiaBtn1.down);
    model.SpeedButton2Click();
    EXPECT_FALSE(c().DiaBtn1.down);
    EXPECT_FALSE(c().CBL1.visible);
    model.typeText(EditBox::LineEdit1, "Hi");
    EXPECT_EQ(cell(ColText), "Hi");
}

TEST_F(WizardTest, KindListsFollowLineKind) {
    openLine(Line("1", "Hi", "", "", "", "", ""));
    EXPECT_THAT(c().CBL1.rows, ElementsAre("A: - Areas", "B: - Barter", "C: - Chat"));
    EXPECT_EQ(c().CBL2.rows, c().CBL1.rows);
    EXPECT_EQ(c().CBL1.index, 0);
    openLine(Line("1", "Hi", "", "1", "", "", ""));
    EXPECT_THAT(c().CBL1.rows, ElementsAre("B: - Barter", "C: - Chat", "D: - Dare", "E: - Echo"));
}

TEST_F(WizardTest, LayoutOfNpcAndPlayerLines) {
    openLine(Line("1", "B:x", "A:y", "", "", "", ""));
    EXPECT_TRUE(c().CopyLine12Btn.visible);
    EXPECT_TRUE(c().DiaBtn2.visible);
    EXPECT_TRUE(c().CBL2.visible);
    EXPECT_FALSE(c().IntTrack.visible);
    EXPECT_FALSE(c().Shape1.visible);
    EXPECT_FALSE(c().GenderBox.visible);
    EXPECT_EQ(c().LineEdit1.right, 569);
    EXPECT_EQ(c().LineEdit2.left, 296);

    openLine(Line("1", "Hi", "1", "5", "", "", ""));
    EXPECT_FALSE(c().CopyLine21Btn.visible);
    EXPECT_FALSE(c().LineEdit2.visible);
    EXPECT_FALSE(c().DiaBtn2.visible);
    EXPECT_FALSE(c().CBL2.visible);
    EXPECT_TRUE(c().Label3.visible);
    EXPECT_TRUE(c().IntBtn.visible);
    EXPECT_EQ(c().LineEdit1.right, 601);
    EXPECT_EQ(c().LineEdit1.left, 56);
}

TEST_F(WizardTest, GridEditRefillsControls) {
    openLine(Line("1", "Hi", "", "", "", "", ""));
    model.SGSetEditText(ColIntelligence, "7");
    EXPECT_TRUE(c().PCRB.down);
    EXPECT_EQ(c().IntTrack.position, 7);
    model.SGSetEditText(42, "x"); // no such column
    EXPECT_EQ(cell(ColIntelligence), "7");
}

// --- Apply commands -----------------------------------------------------------------------

class ApplyTest : public WizardTest {
protected:
    void SetUp() override {
        openOn({Line("10", "One", "", "", "", "", "", "// first"),
                Line("20", "Two", "", "", "", "", ""), Line("120", "Three", "", "", "", "", "")},
               2);
    }
    DialogLine stored(int row) const { return doc.store().line(row); }
};

TEST_F(ApplyTest, OpeningCopiesAllEightCells) {
    model.open(1);
    model.FormActivate();
    EXPECT_EQ(model.workingRow(), Line("10", "One", "", "", "", "", "", "// first"));
}

TEST_F(ApplyTest, ApplyWritesTheWholeRowAndMarksModified) {
    model.typeText(EditBox::LineEdit1, "Changed");
    EXPECT_EQ(stored(2)[ColText], "Two");
    model.SpeedButton6Click();
    EXPECT_EQ(stored(2), Line("20", "Changed", "", "", "", "", ""));
    EXPECT_TRUE(doc.isModified());
    EXPECT_THAT(host.applied, ElementsAre(2));
    EXPECT_EQ(host.closeRequests, 0);
}

TEST_F(ApplyTest, OkAppliesAndCloses) {
    model.typeText(EditBox::LineEdit1, "Changed");
    model.SpeedButton5Click();
    EXPECT_EQ(stored(2)[ColText], "Changed");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(host.closeRequests, 1);
}

TEST_F(ApplyTest, RevertReloadsTheStoredRow) {
    model.typeText(EditBox::LineEdit1, "Changed");
    model.SpeedButton7Click();
    EXPECT_EQ(cell(ColText), "Two");
    EXPECT_EQ(c().LineEdit1.text, "Two");
    EXPECT_FALSE(doc.isModified());
}

TEST_F(ApplyTest, ClosingWithoutApplyLeavesTheStore) {
    model.typeText(EditBox::LineEdit1, "Changed");
    model.open(2); // the next opening starts from the store
    model.FormActivate();
    EXPECT_EQ(stored(2)[ColText], "Two");
    EXPECT_EQ(c().LineEdit1.text, "Two");
    EXPECT_FALSE(doc.isModified());
}

TEST_F(ApplyTest, ApplyAndPreviousMovesUpButNotPastTheFirstRow) {
    model.typeText(EditBox::LineEdit1, "Changed");
    model.FormKeyUp(wizard_key::kLeft);
    EXPECT_EQ(stored(2)[ColText], "Changed");
    EXPECT_EQ(model.currentRow(), 1);
    EXPECT_EQ(c().LineEdit1.text, "One");
    model.typeText(EditBox::LineEdit1, "First");
    model.SpeedButton4Click();
    EXPECT_EQ(model.currentRow(), 1);
    EXPECT_EQ(stored(1)[ColText], "First");
    EXPECT_EQ(c().LineEdit1.text, "First");
    EXPECT_THAT(host.applied, ElementsAre(1, 1));
}

TEST_F(ApplyTest, ApplyAndNextAppendsANumberedRowAtTheEnd) {
    model.FormKeyUp(wizard_key::kRight);
    EXPECT_EQ(model.currentRow(), 3);
    EXPECT_EQ(doc.store().dataRowCount(), 3);
    model.SpeedButton2Click();
    EXPECT_EQ(model.currentRow(), 4);
    ASSERT_EQ(doc.store().dataRowCount(), 4);
    EXPECT_EQ(stored(4), Line("121", "", "", "", "", "", ""));
    EXPECT_EQ(model.workingRow(), stored(4));
    EXPECT_THAT(host.applied, ElementsAre(3, 4));
}

TEST_F(WizardTest, ApplyAndNextNumbersAfterTheLastNumberCell) {
    const std::pair<const char*, const char*> cases[] = {
        {"x", "0"}, {"", "0"}, {"2147483647", "2147483648"}, {"-5", "-4"}};
    for (const auto& [last, next] : cases) {
        SCOPED_TRACE(last);
        openLine(Line(last, "", "", "", "", "", ""));
        model.SpeedButton2Click();
        EXPECT_EQ(doc.store().cell(2, ColNumber), next);
    }
}

TEST_F(WizardTest, OtherKeysDoNotApply) {
    openLine(Line("1", "Hi", "", "", "", "", ""));
    model.FormKeyUp(wizard_key::kUp);
    model.FormKeyUp(wizard_key::kEnter);
    EXPECT_FALSE(doc.isModified());
    EXPECT_THAT(host.applied, IsEmpty());
}

TEST_F(WizardTest, ApplyAfterTheStoreShrankWritesTheLastRow) {
    openOn({Line("1", "a", "", "", "", "", ""), Line("2", "b", "", "", "", "", "")}, 2);
    doc.store().removeLines(2, 1);
    model.SpeedButton6Click();
    EXPECT_EQ(doc.store().dataRowCount(), 1);
    EXPECT_EQ(doc.store().cell(1, ColText), "b");
}

} // namespace
} // namespace dolmex::test
