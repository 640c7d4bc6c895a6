#pragma once

#include "CellMatcher.h"
#include "core/LineStore.h"

#include <optional>
#include <vector>

namespace dolmex {

// One match: a data row (1 = first), a column and where in the cell.
struct CellMatch {
    int row = 0;
    int column = 0;
    TextSpan span;
    bool operator==(const CellMatch&) const = default;
};

// The match after (or, backward, before) `from`, in the order row by row, column 0 to 7,
// span by span, wrapping around the ends of the dialog; `*wrapped` (when given) tells
// whether it did. The match `from` itself is found again only when it is the only one.
// With `from` null the search starts at an end of the dialog, forward at the first cell,
// backward at the last, without wrapping. A `from` outside the dialog counts as just before
// its first cell (row < 1) or just after its last (row past the end).
std::optional<CellMatch> FindNext(const LineStore& store, const CellMatcher& matcher,
                                  const CellMatch* from, bool backward, bool* wrapped);

// Every match in order.
std::vector<CellMatch> FindAll(const LineStore& store, const CellMatcher& matcher);

} // namespace dolmex
