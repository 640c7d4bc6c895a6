#include "DialogReader.h"

#include "FileBytes.h"
#include "TextFields.h"

#include <algorithm>
#include <utility>

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

// The writer gives back exactly "{" cell "}" seven times; the cells are views into the
// line, so on an ordinary line each one already sits where that form puts it.
bool IsWrittenBackAsRead(std::string_view line, const PackedLine::Cells& cells) {
    std::size_t at = 0;
    for (std::size_t c = 0; c < kFieldCount; ++c) {
        const std::string_view cell = cells[c];
        if (at + cell.size() + 2 > line.size() || line[at] != '{')
            return false;
        ++at;
        if (cell.data() != line.data() + at && line.substr(at, cell.size()) != cell)
            return false;
        at += cell.size();
        if (line[at] != '}')
            return false;
        ++at;
    }
    return at == line.size();
}

// Why a record line is not written back as read; lost text is named before added fields.
LoadNote::Kind RecordChange(std::string_view line) {
    FieldScanner scanner{line};
    std::string_view field;
    int count = 0;
    bool outside = false;
    std::size_t close = 0; // where the previous field stopped: its "}" or the last character
    while (count < kFieldCount && scanner.next(field)) {
        const std::size_t open = static_cast<std::size_t>(field.data() - line.data()) - 1;
        if (count > 0 && open < close)
            return LoadNote::Kind::BraceInField;
        outside = outside || open > (count == 0 ? 0 : close + 1);
        close = open + 1 + field.size();
        ++count;
    }
    if (close == scanner.last && line[close] != '}')
        return LoadNote::Kind::UnclosedField;
    if (outside || close + 1 < line.size())
        return LoadNote::Kind::TextOutsideFields;
    return count < kFieldCount ? LoadNote::Kind::MissingFields : LoadNote::Kind::TextOutsideFields;
}

} // namespace

DialogReader::DialogReader() : m_rows(1) {}

void DialogReader::SGAdd(std::string_view line) {
    ++m_fileLine;
    if (!m_rows.front()[ColNumber].empty() && m_pendingComment.empty())
        m_rows.emplace_back();
    const int row = static_cast<int>(m_rows.size());
    FieldScanner scanner{line};
    std::string_view field;
    if (scanner.next(field) && !field.empty()) {
        PackedLine::Cells cells;
        cells[ColNumber] = field;
        for (std::size_t c = 1; c < kFieldCount; ++c) {
            if (scanner.next(field))
                cells[c] = field;
        }
        if (!IsWrittenBackAsRead(line, cells))
            note(m_fileLine, row, RecordChange(line));
        cells[ColComment] = m_pendingComment;
        m_rows.back() = PackedLine(cells);
        m_pendingComment.clear();
    } else if (IsCommentLine(line)) {
        if (!m_pendingComment.empty())
            note(m_pendingLine, m_pendingRow, LoadNote::Kind::CommentReplaced);
        m_pendingComment.assign(line.substr(2));
        m_pendingLine = m_fileLine;
        m_pendingRow = row;
    } else if (!IsBlankLine(line)) {
        note(m_fileLine, row, LoadNote::Kind::StrayText);
    }
}

void DialogReader::note(int fileLine, int row, LoadNote::Kind kind) {
    m_notes.push_back({fileLine, row, kind});
}

DialogLines DialogReader::takeLines() {
    if (!m_pendingComment.empty())
        note(m_pendingLine, m_pendingRow, LoadNote::Kind::UnattachedComment);
    DialogLines rows = std::move(m_rows);
    m_rows.assign(1, PackedLine{});
    m_pendingComment.clear();
    m_fileLine = 0;
    return rows;
}

LoadNotes DialogReader::takeNotes() {
    // A replaced comment is noted only when the next comment arrives, after the lines
    // between them.
    std::sort(m_notes.begin(), m_notes.end(),
              [](const LoadNote& a, const LoadNote& b) { return a.fileLine < b.fileLine; });
    return std::exchange(m_notes, {});
}

bool IsRecordLine(std::string_view line) {
    FieldScanner scanner{line};
    std::string_view field;
    return scanner.next(field) && !field.empty();
}

bool IsCommentLine(std::string_view line) {
    return line.size() > 2 && line[0] == '/' && line[1] == '/';
}

bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

DialogLines ParseDialog(std::string_view bytes, LoadNotes* notes) {
    DialogReader reader;
    ForEachLine(bytes, [&reader](std::string_view line) {
        reader.SGAdd(line);
        return true;
    });
    DialogLines rows = reader.takeLines();
    if (notes)
        *notes = reader.takeNotes();
    return rows;
}

DialogLines ReadDialogFile(const std::string& path, LoadNotes* notes) {
    return ParseDialog(ReadFileBytes(path), notes);
}

} // namespace dolmex
