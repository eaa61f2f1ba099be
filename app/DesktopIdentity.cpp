#include "app/DesktopIdentity.h"

#include <QApplication>
#include <QDir>

#include "platform/Picture.h"

namespace app {

QIcon ProgramIcon() {
  QIcon icon;
  // Every drawn size, so the window manager and task bar take the one they show
  // instead of scaling a single picture.
  const QStringList files = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("cinnabarquillpad-*.png")});
  for (const QString& file : files) icon.addPixmap(QPixmap::fromImage(platform::ReadPicture(QStringLiteral(":/icons/") + file)));
  return icon;
}

void InstallDesktopIdentity() {
  QApplication::setWindowIcon(ProgramIcon());
  QGuiApplication::setDesktopFileName(kDesktopId);
}

}  // namespace app
