#pragma once

// Every control of the line wizard that the model knows, declared once: the object name of its
// widget in TWizardForm.ui, where its state lies in WizardControls, and what the user's action
// on it calls in the model. The window walks this table to connect its widgets, to paint them
// after each call and to route their key and mouse events; nowhere else names them.

#include "WizardModel.h"

#include <span>
#include <variant>

namespace dolmex {

using ModelHandler = void (WizardModel::*)();
using KeyHandler = void (WizardModel::*)(int key);

// A push button: a click runs `click`. Without `state` the button only acts (the apply and the
// add and delete buttons); with `modelCaption` its caption is the model's, not the language's.
struct PushButton {
    Button WizardControls::*state;
    ModelHandler click;
    bool modelCaption = false;
};

// PCRB and NPCRB: a click chooses the line kind; the arrow keys never do.
struct KindButton {
    Button WizardControls::*state;
    bool player;
};

// A text box: typing goes to typeText, the release of a key to `keyUp` when set.
struct TextEdit {
    TextBox WizardControls::*state;
    EditBox box;
    KeyHandler keyUp = nullptr;
};

// A drop-down list: choosing goes to chooseRow. It shows at least `atLeast` rows, blank ones
// standing for rows the language file left out.
struct DropDown {
    ChoiceList WizardControls::*state;
    ChoiceBox box;
    int atLeast = 0;
};

// TestList and ResultList: moving the selection goes to selectRow, then a click to `click`
// and the release of a key to `keyUp`.
struct ItemList {
    OperationList WizardControls::*state;
    ItemListBox box;
    ModelHandler click;
    KeyHandler keyUp;
};

// The intelligence track bar: dragging goes to moveTrack.
struct Track {
    TrackBar WizardControls::*state;
};

// A coloured zone under the track bar: releasing the mouse on it runs `mouseUp`.
struct Zone {
    Decoration WizardControls::*state;
    ModelHandler mouseUp;
};

// A label that the model shows and hides.
struct Label {
    Decoration WizardControls::*state;
};

// A label shown with the row of button `state` (the other-gender text's label).
struct RowLabel {
    Button WizardControls::*state;
};

using ControlKind = std::variant<PushButton, KindButton, TextEdit, DropDown, ItemList, Track, Zone,
                                 Label, RowLabel>;

struct ControlBinding {
    const char* name;
    ControlKind kind;
};

// In the order the window paints them.
std::span<const ControlBinding> ControlBindings();

// `binding`'s control when it is a `Kind`, else null (as for no binding).
template <typename Kind> const Kind* BoundAs(const ControlBinding* binding) {
    return binding ? std::get_if<Kind>(&binding->kind) : nullptr;
}

} // namespace dolmex
