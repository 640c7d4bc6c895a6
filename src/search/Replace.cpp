#include "Replace.h"

#include "core/Cp1251.h"

#include <utility>
#include <vector>

namespace dolmex {

namespace {

// The replacement text of one regex match: "\N" (N from 1, two digits when the expression
// has that many captures) is the N-th captured text, everything else is kept as written.
// This is the rule of QString::replace with a QRegularExpression.
QString ExpandCaptures(const QString& replacement, const QRegularExpressionMatch& match,
                       int captureCount) {
    QString out;
    out.reserve(replacement.size());
    const qsizetype size = replacement.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (replacement[i] == u'\\' && i + 1 < size) {
            int number = replacement[i + 1].digitValue();
            if (number > 0 && number <= captureCount) {
                qsizetype length = 2;
                if (i + 2 < size) {
                    const int second = replacement[i + 2].digitValue();
                    if (second >= 0 && number * 10 + second <= captureCount) {
                        number = number * 10 + second;
                        ++length;
                    }
                }
                out += match.captured(number);
                i += length - 1;
                continue;
            }
        }
        out += replacement[i];
    }
    return out;
}

// Replaces the matches in `cell` that `keep` accepts; counts them into `replaced`.
template <class Keep>
std::optional<std::string> Replaced(std::string_view cell, const CellMatcher& matcher,
                                    const QString& replacement, Keep keep, int& replaced) {
    if (!matcher.isRegex()) {
        const std::optional<std::string> bytes = ToCp1251(replacement);
        if (!bytes)
            return std::nullopt;
        std::string out;
        std::size_t done = 0;
        bool any = false;
        for (const TextSpan& span : matcher.spansIn(cell)) {
            if (!keep(span))
                continue;
            const auto start = static_cast<std::size_t>(span.start);
            out.append(cell.substr(done, start - done));
            out += *bytes;
            done = start + static_cast<std::size_t>(span.length);
            ++replaced;
            any = true;
        }
        if (!any)
            return std::nullopt;
        out.append(cell.substr(done));
        return out;
    }
    const QString text = FromCp1251(cell);
    const int captures = matcher.regex().captureCount();
    QString out;
    qsizetype done = 0;
    bool any = false;
    for (const QRegularExpressionMatch& match : matcher.regexMatches(text)) {
        const TextSpan span{static_cast<int>(match.capturedStart()),
                            static_cast<int>(match.capturedLength())};
        if (!keep(span))
            continue;
        out += QStringView(text).mid(done, span.start - done);
        out += ExpandCaptures(replacement, match, captures);
        done = span.start + span.length;
        ++replaced;
        any = true;
    }
    if (!any)
        return std::nullopt;
    out += QStringView(text).mid(done);
    // Every character came from the cell or from a replacement that was checked.
    return ToCp1251(out);
}

} // namespace

std::optional<QString> ReplacementProblem(const QString& text) {
    for (const QChar c : text) {
        if (c == u'{' || c == u'}')
            return QStringLiteral("A cell cannot hold \u201C{\u201D or \u201C}\u201D: they "
                                  "separate the fields of a dialog line.");
        if (c == u'\n' || c == u'\r')
            return QStringLiteral("A cell cannot hold a line break.");
        if (!Cp1251Byte(c))
            return QStringLiteral("A dialog file cannot store the character \u201C%1\u201D.")
                .arg(c);
    }
    return std::nullopt;
}

bool ReplaceMatch(EditSession& session, LineStore& store, const CellMatcher& matcher,
                  const CellMatch& match, const QString& replacement) {
    Q_ASSERT(&store == &session.store());
    if (ReplacementProblem(replacement) || !matcher.searches(match.column) ||
        !store.isDataRow(match.row))
        return false;
    int replaced = 0;
    const std::optional<std::string> cell = Replaced(
        store.cell(match.row, match.column), matcher, replacement,
        [&](const TextSpan& span) { return span == match.span; }, replaced);
    if (!cell || replaced == 0)
        return false;
    session.perform(EditVerb::Replace,
                    [&](LineStore& changed) { changed.setCell(match.row, match.column, *cell); });
    return true;
}

int ReplaceAll(EditSession& session, LineStore& store, const CellMatcher& matcher,
               const QString& replacement) {
    Q_ASSERT(&store == &session.store());
    if (ReplacementProblem(replacement))
        return 0;
    const auto everyMatch = [](const TextSpan&) { return true; };
    int replaced = 0;
    std::vector<std::pair<int, PackedLine>> edited;
    int row = 0;
    for (const PackedLine& line : store.lines()) {
        ++row;
        std::optional<PackedLine> copy;
        for (int column = 0; column < kColumnCount; ++column) {
            if (!matcher.searches(column) || !matcher.matches(line[column]))
                continue;
            std::optional<std::string> cell =
                Replaced(line[column], matcher, replacement, everyMatch, replaced);
            if (!cell)
                continue;
            if (!copy)
                copy = line;
            copy->set(column, *cell);
        }
        if (copy)
            edited.emplace_back(row, std::move(*copy));
    }
    if (edited.empty())
        return 0;
    // One change for each run of neighbouring rows: the undo step and the views then see
    // a few changes of rows rather than one change per cell.
    session.perform(EditVerb::ReplaceAll, [&](LineStore& changed) {
        for (std::size_t i = 0; i < edited.size();) {
            const int first = edited[i].first;
            DialogLines run;
            do {
                run.push_back(std::move(edited[i].second));
                ++i;
            } while (i < edited.size() && edited[i].first == first + static_cast<int>(run.size()));
            changed.setPackedLines(first, std::move(run));
        }
    });
    return replaced;
}

} // namespace dolmex
