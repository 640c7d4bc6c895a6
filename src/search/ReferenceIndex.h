#pragma once

#include "core/LineStore.h"
#include "tools/References.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace dolmex {

// A line that names another line by number.
struct LineReference {
    int row = 0; // data row of the naming line
    ReferenceKind kind = ReferenceKind::Response;
    std::string code; // the result code for ReferenceKind::Result
    int column = 0;   // ColResponse, ColText, ColGender or ColResult
    bool operator==(const LineReference&) const = default;
};

// Answers "which lines name line number N?" for a store, and follows every change of it.
// Each row's references are read once and kept, with a list of rows per number named; a
// change marks only the rows it touched for reading again at the next question, and
// inserted or removed rows shift the rest.
// The store must outlive the index.
class ReferenceIndex : public LineStoreObserver {
public:
    explicit ReferenceIndex(LineStore& store);
    ~ReferenceIndex() override;
    ReferenceIndex(const ReferenceIndex&) = delete;
    ReferenceIndex& operator=(const ReferenceIndex&) = delete;

    // Every reference to `number` (the response, an item of a "G:" list, the line of an
    // "M:" text, a "jo", "et" or "uw" result), in row order and within a row in the order
    // renumbering rewrites them. Nothing for a number below 1.
    std::vector<LineReference> referencesTo(std::int32_t number) const;

    void lineStoreChanged(const LineStoreChange& change) override;

private:
    struct Site {
        std::int32_t number;
        ReferenceKind kind;
        std::uint8_t column;
        char code[2]; // the result code of a Result
    };
    struct Row {
        std::vector<Site> sites;
        bool stale = true;
    };

    void refresh() const;
    void reset() const;
    // Adds or takes `row` (0-based) from the list of every number its sites name.
    void link(std::size_t row) const;
    void unlink(std::size_t row) const;

    LineStore& m_store;
    mutable std::vector<Row> m_rows;
    mutable std::size_t m_staleRows = 0;
    // Number -> the rows (0-based, ascending) that name it, so that a question costs the
    // few rows that answer it rather than a walk over the dialog; the cursor asks on
    // every move.
    mutable std::unordered_map<std::int32_t, std::vector<std::uint32_t>> m_rowsNaming;
};

} // namespace dolmex
