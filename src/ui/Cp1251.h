#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace dolmex {

// Cells, language texts and message texts are Windows-1251 bytes. Only the windows see
// characters: these two functions are the one place where bytes and characters meet.

QString FromCp1251(std::string_view bytes);

// The bytes of `text`, or nothing when a character has no Windows-1251 byte (it is then
// refused rather than saved as some other character).
std::optional<std::string> ToCp1251(const QString& text);

// The first character of `text` that Windows-1251 cannot hold, or a null QChar.
QChar FirstUnencodable(const QString& text);

} // namespace dolmex
