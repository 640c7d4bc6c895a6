#pragma once

// Which blocks of a dialog a conversation can get to. A conversation starts at the first
// NPC line and goes on through the lines that a block names: the NPC line's and its
// answers' responses, their "jo", "et" and "uw" results and the lines of their "G:" and
// "M:" texts (every reference VisitReferences reads).

#include "core/PackedLine.h"

#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace dolmex {

// An NPC line: a record whose intelligence cell holds no characters, as blocks are read.
bool IsNpcLine(const PackedLine& line);

// Data rows counted from 1, as the grid counts them.
class DialogRows {
public:
    explicit DialogRows(const DialogLines& lines);

    const DialogLines& lines() const { return m_lines; }
    int count() const { return static_cast<int>(m_lines.size()); }
    const PackedLine& line(int row) const { return m_lines[static_cast<std::size_t>(row - 1)]; }

    // The row a jump to `number` lands on (the last row carrying it, as the grid's jump
    // goes), or 0.
    int rowOf(std::int32_t number) const;
    // How many rows carry `number` (positive numbers only; 0 for any other).
    int uses(std::int32_t number) const;
    // The first NPC line's row, or 0.
    int firstNpcRow() const;
    // The NPC line of the block that holds `row` (the row itself for an NPC line), or 0.
    int blockOf(int row) const;
    // The player lines after the NPC line at `npcRow`, in row order.
    std::vector<int> answersOf(int npcRow) const;

private:
    const DialogLines& m_lines;
    // (number, row) in number order, the last row carrying a number last among its equals:
    // one block of memory for what a map would hold in a node per row.
    std::vector<std::pair<std::int32_t, int>> m_rowOf;
};

// The NPC lines each row's references land on, read once for several walks through the
// blocks (references landing on a player line or on no line are left out).
class BlockLinks {
public:
    explicit BlockLinks(const DialogRows& rows);

    const DialogRows& rows() const { return m_rows; }
    // The NPC rows that `row` names, in the order its references are read.
    std::span<const int> targetsOf(int row) const {
        const auto begin = static_cast<std::size_t>(m_start[static_cast<std::size_t>(row)]);
        const auto end = static_cast<std::size_t>(m_start[static_cast<std::size_t>(row) + 1]);
        return std::span<const int>(m_targets).subspan(begin, end - begin);
    }

private:
    const DialogRows& m_rows;
    std::vector<int> m_start; // where each row's targets begin in m_targets; one past the last
    std::vector<int> m_targets;
};

// For each row (index 0 unused), whether it is an NPC line that a conversation reaches
// from the first NPC line. `follow`, when given, says which answers a conversation may
// take (all, without it); the NPC line's own references are always followed. A reference
// that lands on a player line reaches no block.
std::vector<bool> ReachableBlocks(const DialogRows& rows,
                                  const std::function<bool(int answerRow)>& follow = {});
std::vector<bool> ReachableBlocks(const BlockLinks& links,
                                  const std::function<bool(int answerRow)>& follow = {});

} // namespace dolmex
