#include "app/study/PinyinReader.h"

#include <algorithm>
#include <vector>

#include "app/study/ClassicalReadings.h"
#include "app/study/HanText.h"

namespace study {

namespace {

using W = ClassicalReading::Where;

// The level tones (first and second) and the oblique ones (third and fourth).
enum class Tone { kLevel, kOblique, kNone };

Tone ToneOf(const QString& reading) {
  static const QString level = QStringLiteral("āáēéīíōóūúǖǘń");
  static const QString oblique = QStringLiteral("ǎàěèǐìǒòǔùǚǜňǹ");
  for (const QChar c : reading) {
    if (level.contains(c)) return Tone::kLevel;
    if (oblique.contains(c)) return Tone::kOblique;
  }
  return Tone::kNone;
}

// One line of Chinese characters being read.
class Line {
 public:
  Line(std::vector<char32_t> chars, const PinyinTable& table)
      : c_(std::move(chars)), table_(table), readings_(static_cast<qsizetype>(c_.size())), fixed_(c_.size(), false) {}

  QStringList Read() {
    const int n = static_cast<int>(c_.size());
    for (int length = std::min(n, Longest()); length >= 2; --length) {
      for (int k = 0; k + length <= n; ++k)
        if (Free(k, length)) ApplyOurs(k, length);
      for (int k = 0; k + length <= n; ++k)
        if (Free(k, length)) ApplyDataset(k, length);
    }
    for (int k = 0; k < n; ++k)
      if (!fixed_[k]) readings_[k] = SingleReading(k);
    if (n == 5 || n == 7)
      for (int k = 1; k < n; k += 2)
        if (!fixed_[k])
          if (const ClassicalReading* e = Single(c_[k], W::kLevelPosition); e && LevelWanted(k)) readings_[k] = e->reading.toString();
    return readings_;
  }

 private:
  int Longest() const {
    int longest = table_.LongestPhrase();
    for (const ClassicalReading& e : ClassicalReadings()) longest = std::max(longest, static_cast<int>(e.context.size()));
    return longest;
  }
  bool Free(int k, int length) const {
    return std::none_of(fixed_.begin() + k, fixed_.begin() + k + length, [](bool f) { return f; });
  }
  bool Matches(QStringView context, int k) const {
    for (qsizetype m = 0; m < context.size(); ++m)
      if (c_[k + m] != context[m].unicode()) return false;
    return true;
  }
  void ApplyOurs(int k, int length) {
    for (const ClassicalReading& e : ClassicalReadings())
      if (e.context.size() == length && e.where == W::kAnywhere && Matches(e.context, k)) {
        readings_[k + e.at] = e.reading.toString();
        fixed_[k + e.at] = true;
        return;
      }
  }
  void ApplyDataset(int k, int length) {
    QString phrase;
    for (int m = 0; m < length; ++m) {
      if (c_[k + m] > 0xFFFF) return;  // the table's phrases lie in the basic plane
      phrase.append(QChar(static_cast<char16_t>(c_[k + m])));
    }
    const QStringList* readings = table_.Phrase(phrase);
    if (!readings) return;
    for (int m = 0; m < length; ++m) {
      readings_[k + m] = (*readings)[m];
      fixed_[k + m] = true;
    }
  }
  static const ClassicalReading* Single(char32_t c, W where) {
    for (const ClassicalReading& e : ClassicalReadings())
      if (e.context.size() == 1 && e.where == where && e.context[0].unicode() == c) return &e;
    return nullptr;
  }
  QString SingleReading(int k) const {
    if (k + 1 == static_cast<int>(c_.size()))
      if (const ClassicalReading* e = Single(c_[k], W::kLineEnd)) return e->reading.toString();
    if (const ClassicalReading* e = Single(c_[k], W::kAnywhere)) return e->reading.toString();
    return table_.Reading(c_[k]);
  }
  // The second, fourth and sixth characters alternate in tone, the second and
  // the sixth alike: the place is level when every other such place with a
  // known tone says so.
  bool LevelWanted(int k) const {
    int votes = 0;
    for (int q = 1; q < static_cast<int>(c_.size()); q += 2) {
      if (q == k) continue;
      const Tone t = ToneOf(readings_[q]);
      if (t == Tone::kNone) continue;
      const bool alike = std::abs(q - k) == 4;
      if ((t == Tone::kLevel) != alike) return false;
      ++votes;
    }
    return votes > 0;
  }

  std::vector<char32_t> c_;
  const PinyinTable& table_;
  QStringList readings_;
  std::vector<bool> fixed_;
};

}  // namespace

QStringList ReadingsOf(QStringView text, const PinyinTable& table) {
  const QList<CodePoint> points = CodePoints(text);
  QStringList out(points.size());
  for (qsizetype i = 0; i < points.size();) {
    if (!IsHan(points[i].value)) {
      ++i;
      continue;
    }
    std::vector<char32_t> chars;
    const qsizetype first = i;
    for (; i < points.size() && IsHan(points[i].value); ++i) chars.push_back(points[i].value);
    const QStringList readings = Line(std::move(chars), table).Read();
    std::copy(readings.begin(), readings.end(), out.begin() + first);
  }
  return out;
}

QList<AnnotatedChar> Annotate(const QString& shown, const QString& stored, const PinyinTable& table) {
  const QList<CodePoint> points = CodePoints(shown);
  QStringList readings = ReadingsOf(stored, table);
  if (readings.size() != points.size()) readings = ReadingsOf(shown, table);
  QList<AnnotatedChar> out;
  out.reserve(points.size());
  for (qsizetype i = 0; i < points.size(); ++i) out.append({shown.mid(points[i].at, points[i].size), readings[i]});
  return out;
}

}  // namespace study
