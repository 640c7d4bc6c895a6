#pragma once

// Renumbering: gives every line a new number and rewrites the references to line numbers,
// then describes what it did in a report of bold and plain lines.

#include "References.h"

#include "core/PackedLine.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dolmex {

class LineStore;
struct LanguageTables;

// What the options window's controls hold. The window keeps one of these for the whole
// run, so the values persist between renumberings.
struct RenumberFormValues {
    bool blocks = false;      // RB2 checked (else RB1)
    std::string edit1 = "1";  // step of the continuous scheme
    std::string edit2 = "1";  // step inside a block
    std::string edit3 = "10"; // block size
    bool checkBox1 = true;    // rewrite "G:" and "M:" texts
    bool checkBox2 = true;    // rewrite "jo", "et" and "uw" results
    bool checkBox3 = true;    // list the "Q:" lines
};

struct RenumberOptions {
    bool blocks = false;
    std::int32_t step = 1;       // S, 1 to 99
    std::int32_t blockSize = 10; // B, 1 to 99 and above S (block scheme only)
    bool rewriteGenerated = true;
    bool rewriteResults = true;
    bool listQuests = true;
};

// The options the window's values give, or nothing when the window's rules refuse them
// (a step outside 1..99, or in blocks a size outside 1..99 or not above the step). A
// refusal is silent: the command then does nothing at all.
std::optional<RenumberOptions> ReadRenumberOptions(const RenumberFormValues& form);
bool AreValidRenumberOptions(const RenumberOptions& options);

// The options window's captions: control name and CAPTIONS table entry.
struct FormCaption {
    const char* control;
    int entry;
};
extern const std::array<FormCaption, 10> kRenumberFormCaptions;

// A "Q:" line: its quest number and its (new) line number.
struct QuestListing {
    int row = 0;
    std::int32_t quest = 0;
    std::string lineNumber;
};

struct RenumberOutcome {
    DialogLines lines;           // the renumbered rows, in their old order
    std::int32_t lastNumber = 0; // the last number given; 0 for no rows
    std::vector<UnresolvedReference> unresolved;
    std::vector<QuestListing> quests; // empty unless options.listQuests
};

// Renumbers `lines` (numbering pass, reference pass, "Q:" pass). Nothing when the options
// are invalid, or when the numbers would not fit a signed 32-bit integer.
std::optional<RenumberOutcome> RenumberLines(const DialogLines& lines,
                                             const RenumberOptions& options);

struct ReportLine {
    bool bold = false;
    std::string text;

    bool operator==(const ReportLine&) const = default;
};

// The report of a run, in order, with its texts from the MAINDESCRIPTION table.
// `rowCount` is the number of data rows.
std::vector<ReportLine> RenumberReport(const RenumberOutcome& outcome, int rowCount,
                                       const LanguageTables& tables);

// The unresolved-reference line of the report, and its kind label ("Respone Line" for a
// response).
std::string UnresolvedReportText(const UnresolvedReference& reference,
                                 const LanguageTables& tables);

// The command once the options are accepted: renumbers the store in one change and
// returns the report (the Renumber verb marks the document modified). Nothing (and nothing
// changed) when the options are refused. The rows keep their order, so the caller can
// keep the current row.
std::optional<std::vector<ReportLine>> Renumber(LineStore& store, const RenumberOptions& options,
                                                const LanguageTables& tables);

} // namespace dolmex
