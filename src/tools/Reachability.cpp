#include "Reachability.h"

#include "References.h"

#include "core/TextFields.h"

#include <algorithm>
#include <iterator>

namespace dolmex {

bool IsNpcLine(const PackedLine& line) {
    return !line.isEmptyRecord() && line[ColIntelligence].empty();
}

DialogRows::DialogRows(const DialogLines& lines) : m_lines(lines) {
    m_rowOf.reserve(lines.size());
    int row = 0;
    for (const PackedLine& line : lines) {
        ++row;
        if (line.isEmptyRecord())
            continue;
        if (const std::int32_t number = ParseIntOrMinus1(line[ColNumber]); number > 0)
            m_rowOf.emplace_back(number, row);
    }
    // By number, then row: the last row of a number is the last among its equals.
    std::sort(m_rowOf.begin(), m_rowOf.end());
}

int DialogRows::rowOf(std::int32_t number) const {
    const auto after = std::upper_bound(
        m_rowOf.begin(), m_rowOf.end(), number,
        [](std::int32_t n, const std::pair<std::int32_t, int>& e) { return n < e.first; });
    return after == m_rowOf.begin() || std::prev(after)->first != number ? 0
                                                                         : std::prev(after)->second;
}

int DialogRows::uses(std::int32_t number) const {
    const auto [first, last] =
        std::equal_range(m_rowOf.begin(), m_rowOf.end(), std::pair<std::int32_t, int>(number, 0),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    return static_cast<int>(last - first);
}

int DialogRows::firstNpcRow() const {
    for (int row = 1; row <= count(); ++row) {
        if (IsNpcLine(line(row)))
            return row;
    }
    return 0;
}

int DialogRows::blockOf(int row) const {
    for (; row >= 1; --row) {
        const PackedLine& l = line(row);
        if (l.isEmptyRecord())
            return 0;
        if (IsNpcLine(l))
            return row;
    }
    return 0;
}

std::vector<int> DialogRows::answersOf(int npcRow) const {
    std::vector<int> answers;
    for (int row = npcRow + 1; row <= count(); ++row) {
        const PackedLine& l = line(row);
        if (l.isEmptyRecord() || IsNpcLine(l))
            break;
        answers.push_back(row);
    }
    return answers;
}

BlockLinks::BlockLinks(const DialogRows& rows) : m_rows(rows) {
    m_start.reserve(static_cast<std::size_t>(rows.count()) + 2);
    m_start.push_back(0); // row 0
    m_start.push_back(0);
    for (int row = 1; row <= rows.count(); ++row) {
        if (!rows.line(row).isEmptyRecord()) {
            VisitReferences(rows.line(row), ReferenceScope{}, [&](const ReferenceSite& site) {
                const int target = rows.rowOf(site.number);
                if (target > 0 && IsNpcLine(rows.line(target)))
                    m_targets.push_back(target);
            });
        }
        m_start.push_back(static_cast<int>(m_targets.size()));
    }
}

std::vector<bool> ReachableBlocks(const DialogRows& rows,
                                  const std::function<bool(int answerRow)>& follow) {
    return ReachableBlocks(BlockLinks(rows), follow);
}

std::vector<bool> ReachableBlocks(const BlockLinks& links,
                                  const std::function<bool(int answerRow)>& follow) {
    const DialogRows& rows = links.rows();
    std::vector<bool> reached(static_cast<std::size_t>(rows.count()) + 1, false);
    std::vector<int> pending;
    const auto reach = [&](int row) {
        if (!reached[static_cast<std::size_t>(row)]) {
            reached[static_cast<std::size_t>(row)] = true;
            pending.push_back(row);
        }
    };
    const auto reachNamed = [&](int row) {
        for (const int target : links.targetsOf(row))
            reach(target);
    };
    if (const int first = rows.firstNpcRow(); first > 0)
        reach(first);
    while (!pending.empty()) {
        const int npcRow = pending.back();
        pending.pop_back();
        reachNamed(npcRow);
        // The block's answers: the player lines up to an empty line or the next NPC line.
        for (int answer = npcRow + 1; answer <= rows.count(); ++answer) {
            const PackedLine& line = rows.line(answer);
            if (line.isEmptyRecord() || IsNpcLine(line))
                break;
            if (!follow || follow(answer))
                reachNamed(answer);
        }
    }
    return reached;
}

} // namespace dolmex
