#include "LanguageTables.h"

namespace dolmex {

const CodeEntry& CodeTable::entry(int n) const {
    static const CodeEntry empty;
    return n >= 1 && n <= m_count ? m_entries[static_cast<std::size_t>(n - 1)] : empty;
}

bool CodeTable::add(CodeEntry entry) {
    if (m_count >= kCapacity)
        return false;
    m_entries[static_cast<std::size_t>(m_count++)] = std::move(entry);
    return true;
}

const GeneratedKind* LanguageTables::generatedKind(char letter) const {
    if (letter < 'A' || letter > 'Z')
        return nullptr;
    return &generatedDialog[static_cast<std::size_t>(letter - 'A')];
}

} // namespace dolmex
