#include "controls/outbar/DragCursors.h"

#include <QBitmap>
#include <QMap>

#include "platform/Picture.h"
#include "toolkit/Exception.h"

static void InitOutbarCursorResources() { Q_INIT_RESOURCE(outbar_cursors); }

namespace outbar {
namespace {

QMap<int, QCursor>& Registry() {
  static QMap<int, QCursor> cursors;
  return cursors;
}

}  // namespace

QCursor LoadCursorResource(const QString& name, int hotX, int hotY) {
  const QString base = QStringLiteral(":/outbar/") + name;
  const QBitmap bitmap = QBitmap::fromImage(platform::ReadPicture(base + QStringLiteral(".xbm")), Qt::MonoOnly);
  const QBitmap mask = QBitmap::fromImage(platform::ReadPicture(base + QStringLiteral("_mask.xbm")), Qt::MonoOnly);
  if (bitmap.isNull() || mask.isNull() || bitmap.size() != mask.size())
    throw toolkit::EInvalidOperation(QStringLiteral("Error loading cursor"));
  return QCursor(bitmap, mask, hotX, hotY);
}

void InstallDragCursors() {
  if (!Registry().isEmpty()) return;
  InitOutbarCursorResources();
  QMap<int, QCursor> loaded;
  loaded.insert(crDragMove, LoadCursorResource(QStringLiteral("OUTDRAGMOVE"), 16, 8));
  loaded.insert(crDragCopy, LoadCursorResource(QStringLiteral("OUTDRAGCOPY"), 16, 8));
  loaded.insert(crNoDrop, LoadCursorResource(QStringLiteral("OUTNODROP"), 8, 8));
  Registry() = loaded;
}

QCursor DragCursor(int id) {
  InstallDragCursors();
  return Registry().value(id, QCursor(Qt::ArrowCursor));
}

}  // namespace outbar
