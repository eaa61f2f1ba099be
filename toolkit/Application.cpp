#include "toolkit/Application.h"

#include <QApplication>
#include <QPointer>

#include "platform/Dialogs.h"
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

QString Application::ProgramDir() const {
  return programDir_.isEmpty() ? QApplication::applicationDirPath() : programDir_;
}

void Application::FormCreated(TForm* form) {
  if (!mainForm_) mainForm_ = form;
  form->DoCreate();
}

int Application::Run() {
  terminated_ = false;
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
