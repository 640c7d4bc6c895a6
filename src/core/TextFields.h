#pragma once

// Small, stateless helpers that take dialog lines, operation lists, language-file
// lines and settings lines apart. Texts are 8-bit byte strings; positions are 1-based.
// None of them fails: a missing word, field or item is the empty text.

#include <cstdint>
#include <string>
#include <string_view>

namespace dolmex {

// The character at 1-based position `pos`, or a blank past the end.
char CharAt(std::string_view text, int pos);

// The n-th word after the two-letter operation code ("gf 12 3", 2 -> "3").
std::string TailWord(std::string_view text, unsigned n);

// Upper-cases ASCII letters in place and returns a copy of the result.
std::string MakeUpper(std::string& text);

// Whole-text integer literal (decimal or "$", "x", "0x" hex, optional sign and leading
// blanks, signed 32-bit range); -1 for anything else.
std::int32_t ParseIntOrMinus1(std::string_view text);

std::string IntText(std::int32_t n);

// The n-th run of characters above code 32, with underscores shown as blanks.
std::string WordAt(std::string_view text, unsigned n);

// The n-th brace field, found by counting "{" characters. The last character of the
// line is never read, so a well-formed line's closing "}" is the only thing skipped.
std::string BraceField(std::string_view line, unsigned n);

// Reads brace fields one after another; `pos` is 1-based and advances to where the
// field's collection stopped.
std::string NextBraceField(std::string_view line, int& pos);

// The n-th comma-separated item without its leading blanks.
std::string CommaItem(std::string_view text, unsigned n);

} // namespace dolmex
