#include "ReferenceIndex.h"

#include <algorithm>

namespace dolmex {

ReferenceIndex::ReferenceIndex(LineStore& store) : m_store(store) {
    m_store.addObserver(this);
    lineStoreChanged({LineStoreChange::Kind::Reset, 1, 0, -1});
}

ReferenceIndex::~ReferenceIndex() {
    m_store.removeObserver(this);
}

void ReferenceIndex::lineStoreChanged(const LineStoreChange& change) {
    const auto first = static_cast<std::size_t>(std::max(change.firstRow, 1) - 1);
    const auto count = static_cast<std::size_t>(std::max(change.rowCount, 0));
    switch (change.kind) {
    case LineStoreChange::Kind::Reset:
        m_rows.assign(static_cast<std::size_t>(m_store.dataRowCount()), Row{});
        m_staleRows = m_rows.size();
        return;
    case LineStoreChange::Kind::CellsChanged: {
        // Numbers, intelligence, tests and comments name no line.
        const int c = change.column;
        if (c >= 0 && c != ColText && c != ColGender && c != ColResponse && c != ColResult)
            return;
        const std::size_t end = std::min(first + count, m_rows.size());
        for (std::size_t row = first; row < end; ++row) {
            if (!m_rows[row].stale) {
                m_rows[row].stale = true;
                ++m_staleRows;
            }
        }
        return;
    }
    case LineStoreChange::Kind::RowsInserted:
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(std::min(first, m_rows.size())),
                      count, Row{});
        m_staleRows += count;
        return;
    case LineStoreChange::Kind::RowsRemoved: {
        const auto begin =
            m_rows.begin() + static_cast<std::ptrdiff_t>(std::min(first, m_rows.size()));
        const auto end = begin + static_cast<std::ptrdiff_t>(std::min(
                                     count, static_cast<std::size_t>(m_rows.end() - begin)));
        m_staleRows -= static_cast<std::size_t>(
            std::count_if(begin, end, [](const Row& row) { return row.stale; }));
        m_rows.erase(begin, end);
        return;
    }
    case LineStoreChange::Kind::TitleChanged:
        return;
    }
}

void ReferenceIndex::refresh() const {
    const DialogLines& lines = m_store.lines();
    if (m_rows.size() != lines.size()) {
        // Only a change this index was not told of can get here; read everything again.
        m_rows.assign(lines.size(), Row{});
        m_staleRows = m_rows.size();
    }
    if (m_staleRows == 0)
        return;
    for (std::size_t i = 0; i < m_rows.size() && m_staleRows > 0; ++i) {
        Row& row = m_rows[i];
        if (!row.stale)
            continue;
        row.sites.clear();
        VisitReferences(lines[i], ReferenceScope{}, [&row](const ReferenceSite& site) {
            Site kept{site.number, site.kind, static_cast<std::uint8_t>(site.column), {0, 0}};
            std::copy_n(site.code.begin(), std::min<std::size_t>(site.code.size(), 2), kept.code);
            row.sites.push_back(kept);
        });
        row.sites.shrink_to_fit();
        row.stale = false;
        --m_staleRows;
    }
}

std::vector<LineReference> ReferenceIndex::referencesTo(std::int32_t number) const {
    std::vector<LineReference> found;
    if (number < 1)
        return found;
    refresh();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        for (const Site& site : m_rows[i].sites) {
            if (site.number != number)
                continue;
            found.push_back({static_cast<int>(i) + 1, site.kind,
                             site.kind == ReferenceKind::Result
                                 ? std::string{site.code[0], site.code[1]}
                                 : std::string(),
                             site.column});
        }
    }
    return found;
}

} // namespace dolmex
