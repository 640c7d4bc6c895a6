#pragma once

// Following a line's response and the navigation entries of MoveList.

#include <cstdint>
#include <optional>
#include <string_view>

namespace dolmex {

class LineStore;
struct LanguageTables;

// The line number a MoveList entry jumps to: its first two words, joined, must equal
// those of MAINDESCRIPTION entry 10, and its third word is the number (-1 when that is no
// whole number). Entries that name no line give nothing.
std::optional<std::int32_t> JumpTarget(const LanguageTables& tables, std::string_view entry);

// The response that Enter follows on `row`: only a number above 0.
std::optional<std::int32_t> FollowedResponse(const LineStore& store, int row);

// The row Responce moves to: the last data row numbered `number`, or nothing when no row
// carries it (the caller warns "Line not found!" and stays where it is).
std::optional<int> ResponceRow(const LineStore& store, std::int32_t number);

} // namespace dolmex
