#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace dolmex {

// File names are characters; the file calls below Qt take them as the system's bytes. These
// two are the one place where the two meet (file contents never pass here: they are
// Windows-1251 bytes).
std::string PathBytes(const QString& path);
QString PathText(std::string_view path);

} // namespace dolmex
