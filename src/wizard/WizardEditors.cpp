// The test and result editors, the response controls and the insertion menus.

#include "WizardModel.h"
#include "WizardText.h"

#include "core/TextFields.h"
#include "interp/OperationArgs.h"
#include "lang/LanguageTables.h"

#include <algorithm>

namespace dolmex {

namespace {

bool IsOneOf(std::string_view code, std::initializer_list<std::string_view> codes) {
    for (std::string_view c : codes) {
        if (code == c)
            return true;
    }
    return false;
}

template <typename Table> void AddEntries(ChoiceList& list, const Table& table, int from, int to) {
    for (int i = from; i <= to; ++i)
        list.rows.push_back(table[i]);
}

// The rows of the two choice lists that stand in for an item's arguments, by its code.
void FillChoiceLists(const LanguageTables& t, OpList side, std::string_view code, ChoiceList& cb1,
                     ChoiceList& cb2) {
    cb1.rows.clear();
    cb2.rows.clear();
    cb1.offset = cb2.offset = 0;
    const bool tests = side == OpList::Tests;
    if (tests ? IsOneOf(code, {"gf", "pf", "lf"}) : IsOneOf(code, {"np", "gf", "pf", "lf"})) {
        cb2.rows = {"0", "1"};
    } else if (tests ? IsOneOf(code, {"qu", "qa", "qb"}) : code == "qu") {
        AddEntries(cb2, t.quests, 0, 6);
    } else if (code == "tr") {
        AddEntries(cb1, t.skills, 0, 15);
        AddEntries(cb2, t.degree, 0, 3);
    } else if (tests && code == "sc") {
        AddEntries(cb1, t.colleges, 1, 16);
        cb1.offset = 1;
    } else if (tests && code == "ra") {
        AddEntries(cb1, t.races, 1, 11);
        cb1.offset = 1;
    } else if (code == (tests ? "sk" : "et")) {
        AddEntries(cb1, t.skills, 0, 15);
    } else if (!tests && IsOneOf(code, {"jo", "uw"})) {
        cb1.rows = {std::string(kCharismaLimitRow), std::string(kNoLimitRow)};
    }
}

// Shows the choice list in place of the number box when it has rows, with the row of
// the argument selected when there is one.
void ShowArgument(ChoiceList& list, TextBox& box, std::int64_t magnitude) {
    list.index = -1;
    if (list.rows.empty()) {
        box.visible = true;
        list.visible = false;
        return;
    }
    box.visible = false;
    list.visible = true;
    const std::int64_t row = magnitude - list.offset;
    if (row >= 0 && row < static_cast<std::int64_t>(list.rows.size()))
        list.index = static_cast<int>(row);
}

std::string Negated(bool negated, std::string value) {
    return negated ? "-" + value : value;
}

} // namespace

WizardModel::Panel WizardModel::panel(OpList list) {
    if (list == OpList::Tests)
        return {m_c.TestList, m_c.TEdit, m_c.TNumEdit1, m_c.TNumEdit2, m_c.TCB1, m_c.TCB2, ColTest};
    return {m_c.ResultList, m_c.REdit, m_c.RNumEdit1, m_c.RNumEdit2, m_c.RCB1, m_c.RCB2, ColResult};
}

// --- Loading the selected item ------------------------------------------------------------

void WizardModel::listClick(OpList list) {
    if (list == OpList::Tests)
        m_raNegated = m_trNegated = false;
    if (!m_ready)
        return;
    Panel p = panel(list);
    const int position = p.list.selectedPosition();
    if (position == 0)
        return;
    m_ready = false;
    const std::string item = CommaItem(m_row[static_cast<std::size_t>(p.column)], position);
    const std::string code = item.substr(0, 2);
    p.code.text = code;
    p.code.allSelected = false;
    FillChoiceLists(m_tables, list, code, p.cb1, p.cb2);

    const std::string w1 = TailWord(item, 1);
    const std::string w2 = TailWord(item, 2);
    if (list == OpList::Tests) {
        m_raNegated = code == "ra" && ParseIntOrMinus1(w1) < 0;
        m_trNegated = code == "tr" && ParseIntOrMinus1(w2) < 0;
    }
    // The number boxes always hold the arguments, shown or not: the edited item is
    // always built from them.
    p.first.text = w1;
    p.second.text = w2;
    p.first.allSelected = p.second.allSelected = false;
    ShowArgument(p.cb1, p.first, Magnitude(w1));
    ShowArgument(p.cb2, p.second, Magnitude(w2));
    m_ready = true;
}

void WizardModel::TestListClick() {
    listClick(OpList::Tests);
}

void WizardModel::ResultListClick() {
    listClick(OpList::Results);
}

void WizardModel::listKeyUp(OpList list, int key) {
    using namespace wizard_key;
    switch (key) {
    case kPageUp:
    case kPageDown:
    case kEnd:
    case kHome:
    case kUp:
    case kDown:
        listClick(list);
        break;
    case kDelete:
        deleteSelected(list);
        break;
    default:
        break;
    }
}

void WizardModel::TestListKeyUp(int key) {
    listKeyUp(OpList::Tests, key);
}

void WizardModel::ResultListKeyUp(int key) {
    listKeyUp(OpList::Results, key);
}

// --- Writing the edited item ----------------------------------------------------------------

// Selects the row of the item at `position` (its last row when `last`, else its first)
// without loading it; no row when the item has none. Rows are matched by item, not by
// index: after an edit the same index may describe another item.
void WizardModel::selectItemRow(OpList list, int position, bool last) {
    OperationList& rows = panel(list).list;
    rows.index = -1;
    for (int i = 0; i < static_cast<int>(rows.positions.size()); ++i) {
        if (rows.positions[static_cast<std::size_t>(i)] == position) {
            rows.index = i;
            if (!last)
                return;
        }
    }
}

void WizardModel::replaceSelected(OpList list) {
    Panel p = panel(list);
    const int position = p.list.selectedPosition();
    std::string& cell = m_row[static_cast<std::size_t>(p.column)];
    if (position == 0 || CommaItem(cell, position).empty())
        return;
    const std::string edited = p.code.text + p.first.text + " " + p.second.text;
    m_ready = false;
    cell = ReplaceCommaItem(cell, position, edited);
    m_ready = true;
    Text2Form();
    selectItemRow(list, position, false);
    if (p.list.index >= 0)
        p.code.allSelected = p.first.allSelected = p.second.allSelected = true;
}

void WizardModel::TEditKeyUp(int key) {
    if (key == wizard_key::kEnter)
        replaceSelected(OpList::Tests);
}

void WizardModel::REditKeyUp(int key) {
    if (key == wizard_key::kEnter)
        replaceSelected(OpList::Results);
}

void WizardModel::appendEdited(OpList list) {
    Panel p = panel(list);
    const std::string edited = p.code.text + p.first.text + " " + p.second.text;
    m_ready = false;
    std::string& cell = m_row[static_cast<std::size_t>(p.column)];
    if (!cell.empty())
        cell += ',';
    cell += edited;
    m_ready = true;
    Text2Form();
    // Only the new item's row: the last row may describe an earlier item when the new
    // code has no description, and Enter would then overwrite that item.
    selectItemRow(list, static_cast<int>(AllCommaItems(cell).size()), true);
}

void WizardModel::SpeedButton3Click() {
    appendEdited(OpList::Tests);
}

void WizardModel::SpeedButton1Click() {
    appendEdited(OpList::Results);
}

void WizardModel::deleteSelected(OpList list) {
    Panel p = panel(list);
    const int position = p.list.selectedPosition();
    std::string& cell = m_row[static_cast<std::size_t>(p.column)];
    if (position == 0 || CommaItem(cell, position).empty())
        return;
    cell = RemoveCommaItem(cell, position);

    // The rows keep their texts until the next refresh, but they must go on naming the
    // items they describe: drop the deleted item's rows, renumber those after it.
    OperationList& rows = p.list;
    std::vector<std::string> keptRows;
    std::vector<int> keptPositions;
    int removedBefore = 0;
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const int at = rows.positions[i];
        if (at == position) {
            if (static_cast<int>(i) < rows.index)
                ++removedBefore;
            continue;
        }
        keptRows.push_back(std::move(rows.rows[i]));
        keptPositions.push_back(at > position ? at - 1 : at);
    }
    const int index = rows.index - removedBefore;
    rows.rows = std::move(keptRows);
    rows.positions = std::move(keptPositions);
    const int count = static_cast<int>(rows.rows.size());
    rows.index = count == 0 ? -1 : std::min(index, count - 1);
}

void WizardModel::TDelBtnClick() {
    deleteSelected(OpList::Tests);
}

void WizardModel::RDelBtnClick() {
    deleteSelected(OpList::Results);
}

// --- Choice lists ---------------------------------------------------------------------------

void WizardModel::TCB1Change() {
    WizardControls& c = m_c;
    c.TNumEdit1.text = IntText(c.TCB1.index + c.TCB1.offset);
    // A list without a selection says nothing about its argument: keep the box's number.
    if (c.TCB2.visible && c.TCB2.index >= 0)
        c.TNumEdit2.text = Negated(m_trNegated, IntText(c.TCB2.index));
    if (m_raNegated)
        c.TNumEdit1.text = "-" + c.TNumEdit1.text;
    replaceSelected(OpList::Tests);
}

void WizardModel::TCB2Change() {
    WizardControls& c = m_c;
    if (c.TCB1.visible && c.TCB1.index >= 0)
        c.TNumEdit1.text = Negated(m_raNegated, IntText(c.TCB1.index + c.TCB1.offset));
    c.TNumEdit2.text = Negated(m_trNegated, IntText(c.TCB2.index));
    replaceSelected(OpList::Tests);
}

void WizardModel::RCB1Change() {
    WizardControls& c = m_c;
    if (c.RCB2.visible && c.RCB2.index >= 0)
        c.RNumEdit2.text = IntText(c.RCB2.index);
    c.RNumEdit1.text = IntText(c.RCB1.index);
    replaceSelected(OpList::Results);
}

void WizardModel::RCB2Change() {
    WizardControls& c = m_c;
    if (c.RCB1.visible && c.RCB1.index >= 0)
        c.RNumEdit1.text = IntText(c.RCB1.index);
    c.RNumEdit2.text = IntText(c.RCB2.index);
    replaceSelected(OpList::Results);
}

// --- Response ---------------------------------------------------------------------------------

void WizardModel::ResLineBoxChange() {
    if (!m_ready)
        return;
    m_ready = false;
    std::string& cell = m_row[ColResponse];
    switch (m_c.ResLineBox.index) {
    case 0:
        cell = m_c.ResLineEdit.text;
        break;
    case 1:
        cell.assign(1, '0');
        setEditText(EditBox::ResLineEdit, "0");
        break;
    case 2:
        cell = "-" + m_c.ResLineEdit.text;
        break;
    case 3:
        cell.clear();
        break;
    default:
        break;
    }
    m_c.ResLineEdit.visible = m_c.ResLineBox.index == 0 || m_c.ResLineBox.index == 2;
    m_ready = true;
}

void WizardModel::ResLineEditChange() {
    if (m_ready)
        ResLineBoxChange();
}

// --- Insertion menus ------------------------------------------------------------------------

void WizardModel::InsertOp(OpList list, std::string_view code, std::string_view first,
                           std::string_view second) {
    m_ready = false;
    std::string item;
    item.append(code).append(first).append(" ").append(second);
    std::string& cell = m_row[list == OpList::Tests ? ColTest : ColResult];
    if (!cell.empty())
        cell += ',';
    cell += item;
    Text2Form();
    m_ready = true;
    // Only the new item's row: an item whose code has no description must not leave an
    // earlier item selected and loaded in its place.
    selectItemRow(list, static_cast<int>(AllCommaItems(cell).size()), true);
    m_c.focus = list == OpList::Tests ? WizardFocus::TestList : WizardFocus::ResultList;
    listClick(list);
}

bool WizardModel::MenuItemClick(std::string_view name) {
    const MenuEntry* entry = FindMenuEntry(name);
    if (!entry)
        return false;
    switch (entry->kind) {
    case MenuEntryKind::Submenu:
        break;
    case MenuEntryKind::Insert:
        InsertOp(entry->list, entry->code, entry->first, entry->second);
        break;
    case MenuEntryKind::Skill:
        InsertOp(m_pendingList, m_pendingCode, IntText(entry->captionIndex), m_pendingValue);
        break;
    }
    return true;
}

void WizardModel::ToolButtonMouseDown(std::string_view name) {
    const ToolBarButton* button = FindToolBarButton(name);
    if (!button || !button->skillOpener())
        return;
    m_pendingList = button->bar;
    m_pendingCode = std::string(button->pendingCode);
    m_pendingValue = std::string(button->pendingValue);
}

} // namespace dolmex
