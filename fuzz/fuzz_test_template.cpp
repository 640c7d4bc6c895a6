// A TEST template over a test field: every item's code gets the template, so each item
// is expanded; the template is also expanded over odd kinds and magnitudes directly.
#include "FuzzDescribe.h"

#include "interp/OperationArgs.h"
#include "interp/OperationTemplate.h"
#include "interp/TestDescriber.h"

#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzDescribing d(data, size);
    for (const std::string_view item : dolmex::LeadingCommaItems(d.text))
        d.tables.test.add({std::string(dolmex::OperationCode(item)), std::string(d.templ)});
    dolmex::TestDesc(d.context(), d.text);
    d.check();
    constexpr std::int64_t big = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (const int kind : {0, 1, 5, 7, 1000})
        dolmex::ExpandTestTemplate(d.tables, 1, {kind, big}, {kind, 0}, {kind, 16});
    return 0;
}
