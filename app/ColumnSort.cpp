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

ColumnSortKeys::ColumnSortKeys(const QStringList& texts)
    : ColumnSortKeys(texts.size(), [&texts](qsizetype i) { return texts[i]; }) {}

ColumnSortKeys::ColumnSortKeys(qsizetype count, const std::function<QString(qsizetype)>& text) {
  // One conversion for all texts, each followed by U+0000, whose byte 0 no
  // GBK character contains; a text holding U+0000 itself is converted alone.
  QString joined;
  joined.reserve(count * 12);  // room for the usual titles and names; longer ones grow it
  std::vector<std::pair<qsizetype, QString>> alone;
  for (qsizetype i = 0; i < count; ++i) {
    const QString t = text(i);
    if (t.contains(QChar(u'\0'))) alone.emplace_back(i, t);
    else joined += t;
    joined += QChar(u'\0');
  }
  bytes_ = platform::ToGbk(joined);
  joined = QString();
  spans_.reserve(static_cast<size_t>(count));
  if (bytes_.count('\0') != count) {
    // The conversion did not keep every separator: each text goes alone.
    bytes_.clear();
    for (qsizetype i = 0; i < count; ++i) {
      const QByteArray own = platform::ToGbk(text(i));
      spans_.push_back({bytes_.size(), own.size(), 0});
      bytes_ += own;
    }
  } else {
    const char* p = bytes_.constData();
    qsizetype from = 0;
    for (qsizetype i = 0; i < count; ++i) {
      const qsizetype stop = static_cast<const char*>(std::memchr(p + from, '\0', static_cast<size_t>(bytes_.size() - from))) - p;
      spans_.push_back({from, stop - from, 0});
      from = stop + 1;
    }
    for (const auto& [i, t] : alone) {
      const QByteArray own = platform::ToGbk(t);
      spans_[static_cast<size_t>(i)] = {bytes_.size(), own.size(), 0};
      bytes_ += own;
    }
  }
  FoldLatin(bytes_.data(), bytes_.size());
  for (Span& s : spans_) {
    const std::string_view key{bytes_.constData() + s.begin, static_cast<size_t>(s.size)};
    for (size_t i = 0; i < 8; ++i) s.head = (s.head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  }
}

}  // namespace app
