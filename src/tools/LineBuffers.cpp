#include "LineBuffers.h"
#include "core/PathText.h"

#include "core/FileBytes.h"
#include "core/IoError.h"
#include "core/LineStore.h"
#include "core/TextFields.h"
#include "editing/LineCommands.h"
#include "lang/LanguageTables.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace dolmex {

namespace {

constexpr int kFirstImage = 14;

bool IsComment(std::string_view line) {
    return line.size() > 2 && line.substr(0, 2) == "//";
}

std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    ForEachLine(bytes, [&](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

// Characters 1 to 40 without a "/" in the first two places (so a comment shows its text).
std::string Preview(std::string_view line) {
    std::string out;
    const std::size_t end = std::min<std::size_t>(line.size(), 40);
    for (std::size_t i = 0; i < end; ++i) {
        if (i < 2 && line[i] == '/')
            continue;
        out += line[i];
    }
    if (out.size() > 38)
        out += "..";
    return out;
}

struct RowRange {
    int first;
    int last;
};

RowRange ClampRows(const LineStore& store, int first, int last) {
    return {std::max(first, 1), std::min(last, store.dataRowCount())};
}

// The delete-lines command on the rows that were written.
int DeleteRows(LineStore& store, RowRange rows) {
    if (rows.first > rows.last)
        return std::clamp(rows.first, 1, store.dataRowCount());
    return DeleteLines(store, RowBlock{rows.first, rows.last});
}

} // namespace

std::string BufferText(const LineStore& store, int first, int last) {
    const RowRange rows = ClampRows(store, first, last);
    std::string text;
    for (int row = rows.first; row <= rows.last; ++row) {
        const DialogLine& line = store.line(row);
        if (!line[ColComment].empty())
            text += "//" + line[ColComment] + "\r\n";
        // Unlike a dialog file, an empty row keeps its braces: every row must give one
        // line beginning with "{" for the paste to count.
        for (int c = 0; c < kFieldCount; ++c)
            text += "{" + line[static_cast<std::size_t>(c)] + "}";
        text += "\r\n";
    }
    return text;
}

std::vector<DialogLine> ParseBuffer(std::string_view bytes) {
    const std::vector<std::string_view> lines = Lines(bytes);
    const auto count = std::count_if(lines.begin(), lines.end(), [](std::string_view line) {
        return !line.empty() && line.front() == '{';
    });
    std::vector<DialogLine> rows;
    rows.reserve(static_cast<std::size_t>(count));
    std::size_t next = 0;
    auto read = [&]() { return next < lines.size() ? lines[next++] : std::string_view{}; };
    for (long i = 0; i < count; ++i) {
        DialogLine row;
        std::string_view record = read();
        if (IsComment(record)) {
            row[ColComment] = std::string(record.substr(2));
            if (next < lines.size())
                record = read();
        }
        for (int c = 0; c < kFieldCount; ++c)
            row[static_cast<std::size_t>(c)] = BraceField(record, static_cast<unsigned>(c + 1));
        rows.push_back(std::move(row));
    }
    return rows;
}

LineBuffers::LineBuffers(std::string programDir) : m_programDir(std::move(programDir)) {}

void LineBuffers::select(int number) {
    if (number >= 1 && number <= kBufferCount)
        m_current = number;
}

std::string LineBuffers::fileName(int number) const {
    const std::string name = "buffer" + IntText(number) + ".tmp";
    if (m_programDir.empty())
        return name;
    const char last = m_programDir.back();
    return last == '/' || last == '\\' ? m_programDir + name : m_programDir + "/" + name;
}

void LineBuffers::Copy(const LineStore& store, int first, int last) const {
    WriteFileAtomically(currentFile(), BufferText(store, first, last));
}

void LineBuffers::Append(const LineStore& store, int first, int last) const {
    const std::string path = currentFile();
    std::string bytes;
    // A buffer that exists but cannot be read must not be replaced by the new rows alone.
    if (QFileInfo::exists(PathText(path)))
        bytes = ReadFileBytes(path);
    // A hand-edited buffer may lack its last line end; the next record must not join it.
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += "\r\n";
    bytes += BufferText(store, first, last);
    WriteFileAtomically(path, bytes);
}

int LineBuffers::Cut(LineStore& store, int first, int last) const {
    Copy(store, first, last);
    return DeleteRows(store, ClampRows(store, first, last));
}

int LineBuffers::CutAppend(LineStore& store, int first, int last) const {
    Append(store, first, last);
    return DeleteRows(store, ClampRows(store, first, last));
}

std::optional<PastedRows> LineBuffers::Paste(LineStore& store, int row) const {
    std::string bytes;
    try {
        bytes = ReadFileBytes(currentFile());
    } catch (const IoError& error) {
        if (error.kind() == IoError::Kind::Open)
            return std::nullopt;
        throw;
    }
    std::vector<DialogLine> rows = ParseBuffer(bytes);
    if (rows.empty())
        return std::nullopt;
    row = std::clamp(row, 1, store.dataRowCount());
    const PastedRows pasted{row, static_cast<int>(rows.size())};
    store.insertLines(row, std::move(rows));
    return pasted;
}

void LineBuffers::Clear() const {
    const std::string path = currentFile();
    QFile file(PathText(path));
    if (!file.exists())
        return;
    if (!file.remove())
        throw IoError(IoError::Kind::Write, path, file.errorString().toStdString());
}

std::array<BufferHint, kBufferCount> LineBuffers::BuffHint(const LanguageTables& tables) const {
    const auto& words = tables.mainDescription;
    std::array<BufferHint, kBufferCount> hints;
    for (int i = 1; i <= kBufferCount; ++i) {
        BufferHint& hint = hints[static_cast<std::size_t>(i - 1)];
        hint.text =
            words[md::kBuffer] + " " + IntText(i) + " - " + words[md::kBufferContents] + ":";
        std::string bytes;
        try {
            bytes = ReadFileBytes(fileName(i));
        } catch (const IoError&) {
            hint.text += words[md::kEmpty];
            hint.image = kFirstImage + 2 * (i - 1);
            continue;
        }
        const std::vector<std::string_view> lines = Lines(bytes);
        const auto count = std::count_if(lines.begin(), lines.end(), [](std::string_view line) {
            return !line.empty() && line.substr(0, 2) != "//";
        });
        const std::string_view line1 = lines.size() > 0 ? lines[0] : std::string_view{};
        const std::string_view line2 = lines.size() > 1 ? lines[1] : std::string_view{};
        hint.text += IntText(static_cast<std::int32_t>(count));
        hint.text += " \n";
        hint.text += Preview(line1);
        if (!line2.empty()) {
            hint.text += '\n';
            hint.text += Preview(line2);
        }
        if (count > 2)
            hint.text += "\n..";
        hint.filled = true;
        hint.image = kFirstImage + 2 * (i - 1) + 1;
    }
    return hints;
}

} // namespace dolmex
