#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>

#include "tests/e2e/E2E.h"

// The program starts on its shipped data, shows its maximised main window with
// the menu bar at the top and the status bar at the bottom, and saves its own
// screenshot when asked.
TEST(Startup, ScreenshotShowsTheMainWindowWithMenuAndStatusBar) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  const QString file = QDir(e2e::ShotDir()).filePath(QStringLiteral("startup.png"));
  QFile::remove(file);
  QProcess program;
  program.setWorkingDirectory(e2e::BinDir());
  program.setProcessEnvironment(display.Environment());
  program.start(QDir(e2e::BinDir()).filePath(QStringLiteral("cinnabarquillpad")), {QStringLiteral("--screenshot"), file});
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

  const QImage shot(file);
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.size(), QSize(1280, 900));
  // The maximised window covers the screen (the skin's rounded corners aside):
  // no pixel of the black root window is left along its edges' middles.
  EXPECT_NE(shot.pixelColor(640, 450), QColor(Qt::black));
  EXPECT_NE(shot.pixelColor(1279, 450), QColor(Qt::black));
  EXPECT_NE(shot.pixelColor(640, 899), QColor(Qt::black));
  // Menu bar text below the skinned caption and status bar text in the bottom
  // strip: dark pixels there.
  auto darkPixels = [&](int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = 0; x < 400; ++x) n += shot.pixelColor(x, y).lightness() < 80;
    return n;
  };
  EXPECT_GT(darkPixels(0, 60), 20);
  EXPECT_GT(darkPixels(878, 898), 20);
}
