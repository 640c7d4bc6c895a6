#include "DialogReader.h"

#include "FileBytes.h"
#include "TextFields.h"

namespace dolmex {

namespace {

// One pass over the line that yields all seven fields: the same counting of "{" that
// BraceField does for each n, without rescanning the line seven times.
DialogLine SplitRecord(std::string_view line) {
    DialogLine record;
    const std::size_t last = line.empty() ? 0 : line.size() - 1;
    std::size_t i = 0;
    for (int field = 0; field < kFieldCount; ++field) {
        while (i < last && line[i] != '{')
            ++i;
        if (i >= last)
            break;
        ++i;
        std::size_t end = i;
        while (end < last && line[end] != '}')
            ++end;
        record[static_cast<std::size_t>(field)].assign(line.substr(i, end - i));
    }
    return record;
}

} // namespace

DialogReader::DialogReader() : m_rows(1) {}

void DialogReader::SGAdd(std::string_view line) {
    if (!m_rows.front()[ColNumber].empty() && m_pendingComment.empty())
        m_rows.emplace_back();
    DialogLine record = SplitRecord(line);
    if (!record[ColNumber].empty()) {
        record[ColComment] = std::move(m_pendingComment);
        m_pendingComment.clear();
        m_rows.back() = std::move(record);
    } else if (line.size() > 2 && line[0] == '/' && line[1] == '/') {
        m_pendingComment.assign(line.substr(2));
    }
}

std::vector<DialogLine> DialogReader::takeLines() {
    std::vector<DialogLine> rows = std::move(m_rows);
    m_rows.assign(1, DialogLine{});
    m_pendingComment.clear();
    return rows;
}

std::vector<DialogLine> ParseDialog(std::string_view bytes) {
    DialogReader reader;
    ForEachLine(bytes, [&reader](std::string_view line) {
        reader.SGAdd(line);
        return true;
    });
    return reader.takeLines();
}

std::vector<DialogLine> ReadDialogFile(const std::string& path) {
    return ParseDialog(ReadFileBytes(path));
}

} // namespace dolmex
