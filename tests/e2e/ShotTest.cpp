// Screenshots taken by the end-to-end suites: a capture that fails or leaves
// a half-written file is taken again and never read. A stand-in `import` on
// the PATH writes half of a PNG and fails, then writes half of it and claims
// success, and only on its third call writes the whole picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "tests/e2e/E2E.h"

namespace {

TEST(Screenshots, HalfWrittenCapturesAreTakenAgainNotRead) {
  QTemporaryDir tools;
  ASSERT_TRUE(tools.isValid());
  QImage whole(97, 61, QImage::Format_RGB32);
  whole.fill(QColor(12, 200, 77));
  QPainter(&whole).fillRect(QRect(3, 5, 40, 21), QColor(250, 1, 130));
  const QString reference = tools.filePath(QStringLiteral("whole.png"));
  ASSERT_TRUE(whole.save(reference, "PNG"));
  const qint64 half = QFileInfo(reference).size() / 2;

  // Arguments: -window root FILE. The call count is kept in a file beside it.
  const QString script = QStringLiteral(
                             "#!/bin/sh\n"
                             "n=$(cat '%1/calls' 2>/dev/null || echo 0); n=$((n + 1)); echo $n > '%1/calls'\n"
                             "case $n in\n"
                             "  1) head -c %2 '%3' > \"$3\"; exit 1 ;;\n"
                             "  2) head -c %2 '%3' > \"$3\"; exit 0 ;;\n"
                             "  *) cat '%3' > \"$3\" ;;\n"
                             "esac\n")
                             .arg(tools.path())
                             .arg(half)
                             .arg(reference);
  QFile fake(tools.filePath(QStringLiteral("import")));
  ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
  fake.write(script.toUtf8());
  fake.close();
  fake.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", tools.path().toLocal8Bit() + ':' + path);

  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok());
  const QImage shot = e2e::Shot(display, QStringLiteral("shot-retried"));
  qputenv("PATH", path);

  ASSERT_EQ(shot.size(), whole.size());
  EXPECT_EQ(shot, whole);
  QFile calls(tools.filePath(QStringLiteral("calls")));
  ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
  EXPECT_EQ(calls.readAll().trimmed(), "3");
  // The kept shot is the whole picture; no partial capture is left beside it.
  const QDir shots(e2e::ShotDir());
  EXPECT_EQ(QImage(shots.filePath(QStringLiteral("shot-retried.png"))).convertToFormat(QImage::Format_RGB32), whole);
  EXPECT_TRUE(shots.entryList({QStringLiteral("shot-retried.part*")}).isEmpty());
}

}  // namespace
