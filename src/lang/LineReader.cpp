#include "LineReader.h"

namespace dolmex {

bool LineReader::readRawLine(std::string& line) {
    if (atEnd()) {
        line = "EOF";
        return false;
    }
    std::size_t end = m_bytes.find('\n', m_pos);
    std::size_t next = end == std::string_view::npos ? m_bytes.size() : end + 1;
    if (end == std::string_view::npos)
        end = m_bytes.size();
    else if (end > m_pos && m_bytes[end - 1] == '\r')
        --end;
    line.assign(m_bytes.substr(m_pos, end - m_pos));
    m_pos = next;
    return true;
}

bool LineReader::ReadLine(std::string& line) {
    return readRawLine(line) && line != "EOF";
}

} // namespace dolmex
