#pragma once

#include <string>
#include <string_view>

namespace dolmex {

// Reads the lines of a settings or language file held in memory. ReadLine stops at a
// line that is exactly "EOF" and at the end of the file (where it yields "EOF"), which
// is how both files mark their end.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    bool ReadLine(std::string& line);
    // The next line whatever it holds; false only at the end of the file.
    bool readRawLine(std::string& line);
    bool atEnd() const { return m_pos >= m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

} // namespace dolmex
