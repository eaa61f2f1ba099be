#include "tools/skinpack/LzhEncoder.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace skinpack {

namespace {
constexpr int N = 4096;
constexpr int F = 60;
constexpr int THRESHOLD = 2;
constexpr int NIL = N;
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = N_CHAR * 2 - 1;
constexpr int R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

// Prefix codes of the upper six position bits, derived from the decoder's
// rule: index ranges of 32, 48, 64, 48, 48 and 16 first bytes have code
// lengths 3 to 8 and cover 1, 3, 8, 12, 24 and 16 values.
struct PositionCodes {
  std::uint8_t code[64];
  std::uint8_t len[64];
  PositionCodes() {
    const int lens[6] = {3, 4, 5, 6, 7, 8};
    const int values[6] = {1, 3, 8, 12, 24, 16};
    int upper = 0, firstByte = 0;
    for (int g = 0; g < 6; ++g) {
      const int span = 256 >> lens[g];  // first bytes sharing one value
      for (int v = 0; v < values[g]; ++v) {
        code[upper] = static_cast<std::uint8_t>(firstByte);
        len[upper] = static_cast<std::uint8_t>(lens[g]);
        ++upper;
        firstByte += span;
      }
    }
  }
};

class Encoder {
 public:
  explicit Encoder(const QByteArray& in) : in_(in) {}

  QByteArray Run() {
    if (in_.isEmpty()) return {};
    StartHuff();
    InitTree();
    int s = 0, r = N - F;
    std::memset(text_, ' ', N - F);
    int len = 0;
    for (; len < F && pos_ < in_.size(); ++len) text_[r + len] = Next();
    for (int i = 1; i <= F; ++i) InsertNode(r - i);
    InsertNode(r);
    do {
      if (matchLength_ > len) matchLength_ = len;
      if (matchLength_ <= THRESHOLD) {
        matchLength_ = 1;
        EncodeChar(text_[r]);
      } else {
        EncodeChar(255 - THRESHOLD + matchLength_);
        EncodePosition(matchPosition_);
      }
      const int last = matchLength_;
      int i = 0;
      for (; i < last && pos_ < in_.size(); ++i) {
        const std::uint8_t c = Next();
        DeleteNode(s);
        text_[s] = c;
        if (s < F - 1) text_[s + N] = c;
        s = (s + 1) & (N - 1);
        r = (r + 1) & (N - 1);
        InsertNode(r);
      }
      while (i++ < last) {
        DeleteNode(s);
        s = (s + 1) & (N - 1);
        r = (r + 1) & (N - 1);
        if (--len) InsertNode(r);
      }
    } while (len > 0);
    if (putlen_) out_.append(static_cast<char>(putbuf_ >> 8));
    return out_;
  }

 private:
  std::uint8_t Next() { return static_cast<std::uint8_t>(in_[pos_++]); }

  // Binary search tree over the ring for the longest match.
  void InitTree() {
    for (int i = N + 1; i <= N + 256; ++i) rson_[i] = NIL;
    for (int i = 0; i < N; ++i) dad_[i] = NIL;
  }

  void InsertNode(int r) {
    int cmp = 1;
    const std::uint8_t* key = &text_[r];
    int p = N + 1 + key[0];
    rson_[r] = lson_[r] = NIL;
    matchLength_ = 0;
    for (;;) {
      if (cmp >= 0) {
        if (rson_[p] != NIL) {
          p = rson_[p];
        } else {
          rson_[p] = r;
          dad_[r] = p;
          return;
        }
      } else {
        if (lson_[p] != NIL) {
          p = lson_[p];
        } else {
          lson_[p] = r;
          dad_[r] = p;
          return;
        }
      }
      int i = 1;
      for (; i < F; ++i)
        if ((cmp = key[i] - text_[p + i]) != 0) break;
      if (i > THRESHOLD) {
        if (i > matchLength_) {
          matchPosition_ = ((r - p) & (N - 1)) - 1;
          if ((matchLength_ = i) >= F) break;
        }
        if (i == matchLength_) {
          const int c = ((r - p) & (N - 1)) - 1;
          if (c < matchPosition_) matchPosition_ = c;
        }
      }
    }
    // A full-length match: r replaces p in the tree.
    dad_[r] = dad_[p];
    lson_[r] = lson_[p];
    rson_[r] = rson_[p];
    dad_[lson_[p]] = r;
    dad_[rson_[p]] = r;
    if (rson_[dad_[p]] == p) {
      rson_[dad_[p]] = r;
    } else {
      lson_[dad_[p]] = r;
    }
    dad_[p] = NIL;
  }

  void DeleteNode(int p) {
    if (dad_[p] == NIL) return;
    int q;
    if (rson_[p] == NIL) {
      q = lson_[p];
    } else if (lson_[p] == NIL) {
      q = rson_[p];
    } else {
      q = lson_[p];
      if (rson_[q] != NIL) {
        do {
          q = rson_[q];
        } while (rson_[q] != NIL);
        rson_[dad_[q]] = lson_[q];
        dad_[lson_[q]] = dad_[q];
        lson_[q] = lson_[p];
        dad_[lson_[p]] = q;
      }
      rson_[q] = rson_[p];
      dad_[rson_[p]] = q;
    }
    dad_[q] = dad_[p];
    if (rson_[dad_[p]] == p) {
      rson_[dad_[p]] = q;
    } else {
      lson_[dad_[p]] = q;
    }
    dad_[p] = NIL;
  }

  // Adaptive Huffman model, kept in step with the decoder's.
  void StartHuff() {
    for (int i = 0; i < N_CHAR; ++i) {
      freq_[i] = 1;
      son_[i] = i + T;
      prnt_[i + T] = i;
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      prnt_[i] = prnt_[i + 1] = j;
    }
    freq_[T] = 0xFFFF;
    prnt_[R] = 0;
  }

  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (son_[i] >= T) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
      const unsigned f = freq_[jj] = freq_[i] + freq_[i + 1];
      int k = jj - 1;
      while (f < freq_[k]) --k;
      ++k;
      for (int m = jj; m > k; --m) {
        freq_[m] = freq_[m - 1];
        son_[m] = son_[m - 1];
      }
      freq_[k] = f;
      son_[k] = i;
    }
    for (int i = 0; i < T; ++i) {
      const int k = son_[i];
      if (k >= T) {
        prnt_[k] = i;
      } else {
        prnt_[k] = prnt_[k + 1] = i;
      }
    }
  }

  void Update(int c) {
    if (freq_[R] == MAX_FREQ) Reconstruct();
    c = prnt_[c + T];
    do {
      const unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        while (k > freq_[++l]) {
        }
        --l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        const int i = son_[c];
        prnt_[i] = l;
        if (i < T) prnt_[i + 1] = l;
        const int j = son_[l];
        son_[l] = i;
        prnt_[j] = c;
        if (j < T) prnt_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
    } while ((c = prnt_[c]) != 0);
  }

  void PutCode(int l, unsigned c) {
    putbuf_ = static_cast<std::uint16_t>(putbuf_ | (c >> putlen_));
    if ((putlen_ += l) >= 8) {
      out_.append(static_cast<char>(putbuf_ >> 8));
      if ((putlen_ -= 8) >= 8) {
        out_.append(static_cast<char>(putbuf_ & 0xFF));
        putlen_ -= 8;
        putbuf_ = static_cast<std::uint16_t>(c << (l - putlen_));
      } else {
        putbuf_ = static_cast<std::uint16_t>(putbuf_ << 8);
      }
    }
  }

  void EncodeChar(int c) {
    // The code is the path from the leaf up to the root, read top-down.
    unsigned code = 0;
    int length = 0;
    int k = prnt_[c + T];
    do {
      code >>= 1;
      if (k & 1) code += 0x8000;
      ++length;
    } while ((k = prnt_[k]) != R);
    PutCode(length, code);
    Update(c);
  }

  void EncodePosition(int c) {
    static const PositionCodes codes;
    const int i = c >> 6;
    PutCode(codes.len[i], static_cast<unsigned>(codes.code[i]) << 8);
    PutCode(6, static_cast<unsigned>(c & 0x3F) << 10);
  }

  const QByteArray& in_;
  qsizetype pos_ = 0;
  QByteArray out_;
  std::uint8_t text_[N + F - 1] = {};
  int lson_[N + 1] = {};
  int rson_[N + 257] = {};
  int dad_[N + 1] = {};
  int matchPosition_ = 0;
  int matchLength_ = 0;
  unsigned freq_[T + 1] = {};
  int prnt_[T + N_CHAR] = {};
  int son_[T] = {};
  std::uint16_t putbuf_ = 0;
  int putlen_ = 0;
};
}  // namespace

QByteArray LzhEncode(const QByteArray& input) {
  auto encoder = std::make_unique<Encoder>(input);
  return encoder->Run();
}

QByteArray LzhEncodeFile(const QByteArray& input) {
  QByteArray out(4, '\0');
  const auto size = static_cast<std::uint32_t>(input.size());
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
  out.append(LzhEncode(input));
  return out;
}

}  // namespace skinpack
