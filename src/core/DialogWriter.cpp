#include "DialogWriter.h"

#include "FileBytes.h"

namespace dolmex {

std::size_t DialogRowSizeBound(const PackedLine& row) {
    std::size_t size = 0;
    for (int c = 0; c < kColumnCount; ++c)
        size += row[c].size();
    return size + 2 * kFieldCount + 6;
}

void AppendDialogRow(std::string& out, const PackedLine& row) {
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

std::string SerializeDialog(const DialogLines& rows) {
    std::size_t size = 0;
    for (const PackedLine& row : rows)
        size += DialogRowSizeBound(row);
    std::string out;
    out.reserve(size);
    for (const PackedLine& row : rows)
        AppendDialogRow(out, row);
    return out;
}

void WriteDialogFile(const std::string& path, const DialogLines& rows) {
    WriteFileAtomically(path, SerializeDialog(rows));
}

} // namespace dolmex
