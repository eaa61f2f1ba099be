#pragma once
// Test doubles and helpers shared by the suites.
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "platform/Dialogs.h"
#include "platform/Shell.h"

namespace testing_support {

// Dialogs that record what was shown and answer from a script (default: Yes/OK).
class ScriptedDialogs : public platform::Dialogs {
 public:
  struct Shown {
    enum Kind { Message, Error, Box } kind;
    QString caption;
    QString text;
    platform::DialogKind dialogKind = platform::DialogKind::Information;
    platform::DialogButtons buttons = platform::DialogButtons::Ok;
  };

  QList<Shown> shown;
  QList<int> answers;  // taken from the front; when empty, Yes (or OK)

  int MessageDlg(const QString& text, platform::DialogKind kind, platform::DialogButtons buttons) override;
  void ErrorBox(const QString& caption, const QString& text) override;
  void MessageBox(const QString& caption, const QString& text) override;

  QStringList Errors() const;
};

// Installs scripted dialogs for the lifetime of the object.
class DialogScript {
 public:
  DialogScript();
  ~DialogScript();
  ScriptedDialogs& operator*() { return *dialogs_; }
  ScriptedDialogs* operator->() { return dialogs_; }

 private:
  ScriptedDialogs* dialogs_;
  std::unique_ptr<platform::Dialogs> previous_;
};

// A shell that records the calls instead of opening anything.
class RecordingShell : public platform::Shell {
 public:
  struct Call {
    QString verb;
    QString target;
    QString parameters;
  };
  QList<Call> calls;
  void Open(QWidget* owner, const QString& verb, const QString& target, const QString& parameters = QString()) override;
};

class ShellRecorder {
 public:
  ShellRecorder();
  ~ShellRecorder();
  RecordingShell* operator->() { return shell_; }

 private:
  RecordingShell* shell_;
  std::unique_ptr<platform::Shell> previous_;
};

// Writes bytes to a file, creating folders as needed.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// A tmpfs with mount `options` (such as "size=192k") on the folder `dir` for
// the object's life; only root can mount, Mounted() tells.
class SmallDisk {
 public:
  SmallDisk(const QString& dir, const char* options);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool Mounted() const { return mounted_; }
  bool MakeReadOnly();
  // Fills the disk with a file `name` until a write is refused.
  void Fill(const QString& name) const;

 private:
  QByteArray dir_;
  bool mounted_ = false;
};

}  // namespace testing_support

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']'; }
