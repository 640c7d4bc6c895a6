// Any bytes read as a settings file leave positive sizes and widths.
#include "lang/Settings.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    dolmex::Settings settings;
    dolmex::ParseSettings(std::string_view(reinterpret_cast<const char*>(data), size), settings);
    if (settings.windowWidth <= 0 || settings.windowHeight <= 0)
        std::abort();
    for (int width : settings.colWidths) {
        if (width <= 0)
            std::abort();
    }
    dolmex::SerializeSettings(settings);
    return 0;
}
