// The line kind, text, generated-line, gender and intelligence controls.

#include "WizardModel.h"
#include "WizardText.h"

#include "core/TextFields.h"
#include "lang/LanguageTables.h"

namespace dolmex {

std::string WizardModel::intelligenceCell() const {
    const std::string value = IntText(m_c.IntTrack.position);
    return m_c.IntBtn.caption == "MAX" ? "-" + value : value;
}

void WizardModel::PCRBClick(bool player) {
    if (m_c.PCRB.down == player)
        return;
    m_c.PCRB.down = player;
    m_c.NPCRB.down = !player;
    if (!m_ready)
        return;
    m_ready = false;

    m_c.DiaBtn1.down = m_c.DiaBtn2.down = false;
    FillDialogKinds();
    // Switching the kind discards both texts.
    setEditText(EditBox::LineEdit1, {});
    setEditText(EditBox::LineEdit2, {});
    m_row[ColText].clear();
    m_row[ColGender].clear();
    m_unlistedPrefix = {};
    if (!player) {
        m_row[ColIntelligence].clear();
    } else {
        m_c.GenderBox.index = 0;
        m_row[ColIntelligence] = intelligenceCell();
    }
    UpdateLayout();
    m_ready = true;
}

void WizardModel::textChange(int which) {
    if (!m_ready)
        return;
    m_ready = false;
    const bool generated = which == 0 ? m_c.DiaBtn1.down : m_c.DiaBtn2.down;
    const ChoiceList& kinds = which == 0 ? m_c.CBL1 : m_c.CBL2;
    const TextBox& box = which == 0 ? m_c.LineEdit1 : m_c.LineEdit2;
    std::string cell;
    if (generated) {
        const std::string& shown = kinds.shown();
        cell = kinds.index >= 0 ? shown.substr(0, 2)
                                : m_unlistedPrefix[static_cast<std::size_t>(which)];
    }
    cell += box.text;
    m_row[which == 0 ? ColText : ColGender] = std::move(cell);
    m_ready = true;
}

void WizardModel::LineEdit1Change() {
    textChange(0);
}

void WizardModel::LineEdit2Change() {
    textChange(1);
}

void WizardModel::kindChange(int which) {
    if (!m_ready)
        return;
    m_ready = false;
    const ChoiceList& kinds = which == 0 ? m_c.CBL1 : m_c.CBL2;
    setEditText(which == 0 ? EditBox::LineEdit1 : EditBox::LineEdit2, {});
    const std::string& shown = kinds.shown();
    if (shown.size() > 1) {
        m_row[which == 0 ? ColText : ColGender] = shown.substr(0, 2);
        m_unlistedPrefix[static_cast<std::size_t>(which)].clear();
    }
    const GeneratedKind* kind = shown.empty() ? nullptr : m_tables.generatedKind(shown[0]);
    (which == 0 ? m_c.DiaParamsBtn1 : m_c.DiaParamsBtn2).enabled = kind && kind->flags > 4;
    UpdateLayout();
    m_ready = true;
}

void WizardModel::CBL1Change() {
    kindChange(0);
}

void WizardModel::CBL2Change() {
    kindChange(1);
}

void WizardModel::DiaBtn1Click() {
    m_c.DiaBtn1.down = !m_c.DiaBtn1.down;
    CBL1Change();
    UpdateLayout();
}

void WizardModel::DiaBtn2Click() {
    m_c.DiaBtn2.down = !m_c.DiaBtn2.down;
    CBL2Change();
    UpdateLayout();
}

// Copies text `from` (0: LineEdit1, 1: LineEdit2) into the other text, kind included.
void WizardModel::copyText(int from) {
    const int to = 1 - from;
    Button& fromToggle = from == 0 ? m_c.DiaBtn1 : m_c.DiaBtn2;
    Button& toToggle = to == 0 ? m_c.DiaBtn1 : m_c.DiaBtn2;
    ChoiceList& fromKinds = from == 0 ? m_c.CBL1 : m_c.CBL2;
    ChoiceList& toKinds = to == 0 ? m_c.CBL1 : m_c.CBL2;
    const EditBox toBox = to == 0 ? EditBox::LineEdit1 : EditBox::LineEdit2;

    if (fromToggle.down && fromToggle.visible) {
        toToggle.down = true;
        toKinds.index = fromKinds.index;
        m_unlistedPrefix[static_cast<std::size_t>(to)] =
            m_unlistedPrefix[static_cast<std::size_t>(from)];
        kindChange(to);
    } else {
        // A plain text copied into a box whose kind toggle is down would gain that kind's
        // prefix: the copy would differ from its source.
        toToggle.down = false;
    }
    // The handler runs even when the box already shows that text: the cell behind it may
    // still hold another kind's prefix.
    TextBox& target = edit(toBox);
    target.text = (from == 0 ? m_c.LineEdit1 : m_c.LineEdit2).text;
    runChangeHandler(toBox);
    UpdateLayout();
}

void WizardModel::CopyLine21BtnClick() {
    copyText(1);
}

void WizardModel::CopyLine12BtnClick() {
    copyText(0);
}

void WizardModel::GenderBoxChange() {
    if (!m_ready)
        return;
    static const char* const kCells[] = {"", "0", "1"};
    const int index = m_c.GenderBox.index;
    if (index < 0 || index > 2)
        return;
    m_ready = false;
    m_row[ColGender] = kCells[index];
    m_ready = true;
}

void WizardModel::IntBtnClick() {
    m_ready = false;
    m_c.IntBtn.caption = m_c.IntBtn.caption != "MIN" ? "MIN" : "MAX";
    m_row[ColIntelligence] = intelligenceCell();
    m_ready = true;
}

void WizardModel::IntEditChange() {
    if (!m_ready)
        return;
    m_ready = false;
    // The box itself is not corrected: '35' stays '35' while the bar shows 20.
    setTrackPosition(ClampToTrack(ParseIntOrMinus1(m_c.IntEdit.text)));
    m_row[ColIntelligence] = intelligenceCell();
    m_ready = true;
}

void WizardModel::IntTrackChange() {
    if (m_ready)
        setEditText(EditBox::IntEdit, IntText(m_c.IntTrack.position));
}

void WizardModel::Shape1MouseUp() {
    setTrackPosition(m_c.IntTrack.position == 4 ? 1 : 4);
}

void WizardModel::Shape2MouseUp() {
    setTrackPosition(m_c.IntTrack.position == 5 ? 15 : 5);
}

void WizardModel::Shape3MouseUp() {
    setTrackPosition(TrackBar::kMax);
}

} // namespace dolmex
