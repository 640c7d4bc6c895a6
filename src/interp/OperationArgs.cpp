#include "OperationArgs.h"

#include "core/TextFields.h"

#include <cstdlib>

namespace dolmex {

namespace {

std::int64_t Magnitude(std::string_view word) {
    return std::llabs(static_cast<long long>(ParseIntOrMinus1(word)));
}

std::string_view DropLeadingBlanks(std::string_view item) {
    std::size_t start = 0;
    while (start < item.size() && item[start] == ' ')
        ++start;
    return item.substr(start);
}

} // namespace

Argument TestArgument(std::string_view word) {
    const char first = CharAt(word, 1);
    int kind = 5;
    if (first == '+')
        kind = 4;
    else if (first == '-')
        kind = 3;
    else if (first == '0')
        kind = 2;
    else if (first >= '1' && first <= '9')
        kind = 1;
    return {kind, Magnitude(word)};
}

Argument ResultFirstArgument(std::string_view word) {
    const char first = CharAt(word, 1);
    if (first == '>' || first == '<') {
        std::string number(word);
        number[0] = '0';
        return {first == '>' ? 6 : 5, Magnitude(number)};
    }
    Argument argument = TestArgument(word);
    if (argument.kind == 5)
        argument.kind = 7;
    return argument;
}

std::string_view OperationCode(std::string_view item) {
    return item.size() < 2 ? std::string_view() : item.substr(0, 2);
}

std::vector<std::string_view> AllCommaItems(std::string_view text) {
    std::vector<std::string_view> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
        items.push_back(DropLeadingBlanks(text.substr(start, end - start)));
        if (comma == std::string_view::npos)
            return items;
        start = comma + 1;
    }
}

std::vector<std::string_view> LeadingCommaItems(std::string_view field) {
    std::vector<std::string_view> items = AllCommaItems(field);
    std::size_t count = 0;
    while (count < items.size() && !items[count].empty())
        ++count;
    items.resize(count);
    return items;
}

std::string MagnitudeText(std::int64_t magnitude) {
    return std::to_string(magnitude);
}

} // namespace dolmex
