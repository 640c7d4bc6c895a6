#include "WizardText.h"

#include "WizardControls.h"

#include "core/TextFields.h"

#include <algorithm>
#include <cstdlib>

namespace dolmex {

namespace {

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool found = false;
};

// The bytes of comma item `position`, its leading blanks included.
Span ItemSpan(std::string_view field, int position) {
    if (position < 1)
        return {};
    std::size_t begin = 0;
    for (int n = 1; n < position; ++n) {
        const std::size_t comma = field.find(',', begin);
        if (comma == std::string_view::npos)
            return {};
        begin = comma + 1;
    }
    const std::size_t comma = field.find(',', begin);
    return {begin, comma == std::string_view::npos ? field.size() : comma, true};
}

} // namespace

std::int64_t Magnitude(std::string_view text) {
    return std::llabs(static_cast<long long>(ParseIntOrMinus1(text)));
}

int ClampToTrack(std::int64_t position) {
    return static_cast<int>(std::clamp<std::int64_t>(position, TrackBar::kMin, TrackBar::kMax));
}

std::string ReplaceCommaItem(std::string_view field, int position, std::string_view item) {
    Span span = ItemSpan(field, position);
    std::string out(field);
    if (!span.found)
        return out;
    // The blanks before an item are not part of it.
    while (span.begin < span.end && field[span.begin] == ' ')
        ++span.begin;
    out.replace(span.begin, span.end - span.begin, item);
    return out;
}

std::string RemoveCommaItem(std::string_view field, int position) {
    Span span = ItemSpan(field, position);
    std::string out(field);
    if (!span.found)
        return out;
    if (span.end < field.size())
        ++span.end; // the comma after it
    else if (span.begin > 0)
        --span.begin; // the last item: the comma before it
    out.erase(span.begin, span.end - span.begin);
    return out;
}

} // namespace dolmex
