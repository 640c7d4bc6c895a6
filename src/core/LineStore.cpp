#include "LineStore.h"

#include <algorithm>
#include <atomic>

namespace dolmex {

namespace {

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

bool IsColumn(int column) {
    return column >= 0 && column < kColumnCount;
}

// One counter for all stores, so no two stores nor two states of one share a revision.
std::uint64_t NextRevision() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

LineStore::LineStore() : m_rows(1), m_revision(NextRevision()) {}

std::string_view LineStore::cell(int row, int column) const {
    if (!isDataRow(row))
        return {};
    return m_rows[static_cast<std::size_t>(row - 1)][column];
}

DialogLine LineStore::line(int row) const {
    if (!isDataRow(row))
        return {};
    return m_rows[static_cast<std::size_t>(row - 1)].unpack();
}

const std::string& LineStore::title(int column) const {
    return IsColumn(column) ? m_titles[static_cast<std::size_t>(column)] : EmptyText();
}

void LineStore::setTitle(int column, std::string text) {
    if (!IsColumn(column))
        return;
    m_titles[static_cast<std::size_t>(column)] = std::move(text);
    changed({LineStoreChange::Kind::TitleChanged, 0, 0, column});
}

void LineStore::setCell(int row, int column, std::string_view text) {
    if (!isDataRow(row) || !IsColumn(column))
        return;
    const LineStoreChange change{LineStoreChange::Kind::CellsChanged, row, 1, column};
    aboutToChange(change);
    m_rows[static_cast<std::size_t>(row - 1)].set(column, text);
    changed(change);
}

void LineStore::setLine(int row, DialogLine line) {
    if (!isDataRow(row))
        return;
    const LineStoreChange change{LineStoreChange::Kind::CellsChanged, row, 1, -1};
    aboutToChange(change);
    m_rows[static_cast<std::size_t>(row - 1)] = PackedLine(line);
    changed(change);
}

void LineStore::setLines(int firstRow, std::vector<DialogLine> lines) {
    setPackedLines(firstRow, DialogLines(lines.begin(), lines.end()));
}

void LineStore::setPackedLines(int firstRow, DialogLines lines) {
    if (!isDataRow(firstRow) || lines.empty())
        return;
    const int count = std::min(static_cast<int>(lines.size()), rowCount() - firstRow);
    const LineStoreChange change{LineStoreChange::Kind::CellsChanged, firstRow, count, -1};
    aboutToChange(change);
    std::move(lines.begin(), lines.begin() + count, m_rows.begin() + (firstRow - 1));
    changed(change);
}

void LineStore::insertLines(int row, std::vector<DialogLine> lines) {
    insertPackedLines(row, DialogLines(lines.begin(), lines.end()));
}

void LineStore::insertPackedLines(int row, DialogLines lines) {
    if (lines.empty())
        return;
    row = std::clamp(row, 1, rowCount());
    const LineStoreChange change{LineStoreChange::Kind::RowsInserted, row,
                                 static_cast<int>(lines.size()), -1};
    aboutToChange(change);
    m_rows.insert(m_rows.begin() + (row - 1), std::make_move_iterator(lines.begin()),
                  std::make_move_iterator(lines.end()));
    changed(change);
}

void LineStore::removeLines(int row, int count) {
    if (!isDataRow(row) || count <= 0)
        return;
    count = std::min(count, rowCount() - row);
    if (count >= dataRowCount()) {
        SGClear();
        return;
    }
    const LineStoreChange change{LineStoreChange::Kind::RowsRemoved, row, count, -1};
    aboutToChange(change);
    m_rows.erase(m_rows.begin() + (row - 1), m_rows.begin() + (row - 1 + count));
    changed(change);
}

void LineStore::replaceAll(DialogLines lines) {
    const LineStoreChange change{LineStoreChange::Kind::Reset, 1, 0, -1};
    aboutToChange(change);
    m_rows = std::move(lines);
    if (m_rows.empty())
        m_rows.resize(1);
    changed(change);
}

void LineStore::SGClear() {
    replaceAll({});
}

void LineStore::addObserver(LineStoreObserver* observer) {
    if (observer &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void LineStore::removeObserver(LineStoreObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void LineStore::aboutToChange(const LineStoreChange& change) {
    for (LineStoreObserver* observer : m_observers)
        observer->lineStoreAboutToChange(change);
}

void LineStore::changed(const LineStoreChange& change) {
    m_revision = NextRevision();
    for (LineStoreObserver* observer : m_observers)
        observer->lineStoreChanged(change);
}

} // namespace dolmex
