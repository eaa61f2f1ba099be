#include "platform/Shell.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {
namespace {

std::unique_ptr<Shell>& Installed() {
  static std::unique_ptr<Shell> shell;
  return shell;
}

}  // namespace

Shell& CurrentShell() {
  static DesktopShell desktop;
  return Installed() ? *Installed() : desktop;
}

std::unique_ptr<Shell> SetShell(std::unique_ptr<Shell> shell) {
  std::unique_ptr<Shell> previous = std::move(Installed());
  Installed() = std::move(shell);
  return previous;
}

void DesktopShell::Open(QWidget*, const QString&, const QString& target, const QString& parameters) {
  const QFileInfo info(target);
  if (info.isFile() && info.isExecutable()) {
    QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(parameters), info.absolutePath());
    return;
  }
  // xdg-open takes addresses (http:, mailto:) and files alike; whatever it
  // cannot open it reports itself.
  QProcess::startDetached(QStringLiteral("xdg-open"), {target});
}

}  // namespace platform
