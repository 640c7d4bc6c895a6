#include "Cp1251.h"

#include <array>
#include <unordered_map>

namespace dolmex {

namespace {

// Characters of bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order. Byte 0x98
// has no character in the code page: it shows as the control character U+0098, so that
// it still comes back as the same byte.
constexpr std::array<char16_t, 64> kHighHalf{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t CharOf(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return static_cast<char16_t>(0x0410 + (byte - 0xC0));
    return kHighHalf[byte - 0x80];
}

const std::unordered_map<char16_t, char>& ByteOfCharacter() {
    static const std::unordered_map<char16_t, char> table = [] {
        std::unordered_map<char16_t, char> map;
        for (int byte = 0x80; byte <= 0xFF; ++byte)
            map.emplace(CharOf(static_cast<unsigned char>(byte)), static_cast<char>(byte));
        return map;
    }();
    return table;
}

} // namespace

std::optional<char> Cp1251Byte(QChar c) {
    if (c.unicode() < 0x80)
        return static_cast<char>(c.unicode());
    const auto& table = ByteOfCharacter();
    const auto found = table.find(c.unicode());
    if (found == table.end())
        return std::nullopt;
    return found->second;
}

QString FromCp1251(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes)
        *out++ = QChar(CharOf(static_cast<unsigned char>(byte)));
    return text;
}

std::optional<std::string> ToCp1251(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const std::optional<char> byte = Cp1251Byte(c);
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

} // namespace dolmex
