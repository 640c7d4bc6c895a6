#pragma once

#include "core/DialogReader.h"
#include "core/FileBytes.h"
#include "lang/LanguageLoader.h"
#include "lang/LanguageTables.h"

#include <string>

namespace dolmex::test {

// The English language file, so that expected transcripts read as the user reads them.
inline const LanguageTables& English() {
    static const LanguageTables tables = [] {
        LanguageTables t;
        ParseLanguage(ReadFileBytes(DOLMEX_SOURCE_DIR "/lang/english.lng"), t);
        return t;
    }();
    return tables;
}

// A dialog from records written one per line, "\n" between them.
inline DialogLines Dialog(const std::string& records) {
    std::string bytes;
    for (const char c : records)
        bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return ParseDialog(bytes + "\r\n");
}

} // namespace dolmex::test
