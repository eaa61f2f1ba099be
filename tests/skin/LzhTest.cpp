// The compressed layer: the decoder against our packer's encoder over inputs
// of every size and shape, plus streams built by hand.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cstring>

#include "skin/core/Lzh.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

using skin::TLZH;

QByteArray RoundTrip(const QByteArray& input) {
  const QByteArray file = skinpack::LzhEncodeFile(input);
  return TLZH::DecodeBuffer(file, 1LL << 30);
}

QByteArray RandomBytes(qsizetype n, quint32 seed, int alphabet = 256) {
  QRandomGenerator rng(seed);
  QByteArray out(n, '\0');
  for (qsizetype i = 0; i < n; ++i) out[i] = static_cast<char>(rng.bounded(alphabet));
  return out;
}

QByteArray FileOf(quint32 size, const QByteArray& stream) {
  QByteArray f(4, '\0');
  for (int i = 0; i < 4; ++i) f[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
  return f + stream;
}

TEST(Lzh, PositionTablesFollowTheRule) {
  // Upper position bits by first byte: counts per value and code lengths.
  int count[64] = {};
  for (int i = 0; i < 256; ++i) ++count[skin::lzh::d_code[i]];
  EXPECT_EQ(count[0], 32);
  for (int v = 1; v <= 3; ++v) EXPECT_EQ(count[v], 16) << v;
  for (int v = 4; v <= 11; ++v) EXPECT_EQ(count[v], 8) << v;
  for (int v = 12; v <= 23; ++v) EXPECT_EQ(count[v], 4) << v;
  for (int v = 24; v <= 47; ++v) EXPECT_EQ(count[v], 2) << v;
  for (int v = 48; v <= 63; ++v) EXPECT_EQ(count[v], 1) << v;
  for (int i = 1; i < 256; ++i) EXPECT_LE(skin::lzh::d_code[i - 1], skin::lzh::d_code[i]);
  const int lenStarts[] = {0, 32, 80, 144, 192, 240, 256};
  for (int g = 0; g < 6; ++g)
    for (int i = lenStarts[g]; i < lenStarts[g + 1]; ++i) EXPECT_EQ(skin::lzh::d_len[i], 3 + g) << i;
}

TEST(Lzh, ZeroBitsPastTheEndDecodeToTheFirstLeafOfAllZeroPath) {
  // With the starting tree, the all-zero path ends at symbol 116 ('t'), and
  // the input supplies nothing: zero bytes are read past its end.
  EXPECT_EQ(TLZH::DecodeBuffer(FileOf(1, {}), 1 << 20), QByteArray("t"));
  // The model adapts after each symbol; decoding still ends, having produced
  // the declared length plus at most the rest of one match.
  const qsizetype n = TLZH::DecodeBuffer(FileOf(5000, {}), 1 << 20).size();
  EXPECT_GE(n, 5000);
  EXPECT_LT(n, 5000 + 60);
}

TEST(Lzh, EveryLengthFromEmptyToSeveralBlocks) {
  for (int n = 0; n <= 600; ++n) {
    const QByteArray text = RandomBytes(n, static_cast<quint32>(n), n % 3 == 0 ? 4 : 256);
    ASSERT_EQ(RoundTrip(text), text) << "length " << n;
  }
  for (const int n : {4035, 4036, 4037, 4095, 4096, 4097, 4155, 8191, 8192, 8193, 65535, 65536, 65537}) {
    const QByteArray text = RandomBytes(n, static_cast<quint32>(n), 16);
    ASSERT_EQ(RoundTrip(text), text) << "length " << n;
  }
}

TEST(Lzh, LargeInputsForcingRebuildsAndLongMatches) {
  // Random bytes: a literal per byte, the root frequency reaches its limit
  // and the tree is rebuilt many times.
  const QByteArray random = RandomBytes(1 << 20, 7);
  EXPECT_EQ(RoundTrip(random), random);
  // Long runs: mostly 60-byte matches at distance 0, tens of thousands of them.
  const QByteArray zeros(3 * 1024 * 1024 + 17, '\0');
  const QByteArray encodedZeros = skinpack::LzhEncodeFile(zeros);
  EXPECT_LT(encodedZeros.size(), zeros.size() / 20);
  EXPECT_EQ(TLZH::DecodeBuffer(encodedZeros, 1LL << 30), zeros);
  // Text-like data with matches at every distance up to the ring's size.
  QByteArray text;
  QRandomGenerator rng(99);
  while (text.size() < 2 * 1024 * 1024) {
    if (text.size() > 5000 && rng.bounded(3) != 0) {
      const qsizetype from = text.size() - 1 - rng.bounded(std::min<qsizetype>(text.size() - 1, 4095));
      const int len = 1 + rng.bounded(80);
      for (int i = 0; i < len; ++i) text.append(text[from + i]);
    } else {
      text.append(static_cast<char>('a' + rng.bounded(26)));
    }
  }
  EXPECT_EQ(RoundTrip(text), text);
}

TEST(Lzh, MatchesReachIntoTheInitialSpaces) {
  // The ring starts filled with spaces, so leading spaces are matches.
  const QByteArray text = QByteArray(100, ' ') + "x" + QByteArray(70, ' ');
  const QByteArray stream = skinpack::LzhEncode(text);
  EXPECT_LT(stream.size(), 12);
  EXPECT_EQ(RoundTrip(text), text);
}

TEST(Lzh, AMatchCrossingTheDeclaredLengthIsCopiedWhole) {
  const QByteArray text(100, 'a');
  const QByteArray stream = skinpack::LzhEncode(text);
  // One literal 'a', then a 60-byte match: asking for 10 bytes yields 61.
  const QByteArray decoded = TLZH::DecodeBuffer(FileOf(10, stream), 1 << 20);
  EXPECT_EQ(decoded, QByteArray(61, 'a'));
}

TEST(Lzh, TruncatedStreamDecodesAsIfZeroBytesFollowed) {
  const QByteArray text = RandomBytes(20000, 3, 8);
  QByteArray file = skinpack::LzhEncodeFile(text);
  const QByteArray cut = file.left(file.size() / 2);
  const QByteArray padded = cut + QByteArray(file.size(), '\0');
  const QByteArray a = TLZH::DecodeBuffer(cut, 1 << 20);
  EXPECT_GE(a.size(), text.size());
  EXPECT_EQ(a, TLZH::DecodeBuffer(padded, 1 << 20));
  // The part that was still there decodes unchanged.
  EXPECT_EQ(a.left(2000), text.left(2000));
}

TEST(Lzh, DeclaredLengthBeyondTheLimitIsRefused) {
  bool tooLarge = false;
  EXPECT_TRUE(TLZH::DecodeBuffer(FileOf(0xFFFFFFFFu, "abc"), 1 << 20, &tooLarge).isEmpty());
  EXPECT_TRUE(tooLarge);
  // Only the top byte set: 2^31, far beyond the limit (not a length that wraps to 0).
  tooLarge = false;
  EXPECT_TRUE(TLZH::DecodeBuffer(FileOf(0x80000000u, "abc"), 1 << 20, &tooLarge).isEmpty());
  EXPECT_TRUE(tooLarge);
  EXPECT_TRUE(TLZH::DecodeBuffer("ab", 1 << 20, &tooLarge).isEmpty());
  EXPECT_FALSE(tooLarge);
}

TEST(Lzh, StreamInterfaceWorksInSmallPieces) {
  const QByteArray text = RandomBytes(30000, 11, 5);
  const QByteArray stream = skinpack::LzhEncode(text);
  qsizetype pos = 0;
  QByteArray out;
  TLZH lzh;
  const auto produced = lzh.DecodeStream(
      text.size(),
      [&](std::uint8_t* buffer, int) {
        // One byte per call.
        if (pos >= stream.size()) return 0;
        *buffer = static_cast<std::uint8_t>(stream[pos++]);
        return 1;
      },
      [&](const std::uint8_t* buffer, int n) { out.append(reinterpret_cast<const char*>(buffer), n); });
  EXPECT_EQ(produced, text.size());
  EXPECT_EQ(out, text);
  // The same decoder starts afresh on the next stream, even after one it left
  // unfinished with coded bits still waiting.
  const auto decode = [&lzh](const QByteArray& coded, qsizetype count) {
    qsizetype at = 0;
    QByteArray decoded;
    lzh.DecodeStream(
        count,
        [&](std::uint8_t* buffer, int want) {
          const int n = static_cast<int>(std::min<qsizetype>(want, coded.size() - at));
          std::memcpy(buffer, coded.constData() + at, static_cast<size_t>(n));
          at += n;
          return n;
        },
        [&](const std::uint8_t* buffer, int n) { decoded.append(reinterpret_cast<const char*>(buffer), n); });
    return decoded;
  };
  EXPECT_EQ(decode(stream, 100).left(100), text.left(100));  // the last match may run past the count
  const QByteArray other = RandomBytes(5000, 12, 7);
  EXPECT_EQ(decode(skinpack::LzhEncode(other), other.size()), other);
}

}  // namespace
