#include "DialogReader.h"

#include "FileBytes.h"
#include "TextFields.h"

namespace dolmex {

namespace {

// Where field `field` (0-based) of the line starts and ends: the same counting of "{"
// that BraceField does, continued from the previous field's start instead of rescanning.
struct FieldScanner {
    std::string_view line;
    std::size_t last = line.empty() ? 0 : line.size() - 1;
    std::size_t pos = 0;

    // False when the line has no further "{" before its last character.
    bool next(std::string_view& field) {
        while (pos < last && line[pos] != '{')
            ++pos;
        if (pos >= last)
            return false;
        ++pos;
        std::size_t end = pos;
        while (end < last && line[end] != '}')
            ++end;
        field = line.substr(pos, end - pos);
        return true;
    }
};

} // namespace

DialogReader::DialogReader() : m_rows(1) {}

void DialogReader::SGAdd(std::string_view line) {
    if (!m_rows.front()[ColNumber].empty() && m_pendingComment.empty())
        m_rows.emplace_back();
    FieldScanner scanner{line};
    std::string_view field;
    if (scanner.next(field) && !field.empty()) {
        PackedLine::Cells cells;
        cells[ColNumber] = field;
        for (std::size_t c = 1; c < kFieldCount; ++c) {
            if (scanner.next(field))
                cells[c] = field;
        }
        cells[ColComment] = m_pendingComment;
        m_rows.back() = PackedLine(cells);
        m_pendingComment.clear();
    } else if (line.size() > 2 && line[0] == '/' && line[1] == '/') {
        m_pendingComment.assign(line.substr(2));
    }
}

DialogLines DialogReader::takeLines() {
    DialogLines rows = std::move(m_rows);
    m_rows.assign(1, PackedLine{});
    m_pendingComment.clear();
    return rows;
}

DialogLines ParseDialog(std::string_view bytes) {
    DialogReader reader;
    ForEachLine(bytes, [&reader](std::string_view line) {
        reader.SGAdd(line);
        return true;
    });
    return reader.takeLines();
}

DialogLines ReadDialogFile(const std::string& path) {
    return ParseDialog(ReadFileBytes(path));
}

} // namespace dolmex
