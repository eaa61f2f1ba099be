#pragma once
// Runs the real program under a virtual X display and drives it with real
// input events. Screenshots of each step are kept in build/tests/e2e-shots/.
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace e2e {

// The program's directory (build/bin) and where screenshots go.
QString BinDir();
QString ShotDir();

// Starts Xvfb on a free display for the lifetime of the object.
class VirtualDisplay {
 public:
  VirtualDisplay();
  ~VirtualDisplay();
  bool Ok() const { return ok_; }
  const QString& Name() const { return name_; }
  QProcessEnvironment Environment() const;

 private:
  QProcess xvfb_;
  QString name_;
  bool ok_ = false;
};

// Runs a command on the display and returns its standard output.
QString Run(const VirtualDisplay& display, const QString& program, const QStringList& args, int timeoutMs = 20000);
// Saves a screenshot of the whole display under the shot folder and returns it.
QImage Shot(const VirtualDisplay& display, const QString& name);

}  // namespace e2e
