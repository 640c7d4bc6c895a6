#pragma once

// How an operation item of a test or result field is taken apart: a two-letter code and
// argument words, each word read as a kind (from its first character) and a magnitude.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dolmex {

struct Argument {
    int kind = 0;
    // 64 bits, so that the magnitude of the most negative 32-bit number fits.
    std::int64_t magnitude = 0;

    bool operator==(const Argument&) const = default;
};

// A test argument, and the second argument of a result: "+" 4, "-" 3, "0" 2, "1".."9" 1,
// anything else (an empty word too) 5. A word that is no whole number has magnitude 1.
Argument TestArgument(std::string_view word);

// The first argument of a result: as TestArgument, plus ">" 6 and "<" 5, and anything else
// 7. A leading ">" or "<" reads as "0" for the number, so ">5" has magnitude 5.
Argument ResultFirstArgument(std::string_view word);

// The item's operation code: its first two characters, or empty when it has fewer, so a
// one-character item never matches a code.
std::string_view OperationCode(std::string_view item);

// The comma items of a field in order, leading blanks dropped (as CommaItem gives them),
// up to the first empty item. Splitting once keeps long fields linear.
std::vector<std::string_view> LeadingCommaItems(std::string_view field);

// All comma items of a text, empty ones included, as CommaItem numbers them from 1.
std::vector<std::string_view> AllCommaItems(std::string_view text);

std::string MagnitudeText(std::int64_t magnitude);

} // namespace dolmex
