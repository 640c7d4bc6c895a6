#include "WizardModel.h"

#include "WizardText.h"

#include "core/TextFields.h"
#include "editing/EditSession.h"
#include "interp/OperationArgs.h"
#include "interp/OperationTemplate.h"
#include "lang/LanguageLoader.h"
#include "lang/LanguageTables.h"

#include <algorithm>

namespace dolmex {

const std::array<const char*, 7> kWizardColumnTitles{"{N}",    "{Text}", "{G}",     "{I}",
                                                     "{Test}", "{R}",    "{Result}"};

namespace {

// Where the text boxes of the texts start and end, at 100% scaling.
constexpr int kTextLeft = 56;
constexpr int kTextLeftBesideKinds = 296;
constexpr int kTextRight = 601;
constexpr int kCopyButtonsWidth = 32;

constexpr int kResponseRows = 4;
constexpr int kResponseEmpty = 3;

int Sign(std::int64_t value) {
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

std::string KindRow(char letter, const GeneratedKind& kind) {
    return std::string(1, letter) + ": - " + kind.name;
}

} // namespace

WizardControls::WizardControls() {
    LineEdit1.left = LineEdit2.left = kTextLeft;
    LineEdit1.right = LineEdit2.right = kTextRight;
    LineEdit2.visible = false;
    IntEdit.text = "1";
    IntEdit.maxLength = 2;
    TEdit.maxLength = REdit.maxLength = 2;
    TNumEdit1.maxLength = TNumEdit2.maxLength = 6;
    RNumEdit1.maxLength = RNumEdit2.maxLength = 6;
    TCB1.visible = TCB2.visible = RCB1.visible = RCB2.visible = false;
    ResLineEdit.text = "0";
    ResLineEdit.maxLength = 5;
}

WizardModel::WizardModel(const LanguageTables& tables, EditSession& session, WizardHost* host)
    : m_tables(tables), m_session(session), m_host(host) {
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.source == CaptionSource::Fixed)
            m_captions[std::string(entry.name)] = std::string(entry.fixedCaption);
    }
}

const std::string& WizardModel::caption(std::string_view name) const {
    static const std::string none;
    const auto it = m_captions.find(name);
    return it == m_captions.end() ? none : it->second;
}

const std::string& WizardModel::hint(std::string_view name) const {
    static const std::string none;
    const auto it = m_hints.find(name);
    return it == m_hints.end() ? none : it->second;
}

void WizardModel::applyLanguage(const std::vector<CaptionAssignment>& assignments) {
    for (const CaptionAssignment& a : assignments) {
        if (a.window != TargetWindow::Wizard)
            continue;
        switch (a.property) {
        case CaptionProperty::Caption:
            m_captions[a.control] = a.text;
            break;
        case CaptionProperty::Hint:
            m_hints[a.control] = a.text;
            break;
        case CaptionProperty::ClearItems:
            if (a.control == "ResLineBox")
                m_c.ResLineBox.rows.clear();
            break;
        case CaptionProperty::AddItem:
            if (a.control == "ResLineBox")
                m_c.ResLineBox.rows.push_back(a.text);
            break;
        case CaptionProperty::ColumnTitle:
            break;
        }
    }
    m_captions["NPCRB"] = m_tables.player[player::kNpc];
    m_captions["PCRB"] = m_tables.player[player::kPc];
    m_c.GenderBox.rows = {m_tables.gender[gender::kWizardAny], m_tables.gender[gender::kWizardMale],
                          m_tables.gender[gender::kWizardFemale]};
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.source == CaptionSource::SkillKind)
            m_captions[std::string(entry.name)] = m_tables.skillKind[entry.captionIndex];
    }
}

// --- Opening and applying ---------------------------------------------------------------

void WizardModel::open(int row) {
    const LineStore& store = m_session.store();
    m_currentRow = std::clamp(row, 1, store.rowCount() - 1);
    m_row = store.line(m_currentRow);
}

void WizardModel::FormActivate() {
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.source == CaptionSource::Skills)
            m_captions[std::string(entry.name)] = m_tables.skills[entry.captionIndex];
    }
    Text2Form();
    UpdateLayout();
}

void WizardModel::SGSetEditText(int column, std::string text) {
    if (column < 0 || column >= kColumnCount)
        return;
    m_row[static_cast<std::size_t>(column)] = std::move(text);
    if (m_ready)
        Text2Form();
}

void WizardModel::apply() {
    m_session.perform(EditVerb::WizardApply, [this](LineStore& store) {
        // The store may have lost rows since the wizard opened; never write past its end.
        m_currentRow = std::clamp(m_currentRow, 1, store.rowCount() - 1);
        store.setLine(m_currentRow, m_row);
    });
}

void WizardModel::loadCurrentRow() {
    m_row = m_session.store().line(m_currentRow);
    Text2Form();
}

void WizardModel::SpeedButton5Click() {
    apply();
    if (m_host) {
        m_host->wizardApplied(m_currentRow);
        m_host->wizardCloseRequested();
    }
}

void WizardModel::SpeedButton6Click() {
    m_session.perform(EditVerb::WizardApply, [this](LineStore&) {
        apply();
        if (m_host)
            m_host->wizardApplied(m_currentRow);
    });
}

void WizardModel::SpeedButton7Click() {
    m_currentRow = std::clamp(m_currentRow, 1, m_session.store().rowCount() - 1);
    loadCurrentRow();
}

void WizardModel::SpeedButton4Click() {
    m_session.perform(EditVerb::WizardApply, [this](LineStore&) {
        apply();
        if (m_currentRow > 1)
            --m_currentRow;
        loadCurrentRow();
        if (m_host)
            m_host->wizardApplied(m_currentRow);
    });
}

void WizardModel::SpeedButton2Click() {
    m_session.perform(EditVerb::WizardApply, [this](LineStore& store) {
        apply();
        if (m_currentRow == store.rowCount() - 1) {
            // 64 bits: the next number after the largest 32-bit one must not wrap around.
            DialogLine next{};
            next[ColNumber] = std::to_string(
                std::int64_t{ParseIntOrMinus1(store.cell(m_currentRow, ColNumber))} + 1);
            store.insertLines(store.rowCount(), {next});
        }
        ++m_currentRow;
        loadCurrentRow();
        if (m_host)
            m_host->wizardApplied(m_currentRow);
    });
}

void WizardModel::FormKeyUp(int key) {
    if (key == wizard_key::kLeft)
        SpeedButton4Click();
    else if (key == wizard_key::kRight)
        SpeedButton2Click();
}

// --- Filling the controls -----------------------------------------------------------------

void WizardModel::Text2Form() {
    m_ready = false;
    setEditText(EditBox::LineEdit1, m_row[ColText]);

    const std::string& intelligence = m_row[ColIntelligence];
    setTrackPosition(ClampToTrack(Magnitude(intelligence)));
    setEditText(EditBox::IntEdit, IntText(m_c.IntTrack.position));
    if (!intelligence.empty()) {
        m_c.IntBtn.caption = ParseIntOrMinus1(intelligence) <= 0 ? "MAX" : "MIN";
        m_c.GenderBox.index = Sign(ParseIntOrMinus1(m_row[ColGender])) + 1;
        setEditText(EditBox::LineEdit2, {});
        m_c.PCRB.down = true;
        m_c.NPCRB.down = false;
    } else {
        m_c.PCRB.down = false;
        m_c.NPCRB.down = true;
        setEditText(EditBox::LineEdit2, m_row[ColGender]);
    }

    FillDialogKinds();
    loadGeneratedText(0);
    loadGeneratedText(1);

    fillOperationList(OpList::Tests);
    fillOperationList(OpList::Results);

    const std::string& response = m_row[ColResponse];
    if (!response.empty()) {
        m_c.ResLineBox.index = 1 - Sign(ParseIntOrMinus1(response));
        setEditText(EditBox::ResLineEdit, MagnitudeText(Magnitude(response)));
    } else {
        m_c.ResLineBox.index = kResponseEmpty;
    }

    UpdateLayout();
    m_ready = true;
}

// Steps 6 and 7 of Text2Form for LineEdit1 (`which` 0) or LineEdit2 (1).
void WizardModel::loadGeneratedText(int which) {
    TextBox& box = which == 0 ? m_c.LineEdit1 : m_c.LineEdit2;
    Button& toggle = which == 0 ? m_c.DiaBtn1 : m_c.DiaBtn2;
    ChoiceList& kinds = which == 0 ? m_c.CBL1 : m_c.CBL2;
    Button& params = which == 0 ? m_c.DiaParamsBtn1 : m_c.DiaParamsBtn2;
    m_unlistedPrefix[static_cast<std::size_t>(which)].clear();

    const std::string text = box.text;
    if (text.size() < 2 || text[1] != ':') {
        // A short text is plain too: a toggle left down from the previous line would show
        // a kind the line does not have and prefix it to whatever the user types.
        toggle.down = false;
        return;
    }
    toggle.down = true;
    const GeneratedKind* kind = m_tables.generatedKind(text[0]);
    kinds.index = -1;
    if (kind) {
        const auto it = std::find(kinds.rows.begin(), kinds.rows.end(), KindRow(text[0], *kind));
        if (it != kinds.rows.end())
            kinds.index = static_cast<int>(it - kinds.rows.begin());
    }
    if (kinds.index < 0)
        m_unlistedPrefix[static_cast<std::size_t>(which)] = text.substr(0, 2);
    params.enabled = kind && kind->flags > 4;
    setEditText(which == 0 ? EditBox::LineEdit1 : EditBox::LineEdit2, text.substr(2));
}

void WizardModel::fillOperationList(OpList list) {
    Panel p = panel(list);
    p.list.rows.clear();
    p.list.positions.clear();
    p.list.index = -1;
    const CodeTable& table = list == OpList::Tests ? m_tables.test : m_tables.result;
    const std::vector<std::string_view> items =
        LeadingCommaItems(m_row[static_cast<std::size_t>(p.column)]);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view item = items[i];
        const std::string_view code = OperationCode(item);
        if (code.empty())
            continue;
        const std::string w1 = TailWord(item, 1);
        const std::string w2 = TailWord(item, 2);
        const Argument second = TestArgument(w2);
        const Argument first = list == OpList::Tests ? TestArgument(w1) : ResultFirstArgument(w1);
        const int position = static_cast<int>(i) + 1;
        for (int e = 1; e <= table.count(); ++e) {
            if (table.entry(e).code != code)
                continue;
            const std::string description =
                list == OpList::Tests
                    ? ExpandTestTemplate(m_tables, e, first, second, Argument{0, 0})
                    : ExpandResultTemplate(m_tables, e, first, second);
            p.list.rows.push_back(IntText(position) + ")  " + description);
            p.list.positions.push_back(position);
        }
    }
}

void WizardModel::FillDialogKinds() {
    m_c.CBL1.rows.clear();
    m_c.CBL2.rows.clear();
    const unsigned mask = isPlayerLine() ? 2 : 1;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const GeneratedKind* kind = m_tables.generatedKind(letter);
        if (kind && (kind->flags & mask) != 0) {
            m_c.CBL1.rows.push_back(KindRow(letter, *kind));
            m_c.CBL2.rows.push_back(KindRow(letter, *kind));
        }
    }
    m_c.CBL1.index = m_c.CBL1.rows.empty() ? -1 : 0;
    m_c.CBL2.index = m_c.CBL2.rows.empty() ? -1 : 0;
}

void WizardModel::UpdateLayout() {
    WizardControls& c = m_c;
    const bool player = isPlayerLine();
    c.CopyLine12Btn.visible = c.CopyLine21Btn.visible = c.DiaBtn2.visible = !player;
    for (Decoration* d : {&c.Label1, &c.Label2, &c.Label3, &c.Shape1, &c.Shape2, &c.Shape3})
        d->visible = player;
    c.GenderBox.visible = c.IntBtn.visible = c.IntEdit.visible = c.IntTrack.visible = player;

    const bool kinds1 = c.DiaBtn1.down;
    const bool kinds2 = !player && c.DiaBtn2.down;
    c.CBL1.visible = c.DiaParamsBtn1.visible = kinds1;
    c.CBL2.visible = c.DiaParamsBtn2.visible = kinds2;

    const int right = player ? kTextRight : kTextRight - kCopyButtonsWidth;
    c.LineEdit1.left = kinds1 ? kTextLeftBesideKinds : kTextLeft;
    c.LineEdit2.left = kinds2 ? kTextLeftBesideKinds : kTextLeft;
    c.LineEdit1.right = c.LineEdit2.right = right;
    c.LineEdit1.visible = !kinds1 || c.DiaParamsBtn1.enabled;
    c.LineEdit2.visible = !player && (!kinds2 || c.DiaParamsBtn2.enabled);

    c.ResLineEdit.visible = c.ResLineBox.index == 0 || c.ResLineBox.index == 2;
}

// --- Controls raising their change events ---------------------------------------------------

TextBox& WizardModel::edit(EditBox box) {
    switch (box) {
    case EditBox::LineEdit1:
        return m_c.LineEdit1;
    case EditBox::LineEdit2:
        return m_c.LineEdit2;
    case EditBox::IntEdit:
        return m_c.IntEdit;
    case EditBox::TEdit:
        return m_c.TEdit;
    case EditBox::TNumEdit1:
        return m_c.TNumEdit1;
    case EditBox::TNumEdit2:
        return m_c.TNumEdit2;
    case EditBox::REdit:
        return m_c.REdit;
    case EditBox::RNumEdit1:
        return m_c.RNumEdit1;
    case EditBox::RNumEdit2:
        return m_c.RNumEdit2;
    case EditBox::ResLineEdit:
        break;
    }
    return m_c.ResLineEdit;
}

ChoiceList& WizardModel::choice(ChoiceBox box) {
    switch (box) {
    case ChoiceBox::CBL1:
        return m_c.CBL1;
    case ChoiceBox::CBL2:
        return m_c.CBL2;
    case ChoiceBox::GenderBox:
        return m_c.GenderBox;
    case ChoiceBox::TCB1:
        return m_c.TCB1;
    case ChoiceBox::TCB2:
        return m_c.TCB2;
    case ChoiceBox::RCB1:
        return m_c.RCB1;
    case ChoiceBox::RCB2:
        return m_c.RCB2;
    case ChoiceBox::ResLineBox:
        break;
    }
    return m_c.ResLineBox;
}

void WizardModel::setEditText(EditBox box, std::string text) {
    TextBox& target = edit(box);
    target.allSelected = false;
    if (target.text == text)
        return;
    target.text = std::move(text);
    runChangeHandler(box);
}

void WizardModel::runChangeHandler(EditBox box) {
    switch (box) {
    case EditBox::LineEdit1:
        LineEdit1Change();
        break;
    case EditBox::LineEdit2:
        LineEdit2Change();
        break;
    case EditBox::IntEdit:
        IntEditChange();
        break;
    case EditBox::ResLineEdit:
        ResLineEditChange();
        break;
    default:
        break;
    }
}

void WizardModel::setTrackPosition(int position) {
    position = ClampToTrack(position);
    if (position == m_c.IntTrack.position)
        return;
    m_c.IntTrack.position = position;
    IntTrackChange();
}

void WizardModel::typeText(EditBox box, std::string text) {
    setEditText(box, std::move(text));
}

void WizardModel::chooseRow(ChoiceBox box, int index) {
    ChoiceList& list = choice(box);
    // The rows of these two mean their position, whatever captions the language gave.
    int rows = static_cast<int>(list.rows.size());
    if (box == ChoiceBox::ResLineBox)
        rows = std::max(rows, kResponseRows);
    else if (box == ChoiceBox::GenderBox)
        rows = std::max(rows, 3);
    if (index < 0 || index >= rows)
        return;
    // Choosing the kind already shown is no change: it must not wipe the parameters typed
    // after it. The other lists rewrite their cell, which turns a gender '5' into '1'.
    const bool kindList = box == ChoiceBox::CBL1 || box == ChoiceBox::CBL2;
    if (kindList && index == list.index)
        return;
    list.index = index;
    switch (box) {
    case ChoiceBox::CBL1:
        CBL1Change();
        break;
    case ChoiceBox::CBL2:
        CBL2Change();
        break;
    case ChoiceBox::GenderBox:
        GenderBoxChange();
        break;
    case ChoiceBox::TCB1:
        TCB1Change();
        break;
    case ChoiceBox::TCB2:
        TCB2Change();
        break;
    case ChoiceBox::RCB1:
        RCB1Change();
        break;
    case ChoiceBox::RCB2:
        RCB2Change();
        break;
    case ChoiceBox::ResLineBox:
        ResLineBoxChange();
        break;
    }
}

void WizardModel::selectRow(ItemListBox box, int index) {
    OperationList& list = box == ItemListBox::TestList ? m_c.TestList : m_c.ResultList;
    list.index = index >= 0 && index < static_cast<int>(list.rows.size()) ? index : -1;
    m_c.focus = box == ItemListBox::TestList ? WizardFocus::TestList : WizardFocus::ResultList;
}

void WizardModel::moveTrack(int position) {
    setTrackPosition(position);
}

} // namespace dolmex
