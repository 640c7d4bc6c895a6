// Line kind, texts and generated-line controls, gender and intelligence.

#include "WizardFixtures.h"

#include <gmock/gmock.h>

namespace dolmex::test {
namespace {

TEST_F(WizardTest, SwitchingToPlayerDiscardsTextsAndWritesIntelligence) {
    for (const char* caption : {"MIN", "MAX"}) {
        SCOPED_TRACE(caption);
        openLine(Line("1", "B:x", "Other", "", "", "", ""));
        if (c().IntBtn.caption != caption)
            model.IntBtnClick();                  // on an NPC line only the caption matters here
        model.SGSetEditText(ColIntelligence, ""); // back to an NPC line, caption kept
        ASSERT_EQ(c().IntBtn.caption, caption);
        model.PCRBClick(true);
        EXPECT_EQ(cell(ColText), "");
        EXPECT_EQ(cell(ColGender), "");
        EXPECT_EQ(cell(ColIntelligence), std::string(caption) == "MAX" ? "-1" : "1");
        EXPECT_FALSE(c().DiaBtn1.down);
        EXPECT_EQ(c().LineEdit1.text, "");
        EXPECT_EQ(c().GenderBox.index, 0);
        EXPECT_TRUE(c().GenderBox.visible);
        EXPECT_TRUE(c().IntTrack.visible);
        EXPECT_FALSE(c().LineEdit2.visible);
        EXPECT_THAT(c().CBL1.rows, ::testing::Contains("D: - Dare"));
    }
}

TEST_F(WizardTest, SwitchingToNpcEmptiesTextGenderAndIntelligence) {
    openLine(Line("1", "Hi", "1", "-7", "gf1 1", "5", ""));
    model.PCRBClick(false);
    EXPECT_EQ(model.workingRow(), Line("1", "", "", "", "gf1 1", "5", ""));
    EXPECT_TRUE(c().LineEdit2.visible);
    EXPECT_FALSE(c().IntBtn.visible);
}

TEST_F(WizardTest, ClickingTheCheckedKindChangesNothing) {
    openLine(Line("1", "Hi", "1", "7", "", "", ""));
    model.PCRBClick(true);
    EXPECT_EQ(cell(ColText), "Hi");
    EXPECT_EQ(cell(ColGender), "1");
}

TEST_F(WizardTest, TypingWritesTheTextWithItsKindPrefix) {
    struct Case {
        const char* text;
        bool pressToggle;
        int kindRow;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"Hello", false, -1, "Bye", "Bye"},
        {"Hello", true, 1, "x y", "B:x y"}, // press DiaBtn1, choose B, type
        {"B:old", false, -1, "new", "B:new"},
        // A kind the list does not show keeps its prefix when the parameters change.
        {"E:5", false, -1, "6", "E:6"},
        {"b:5", false, -1, "6", "b:6"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        openLine(Line("1", k.text, "", "", "", "", ""));
        if (k.pressToggle) {
            model.DiaBtn1Click();
            EXPECT_EQ(cell(ColText), "A:");
            model.chooseRow(ChoiceBox::CBL1, k.kindRow);
            EXPECT_EQ(cell(ColText), "B:");
            EXPECT_TRUE(c().LineEdit1.visible); // B takes parameters
        }
        model.typeText(EditBox::LineEdit1, k.typed);
        EXPECT_EQ(cell(ColText), k.expected);
    }
}

TEST_F(WizardTest, ChoosingTheShownKindKeepsTheParameters) {
    openLine(Line("1", "B:x y", "", "", "", "", ""));
    model.chooseRow(ChoiceBox::CBL1, 1);
    EXPECT_EQ(cell(ColText), "B:x y");
    EXPECT_EQ(c().LineEdit1.text, "x y");
}

TEST_F(WizardTest, KindWithoutParametersHidesTheTextBox) {
    openLine(Line("1", "B:x", "", "", "", "", ""));
    model.chooseRow(ChoiceBox::CBL1, 2); // C takes no parameters
    EXPECT_EQ(cell(ColText), "C:");
    EXPECT_EQ(c().LineEdit1.text, "");
    EXPECT_FALSE(c().DiaParamsBtn1.enabled);
    EXPECT_FALSE(c().LineEdit1.visible);
}

TEST_F(WizardTest, ReleasingTheKindToggleKeepsThePrefixUntilTyping) {
    openLine(Line("1", "B:x", "", "", "", "", ""));
    model.DiaBtn1Click();
    EXPECT_FALSE(c().DiaBtn1.down);
    EXPECT_FALSE(c().CBL1.visible);
    EXPECT_EQ(cell(ColText), "B:");
    EXPECT_TRUE(c().LineEdit1.visible);
    model.typeText(EditBox::LineEdit1, "plain");
    EXPECT_EQ(cell(ColText), "plain");
}

TEST_F(WizardTest, SecondTextFollowsItsOwnToggle) {
    openLine(Line("1", "Hi", "", "", "", "", ""));
    model.DiaBtn2Click();
    model.chooseRow(ChoiceBox::CBL2, 0);
    model.typeText(EditBox::LineEdit2, "1,2");
    EXPECT_EQ(cell(ColGender), "A:1,2");
    EXPECT_EQ(cell(ColText), "Hi");
    EXPECT_EQ(c().LineEdit2.left, 296);
}

TEST_F(WizardTest, CopyButtonsCopyTextAndKind) {
    struct Case {
        const char* text;
        const char* gender;
        bool oneToTwo;
        const char* expectedText;
        const char* expectedGender;
    };
    const Case cases[] = {
        {"B:x", "", true, "B:x", "B:x"},
        {"Hi", "A:1", false, "A:1", "A:1"},
        {"Hi", "", true, "Hi", "Hi"},
        // Plain text into a box whose toggle is down: the copy is plain too.
        {"Hi", "A:1", true, "Hi", "Hi"},
        {"C:", "Yo", false, "Yo", "Yo"},
        // The same parameters but another kind: the cell still changes.
        {"B:x", "A:x", true, "B:x", "B:x"},
        // A kind the list cannot show travels with its prefix.
        {"E:5", "", true, "E:5", "E:5"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.text) + " / " + k.gender);
        openLine(Line("1", k.text, k.gender, "", "", "", ""));
        if (k.oneToTwo)
            model.CopyLine12BtnClick();
        else
            model.CopyLine21BtnClick();
        EXPECT_EQ(cell(ColText), k.expectedText);
        EXPECT_EQ(cell(ColGender), k.expectedGender);
    }
}

TEST_F(WizardTest, CopiedKindIsSelectedInTheOtherList) {
    openLine(Line("1", "B:x", "", "", "", "", ""));
    model.CopyLine12BtnClick();
    EXPECT_TRUE(c().DiaBtn2.down);
    EXPECT_EQ(c().CBL2.shown(), "B: - Barter");
    EXPECT_TRUE(c().CBL2.visible);
    EXPECT_EQ(c().LineEdit2.text, "x");
}

TEST_F(WizardTest, GenderRowsWriteTheGenderCell) {
    openLine(Line("1", "Hi", "5", "3", "", "", ""));
    const std::pair<int, const char*> cases[] = {{2, "1"}, {1, "0"}, {0, ""}};
    for (const auto& [row, expected] : cases) {
        model.chooseRow(ChoiceBox::GenderBox, row);
        EXPECT_EQ(cell(ColGender), expected);
    }
}

TEST_F(WizardTest, IntelligenceButtonSwitchesSign) {
    openLine(Line("1", "Hi", "", "8", "", "", ""));
    model.IntBtnClick();
    EXPECT_EQ(c().IntBtn.caption, "MAX");
    EXPECT_EQ(cell(ColIntelligence), "-8");
    model.IntBtnClick();
    EXPECT_EQ(c().IntBtn.caption, "MIN");
    EXPECT_EQ(cell(ColIntelligence), "8");
}

TEST_F(WizardTest, TypedIntelligenceIsKeptWithinTheTrackBar) {
    struct Case {
        const char* in;
        const char* typed;
        int position;
        const char* expected;
    };
    const Case cases[] = {{"5", "0", 1, "1"}, {"-5", "0", 1, "-1"},    {"5", "35", 20, "20"},
                          {"5", "x", 1, "1"}, {"-5", "12", 12, "-12"}, {"5", "", 1, "1"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.in) + " <- " + k.typed);
        openLine(Line("1", "Hi", "", k.in, "", "", ""));
        model.typeText(EditBox::IntEdit, k.typed);
        EXPECT_EQ(c().IntTrack.position, k.position);
        EXPECT_EQ(c().IntEdit.text, k.typed); // the box is not corrected
        EXPECT_EQ(cell(ColIntelligence), k.expected);
    }
}

TEST_F(WizardTest, TrackBarWritesThroughTheTextBox) {
    openLine(Line("1", "Hi", "", "-3", "", "", ""));
    model.moveTrack(17);
    EXPECT_EQ(c().IntEdit.text, "17");
    EXPECT_EQ(cell(ColIntelligence), "-17");
    model.moveTrack(99);
    EXPECT_EQ(c().IntTrack.position, 20);
    EXPECT_EQ(cell(ColIntelligence), "-20");
}

TEST_F(WizardTest, PresetZonesToggleBetweenTheirEnds) {
    struct Case {
        void (WizardModel::*zone)();
        std::vector<int> positions;
    };
    const Case cases[] = {{&WizardModel::Shape1MouseUp, {4, 1, 4}},
                          {&WizardModel::Shape2MouseUp, {5, 15, 5}},
                          {&WizardModel::Shape3MouseUp, {20, 20}}};
    for (const Case& k : cases) {
        openLine(Line("1", "Hi", "", "9", "", "", ""));
        for (int expected : k.positions) {
            (model.*k.zone)();
            EXPECT_EQ(c().IntTrack.position, expected);
            EXPECT_EQ(cell(ColIntelligence), std::to_string(expected));
        }
    }
}

TEST_F(WizardTest, FillingTheControlsNeverWritesBack) {
    // A line whose cells the controls would normalise if their change handlers ran.
    const DialogLine line = Line("1", "E:5", "7", "35", "gf1 1", "-x", "al>2");
    openLine(line);
    model.Text2Form();
    EXPECT_EQ(model.workingRow(), line);
}

} // namespace
} // namespace dolmex::test
