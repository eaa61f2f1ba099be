#include "app/ColumnSort.h"

#include "platform/Gbk.h"

namespace app {

int CompareColumnTexts(const QString& a, const QString& b) {
  const QByteArray x = platform::ToGbk(a);
  const QByteArray y = platform::ToGbk(b);
  const qsizetype n = std::min(x.size(), y.size());
  auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  for (qsizetype i = 0; i < n; ++i) {
    const int cx = upper(static_cast<unsigned char>(x[i]));
    const int cy = upper(static_cast<unsigned char>(y[i]));
    if (cx != cy) return cx - cy;
  }
  return static_cast<int>(x.size() - y.size());
}

}  // namespace app
