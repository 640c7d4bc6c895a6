#pragma once

#include "LoadNote.h"
#include "PackedLine.h"

#include <string>
#include <string_view>

namespace dolmex {

// Turns the lines of a dialog file into grid rows, one line at a time, with the comment
// seen last held until the record it belongs to arrives. Along the way it notes every
// line that the canonical writer would not give back as it was.
class DialogReader {
public:
    DialogReader();

    // Takes the next file line (without its line end) into the rows.
    void SGAdd(std::string_view line);

    // Ends the file: a comment still pending is dropped (and noted). Starts afresh.
    DialogLines takeLines();
    const DialogLines& lines() const { return m_rows; }
    // The notes of the lines read, in file-line order; complete after takeLines().
    LoadNotes takeNotes();

private:
    void note(int fileLine, int row, LoadNote::Kind kind);

    DialogLines m_rows;
    std::string m_pendingComment;
    int m_fileLine = 0;
    int m_pendingLine = 0; // where the pending comment stood: file line and row
    int m_pendingRow = 0;
    LoadNotes m_notes;
};

// How the reader sorts a line: a record (its first brace field is not empty) fills a row,
// a comment ("//" and at least one more character) waits for the next record, and a
// blank line (no character above a blank) carries no text.
bool IsRecordLine(std::string_view line);
bool IsCommentLine(std::string_view line);
bool IsBlankLine(std::string_view line);

// Reads whole dialog file content (CR LF or LF line ends); `notes`, when given, receives
// the lines a save would change.
DialogLines ParseDialog(std::string_view bytes, LoadNotes* notes = nullptr);

// Reads the dialog file at `path`; throws IoError (Kind::Open when it cannot be opened).
DialogLines ReadDialogFile(const std::string& path, LoadNotes* notes = nullptr);

} // namespace dolmex
