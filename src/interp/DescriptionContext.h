#pragma once

#include "DescriptionPanel.h"
#include "GameMessages.h"

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace dolmex {

struct LanguageTables;

// MAINDESCRIPTION entries that the description reads.
namespace md {
inline constexpr int kLine = 0;
inline constexpr int kSpeaker = 1;
inline constexpr int kIntelligence = 2;
inline constexpr int kTestsHeading = 3;
inline constexpr int kResultsHeading = 4;
inline constexpr int kNpcText = 5;
inline constexpr int kOtherGenderText = 6;
inline constexpr int kResponse = 7;
inline constexpr int kNegativeResponse = 8;
inline constexpr int kResponseZero = 9;
inline constexpr int kTargetLine = 10;
inline constexpr int kGeneratedHeading = 11;
inline constexpr int kArgumentsHeading = 12;
inline constexpr int kUnknownValue = 13;
inline constexpr int kLineCount = 14;
inline constexpr int kEmpty = 16;
inline constexpr int kMessageSuffix = 33;
inline constexpr int kFirstMessageHeading = 34;
inline constexpr int kNpcComment = 43;
inline constexpr int kPlayerComment = 44;
inline constexpr int kNoComment = 45;
} // namespace md

// What the parts of a description write to and read from during one refresh.
struct DescriptionContext {
    const LanguageTables& tables;
    DescriptionPanel& panel;
    GameMessageFinder& messages;
};

// A navigation entry that names a line: MAINDESCRIPTION entry 10, a blank, the number.
std::string TargetLineEntry(const LanguageTables& tables, std::string_view number);

// Which message kind an operation code looks its first number up in.
struct CodeLookup {
    std::string_view code;
    MessageKind kind;
};
std::optional<MessageKind> LookupKind(std::span<const CodeLookup> table, std::string_view code);

class CodeTable;

// Adds "n) " + the expansion of every entry of `table` whose code is `code`, in table order.
void AddCodeLines(DescriptionPanel& panel, const CodeTable& table, std::string_view code,
                  int itemNumber, const std::function<std::string(int entry)>& expand);

} // namespace dolmex
