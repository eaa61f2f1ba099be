#pragma once
// Opening documents and addresses through the desktop: web addresses in the
// browser, mailto addresses in the mail program, files with their application;
// an executable file is run. Tests install a recorder.
#include <QString>
#include <memory>

class QWidget;

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // `verb` is "open" or empty (the default action); `parameters` are handed to
  // an executable target as its command line. The result is not reported.
  virtual void Open(QWidget* owner, const QString& verb, const QString& target, const QString& parameters = QString()) = 0;
};

Shell& CurrentShell();
std::unique_ptr<Shell> SetShell(std::unique_ptr<Shell> shell);

// The desktop shell: executables are started detached, everything else goes to xdg-open.
class DesktopShell : public Shell {
 public:
  void Open(QWidget* owner, const QString& verb, const QString& target, const QString& parameters = QString()) override;
};

}  // namespace platform
