// Any bytes read as a buffer file paste one row per line that begins with "{", and rows
// copied into a buffer paste back unchanged unless a cell holds a brace.
#include "core/LineStore.h"
#include "tools/LineBuffers.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

std::size_t RecordLines(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        if (bytes[start] == '{')
            ++count;
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto rows = dolmex::ParseBuffer(bytes);
    if (rows.size() != RecordLines(bytes))
        std::abort();
    if (rows.empty())
        return 0;
    for (const auto& row : rows) {
        for (const auto& cell : row) {
            if (cell.find_first_of("{}") != std::string::npos)
                return 0;
        }
    }
    dolmex::LineStore store;
    store.insertLines(1, rows);
    const std::string text = dolmex::BufferText(store, 1, static_cast<int>(rows.size()));
    if (dolmex::ParseBuffer(text) != rows)
        std::abort();
    return 0;
}
