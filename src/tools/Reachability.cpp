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

std::vector<bool> ReachableBlocks(const DialogRows& rows,
                                  const std::function<bool(int answerRow)>& follow) {
    std::vector<bool> reached(static_cast<std::size_t>(rows.count()) + 1, false);
    std::vector<int> pending;
    const auto reach = [&](int row) {
        if (row > 0 && IsNpcLine(rows.line(row)) && !reached[static_cast<std::size_t>(row)]) {
            reached[static_cast<std::size_t>(row)] = true;
            pending.push_back(row);
        }
    };
    const auto reachNamed = [&](int row) {
        VisitReferences(rows.line(row), ReferenceScope{},
                        [&](const ReferenceSite& site) { reach(rows.rowOf(site.number)); });
    };
    reach(rows.firstNpcRow());
    while (!pending.empty()) {
        const int npcRow = pending.back();
        pending.pop_back();
        reachNamed(npcRow);
        for (const int answer : rows.answersOf(npcRow)) {
            if (!follow || follow(answer))
                reachNamed(answer);
        }
    }
    return reached;
}

} // namespace dolmex
