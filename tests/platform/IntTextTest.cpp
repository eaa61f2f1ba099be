#include <gtest/gtest.h>

#include "platform/IntText.h"

using platform::TryStrToInt;

TEST(IntText, AcceptsDecimalSignsBlanksAndHexPrefixes) {
  EXPECT_EQ(TryStrToInt(QStringLiteral("42")), 42);
  EXPECT_EQ(TryStrToInt(QStringLiteral("  -7")), -7);
  EXPECT_EQ(TryStrToInt(QStringLiteral("+7")), 7);
  EXPECT_EQ(TryStrToInt(QStringLiteral("0x10")), 16);
  EXPECT_EQ(TryStrToInt(QStringLiteral("0X1f")), 31);
  EXPECT_EQ(TryStrToInt(QStringLiteral("$FF")), 255);
  EXPECT_EQ(TryStrToInt(QStringLiteral("x10")), 16);
  EXPECT_EQ(TryStrToInt(QStringLiteral("-$10")), -16);
  EXPECT_EQ(TryStrToInt(QStringLiteral("$FFFFFFFF")), -1);
  EXPECT_EQ(TryStrToInt(QStringLiteral("-$80000000")), INT32_MIN);
}

TEST(IntText, RejectsWhatDoesNotConvert) {
  for (const char* bad : {"", " ", "yes", "12a", "12 ", "0x", "$", "--1", "1.5", "$100000000"})
    EXPECT_FALSE(TryStrToInt(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(IntText, KeepsToTheSignedThirtyTwoBitRange) {
  EXPECT_EQ(TryStrToInt(QStringLiteral("2147483647")), 2147483647);
  EXPECT_EQ(TryStrToInt(QStringLiteral("-2147483648")), INT32_MIN);
  EXPECT_FALSE(TryStrToInt(QStringLiteral("2147483648")).has_value());
  EXPECT_FALSE(TryStrToInt(QStringLiteral("-2147483649")).has_value());
  EXPECT_FALSE(TryStrToInt(QStringLiteral("99999999999999999999")).has_value());
}
