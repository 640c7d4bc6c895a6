#include "Navigation.h"

#include "DescriptionContext.h"

#include "core/LineStore.h"
#include "core/TextFields.h"
#include "lang/LanguageTables.h"

namespace dolmex {

std::optional<std::int32_t> JumpTarget(const LanguageTables& tables, std::string_view entry) {
    const std::string& target = tables.mainDescription[md::kTargetLine];
    if (WordAt(entry, 1) + WordAt(entry, 2) != WordAt(target, 1) + WordAt(target, 2))
        return std::nullopt;
    return ParseIntOrMinus1(WordAt(entry, 3));
}

std::optional<std::int32_t> FollowedResponse(const LineStore& store, int row) {
    const std::int32_t response = ParseIntOrMinus1(store.cell(row, ColResponse));
    if (response <= 0)
        return std::nullopt;
    return response;
}

std::optional<int> ResponceRow(const LineStore& store, std::int32_t number) {
    std::optional<int> found;
    for (int row = 1; row < store.rowCount(); ++row) {
        if (ParseIntOrMinus1(store.cell(row, ColNumber)) == number)
            found = row;
    }
    return found;
}

} // namespace dolmex
