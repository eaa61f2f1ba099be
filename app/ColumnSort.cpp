#include "app/ColumnSort.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/Gbk.h"

namespace app {
namespace {

void FoldLatin(char* p, qsizetype n) {
  for (qsizetype i = 0; i < n; ++i)
    if (p[i] >= 'a' && p[i] <= 'z') p[i] = static_cast<char>(p[i] - 'a' + 'A');
}

}  // namespace

int CompareColumnTexts(const QString& a, const QString& b) { return ColumnSortKeys::Compare(ColumnSortKeys({a}).Key(0), ColumnSortKeys({b}).Key(0)); }

int ColumnSortKeys::Compare(std::string_view a, std::string_view b) {
  const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (x != a.end() && y != b.end()) return static_cast<unsigned char>(*x) - static_cast<unsigned char>(*y);
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int ColumnSortKeys::Compare(int a, int b) const {
  const Span& x = spans_[static_cast<size_t>(a)];
  const Span& y = spans_[static_cast<size_t>(b)];
  if (x.head != y.head) {
    // The first differing byte, unless one key ended before it (a prefix).
    const int at = std::countl_zero(x.head ^ y.head) / 8;
    const int shift = 56 - 8 * at;
    if (at < x.size && at < y.size) return static_cast<int>((x.head >> shift) & 0xFF) - static_cast<int>((y.head >> shift) & 0xFF);
    return static_cast<int>(x.size - y.size);
  }
  if (x.size <= 8 || y.size <= 8) return static_cast<int>(x.size - y.size);
  return Compare(Key(a).substr(8), Key(b).substr(8));
}

ColumnSortKeys::ColumnSortKeys(const QStringList& texts) {
  // One conversion for all texts, each followed by U+0000, whose byte 0 no
  // GBK character contains; a text holding U+0000 itself is converted alone.
  QString joined;
  qsizetype length = 0;
  for (const QString& t : texts) length += t.size() + 1;
  joined.reserve(length);
  std::vector<bool> alone(static_cast<size_t>(texts.size()), false);
  for (qsizetype i = 0; i < texts.size(); ++i) {
    if (texts[i].contains(QChar(u'\0'))) alone[static_cast<size_t>(i)] = true;
    else joined += texts[i];
    joined += QChar(u'\0');
  }
  bytes_ = platform::ToGbk(joined);
  // Should the conversion not keep every separator, each text goes alone.
  if (bytes_.count('\0') != texts.size()) std::fill(alone.begin(), alone.end(), true);
  spans_.reserve(static_cast<size_t>(texts.size()));
  const char* p = bytes_.constData();
  const qsizetype total = bytes_.size();
  qsizetype from = 0;
  for (qsizetype i = 0; i < texts.size(); ++i) {
    const char* end = static_cast<const char*>(std::memchr(p + from, '\0', static_cast<size_t>(std::max<qsizetype>(0, total - from))));
    const qsizetype stop = end ? end - p : total;
    spans_.push_back({from, stop - from, 0});
    from = stop + 1;
  }
  for (qsizetype i = 0; i < texts.size(); ++i) {
    if (!alone[static_cast<size_t>(i)]) continue;
    const QByteArray own = platform::ToGbk(texts[i]);
    spans_[static_cast<size_t>(i)] = {bytes_.size(), own.size(), 0};
    bytes_ += own;
  }
  FoldLatin(bytes_.data(), bytes_.size());
  for (Span& s : spans_) {
    const std::string_view key{bytes_.constData() + s.begin, static_cast<size_t>(s.size)};
    for (size_t i = 0; i < 8; ++i) s.head = (s.head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  }
}

}  // namespace app
