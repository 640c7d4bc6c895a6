#include "WizardBindings.h"

#include <array>

namespace dolmex {

namespace {

using C = WizardControls;
using M = WizardModel;

const auto kBindings = std::to_array<ControlBinding>({
    // Apply buttons.
    {"SpeedButton5", PushButton{nullptr, &M::SpeedButton5Click}},
    {"SpeedButton6", PushButton{nullptr, &M::SpeedButton6Click}},
    {"SpeedButton7", PushButton{nullptr, &M::SpeedButton7Click}},
    {"SpeedButton4", PushButton{nullptr, &M::SpeedButton4Click}},
    {"SpeedButton2", PushButton{nullptr, &M::SpeedButton2Click}},

    // Line kind.
    {"PCRB", KindButton{&C::PCRB, true}},
    {"NPCRB", KindButton{&C::NPCRB, false}},

    // Texts and generated lines.
    {"LineEdit1", TextEdit{&C::LineEdit1, EditBox::LineEdit1}},
    {"LineEdit2", TextEdit{&C::LineEdit2, EditBox::LineEdit2}},
    {"DiaBtn1", PushButton{&C::DiaBtn1, &M::DiaBtn1Click}},
    {"DiaBtn2", PushButton{&C::DiaBtn2, &M::DiaBtn2Click}},
    {"CBL1", DropDown{&C::CBL1, ChoiceBox::CBL1}},
    {"CBL2", DropDown{&C::CBL2, ChoiceBox::CBL2}},
    {"DiaParamsBtn1", PushButton{&C::DiaParamsBtn1, nullptr}},
    {"DiaParamsBtn2", PushButton{&C::DiaParamsBtn2, nullptr}},
    {"CopyLine21Btn", PushButton{&C::CopyLine21Btn, &M::CopyLine21BtnClick}},
    {"CopyLine12Btn", PushButton{&C::CopyLine12Btn, &M::CopyLine12BtnClick}},
    // The other-gender label goes with its row, which player lines do not have.
    {"Label5", RowLabel{&C::DiaBtn2}},

    // Gender and intelligence of player lines.
    {"GenderBox", DropDown{&C::GenderBox, ChoiceBox::GenderBox, 3}},
    {"IntBtn", PushButton{&C::IntBtn, &M::IntBtnClick, true}},
    {"IntEdit", TextEdit{&C::IntEdit, EditBox::IntEdit}},
    {"IntTrack", Track{&C::IntTrack}},
    {"Shape1", Zone{&C::Shape1, &M::Shape1MouseUp}},
    {"Shape2", Zone{&C::Shape2, &M::Shape2MouseUp}},
    {"Shape3", Zone{&C::Shape3, &M::Shape3MouseUp}},
    {"Label1", Label{&C::Label1}},
    {"Label2", Label{&C::Label2}},
    {"Label3", Label{&C::Label3}},

    // Test editor.
    {"TestList",
     ItemList{&C::TestList, ItemListBox::TestList, &M::TestListClick, &M::TestListKeyUp}},
    {"TEdit", TextEdit{&C::TEdit, EditBox::TEdit, &M::TEditKeyUp}},
    {"TNumEdit1", TextEdit{&C::TNumEdit1, EditBox::TNumEdit1, &M::TEditKeyUp}},
    {"TCB1", DropDown{&C::TCB1, ChoiceBox::TCB1}},
    {"TNumEdit2", TextEdit{&C::TNumEdit2, EditBox::TNumEdit2, &M::TEditKeyUp}},
    {"TCB2", DropDown{&C::TCB2, ChoiceBox::TCB2}},
    {"SpeedButton3", PushButton{nullptr, &M::SpeedButton3Click}},
    {"TDelBtn", PushButton{nullptr, &M::TDelBtnClick}},

    // Result editor and response.
    {"ResultList",
     ItemList{&C::ResultList, ItemListBox::ResultList, &M::ResultListClick, &M::ResultListKeyUp}},
    {"REdit", TextEdit{&C::REdit, EditBox::REdit, &M::REditKeyUp}},
    {"RNumEdit1", TextEdit{&C::RNumEdit1, EditBox::RNumEdit1, &M::REditKeyUp}},
    {"RCB1", DropDown{&C::RCB1, ChoiceBox::RCB1}},
    {"RNumEdit2", TextEdit{&C::RNumEdit2, EditBox::RNumEdit2, &M::REditKeyUp}},
    {"RCB2", DropDown{&C::RCB2, ChoiceBox::RCB2}},
    {"SpeedButton1", PushButton{nullptr, &M::SpeedButton1Click}},
    {"RDelBtn", PushButton{nullptr, &M::RDelBtnClick}},
    {"ResLineBox", DropDown{&C::ResLineBox, ChoiceBox::ResLineBox, 4}},
    {"ResLineEdit", TextEdit{&C::ResLineEdit, EditBox::ResLineEdit}},
});

} // namespace

std::span<const ControlBinding> ControlBindings() {
    return kBindings;
}

} // namespace dolmex
