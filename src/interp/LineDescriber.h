#pragma once

#include "DescriptionPanel.h"
#include "GameMessages.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace dolmex {

class LineStore;
struct LanguageTables;

// The status bar's three panels: the NPC line's comment, the player line's comment, the
// line count.
using StatusPanels = std::array<std::string, 3>;

// The view options that change the description.
struct DisplayOptions {
    bool generatedInfo = true; // N9: explanations of generated-line kinds
    bool messageTexts = true;  // N12: the texts found in the game's message files
};

// What one refresh shows.
struct LineDescription {
    std::vector<DescLine> lines;    // LineDesc
    std::vector<std::string> moves; // MoveList, in order of discovery
    StatusPanels status;
};

// Builds the description panel, the navigation entries and the status panels for one row
// of the line store. The message store it keeps holds what the last refresh found.
class LineDescriber {
public:
    LineDescriber(const LanguageTables& tables, GameMessageSource& messages)
        : m_tables(tables), m_source(messages) {}

    // Describes data row `row`. The status panels 0 and 1 keep their text from `previous`
    // where the row does not replace it. Throws IoError when a message file that opened
    // cannot be read.
    LineDescription MakeLineDescr(const LineStore& store, int row, const StatusPanels& previous,
                                  DisplayOptions options = {});

    const GameMessageStore& messages() const { return m_store; }

private:
    // The comment of the last row numbered `number` that has one, or "".
    std::string targetComment(const LineStore& store, const std::string& number);

    const LanguageTables& m_tables;
    GameMessageSource& m_source;
    GameMessageStore m_store;
    // For each line number, the index in the rows of the last one that has a comment;
    // built once per state of the store instead of a scan of all rows on every key press.
    const LineStore* m_indexedStore = nullptr;
    std::uint64_t m_indexedRevision = 0;
    std::unordered_map<std::string, std::size_t> m_commentedRows;
};

} // namespace dolmex
