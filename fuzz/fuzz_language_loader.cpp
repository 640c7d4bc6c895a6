// Any bytes read as a language file, once into fresh tables and once over full ones.
#include "lang/LanguageLoader.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    dolmex::LanguageTables tables;
    dolmex::ParseLanguage(bytes, tables);
    dolmex::ParseLanguage(bytes, tables);
    return 0;
}
