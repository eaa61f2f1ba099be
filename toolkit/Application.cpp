#include "toolkit/Application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QPointer>

#include "platform/Dialogs.h"
#include "platform/FontPages.h"
#include "toolkit/Fonts.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"

namespace toolkit {

Application::Application() {
  InstallFontSubstitutes();
  // Qt's own texts (standard buttons, edit-box menus) in the program's language.
  platform::InstallQtTranslations();
  QApplication::setQuitOnLastWindowClosed(false);
}

Application::~Application() = default;

Application& TheApplication() {
  static Application* app = new Application();  // lives until the process ends
  return *app;
}

void Application::SetTitle(const QString& title) {
  title_ = title;
  QApplication::setApplicationDisplayName(QString());
  QApplication::setApplicationName(title);
}

QString StartFolder(const QString& argv0, const QStringList& searchPath, const QString& fallback) {
  if (argv0.isEmpty()) return fallback;
  QString file;
  if (argv0.contains(u'/'))
    file = QFileInfo(argv0).absoluteFilePath();
  else
    file = QStandardPaths::findExecutable(argv0, searchPath);
  if (file.isEmpty() || !QFileInfo::exists(file)) return fallback;
  return QDir::cleanPath(QFileInfo(file).absolutePath());
}

QString Application::ProgramDir() const {
  if (!programDir_.isEmpty()) return programDir_;
  const QStringList path = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
  return StartFolder(QCoreApplication::arguments().value(0), path, QCoreApplication::applicationDirPath());
}

void Application::FormCreated(TForm* form) {
  if (!mainForm_) mainForm_ = form;
  form->DoCreate();
}

int Application::Run() {
  terminated_ = false;
  // Making the windows opened their fonts and read their tables; the first
  // paints read what they draw again, so nothing of that need stay resident.
  platform::ReleaseFontPages();
  if (mainForm_) mainForm_->Show();
  int code = 0;
  if (!terminated_) code = QApplication::exec();
  // Destroy the remaining forms without their close handlers.
  const QList<TForm*> forms = TheScreen().Forms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) delete *it;
  mainForm_ = nullptr;
  return code;
}

void Application::Terminate() {
  terminated_ = true;
  QApplication::exit(0);  // exit, not quit: quit would run the close handlers of every window
}

}  // namespace toolkit
