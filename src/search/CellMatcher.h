#pragma once

#include "FindQuery.h"

#include <QRegularExpression>
#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dolmex {

// A found piece of a cell, in UTF-16 units of the cell's decoded text. Windows-1251 gives
// every byte exactly one such unit, so these are byte offsets as well.
struct TextSpan {
    int start = 0;
    int length = 0;
    bool operator==(const TextSpan&) const = default;
};

// A compiled query that finds its pattern in cells (Windows-1251 bytes).
//
// A plain text is searched for in the bytes themselves: the pattern is encoded once and
// case is folded through a byte table, so a search over a whole dialog costs about what
// one pass of std::string_view::find does. A pattern with a character that Windows-1251
// cannot hold occurs in no cell. Only a regular expression decodes the cells.
//
// Empty matches are never found: a regular expression that can match empty text finds
// only its non-empty matches ("x*" finds "xx" in "axxb"), and an empty pattern finds
// nothing. Matches do not overlap and come in text order.
//
// Letters for case and for whole words include the Cyrillic ones of Windows-1251; a word
// character is a letter, a digit or "_".
class CellMatcher {
public:
    // Finds nothing.
    CellMatcher() = default;
    static CellMatcher compile(const FindQuery& query);

    // False for a regular expression the engine rejects; such a matcher finds nothing.
    bool isValid() const { return m_error.isEmpty(); }
    // The regular expression engine's message for a rejected pattern, else empty.
    QString errorText() const { return m_error; }
    // Where in the pattern the engine stopped (UTF-16 units), or -1.
    int errorOffset() const { return m_errorOffset; }

    bool searches(int column) const {
        return column >= 0 && column < 8 && (m_query.columns >> column & 1) != 0;
    }
    std::vector<TextSpan> spansIn(std::string_view cellBytes) const;
    bool matches(std::string_view cellBytes) const;

    const FindQuery& query() const { return m_query; }
    bool isRegex() const { return m_kind == Kind::Regex; }
    // The compiled expression of a regex query (whole words built in), for replacing.
    const QRegularExpression& regex() const { return m_regex; }
    // True when a regex match must still be checked for word boundaries (see regexMatches).
    bool filtersWords() const { return m_filterWords; }
    // The non-empty matches of a regex query in `text`, in order.
    std::vector<QRegularExpressionMatch> regexMatches(const QString& text) const;

private:
    enum class Kind { Nothing, Bytes, Regex };

    // The first byte match at or after `from`, or npos.
    std::size_t findBytes(std::string_view cell, std::size_t from) const;
    bool isWholeWordAt(std::string_view cell, std::size_t at, std::size_t length) const;
    bool isWholeWordAt(const QString& text, qsizetype at, qsizetype length) const;

    FindQuery m_query;
    Kind m_kind = Kind::Nothing;
    QString m_error;
    int m_errorOffset = -1;
    // Bytes: the encoded pattern, case-folded unless case matters.
    std::string m_needle;
    // Regex.
    QRegularExpression m_regex;
    bool m_filterWords = false;
};

} // namespace dolmex
