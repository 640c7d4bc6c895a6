// A RESULT template over a result field, collecting navigation entries as a refresh does.
#include "FuzzDescribe.h"

#include "interp/OperationArgs.h"
#include "interp/OperationTemplate.h"
#include "interp/ResultDescriber.h"

#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzDescribing d(data, size);
    for (const std::string_view item : dolmex::LeadingCommaItems(d.text))
        d.tables.result.add({std::string(dolmex::OperationCode(item)), std::string(d.templ)});
    dolmex::ResultDesc(d.context(), d.text, true);
    d.check();
    constexpr std::int64_t big = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (const int kind : {0, 6, 7, 1000})
        dolmex::ExpandResultTemplate(d.tables, 1, {kind, big}, {kind, 17});
    return 0;
}
