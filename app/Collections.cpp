#include "app/Collections.h"

#include "toolkit/Exception.h"
#include "platform/Profile.h"

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
  // One reading of the file for the count and the names.
  const platform::ProfileSnapshot ini(setupFile);
  const int count = toolkit::StrToIntAtMost(ini.Read(QStringLiteral("item"), collection.countKey), kMaxEraNames);
  QStringList names;
  for (int i = 1; i <= count; ++i) names.append(ini.Read(collection.section, QString::number(i)));
  return names;
}

}  // namespace app
