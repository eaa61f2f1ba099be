#include "tests/support/TestSupport.h"

#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testing_support {

int ScriptedDialogs::MessageDlg(const QString& text, platform::DialogKind kind, platform::DialogButtons buttons) {
  shown.append({Shown::Message, QString(), text, kind, buttons});
  if (!answers.isEmpty()) return answers.takeFirst();
  return buttons == platform::DialogButtons::YesNo ? platform::mrYes : platform::mrOk;
}

void ScriptedDialogs::ErrorBox(const QString& caption, const QString& text) {
  shown.append({Shown::Error, caption, text});
}

void ScriptedDialogs::MessageBox(const QString& caption, const QString& text) {
  shown.append({Shown::Box, caption, text});
}

QStringList ScriptedDialogs::Errors() const {
  QStringList out;
  for (const Shown& s : shown)
    if (s.kind == Shown::Error) out.append(s.text);
  return out;
}

DialogScript::DialogScript() {
  auto owned = std::make_unique<ScriptedDialogs>();
  dialogs_ = owned.get();
  previous_ = platform::SetDialogs(std::move(owned));
}

DialogScript::~DialogScript() { platform::SetDialogs(std::move(previous_)); }

void RecordingShell::Open(QWidget*, const QString& verb, const QString& target, const QString& parameters) {
  calls.append({verb, target, parameters});
}

ShellRecorder::ShellRecorder() {
  auto owned = std::make_unique<RecordingShell>();
  shell_ = owned.get();
  previous_ = platform::SetShell(std::move(owned));
}

ShellRecorder::~ShellRecorder() { platform::SetShell(std::move(previous_)); }

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

SmallDisk::SmallDisk(const QString& dir, const char* options) : dir_(QFile::encodeName(dir)) {
  mounted_ = geteuid() == 0 && mount("tmpfs", dir_.constData(), "tmpfs", 0, options) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) umount2(dir_.constData(), MNT_DETACH);
}

bool SmallDisk::MakeReadOnly() { return mount(nullptr, dir_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

void SmallDisk::Fill(const QString& name) const {
  QFile filler(QDir(QFile::decodeName(dir_)).filePath(name));
  if (!filler.open(QIODevice::WriteOnly)) return;
  const QByteArray block(4096, 'x');
  while (filler.write(block) == block.size() && filler.flush()) {
  }
}

}  // namespace testing_support
