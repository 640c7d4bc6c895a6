#pragma once

#include <array>
#include <string>

namespace dolmex {

// The eight cells of one dialog line, in grid column order. Cells are raw bytes.
enum Column : int {
    ColNumber = 0,
    ColText = 1,
    ColGender = 2,
    ColIntelligence = 3,
    ColTest = 4,
    ColResponse = 5,
    ColResult = 6,
    ColComment = 7,
};

inline constexpr int kColumnCount = 8;
// Columns 0 to 6 are the record's brace fields; column 7 is the comment line.
inline constexpr int kFieldCount = 7;

using DialogLine = std::array<std::string, kColumnCount>;

inline bool IsEmptyRecord(const DialogLine& line) {
    for (int c = 0; c < kFieldCount; ++c) {
        if (!line[c].empty())
            return false;
    }
    return true;
}

} // namespace dolmex
