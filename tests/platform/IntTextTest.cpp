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
  EXPECT_EQ(TryStrToInt(QStringLiteral("X1f")), 31);
  // Both ends of each digit range, in both cases.
  EXPECT_EQ(TryStrToInt(QStringLiteral("$a9")), 169);
  EXPECT_EQ(TryStrToInt(QStringLiteral("0xA0")), 160);
  EXPECT_EQ(TryStrToInt(QStringLiteral("x0F")), 15);
  EXPECT_EQ(TryStrToInt(QStringLiteral("-$10")), -16);
  EXPECT_EQ(TryStrToInt(QStringLiteral("-$80000000")), INT32_MIN);
}

TEST(IntText, RejectsWhatDoesNotConvert) {
  // The characters just outside each digit range: / : ` g @ G.
  for (const char* bad : {"", " ", "yes", "12a", "12 ", "0x", "$", "--1", "1.5", "$100000000", "1/", "1:", "$`",
                          "$1g", "$@", "x1G"})
    EXPECT_FALSE(TryStrToInt(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(IntText, KeepsToTheSignedThirtyTwoBitRange) {
  EXPECT_EQ(TryStrToInt(QStringLiteral("2147483647")), 2147483647);
  EXPECT_EQ(TryStrToInt(QStringLiteral("-2147483648")), INT32_MIN);
  EXPECT_FALSE(TryStrToInt(QStringLiteral("2147483648")).has_value());
  EXPECT_FALSE(TryStrToInt(QStringLiteral("-2147483649")).has_value());
  EXPECT_FALSE(TryStrToInt(QStringLiteral("99999999999999999999")).has_value());
}

// Hexadecimal text is a value like decimal text, not a 32-bit pattern: it
// must fit the same range, whichever prefix starts it.
TEST(IntText, HexadecimalKeepsToTheSignedRangeToo) {
  for (const char* top : {"$7FFFFFFF", "x7fffffff", "0X7FFFFFFF", "+$7FFFFFFF"})
    EXPECT_EQ(TryStrToInt(QString::fromLatin1(top)), INT32_MAX) << top;
  for (const char* beyond : {"$80000000", "x80000000", "0x80000000", "$FFFFFFFF", "0xffffffff", "-$80000001",
                             "-0x80000001", "-$FFFFFFFF"})
    EXPECT_FALSE(TryStrToInt(QString::fromLatin1(beyond)).has_value()) << beyond;
  EXPECT_EQ(TryStrToInt(QStringLiteral("-0x80000000")), INT32_MIN);
  EXPECT_EQ(TryStrToInt(QStringLiteral("-x7FFFFFFF")), -INT32_MAX);
}

// The skin INI's rule: hexadecimal only after "$"; the digits name a 32-bit pattern.
TEST(IntText, DollarHexadecimalNamesABitPattern) {
  using platform::TryDollarHexToInt;
  EXPECT_EQ(TryDollarHexToInt(QStringLiteral("$1F")), 31);
  EXPECT_EQ(TryDollarHexToInt(QStringLiteral("-$1f")), -31);
  EXPECT_EQ(TryDollarHexToInt(QStringLiteral("$7FFFFFFF")), INT32_MAX);
  EXPECT_EQ(TryDollarHexToInt(QStringLiteral("$80000000")), INT32_MIN);
  EXPECT_EQ(TryDollarHexToInt(QStringLiteral("$FFFFFFFF")), -1);
  EXPECT_EQ(TryDollarHexToInt(QStringLiteral("-2147483648")), INT32_MIN);
  for (const char* bad : {"x1F", "X1F", "0x1F", "0X1F", "$100000000", "2147483648", "$", "1F"})
    EXPECT_FALSE(TryDollarHexToInt(QString::fromLatin1(bad)).has_value()) << bad;
}
