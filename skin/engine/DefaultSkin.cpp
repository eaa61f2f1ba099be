#include "skin/engine/DefaultSkin.h"

#include <QFile>
#include <QtEndian>

namespace skin {

QByteArray DefaultSkinStream() {
  QFile file(QStringLiteral(":/skins/SkinData1.SkinStream"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QByteArray DefaultSkinBytes() {
  const QByteArray stream = DefaultSkinStream();
  if (stream.size() < 4) return {};
  const qint32 count = qFromLittleEndian<qint32>(stream.constData());
  return count > 0 ? stream.mid(4, count) : QByteArray();
}

}  // namespace skin
