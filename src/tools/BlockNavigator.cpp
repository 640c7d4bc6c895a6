#include "BlockNavigator.h"

#include "core/LineStore.h"
#include "core/TextFields.h"

namespace dolmex {

std::vector<std::string> MakeBlocks(const LineStore& store) {
    std::vector<std::string> entries;
    for (const PackedLine& line : store.lines()) {
        if (ParseIntOrMinus1(line[ColNumber]) > 0 && line[ColIntelligence].empty() &&
            !line[ColComment].empty())
            entries.push_back(std::string(line[ColNumber]) + " - " + std::string(line[ColComment]));
    }
    return entries;
}

const std::vector<std::string>& BlockNavigator::MakeBlocks(const LineStore& store) {
    m_entries = dolmex::MakeBlocks(store);
    return m_entries;
}

void BlockNavigator::choose(int selected, bool insert) {
    if (selected >= 0 && static_cast<std::size_t>(selected) < m_entries.size())
        m_pendingLine = ParseIntOrMinus1(WordAt(m_entries[static_cast<std::size_t>(selected)], 1));
    // Without a selection the mode is still set and the focus still moves.
    m_pendingInsert = insert;
}

bool BlockNavigator::LBDblClick(int selected) {
    choose(selected, false);
    return true;
}

bool BlockNavigator::LBKeyUp(NavigatorKey key, unsigned modifiers, int selected) {
    switch (key) {
    case NavigatorKey::Tab:
        return true;
    case NavigatorKey::Enter:
        if (modifiers == NoModifier) {
            choose(selected, false);
            return true;
        }
        if (modifiers == ControlModifier) {
            choose(selected, true);
            return true;
        }
        return false;
    case NavigatorKey::Other:
        return false;
    }
    return false;
}

std::optional<NavigatorChoice> BlockNavigator::takeChoice(bool navigatorVisible) {
    if (!navigatorVisible || m_pendingLine <= 0)
        return std::nullopt;
    const NavigatorChoice choice{m_pendingLine, m_pendingInsert};
    m_pendingLine = 0;
    return choice;
}

void WriteChosenResponse(LineStore& store, int row, std::int32_t line) {
    store.setCell(row, ColResponse, IntText(line));
}

} // namespace dolmex
