// Any bytes read as a dialog renumber without harm under any options: the rows keep their
// count and order, the numbers rise by the scheme, and only the cells that hold numbers
// or references change. The first two bytes choose the options.
#include "core/DialogReader.h"
#include "core/TextFields.h"
#include "tools/DialogCheck.h"
#include "tools/Renumber.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 2)
        return 0;
    dolmex::RenumberOptions options;
    options.blocks = data[0] & 1;
    options.rewriteGenerated = data[0] & 2;
    options.rewriteResults = data[0] & 4;
    options.listQuests = data[0] & 8;
    options.step = data[1] % 98 + 1;
    options.blockSize = options.step + 1 + (data[0] >> 4) % (99 - options.step);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    const auto rows = dolmex::ParseDialog(bytes);
    dolmex::CheckDialog(rows);
    const auto outcome = dolmex::RenumberLines(rows, options);
    if (!outcome || outcome->lines.size() != rows.size())
        std::abort();
    std::int32_t previous = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& before = rows[i];
        const auto& after = outcome->lines[i];
        const std::int32_t number = dolmex::ParseIntOrMinus1(after[dolmex::ColNumber]);
        if (number <= previous || (!options.blocks && number != previous + options.step))
            std::abort();
        previous = number;
        for (int c : {dolmex::ColIntelligence, dolmex::ColTest, dolmex::ColComment}) {
            if (before[static_cast<std::size_t>(c)] != after[static_cast<std::size_t>(c)])
                std::abort();
        }
    }
    if (previous != outcome->lastNumber)
        std::abort();
    return 0;
}
