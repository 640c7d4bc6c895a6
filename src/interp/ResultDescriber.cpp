#include "ResultDescriber.h"

#include "OperationTemplate.h"

#include "core/TextFields.h"
#include "lang/LanguageTables.h"

namespace dolmex {

namespace {

using enum MessageKind;

constexpr CodeLookup kResultLookups[] = {
    {"mm", Area},      {"in", ObjectName}, {"rq", Rumour},     {"ru", Rumour},
    {"qu", Quest},     {"rp", Reputation}, {"ss", StoryState}, {"gf", GlobalFlag},
    {"gv", GlobalVar}, {"pf", PlayerVar},
};

bool IsOneOf(std::string_view code, std::initializer_list<std::string_view> codes) {
    for (const std::string_view c : codes) {
        if (c == code)
            return true;
    }
    return false;
}

} // namespace

void ResultDesc(const DescriptionContext& context, std::string_view field, bool collectMoves) {
    const std::vector<std::string_view> items = LeadingCommaItems(field);
    if (items.empty())
        return;
    const LanguageTables& tables = context.tables;
    context.panel.addHeading(tables.mainDescription[md::kResultsHeading]);
    int itemNumber = 0;
    for (const std::string_view item : items) {
        ++itemNumber;
        const Argument first = ResultFirstArgument(TailWord(item, 1));
        const Argument second = TestArgument(TailWord(item, 2));
        const std::string_view code = OperationCode(item);
        if (const auto kind = LookupKind(kResultLookups, code))
            context.messages.FindGameMessages(*kind, MagnitudeText(first.magnitude));
        if (collectMoves) {
            if (IsOneOf(code, {"jo", "et", "uw"}))
                context.panel.addMove(TargetLineEntry(tables, MagnitudeText(second.magnitude)));
            else if (IsOneOf(code, {"ce", "co", "fl"}))
                context.panel.addMove(tables.mainDescription[md::kResponseZero]);
        }
        AddCodeLines(context.panel, tables.result, code, itemNumber,
                     [&](int entry) { return ExpandResultTemplate(tables, entry, first, second); });
    }
}

} // namespace dolmex
