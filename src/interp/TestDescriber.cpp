#include "TestDescriber.h"

#include "OperationTemplate.h"

#include "core/TextFields.h"
#include "lang/LanguageTables.h"

namespace dolmex {

namespace {

using enum MessageKind;

constexpr CodeLookup kTestLookups[] = {
    {"ar", Area},       {"ia", Area},      {"in", ObjectName}, {"ni", ObjectName},
    {"pa", ObjectName}, {"rq", Rumour},    {"ru", Rumour},     {"qa", Quest},
    {"qb", Quest},      {"qu", Quest},     {"rp", Reputation}, {"ss", StoryState},
    {"gf", GlobalFlag}, {"gv", GlobalVar}, {"pf", PlayerVar},
};

} // namespace

void TestDesc(const DescriptionContext& context, std::string_view field) {
    const std::vector<std::string_view> items = LeadingCommaItems(field);
    if (items.empty())
        return;
    context.panel.addHeading(context.tables.mainDescription[md::kTestsHeading]);
    int itemNumber = 0;
    for (const std::string_view item : items) {
        ++itemNumber;
        const Argument first = TestArgument(TailWord(item, 1));
        const Argument second = TestArgument(TailWord(item, 2));
        const Argument third = TestArgument(TailWord(item, 3));
        const std::string_view code = OperationCode(item);
        if (const auto kind = LookupKind(kTestLookups, code))
            context.messages.FindGameMessages(*kind, MagnitudeText(first.magnitude));
        AddCodeLines(context.panel, context.tables.test, code, itemNumber, [&](int entry) {
            return ExpandTestTemplate(context.tables, entry, first, second, third);
        });
    }
}

} // namespace dolmex
