#include "NavigationHistory.h"

#include <algorithm>

namespace dolmex {

namespace {

void Push(std::vector<int>& rows, int row) {
    if (!rows.empty() && rows.back() == row)
        return;
    rows.push_back(row);
    if (rows.size() > NavigationHistory::kDepth)
        rows.erase(rows.begin());
}

// After rows moved, two neighbours may name the same row: going back once must move.
void DropRepeats(std::vector<int>& rows) {
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
}

} // namespace

NavigationHistory::NavigationHistory(LineStore& store) : m_store(store) {
    m_store.addObserver(this);
}

NavigationHistory::~NavigationHistory() {
    m_store.removeObserver(this);
}

void NavigationHistory::jumped(int from, int to) {
    if (from == to || !m_store.isDataRow(from))
        return;
    Push(m_back, from);
    m_forward.clear();
}

std::optional<int> NavigationHistory::back(int current) {
    return step(m_back, m_forward, current);
}

std::optional<int> NavigationHistory::forward(int current) {
    return step(m_forward, m_back, current);
}

std::optional<int> NavigationHistory::step(std::vector<int>& from, std::vector<int>& to,
                                           int current) {
    // A row equal to where the user stands is no step: skip it.
    while (!from.empty() && from.back() == current)
        from.pop_back();
    if (from.empty())
        return std::nullopt;
    const int row = from.back();
    from.pop_back();
    if (m_store.isDataRow(current))
        Push(to, current);
    return row;
}

void NavigationHistory::clear() {
    m_back.clear();
    m_forward.clear();
}

void NavigationHistory::lineStoreChanged(const LineStoreChange& change) {
    const int first = change.firstRow;
    const int count = change.rowCount;
    const auto adjust = [&](std::vector<int>& rows) {
        for (int& row : rows) {
            if (change.kind == LineStoreChange::Kind::RowsInserted && row >= first) {
                row += count;
            } else if (change.kind == LineStoreChange::Kind::RowsRemoved && row >= first) {
                // A removed row is remembered as the line that took its place.
                row = row >= first + count ? row - count : first;
            }
            row = std::clamp(row, 1, m_store.rowCount() - 1);
        }
        DropRepeats(rows);
    };
    switch (change.kind) {
    case LineStoreChange::Kind::Reset:
        clear();
        break;
    case LineStoreChange::Kind::RowsInserted:
    case LineStoreChange::Kind::RowsRemoved:
        adjust(m_back);
        adjust(m_forward);
        break;
    default:
        break;
    }
}

} // namespace dolmex
