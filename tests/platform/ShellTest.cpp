#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "platform/Shell.h"
#include "tests/support/TestSupport.h"

// An executable target is run with the parameters as its command line, in its own folder.
TEST(DesktopShell, RunsAnExecutableWithItsParameters) {
  QTemporaryDir dir;
  const QString script = dir.filePath(QStringLiteral("TTS5.MSI"));
  testing_support::WriteFile(script, "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(pwd)/ran.txt\"\n");
  QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  platform::DesktopShell().Open(nullptr, QStringLiteral("open"), script, QStringLiteral("one \"two words\""));
  const QString out = dir.filePath(QStringLiteral("ran.txt"));
  QElapsedTimer t;
  t.start();
  while (testing_support::ReadFile(out).isEmpty() && t.elapsed() < 10000) QThread::msleep(20);
  EXPECT_EQ(testing_support::ReadFile(out), QByteArray("one|two words|"));
}
