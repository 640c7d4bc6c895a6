#pragma once

// The line wizard without its window: a working copy of one dialog line, the state of
// every control that edits it, and the handlers that keep the two in step. The window
// (TWizardForm) forwards each widget event to the method named after its handler and
// then repaints from controls(); nothing here touches a widget.
//
// Filling controls from the working row must not write back. As in the window it
// models, setting a text box, the track bar or a radio button from code raises that
// control's change handler, and every handler does nothing while FReady is false.

#include "InsertionTable.h"
#include "WizardControls.h"

#include "core/PackedLine.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dolmex {

class EditSession;
struct LanguageTables;
struct CaptionAssignment;

// What the main window does for the wizard.
class WizardHost {
public:
    virtual ~WizardHost() = default;
    // An apply command wrote the store and left the main grid's current row at `row`:
    // move the cursor there and describe the line again.
    virtual void wizardApplied(int row) { (void)row; }
    // OK: hide the wizard.
    virtual void wizardCloseRequested() {}
};

// Text boxes the user types into.
enum class EditBox {
    LineEdit1,
    LineEdit2,
    IntEdit,
    TEdit,
    TNumEdit1,
    TNumEdit2,
    REdit,
    RNumEdit1,
    RNumEdit2,
    ResLineEdit,
};

// Drop-down lists the user chooses a row in.
enum class ChoiceBox { CBL1, CBL2, GenderBox, TCB1, TCB2, RCB1, RCB2, ResLineBox };

enum class ItemListBox { TestList, ResultList };

// Key codes the handlers react to.
namespace wizard_key {
inline constexpr int kEnter = 13;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kDelete = 46;
} // namespace wizard_key

// The fixed rows of the kind lists of "jo" and "uw": with and without the charisma limit.
inline constexpr std::string_view kCharismaLimitRow =
    "\xEB\xE8\xEC\xE8\xF2 \xF5\xE0\xF0\xE8\xE7\xEC\xFB";
inline constexpr std::string_view kNoLimitRow = "\xE1\xE5\xE7 \xEB\xE8\xEC\xE8\xF2\xE0";

// Titles of the wizard grid's columns 0 to 6.
extern const std::array<const char*, 7> kWizardColumnTitles;

class WizardModel {
public:
    // `tables` and `document` outlive the model; `host` may be null.
    // Each apply command is one WizardApply step of `session` (apply-and-next on the last
    // row both writes the row and appends one).
    WizardModel(const LanguageTables& tables, EditSession& session, WizardHost* host = nullptr);

    const WizardControls& controls() const { return m_c; }
    const DialogLine& workingRow() const { return m_row; }
    // The main grid row that the apply commands write.
    int currentRow() const { return m_currentRow; }
    bool FReady() const { return m_ready; }
    bool FRaNegated() const { return m_raNegated; }
    bool FTrNegated() const { return m_trNegated; }
    const std::string& FPendingCode() const { return m_pendingCode; }
    OpList FPendingList() const { return m_pendingList; }
    const std::string& FPendingValue() const { return m_pendingValue; }

    // Captions and hints of controls and menu entries by object name, as the language
    // file and the model set them; empty when none was set.
    const std::string& caption(std::string_view name) const;
    const std::string& hint(std::string_view name) const;
    // After a language file was read: keeps the wizard's captions and hints, the rows of
    // ResLineBox and GenderBox, the line-kind captions and the skill kind captions.
    void applyLanguage(const std::vector<CaptionAssignment>& assignments);

    // --- Opening and the apply commands -------------------------------------------------

    // SGDblClick: the main grid's row `row` becomes the working row. The window then shows
    // itself, which runs FormActivate.
    void open(int row);
    void FormActivate();
    // The user edited a cell of the wizard's own grid.
    void SGSetEditText(int column, std::string text);

    void SpeedButton5Click(); // OK
    void SpeedButton6Click(); // apply
    void SpeedButton7Click(); // revert
    void SpeedButton4Click(); // apply and previous
    void SpeedButton2Click(); // apply and next
    void FormKeyUp(int key);  // Left and Right: apply and previous, apply and next

    void Text2Form();
    void FillDialogKinds();
    void UpdateLayout();

    // --- User input that changes a control before its handler runs ----------------------

    // Typing: sets the text; the box's change handler runs when it has one and the text
    // differs.
    void typeText(EditBox box, std::string text);
    // Choosing a row: selects it and runs the list's change handler. Choosing the kind
    // already selected in CBL1 or CBL2 changes nothing.
    void chooseRow(ChoiceBox box, int index);
    // Moving the selection of a list box; a click then calls TestListClick or
    // ResultListClick, a key TestListKeyUp or ResultListKeyUp.
    void selectRow(ItemListBox box, int index);
    // Dragging the track bar (kept within its range); IntTrackChange runs on a change.
    void moveTrack(int position);

    // --- Line kind, texts, gender, intelligence ---------------------------------------

    // A click on PCRB (`player` true) or NPCRB. Clicking the checked one changes nothing.
    void PCRBClick(bool player);
    void LineEdit1Change();
    void LineEdit2Change();
    void CBL1Change();
    void CBL2Change();
    // The click toggles the button, then the handler runs.
    void DiaBtn1Click();
    void DiaBtn2Click();
    void CopyLine21BtnClick();
    void CopyLine12BtnClick();
    void GenderBoxChange();
    void IntBtnClick();
    void IntEditChange();
    void IntTrackChange();
    void Shape1MouseUp();
    void Shape2MouseUp();
    void Shape3MouseUp();

    // --- Test editor ---------------------------------------------------------------------

    void TestListClick();
    void TestListKeyUp(int key);
    void TEditKeyUp(int key);
    void TCB1Change();
    void TCB2Change();
    void SpeedButton3Click(); // add
    void TDelBtnClick();

    // --- Result editor and response -------------------------------------------------------

    void ResultListClick();
    void ResultListKeyUp(int key);
    void REditKeyUp(int key);
    void RCB1Change();
    void RCB2Change();
    void SpeedButton1Click(); // add
    void RDelBtnClick();
    void ResLineBoxChange();
    void ResLineEditChange();

    // --- Insertion menus ----------------------------------------------------------------

    void InsertOp(OpList list, std::string_view code, std::string_view first,
                  std::string_view second);
    // A click on a menu entry or a direct tool button of the insertion table. False when
    // the name is none of them; a submenu does nothing.
    bool MenuItemClick(std::string_view name);
    // Mouse down on a tool button: the skill menu's openers set the pending fields.
    void ToolButtonMouseDown(std::string_view name);

private:
    // The controls of the test editor or of the result editor.
    struct Panel {
        OperationList& list;
        TextBox& code;
        TextBox& first;
        TextBox& second;
        ChoiceList& cb1;
        ChoiceList& cb2;
        int column;
    };
    Panel panel(OpList list);

    TextBox& edit(EditBox box);
    ChoiceList& choice(ChoiceBox box);

    // Programmatic changes that raise the control's change event, as the window does.
    void setEditText(EditBox box, std::string text);
    void setTrackPosition(int position);
    void runChangeHandler(EditBox box);

    bool isPlayerLine() const { return m_c.PCRB.down; }
    std::string intelligenceCell() const;
    void loadGeneratedText(int which);
    void textChange(int which);
    void kindChange(int which);
    void copyText(int from);
    void fillOperationList(OpList list);

    void listClick(OpList list);
    void listKeyUp(OpList list, int key);
    void replaceSelected(OpList list);
    void appendEdited(OpList list);
    void deleteSelected(OpList list);
    void selectItemRow(OpList list, int position, bool last);

    void apply();
    void loadCurrentRow();

    const LanguageTables& m_tables;
    EditSession& m_session;
    WizardHost* m_host;

    DialogLine m_row{};
    int m_currentRow = 1;
    WizardControls m_c;

    bool m_ready = true;
    bool m_raNegated = false;
    bool m_trNegated = false;
    std::string m_pendingCode;
    OpList m_pendingList = OpList::Tests;
    std::string m_pendingValue;
    // The kind prefix ("b:") of a generated text whose kind the list cannot show, so
    // editing its parameters keeps it a generated line. Index 0: column 1, 1: column 2.
    std::array<std::string, 2> m_unlistedPrefix;

    std::map<std::string, std::string, std::less<>> m_captions;
    std::map<std::string, std::string, std::less<>> m_hints;
};

} // namespace dolmex
