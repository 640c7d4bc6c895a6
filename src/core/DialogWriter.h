#pragma once

#include "PackedLine.h"

#include <string>

namespace dolmex {

// The canonical text of a store: for each row an optional "//" comment line and the
// record "{..}{..}{..}{..}{..}{..}{..}" (an empty line when all seven cells are empty),
// each line ending in CR LF. Cells are written as they stand.
std::string SerializeDialog(const DialogLines& rows);

// The same text for one row, appended to `out`, so a dialog can also be written in parts.
void AppendDialogRow(std::string& out, const PackedLine& row);
// An upper bound of the bytes AppendDialogRow adds, for reserving.
std::size_t DialogRowSizeBound(const PackedLine& row);

// Writes the rows to `path` without ever leaving a half-written file: the old file stays
// until the new one is complete. Throws IoError.
void WriteDialogFile(const std::string& path, const DialogLines& rows);

} // namespace dolmex
