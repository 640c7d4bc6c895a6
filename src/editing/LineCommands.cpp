#include "LineCommands.h"

#include "core/LineStore.h"
#include "core/TextFields.h"

#include <algorithm>
#include <vector>

namespace dolmex {

namespace {

RowBlock Clamped(const LineStore& store, RowBlock block) {
    const int lastRow = store.rowCount() - 1;
    block.first = std::clamp(block.first, 1, lastRow);
    block.last = std::clamp(block.last, block.first, lastRow);
    return block;
}

std::vector<DialogLine> Rows(const LineStore& store, int first, int last) {
    std::vector<DialogLine> rows;
    for (int row = first; row <= last; ++row)
        rows.push_back(store.line(row));
    return rows;
}

} // namespace

int AppendLine(LineStore& store) {
    // Computed in 64 bits: a last line numbered 2147483647 must not wrap to a negative one.
    const long long next =
        static_cast<long long>(ParseIntOrMinus1(store.cell(store.rowCount() - 1, ColNumber))) + 1;
    DialogLine line;
    line[ColNumber] = std::to_string(next);
    store.insertLines(store.rowCount(), {line});
    return store.rowCount() - 1;
}

void InsertLine(LineStore& store, int row) {
    store.insertLines(std::clamp(row, 1, store.rowCount() - 1), {DialogLine{}});
}

int DeleteLines(LineStore& store, RowBlock block) {
    block = Clamped(store, block);
    store.removeLines(block.first, block.last - block.first + 1);
    return std::min(block.first, store.rowCount() - 1);
}

void CopyTextToGender(LineStore& store, int row) {
    store.setCell(row, ColGender, store.cell(row, ColText));
}

void CopyGenderToText(LineStore& store, int row) {
    store.setCell(row, ColText, store.cell(row, ColGender));
}

bool MoveLinesUp(LineStore& store, RowBlock& block) {
    block = Clamped(store, block);
    if (block.first <= 1)
        return false;
    std::vector<DialogLine> rows = Rows(store, block.first, block.last);
    rows.push_back(store.line(block.first - 1));
    store.setLines(block.first - 1, std::move(rows));
    --block.first;
    --block.last;
    return true;
}

bool MoveLinesDown(LineStore& store, RowBlock& block) {
    block = Clamped(store, block);
    if (block.last > store.rowCount() - 2)
        return false;
    std::vector<DialogLine> rows{store.line(block.last + 1)};
    for (DialogLine& line : Rows(store, block.first, block.last))
        rows.push_back(std::move(line));
    store.setLines(block.first, std::move(rows));
    ++block.first;
    ++block.last;
    return true;
}

} // namespace dolmex
