#pragma once

#include "DescriptionContext.h"

#include <string_view>

namespace dolmex {

// Describes a test field: a bold heading, then one numbered line per TEST entry whose
// code matches an item; the number a test names is looked up in the message files.
// Items are read up to the first empty one.
void TestDesc(const DescriptionContext& context, std::string_view field);

} // namespace dolmex
