#include "TextFields.h"

#include <limits>

namespace dolmex {

namespace {

bool IsWordChar(char c) {
    return static_cast<unsigned char>(c) > 32;
}

// Scans like the brace reader: from 0-based index `i`, skips to the next "{" that lies
// before the last character and steps past it. Returns the index reached.
std::size_t SkipToFieldStart(std::string_view line, std::size_t i) {
    const std::size_t last = line.empty() ? 0 : line.size() - 1;
    while (i < last && line[i] != '{')
        ++i;
    if (i < last)
        ++i;
    return i;
}

// Collects up to the next "}" but never reads the last character.
std::size_t FieldEnd(std::string_view line, std::size_t i) {
    const std::size_t last = line.empty() ? 0 : line.size() - 1;
    while (i < last && line[i] != '}')
        ++i;
    return i;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

char CharAt(std::string_view text, int pos) {
    if (pos < 1 || static_cast<std::size_t>(pos) > text.size())
        return ' ';
    return text[static_cast<std::size_t>(pos) - 1];
}

std::string TailWord(std::string_view text, unsigned n) {
    if (text.size() < 3)
        return {};
    return WordAt(text.substr(2), n);
}

std::string MakeUpper(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::int32_t ParseIntOrMinus1(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return -1;
    // The magnitude may reach 2^31 for the most negative value; stop as soon as it passes.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexDigit(text[i])
                                     : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0)
            return -1;
        value = value * base + digit;
        if (value > limit)
            return -1;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(value);
}

std::string IntText(std::int32_t n) {
    return std::to_string(n);
}

std::string WordAt(std::string_view text, unsigned n) {
    if (n == 0)
        return {};
    std::size_t i = 0;
    for (unsigned word = 1;; ++word) {
        while (i < text.size() && !IsWordChar(text[i]))
            ++i;
        if (i >= text.size())
            return {};
        const std::size_t start = i;
        while (i < text.size() && IsWordChar(text[i]))
            ++i;
        if (word == n) {
            std::string result(text.substr(start, i - start));
            for (char& c : result) {
                if (c == '_')
                    c = ' ';
            }
            return result;
        }
    }
}

std::string BraceField(std::string_view line, unsigned n) {
    std::size_t i = 0;
    for (unsigned k = 0; k < n; ++k)
        i = SkipToFieldStart(line, i);
    return std::string(line.substr(i, FieldEnd(line, i) - i));
}

std::string NextBraceField(std::string_view line, int& pos) {
    if (pos < 1)
        pos = 1;
    if (static_cast<std::size_t>(pos) >= line.size())
        return {};
    const std::size_t start = SkipToFieldStart(line, static_cast<std::size_t>(pos) - 1);
    const std::size_t end = FieldEnd(line, start);
    // The stop index is 0-based; as a 1-based position it names the "}" (or the line's end).
    pos = static_cast<int>(end + 1);
    return std::string(line.substr(start, end - start));
}

std::string CommaItem(std::string_view text, unsigned n) {
    if (n == 0)
        return {};
    std::size_t start = 0;
    for (unsigned item = 1; item < n; ++item) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    std::size_t end = text.find(',', start);
    if (end == std::string_view::npos)
        end = text.size();
    while (start < end && text[start] == ' ')
        ++start;
    return std::string(text.substr(start, end - start));
}

} // namespace dolmex
