// Giving a window back what it had before it was skinned: flags, geometry,
// margins, size limits, mouse tracking, cursor and colours, for a window that
// had its own of each and for one that had none set.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>

#include "platform/Color.h"
#include "skin/frame/SavedWindow.h"
#include "toolkit/Form.h"

namespace {

using skin::TSavedWindow;

// What skinning does to a window.
void Skin(QWidget* w) {
  skin::SetFlagsInPlace(w, w->windowFlags() | Qt::FramelessWindowHint);
  w->setContentsMargins(4, 20, 3, 5);
  w->setMinimumSize(57, 65);
  w->setMaximumSize(407, 325);
  w->setGeometry(90, 70, 307, 226);
  w->setMouseTracking(!w->hasMouseTracking());
  w->setCursor(Qt::SizeAllCursor);
  QPalette p = w->palette();
  p.setColor(QPalette::Window, QColor(212, 200, 180));
  w->setPalette(p);
}

TEST(SavedWindow, AWindowWithItsOwnOfEverythingGetsItAllBack) {
  QWidget w;
  w.setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
  w.setGeometry(13, 27, 211, 143);
  w.setContentsMargins(1, 2, 3, 4);
  w.setMinimumSize(50, 41);
  w.setMaximumSize(400, 301);
  w.setMouseTracking(true);
  w.setCursor(Qt::IBeamCursor);
  QPalette own = w.palette();
  own.setColor(QPalette::Window, QColor(10, 20, 31));
  w.setPalette(own);
  w.show();
  QCoreApplication::processEvents();
  const QRect geometry = w.geometry();
  const Qt::WindowFlags flags = w.windowFlags();

  TSavedWindow saved;
  saved.Capture(&w);
  saved.CaptureColours(&w, nullptr);
  EXPECT_EQ(saved.Flags(), flags);
  EXPECT_EQ(saved.Geometry(), geometry);
  EXPECT_EQ(saved.Margins(), QMargins(1, 2, 3, 4));
  Skin(&w);
  saved.RestoreFrame(&w, saved.Geometry());
  saved.RestoreColours(&w, nullptr);
  EXPECT_EQ(w.windowFlags(), flags);
  EXPECT_EQ(w.geometry(), geometry);
  EXPECT_EQ(w.contentsMargins(), QMargins(1, 2, 3, 4));
  EXPECT_EQ(w.minimumSize(), QSize(50, 41));
  EXPECT_EQ(w.maximumSize(), QSize(400, 301));
  EXPECT_TRUE(w.hasMouseTracking());
  EXPECT_TRUE(w.testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(w.cursor().shape(), Qt::IBeamCursor);
  EXPECT_TRUE(w.testAttribute(Qt::WA_SetPalette));
  EXPECT_EQ(w.palette().color(QPalette::Window), QColor(10, 20, 31));
}

TEST(SavedWindow, AWindowWithNothingSetGetsNothingSetAndKeepsThePlaceItsStateGave) {
  QWidget w;
  w.setGeometry(5, 6, 120, 90);
  const QColor platformWindow = w.palette().color(QPalette::Window);
  TSavedWindow saved;
  saved.Capture(&w);
  saved.CaptureColours(&w, nullptr);
  EXPECT_EQ(saved.SystemFrame(), QSize());  // not on the screen
  Skin(&w);
  // A maximised window keeps where its state put it.
  saved.RestoreFrame(&w, std::nullopt);
  saved.RestoreColours(&w, nullptr);
  EXPECT_EQ(w.geometry(), QRect(90, 70, 307, 226));
  EXPECT_FALSE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(w.contentsMargins(), QMargins());
  EXPECT_EQ(w.minimumSize(), QSize(0, 0));
  EXPECT_EQ(w.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  EXPECT_FALSE(w.hasMouseTracking());
  // A top-level window's unset cursor is the arrow (Qt keeps its attribute set).
  EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
  EXPECT_FALSE(w.testAttribute(Qt::WA_SetPalette));
  EXPECT_EQ(w.palette().color(QPalette::Window), platformWindow);
}

TEST(SavedWindow, AFormGetsItsColourBackAndItsPaletteIsLeftToIt) {
  toolkit::TForm form;
  form.SetColor(platform::RGB(1, 2, 3));
  TSavedWindow saved;
  saved.CaptureColours(&form, &form);
  form.SetColor(platform::RGB(212, 200, 180));
  saved.RestoreColours(&form, &form);
  EXPECT_EQ(form.Color(), platform::RGB(1, 2, 3));
  // Nothing captured: nothing to give back.
  TSavedWindow none;
  form.SetColor(platform::RGB(9, 8, 7));
  none.RestoreColours(&form, &form);
  EXPECT_EQ(form.Color(), platform::RGB(9, 8, 7));
}

}  // namespace
