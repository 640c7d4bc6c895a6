#pragma once

#include <string>
#include <string_view>

namespace dolmex {

// `base` joined with the "/"- or "\"-separated `relative` path. Game modules and language
// names come from Windows, where letter case does not matter: on a case-sensitive file
// system each part of `relative` that does not exist as written is matched against the
// folder's entries ignoring case. Parts with no match are kept as written.
std::string ResolvePathIgnoringCase(const std::string& base, std::string_view relative);

} // namespace dolmex
