#include "skin/core/Lzh.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace skin {
namespace lzh {

// d_code: 0 for 32 indices, 1..3 sixteen times, 4..11 eight times, 12..23
// four times, 24..47 twice, 48..63 once. d_len: 3 for 32 indices, 4 for 48,
// 5 for 64, 6 for 48, 7 for 48, 8 for 16.
const std::uint8_t d_code[256] = {
#define R16(b) b, b, b, b, b, b, b, b, b, b, b, b, b, b, b, b
    R16(0), R16(0), R16(1), R16(2), R16(3),
    4, 4, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7,
    8, 8, 8, 8, 8, 8, 8, 8, 9, 9, 9, 9, 9, 9, 9, 9, 10, 10, 10, 10, 10, 10, 10, 10, 11, 11, 11, 11, 11, 11, 11, 11,
    12, 12, 12, 12, 13, 13, 13, 13, 14, 14, 14, 14, 15, 15, 15, 15, 16, 16, 16, 16, 17, 17, 17, 17,
    18, 18, 18, 18, 19, 19, 19, 19, 20, 20, 20, 20, 21, 21, 21, 21, 22, 22, 22, 22, 23, 23, 23, 23,
    24, 24, 25, 25, 26, 26, 27, 27, 28, 28, 29, 29, 30, 30, 31, 31, 32, 32, 33, 33, 34, 34, 35, 35,
    36, 36, 37, 37, 38, 38, 39, 39, 40, 40, 41, 41, 42, 42, 43, 43, 44, 44, 45, 45, 46, 46, 47, 47,
    48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63,
#undef R16
};
const std::uint8_t d_len[256] = {
#define R16(b) b, b, b, b, b, b, b, b, b, b, b, b, b, b, b, b
    R16(3), R16(3), R16(4), R16(4), R16(4), R16(5), R16(5), R16(5), R16(5),
    R16(6), R16(6), R16(6), R16(7), R16(7), R16(7), R16(8),
#undef R16
};

HuffModel::HuffModel() { Start(); }

void HuffModel::Start() {
  for (int i = 0; i < N_CHAR; ++i) {
    freq[i] = 1;
    son[i] = static_cast<std::int16_t>(i + T);
    prnt[i + T] = static_cast<std::int16_t>(i);
  }
  int i = 0;
  for (int j = N_CHAR; j <= R; ++j, i += 2) {
    freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
    son[j] = static_cast<std::int16_t>(i);
    prnt[i] = prnt[i + 1] = static_cast<std::int16_t>(j);
  }
  freq[T] = 0xFFFF;
  prnt[R] = 0;
}

void HuffModel::Reconstruct() {
  // Gather the leaves in the first half, halving their frequencies.
  int j = 0;
  for (int i = 0; i < T; ++i) {
    if (son[i] >= T) {
      freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
      son[j] = son[i];
      ++j;
    }
  }
  // Pair nodes in order; insert each sum after the last node not above it.
  for (int i = 0, k, jj = N_CHAR; jj < T; i += 2, ++jj) {
    k = i + 1;
    const unsigned f = static_cast<unsigned>(freq[i]) + freq[k];
    freq[jj] = static_cast<std::uint16_t>(f);
    for (k = jj - 1; f < freq[k]; --k) {
    }
    ++k;
    const std::size_t l = static_cast<std::size_t>(jj - k);
    std::memmove(&freq[k + 1], &freq[k], l * sizeof(freq[0]));
    freq[k] = static_cast<std::uint16_t>(f);
    std::memmove(&son[k + 1], &son[k], l * sizeof(son[0]));
    son[k] = static_cast<std::int16_t>(i);
  }
  for (int i = 0; i < T; ++i) {
    const int k = son[i];
    if (k >= T) {
      prnt[k] = static_cast<std::int16_t>(i);
    } else {
      prnt[k] = prnt[k + 1] = static_cast<std::int16_t>(i);
    }
  }
}

void HuffModel::Update(int c) {
  if (freq[R] == MAX_FREQ) Reconstruct();
  c = prnt[c + T];
  do {
    const unsigned k = ++freq[c];
    int l = c + 1;
    if (k > freq[l]) {
      // Frequencies never decrease along the node order, so the last node
      // still below k is found by binary search (freq[T] is a sentinel).
      l = static_cast<int>(std::lower_bound(&freq[l + 1], &freq[T + 1], k) - &freq[0]) - 1;
      freq[c] = freq[l];
      freq[l] = static_cast<std::uint16_t>(k);
      const int i = son[c];
      prnt[i] = static_cast<std::int16_t>(l);
      if (i < T) prnt[i + 1] = static_cast<std::int16_t>(l);
      const int j = son[l];
      son[l] = static_cast<std::int16_t>(i);
      prnt[j] = static_cast<std::int16_t>(c);
      if (j < T) prnt[j + 1] = static_cast<std::int16_t>(c);
      son[c] = static_cast<std::int16_t>(j);
      c = l;
    }
  } while ((c = prnt[c]) != 0);
}

}  // namespace lzh

using namespace lzh;

TLZH::TLZH() = default;

TLZH::~TLZH() { FreeTables(); }

void TLZH::InitTables() {
  FreeTables();
  try {
    textBuf_.assign(N + F - 1, 0);
    model_ = new HuffModel();
  } catch (const std::bad_alloc&) {
    FreeTables();
    throw ElzhException(QStringLiteral("LZH : Cannot get memory for dictionary tables"));
  }
}

void TLZH::FreeTables() {
  delete model_;
  model_ = nullptr;
  std::vector<std::uint8_t>().swap(textBuf_);
}

void TLZH::Refill() {
  // Keeps at least 57 bits ready, most significant first; past the end of
  // the input, zero bytes are supplied.
  while (bitCount_ <= 56) {
    if (inPos_ >= inLen_) {
      if (!inEnd_) {
        inLen_ = (*read_)(inBuf_, static_cast<int>(sizeof inBuf_));
        inPos_ = 0;
        if (inLen_ <= 0) {
          inLen_ = 0;
          inEnd_ = true;
        }
      }
      if (inEnd_) {
        bitCount_ = 64;  // all zero bits from here on
        return;
      }
    }
    bitBuf_ |= static_cast<std::uint64_t>(inBuf_[inPos_++]) << (56 - bitCount_);
    bitCount_ += 8;
  }
}

inline int TLZH::GetBit() {
  if (bitCount_ < 1) Refill();
  const int bit = static_cast<int>(bitBuf_ >> 63);
  bitBuf_ <<= 1;
  --bitCount_;
  return bit;
}

inline int TLZH::GetBits(int n) {
  if (bitCount_ < n) Refill();
  const int bits = static_cast<int>(bitBuf_ >> (64 - n));
  bitBuf_ <<= n;
  bitCount_ -= n;
  return bits;
}

int TLZH::DecodeChar() {
  int c = model_->son[R];
  // Walk from the root to a leaf, one bit per level.
  while (c < T) {
    c += GetBit();
    c = model_->son[c];
  }
  c -= T;
  model_->Update(c);
  return c;
}

int TLZH::DecodePosition() {
  int i = GetBits(8);
  const int c = d_code[i] << 6;
  const int j = d_len[i] - 2;
  i = (i << j) | GetBits(j);
  return c | (i & 0x3F);
}

std::int64_t TLZH::DecodeStream(std::int64_t count, const ReadCallback& read, const WriteCallback& write) {
  InitTables();
  read_ = &read;
  bitBuf_ = 0;
  bitCount_ = 0;
  inPos_ = inLen_ = 0;
  inEnd_ = false;
  std::int64_t produced = 0;
  try {
    std::uint8_t* text = textBuf_.data();
    std::memset(text, ' ', N - F);
    int r = N - F;
    std::uint8_t out[4096];
    int outLen = 0;
    auto putByte = [&](std::uint8_t b) {
      out[outLen++] = b;
      if (outLen == static_cast<int>(sizeof out)) {
        write(out, outLen);
        outLen = 0;
      }
      text[r] = b;
      r = (r + 1) & (N - 1);
      ++produced;
    };
    while (produced < count) {
      const int c = DecodeChar();
      if (c < 256) {
        putByte(static_cast<std::uint8_t>(c));
      } else {
        const int start = (r - DecodePosition() - 1) & (N - 1);
        const int length = c - 255 + THRESHOLD;
        for (int k = 0; k < length; ++k) putByte(text[(start + k) & (N - 1)]);
      }
    }
    if (outLen > 0) write(out, outLen);
  } catch (...) {
    read_ = nullptr;
    FreeTables();
    throw;
  }
  read_ = nullptr;
  FreeTables();
  return produced;
}

QByteArray TLZH::DecodeBuffer(const QByteArray& file, std::int64_t maxOutput, bool* tooLarge) {
  if (tooLarge) *tooLarge = false;
  if (file.size() < 4) return {};
  const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData());
  const std::uint32_t size = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  if (size > static_cast<std::uint64_t>(maxOutput)) {
    if (tooLarge) *tooLarge = true;
    return {};
  }
  QByteArray result;
  // A match may run up to F - 1 bytes past the declared length.
  result.reserve(static_cast<qsizetype>(size) + F);
  qsizetype pos = 4;
  TLZH lzh;
  lzh.DecodeStream(
      size,
      [&](std::uint8_t* buffer, int want) {
        const qsizetype n = std::min<qsizetype>(want, file.size() - pos);
        if (n <= 0) return 0;
        std::memcpy(buffer, file.constData() + pos, static_cast<std::size_t>(n));
        pos += n;
        return static_cast<int>(n);
      },
      [&](const std::uint8_t* buffer, int n) { result.append(reinterpret_cast<const char*>(buffer), n); });
  return result;
}

}  // namespace skin
