#pragma once

// Commands that tidy a dialog's layout by blocks (an NPC line and the player lines after
// it). Here a row is an NPC line when its intelligence cell holds no characters at all.
// Each command changes the store in one call, or not at all.

namespace dolmex {

class LineStore;

// N34Click: numbers the player lines of the block around `currentRow` after its NPC line
// (base + 1, base + 2, ...), when they fit below the next block's number. Returns false,
// changing nothing, when there is no such block, no room, or the NPC line's number is not
// a whole number of at least 0.
bool NumberBlock(LineStore& store, int currentRow);

// N36Click: an empty row before every NPC line from row 2 to the last-but-one row.
// Returns false when nothing was inserted. The cursor keeps its row index.
bool InsertSeparators(LineStore& store);

// N37Click: deletes every row whose seven fields are empty (with its comment), except the
// last row. Returns false when nothing was deleted. The cursor goes to row 1.
bool DeleteEmptyLines(LineStore& store);

// N31Click: empties every comment (the ClearComments verb marks the document modified
// even when there was no comment).
void ClearComments(LineStore& store);

} // namespace dolmex
