#include "StoreSearch.h"

#include <algorithm>
#include <limits>

namespace dolmex {

namespace {

// A place between spans: row, column and a span start. A span is after the place when it
// starts after `start`.
struct Place {
    int row;
    int column;
    int start;
};

class Search {
public:
    Search(const LineStore& store, const CellMatcher& matcher)
        : m_rows(store.lines()), m_matcher(matcher) {}

    int lastRow() const { return static_cast<int>(m_rows.size()); }

    // The first span of a cell with start > after (forward) or the last with start < before
    // (backward); the bounds are exclusive, so use the int limits for a whole cell.
    std::optional<CellMatch> inCell(int row, int column, bool backward, int bound) const {
        if (!m_matcher.searches(column))
            return std::nullopt;
        const std::string_view cell = m_rows[static_cast<std::size_t>(row - 1)][column];
        // The quick test first: most cells do not match, and spans cost more.
        if (!m_matcher.matches(cell))
            return std::nullopt;
        const std::vector<TextSpan> spans = m_matcher.spansIn(cell);
        if (backward) {
            for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
                if (span->start < bound)
                    return CellMatch{row, column, *span};
            }
        } else {
            for (const TextSpan& span : spans) {
                if (span.start > bound)
                    return CellMatch{row, column, span};
            }
        }
        return std::nullopt;
    }

    // Whole cells strictly after (row, column) up to and including (toRow, toColumn).
    // The row is looked up once for its eight cells: this loop is the whole cost of a
    // search that runs to the end of a large dialog.
    std::optional<CellMatch> forward(int row, int column, int toRow, int toColumn) const {
        if (row < 1) {
            row = 1;
            column = -1;
        }
        if (row > toRow)
            return std::nullopt;
        auto it = m_rows.begin() + (row - 1);
        for (; row <= toRow; ++row, ++it, column = -1) {
            const PackedLine& line = *it;
            const int last = row == toRow ? toColumn : kColumnCount - 1;
            for (int c = column + 1; c <= last; ++c) {
                if (m_matcher.searches(c) && m_matcher.matches(line[c]))
                    return inCell(row, c, false, std::numeric_limits<int>::min());
            }
        }
        return std::nullopt;
    }

    // Whole cells strictly before (row, column) down to and including (toRow, toColumn).
    std::optional<CellMatch> backward(int row, int column, int toRow, int toColumn) const {
        for (; row >= toRow; --row, column = kColumnCount) {
            if (row > lastRow())
                continue;
            const PackedLine& line = m_rows[static_cast<std::size_t>(row - 1)];
            const int first = row == toRow ? toColumn : 0;
            for (int c = column - 1; c >= first; --c) {
                if (m_matcher.searches(c) && m_matcher.matches(line[c]))
                    return inCell(row, c, true, std::numeric_limits<int>::max());
            }
        }
        return std::nullopt;
    }

private:
    const DialogLines& m_rows;
    const CellMatcher& m_matcher;
};

} // namespace

std::optional<CellMatch> FindNext(const LineStore& store, const CellMatcher& matcher,
                                  const CellMatch* from, bool backward, bool* wrapped) {
    if (wrapped)
        *wrapped = false;
    const Search search(store, matcher);
    const int last = search.lastRow();
    constexpr int kBefore = std::numeric_limits<int>::min();
    constexpr int kAfter = std::numeric_limits<int>::max();
    Place place = backward ? Place{last, kColumnCount - 1, kAfter} : Place{1, 0, kBefore};
    if (from) {
        if (from->row < 1)
            place = {1, 0, kBefore};
        else if (from->row > last)
            place = {last, kColumnCount - 1, kAfter};
        else
            place = {from->row, std::clamp(from->column, 0, kColumnCount - 1), from->span.start};
    }
    const auto aroundTheEnd = [wrapped](std::optional<CellMatch> match) {
        if (wrapped)
            *wrapped = true;
        return match;
    };
    if (!backward) {
        if (auto match = search.inCell(place.row, place.column, false, place.start))
            return match;
        if (auto match = search.forward(place.row, place.column, last, kColumnCount - 1))
            return match;
        // Around from the top, back to the place, the place's own cell included.
        if (auto match = search.forward(1, -1, place.row, place.column - 1))
            return aroundTheEnd(match);
        if (auto match = search.inCell(place.row, place.column, false, kBefore);
            match && match->span.start <= place.start)
            return aroundTheEnd(match);
        return std::nullopt;
    }
    if (auto match = search.inCell(place.row, place.column, true, place.start))
        return match;
    if (auto match = search.backward(place.row, place.column, 1, 0))
        return match;
    if (auto match = search.backward(last, kColumnCount, place.row, place.column + 1))
        return aroundTheEnd(match);
    if (auto match = search.inCell(place.row, place.column, true, kAfter);
        match && match->span.start >= place.start)
        return aroundTheEnd(match);
    return std::nullopt;
}

std::vector<CellMatch> FindAll(const LineStore& store, const CellMatcher& matcher) {
    std::vector<CellMatch> found;
    int row = 0;
    for (const PackedLine& line : store.lines()) {
        ++row;
        for (int column = 0; column < kColumnCount; ++column) {
            if (!matcher.searches(column) || !matcher.matches(line[column]))
                continue;
            for (const TextSpan& span : matcher.spansIn(line[column]))
                found.push_back({row, column, span});
        }
    }
    return found;
}

} // namespace dolmex
