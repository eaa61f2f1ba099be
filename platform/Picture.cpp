#include "platform/Picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace platform {

QImage ReadPicture(const QString& path) {
  QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace platform
