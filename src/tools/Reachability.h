#pragma once

// Which blocks of a dialog a conversation can get to. A conversation starts at the first
// NPC line and goes on through the lines that a block names: the NPC line's and its
// answers' responses, their "jo", "et" and "uw" results and the lines of their "G:" and
// "M:" texts (every reference VisitReferences reads).

#include "core/PackedLine.h"

#include <cstdint>
#include <functional>
#include <span>
#include <unordered_map>
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
    // The first NPC line's row, or 0.
    int firstNpcRow() const;
    // The NPC line of the block that holds `row` (the row itself for an NPC line), or 0.
    int blockOf(int row) const;
    // The player lines after the NPC line at `npcRow`, in row order.
    std::vector<int> answersOf(int npcRow) const;

private:
    const DialogLines& m_lines;
    std::unordered_map<std::int32_t, int> m_rowOf;
};

// For each row (index 0 unused), whether it is an NPC line that a conversation reaches
// from the first NPC line. `follow`, when given, says which answers a conversation may
// take (all, without it); the NPC line's own references are always followed. A reference
// that lands on a player line reaches no block.
std::vector<bool> ReachableBlocks(const DialogRows& rows,
                                  const std::function<bool(int answerRow)>& follow = {});

// What runs of ReachableBlocks over the same rows read of them, read once (a check makes
// five runs): the rows each row's references land on, and where each block's answers end.
class RowLinks {
public:
    explicit RowLinks(const DialogRows& rows);
    // The rows the references of `row` land on (0 for a number no row carries), in order.
    std::span<const int> named(int row) const {
        const auto from = static_cast<std::size_t>(m_firstNamed[static_cast<std::size_t>(row)]);
        const auto to = static_cast<std::size_t>(m_firstNamed[static_cast<std::size_t>(row) + 1]);
        return std::span<const int>(m_named).subspan(from, to - from);
    }
    // The row after the last answer of the NPC line at `npcRow` (answersOf, as a range).
    int answersEnd(int npcRow) const { return m_answersEnd[static_cast<std::size_t>(npcRow)]; }

private:
    std::vector<int> m_named;
    std::vector<int> m_firstNamed; // by row, and one past the last row
    std::vector<int> m_answersEnd; // by row; for NPC lines only
};

std::vector<bool> ReachableBlocks(const DialogRows& rows, const RowLinks& links,
                                  const std::function<bool(int answerRow)>& follow = {});

} // namespace dolmex
