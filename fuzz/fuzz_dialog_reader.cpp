// Any bytes read as a dialog give at least one row; rows whose cells hold no brace read
// back from their canonical form unchanged; and when reading noted no line, a save gives
// back every line that carries text, in order.
#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/FileBytes.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> TextLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    dolmex::ForEachLine(bytes, [&lines](std::string_view line) {
        if (!dolmex::IsBlankLine(line))
            lines.push_back(line);
        return true;
    });
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    dolmex::LoadNotes notes;
    const auto rows = dolmex::ParseDialog(bytes, &notes);
    if (rows.empty())
        std::abort();
    int previous = 0;
    for (const auto& note : notes) {
        if (note.fileLine <= previous || note.row < 1 || note.row > static_cast<int>(rows.size()))
            std::abort();
        previous = note.fileLine;
    }
    const std::string once = dolmex::SerializeDialog(rows);
    if (notes.empty() && TextLines(once) != TextLines(bytes))
        std::abort();
    // A brace inside a cell shifts the fields when read back, as the format has no escapes.
    for (const auto& row : rows) {
        for (const auto& cell : row.cells()) {
            if (cell.find_first_of("{}") != std::string::npos)
                return 0;
        }
    }
    dolmex::LoadNotes again;
    if (dolmex::SerializeDialog(dolmex::ParseDialog(once, &again)) != once || !again.empty())
        std::abort();
    return 0;
}
