#pragma once

#include "DescriptionContext.h"

#include <string_view>

namespace dolmex {

// Describes a result field: a bold heading, then one numbered line per RESULT entry whose
// code matches an item, with the message look-ups of the codes that name one. With
// `collectMoves` the results that lead elsewhere add their navigation entries.
void ResultDesc(const DescriptionContext& context, std::string_view field, bool collectMoves);

} // namespace dolmex
