#pragma once

#include <QString>

#include <cstdint>

namespace dolmex {

// What the user asks to find: a text or a regular expression, in some of the eight columns.
struct FindQuery {
    QString pattern;
    std::uint8_t columns = 0xFF; // bit i = column i
    bool matchCase = false;
    bool wholeWord = false;
    bool regex = false;
};

} // namespace dolmex
