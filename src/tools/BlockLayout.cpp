#include "BlockLayout.h"

#include "core/LineStore.h"
#include "core/TextFields.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace dolmex {

namespace {

bool IsNpcLine(const LineStore& store, int row) {
    return store.cell(row, ColIntelligence).empty();
}

} // namespace

bool NumberBlock(LineStore& store, int currentRow) {
    const int lastRow = store.dataRowCount();
    if (currentRow < 1 || currentRow > lastRow)
        return false;
    int head = currentRow;
    while (head >= 1 && !IsNpcLine(store, head))
        --head;
    if (head < 1 || head == lastRow)
        return false;
    const std::int64_t base = ParseIntOrMinus1(store.cell(head, ColNumber));
    // A head without a number would start its player lines at 0, which reads as "end of
    // the conversation" wherever it is named.
    if (base < 0)
        return false;
    int end = head + 1;
    while (end <= lastRow && !IsNpcLine(store, end))
        ++end;
    const int count = end - head - 1;
    if (count == 0)
        return false;
    int next = end;
    // One unnumbered row, such as a separator, is passed over.
    if (next <= lastRow && store.cell(next, ColNumber).empty())
        ++next;
    if (next <= lastRow && ParseIntOrMinus1(store.cell(next, ColNumber)) - base < count + 1)
        return false;
    if (base + count > std::numeric_limits<std::int32_t>::max())
        return false;
    std::vector<DialogLine> players;
    players.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        players.push_back(store.line(head + i));
        players.back()[ColNumber] = IntText(static_cast<std::int32_t>(base + i));
    }
    store.setLines(head + 1, std::move(players));
    return true;
}

bool InsertSeparators(LineStore& store) {
    const int rowCount = store.dataRowCount();
    if (rowCount < 2)
        return false;
    DialogLines rows;
    bool inserted = false;
    int row = 0;
    for (const PackedLine& line : store.lines()) {
        ++row;
        // Row 1 and the last row never get one; an empty row counts as an NPC line.
        if (row >= 2 && row < rowCount && line[ColIntelligence].empty()) {
            rows.emplace_back();
            inserted = true;
        }
        rows.push_back(line);
    }
    if (inserted)
        store.replaceAll(std::move(rows));
    return inserted;
}

bool DeleteEmptyLines(LineStore& store) {
    const int rowCount = store.dataRowCount();
    if (rowCount < 2)
        return false;
    DialogLines rows;
    int row = 0;
    for (const PackedLine& line : store.lines()) {
        ++row;
        // The last row is never examined, so an empty last row stays.
        if (row == rowCount || !IsEmptyRecord(line))
            rows.push_back(line);
    }
    if (static_cast<int>(rows.size()) == rowCount)
        return false;
    store.replaceAll(std::move(rows));
    return true;
}

void ClearComments(LineStore& store) {
    bool any = false;
    for (const PackedLine& line : store.lines())
        any = any || !line[ColComment].empty();
    if (any) {
        DialogLines rows = store.lines();
        for (PackedLine& line : rows)
            line.set(ColComment, {});
        store.setPackedLines(1, std::move(rows));
    }
}

} // namespace dolmex
