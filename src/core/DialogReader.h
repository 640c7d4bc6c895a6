#pragma once

#include "PackedLine.h"

#include <string>
#include <string_view>

namespace dolmex {

// Turns the lines of a dialog file into grid rows, one line at a time, with the comment
// seen last held until the record it belongs to arrives.
class DialogReader {
public:
    DialogReader();

    // Takes one file line (without its line end) into the rows.
    void SGAdd(std::string_view line);

    // The rows read so far; a comment still pending is not part of them.
    DialogLines takeLines();
    const DialogLines& lines() const { return m_rows; }

private:
    DialogLines m_rows;
    std::string m_pendingComment;
};

// Reads whole dialog file content (CR LF or LF line ends).
DialogLines ParseDialog(std::string_view bytes);

// Reads the dialog file at `path`; throws IoError (Kind::Open when it cannot be opened).
DialogLines ReadDialogFile(const std::string& path);

} // namespace dolmex
