// Any bytes read as a dialog give at least one row, and rows whose cells hold no brace
// read back from their canonical form unchanged.
#include "core/DialogReader.h"
#include "core/DialogWriter.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto rows = dolmex::ParseDialog(bytes);
    if (rows.empty())
        std::abort();
    // A brace inside a cell shifts the fields when read back, as the format has no escapes.
    for (const auto& row : rows) {
        for (const auto& cell : row.cells()) {
            if (cell.find_first_of("{}") != std::string::npos)
                return 0;
        }
    }
    const std::string once = dolmex::SerializeDialog(rows);
    if (dolmex::SerializeDialog(dolmex::ParseDialog(once)) != once)
        std::abort();
    return 0;
}
