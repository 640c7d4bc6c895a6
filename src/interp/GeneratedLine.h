#pragma once

#include "DescriptionContext.h"

#include <string_view>

namespace dolmex {

// Describes a line's text. A plain text is shown in double quotes; a generated line
// ("G:1 fl 12, 3 40": a kind letter, ":", comma-separated arguments) gets its kind's
// heading, with `showExplanation` the kind's explanation, and its arguments spelled out by
// the kind's template. Line numbers it names become navigation entries; areas, rumours
// and quests are looked up in the message files. A first character that selects no kind
// of the language file (not a letter, or a letter the file leaves undefined) is shown as
// a plain text.
void GenerDialog(const DescriptionContext& context, std::string_view text, bool showExplanation);

} // namespace dolmex
