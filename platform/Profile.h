#pragma once
// Profile files: "[section]" header lines and "key=value" lines in GBK text.
// Names match without regard to letter case; values are read trimmed and cut
// to 2047 bytes. Every call opens the file anew.
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

namespace platform {

constexpr int kProfileValueMax = 2047;

// A profile file as it was at one moment, read once: what several lookups of
// one moment (an era list, say) read, however many keys the file has. Only the
// sections asked for are parsed, each once. Lookups match as ReadProfileString
// does: the first section of a name, the first key of a name in it.
class ProfileSnapshot {
 public:
  explicit ProfileSnapshot(const QString& file);
  QString Read(const QString& section, const QString& key, const QString& def = QString()) const;

 private:
  struct Section {
    QString folded;          // the decoded name, trimmed and case-folded
    qsizetype begin, end;    // the bytes of its key lines
    mutable bool parsed = false;
    mutable QHash<QString, QByteArrayView> values;  // folded key name -> raw value
  };
  void Parse(const Section& s) const;

  QByteArray bytes_;
  QList<Section> sections_;  // the first of each name, in file order
};

// The value, or `def` when the file, the section or the key is missing.
QString ReadProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& def = QString());
// Writes the value, creating the file, the section or the key as needed. The new
// contents replace the file in one step, or are written in place when the
// folder is read-only but the file is not; on failure the old file is left as
// it was and false is returned.
bool WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value);

}  // namespace platform
