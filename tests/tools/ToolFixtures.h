#pragma once

#include "core/LineStore.h"
#include "core/PackedLine.h"
#include "lang/LanguageTables.h"

#include <string>
#include <vector>

namespace dolmex::test {

// A row from its number and intelligence cells, with optional other cells.
inline DialogLine Row(std::string number, std::string intelligence = {}, std::string comment = {}) {
    DialogLine line;
    line[ColNumber] = std::move(number);
    line[ColIntelligence] = std::move(intelligence);
    line[ColComment] = std::move(comment);
    return line;
}

inline DialogLine With(DialogLine line, int column, std::string text) {
    line[static_cast<std::size_t>(column)] = std::move(text);
    return line;
}

inline std::vector<std::string> Column(const DialogLines& lines, int column) {
    std::vector<std::string> cells;
    for (const PackedLine& line : lines)
        cells.emplace_back(line[column]);
    return cells;
}

inline std::vector<std::string> Column(const LineStore& store, int column) {
    return Column(store.lines(), column);
}

inline void Fill(LineStore& store, std::vector<DialogLine> rows) {
    store.replaceAll(DialogLines(rows.begin(), rows.end()));
}

// MAINDESCRIPTION entry n reads "MDn", so a report shows which entry it used.
inline LanguageTables NumberedTables() {
    LanguageTables tables;
    for (int n = 0; n < tables.mainDescription.capacity(); ++n)
        tables.mainDescription.set(n, "MD" + std::to_string(n));
    return tables;
}

} // namespace dolmex::test
