// The test and result editors and the response controls.

#include "WizardFixtures.h"

#include <QStringEncoder>

#include <gmock/gmock.h>

namespace dolmex::test {
namespace {

using ::testing::ElementsAre;

class EditorTest : public WizardTest {
protected:
    // Opens a player line with `field` as tests (or results) and loads item row `row`.
    void load(OpList list, const std::string& field, int row) {
        const bool tests = list == OpList::Tests;
        openLine(Line("1", "Hi", "", "5", tests ? field : "", "", tests ? "" : field));
        model.selectRow(tests ? ItemListBox::TestList : ItemListBox::ResultList, row);
        if (tests)
            model.TestListClick();
        else
            model.ResultListClick();
    }
    const std::string& field(OpList list) const {
        return cell(list == OpList::Tests ? ColTest : ColResult);
    }
    struct Editor {
        const TextBox& code;
        const TextBox& first;
        const TextBox& second;
        const ChoiceList& cb1;
        const ChoiceList& cb2;
    };
    Editor editor(OpList list) const {
        if (list == OpList::Tests)
            return {c().TEdit, c().TNumEdit1, c().TNumEdit2, c().TCB1, c().TCB2};
        return {c().REdit, c().RNumEdit1, c().RNumEdit2, c().RCB1, c().RCB2};
    }
};

std::string Cp1251(const char* utf8) {
    QStringEncoder encode("windows-1251");
    return QByteArray(encode(QString::fromUtf8(utf8))).toStdString();
}

TEST_F(EditorTest, SelectingAnItemLoadsTheEditor) {
    struct Case {
        OpList list;
        const char* item;
        const char* code;
        const char* first;
        const char* second;
        int cb1Rows, cb1Index; // rows 0: the number box is shown instead
        int cb2Rows, cb2Index;
        bool raNegated, trNegated;
    };
    constexpr OpList T = OpList::Tests, R = OpList::Results;
    const Case cases[] = {
        {T, "ra-3 ", "ra", "-3", "", 11, 2, 0, -1, true, false},
        {T, "ra0 ", "ra", "0", "", 11, -1, 0, -1, false, false},
        {T, "tr5 -1", "tr", "5", "-1", 16, 5, 4, 1, false, true},
        {T, "gf12 1", "gf", "12", "1", 0, -1, 2, 1, false, false},
        {T, "gf12 7", "gf", "12", "7", 0, -1, 2, -1, false, false},
        {T, "qu3 2", "qu", "3", "2", 0, -1, 7, 2, false, false},
        {T, "sc16 ", "sc", "16", "", 16, 15, 0, -1, false, false},
        {T, "sk20 ", "sk", "20", "", 16, -1, 0, -1, false, false},
        {T, "al 4", "al", "4", "", 0, -1, 0, -1, false, false},
        {R, "jo1 ", "jo", "1", "", 2, 1, 0, -1, false, false},
        {R, "tr5 2", "tr", "5", "2", 16, 5, 4, 2, false, false},
        {R, "qu12 3", "qu", "12", "3", 0, -1, 7, 3, false, false},
        {R, "np1 1", "np", "1", "1", 0, -1, 2, 1, false, false},
        {R, "et3 ", "et", "3", "", 16, 3, 0, -1, false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.item);
        load(k.list, k.item, 0);
        const Editor e = editor(k.list);
        EXPECT_EQ(e.code.text, k.code);
        EXPECT_EQ(e.first.text, k.first);
        EXPECT_EQ(e.second.text, k.second);
        EXPECT_EQ(static_cast<int>(e.cb1.rows.size()), k.cb1Rows);
        EXPECT_EQ(e.cb1.visible, k.cb1Rows > 0);
        EXPECT_EQ(e.first.visible, k.cb1Rows == 0);
        EXPECT_EQ(e.cb1.index, k.cb1Index);
        EXPECT_EQ(static_cast<int>(e.cb2.rows.size()), k.cb2Rows);
        EXPECT_EQ(e.cb2.visible, k.cb2Rows > 0);
        EXPECT_EQ(e.second.visible, k.cb2Rows == 0);
        EXPECT_EQ(e.cb2.index, k.cb2Index);
        EXPECT_EQ(model.FRaNegated(), k.raNegated);
        EXPECT_EQ(model.FTrNegated(), k.trNegated);
        EXPECT_EQ(field(k.list), k.item); // loading writes nothing
    }
}

TEST_F(EditorTest, ChoiceListRowsNameTheirValues) {
    load(OpList::Tests, "ra-3 ", 0);
    EXPECT_EQ(c().TCB1.rows.front(), "race1");
    load(OpList::Tests, "sc1 ", 0);
    EXPECT_EQ(c().TCB1.rows.back(), "college16");
    load(OpList::Results, "uw0 ", 0);
    EXPECT_THAT(c().RCB1.rows, ElementsAre(Cp1251("лимит харизмы"), Cp1251("без лимита")));
}

TEST_F(EditorTest, ChoosingARowRewritesTheItemInPlace) {
    struct Case {
        OpList list;
        const char* item;
        ChoiceBox box;
        int row;
        const char* expected;
    };
    constexpr OpList T = OpList::Tests, R = OpList::Results;
    const Case cases[] = {
        {T, "ra-3 ", ChoiceBox::TCB1, 4, "ra-5 "},
        {T, "ra3 ", ChoiceBox::TCB1, 0, "ra1 "},
        {T, "tr5 -1", ChoiceBox::TCB2, 2, "tr5 -2"},
        {T, "tr5 -1", ChoiceBox::TCB1, 7, "tr7 -1"},
        {T, "gf12 7", ChoiceBox::TCB2, 0, "gf12 0"},
        {T, "sc3 ", ChoiceBox::TCB1, 0, "sc1 "},
        // A list without a selection keeps its argument as it was.
        {T, "tr20 1", ChoiceBox::TCB2, 2, "tr20 2"},
        {T, "tr5 9", ChoiceBox::TCB1, 3, "tr3 9"},
        {R, "jo1 ", ChoiceBox::RCB1, 0, "jo0 "},
        {R, "tr5 2", ChoiceBox::RCB1, 7, "tr7 2"},
        {R, "qu12 3", ChoiceBox::RCB2, 5, "qu12 5"},
        {R, "tr5 9", ChoiceBox::RCB1, 3, "tr3 9"},
        {R, "tr30 1", ChoiceBox::RCB2, 3, "tr30 3"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.item) + " row " + std::to_string(k.row));
        // The item between two others, which must come through unchanged.
        const std::string before = k.list == T ? "gf1 1, " : "al1 , ";
        load(k.list, before + k.item + ",gf2 0", 1);
        model.chooseRow(k.box, k.row);
        EXPECT_EQ(field(k.list), before + k.expected + ",gf2 0");
        EXPECT_EQ((k.list == T ? c().TestList : c().ResultList).index, 1);
    }
}

TEST_F(EditorTest, EnterReplacesTheSelectedItem) {
    load(OpList::Results, "qu12 3", 0);
    model.typeText(EditBox::RNumEdit1, "13");
    model.REditKeyUp(wizard_key::kEnter);
    EXPECT_EQ(field(OpList::Results), "qu13 3");
    EXPECT_EQ(c().ResultList.index, 0);
    EXPECT_TRUE(c().REdit.allSelected);
    EXPECT_TRUE(c().RNumEdit1.allSelected);
    EXPECT_TRUE(c().RNumEdit2.allSelected);
    model.REditKeyUp(65); // other keys do nothing
    EXPECT_EQ(field(OpList::Results), "qu13 3");
}

TEST_F(EditorTest, EnterWithoutSelectionChangesNothing) {
    openLine(Line("1", "Hi", "", "5", "gf1 1", "", ""));
    model.typeText(EditBox::TEdit, "pf");
    model.typeText(EditBox::TNumEdit1, "9");
    model.TEditKeyUp(wizard_key::kEnter);
    EXPECT_EQ(field(OpList::Tests), "gf1 1");
}

TEST_F(EditorTest, RowsEditTheItemTheyDescribe) {
    // Item 1 has no row, item 2 has two: row 0 and row 2 both describe an item other
    // than "their index plus one".
    load(OpList::Tests, "zz1 ,gv7,gf1 1", 2);
    EXPECT_EQ(c().TEdit.text, "gf");
    model.typeText(EditBox::TNumEdit1, "5");
    model.TEditKeyUp(wizard_key::kEnter);
    EXPECT_EQ(field(OpList::Tests), "zz1 ,gv7,gf5 1");
    EXPECT_EQ(c().TestList.index, 2);

    model.selectRow(ItemListBox::TestList, 1);
    model.TestListKeyUp(wizard_key::kDelete);
    EXPECT_EQ(field(OpList::Tests), "zz1 ,gf5 1");
    ASSERT_EQ(c().TestList.rows.size(), 1u);
    EXPECT_EQ(c().TestList.positions, std::vector<int>{2});
    EXPECT_EQ(c().TestList.index, 0);
}

TEST_F(EditorTest, ReplacingKeepsTheTextAfterAnEmptyItem) {
    load(OpList::Tests, "gf1 1,,pf2 0", 0);
    model.typeText(EditBox::TNumEdit2, "0");
    model.TEditKeyUp(wizard_key::kEnter);
    EXPECT_EQ(field(OpList::Tests), "gf1 0,,pf2 0");
}

TEST_F(EditorTest, DeleteRemovesTheSelectedItem) {
    struct Case {
        const char* field;
        int row;
        const char* expected;
        std::vector<std::string> rows;
        int index;
    };
    const Case cases[] = {
        // The kept row keeps its old text until the next refresh.
        {"gf1 1,pf2 0", 0, "pf2 0", {"2)  pcflag 2 clear"}, 0},
        {"gf1 1,pf2 0", 1, "gf1 1", {"1)  flag 1 set"}, 0},
        {"gf1 1", 0, "", {}, -1},
        {"gf1 1,gv2,pf3 1", 1, "gf1 1,pf3 1", {"1)  flag 1 set", "3)  pcflag 3 set"}, 1},
        {"gf1 1,pf2 0,,x y", 1, "gf1 1,,x y", {"1)  flag 1 set"}, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.field) + " row " + std::to_string(k.row));
        load(OpList::Tests, k.field, k.row);
        model.TDelBtnClick();
        EXPECT_EQ(field(OpList::Tests), k.expected);
        EXPECT_EQ(c().TestList.rows, k.rows);
        EXPECT_EQ(c().TestList.index, k.index);
    }
}

TEST_F(EditorTest, DeleteWithoutSelectionChangesNothing) {
    openLine(Line("1", "Hi", "", "", "", "", "al1 "));
    model.RDelBtnClick();
    model.ResultListKeyUp(wizard_key::kDelete);
    EXPECT_EQ(field(OpList::Results), "al1 ");
}

TEST_F(EditorTest, AddAppendsTheEditedItem) {
    struct Case {
        const char* field;
        const char* code;
        const char* expected;
        int index;
    };
    const Case cases[] = {
        {"", "gf", "gf4 1", 0},
        {"al1 ", "gf", "al1 ,gf4 1", 1},
        // A code without a description gets no row, and no earlier row is selected.
        {"gf1 1", "zz", "gf1 1,zz4 1", -1},
        {"gf1 1,", "gf", "gf1 1,,gf4 1", -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.field);
        openLine(Line("1", "Hi", "", "5", k.field, "", ""));
        model.typeText(EditBox::TEdit, k.code);
        model.typeText(EditBox::TNumEdit1, "4");
        model.typeText(EditBox::TNumEdit2, "1");
        model.SpeedButton3Click();
        EXPECT_EQ(field(OpList::Tests), k.expected);
        EXPECT_EQ(c().TestList.index, k.index);
    }
    openLine(Line("1", "Hi", "", "", "", "", ""));
    model.typeText(EditBox::REdit, "lv");
    model.SpeedButton1Click();
    EXPECT_EQ(field(OpList::Results), "lv ");
}

TEST_F(EditorTest, ListKeysLoadOrDelete) {
    openLine(Line("1", "Hi", "", "5", "gf1 1,pf2 0", "", ""));
    for (int key : {wizard_key::kDown, wizard_key::kUp, wizard_key::kHome, wizard_key::kEnd,
                    wizard_key::kPageUp, wizard_key::kPageDown}) {
        model.selectRow(ItemListBox::TestList, 1);
        model.typeText(EditBox::TEdit, "");
        model.TestListKeyUp(key);
        EXPECT_EQ(c().TEdit.text, "pf") << key;
    }
    model.typeText(EditBox::TEdit, "");
    model.TestListKeyUp(65);
    EXPECT_EQ(c().TEdit.text, "");
    EXPECT_EQ(field(OpList::Tests), "gf1 1,pf2 0");
}

TEST_F(WizardTest, ResponseRowsWriteTheResponseCell) {
    openLine(Line("1", "Hi", "", "", "", "15", ""));
    model.chooseRow(ChoiceBox::ResLineBox, 1);
    EXPECT_EQ(cell(ColResponse), "0");
    EXPECT_FALSE(c().ResLineEdit.visible);
    EXPECT_EQ(c().ResLineEdit.text, "0");

    openLine(Line("1", "Hi", "", "", "", "15", ""));
    model.chooseRow(ChoiceBox::ResLineBox, 2);
    EXPECT_EQ(cell(ColResponse), "-15");
    EXPECT_TRUE(c().ResLineEdit.visible);
    model.typeText(EditBox::ResLineEdit, "16");
    EXPECT_EQ(cell(ColResponse), "-16");
    model.chooseRow(ChoiceBox::ResLineBox, 0);
    EXPECT_EQ(cell(ColResponse), "16");
    model.chooseRow(ChoiceBox::ResLineBox, 3);
    EXPECT_EQ(cell(ColResponse), "");
    EXPECT_FALSE(c().ResLineEdit.visible);
    model.chooseRow(ChoiceBox::ResLineBox, 4); // no such row
    EXPECT_EQ(cell(ColResponse), "");
    EXPECT_EQ(c().ResLineBox.index, 3);
}

} // namespace
} // namespace dolmex::test
