#include <gtest/gtest.h>

#include <iconv.h>

#include "platform/Gbk.h"

using namespace platform;

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> b) {
  QByteArray out;
  for (unsigned char c : b) out.append(static_cast<char>(c));
  return out;
}

// The GBK reading of two bytes through the C library's own GBK table, or 0.
char32_t GbkCharacter(const QByteArray& pair) {
  static iconv_t cd = iconv_open("UTF-32LE", "GBK");
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char32_t out = 0;
  char* in = const_cast<char*>(pair.constData());
  size_t inLeft = static_cast<size_t>(pair.size());
  char* o = reinterpret_cast<char*>(&out);
  size_t oLeft = sizeof out;
  if (iconv(cd, &in, &inLeft, &o, &oLeft) == static_cast<size_t>(-1) || inLeft != 0 || oLeft != 0) return 0;
  return out;
}

QString FromCodePoint(char32_t c) { return QString::fromUcs4(&c, 1); }

}  // namespace

TEST(Gbk, RoundTripsChineseAndAscii) {
  const QString text = QStringLiteral("静夜思 Li Bai 床前明月光。");
  const QByteArray bytes = ToGbk(text);
  EXPECT_EQ(bytes.size(), 2 * 9 + 8);  // nine CJK characters, eight ASCII bytes
  EXPECT_EQ(FromGbk(bytes), text);
  EXPECT_EQ(ToGbk(QStringLiteral("中")), Bytes({0xD6, 0xD0}));
  EXPECT_EQ(ToGbk(QStringLiteral("Tip")), QByteArray("Tip"));
}

// Every character GBK has keeps its GBK bytes, read and written: the whole
// two-byte table, checked against the C library's own GBK converter.
TEST(Gbk, EveryGbkCharacterKeepsItsGbkBytes) {
  int pairs = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const QByteArray pair = Bytes({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)});
      const char32_t c = GbkCharacter(pair);
      if (c == 0) continue;
      ++pairs;
      ASSERT_EQ(FromGbk(pair), FromCodePoint(c)) << std::hex << lead << trail;
      ASSERT_EQ(ToGbk(FromCodePoint(c)), pair) << std::hex << lead << trail;
      ASSERT_EQ(GbkCharWidth(pair, 0), 2);
    }
  }
  EXPECT_GT(pairs, 21000);  // GBK's 21,886 characters less the few single-byte ones
}

TEST(Gbk, CharactersOutsideGbkTakeFourBytesAndComeBack) {
  // U+3400 (the first of CJK extension A) and U+20000 (the first of extension B)
  // have their fixed four-byte codes; the emoji and a newer simplified character too.
  EXPECT_EQ(ToGbk(QStringLiteral("㐀")), Bytes({0x81, 0x39, 0xEE, 0x39}));
  EXPECT_EQ(ToGbk(FromCodePoint(0x20000)), Bytes({0x95, 0x32, 0x82, 0x36}));
  const QString mixed = QStringLiteral("a😀b㶉𫛶飞");
  const QByteArray bytes = ToGbk(mixed);
  EXPECT_EQ(bytes.size(), 1 + 4 + 1 + 4 + 4 + 2);
  EXPECT_EQ(FromGbk(bytes), mixed);
  EXPECT_EQ(GbkCharWidth(bytes, 1), 4);
  EXPECT_EQ(GbkCharWidth(bytes, 0), 1);
  // A lone surrogate stands for no character: it is written as '?'.
  const QString broken = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
  EXPECT_EQ(ToGbk(broken), QByteArray("a?b"));
  // A byte that starts no character reads as the replacement character, at
  // the end too: 0x80 and 0xFF lie just outside the lead bytes 0x81-0xFE.
  EXPECT_EQ(FromGbk(QByteArray("a\x80" "b")), QStringLiteral("a\uFFFDb"));
  EXPECT_EQ(FromGbk(QByteArray("a\x80")), QStringLiteral("a\uFFFD"));
  EXPECT_EQ(FromGbk(QByteArray("a\xFF")), QStringLiteral("a\uFFFD"));
  // Four bytes when a lead byte is followed by a digit 0x30-0x39, both ends
  // of either range; two when the next byte is just outside the digits.
  EXPECT_EQ(ToGbk(QString(QChar(0x80))), Bytes({0x81, 0x30, 0x81, 0x30}));
  EXPECT_EQ(GbkCharWidth(Bytes({0x81, 0x30, 0x81, 0x30}), 0), 4);
  EXPECT_EQ(GbkCharWidth(Bytes({0xFE, 0x39, 0xFE, 0x39}), 0), 4);
  EXPECT_EQ(GbkCharWidth(Bytes({0x81, 0x2F}), 0), 2);
  EXPECT_EQ(GbkCharWidth(Bytes({0x81, 0x3A}), 0), 2);
  EXPECT_EQ(GbkCharWidth(Bytes({0x80, 0x30}), 0), 1);
  EXPECT_EQ(GbkCharWidth(Bytes({0xFF, 0x30}), 0), 1);
}

// Long texts take another way through the conversion than short ones: every
// character of the Basic Multilingual Plane (U+0000 and U+FFFF, U+FFFD and the
// last character before and first after the surrogates included) converts in
// a long text to the bytes it has alone; a long text holding a surrogate pair
// or a lone surrogate converts as its pieces do.
TEST(Gbk, LongTextsConvertAsTheirCharactersDoAlone) {
  QString all;
  QByteArray alone;
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    all += FromCodePoint(c);
    alone += c == 0 ? QByteArray(1, '\0') : ToGbk(FromCodePoint(c));
  }
  ASSERT_GT(all.size(), 4096);
  EXPECT_EQ(ToGbk(all), alone);
  EXPECT_EQ(ToGbk(all).size(), alone.size());
  const QString pad = QString(5000, QChar(u'诗'));
  const QString astral = pad + FromCodePoint(0x20000) + QChar(0xDC00) + QChar(0xD800) + QStringLiteral("Az") +
                         FromCodePoint(0x1F600) + QChar(0xD83D);
  EXPECT_EQ(ToGbk(astral), ToGbk(pad) + Bytes({0x95, 0x32, 0x82, 0x36}) + QByteArray("??Az") +
                               ToGbk(FromCodePoint(0x1F600)) + QByteArray("?"));
  EXPECT_EQ(ToGbk(pad + QStringLiteral("\uFFFD")), ToGbk(pad) + QByteArray("?"));
}

TEST(Gbk, CutsNeverSplitATwoOrFourByteCharacter) {
  const QByteArray bytes = ToGbk(QStringLiteral("a𠀀诗"));  // 1 + 4 + 2 bytes
  ASSERT_EQ(bytes.size(), 7);
  EXPECT_TRUE(GbkLeft(bytes, 0).isEmpty());
  EXPECT_EQ(GbkLeft(bytes, 1), QByteArray("a"));
  for (int n = 2; n <= 4; ++n) EXPECT_EQ(GbkLeft(bytes, n), QByteArray("a")) << n;
  EXPECT_EQ(GbkLeft(bytes, 5), bytes.left(5));
  EXPECT_EQ(GbkLeft(bytes, 6), bytes.left(5));
  EXPECT_EQ(GbkLeft(bytes, 7), bytes);
  EXPECT_EQ(GbkLeft(bytes, 100), bytes);
  // Decoding drops a character left incomplete at the end, whatever its width.
  for (int n = 2; n <= 4; ++n) EXPECT_EQ(FromGbk(bytes.left(n)), QStringLiteral("a")) << n;
  EXPECT_EQ(FromGbk(bytes.left(6)), QStringLiteral("a𠀀"));
  const QByteArray two = ToGbk(QStringLiteral("a诗词"));  // 1 + 2 + 2 bytes
  EXPECT_EQ(GbkLeft(two, 2), QByteArray("a"));
  EXPECT_EQ(GbkLeft(two, 4).size(), 3);
  EXPECT_EQ(FromGbk(two.left(4)), QStringLiteral("a诗"));
  EXPECT_TRUE(GbkLeft(ToGbk(QStringLiteral("诗a")), 1).isEmpty());  // a cut inside the very first character
}

TEST(Gbk, CopyCountsBytesAndKeepsOnlyWholeCharacters) {
  const QString caption = QStringLiteral("Cinnabarquillpad V2014 build 09.01");
  EXPECT_EQ(GbkCopy(caption, 18, 20), QStringLiteral("V2014 build 09.01"));
  EXPECT_EQ(GbkCopy(caption, 18, 5), QStringLiteral("V2014"));
  EXPECT_EQ(GbkCopy(QStringLiteral("short"), 18, 20), QString());
  EXPECT_EQ(GbkCopy(QStringLiteral("诗词诗词诗词诗词诗词"), 17, 20), QStringLiteral("诗词"));
  // "ab𠀀诗c": bytes 1-2 ab, 3-6 𠀀, 7-8 诗, 9 c.
  const QString text = QStringLiteral("ab𠀀诗c");
  EXPECT_EQ(GbkCopy(text, 3, 6), QStringLiteral("𠀀诗"));
  EXPECT_EQ(GbkCopy(text, 3, 5), QStringLiteral("𠀀"));       // 诗 cut at its end
  EXPECT_EQ(GbkCopy(text, 4, 6), QStringLiteral("诗c"));      // 𠀀 cut at its start
  EXPECT_EQ(GbkCopy(text, 2, 4), QStringLiteral("b"));
  EXPECT_EQ(GbkCopy(text, 8, 2), QStringLiteral("c"));        // starts inside 诗
  EXPECT_EQ(GbkCopy(text, 9, 1), QStringLiteral("c"));        // the last byte alone
  EXPECT_EQ(GbkCopy(text, 0, 2), QStringLiteral("ab"));       // a start before 1 counts from 1
  EXPECT_EQ(GbkCopy(text, -3, 1), QStringLiteral("a"));
}

TEST(Gbk, CompareUsesUnsignedBytes) {
  // GBK orders 阿 (B0A2) before 中 (D6D0); ASCII sorts before both.
  EXPECT_LT(GbkCompare(QStringLiteral("阿"), QStringLiteral("中")), 0);
  EXPECT_LT(GbkCompare(QStringLiteral("z"), QStringLiteral("阿")), 0);
  EXPECT_LT(GbkCompare(QStringLiteral("ab"), QStringLiteral("abc")), 0);
  EXPECT_EQ(GbkCompare(QStringLiteral("唐诗"), QStringLiteral("唐诗")), 0);
  // Four-byte characters compare by their bytes too: 㐀 (8139EE39) before
  // 丂 (8140), the first GBK character of the same lead byte; 𠀀 (9532...)
  // between 丂 and 阿.
  EXPECT_LT(GbkCompare(QStringLiteral("㐀"), QStringLiteral("丂")), 0);
  EXPECT_GT(GbkCompare(FromCodePoint(0x20000), QStringLiteral("丂")), 0);
  EXPECT_LT(GbkCompare(FromCodePoint(0x20000), QStringLiteral("阿")), 0);
}
