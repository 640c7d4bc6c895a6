#include "DescriptionContext.h"

#include "core/TextFields.h"
#include "lang/LanguageTables.h"

namespace dolmex {

std::string TargetLineEntry(const LanguageTables& tables, std::string_view number) {
    return tables.mainDescription[md::kTargetLine] + " " + std::string(number);
}

std::optional<MessageKind> LookupKind(std::span<const CodeLookup> table, std::string_view code) {
    for (const CodeLookup& entry : table) {
        if (entry.code == code)
            return entry.kind;
    }
    return std::nullopt;
}

void AddCodeLines(DescriptionPanel& panel, const CodeTable& table, std::string_view code,
                  int itemNumber, const std::function<std::string(int entry)>& expand) {
    if (code.empty())
        return;
    for (int entry = 1; entry <= table.count(); ++entry) {
        if (table.entry(entry).code == code)
            panel.add(IntText(itemNumber) + ") " + expand(entry));
    }
}

} // namespace dolmex
