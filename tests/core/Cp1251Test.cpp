#include "core/Cp1251.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

TEST(Cp1251, EveryByteComesBackAsItself) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = FromCp1251(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1251(text), all);
}

TEST(Cp1251, MapsCyrillicAndRefusesWhatItCannotHold) {
    EXPECT_EQ(FromCp1251("\xCF\xF0\xE8\xE2\xE5\xF2"), QStringLiteral("Привет"));
    EXPECT_EQ(FromCp1251("\xA8\xB8\xB9\x88"), QStringLiteral("Ёё№€"));
    EXPECT_EQ(ToCp1251(QStringLiteral("Ёлка №5")), std::string("\xA8\xEB\xEA\xE0 \xB9"
                                                               "5"));
    EXPECT_EQ(ToCp1251(QStringLiteral("naïve")), std::nullopt);
    EXPECT_EQ(ToCp1251(QStringLiteral("漢")), std::nullopt);
}

} // namespace
} // namespace dolmex
