#include "PackedLine.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace dolmex {

namespace {

PackedLine::Cells ViewsOf(const DialogLine& line) {
    PackedLine::Cells cells;
    for (int c = 0; c < kColumnCount; ++c)
        cells[static_cast<std::size_t>(c)] = line[static_cast<std::size_t>(c)];
    return cells;
}

} // namespace

PackedLine::PackedLine(const DialogLine& line) {
    pack(ViewsOf(line));
}

PackedLine::PackedLine(const Cells& cells) {
    pack(cells);
}

PackedLine::PackedLine(std::initializer_list<std::string_view> cells) {
    Cells views;
    std::copy_n(cells.begin(), std::min(cells.size(), views.size()), views.begin());
    pack(views);
}

void PackedLine::pack(const Cells& cells) {
    std::size_t total = 0;
    for (std::string_view cell : cells)
        total += cell.size();
    // Offsets are 32-bit; a line of 4 GiB cannot come from a file the editor can read.
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("dialog line too long");
    std::string bytes;
    bytes.reserve(total);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        bytes += cells[c];
        m_ends[c] = static_cast<std::uint32_t>(bytes.size());
    }
    m_bytes = std::move(bytes);
}

void PackedLine::set(int column, std::string_view text) {
    if (column < 0 || column >= kColumnCount)
        return;
    // The views stay valid while packing: the new buffer replaces the old one only at the
    // end, so `text` may even point into this line.
    Cells views = cells();
    views[static_cast<std::size_t>(column)] = text;
    pack(views);
}

DialogLine PackedLine::unpack() const {
    const Cells views = cells();
    DialogLine line;
    for (std::size_t c = 0; c < views.size(); ++c)
        line[c] = views[c];
    return line;
}

} // namespace dolmex
