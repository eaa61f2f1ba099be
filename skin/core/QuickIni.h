#pragma once
// The INI text of a skin: significant lines kept in order, section headers
// indexed with their line numbers. Keys and sections ignore letter case; the
// first section of a name and the first key of a name win.
#include <QByteArray>
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

  const QStringList& Lines() const { return lines_; }

 private:
  struct SectionRef {
    QString header;  // "[name]" as written, trimmed
    int line;
  };
  int FindSection(const QString& section) const;

  QStringList lines_;
  QList<SectionRef> sections_;
};

// Leading and trailing blanks and control characters removed.
QString TrimText(const QString& text);

}  // namespace skin
