// A generated-line template (the kind of the text's first letter) over a line's text.
#include "FuzzDescribe.h"

#include "interp/GeneratedLine.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzDescribing d(data, size);
    if (!d.text.empty()) {
        char letter = d.text[0];
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<char>(letter - 'a' + 'A');
        if (letter >= 'A' && letter <= 'Z')
            d.tables.generatedDialog[static_cast<std::size_t>(letter - 'A')] = {
                0, "kind", "explained", std::string(d.templ)};
    }
    dolmex::GenerDialog(d.context(), d.text, true);
    d.check();
    return 0;
}
