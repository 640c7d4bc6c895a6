#pragma once

// The state of the line wizard's controls, one member per control, named as the window
// names its widgets. Texts are bytes as in the dialog file; the window converts them for
// display. The window reads this state after every call into the model and paints it.

#include <string>
#include <vector>

namespace dolmex {

struct TextBox {
    std::string text;
    bool visible = true;
    bool enabled = true;
    // The whole text is selected, so the next typing replaces it.
    bool allSelected = false;
    int maxLength = 0; // 0: no limit; the window limits what the user types
    // Horizontal placement in pixels at 100% scaling (only LineEdit1 and LineEdit2 move).
    int left = 0;
    int right = 0;
};

// A drop-down choice list or a list box.
struct ChoiceList {
    std::vector<std::string> rows;
    int index = -1; // the selected row, -1 for none
    bool visible = true;
    bool enabled = true;
    // What row 0 stands for, when the rows name numbers (the races start at 1).
    int offset = 0;

    const std::string& shown() const {
        static const std::string none;
        return index >= 0 && index < static_cast<int>(rows.size())
                   ? rows[static_cast<std::size_t>(index)]
                   : none;
    }
};

// TestList and ResultList: besides the rows, the position of the item (1-based, in its
// cell) that each row describes. Rows and items do not correspond one to one: an item
// whose code the language file lacks has no row, one whose code it lists twice has two.
struct OperationList : ChoiceList {
    std::vector<int> positions;

    int selectedPosition() const {
        return index >= 0 && index < static_cast<int>(positions.size())
                   ? positions[static_cast<std::size_t>(index)]
                   : 0;
    }
};

// Buttons, toggle buttons (`down`) and radio buttons (`down` = checked).
struct Button {
    std::string caption; // only IntBtn's caption is state; the others come from the language
    bool visible = true;
    bool enabled = true;
    bool down = false;
};

struct TrackBar {
    static constexpr int kMin = 1;
    static constexpr int kMax = 20;
    int position = kMin;
    bool visible = true;
};

// Labels and the coloured zones under the track bar: only their visibility changes.
struct Decoration {
    bool visible = true;
};

enum class WizardFocus { None, TestList, ResultList };

struct WizardControls {
    // Line kind.
    Button PCRB{{}, true, true, true};
    Button NPCRB;

    // Texts and generated lines.
    TextBox LineEdit1;
    TextBox LineEdit2;
    Button DiaBtn1;
    Button DiaBtn2;
    ChoiceList CBL1;
    ChoiceList CBL2;
    Button DiaParamsBtn1;
    Button DiaParamsBtn2;
    Button CopyLine21Btn;
    Button CopyLine12Btn;

    // Gender and intelligence of player lines.
    ChoiceList GenderBox;
    Button IntBtn{"MIN"};
    TextBox IntEdit;
    TrackBar IntTrack;
    Decoration Shape1, Shape2, Shape3;
    Decoration Label1, Label2, Label3;

    // Test editor.
    OperationList TestList;
    TextBox TEdit;
    TextBox TNumEdit1;
    ChoiceList TCB1;
    TextBox TNumEdit2;
    ChoiceList TCB2;

    // Result editor and response.
    OperationList ResultList;
    TextBox REdit;
    TextBox RNumEdit1;
    ChoiceList RCB1;
    TextBox RNumEdit2;
    ChoiceList RCB2;
    ChoiceList ResLineBox;
    TextBox ResLineEdit;

    WizardFocus focus = WizardFocus::None;

    WizardControls();
};

} // namespace dolmex
