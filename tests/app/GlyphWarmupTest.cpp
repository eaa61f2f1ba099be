// The start-up warm-up waits for its widget's first paint, asks for its texts
// once, and measures them in steps on the event loop until it is done.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include "app/GlyphWarmup.h"

namespace {

bool WaitUntilDone(const app::GlyphWarmup& w) {
  QElapsedTimer t;
  t.start();
  while (!w.Done() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return w.Done();
}

TEST(GlyphWarmupTest, StartsAfterTheFirstPaintAsksForTheTextsOnceAndFinishes) {
  QWidget widget;
  widget.resize(120, 60);
  int asked = 0;
  QString text;
  for (char16_t c = 0x4E00; c < 0x4E00 + 600; ++c) text += QChar(c);
  text += QStringLiteral("\r\nabcabc");
  auto* warmup = new app::GlyphWarmup(&widget, [&] {
    ++asked;
    return text;
  });
  // Events before the widget shows start nothing.
  QCoreApplication::processEvents();
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(warmup->Done());
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  EXPECT_TRUE(WaitUntilDone(*warmup));
  EXPECT_EQ(asked, 1);
  // Later paints start it no second time.
  widget.repaint();
  QCoreApplication::processEvents();
  EXPECT_EQ(asked, 1);
}

TEST(GlyphWarmupTest, NoTextsIsDoneAtOnceAfterThePaint) {
  QWidget widget;
  widget.resize(120, 60);
  auto* warmup = new app::GlyphWarmup(&widget, [] { return QString(); });
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  EXPECT_TRUE(WaitUntilDone(*warmup));
}

}  // namespace
