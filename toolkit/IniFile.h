#pragma once
// A settings file through the profile functions: every call opens the file
// anew. A failed write raises EIniFileException "Unable to write to %s".
#include <QString>

namespace toolkit {

class IniFile {
 public:
  explicit IniFile(QString fileName) : fileName_(std::move(fileName)) {}

  const QString& FileName() const { return fileName_; }

  QString ReadString(const QString& section, const QString& key, const QString& def) const;
  // Converts the value as integer text; a value that does not convert yields the default.
  int ReadInteger(const QString& section, const QString& key, int def) const;
  // Read integer with the default 1 or 0; non-zero is true.
  bool ReadBool(const QString& section, const QString& key, bool def) const;

  void WriteString(const QString& section, const QString& key, const QString& value) const;
  void WriteInteger(const QString& section, const QString& key, int value) const;
  void WriteBool(const QString& section, const QString& key, bool value) const;

 private:
  QString fileName_;
};

// The full path of a file in the running program's directory.
QString ProgramFile(const QString& name);

}  // namespace toolkit
