#include "app/anthology/KeywordHits.h"

namespace anthology {

namespace {

// The case-folded form the search compares: only Latin letters fold, as in the
// database engine's LIKE.
QString Folded(const QString& s) {
  QString out = s;
  for (QChar& c : out)
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
  return out;
}

}  // namespace

QList<Hit> FindHits(const QString& text, const QString& keyword) {
  QList<Hit> hits;
  if (keyword.trimmed().isEmpty()) return hits;
  const QString t = Folded(text), k = Folded(keyword);
  for (qsizetype at = t.indexOf(k); at >= 0; at = t.indexOf(k, at + k.size()))
    hits.append({static_cast<int>(at), static_cast<int>(k.size())});
  return hits;
}

QList<Hit> ShownHits(const QStringList& storedLines, const QStringList& shownLines, const QString& keyword,
                     const QString& shownKeyword) {
  if (storedLines.size() != shownLines.size()) return FindHits(shownLines.join(u'\n'), shownKeyword);
  QList<Hit> hits;
  int offset = 0;
  for (qsizetype i = 0; i < shownLines.size(); ++i) {
    const QString& shown = shownLines[i];
    const bool sameUnits = storedLines[i].size() == shown.size();
    for (Hit h : sameUnits ? FindHits(storedLines[i], keyword) : FindHits(shown, shownKeyword)) {
      h.start += offset;
      hits.append(h);
    }
    offset += static_cast<int>(shown.size()) + 1;
  }
  return hits;
}

void HitSteps::Reset(QList<Hit> hits) {
  hits_ = std::move(hits);
  current_ = -1;
}

int HitSteps::Next() {
  if (hits_.isEmpty()) return -1;
  current_ = current_ < 0 ? 0 : (current_ + 1) % static_cast<int>(hits_.size());
  return current_;
}

int HitSteps::Previous() {
  if (hits_.isEmpty()) return -1;
  const int n = static_cast<int>(hits_.size());
  current_ = current_ < 0 ? n - 1 : (current_ + n - 1) % n;
  return current_;
}

}  // namespace anthology
