#pragma once

// Shared set-up of the description fuzz targets: the input's first line is a template,
// the rest the text it describes; message files hold a few numbers so look-ups match.
#include "FuzzTables.h"

#include "interp/DescriptionContext.h"
#include "interp/GameMessages.h"

#include <cstdlib>
#include <string_view>

struct FuzzDescribing {
    dolmex::LanguageTables tables = FuzzTables();
    dolmex::MemoryMessageSource source;
    dolmex::GameMessageStore store;
    dolmex::DescriptionPanel panel;
    dolmex::GameMessageFinder finder{source, store};
    std::string_view templ, text;

    FuzzDescribing(const unsigned char* data, std::size_t size) {
        const std::string_view bytes(reinterpret_cast<const char*>(data), size);
        const std::size_t newline = bytes.find('\n');
        templ = bytes.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : bytes.substr(newline + 1);
        for (int k = 0; k < dolmex::kMessageKindCount; ++k)
            source.setFile(static_cast<dolmex::MessageKind>(k),
                           "{1}{a/b/c}\n{20}{x}\n{60}{y}\n{7}{z}\n");
    }

    dolmex::DescriptionContext context() { return {tables, panel, finder}; }

    // What no input may break: the store's bounds and the panel's style after a description.
    void check() const {
        for (int k = 0; k < dolmex::kMessageKindCount; ++k) {
            const auto& texts = store.texts(static_cast<dolmex::MessageKind>(k));
            if (texts.size() > dolmex::GameMessageStore::kCapacity)
                std::abort();
            for (const auto& t : texts) {
                if (t.size() > dolmex::GameMessageStore::kTextWidth)
                    std::abort();
            }
        }
        if (panel.bold())
            std::abort();
    }
};
