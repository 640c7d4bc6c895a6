#pragma once

#include <string>
#include <vector>

namespace dolmex {

// A line of a loaded file that a save will not write back as it was. Reading keeps every
// record's seven fields, but the writer has one canonical form, so a file made elsewhere
// can lose text on its first save. Blank lines and line ends are no loss.
struct LoadNote {
    enum class Kind {
        CommentReplaced,   // a later comment line came before the next record
        UnattachedComment, // no record follows the comment
        StrayText,         // neither record nor comment; its text is dropped
        TextOutsideFields, // before the first "{", between fields, or past the seventh field
        BraceInField,      // a "{" inside a field opens the next one, so the fields shift
        UnclosedField,     // the last field lacks its "}", so its last character is lost
        MissingFields,     // fewer than seven fields: the save adds empty ones
    };
    int fileLine = 0; // 1-based line of the file
    int row = 0; // the grid row the line belongs to (for a line that vanishes, the row it stood at)
    Kind kind = Kind::StrayText;

    bool operator==(const LoadNote&) const = default;
};

// In file-line order, at most one per line, so size() is the number of lines a save changes.
using LoadNotes = std::vector<LoadNote>;

// One line of plain English for the command line, without file line or row.
std::string DescribeLoadNote(const LoadNote& note);

} // namespace dolmex
