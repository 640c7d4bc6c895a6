#include "DescriptionPanel.h"

namespace dolmex {

void DescriptionPanel::addHeading(std::string text) {
    m_bold = true;
    add(std::move(text));
    m_bold = false;
}

void DescriptionPanel::addMove(const std::string& entry) {
    if (m_moveSet.insert(entry).second)
        m_moves.push_back(entry);
}

void DescriptionPanel::clear() {
    m_lines.clear();
    m_moves.clear();
    m_moveSet.clear();
    m_bold = false;
}

} // namespace dolmex
