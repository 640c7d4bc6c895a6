// A message file of any bytes, looked up for every kind with the number list on the
// input's first line.
#include "interp/GameMessages.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = bytes.find('\n');
    const std::string_view list = bytes.substr(0, newline);
    if (dolmex::WantedNumbers(list).size() > 100)
        std::abort();
    dolmex::MemoryMessageSource source;
    dolmex::GameMessageStore store;
    dolmex::GameMessageFinder finder(source, store);
    for (int k = 0; k < dolmex::kMessageKindCount; ++k) {
        const auto kind = static_cast<dolmex::MessageKind>(k);
        source.setFile(kind, std::string(bytes));
        finder.FindGameMessages(kind, list);
        finder.FindGameMessages(kind, "0-99");
        if (store.counter(kind) > dolmex::GameMessageStore::kCapacity)
            std::abort();
        for (const auto& text : store.texts(kind)) {
            if (text.size() > dolmex::GameMessageStore::kTextWidth)
                std::abort();
        }
    }
    return 0;
}
