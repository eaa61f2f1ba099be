#pragma once
// Decoder of the compressed layer of skin files: LZSS over a 4,096-byte ring
// with adaptive Huffman coding of literals and match lengths, and a fixed
// prefix code for the upper six bits of match positions.
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/Exception.h"

namespace skin {

// Failures of the decoder's memory handling.
class ElzhException : public toolkit::Exception {
 public:
  using toolkit::Exception::Exception;
};

// The model and code constants shared by the decoder and by encoders that
// must produce streams it reads.
namespace lzh {
constexpr int N = 4096;                       // ring buffer size
constexpr int F = 60;                         // longest match
constexpr int THRESHOLD = 2;                  // matches longer than this are coded as matches
constexpr int N_CHAR = 256 - THRESHOLD + F;   // 314 symbols: 256 literals, 58 lengths
constexpr int T = N_CHAR * 2 - 1;             // 627 tree nodes
constexpr int R = T - 1;                      // root
constexpr unsigned MAX_FREQ = 0x8000;         // rebuild when the root reaches this
// Upper six bits of a position, and the length of its prefix code, by the
// first eight bits read.
extern const std::uint8_t d_code[256];
extern const std::uint8_t d_len[256];

// The adaptive Huffman model; encoder and decoder update it identically.
class HuffModel {
 public:
  HuffModel();
  void Start();
  void Update(int c);
  std::uint16_t freq[T + 1];
  std::int16_t prnt[T + N_CHAR];
  std::int16_t son[T];

 private:
  void Reconstruct();
};
}  // namespace lzh

class TLZH {
 public:
  // Returns the number of bytes placed in `buffer` (0 at the end of input).
  using ReadCallback = std::function<int(std::uint8_t* buffer, int size)>;
  using WriteCallback = std::function<void(const std::uint8_t* buffer, int size)>;

  TLZH();
  ~TLZH();
  TLZH(const TLZH&) = delete;
  TLZH& operator=(const TLZH&) = delete;

  // Produces at least `count` bytes (a match crossing `count` is copied whole)
  // through `write` from bytes obtained through `read`. Past the end of the
  // input, zero bytes are supplied. Returns the number of bytes produced.
  std::int64_t DecodeStream(std::int64_t count, const ReadCallback& read, const WriteCallback& write);

  // Convenience: decodes a whole skin file (32-bit length, then the bit
  // stream). Output is limited to `maxOutput` bytes; a larger declared length
  // yields an empty result and sets `*tooLarge` when given.
  static QByteArray DecodeBuffer(const QByteArray& file, std::int64_t maxOutput, bool* tooLarge = nullptr);

 private:
  void InitTables();
  void FreeTables();
  void Refill();
  int GetBit();
  int GetBits(int n);
  int DecodeChar();
  int DecodePosition();

  // Bits not yet used, most significant first, and how many of them are real
  // input (zero bits follow the end of the input).
  std::uint64_t bitBuf_ = 0;
  int bitCount_ = 0;
  const ReadCallback* read_ = nullptr;
  std::uint8_t inBuf_[4096];
  int inPos_ = 0;
  int inLen_ = 0;
  bool inEnd_ = false;
  std::vector<std::uint8_t> textBuf_;  // N + F - 1 bytes
  lzh::HuffModel* model_ = nullptr;
};

}  // namespace skin
