#pragma once

// The template language of the TEST and RESULT tables: choices ("!" or "?"), numbers
// ("#"), names ("&") and literal characters with runs of blanks collapsed.

#include "OperationArgs.h"

#include <array>
#include <string>
#include <string_view>

namespace dolmex {

struct LanguageTables;

// Expands `templ` over up to three arguments. `argumentCount` (2 or 3) decides what a
// selector other than "1" (and "2" for three arguments) picks: the last argument.
std::string ExpandOperationTemplate(std::string_view templ, const LanguageTables& tables,
                                    const std::array<Argument, 3>& arguments, int argumentCount);

// TEST table entry `entry` (counted from 1; any other number expands to nothing).
std::string ExpandTestTemplate(const LanguageTables& tables, int entry, Argument first,
                               Argument second, Argument third);

// RESULT table entry `entry`, over two arguments.
std::string ExpandResultTemplate(const LanguageTables& tables, int entry, Argument first,
                                 Argument second);

} // namespace dolmex
