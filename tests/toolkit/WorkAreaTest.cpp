// Placing windows inside the work area at scale factors 1, 1.25, 1.5 and 2:
// maximised, centred and moved inside, odd and even sizes, a screen whose
// origin is not the desktop's and a work area that leaves room for a panel.
#include <gtest/gtest.h>

#include "toolkit/WorkArea.h"

using toolkit::NativeRect;
using toolkit::PlaceInWorkArea;
using toolkit::TPlacing;
using toolkit::TWorkArea;

namespace {

struct Case {
  const char* name;
  TWorkArea area;
  QRect wanted;
  TPlacing how;
  QRect placed;  // logical
  QRect native;  // what the display shows, relative to the screen
};

// A second screen right of a 1920-pixel one, with a 31-pixel panel on top.
const TWorkArea kOffset2x{QRect(0, 31, 2048, 1505), 2.0, QPoint(1920, 0)};
// A screen with a 50-pixel panel on the left.
const TWorkArea kLeftPanel{QRect(50, 0, 1230, 900), 1.0, QPoint(0, 0)};

const Case kCases[] = {
    // The main window restored at 1024x768: its designed place would leave
    // the right and bottom edges off the screen.
    {"1x inside", {QRect(0, 0, 1024, 768), 1.0, {}}, QRect(172, 20, 914, 751), TPlacing::Inside,
     QRect(110, 17, 914, 751), QRect(110, 17, 914, 751)},
    {"1x centred", {QRect(0, 0, 1024, 768), 1.0, {}}, QRect(172, 20, 914, 751), TPlacing::Centred,
     QRect(55, 8, 914, 751), QRect(55, 8, 914, 751)},
    {"1x filled", {QRect(0, 0, 1024, 768), 1.0, {}}, QRect(172, 20, 914, 751), TPlacing::Filled,
     QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768)},
    {"1x larger than the screen", {QRect(0, 0, 1024, 768), 1.0, {}}, QRect(-30, 40, 1300, 1000), TPlacing::Inside,
     QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768)},
    {"1x left panel centred", kLeftPanel, QRect(0, 0, 301, 200), TPlacing::Centred, QRect(514, 350, 301, 200),
     QRect(514, 350, 301, 200)},
    {"1x left panel inside", kLeftPanel, QRect(-20, -5, 100, 100), TPlacing::Inside, QRect(50, 0, 100, 100),
     QRect(50, 0, 100, 100)},
    // 1.5: 2560 display pixels are 1706.67 logical ones; 1707 would show as 2561.
    {"1.5 filled", {QRect(0, 0, 2560, 1440), 1.5, {}}, QRect(), TPlacing::Filled, QRect(0, 0, 1706, 960),
     QRect(0, 0, 2559, 1440)},
    {"1.5 centred", {QRect(0, 0, 2560, 1440), 1.5, {}}, QRect(172, 20, 914, 751), TPlacing::Centred,
     QRect(396, 104, 914, 751), QRect(594, 156, 1371, 1127)},
    {"1.5 inside at the right edge", {QRect(0, 0, 2560, 1440), 1.5, {}}, QRect(1600, 0, 107, 80), TPlacing::Inside,
     QRect(1599, 0, 107, 80), QRect(2399, 0, 161, 120)},
    // 1.25: 1366 x 768 display pixels take 1093 x 614 logical ones.
    {"1.25 filled", {QRect(0, 0, 1366, 768), 1.25, {}}, QRect(), TPlacing::Filled, QRect(0, 0, 1093, 614),
     QRect(0, 0, 1366, 768)},
    {"1.25 larger than the screen", {QRect(0, 0, 1366, 768), 1.25, {}}, QRect(0, 0, 2000, 1000), TPlacing::Inside,
     QRect(0, 0, 1093, 614), QRect(0, 0, 1366, 768)},
    {"2 filled, offset screen with a panel", kOffset2x, QRect(), TPlacing::Filled, QRect(1920, 16, 1024, 752),
     QRect(0, 32, 2048, 1504)},
    {"2 inside, offset screen", kOffset2x, QRect(1920 + 1000, 5, 50, 40), TPlacing::Inside,
     QRect(1920 + 974, 16, 50, 40), QRect(1948, 32, 100, 80)},
    {"2 centred odd size, offset screen", kOffset2x, QRect(0, 0, 301, 201), TPlacing::Centred,
     QRect(1920 + 362, 291, 301, 201), QRect(724, 582, 602, 402)},
};

TEST(WorkArea, PlacesWindowsAtEveryScale) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const QRect placed = PlaceInWorkArea(c.wanted, c.area, c.how);
    EXPECT_EQ(placed, c.placed);
    EXPECT_EQ(NativeRect(placed, c.area), c.native);
  }
}

// For every screen width from 600 to 3000 display pixels at each scale, a
// maximised window ends at or before the screen's edge, and one logical
// pixel more would end past it.
TEST(WorkArea, AFilledWindowIsTheWidestThatFits) {
  for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
    for (int width = 600; width <= 3000; ++width) {
      const TWorkArea area{QRect(0, 0, width, 700), scale, {}};
      const QRect filled = PlaceInWorkArea(QRect(), area, TPlacing::Filled);
      const QRect shown = NativeRect(filled, area);
      ASSERT_LE(shown.right(), width - 1) << "scale " << scale << ", width " << width;
      ASSERT_GT(NativeRect(filled.adjusted(0, 0, 1, 0), area).right(), width - 1)
          << "scale " << scale << ", width " << width;
    }
  }
  // The logical width the platform reports at 1.5 would end a pixel past the edge.
  const TWorkArea area{QRect(0, 0, 2560, 1440), 1.5, {}};
  EXPECT_EQ(NativeRect(QRect(0, 0, 1707, 960), area).width(), 2561);
}

}  // namespace
