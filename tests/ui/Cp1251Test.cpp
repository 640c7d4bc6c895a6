#include "ui/Cp1251.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

TEST(Cp1251, FirstUnstorableFindsWhatACellCannotHold) {
    EXPECT_EQ(FirstUnstorable(QStringLiteral("ok ї ü")), QChar(u'ü'));
    EXPECT_TRUE(FirstUnstorable(QStringLiteral("ok ї")).isNull());
    // A cell cannot hold what would end or split its line's fields either.
    for (const char16_t c : {u'{', u'}', u'\r', u'\n'})
        EXPECT_EQ(FirstUnstorable(QStringLiteral("a") + QChar(c) + QStringLiteral("b")), QChar(c));
}

} // namespace
} // namespace dolmex
