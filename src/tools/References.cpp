#include "References.h"

#include "core/TextFields.h"

#include <algorithm>

namespace dolmex {

namespace {

// The items of a comma list as `CommaItem` gives them, up to the last non-empty one, as
// views into `text`. Empty items before it are kept: a list with ",," in it loses nothing
// after the gap.
std::vector<std::string_view> ListItems(std::string_view text) {
    std::vector<std::string_view> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        std::string_view piece = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        const std::size_t first = piece.find_first_not_of(' ');
        items.emplace_back(first == std::string_view::npos ? std::string_view{}
                                                           : piece.substr(first));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    while (!items.empty() && items.back().empty())
        items.pop_back();
    return items;
}

bool IsGeneratedReferenceText(std::string_view cell) {
    return cell.size() > 2 && cell[1] == ':' && (cell[0] == 'G' || cell[0] == 'M');
}

bool IsJumpingResult(std::string_view code) {
    return code == "jo" || code == "et" || code == "uw";
}

// How each kind of reference names its line; the rewriter and the visitor below read them
// through these alone, so both agree on what a reference is.

// An item of a "G:" list: a word, then the number.
std::string GreetingNumberText(std::string_view item) {
    return WordAt(item, 2);
}

// An "M:" text (after "M:"): the number is the second item.
std::string MovementNumberText(std::string_view rest) {
    return CommaItem(rest, 2);
}

// A result item "jo", "et" or "uw": the number is the second argument.
std::int32_t JumpNumber(std::string_view item) {
    return ParseIntOrMinus1(TailWord(item, 2));
}

class Rewriter {
public:
    Rewriter(LineRewrite& line, int row, const LineNumberMap& map,
             std::vector<UnresolvedReference>& unresolved)
        : m_line(line), m_row(row), m_map(map), m_unresolved(unresolved) {}

    void response() {
        const std::string_view cell = m_line[ColResponse];
        const std::int32_t number = ParseIntOrMinus1(cell);
        if (number <= 0)
            return;
        if (const std::int32_t target = m_map.find(number))
            m_line.replace(ColResponse, IntText(target));
        else
            report(ColResponse, ReferenceKind::Response, {}, std::string(cell));
    }

    void generated(int column) {
        const std::string_view cell = m_line[column];
        if (!IsGeneratedReferenceText(cell))
            return;
        if (cell[0] == 'G')
            m_line.replace(column, greetings(column, cell.substr(2)));
        else
            movement(column, cell.substr(2));
    }

    void results() {
        const std::string_view cell = m_line[ColResult];
        if (cell.size() <= 2)
            return;
        std::string out;
        bool first = true;
        out.reserve(cell.size() + 8);
        for (const std::string_view item : ListItems(cell)) {
            if (!first)
                out += ',';
            first = false;
            const std::string_view code = item.substr(0, 2);
            if (IsJumpingResult(code)) {
                const std::int32_t number = JumpNumber(item);
                if (number > 0) {
                    if (const std::int32_t target = m_map.find(number)) {
                        out += code;
                        out += TailWord(item, 1);
                        out += ' ';
                        out += IntText(target);
                        continue;
                    }
                    report(ColResult, ReferenceKind::Result, std::string(code), IntText(number));
                }
            }
            out += item;
        }
        m_line.replace(ColResult, std::move(out));
    }

private:
    // "G:" lists pairs of a word and a line number; every qualifying text is rewritten,
    // so blanks after "G:" and after the commas go even when no number changes.
    std::string greetings(int column, std::string_view rest) {
        std::string out = "G:";
        for (const std::string_view item : ListItems(rest)) {
            const std::string numberText = GreetingNumberText(item);
            const std::int32_t number = ParseIntOrMinus1(numberText);
            const std::int32_t target = number > 0 ? m_map.find(number) : 0;
            if (target) {
                out += WordAt(item, 1);
                out += ' ';
                out += IntText(target);
            } else {
                if (number > 0)
                    report(column, ReferenceKind::GeneratedG, {}, numberText);
                out += item;
            }
            out += ',';
        }
        if (out.back() == ',')
            out.back() = ' ';
        return out;
    }

    // "M:" names a line in its second item; the cell is only rewritten when it resolves.
    void movement(int column, std::string_view rest) {
        const std::string numberText = MovementNumberText(rest);
        const std::int32_t number = ParseIntOrMinus1(numberText);
        if (number <= 0)
            return;
        if (const std::int32_t target = m_map.find(number))
            m_line.replace(column, "M:" + CommaItem(rest, 1) + "," + IntText(target));
        else
            report(column, ReferenceKind::GeneratedM, {}, numberText);
    }

    void report(int column, ReferenceKind kind, std::string code, std::string referenced) {
        m_unresolved.push_back({m_row, column, kind, std::move(code),
                                std::string(m_line[ColNumber]), std::move(referenced)});
    }

    LineRewrite& m_line;
    int m_row;
    const LineNumberMap& m_map;
    std::vector<UnresolvedReference>& m_unresolved;
};

} // namespace

LineNumberMap::LineNumberMap(std::vector<std::pair<std::int32_t, std::int32_t>> pairs) {
    std::erase_if(pairs, [](const auto& pair) { return pair.first <= 0; });
    std::int32_t largest = 0;
    for (const auto& pair : pairs)
        largest = std::max(largest, pair.first);
    if (static_cast<std::size_t>(largest) <= 8 * pairs.size() + 65536) {
        m_direct.assign(static_cast<std::size_t>(largest) + 1, 0);
        for (const auto& pair : pairs)
            m_direct[static_cast<std::size_t>(pair.first)] = pair.second;
        return;
    }
    // Stable, so that among equal old numbers the later row stays last and wins.
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    m_pairs.reserve(pairs.size());
    for (const auto& pair : pairs) {
        if (!m_pairs.empty() && m_pairs.back().first == pair.first)
            m_pairs.back().second = pair.second;
        else
            m_pairs.push_back(pair);
    }
}

std::int32_t LineNumberMap::find(std::int32_t oldNumber) const {
    if (!m_direct.empty())
        return oldNumber >= 0 && static_cast<std::size_t>(oldNumber) < m_direct.size()
                   ? m_direct[static_cast<std::size_t>(oldNumber)]
                   : 0;
    const auto it =
        std::lower_bound(m_pairs.begin(), m_pairs.end(), oldNumber,
                         [](const auto& pair, std::int32_t n) { return pair.first < n; });
    return it != m_pairs.end() && it->first == oldNumber ? it->second : 0;
}

LineRewrite::LineRewrite(const PackedLine& line) : m_cells(line.cells()) {}

void LineRewrite::replace(int column, std::string text) {
    const auto c = static_cast<std::size_t>(column);
    m_replaced[c] = std::move(text);
    m_cells[c] = m_replaced[c];
}

void RewriteReferences(LineRewrite& line, int row, const LineNumberMap& map, ReferenceScope scope,
                       std::vector<UnresolvedReference>& unresolved) {
    Rewriter rewriter(line, row, map, unresolved);
    rewriter.response();
    if (scope.generated) {
        rewriter.generated(ColText);
        rewriter.generated(ColGender);
    }
    if (scope.results)
        rewriter.results();
}

void VisitReferences(const PackedLine& line, ReferenceScope scope,
                     const std::function<void(const ReferenceSite&)>& visit) {
    if (const std::int32_t number = ParseIntOrMinus1(line[ColResponse]); number > 0)
        visit({ColResponse, ReferenceKind::Response, {}, number});
    if (scope.generated) {
        for (const int column : {ColText, ColGender}) {
            const std::string_view cell = line[column];
            if (!IsGeneratedReferenceText(cell))
                continue;
            const std::string_view rest = cell.substr(2);
            if (cell[0] == 'M') {
                if (const std::int32_t number = ParseIntOrMinus1(MovementNumberText(rest));
                    number > 0)
                    visit({column, ReferenceKind::GeneratedM, {}, number});
                continue;
            }
            for (const std::string_view item : ListItems(rest)) {
                if (const std::int32_t number = ParseIntOrMinus1(GreetingNumberText(item));
                    number > 0)
                    visit({column, ReferenceKind::GeneratedG, {}, number});
            }
        }
    }
    const std::string_view results = line[ColResult];
    if (scope.results && results.size() > 2) {
        for (const std::string_view item : ListItems(results)) {
            const std::string_view code = item.substr(0, 2);
            if (!IsJumpingResult(code))
                continue;
            if (const std::int32_t number = JumpNumber(item); number > 0)
                visit({ColResult, ReferenceKind::Result, code, number});
        }
    }
}

std::int32_t QuestNumber(std::string_view text) {
    if (text.size() <= 2 || text.substr(0, 2) != "Q:")
        return -1;
    // "Q:" reads as "00", so only digits may follow it.
    const std::int32_t number = ParseIntOrMinus1("00" + std::string(text.substr(2)));
    return number > 0 ? number : -1;
}

bool IsPlayerLineForNumbering(const PackedLine& line) {
    return !WordAt(line[ColIntelligence], 1).empty();
}

} // namespace dolmex
