#pragma once
// Column sorting of the two tables: texts compared as GBK bytes with Latin
// letters folded to upper case, the direction alternating with every sort.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <string_view>
#include <vector>

namespace app {

// Negative when `a` goes first in ascending order: the first pair of bytes
// that differ gives their difference, a prefix the difference of the lengths.
int CompareColumnTexts(const QString& a, const QString& b);

// The sort keys of many texts, each text's GBK bytes with a-z folded to A-Z,
// converted in one pass. Comparing two keys gives what CompareColumnTexts
// gives for their texts.
class ColumnSortKeys {
 public:
  ColumnSortKeys() = default;
  explicit ColumnSortKeys(const QStringList& texts);
  // The keys of `count` texts given one at a time: each text is read once,
  // while it is at hand, and no list of all of them is made.
  ColumnSortKeys(qsizetype count, const std::function<QString(qsizetype)>& text);
  int Count() const { return static_cast<int>(spans_.size()); }
  std::string_view Key(int index) const {
    const Span& s = spans_[static_cast<size_t>(index)];
    return {bytes_.constData() + s.begin, static_cast<size_t>(s.size)};
  }
  static int Compare(std::string_view a, std::string_view b);
  // Compare(Key(a), Key(b)), mostly from the keys' first bytes kept beside
  // their places: a sort's comparisons then seldom reach the key bytes.
  int Compare(int a, int b) const;

 private:
  struct Span {
    qsizetype begin, size;
    quint64 head;  // the first 8 bytes, big-endian, zero-padded
  };
  QByteArray bytes_;
  std::vector<Span> spans_;
};

}  // namespace app
