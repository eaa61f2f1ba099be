#pragma once
// Message dialogs and the default error box, behind an interface that tests
// replace with a scripted answerer.
#include <QString>
#include <memory>

class QWidget;

namespace platform {

enum class DialogKind { Information, Confirmation, Warning, Error };
enum class DialogButtons { Ok, YesNo };
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The platform's standard message dialog; returns the button pressed, or
  // mrCancel when the dialog was closed without an answer.
  virtual int MessageDlg(const QString& text, DialogKind kind, DialogButtons buttons) = 0;
  // A message box with a stop icon and an OK button.
  virtual void ErrorBox(const QString& caption, const QString& text) = 0;
  // A plain message box (used for notices from libraries), OK only.
  virtual void MessageBox(const QString& caption, const QString& text) = 0;
};

// A message of the program's own to the reader: what happened and what the
// reader can do, in the reader's language, then the technical detail (for
// whoever helps the reader) on a line of its own.
QString ReaderMessage(const QString& advice, const QString& detail);

// Installs Qt's own Simplified Chinese texts (standard buttons such as Yes, No
// and OK, edit-box menus) for the running application, once; false when the
// translations are not installed.
bool InstallQtTranslations();

// The dialogs in force; Qt message boxes unless a test installed others.
Dialogs& CurrentDialogs();
// Installs `dialogs` and returns the previous ones (nullptr restores Qt's).
std::unique_ptr<Dialogs> SetDialogs(std::unique_ptr<Dialogs> dialogs);

// The standard dialogs on Qt message boxes. The boxes carry the window class
// names the skin engine looks for ("TMessageForm", "#32770").
class QtDialogs : public Dialogs {
 public:
  int MessageDlg(const QString& text, DialogKind kind, DialogButtons buttons) override;
  void ErrorBox(const QString& caption, const QString& text) override;
  void MessageBox(const QString& caption, const QString& text) override;
};

// Dialogs that nobody sees: every message is answered OK at once. For the
// programs that run without a reader (benchmarks, fuzzing targets).
class SilentDialogs : public Dialogs {
 public:
  int MessageDlg(const QString&, DialogKind, DialogButtons) override { return mrOk; }
  void ErrorBox(const QString&, const QString&) override {}
  void MessageBox(const QString&, const QString&) override {}
};

}  // namespace platform
