#pragma once

#include "DialogLine.h"

#include <array>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>

namespace dolmex {

// One stored dialog line: its eight cells in one buffer, with where each cell ends. A
// large dialog is mostly short cells, and eight separate strings cost more than the text.
class PackedLine {
public:
    using Cells = std::array<std::string_view, kColumnCount>;

    PackedLine() = default;
    // Implicit, so an edited DialogLine goes wherever stored rows are taken.
    PackedLine(const DialogLine& line);
    explicit PackedLine(const Cells& cells);
    // The first cells in column order, the rest empty; cells past the eighth are dropped.
    PackedLine(std::initializer_list<std::string_view> cells);

    std::string_view operator[](int column) const {
        return column >= 0 && column < kColumnCount ? cell(static_cast<std::size_t>(column))
                                                    : std::string_view();
    }
    std::string_view operator[](std::size_t column) const {
        return (*this)[static_cast<int>(column)];
    }
    // All eight cells at once.
    Cells cells() const {
        Cells cells;
        for (std::size_t c = 0; c < cells.size(); ++c)
            cells[c] = cell(c);
        return cells;
    }
    // Replaces one cell; an out-of-range column changes nothing.
    void set(int column, std::string_view text);
    DialogLine unpack() const;

    // All seven record fields empty: the line is written as an empty line.
    bool isEmptyRecord() const { return m_ends[kFieldCount - 1] == 0; }

    bool operator==(const PackedLine&) const = default;

private:
    std::string_view cell(std::size_t column) const {
        const std::uint32_t begin = column == 0 ? 0 : m_ends[column - 1];
        return std::string_view(m_bytes).substr(begin, m_ends[column] - begin);
    }
    void pack(const Cells& cells);

    std::string m_bytes;
    std::array<std::uint32_t, kColumnCount> m_ends{};
};

inline bool IsEmptyRecord(const PackedLine& line) {
    return line.isEmptyRecord();
}

// The rows of a dialog. Stored in chunks rather than one block: a large dialog is tens of
// megabytes of rows, and one block that size comes fresh from the system on every load.
using DialogLines = std::deque<PackedLine>;

} // namespace dolmex
