#include "tools/settings/InstallSettings.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>

#include "platform/Profile.h"

namespace settings {
namespace {

// No value the tip window writes can be this text.
const QString kMissing = QStringLiteral("\x01missing");

std::optional<QString> ReadersValue(const QString& file, const QString& key) {
  const QString v = platform::ReadProfileString(file, QStringLiteral("tip"), key, kMissing);
  if (v == kMissing) return std::nullopt;
  return v;
}

}  // namespace

bool InstallSettings(const QString& shipped, const QString& installed, QString* error) {
  if (!QFileInfo(shipped).isFile()) {
    *error = QStringLiteral("no shipped settings file ") + shipped;
    return false;
  }
  std::optional<QString> tip, count;
  if (QFileInfo::exists(installed)) {
    tip = ReadersValue(installed, QStringLiteral("tip"));
    count = ReadersValue(installed, QStringLiteral("count"));
  }
  const QString next = installed + QStringLiteral(".new");
  QFile::remove(next);
  if (!QFile::copy(shipped, next)) {
    *error = QStringLiteral("cannot write ") + next;
    return false;
  }
  QFile::setPermissions(next, QFile::permissions(next) | QFileDevice::WriteOwner);
  // The same section names as the tip window writes: the flag under "Tip",
  // the position under "tip"; both land in the shipped file's one tip section.
  bool ok = true;
  if (tip) ok = platform::WriteProfileString(next, QStringLiteral("Tip"), QStringLiteral("tip"), *tip);
  if (ok && count) ok = platform::WriteProfileString(next, QStringLiteral("tip"), QStringLiteral("count"), *count);
  if (ok) ok = std::rename(QFile::encodeName(next).constData(), QFile::encodeName(installed).constData()) == 0;
  if (!ok) {
    QFile::remove(next);
    *error = QStringLiteral("cannot write ") + installed;
  }
  return ok;
}

}  // namespace settings
