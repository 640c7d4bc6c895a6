#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace dolmex {

// One line of the description panel.
struct DescLine {
    std::string text;
    bool bold = false;

    bool operator==(const DescLine&) const = default;
};

// What a refresh builds: the panel's lines, added in the current style, and the
// navigation entries of MoveList, each text at most once.
class DescriptionPanel {
public:
    void setBold(bool bold) { m_bold = bold; }
    bool bold() const { return m_bold; }

    // Adds a line in the current style.
    void add(std::string text) { m_lines.push_back({std::move(text), m_bold}); }
    // Adds a line in bold and switches back to plain, the way headings are written.
    void addHeading(std::string text);

    // Adds a navigation entry unless an entry with exactly that text is there.
    void addMove(const std::string& entry);

    const std::vector<DescLine>& lines() const { return m_lines; }
    const std::vector<std::string>& moves() const { return m_moves; }

    void clear();

private:
    std::vector<DescLine> m_lines;
    std::vector<std::string> m_moves;
    std::unordered_set<std::string> m_moveSet;
    bool m_bold = false;
};

} // namespace dolmex
