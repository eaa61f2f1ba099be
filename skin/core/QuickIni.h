#pragma once
// The INI text of a skin: significant lines kept in order, section headers
// indexed with their line numbers. Keys and sections ignore letter case; the
// first section of a name and the first key of a name win.
//
// The index is built once, as the text is parsed: a section is found by its
// header and a key within its section by name, each in constant time, so a
// skin's hundreds of lookups cost the same however many sections it holds.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace skin {

class TQuickIni {
 public:
  // Parses GBK text from `pos` to the end (or to the first NUL byte).
  void LoadFromStream(const QByteArray& bytes, qsizetype pos = 0);

  QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
  int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
  // Section names in file order, without brackets, trimmed.
  void ReadSections(QStringList& list) const;
  bool SectionExists(const QString& section) const;
  // Section headers in the text, repeated ones included.
  int SectionCount() const { return static_cast<int>(sections_.size()); }

  const QStringList& Lines() const { return lines_; }

 private:
  struct SectionRef {
    QString header;  // "[name]" as written, trimmed
    int line;
  };
  const QHash<QString, int>* FindKeys(const QString& section) const;
  void IndexKey(QHash<QString, int>& keys, int line);

  QStringList lines_;
  QList<SectionRef> sections_;
  // Letter-case-folded header -> the keys of the first section under it:
  // lower-cased key -> the line of its first occurrence.
  QHash<QString, QHash<QString, int>> keys_;
};

// Leading and trailing blanks and control characters removed.
QString TrimText(const QString& text);

}  // namespace skin
