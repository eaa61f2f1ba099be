// Drawing primitives, checked pixel by pixel.
#include <gtest/gtest.h>

#include <QSet>
#include <limits>

#include "skin/core/SkinDraw.h"
#include "tests/skin/SkinTestData.h"

namespace {

using namespace skin;
using skintest::Coord;
using skintest::Pattern;
using skintest::Solid;

constexpr QRgb kBackground = 0xFF0A0B0Cu;

QImage Canvas(int w, int h) { return Solid(w, h, kBackground); }

TSkinMargins M(int l, int t, int r, int b) { return {l, t, r, b}; }

TEST(SkinDraw, FrameCellsAndIndexColumns) {
  const QImage img = Pattern(100, 10, Coord);
  EXPECT_EQ(FrameRect(img, false, 5, 1), QRect(0, 0, 20, 10));
  EXPECT_EQ(FrameRect(img, false, 5, 5), QRect(80, 0, 20, 10));
  EXPECT_EQ(FrameRect(img, true, 2, 2), QRect(0, 5, 100, 5));
  EXPECT_TRUE(FrameRect(img, false, 5, 0).isEmpty());
  EXPECT_TRUE(FrameRect(img, false, 5, 6).isEmpty());
  EXPECT_TRUE(FrameRect(img, false, 200, 1).isEmpty());
  EXPECT_EQ(FrameRect(img, false, 0, 1), QRect(0, 0, 100, 10));  // no count is one frame
  // Drawing frame 5 of 5 at natural size copies columns 80 ... 99.
  QImage target = Canvas(20, 10);
  QPainter p(&target);
  DrawFrameStretched(p, QRect(0, 0, 20, 10), img, false, 5, 5);
  p.end();
  EXPECT_EQ(target.pixel(0, 0), Coord(80, 0));
  EXPECT_EQ(target.pixel(19, 9), Coord(99, 9));
}

TEST(SkinDraw, NinePartKeepsCornersAndStretchesEdges) {
  // A 6 x 6 cell with margins 2: corners are 2 x 2 and must appear unscaled.
  const QImage cell = Pattern(6, 6, Coord);
  const QImage out = ComposeNinePart(QSize(20, 14), cell, M(2, 2, 2, 2), false, false, 1, 1);
  ASSERT_EQ(out.size(), QSize(20, 14));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      EXPECT_EQ(out.pixel(x, y), Coord(x, y));                  // top-left
      EXPECT_EQ(out.pixel(18 + x, y), Coord(4 + x, y));         // top-right
      EXPECT_EQ(out.pixel(x, 12 + y), Coord(x, 4 + y));         // bottom-left
      EXPECT_EQ(out.pixel(18 + x, 12 + y), Coord(4 + x, 4 + y));  // bottom-right
    }
  // The left edge keeps its columns and stretches rows 2..3 over rows 2..11.
  for (int y = 2; y < 12; ++y) {
    EXPECT_EQ(qRed(out.pixel(1, y)), 1);
    EXPECT_TRUE(qGreen(out.pixel(1, y)) == 2 || qGreen(out.pixel(1, y)) == 3) << y;
  }
  // Every pixel comes from the source: no blending.
  QSet<QRgb> source;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) source.insert(cell.pixel(x, y));
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_TRUE(source.contains(out.pixel(x, y))) << x << "," << y;
  // Unequal margins, one-pixel corners on the left: each corner from its own
  // corner of the cell, the top edge ending where the right margin begins.
  const QImage lop = ComposeNinePart(QSize(11, 9), cell, M(1, 1, 3, 2), false, false, 1, 1);
  EXPECT_EQ(lop.pixel(0, 0), Coord(0, 0));
  EXPECT_EQ(lop.pixel(0, 8), Coord(0, 5));
  EXPECT_EQ(lop.pixel(8, 0), Coord(3, 0));
  EXPECT_EQ(lop.pixel(7, 0), Coord(2, 0));
  EXPECT_EQ(lop.pixel(10, 7), Coord(5, 4));
  EXPECT_EQ(lop.pixel(1, 7), Coord(1, 4));
}

TEST(SkinDraw, NarrowTargetDropsTheSideMargins) {
  const QImage cell = Pattern(10, 4, Coord);
  // 5 < 4 + 4: the whole width is stretched, including the margin columns.
  const QImage out = ComposeNinePart(QSize(5, 4), cell, M(4, 0, 4, 0), false, false, 1, 1);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(qRed(out.pixel(x, 0)), 2 * x) << x;
  // Exactly Left + Right keeps them.
  const QImage exact = ComposeNinePart(QSize(8, 4), cell, M(4, 0, 4, 0), false, false, 1, 1);
  EXPECT_EQ(qRed(exact.pixel(3, 0)), 3);
  EXPECT_EQ(qRed(exact.pixel(4, 0)), 6);
}

TEST(SkinDraw, EmptyTargetsDrawNothing) {
  const QImage cell = Pattern(10, 10, Coord);
  QImage target = Canvas(10, 10);
  QPainter p(&target);
  DrawSkinImage(p, QRect(3, 3, 0, 5), cell, false, false, false, 1, 1, M(2, 2, 2, 2));
  DrawSkinImage(p, QRect(3, 3, -4, 5), cell, false, true, true, 1, 1, M(2, 2, 2, 2));
  DrawThreePartBar(p, QRect(0, 0, 0, 0), cell, false, false, 1, 1, M(2, 0, 2, 0));
  DrawFrameStretched(p, QRect(5, 5, -1, -1), cell, false, 1, 1);
  DrawNinePartBorder(p, QRect(0, 0, 0, 10), cell, false, 1, 1, M(1, 1, 1, 1));
  DrawTransparent(p, QRect(4, 4, 0, 0), cell, kSkinKeyColor);
  // Images that are too small for their frame count and missing images.
  DrawSkinImage(p, QRect(0, 0, 10, 10), cell, false, false, false, 50, 1, {});
  DrawSkinImage(p, QRect(0, 0, 10, 10), QImage(), false, false, false, 1, 1, {});
  p.end();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(target.pixel(x, y), kBackground);
  EXPECT_TRUE(ComposeNinePart(QSize(0, 5), cell, {}, false, false, 1, 1).isNull());
}

// Margins whose sums wrap around in 32 bits are too wide for the target in 64
// bits: they are dropped, and the cell is stretched whole.
TEST(SkinDraw, MarginSumsAreTakenIn64Bits) {
  const QImage cell = Pattern(9, 7, Coord);
  const QImage plain = ComposeNinePart(QSize(13, 11), cell, {}, false, false, 1, 1);
  const int kMax = std::numeric_limits<int>::max();
  for (const TSkinMargins& m : {M(kMax, 0, kMax, 0), M(kMax, 0, 1, 0), M(0, 0x40000000, 0, 0x40000000),
                                M(0, 3, 0, kMax), M(kMax, kMax, kMax, kMax)}) {
    const QImage out = ComposeNinePart(QSize(13, 11), cell, m, false, false, 1, 1);
    EXPECT_EQ(out, plain) << m.Left << " " << m.Top << " " << m.Right << " " << m.Bottom;
  }
  // A left cap wider than any target: the cell at natural size, the rest black.
  QImage bar = Canvas(12, 7);
  QPainter p(&bar);
  DrawThreePartBar(p, QRect(0, 0, 12, 7), cell, false, false, 1, 1, M(kMax, 0, 0, 0));
  p.end();
  EXPECT_EQ(bar.pixel(8, 6), Coord(8, 6));
  EXPECT_EQ(bar.pixel(9, 0), 0xFF000000u);
}

// Tiling a rectangle far larger than the canvas makes only the copies that
// reach it, aligned to the rectangle's own left edge.
TEST(SkinDraw, TilingAHugeRectangleCostsOnlyTheCanvas) {
  QImage canvas = Canvas(8, 3);
  const QImage tile = Pattern(3, 1, Coord);
  TileImage(canvas, QRect(-1000000001, -7, 2000000000, 2000000000), tile, tile.rect());
  // 1000000001 = 3 x 333333333 + 2: canvas column 0 is tile column 2.
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 3; ++y) EXPECT_EQ(canvas.pixel(x, y), Coord((x + 2) % 3, 0)) << x << " " << y;
}

// A rectangle larger than the canvas is drawn only where the canvas shows it,
// pixel for pixel as the whole rendering drawn there: through a painter that
// is moved, and one that is clipped, for every painter that renders aside.
TEST(SkinDraw, RectanglesPastTheCanvasDrawOnlyWhatShows) {
  const QImage img = Pattern(60, 14, Coord);  // two frames of 30 x 14
  const TSkinMargins m = M(3, 2, 5, 4);
  const QRect rect(-7, -3, 203, 101);
  struct Case {
    const char* name;
    void (*draw)(QPainter&, const QRect&, const QImage&, const TSkinMargins&);
  } const cases[] = {
      {"stretched nine parts", [](QPainter& p, const QRect& r, const QImage& i, const TSkinMargins& mm) {
         DrawSkinImage(p, r, i, false, false, false, 2, 2, mm);
       }},
      {"tiled nine parts", [](QPainter& p, const QRect& r, const QImage& i, const TSkinMargins& mm) {
         DrawSkinImage(p, r, i, false, true, false, 2, 1, mm);
       }},
      {"border", [](QPainter& p, const QRect& r, const QImage& i, const TSkinMargins& mm) {
         DrawNinePartBorder(p, r, i, false, 2, 2, mm);
       }},
      {"three-part bar", [](QPainter& p, const QRect& r, const QImage& i, const TSkinMargins& mm) {
         DrawThreePartBar(p, r, i, false, false, 2, 1, mm);
       }},
      {"stretched frame", [](QPainter& p, const QRect& r, const QImage& i, const TSkinMargins&) {
         DrawFrameStretched(p, r, i, false, 2, 2);
       }},
  };
  for (const Case& c : cases) {
    // The whole rendering, made on a canvas that holds all of it, then cut.
    QImage whole = Canvas(rect.width(), rect.height());
    {
      QPainter p(&whole);
      c.draw(p, QRect(QPoint(0, 0), rect.size()), img, m);
    }
    for (const QPoint shift : {QPoint(0, 0), QPoint(11, -4)}) {
      for (const bool clipped : {false, true}) {
        QImage canvas = Canvas(41, 29);
        QPainter p(&canvas);
        p.translate(shift);
        const QRect clip(2, 3, 17, 9);
        if (clipped) p.setClipRect(clip);
        c.draw(p, rect, img, m);
        p.end();
        for (int y = 0; y < canvas.height(); ++y) {
          for (int x = 0; x < canvas.width(); ++x) {
            const QPoint at = QPoint(x, y) - shift;  // in the painter's coordinates
            const bool drawn = rect.contains(at) && (!clipped || clip.contains(at));
            const QRgb want = drawn ? whole.pixel(at - rect.topLeft()) : kBackground;
            ASSERT_EQ(canvas.pixel(x, y), want) << c.name << " at " << x << "," << y << " shifted " << shift.x()
                                                << " clipped " << clipped;
          }
        }
      }
    }
  }
}

// The largest window there is costs only the canvas: its far corner is
// drawn from the image's far corner.
TEST(SkinDraw, TheLargestRectangleDrawsItsCorner) {
  const QImage img = Pattern(9, 7, Coord);
  QImage canvas = Canvas(5, 3);
  QPainter p(&canvas);
  DrawSkinImage(p, QRect(-32762, -32764, 32767, 32767), img, false, false, false, 1, 1, M(2, 2, 3, 1));
  p.end();
  EXPECT_EQ(canvas.pixel(4, 2), Coord(8, 6));
  EXPECT_EQ(canvas.pixel(1, 2), Coord(5, 6));
  EXPECT_EQ(canvas.pixel(4, 0), Coord(8, 5));  // row 2 + 32,762 x 4 / 32,764 of the edge
}

TEST(SkinDraw, TiledCentreRepeatsAtNaturalSize) {
  // Cell 14 wide with margins 2: a 10-pixel centre tile filling 25 pixels
  // appears as 10 + 10 + 5.
  const QImage cell = Pattern(14, 3, Coord);
  const QImage out = ComposeNinePart(QSize(29, 3), cell, M(2, 0, 2, 0), false, true, 1, 1);
  for (int x = 0; x < 25; ++x) EXPECT_EQ(qRed(out.pixel(2 + x, 1)), 2 + x % 10) << x;
  EXPECT_EQ(qRed(out.pixel(27, 1)), 12);
  // Vertically the tile repeats too.
  const QImage tall = ComposeNinePart(QSize(14, 7), cell, {}, false, true, 1, 1);
  for (int y = 0; y < 7; ++y) EXPECT_EQ(qGreen(tall.pixel(0, y)), y % 3) << y;
}

TEST(SkinDraw, StretchReplicatesAndDropsPixels) {
  const QImage two = Pattern(2, 1, Coord);
  const QImage five = ComposeNinePart(QSize(5, 1), two, {}, false, false, 1, 1);
  const int expected[5] = {0, 0, 0, 1, 1};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(qRed(five.pixel(x, 0)), expected[x]) << x;
  const QImage wide = Pattern(10, 1, Coord);
  const QImage three = ComposeNinePart(QSize(3, 1), wide, {}, false, false, 1, 1);
  EXPECT_EQ(qRed(three.pixel(0, 0)), 0);
  EXPECT_EQ(qRed(three.pixel(1, 0)), 3);
  EXPECT_EQ(qRed(three.pixel(2, 0)), 6);
}

TEST(SkinDraw, VerticalFrameLayout) {
  // Two stacked frames, each 4 high: frame 2 uses rows 4..7.
  const QImage img = Pattern(3, 8, Coord);
  const QImage out = ComposeNinePart(QSize(3, 4), img, {}, true, false, 2, 2);
  EXPECT_EQ(qGreen(out.pixel(0, 0)), 4);
  EXPECT_EQ(out.pixel(0, 3), Coord(0, 7));
  EXPECT_EQ(out.pixel(2, 0), Coord(2, 4));
  // A source of 24-bit pixels draws the same.
  EXPECT_EQ(ComposeNinePart(QSize(3, 4), img.convertToFormat(QImage::Format_RGB888), {}, true, false, 2, 2), out);
}

TEST(SkinDraw, MagentaIsSkippedOnlyWhenExact) {
  QImage img = Solid(4, 1, qRgb(1, 2, 3));
  img.setPixel(1, 0, kMagenta);
  img.setPixel(2, 0, qRgb(255, 1, 255));
  QImage target = Canvas(4, 2);
  QPainter p(&target);
  DrawSkinImage(p, QRect(0, 0, 4, 1), img, false, false, true, 1, 1, {});
  DrawTransparent(p, QRect(0, 1, 4, 1), img, kSkinKeyColor);
  p.end();
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(target.pixel(0, y), qRgb(1, 2, 3));
    EXPECT_EQ(target.pixel(1, y), kBackground);
    EXPECT_EQ(target.pixel(2, y), qRgb(255, 1, 255));
  }
  // Opaque drawing copies magenta like any colour.
  QImage opaque = Canvas(4, 1);
  QPainter q(&opaque);
  DrawSkinImage(q, QRect(0, 0, 4, 1), img, false, false, false, 1, 1, {});
  q.end();
  EXPECT_EQ(opaque.pixel(1, 0), kMagenta);
}

TEST(SkinDraw, TransparentCopyIsCutToTheRectangle) {
  const QImage img = Pattern(6, 6, Coord);
  QImage target = Canvas(10, 10);
  QPainter p(&target);
  DrawTransparent(p, QRect(2, 3, 3, 2), img, kSkinKeyColor);
  p.end();
  EXPECT_EQ(target.pixel(2, 3), Coord(0, 0));
  EXPECT_EQ(target.pixel(4, 4), Coord(2, 1));
  EXPECT_EQ(target.pixel(5, 4), kBackground);
  EXPECT_EQ(target.pixel(2, 5), kBackground);
}

TEST(SkinDraw, NinePartBorderLeavesTheCentre) {
  const QImage cell = Pattern(6, 6, Coord);
  QImage target = Canvas(12, 12);
  QPainter p(&target);
  DrawNinePartBorder(p, QRect(1, 1, 10, 10), cell, false, 1, 1, M(2, 2, 2, 2));
  p.end();
  EXPECT_EQ(target.pixel(1, 1), Coord(0, 0));
  EXPECT_EQ(target.pixel(10, 10), Coord(5, 5));
  for (int y = 3; y < 9; ++y)
    for (int x = 3; x < 9; ++x) EXPECT_EQ(target.pixel(x, y), kBackground) << x << "," << y;
  EXPECT_EQ(target.pixel(0, 0), kBackground);
}

TEST(SkinDraw, ThreePartBarRepeatsTheMiddle) {
  // Cell of 8 columns: caps of 2, a middle of 4 columns repeated.
  const QImage cell = Pattern(8, 2, Coord);
  QImage target = Canvas(15, 6);
  QPainter p(&target);
  DrawThreePartBar(p, QRect(0, 1, 15, 4), cell, false, false, 1, 1, M(2, 0, 2, 0));
  p.end();
  const int expected[15] = {0, 1, 2, 3, 4, 5, 2, 3, 4, 5, 2, 3, 4, 6, 7};
  for (int x = 0; x < 15; ++x) EXPECT_EQ(qRed(target.pixel(x, 2)), expected[x]) << x;
  // Full height stretched: 2 source rows over 4.
  EXPECT_EQ(qGreen(target.pixel(0, 1)), 0);
  EXPECT_EQ(qGreen(target.pixel(0, 4)), 1);
  EXPECT_EQ(target.pixel(0, 0), kBackground);
  // No left cap: the middle starts at the bar's left edge.
  QImage uncapped = Canvas(12, 2);
  QPainter q(&uncapped);
  DrawThreePartBar(q, QRect(0, 0, 12, 2), cell, false, false, 1, 1, M(0, 0, 3, 0));
  q.end();
  const int uncappedRed[12] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 5, 6, 7};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(qRed(uncapped.pixel(x, 0)), uncappedRed[x]) << x;
}

TEST(SkinDraw, CentredFrameRoundsTowardZero) {
  const QImage img = Pattern(20, 4, Coord);  // two frames of 10 x 4
  QImage target = Canvas(12, 8);
  QPainter p(&target);
  DrawFrameCentred(p, QRect(2, 2, 5, 4), img, false, 2, 2);
  p.end();
  // left = 2 + (5 - 10) / 2 = 0 (-2.5 rounds to -2); top = 2 + 0.
  EXPECT_EQ(target.pixel(0, 2), Coord(10, 0));
  EXPECT_EQ(target.pixel(9, 5), Coord(19, 3));
  EXPECT_EQ(target.pixel(10, 2), kBackground);
}

TEST(SkinDraw, RegionToleranceVersusExactKey) {
  QImage img = Solid(6, 3, qRgb(9, 9, 9));
  img.setPixel(0, 0, kMagenta);
  img.setPixel(1, 0, qRgb(255, 1, 255));  // inside the tolerance
  img.setPixel(2, 0, qRgb(255, 2, 255));  // outside it
  img.setPixel(5, 1, qRgb(254, 0, 255));  // red below the key: outside
  img.setPixel(2, 2, kMagenta);
  const QRegion region = RegionFromImage(img, 10, 20, 1, 1, 1, kSkinKeyColor);
  EXPECT_FALSE(region.contains(QPoint(10, 20)));
  EXPECT_FALSE(region.contains(QPoint(11, 20)));
  EXPECT_TRUE(region.contains(QPoint(12, 20)));
  EXPECT_TRUE(region.contains(QPoint(15, 21)));
  EXPECT_FALSE(region.contains(QPoint(12, 22)));
  EXPECT_TRUE(region.contains(QPoint(11, 22)));
  EXPECT_TRUE(region.contains(QPoint(13, 22)));
  EXPECT_FALSE(region.contains(QPoint(16, 21)));
  int area = 0;
  for (const QRect& r : region) area += r.width() * r.height();
  EXPECT_EQ(area, 18 - 3);
  // With no tolerance only the exact key is cut.
  const QRegion exact = RegionFromImage(img, 0, 0, 0, 0, 0, kSkinKeyColor);
  EXPECT_TRUE(exact.contains(QPoint(1, 0)));
  EXPECT_FALSE(exact.contains(QPoint(0, 0)));
}

TEST(SkinDraw, RegionOfALargeImageMatchesItsPixels) {
  // Many runs per row over many rows.
  QImage img(300, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) img.setPixel(x, y, ((x * 7 + y * 3) % 5 == 0) ? kMagenta : qRgb(1, 2, 3));
  const QRegion region = RegionFromImage(img, 0, 0, 1, 1, 1, kSkinKeyColor);
  for (int y = 0; y < 200; y += 7)
    for (int x = 0; x < 300; ++x)
      ASSERT_EQ(region.contains(QPoint(x, y)), img.pixel(x, y) != kMagenta) << x << "," << y;
}

TEST(SkinDraw, PixelTransforms) {
  const QImage src = Pattern(3, 2, Coord);
  QImage left = src;
  RotateBitmapLeft(left);
  ASSERT_EQ(left.size(), QSize(2, 3));
  QImage right = src;
  RotateBitmapRight(right);
  ASSERT_EQ(right.size(), QSize(2, 3));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(left.pixel(y, 3 - 1 - x), src.pixel(x, y));
      EXPECT_EQ(right.pixel(2 - 1 - y, x), src.pixel(x, y));
    }
  QImage mirrored = src;
  MirrorBitmap(mirrored);
  EXPECT_EQ(mirrored.pixel(0, 1), src.pixel(2, 1));
  QImage flipped = src;
  FlipBitmap(flipped);
  EXPECT_EQ(flipped.pixel(2, 0), src.pixel(2, 1));
  QImage grey = Solid(1, 1, qRgb(10, 20, 31));
  GrayscaleBitmap(grey);
  EXPECT_EQ(grey.pixel(0, 0), qRgb(20, 20, 20));
  QImage translucent(1, 1, QImage::Format_ARGB32);
  translucent.setPixel(0, 0, qRgba(10, 20, 31, 128));
  GrayscaleBitmap(translucent);
  EXPECT_EQ(translucent.pixel(0, 0), qRgba(20, 20, 20, 128));  // the alpha kept
}

}  // namespace
