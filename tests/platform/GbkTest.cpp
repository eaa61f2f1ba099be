#include <gtest/gtest.h>

#include "platform/Gbk.h"

using namespace platform;

TEST(Gbk, RoundTripsChineseAndAscii) {
  const QString text = QStringLiteral("静夜思 Li Bai 床前明月光。");
  const QByteArray bytes = ToGbk(text);
  EXPECT_EQ(bytes.size(), 2 * 9 + 8);  // nine CJK characters, eight ASCII bytes
  EXPECT_EQ(FromGbk(bytes), text);
  EXPECT_EQ(static_cast<unsigned char>(ToGbk(QStringLiteral("中"))[0]), 0xD6);
  EXPECT_EQ(static_cast<unsigned char>(ToGbk(QStringLiteral("中"))[1]), 0xD0);
}

TEST(Gbk, CharactersOutsideGbkBecomeQuestionMarks) {
  EXPECT_EQ(ToGbk(QStringLiteral("a😀b")), QByteArray("a?b"));
}

TEST(Gbk, CutsNeverSplitADoubleByteCharacter) {
  const QByteArray bytes = ToGbk(QStringLiteral("a诗词"));  // 1 + 2 + 2 bytes
  EXPECT_EQ(GbkLeft(bytes, 2), QByteArray("a"));
  EXPECT_EQ(GbkLeft(bytes, 3).size(), 3);
  EXPECT_EQ(GbkLeft(bytes, 4).size(), 3);
  EXPECT_EQ(GbkLeft(bytes, 100), bytes);
  EXPECT_TRUE(GbkLeft(bytes, 0).isEmpty());
  // A broken trailing lead byte is dropped when decoding.
  EXPECT_EQ(FromGbk(bytes.left(4)), QStringLiteral("a诗"));
}

TEST(Gbk, CopyCountsBytes) {
  const QString caption = QStringLiteral("Cinnabarquillpad V2014 build 09.01");
  EXPECT_EQ(GbkCopy(caption, 18, 20), QStringLiteral("V2014 build 09.01"));
  EXPECT_EQ(GbkCopy(QStringLiteral("short"), 18, 20), QString());
  EXPECT_EQ(GbkCopy(QStringLiteral("诗词诗词诗词诗词诗词"), 17, 20), QStringLiteral("诗词"));
}

TEST(Gbk, CompareUsesUnsignedBytes) {
  // GBK orders 阿 (B0A2) before 中 (D6D0); ASCII sorts before both.
  EXPECT_LT(GbkCompare(QStringLiteral("阿"), QStringLiteral("中")), 0);
  EXPECT_LT(GbkCompare(QStringLiteral("z"), QStringLiteral("阿")), 0);
  EXPECT_LT(GbkCompare(QStringLiteral("ab"), QStringLiteral("abc")), 0);
  EXPECT_EQ(GbkCompare(QStringLiteral("唐诗"), QStringLiteral("唐诗")), 0);
}
