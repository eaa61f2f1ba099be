#pragma once
// The application object: title, hint settings, the main form and the message loop.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace toolkit {

class TForm;

class Application : public QObject {
  Q_OBJECT

 public:
  Application();
  ~Application() override;

  // The task-bar text and the caption of the default error box.
  const QString& Title() const { return title_; }
  void SetTitle(const QString& title);

  // Hint timings in milliseconds and the global hint switch; the hint manager reads them.
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int ms) { hintShortPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on) { showHint_ = on; }

  // The program's directory, where the settings file, skins and installer lie:
  // the folder the program was started from unless set (tests set their own).
  QString ProgramDir() const;
  void SetProgramDir(const QString& dir) { programDir_ = dir; }

  // The first form created becomes the main form.
  TForm* MainForm() const { return mainForm_; }

  // Creates a form of type T, runs its creation handler and records it.
  template <typename T, typename... Args>
  T* CreateForm(Args&&... args) {
    T* form = new T(std::forward<Args>(args)...);
    FormCreated(form);
    return form;
  }

  // Shows the main form and dispatches events until it closes; then destroys
  // every form without running their close handlers. Returns the exit code.
  int Run();
  // Ends the message loop (closing the main form calls this).
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Called once the main window has been shown and painted (used by --screenshot).
  std::function<void()> OnMainFormShown;

 private:
  void FormCreated(TForm* form);

  QString title_;
  QString programDir_;
  int hintPause_ = 500;
  int hintShortPause_ = 50;
  int hintHidePause_ = 2500;
  bool showHint_ = true;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

// The folder of a program started as `argv0`. Symbolic links are kept as given,
// so a link to the executable makes the link's folder the program's directory
// (each reader's program directory holds such a link). A bare name is looked
// up in `searchPath` as the shell did; `fallback` serves when neither finds it.
QString StartFolder(const QString& argv0, const QStringList& searchPath, const QString& fallback);

// The process-wide application object (created on first use).
Application& TheApplication();

}  // namespace toolkit
