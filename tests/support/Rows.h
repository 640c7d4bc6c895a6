#pragma once

#include "core/PackedLine.h"

#include <vector>

namespace dolmex {

// Editable copies of stored rows, to compare with gtest's readable output.
inline std::vector<DialogLine> Unpacked(const DialogLines& lines) {
    std::vector<DialogLine> unpacked;
    unpacked.reserve(lines.size());
    for (const PackedLine& line : lines)
        unpacked.push_back(line.unpack());
    return unpacked;
}

} // namespace dolmex
