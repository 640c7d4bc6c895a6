#pragma once

#include "PackedLine.h"

#include <string>

namespace dolmex {

// The canonical text of a store: for each row an optional "//" comment line and the
// record "{..}{..}{..}{..}{..}{..}{..}" (an empty line when all seven cells are empty),
// each line ending in CR LF. Cells are written as they stand.
std::string SerializeDialog(const DialogLines& rows);

// Writes the rows to `path` without ever leaving a half-written file: the old file stays
// until the new one is complete. Throws IoError.
void WriteDialogFile(const std::string& path, const DialogLines& rows);

} // namespace dolmex
