#pragma once

#include <QChar>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace dolmex {

// Cells, language texts and message texts are Windows-1251 bytes; what a person reads or
// types is characters. These are the one place where bytes and characters meet, for the
// windows and for dolmex-cli alike.

QString FromCp1251(std::string_view bytes);

// The bytes of `text`, or nothing when a character has no Windows-1251 byte (it is then
// refused rather than saved as some other character).
std::optional<std::string> ToCp1251(const QString& text);

// The byte of one character, or nothing when Windows-1251 has none for it.
std::optional<char> Cp1251Byte(QChar c);

} // namespace dolmex
