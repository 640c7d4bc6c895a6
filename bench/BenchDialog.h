#pragma once

// The large dialog the benchmarks load: blocks of ten lines, an NPC line with a comment and
// a gender text, then player lines with tests, responses and results.

#include <string>

inline constexpr int kLines = 200'000;

inline std::string GenerateDialog() {
    std::string text;
    text.reserve(kLines * 80);
    for (int i = 1; i <= kLines; ++i) {
        if (i % 10 == 1)
            text += "//Block " + std::to_string(i) + " begins\r\n";
        if (i % 10 == 1)
            text += "{" + std::to_string(i) +
                    "}{Well met, traveller. The ferry leaves at dawn.}"
                    "{Well met, lady.}{}{}{" +
                    std::to_string(i + 1) + "}{}\r\n";
        else
            text += "{" + std::to_string(i) + "}{Ask about the river}{}{1}{gf 12 1, sk 3 20}{" +
                    std::to_string(i + 9) + "}{gv 4 +1, mm 17}\r\n";
    }
    return text;
}
