#include "DialogWriter.h"

#include "FileBytes.h"

namespace dolmex {

std::string SerializeDialog(const DialogLines& rows) {
    std::size_t size = 0;
    for (const PackedLine& row : rows) {
        for (int c = 0; c < kColumnCount; ++c)
            size += row[c].size();
        size += 2 * kFieldCount + 6;
    }
    std::string out;
    out.reserve(size);
    for (const PackedLine& row : rows) {
        if (!row[ColComment].empty()) {
            out += "//";
            out += row[ColComment];
            out += "\r\n";
        }
        if (!IsEmptyRecord(row)) {
            for (int c = 0; c < kFieldCount; ++c) {
                out += '{';
                out += row[c];
                out += '}';
            }
        }
        out += "\r\n";
    }
    return out;
}

void WriteDialogFile(const std::string& path, const DialogLines& rows) {
    WriteFileAtomically(path, SerializeDialog(rows));
}

} // namespace dolmex
