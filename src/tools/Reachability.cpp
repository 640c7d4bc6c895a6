#include "Reachability.h"

#include "References.h"

#include "core/TextFields.h"

namespace dolmex {

bool IsNpcLine(const PackedLine& line) {
    return !line.isEmptyRecord() && line[ColIntelligence].empty();
}

DialogRows::DialogRows(const DialogLines& lines) : m_lines(lines) {
    int row = 0;
    for (const PackedLine& line : lines) {
        ++row;
        if (line.isEmptyRecord())
            continue;
        if (const std::int32_t number = ParseIntOrMinus1(line[ColNumber]); number > 0)
            m_rowOf[number] = row;
    }
}

int DialogRows::rowOf(std::int32_t number) const {
    const auto found = m_rowOf.find(number);
    return found == m_rowOf.end() ? 0 : found->second;
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

namespace {

// From the first NPC line on, through the rows `visitNamed(row, reach)` hands to `reach`
// for each NPC line reached and those of its answers that `follow` takes.
template <typename Answers, typename VisitNamed>
std::vector<bool> Reach(const DialogRows& rows, const std::function<bool(int answerRow)>& follow,
                        const Answers& forEachAnswer, const VisitNamed& visitNamed) {
    std::vector<bool> reached(static_cast<std::size_t>(rows.count()) + 1, false);
    std::vector<int> pending;
    const auto reach = [&](int row) {
        if (row > 0 && IsNpcLine(rows.line(row)) && !reached[static_cast<std::size_t>(row)]) {
            reached[static_cast<std::size_t>(row)] = true;
            pending.push_back(row);
        }
    };
    reach(rows.firstNpcRow());
    while (!pending.empty()) {
        const int npcRow = pending.back();
        pending.pop_back();
        visitNamed(npcRow, reach);
        forEachAnswer(npcRow, [&](int answer) {
            if (!follow || follow(answer))
                visitNamed(answer, reach);
        });
    }
    return reached;
}

} // namespace

std::vector<bool> ReachableBlocks(const DialogRows& rows,
                                  const std::function<bool(int answerRow)>& follow) {
    return Reach(
        rows, follow,
        [&](int npcRow, const auto& visit) {
            for (const int answer : rows.answersOf(npcRow))
                visit(answer);
        },
        [&](int row, const auto& reach) {
            VisitReferences(rows.line(row), ReferenceScope{},
                            [&](const ReferenceSite& site) { reach(rows.rowOf(site.number)); });
        });
}

RowLinks::RowLinks(const DialogRows& rows)
    : m_firstNamed(static_cast<std::size_t>(rows.count()) + 2, 0),
      m_answersEnd(static_cast<std::size_t>(rows.count()) + 1, 0) {
    int blockStart = 0; // the NPC line whose answers the rows are, or 0
    for (int row = 1; row <= rows.count(); ++row) {
        m_firstNamed[static_cast<std::size_t>(row)] = static_cast<int>(m_named.size());
        const PackedLine& line = rows.line(row);
        VisitReferences(line, ReferenceScope{}, [&](const ReferenceSite& site) {
            m_named.push_back(rows.rowOf(site.number));
        });
        if (line.isEmptyRecord() || IsNpcLine(line)) {
            if (blockStart > 0)
                m_answersEnd[static_cast<std::size_t>(blockStart)] = row;
            blockStart = line.isEmptyRecord() ? 0 : row;
        }
    }
    m_firstNamed[static_cast<std::size_t>(rows.count()) + 1] = static_cast<int>(m_named.size());
    if (blockStart > 0)
        m_answersEnd[static_cast<std::size_t>(blockStart)] = rows.count() + 1;
}

std::vector<bool> ReachableBlocks(const DialogRows& rows, const RowLinks& links,
                                  const std::function<bool(int answerRow)>& follow) {
    return Reach(
        rows, follow,
        [&](int npcRow, const auto& visit) {
            for (int answer = npcRow + 1; answer < links.answersEnd(npcRow); ++answer)
                visit(answer);
        },
        [&](int row, const auto& reach) {
            for (const int target : links.named(row))
                reach(target);
        });
}

} // namespace dolmex
