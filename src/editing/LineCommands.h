#pragma once

// The line commands of the editing menu, on the line store. Each is one change of the
// store; the caller refreshes the description and the grid cursor.

namespace dolmex {

class LineStore;

// A block of selected data rows, first <= last.
struct RowBlock {
    int first = 1;
    int last = 1;
    bool operator==(const RowBlock&) const = default;
};

// Adds a row at the end numbered one more than the last row (0 when that holds no
// number); returns the new row.
int AppendLine(LineStore& store);

// Puts an empty, unnumbered row at `row`; the rows from there move down.
void InsertLine(LineStore& store, int row);

// Deletes the block (the store keeps one row); returns the row the cursor goes to.
int DeleteLines(LineStore& store, RowBlock block);

void CopyTextToGender(LineStore& store, int row);
void CopyGenderToText(LineStore& store, int row);

// Moves the block one row up or down, swapping it with its neighbour. Returns the moved
// block, or false (nothing changed) at the top or bottom.
bool MoveLinesUp(LineStore& store, RowBlock& block);
bool MoveLinesDown(LineStore& store, RowBlock& block);

} // namespace dolmex
