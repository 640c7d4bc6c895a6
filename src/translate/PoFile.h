#pragma once

#include <QString>

#include <string>
#include <vector>

namespace dolmex {

// One message of a PO file, as characters.
struct PoEntry {
    QString context;       // msgctxt
    QString source;        // msgid
    QString translation;   // msgstr
    QString note;          // the extracted comment ("#. "), for the translator
    QString referenceFile; // the source location ("#: file:line")
    int referenceLine = 0;
    bool fuzzy = false;
};

// Writes `entries` as a UTF-8 PO file, after a header, through GNU gettext's library. The
// old file stays until the new one is complete. A large catalogue is written in `parts`
// processes side by side (0: as many as it is worth on this machine) and joined; the file
// is the same byte for byte however many there are. Throws IoError.
void WritePoFile(const std::string& path, const std::vector<PoEntry>& entries, int parts = 0);

// The messages of a PO file, header and obsolete messages left out. Throws IoError with
// the library's own words ("file:line: reason") when the file cannot be read, is not a
// PO file, or is not UTF-8.
std::vector<PoEntry> ReadPoFile(const std::string& path);

} // namespace dolmex
