// Any bytes as a find pattern, its options and the cells searched must find sane spans:
// inside the cell, not empty, in order, without overlap, and the same answer from every
// way of asking (matches, spansIn, FindAll, FindNext). Replacing them keeps the row count.
// Byte 0 chooses the options, byte 1 the pattern's length; the pattern is read as UTF-8
// or as Windows-1251; the rest is the cells, split at "|".
#include "core/Cp1251.h"
#include "core/Document.h"
#include "editing/EditSession.h"
#include "search/Replace.h"
#include "search/StoreSearch.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t patternSize = std::min<std::size_t>(data[1], size - 2);
    const std::string_view patternBytes = bytes.substr(2, patternSize);
    std::string_view rest = bytes.substr(2 + patternSize);

    dolmex::FindQuery query;
    query.pattern =
        data[0] & 16 ? dolmex::FromCp1251(patternBytes)
                     : QString::fromUtf8(patternBytes.data(), static_cast<qsizetype>(patternSize));
    query.matchCase = data[0] & 1;
    query.wholeWord = data[0] & 2;
    query.regex = data[0] & 4;
    query.columns = data[0] & 8 ? 0xFF : 0x06;
    const dolmex::CellMatcher matcher = dolmex::CellMatcher::compile(query);
    if (!matcher.isValid() && matcher.errorText().isEmpty())
        std::abort();

    dolmex::Document document;
    dolmex::DialogLines rows;
    std::size_t cells = 0;
    dolmex::DialogLine line;
    while (!rest.empty() && cells < 64) {
        const std::size_t bar = rest.find('|');
        const std::string_view cell = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        line[cells % dolmex::kColumnCount] = std::string(cell);
        if (++cells % dolmex::kColumnCount == 0)
            rows.push_back(line);

        const std::vector<dolmex::TextSpan> spans = matcher.spansIn(cell);
        if (matcher.matches(cell) != !spans.empty())
            std::abort();
        int end = 0;
        for (const dolmex::TextSpan& span : spans) {
            if (span.length <= 0 || span.start < end ||
                static_cast<std::size_t>(span.start + span.length) > cell.size())
                std::abort();
            end = span.start + span.length;
        }
    }
    rows.push_back(line);
    document.store().replaceAll(std::move(rows));
    const dolmex::LineStore& store = document.store();

    const std::vector<dolmex::CellMatch> all = dolmex::FindAll(store, matcher);
    const std::optional<dolmex::CellMatch> first =
        dolmex::FindNext(store, matcher, nullptr, false, nullptr);
    if (first.has_value() != !all.empty() || (first && *first != all.front()))
        std::abort();
    if (!all.empty()) {
        bool wrapped = false;
        const auto next = dolmex::FindNext(store, matcher, &all.back(), false, &wrapped);
        if (!next || *next != all.front() || !wrapped)
            std::abort();
        const auto previous = dolmex::FindNext(store, matcher, &all.front(), true, &wrapped);
        if (!previous || *previous != all.back() || !wrapped)
            std::abort();
    }

    dolmex::PlainEditSession session(document);
    const int rowCount = document.store().rowCount();
    const int replaced =
        dolmex::ReplaceAll(session, document.store(), matcher, QStringLiteral("\\1x"));
    if (replaced != static_cast<int>(all.size()) || document.store().rowCount() != rowCount)
        std::abort();
    return 0;
}
