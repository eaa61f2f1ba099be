#include "tests/e2e/E2E.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

namespace e2e {

QString BinDir() { return QStringLiteral(CQ_BIN_DIR); }

QString ShotDir() {
  const QString dir = QDir::current().filePath(QStringLiteral("e2e-shots"));
  QDir().mkpath(dir);
  return dir;
}

VirtualDisplay::VirtualDisplay() {
  // Pick a display number no other X server holds.
  for (int n = 90 + static_cast<int>(QCoreApplication::applicationPid() % 200); n < 400; ++n) {
    if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) continue;
    name_ = QStringLiteral(":%1").arg(n);
    xvfb_.start(QStringLiteral("Xvfb"), {name_, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x900x24"),
                                         QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!xvfb_.waitForStarted(5000)) return;
    for (int i = 0; i < 50 && !ok_; ++i) {
      QThread::msleep(100);
      ok_ = QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
    }
    return;
  }
}

VirtualDisplay::~VirtualDisplay() {
  xvfb_.terminate();
  xvfb_.waitForFinished(3000);
}

QProcessEnvironment VirtualDisplay::Environment() const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), name_);
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  return env;
}

QString Run(const VirtualDisplay& display, const QString& program, const QStringList& args, int timeoutMs) {
  QProcess p;
  p.setProcessEnvironment(display.Environment());
  p.start(program, args);
  p.waitForFinished(timeoutMs);
  return QString::fromUtf8(p.readAllStandardOutput());
}

QImage Shot(const VirtualDisplay& display, const QString& name) {
  const QString file = QDir(ShotDir()).filePath(name + QStringLiteral(".png"));
  Run(display, QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
  return QImage(file);
}

}  // namespace e2e
