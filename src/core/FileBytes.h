#pragma once

#include <string>
#include <string_view>

namespace dolmex {

// Whole-file reads and crash-safe whole-file writes. Both throw IoError.

// Reads the file at `path`; IoError::Kind::Open when it cannot be opened.
std::string ReadFileBytes(const std::string& path);
// At most the first `maxBytes` of the file, the same way.
std::string ReadFileStart(const std::string& path, std::size_t maxBytes);

// Writes a temporary file beside `path` and renames it over the target only when
// every byte is on disk, so a failure or crash leaves the old file as it was.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Splits file content into lines: a line ends at LF, and a CR right before that LF
// belongs to the line end. A CR anywhere else is an ordinary character.
template <typename Visitor> void ForEachLine(std::string_view bytes, Visitor&& visit) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        if (!visit(bytes.substr(start, end - start)))
            return;
        start = next;
    }
}

} // namespace dolmex
