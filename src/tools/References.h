#pragma once

// The places where one dialog line names another by number, and how they are rewritten
// when lines get new numbers. Renumbering and the dialog check share this code, so the
// check reports exactly what renumbering would leave unresolved.

#include "core/PackedLine.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dolmex {

// Old line number -> new line number, for every positive 32-bit number. Where several
// lines carried the same old number, the one added last wins.
class LineNumberMap {
public:
    LineNumberMap() = default;
    // Pairs of (old, new) in row order; pairs with an old number below 1 are ignored.
    explicit LineNumberMap(std::vector<std::pair<std::int32_t, std::int32_t>> pairs);

    // The new number for `oldNumber`, or 0 when no line had it.
    std::int32_t find(std::int32_t oldNumber) const;

private:
    // Dialogs are numbered densely, so a table indexed by the old number is the usual
    // form; sparse numbers fall back to sorted pairs.
    std::vector<std::int32_t> m_direct;
    std::vector<std::pair<std::int32_t, std::int32_t>> m_pairs; // sorted, old numbers unique
};

enum class ReferenceKind {
    Response,   // column 5
    GeneratedG, // an item of a "G:" text in column 1 or 2
    GeneratedM, // the second item of an "M:" text in column 1 or 2
    Result,     // the second argument of a "jo", "et" or "uw" result
};

// A reference to a number that no line had.
struct UnresolvedReference {
    int row = 0;    // data row that holds the reference
    int column = 0; // ColResponse, ColText, ColGender or ColResult
    ReferenceKind kind = ReferenceKind::Response;
    std::string code;       // the result code for ReferenceKind::Result
    std::string lineNumber; // the referring row's number cell (after renumbering)
    std::string referenced; // the number as it stands in the reference

    bool operator==(const UnresolvedReference&) const = default;
};

struct ReferenceScope {
    bool generated = true; // "G:" and "M:" texts in columns 1 and 2
    bool results = true;   // "jo", "et" and "uw" in column 6
};

// One row while its references are rewritten: views of the stored cells, and the cells
// replaced so far. Renumbering rewrites every row, and most of a row's cells stay as
// they are, so they are not copied.
class LineRewrite {
public:
    explicit LineRewrite(const PackedLine& line);
    // The views may point into this object's own cells.
    LineRewrite(const LineRewrite&) = delete;
    LineRewrite& operator=(const LineRewrite&) = delete;

    std::string_view operator[](int column) const {
        return m_cells[static_cast<std::size_t>(column)];
    }
    void replace(int column, std::string text);
    PackedLine packed() const { return PackedLine(m_cells); }

private:
    PackedLine::Cells m_cells;
    std::array<std::string, kColumnCount> m_replaced;
};

// Rewrites the references of one row through `map`: the response, then (with the scope)
// the generated texts of columns 1 and 2, then the results. A reference to a number that
// `map` lacks is kept and appended to `unresolved`. References that are not positive whole
// numbers are neither rewritten nor reported. `row` is only used for the reports.
void RewriteReferences(LineRewrite& line, int row, const LineNumberMap& map, ReferenceScope scope,
                       std::vector<UnresolvedReference>& unresolved);

// One place where a row names a line by its number.
struct ReferenceSite {
    int column = 0; // ColResponse, ColText, ColGender or ColResult
    ReferenceKind kind = ReferenceKind::Response;
    std::string_view code; // the result code for ReferenceKind::Result, a view into the row
    std::int32_t number = 0;
};

// Calls `visit` for every reference of `line` to a positive number, in the order
// RewriteReferences takes them (response, column 1, column 2, results in item order), with
// the same scope. Renumbering rewrites exactly these.
void VisitReferences(const PackedLine& line, ReferenceScope scope,
                     const std::function<void(const ReferenceSite&)>& visit);

// The quest number of a "Q:" text (everything after "Q:" must be a positive whole
// number), or -1.
std::int32_t QuestNumber(std::string_view text);

// A player line for numbering: its intelligence cell has a word (blanks alone do not count).
bool IsPlayerLineForNumbering(const PackedLine& line);

} // namespace dolmex
