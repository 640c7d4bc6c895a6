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
        reset();
        return;
    case LineStoreChange::Kind::CellsChanged: {
        // Numbers, intelligence, tests and comments name no line.
        const int c = change.column;
        if (c >= 0 && c != ColText && c != ColGender && c != ColResponse && c != ColResult)
            return;
        const std::size_t end = std::min(first + count, m_rows.size());
        for (std::size_t row = first; row < end; ++row) {
            if (!m_rows[row].stale) {
                unlink(row);
                m_rows[row].stale = true;
                ++m_staleRows;
            }
        }
        return;
    }
    case LineStoreChange::Kind::RowsInserted: {
        const std::size_t at = std::min(first, m_rows.size());
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), count, Row{});
        m_staleRows += count;
        for (auto& [number, rows] : m_rowsNaming)
            for (auto it = std::lower_bound(rows.begin(), rows.end(), at); it != rows.end(); ++it)
                *it += static_cast<std::uint32_t>(count);
        return;
    }
    case LineStoreChange::Kind::RowsRemoved: {
        const std::size_t begin = std::min(first, m_rows.size());
        const std::size_t end = begin + std::min(count, m_rows.size() - begin);
        for (std::size_t row = begin; row < end; ++row) {
            if (m_rows[row].stale)
                --m_staleRows;
            else
                unlink(row);
        }
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(begin),
                     m_rows.begin() + static_cast<std::ptrdiff_t>(end));
        for (auto& [number, rows] : m_rowsNaming)
            for (auto it = std::lower_bound(rows.begin(), rows.end(), end); it != rows.end(); ++it)
                *it -= static_cast<std::uint32_t>(end - begin);
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
        reset();
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
        link(i);
    }
}

void ReferenceIndex::reset() const {
    m_staleRows = m_rows.size();
    m_rowsNaming.clear();
}

void ReferenceIndex::link(std::size_t row) const {
    const auto index = static_cast<std::uint32_t>(row);
    for (const Site& site : m_rows[row].sites) {
        std::vector<std::uint32_t>& rows = m_rowsNaming[site.number];
        // A whole reading goes in row order, so this is nearly always an append.
        const auto at = std::lower_bound(rows.begin(), rows.end(), index);
        if (at == rows.end() || *at != index)
            rows.insert(at, index);
    }
}

void ReferenceIndex::unlink(std::size_t row) const {
    const auto index = static_cast<std::uint32_t>(row);
    for (const Site& site : m_rows[row].sites) {
        const auto found = m_rowsNaming.find(site.number);
        if (found == m_rowsNaming.end())
            continue;
        std::vector<std::uint32_t>& rows = found->second;
        const auto at = std::lower_bound(rows.begin(), rows.end(), index);
        if (at != rows.end() && *at == index)
            rows.erase(at);
        if (rows.empty())
            m_rowsNaming.erase(found);
    }
}

std::vector<LineReference> ReferenceIndex::referencesTo(std::int32_t number) const {
    std::vector<LineReference> found;
    if (number < 1)
        return found;
    refresh();
    const auto naming = m_rowsNaming.find(number);
    if (naming == m_rowsNaming.end())
        return found;
    for (const std::uint32_t i : naming->second) {
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
