#include "CellMatcher.h"

#include "core/Cp1251.h"

#include <cstring>

namespace dolmex {

namespace {

using ByteTable = std::array<unsigned char, 256>;

// Each byte's lower-case byte, taken from the code page's characters, so "Ё" folds to "ё"
// and "Ї" to "ї" as "A" does to "a".
const ByteTable& FoldedByte() {
    static const ByteTable table = [] {
        ByteTable folded{};
        for (int byte = 0; byte < 256; ++byte) {
            const char b = static_cast<char>(byte);
            const QChar lower = FromCp1251(std::string_view(&b, 1)).at(0).toLower();
            folded[static_cast<std::size_t>(byte)] =
                static_cast<unsigned char>(Cp1251Byte(lower).value_or(b));
        }
        return folded;
    }();
    return table;
}

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

const ByteTable& WordByte() {
    static const ByteTable table = [] {
        ByteTable word{};
        for (int byte = 0; byte < 256; ++byte) {
            const char b = static_cast<char>(byte);
            word[static_cast<std::size_t>(byte)] =
                IsWordChar(FromCp1251(std::string_view(&b, 1)).at(0)) ? 1 : 0;
        }
        return word;
    }();
    return table;
}

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

// `needle` is folded already.
std::size_t FindFolded(std::string_view cell, std::string_view needle, std::size_t from) {
    const std::size_t n = needle.size();
    if (cell.size() < n || from > cell.size() - n)
        return std::string_view::npos;
    const ByteTable& fold = FoldedByte();
    const unsigned char first = Byte(needle[0]);
    const std::size_t last = cell.size() - n;
    for (std::size_t i = from; i <= last; ++i) {
        if (fold[Byte(cell[i])] != first)
            continue;
        std::size_t j = 1;
        while (j < n && fold[Byte(cell[i + j])] == Byte(needle[j]))
            ++j;
        if (j == n)
            return i;
    }
    return std::string_view::npos;
}

} // namespace

CellMatcher CellMatcher::compile(const FindQuery& query) {
    CellMatcher matcher;
    matcher.m_query = query;
    if (query.pattern.isEmpty())
        return matcher;
    if (!query.regex) {
        std::optional<std::string> bytes = ToCp1251(query.pattern);
        if (!bytes)
            return matcher; // no cell can hold the pattern
        if (!query.matchCase) {
            for (char& c : *bytes)
                c = static_cast<char>(FoldedByte()[Byte(c)]);
        }
        matcher.m_needle = std::move(*bytes);
        matcher.m_kind = Kind::Bytes;
        return matcher;
    }
    // \w and \b take the Cyrillic letters for letters, as whole words do.
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!query.matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    QRegularExpression plain(query.pattern, options);
    if (!plain.isValid()) {
        matcher.m_error = plain.errorString();
        matcher.m_errorOffset = static_cast<int>(plain.patternErrorOffset());
        return matcher;
    }
    matcher.m_kind = Kind::Regex;
    matcher.m_regex = plain;
    if (query.wholeWord) {
        // The engine then looks for a match that is a whole word, rather than one match
        // being rejected. "\E" closes a "\Q" left open and is ignored otherwise. A pattern
        // that still does not fit (a "#" comment in extended mode) is checked afterwards.
        QRegularExpression words(
            QStringLiteral("(?<!\\w)(?:") + query.pattern + QStringLiteral("\\E)(?!\\w)"), options);
        if (words.isValid())
            matcher.m_regex = words;
        else
            matcher.m_filterWords = true;
    }
    matcher.m_regex.optimize();
    return matcher;
}

bool CellMatcher::isWholeWordAt(std::string_view cell, std::size_t at, std::size_t length) const {
    const ByteTable& word = WordByte();
    return (at == 0 || !word[Byte(cell[at - 1])]) &&
           (at + length >= cell.size() || !word[Byte(cell[at + length])]);
}

bool CellMatcher::isWholeWordAt(const QString& text, qsizetype at, qsizetype length) const {
    return (at == 0 || !IsWordChar(text.at(at - 1))) &&
           (at + length >= text.size() || !IsWordChar(text.at(at + length)));
}

std::size_t CellMatcher::findBytes(std::string_view cell, std::size_t from) const {
    for (;;) {
        const std::size_t at =
            m_query.matchCase ? cell.find(m_needle, from) : FindFolded(cell, m_needle, from);
        if (at == std::string_view::npos || !m_query.wholeWord ||
            isWholeWordAt(cell, at, m_needle.size()))
            return at;
        from = at + 1;
    }
}

std::vector<QRegularExpressionMatch> CellMatcher::regexMatches(const QString& text) const {
    std::vector<QRegularExpressionMatch> found;
    if (m_kind != Kind::Regex)
        return found;
    // The iterator steps past an empty match by itself; such matches are only skipped.
    QRegularExpressionMatchIterator it = m_regex.globalMatch(text);
    while (it.hasNext()) {
        QRegularExpressionMatch match = it.next();
        if (match.capturedLength() == 0 ||
            (m_filterWords && !isWholeWordAt(text, match.capturedStart(), match.capturedLength())))
            continue;
        found.push_back(std::move(match));
    }
    return found;
}

std::vector<TextSpan> CellMatcher::spansIn(std::string_view cellBytes) const {
    std::vector<TextSpan> spans;
    if (m_kind == Kind::Bytes) {
        const int length = static_cast<int>(m_needle.size());
        for (std::size_t at = findBytes(cellBytes, 0); at != std::string_view::npos;
             at = findBytes(cellBytes, at + m_needle.size()))
            spans.push_back({static_cast<int>(at), length});
    } else if (m_kind == Kind::Regex) {
        for (const QRegularExpressionMatch& match : regexMatches(FromCp1251(cellBytes)))
            spans.push_back({static_cast<int>(match.capturedStart()),
                             static_cast<int>(match.capturedLength())});
    }
    return spans;
}

bool CellMatcher::matches(std::string_view cellBytes) const {
    if (m_kind == Kind::Bytes)
        return findBytes(cellBytes, 0) != std::string_view::npos;
    if (m_kind != Kind::Regex)
        return false;
    const QString text = FromCp1251(cellBytes);
    QRegularExpressionMatchIterator it = m_regex.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (match.capturedLength() > 0 &&
            (!m_filterWords || isWholeWordAt(text, match.capturedStart(), match.capturedLength())))
            return true;
    }
    return false;
}

} // namespace dolmex
