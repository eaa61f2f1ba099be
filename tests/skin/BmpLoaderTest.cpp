// The bitmap loader: every depth the skins use, both row orders, and files
// whose headers promise more than they hold.
#include <gtest/gtest.h>

#include "skin/core/BmpLoader.h"
#include "tests/skin/SkinTestData.h"

namespace {

using skin::LoadBmp;
using skintest::MakeBmp;

void PutU32(QByteArray& b, qsizetype at, quint32 v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST(BmpLoader, PalettedDepths) {
  const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 255), qRgb(10, 20, 30), qRgb(200, 100, 50)};
  // 1 bpp: 9 pixels wide crosses a byte boundary.
  const QList<quint32> bits = {1, 0, 1, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0};
  QImage one = LoadBmp(MakeBmp(9, 2, 1, bits, palette.mid(0, 2)));
  ASSERT_EQ(one.size(), QSize(9, 2));
  for (int i = 0; i < bits.size(); ++i) EXPECT_EQ(one.pixel(i % 9, i / 9), palette[bits[i]]) << i;
  // One pixel a row: each row still takes four bytes.
  const QImage narrow = LoadBmp(MakeBmp(1, 2, 1, {1, 0}, palette.mid(0, 2)));
  EXPECT_EQ(narrow.pixel(0, 0), palette[1]);
  EXPECT_EQ(narrow.pixel(0, 1), palette[0]);
  const QList<quint32> nibbles = {3, 2, 1, 0, 2, 3};
  QImage four = LoadBmp(MakeBmp(3, 2, 4, nibbles, palette));
  ASSERT_FALSE(four.isNull());
  for (int i = 0; i < nibbles.size(); ++i) EXPECT_EQ(four.pixel(i % 3, i / 3), palette[nibbles[i]]) << i;
  const QList<quint32> bytes = {0, 1, 2, 3, 3, 2, 1, 0};
  QImage eight = LoadBmp(MakeBmp(4, 2, 8, bytes, palette));
  ASSERT_FALSE(eight.isNull());
  for (int i = 0; i < bytes.size(); ++i) EXPECT_EQ(eight.pixel(i % 4, i / 4), palette[bytes[i]]) << i;
  // An index beyond the palette reads as black.
  QImage beyond = LoadBmp(MakeBmp(3, 1, 8, {1, 200, 4}, palette));
  EXPECT_EQ(beyond.pixel(1, 0), qRgb(0, 0, 0));
  EXPECT_EQ(beyond.pixel(2, 0), qRgb(0, 0, 0));  // the first index past the palette
  EXPECT_EQ(beyond.pixel(0, 0), qRgb(255, 0, 255));
}

TEST(BmpLoader, TrueColourBottomUpAndTopDown) {
  const QList<quint32> pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF, 0x102030, 0xFFFFFF};
  for (const int bpp : {24, 32}) {
    for (const bool topDown : {false, true}) {
      const QImage img = LoadBmp(MakeBmp(3, 2, bpp, pixels, {}, topDown));
      ASSERT_EQ(img.size(), QSize(3, 2)) << bpp << topDown;
      EXPECT_EQ(img.format(), QImage::Format_RGB32);
      for (int i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(img.pixel(i % 3, i / 3) & 0xFFFFFFu, pixels[i]) << bpp << " " << topDown << " " << i;
    }
  }
  // 16 bpp: five bits per channel.
  const QImage sixteen = LoadBmp(MakeBmp(2, 1, 16, {0x7C00, 0x001F}));
  EXPECT_EQ(sixteen.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(sixteen.pixel(1, 0), qRgb(0, 0, 255));
}

// A one-row bitmap whose three channel masks follow its 40-byte header.
QByteArray BitFields(int width, int bpp, const QList<quint32>& pixels, quint32 r, quint32 g, quint32 b) {
  QByteArray bmp = MakeBmp(width, 1, bpp, pixels, {r, g, b});  // the masks stand where a palette would
  PutU32(bmp, 30, 3);
  return bmp;
}

TEST(BmpLoader, BitFieldMasksScaleEachChannelToEightBitsRounded) {
  // Unequal masks: 10 bits from bit 10, 4 bits from bit 20, 1 bit at bit 0.
  const QImage odd = LoadBmp(BitFields(2, 32, {0xF00C01, 0x1FFC00}, 0x0FFC00, 0xF00000, 0x000001));
  ASSERT_EQ(odd.size(), QSize(2, 1));
  EXPECT_EQ(odd.pixel(0, 0), qRgb(1, 255, 255));  // 3 of 1023 is 0.75, rounded to 1
  EXPECT_EQ(odd.pixel(1, 0), qRgb(255, 17, 0));
  // A mask of nothing reads as 0.
  const QImage noGreen = LoadBmp(BitFields(1, 32, {0x12FF34}, 0xFF0000, 0, 0x0000FF));
  EXPECT_EQ(noGreen.pixel(0, 0), qRgb(0x12, 0, 0x34));
  // 5-6-5 at 16 bits: 16 of 31 is 131.6, rounded to 132.
  const QImage sixteen = LoadBmp(BitFields(2, 16, {0xF810, 0x0021}, 0xF800, 0x07E0, 0x001F));
  EXPECT_EQ(sixteen.pixel(0, 0), qRgb(255, 0, 132));
  EXPECT_EQ(sixteen.pixel(1, 0), qRgb(0, 4, 8));
  // Masks cut off by the end of the file, the pixels said to start inside them.
  QByteArray cut = BitFields(1, 32, {0x123456}, 0xFF0000, 0x00FF00, 0x0000FF).left(58);
  PutU32(cut, 10, 54);
  EXPECT_TRUE(LoadBmp(cut).isNull());
  // Other depths take no masks.
  EXPECT_TRUE(LoadBmp(BitFields(2, 24, {0, 0}, 0xFF0000, 0x00FF00, 0x0000FF)).isNull());
}

TEST(BmpLoader, OldCoreHeader) {
  // 12-byte header, 3-byte palette entries, 8 bpp, 2 x 1.
  QByteArray b("BM", 2);
  b += QByteArray(12, '\0');
  QByteArray info(12, '\0');
  PutU32(info, 0, 12);
  info[4] = 2;
  info[6] = 1;
  info[8] = 1;
  info[10] = 8;
  b += info;
  for (int i = 0; i < 256; ++i) b += QByteArray::fromRawData(i == 1 ? "\x30\x20\x10" : "\x00\x00\x00", 3);
  PutU32(b, 10, static_cast<quint32>(b.size()));
  b += QByteArray("\x01\x00\x00\x00", 4);
  const QImage img = LoadBmp(b);
  ASSERT_EQ(img.size(), QSize(2, 1));
  EXPECT_EQ(img.pixel(0, 0), qRgb(0x10, 0x20, 0x30));
  EXPECT_EQ(img.pixel(1, 0), qRgb(0, 0, 0));
  QByteArray twoPlanes = b;
  twoPlanes[14 + 8] = 2;  // a bitmap has one plane
  EXPECT_TRUE(LoadBmp(twoPlanes).isNull());
}

TEST(BmpLoader, MalformedFilesGiveNoImage) {
  const QByteArray good = MakeBmp(4, 4, 24, QList<quint32>(16, 0x123456));
  ASSERT_FALSE(LoadBmp(good).isNull());
  EXPECT_TRUE(LoadBmp({}).isNull());
  EXPECT_TRUE(LoadBmp(good.left(20)).isNull());
  // Pixel data cut short.
  EXPECT_TRUE(LoadBmp(good.left(good.size() - 1)).isNull());
  QByteArray bad = good;
  bad[0] = 'X';
  EXPECT_TRUE(LoadBmp(bad).isNull());
  // Zero, negative-width and enormous sizes.
  for (const quint32 width : {0u, 0x80000000u, 0x7FFFFFFFu}) {
    QByteArray b = good;
    PutU32(b, 18, width);
    EXPECT_TRUE(LoadBmp(b).isNull()) << width;
  }
  QByteArray tall = good;
  PutU32(tall, 22, 0x40000000u);
  EXPECT_TRUE(LoadBmp(tall).isNull());
  // Pixel offset past the end.
  QByteArray offset = good;
  PutU32(offset, 10, 0xFFFFFF00u);
  EXPECT_TRUE(LoadBmp(offset).isNull());
  // Compressed and unknown depths are not read.
  QByteArray rle = good;
  PutU32(rle, 30, 1);
  EXPECT_TRUE(LoadBmp(rle).isNull());
  QByteArray depth = good;
  depth[28] = 2;
  EXPECT_TRUE(LoadBmp(depth).isNull());
  QByteArray planes = good;
  planes[26] = 2;
  EXPECT_TRUE(LoadBmp(planes).isNull());
  // Info header size larger than the file.
  QByteArray info = good;
  PutU32(info, 14, 0x10000);
  EXPECT_TRUE(LoadBmp(info).isNull());
  // A palette that would run into the pixels is cut; with no room at all
  // the file is refused.
  QByteArray noPalette = MakeBmp(2, 1, 8, {0, 0}, {});
  EXPECT_TRUE(LoadBmp(noPalette).isNull());
}

}  // namespace
