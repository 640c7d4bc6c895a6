#pragma once

#include "core/Cp1251.h"
#include "core/LineStore.h"

#include <QString>

#include <initializer_list>
#include <string>
#include <string_view>

namespace dolmex {

// The Windows-1251 bytes of a UTF-8 text.
inline std::string Bytes(std::string_view utf8) {
    return ToCp1251(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))).value();
}

// A store with one row per line; cells given in UTF-8.
inline void Fill(LineStore& store, std::initializer_list<std::initializer_list<const char*>> rows) {
    DialogLines lines;
    for (const auto& row : rows) {
        DialogLine line;
        std::size_t c = 0;
        for (const char* cell : row)
            line[c++] = Bytes(cell);
        lines.push_back(line);
    }
    store.replaceAll(std::move(lines));
}

} // namespace dolmex
