#include "DialogCheck.h"

#include "core/TextFields.h"

#include <algorithm>
#include <utility>

namespace dolmex {

namespace {

// ParseIntOrMinus1 cannot tell "-1" from a failure.
bool IsWholeNumber(const std::string& cell) {
    if (ParseIntOrMinus1(cell) != -1)
        return true;
    const std::size_t first = cell.find_first_not_of(' ');
    return first != std::string::npos && cell[first] == '-' &&
           ParseIntOrMinus1(std::string_view(cell).substr(first + 1)) == 1;
}

const char* ColumnName(int column) {
    return column == ColGender ? "gender text" : "text";
}

} // namespace

std::vector<DialogProblem> CheckDialog(const DialogLines& lines) {
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    pairs.reserve(lines.size());
    for (const PackedLine& line : lines) {
        const std::int32_t number = ParseIntOrMinus1(line[ColNumber]);
        pairs.emplace_back(number, number);
    }
    // Every number a row carries resolves to itself, so nothing is rewritten in effect.
    const LineNumberMap map(std::move(pairs));

    // The first row of each number, for the rows that repeat it: (number, row) pairs sorted
    // in one block rather than a map's node per row.
    std::vector<std::pair<std::int32_t, int>> numbered;
    numbered.reserve(lines.size());
    {
        int row = 0;
        for (const PackedLine& line : lines) {
            ++row;
            if (const std::int32_t number = ParseIntOrMinus1(line[ColNumber]);
                number > 0 && !IsEmptyRecord(line))
                numbered.emplace_back(number, row);
        }
    }
    std::sort(numbered.begin(), numbered.end());      // by number, then row
    std::vector<int> firstRowOf(lines.size() + 1, 0); // 0: the row is the first or unnumbered
    for (std::size_t i = 1; i < numbered.size(); ++i) {
        if (numbered[i].first == numbered[i - 1].first)
            firstRowOf[static_cast<std::size_t>(numbered[i].second)] =
                firstRowOf[static_cast<std::size_t>(numbered[i - 1].second)] != 0
                    ? firstRowOf[static_cast<std::size_t>(numbered[i - 1].second)]
                    : numbered[i - 1].second;
    }

    std::vector<DialogProblem> problems;
    std::vector<UnresolvedReference> unresolved;
    int row = 0;
    for (const PackedLine& original : lines) {
        ++row;
        if (IsEmptyRecord(original))
            continue;
        const std::string cell(original[ColNumber]);
        if (cell.empty()) {
            // An unnumbered row (only the editor makes them) is no one's target.
        } else if (!IsWholeNumber(cell)) {
            problems.push_back({row, DialogProblem::Kind::NotWholeNumber, {}, 0, cell});
        } else if (const int first = firstRowOf[static_cast<std::size_t>(row)]; first > 0) {
            problems.push_back({row, DialogProblem::Kind::DuplicateNumber, {}, first, cell});
        }
        // Most rows name only lines that exist: only a row naming a missing one is
        // rewritten, which words what is missing as renumbering would find it.
        bool missing = false;
        VisitReferences(original, ReferenceScope{}, [&](const ReferenceSite& site) {
            missing = missing || map.find(site.number) == 0;
        });
        if (!missing)
            continue;
        LineRewrite line(original);
        unresolved.clear();
        RewriteReferences(line, row, map, ReferenceScope{}, unresolved);
        for (UnresolvedReference& reference : unresolved)
            problems.push_back(
                {row, DialogProblem::Kind::UnresolvedReference, std::move(reference), 0, cell});
    }
    return problems;
}

std::string DescribeProblem(const DialogProblem& problem) {
    switch (problem.kind) {
    case DialogProblem::Kind::NotWholeNumber:
        return "line number '" + problem.number + "' is not a whole number";
    case DialogProblem::Kind::DuplicateNumber:
        return "line number " + problem.number + " is also the number of row " +
               IntText(problem.otherRow);
    case DialogProblem::Kind::UnresolvedReference:
        break;
    }
    const UnresolvedReference& reference = problem.reference;
    std::string where;
    switch (reference.kind) {
    case ReferenceKind::Response:
        where = "the response";
        break;
    case ReferenceKind::GeneratedG:
        where = std::string("the G: list in the ") + ColumnName(reference.column);
        break;
    case ReferenceKind::GeneratedM:
        where = std::string("the M: text in the ") + ColumnName(reference.column);
        break;
    case ReferenceKind::Result:
        where = "the result " + reference.code;
        break;
    }
    return where + " names line " + reference.referenced + ", which no line has";
}

} // namespace dolmex
