#pragma once

#include "LineDescriber.h"

#include <QString>

namespace dolmex {

// A description line's text with white space folded as HTML folds it: each run becomes one
// space, and none is left at the start. A no-break space stays.
QString FoldWhiteSpace(const QString& text);

// The description of row `row` as a person reads the panel, for a terminal: "# Row 3", then
// each line with its white space folded, a bold line as a heading ("## ..."), then the
// navigation entries ("-> ..."), each line ending in a line break.
QString PanelText(int row, const LineDescription& description);

} // namespace dolmex
