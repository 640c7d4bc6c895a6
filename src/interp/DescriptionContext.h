#pragma once

#include "DescriptionPanel.h"
#include "GameMessages.h"
#include "lang/LanguageEntries.h"

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace dolmex {

struct LanguageTables;

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
