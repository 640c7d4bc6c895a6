#pragma once

// Small text operations of the wizard on cells and operation items.

#include <cstdint>
#include <string>
#include <string_view>

namespace dolmex {

// The absolute value of the cell's number; a text that is no whole number reads as 1.
std::int64_t Magnitude(std::string_view text);

// A track bar position within 1 to 20.
int ClampToTrack(std::int64_t position);

// The field with comma item `position` (1-based, as CommaItem counts, leading blanks not
// part of it) replaced by `item`; every other byte stays as it was. A position past the
// end changes nothing.
std::string ReplaceCommaItem(std::string_view field, int position, std::string_view item);

// The field without comma item `position` and one of the commas beside it.
std::string RemoveCommaItem(std::string_view field, int position);

} // namespace dolmex
