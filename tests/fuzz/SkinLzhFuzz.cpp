// The decoder of the skin files' compressed layer. The input: a flag byte,
// then a payload.
//  - Low bit clear: the payload is a skin file (a 32-bit length, then the bit
//    stream). It decodes to the declared length and at most one match
//    (F - 1 bytes) past it, to the same bytes however the reads are cut (in
//    pieces of 1 to 2..128 bytes as the flag's upper bits say), and
//    a declared length over the limit gives nothing and says so.
//  - Low bit set: the payload is packed by the skin packer's encoder and
//    decodes back to itself.
#include <algorithm>

#include "skin/core/Lzh.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

using fuzz::Show;

// Keeps each run short: the decoder's work per byte is the same at any length.
constexpr std::int64_t kMaxOutput = 2 * 1024;

std::uint32_t DeclaredLength(const QByteArray& file) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData());
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The same stream read in pieces of 1 to `piece` bytes, the sizes cycling.
QByteArray DecodeInPieces(const QByteArray& file, std::int64_t count, int piece) {
  QByteArray out;
  qsizetype pos = 4;
  int next = 1;
  skin::TLZH lzh;
  const std::int64_t produced = lzh.DecodeStream(
      count,
      [&](std::uint8_t* buffer, int want) {
        const qsizetype n = std::min<qsizetype>({want, next, file.size() - pos});
        next = next % piece + 1;
        if (n <= 0) return 0;
        std::copy_n(file.constData() + pos, n, reinterpret_cast<char*>(buffer));
        pos += n;
        return static_cast<int>(n);
      },
      [&](const std::uint8_t* buffer, int n) { out.append(reinterpret_cast<const char*>(buffer), n); });
  CQ_FUZZ_CHECK_SAYING(produced == out.size(), produced << " produced, " << out.size() << " written");
  return out;
}

// `piece` 1 reads the stream whole only; above, in pieces too.
void CheckFile(const QByteArray& file, int piece) {
  bool tooLarge = true;
  const QByteArray out = skin::TLZH::DecodeBuffer(file, kMaxOutput, &tooLarge);
  if (file.size() < 4) {
    CQ_FUZZ_CHECK(out.isEmpty() && !tooLarge);
    return;
  }
  const std::int64_t declared = DeclaredLength(file);
  CQ_FUZZ_CHECK_SAYING(tooLarge == (declared > kMaxOutput), declared << " declared");
  if (tooLarge) {
    CQ_FUZZ_CHECK(out.isEmpty());
    return;
  }
  CQ_FUZZ_CHECK_SAYING(out.size() >= declared && out.size() < declared + skin::lzh::F,
                       declared << " declared, " << out.size() << " decoded");
  if (piece == 1) return;
  const QByteArray pieces = DecodeInPieces(file, declared, piece);
  CQ_FUZZ_CHECK_SAYING(pieces == out, "read in pieces of up to " << piece << ": " << pieces.size() << " bytes");
}

void CheckRoundTrip(const QByteArray& payload) {
  const QByteArray file = skinpack::LzhEncodeFile(payload);
  const QByteArray back = skin::TLZH::DecodeBuffer(file, payload.size());
  CQ_FUZZ_CHECK_SAYING(back == payload, Show(payload) << " came back as " << Show(back));
}

int Run(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const QByteArray payload(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  if (data[0] & 1) CheckRoundTrip(payload);
  else CheckFile(payload, 1 + (data[0] >> 1));
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("skin-lzh", Run)
