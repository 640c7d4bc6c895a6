#pragma once

// Five numbered line buffers, each a file "bufferN.tmp" in the program directory, that
// carry whole lines with their comments between places, dialogs and program runs.

#include "core/PackedLine.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dolmex {

class LineStore;
struct LanguageTables;

inline constexpr int kBufferCount = 5;

// The buffer file text of rows first..last: an optional "//" comment line and always the
// seven-field record (also for an empty row), each ending in CR LF.
std::string BufferText(const LineStore& store, int first, int last);

// The rows a buffer file gives when pasted: one per line that begins with "{". A comment
// line is taken into the next row, and the line after it is that row's record, whatever
// it holds.
std::vector<DialogLine> ParseBuffer(std::string_view bytes);

// What a buffer's tool button shows.
struct BufferHint {
    std::string text;
    bool filled = false; // the buffer has a file (possibly empty)
    int image = 0;       // index in the main window's image list
};

// Rows just pasted: the window selects rows first..first+count-1, anchor (first, 0),
// current cell (first+count-1, 7).
struct PastedRows {
    int first = 0;
    int count = 0;
};

// The buffers and the current buffer number. Every write replaces the file only once the
// new content is complete, so a failed write never leaves a buffer half-written. File
// failures throw IoError.
class LineBuffers {
public:
    explicit LineBuffers(std::string programDir);

    int current() const { return m_current; }
    // Makes buffer `number` (1 to 5) current; other numbers are ignored.
    void select(int number);
    std::string fileName(int number) const;

    // NB1Click, NB5Click: the rows first..last into the current buffer, replacing or
    // extending it.
    void Copy(const LineStore& store, int first, int last) const;
    void Append(const LineStore& store, int first, int last) const;
    // NB2Click, NB6Click: Copy or Append, then delete the rows. When the write fails,
    // nothing is deleted and the IoError goes on. Returns the row the cursor goes to.
    int Cut(LineStore& store, int first, int last) const;
    int CutAppend(LineStore& store, int first, int last) const;
    // NB3Click: inserts the current buffer's rows at `row`. Nothing when the buffer has no
    // file or no record line.
    std::optional<PastedRows> Paste(LineStore& store, int row) const;
    // NB4Click: deletes the current buffer's file; a missing file is no error.
    void Clear() const;

    // The hints and images of the five buffer buttons, after every buffer write.
    std::array<BufferHint, kBufferCount> BuffHint(const LanguageTables& tables) const;

private:
    std::string currentFile() const { return fileName(m_current); }

    std::string m_programDir;
    int m_current = 1;
};

} // namespace dolmex
