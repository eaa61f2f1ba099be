#include "skin/DefaultSkin.h"

#include <QFile>

namespace skin {

QByteArray DefaultSkinBytes() {
  QFile file(QStringLiteral(":/skins/default.skn"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace skin
