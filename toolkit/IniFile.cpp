#include "toolkit/IniFile.h"

#include <QCoreApplication>
#include <QDir>

#include "platform/IntText.h"
#include "platform/Profile.h"
#include "toolkit/Application.h"
#include "toolkit/Exception.h"

namespace toolkit {

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
  return platform::ReadProfileString(fileName_, section, key, def);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const {
  const QString text = ReadString(section, key, QString());
  return platform::TryStrToInt(text).value_or(def);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) const {
  if (!platform::WriteProfileString(fileName_, section, key, value))
    throw EIniFileException(QStringLiteral("Unable to write to %1").arg(fileName_));
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) const {
  WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) const {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString ProgramFile(const QString& name) {
  return QDir(TheApplication().ProgramDir()).filePath(name);
}

}  // namespace toolkit
