#include "app/Collections.h"

#include "toolkit/Exception.h"
#include "toolkit/IniFile.h"

namespace app {

const Collection& ChineseWorks() {
  static const Collection c{QStringLiteral("中国作品"), QStringLiteral("china"), QStringLiteral("china")};
  return c;
}

const Collection& ForeignWorks() {
  static const Collection c{QStringLiteral("外国作品"), QStringLiteral("fremdness"), QStringLiteral("fremdness")};
  return c;
}

QStringList ReadEraNames(const QString& setupFile, const Collection& collection) {
  const toolkit::IniFile ini(setupFile);
  const int count = toolkit::StrToInt(ini.ReadString(QStringLiteral("item"), collection.countKey, QString()));
  QStringList names;
  for (int i = 1; i <= count; ++i) names.append(ini.ReadString(collection.section, QString::number(i), QString()));
  return names;
}

}  // namespace app
