// The arrow buttons: immediate and repeated selection while held, pausing off
// the button, the frequency rule, disabled glyphs and hiding while held.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "controls/outbar/ScrollButton.h"
#include "tests/outbar/OutbarTestSupport.h"

using namespace outbar;
using namespace outbar_test;

namespace {

void Wait(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

TEST(ScrollButton, HoldingRepeatsWhileThePointerStaysOnTheButton) {
  TDCScrollButton button;
  button.SetFrequency(40);
  int selects = 0;
  button.OnSelect = [&](QObject*) { ++selects; };
  button.show();
  EXPECT_EQ(button.size(), QSize(16, 16));  // the system's arrow size
  Press(&button, QPoint(8, 8));
  EXPECT_EQ(selects, 1);  // at once
  EXPECT_TRUE(button.Pressed());
  Wait(190);
  EXPECT_GE(selects, 3);
  // Off the button: the face is not pushed and the repeats pause.
  MoveTo(&button, QPoint(40, 40), Qt::LeftButton);
  EXPECT_FALSE(button.Pressed());
  const int paused = selects;
  Wait(130);
  EXPECT_EQ(selects, paused);
  // Back on: pushed again, repeats resume.
  MoveTo(&button, QPoint(5, 5), Qt::LeftButton);
  EXPECT_TRUE(button.Pressed());
  Wait(130);
  EXPECT_GT(selects, paused);
  // Released outside: nothing more.
  MoveTo(&button, QPoint(40, 40), Qt::LeftButton);
  Release(&button, QPoint(40, 40));
  const int done = selects;
  Wait(100);
  EXPECT_EQ(selects, done);
  EXPECT_FALSE(button.Repeating());
}

TEST(ScrollButton, FrequencyMustBePositiveAndHidingEndsTheHold) {
  TDCScrollButton button;
  button.SetFrequency(200);
  button.SetFrequency(0);
  button.SetFrequency(-5);
  EXPECT_EQ(button.Frequency(), 200);
  int selects = 0;
  button.OnSelect = [&](QObject*) { ++selects; };
  button.show();
  Press(&button, QPoint(8, 8));
  EXPECT_TRUE(button.Repeating());
  button.hide();
  EXPECT_FALSE(button.Repeating());
  EXPECT_FALSE(button.Pressed());
  EXPECT_EQ(selects, 1);
}

TEST(ScrollButton, GlyphsDrawPushedAndInactiveFaces) {
  TDCScrollButton button;
  button.SetButtonStyle(dcsbs_ScrollDown);
  button.show();
  const QImage up = button.grab().toImage();
  // The arrow is dark on the face in the middle; the face is button face.
  EXPECT_EQ(up.pixel(8, 7) & 0xFFFFFFu, 0x000000u);
  EXPECT_EQ(QColor(up.pixel(3, 3)), platform::ToQColor(platform::clBtnFace));
  // Raised: white top-left edge inside the outer light ring.
  EXPECT_EQ(QColor(up.pixel(1, 1)), QColor(255, 255, 255));
  button.setEnabled(false);
  const QImage inactive = button.grab().toImage();
  EXPECT_EQ(QColor(inactive.pixel(8, 7)), platform::ToQColor(platform::clBtnShadow));
  button.setEnabled(true);
  Press(&button, QPoint(8, 8));
  const QImage pushed = button.grab().toImage();
  EXPECT_EQ(QColor(pushed.pixel(0, 0)), platform::ToQColor(platform::clBtnShadow));
  EXPECT_NE(pushed, up);
  Release(&button, QPoint(8, 8));
  button.SetButtonStyle(dcsbs_CaptionClose);
  EXPECT_NE(button.grab().toImage(), up);
}
