// Scroll bars under the skin: the geometry (arrows, short bars, the thumb of
// scroll areas and of scroll-bar controls with their exact rounding, hit
// zones, the dragged thumb kept between the arrows), the picture of every
// state, and live bars of memos and lists that scroll exactly as they would
// unskinned and look as before once the skinner is gone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/ScrollBarPaint.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/engine/SkinData.h"
#include "tests/skin_controls/ControlSkin.h"
#include "toolkit/ListView.h"
#include "toolkit/StdCtrls.h"

namespace {

using namespace controltest;
using skin::TScrollBarGeometry;
using skin::TScrollRange;

constexpr int A = 16;

// ---- geometry ------------------------------------------------------------------

TEST(ScrollGeometry, ProductsThenQuotientsRoundToTheNearestWithSixtyFourBits) {
  EXPECT_EQ(skin::MulDivRound(252, 1, 8), 32);     // 31.5 rounds up, not down
  EXPECT_EQ(skin::MulDivRound(252, 3, 8), 95);     // 94.5
  EXPECT_EQ(skin::MulDivRound(268, 9, 108), 22);   // 22.33
  EXPECT_EQ(skin::MulDivRound(-252, 1, 8), -32);   // halves away from zero
  EXPECT_EQ(skin::MulDivRound(3, 5, -2), -8);      // -7.5, the divisor negative
  EXPECT_EQ(skin::MulDivRound(17, 1, 7), 2);       // 2.43: an odd divisor's half is 3, not 4
  EXPECT_EQ(skin::MulDivRound(252, 1500000000, 2000000000), 189);  // 3.78e11 in between
  EXPECT_EQ(skin::MulDivRound(5, 7, 0), 0);
}

TEST(ScrollGeometry, AScrollBarControlWithAPageSizeEndsItsThumbAtTheLastArrow) {
  const TScrollBarGeometry g = skin::ControlBarGeometry(300, A, TScrollRange{0, 99, 10, 37});
  // r = 99 + 10 - 1 = 108: thumb 268 * 9 / 108 = 22.3, start 16 + 268 * 37 / 108 = 16 + 91.8.
  EXPECT_EQ(g.thumbStart, 108);
  EXPECT_EQ(g.thumbEnd, 130);
  const TScrollBarGeometry last = skin::ControlBarGeometry(300, A, TScrollRange{0, 99, 10, 99});
  EXPECT_EQ(last.thumbStart, 262);  // 16 + 245.7
  EXPECT_EQ(last.thumbEnd, 300 - A);
  const TScrollBarGeometry first = skin::ControlBarGeometry(300, A, TScrollRange{0, 99, 10, 0});
  EXPECT_EQ(first.thumbStart, A);
  // A minimum other than 0 counts the position from it.
  EXPECT_EQ(skin::ControlBarGeometry(300, A, TScrollRange{-50, 49, 10, -13}).thumbStart, 108);
  // A page of one has a thumb of no length, and no thumb zone in the track.
  const TScrollBarGeometry one = skin::ControlBarGeometry(300, A, TScrollRange{0, 99, 1, 37});
  EXPECT_FALSE(one.HasThumb());
  EXPECT_EQ(skin::ScrollHitZone(one, 100), skin::shPageForward);
  // A maximum below the minimum is an empty range, however large the page.
  EXPECT_FALSE(skin::ControlBarGeometry(300, A, TScrollRange{10, 5, 20, 10}).HasThumb());
}

TEST(ScrollGeometry, WithoutAPageSizeTheThumbIsAnArrowLong) {
  TScrollBarGeometry g = skin::ControlBarGeometry(300, A, TScrollRange{0, 8, 0, 1});
  EXPECT_EQ(g.thumbStart, 16 + 32);  // 252 / 8 = 31.5 rounded up
  EXPECT_EQ(g.ThumbLength(), A);
  g = skin::ControlBarGeometry(300, A, TScrollRange{0, 8, 0, 8});
  EXPECT_EQ(g.thumbStart, 16 + 252);
  EXPECT_EQ(g.thumbEnd, 300 - A);
  g = skin::ControlBarGeometry(300, A, TScrollRange{0, 2000000000, 0, 1500000000});
  EXPECT_EQ(g.thumbStart, 16 + 189);
  // An empty range has no thumb (and divides by nothing).
  g = skin::ControlBarGeometry(300, A, TScrollRange{5, 5, 0, 5});
  EXPECT_FALSE(g.HasThumb());
}

TEST(ScrollGeometry, AScrollAreasThumbTakesTheVisibleShareOfTheTrack) {
  TScrollBarGeometry g = skin::AreaBarGeometry(200, A, TScrollRange{0, 100, 20, 50});
  EXPECT_EQ(g.thumbStart, 16 + 70);  // thumb 168 * 20 / 120 = 28, start over 140
  EXPECT_EQ(g.thumbEnd, 86 + 28);
  g = skin::AreaBarGeometry(201, A, TScrollRange{0, 100, 20, 50});
  EXPECT_EQ(g.thumbStart, 16 + 71);  // 141 * 50 / 100 = 70.5
  EXPECT_EQ(g.ThumbLength(), 28);    // 169 * 20 / 120 = 28.2
  g = skin::AreaBarGeometry(200, A, TScrollRange{0, 10000, 1, 10000});
  EXPECT_EQ(g.ThumbLength(), skin::kMinThumbLength);
  EXPECT_EQ(g.thumbEnd, 200 - A);
  // A minimum other than 0: the same range as the first, shifted by -30.
  g = skin::AreaBarGeometry(200, A, TScrollRange{-30, 70, 20, 20});
  EXPECT_EQ(g.thumbStart, 16 + 70);
  EXPECT_EQ(g.ThumbLength(), 28);
  // No page size: the smallest thumb, moved over the rest of the track (160 * 1 / 2).
  g = skin::AreaBarGeometry(200, A, TScrollRange{0, 2, 0, 1});
  EXPECT_EQ(g.thumbStart, 16 + 80);
  EXPECT_EQ(g.ThumbLength(), skin::kMinThumbLength);
  EXPECT_FALSE(skin::AreaBarGeometry(200, A, TScrollRange{0, 0, 20, 0}).HasThumb());
  EXPECT_FALSE(skin::AreaBarGeometry(39, A, TScrollRange{0, 100, 20, 0}).HasThumb());  // a 7-pixel track
}

TEST(ScrollGeometry, ABarShorterThanTwoArrowsHasTwoHalfArrowsAndNoTrack) {
  EXPECT_EQ(skin::ScrollArrowLength(25, A), 12);
  EXPECT_EQ(skin::ScrollArrowLength(31, A), 15);
  EXPECT_EQ(skin::ScrollArrowLength(32, A), 16);
  EXPECT_EQ(skin::AreaBarGeometry(-5, A, TScrollRange{0, 100, 20, 50}).length, 0);
  const TScrollBarGeometry g = skin::AreaBarGeometry(25, A, TScrollRange{0, 100, 20, 50});
  EXPECT_EQ(g.arrow, 12);
  EXPECT_EQ(g.TrackEnd(), g.TrackStart());
  EXPECT_FALSE(g.HasThumb());
  EXPECT_EQ(skin::ScrollHitZone(g, 11), skin::shLineBack);
  EXPECT_EQ(skin::ScrollHitZone(g, 13), skin::shLineForward);
}

TEST(ScrollGeometry, HitZonesSplitTheBarAtTheArrowsAndTheThumb) {
  const TScrollBarGeometry g = skin::AreaBarGeometry(200, A, TScrollRange{0, 100, 20, 50});
  ASSERT_EQ(g.thumbStart, 86);
  ASSERT_EQ(g.thumbEnd, 114);
  const std::pair<int, int> cases[] = {{0, 0}, {15, 0}, {16, 2}, {85, 2}, {86, 5}, {113, 5},
                                       {114, 3}, {183, 3}, {184, 1}, {199, 1}};
  for (const auto& [x, code] : cases) EXPECT_EQ(skin::ScrollHitZone(g, x), code) << x;
}

TEST(ScrollGeometry, ADraggedThumbFollowsTheCursorBetweenTheArrows) {
  const TScrollBarGeometry g = skin::AreaBarGeometry(200, A, TScrollRange{0, 100, 20, 50});
  EXPECT_EQ(skin::DraggedThumbStart(g, 86, 41), 127);
  EXPECT_EQ(skin::DraggedThumbStart(g, 86, -3), 83);
  EXPECT_EQ(skin::DraggedThumbStart(g, 86, 500), 200 - A - 28);
  EXPECT_EQ(skin::DraggedThumbStart(g, 86, -500), A);
}

// ---- the picture -------------------------------------------------------------------

QImage PaintBar(const skin::TScrollBarLook& look) {
  QImage img(look.size, QImage::Format_RGB32);
  img.fill(qRgb(1, 1, 1));
  skin::PaintScrollBar(img, SharedSkin().Elements(), look);
  return img;
}

skin::TScrollBarLook VerticalLook(int length = 200) {
  skin::TScrollBarLook look;
  look.vertical = true;
  look.size = QSize(A, length);
  look.geometry = skin::AreaBarGeometry(length, A, TScrollRange{0, 100, 20, 50});
  return look;
}

TEST(ScrollPicture, ArrowsTrackAndThumbUseTheirFramesAndThePressedArrowTheNext) {
  skin::TScrollBarLook look = VerticalLook();
  QImage img = PaintBar(look);
  EXPECT_TRUE(PixelIs(img, 8, 5, FrameColour(eArrows, 9))) << Hex(img.pixel(8, 5));
  EXPECT_TRUE(PixelIs(img, 8, 194, FrameColour(eArrows, 13)));
  EXPECT_TRUE(PixelIs(img, 8, 50, FrameColour(eVertTrack, 1)));
  EXPECT_TRUE(PixelIs(img, 8, 100, FrameColour(eVertThumb, 1)));
  EXPECT_TRUE(PixelIs(img, 8, 86, FrameColour(eVertThumb, 1)));
  EXPECT_TRUE(PixelIs(img, 8, 85, FrameColour(eVertTrack, 1)));
  look.pressedArrow = 2;
  img = PaintBar(look);
  EXPECT_TRUE(PixelIs(img, 8, 194, FrameColour(eArrows, 14))) << Hex(img.pixel(8, 194));
  EXPECT_TRUE(PixelIs(img, 8, 5, FrameColour(eArrows, 9)));
  look.pressedArrow = 1;
  look.tracking = true;
  img = PaintBar(look);
  EXPECT_TRUE(PixelIs(img, 8, 5, FrameColour(eArrows, 10)));
  EXPECT_TRUE(PixelIs(img, 8, 100, FrameColour(eVertThumb, 2)));

  skin::TScrollBarLook h;
  h.vertical = false;
  h.size = QSize(200, A);
  h.geometry = skin::AreaBarGeometry(200, A, TScrollRange{0, 100, 20, 50});
  h.pressedArrow = 2;
  img = PaintBar(h);
  EXPECT_TRUE(PixelIs(img, 5, 8, FrameColour(eArrows, 1)));
  EXPECT_TRUE(PixelIs(img, 194, 8, FrameColour(eArrows, 6)));
  EXPECT_TRUE(PixelIs(img, 50, 8, FrameColour(eHorzTrack, 1)));
  EXPECT_TRUE(PixelIs(img, 100, 8, FrameColour(eHorzThumb, 1)));
}

TEST(ScrollPicture, AnUnavailableBarShowsTrackFrameThreeAndNoThumb) {
  skin::TScrollBarLook look = VerticalLook();
  look.enabled = false;
  const QImage img = PaintBar(look);
  EXPECT_TRUE(PixelIs(img, 8, 100, FrameColour(eVertTrack, 3))) << Hex(img.pixel(8, 100));
  EXPECT_TRUE(PixelIs(img, 8, 20, FrameColour(eVertTrack, 3)));
}

TEST(ScrollPicture, AShortBarShowsTwoHalfArrowsAndButtonFaceBetweenThem) {
  const QImage img = PaintBar(VerticalLook(25));
  EXPECT_TRUE(PixelIs(img, 8, 0, FrameColour(eArrows, 9)));
  EXPECT_TRUE(PixelIs(img, 8, 11, FrameColour(eArrows, 9)));
  EXPECT_TRUE(PixelIs(img, 8, 12, kButtonFace.rgb())) << Hex(img.pixel(8, 12));
  EXPECT_TRUE(PixelIs(img, 8, 13, FrameColour(eArrows, 13)));
  EXPECT_TRUE(PixelIs(img, 8, 24, FrameColour(eArrows, 13)));
}

TEST(ScrollPicture, ACachedPaintIsTheSameAndAMovedThumbComposesNothingAgain) {
  skin::TPartCache cache;
  skin::TScrollBarLook look = VerticalLook();
  QImage cached(look.size, QImage::Format_RGB32);
  skin::PaintScrollBar(cached, SharedSkin().Elements(), look, &cache);
  EXPECT_EQ(cached, PaintBar(look));
  EXPECT_EQ(cache.Composed(), 4);  // track, two arrows, thumb
  look.geometry.thumbStart += 7;
  look.geometry.thumbEnd += 7;
  skin::PaintScrollBar(cached, SharedSkin().Elements(), look, &cache);
  EXPECT_EQ(cache.Composed(), 4);
  EXPECT_EQ(cached, PaintBar(look));
  look.tracking = true;  // the tracking thumb is another frame
  skin::PaintScrollBar(cached, SharedSkin().Elements(), look, &cache);
  EXPECT_EQ(cache.Composed(), 5);
  // Another skin's images are composed afresh.
  auto other = LoadedSkin({.shift = 30});
  skin::PaintScrollBar(cached, other->Elements(), look, &cache);
  EXPECT_EQ(cache.Composed(), 9);
  EXPECT_TRUE(PixelIs(cached, 8, 5, Shifted(FrameColour(eArrows, 9), 30)));
}

TEST(ScrollPicture, TheThicknessIsTheArrowImagesHeightUnlessMuchSmallerThanAnArrow) {
  EXPECT_EQ(skin::ScrollBarThickness(SharedSkin().Elements(), 16), 16);
  EXPECT_EQ(skin::ScrollBarThickness(SharedSkin().Elements(), 19), 16);  // 16 + 3 is not below 19
  EXPECT_EQ(skin::ScrollBarThickness(SharedSkin().Elements(), 20), 20);
}

// ---- live bars -----------------------------------------------------------------------

QString LongPoem(int lines) {
  QStringList l;
  for (int i = 0; i < lines; ++i) l << QStringLiteral("床前明月光 %1").arg(i + 1);
  return l.join(QStringLiteral("\r\n"));
}

class LiveMemo : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(400, 300);
    memo = new toolkit::TMemo(&window);
    memo->setGeometry(0, 0, 240, 161);
    memo->SetScrollBars(toolkit::ssVertical);
    memo->SetText(LongPoem(80));
    plain = new toolkit::TMemo(&window);
    plain->setGeometry(0, 0, 240, 161);
    plain->SetScrollBars(toolkit::ssVertical);
    plain->SetText(LongPoem(80));
    plain->hide();
    window.show();
    QApplication::processEvents();
  }
  skin::TSkinScrollbar* Attach(QWidget* control) {
    auto* s = new skin::TSkinScrollbar(control);
    s->InitControl(nullptr, &SharedSkin(), false, nullptr);
    QApplication::processEvents();
    return s;
  }
  QWidget window;
  toolkit::TMemo* memo = nullptr;
  toolkit::TMemo* plain = nullptr;
};

TEST_F(LiveMemo, AMemoWithoutAHorizontalBarShowsOnlyTheVerticalPainterAndNoCorner) {
  const QRect viewportBefore = memo->viewport()->geometry();
  const int widthBefore = memo->verticalScrollBar()->width();
  skin::TSkinScrollbar* s = Attach(memo);
  QScrollBar* bar = memo->verticalScrollBar();
  EXPECT_EQ(bar->style(), s->Vertical());
  EXPECT_EQ(bar->width(), A);
  EXPECT_FALSE(memo->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(s->CornerRect().isEmpty());
  const QImage img = memo->grab().toImage();
  const QPoint up = bar->mapTo(memo, QPoint(8, 5));
  const QPoint down = bar->mapTo(memo, QPoint(8, bar->height() - 5));
  EXPECT_TRUE(PixelIs(img, up.x(), up.y(), FrameColour(eArrows, 9))) << Hex(img.pixel(up));
  EXPECT_TRUE(PixelIs(img, down.x(), down.y(), FrameColour(eArrows, 13)));
  delete s;
  QApplication::processEvents();
  EXPECT_EQ(bar->style(), QApplication::style());
  EXPECT_EQ(bar->width(), widthBefore);
  EXPECT_EQ(memo->viewport()->geometry(), viewportBefore);
}

TEST_F(LiveMemo, TwoBarsGetTheButtonFaceSquareBetweenThem) {
  memo->SetScrollBars(toolkit::ssBoth);
  memo->SetWordWrap(false);
  skin::TSkinScrollbar* s = Attach(memo);
  const QRect corner = s->CornerRect();
  ASSERT_FALSE(corner.isEmpty());
  EXPECT_EQ(corner.size(), QSize(A, A));
  const QImage img = memo->grab().toImage();
  EXPECT_TRUE(PixelIs(img, corner.center().x(), corner.center().y(), kButtonFace.rgb()))
      << Hex(img.pixel(corner.center()));
}

TEST_F(LiveMemo, PressingTheDownArrowShowsFrameFourteenAndScrollsOneLineAsTheNativeBarDoes) {
  Attach(memo);
  QScrollBar* bar = memo->verticalScrollBar();
  const QPoint at(8, bar->height() - 5);
  QTest::mousePress(bar, Qt::LeftButton, {}, at);
  EXPECT_TRUE(PixelIs(bar->grab().toImage(), at.x(), at.y(), FrameColour(eArrows, 14)));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
  EXPECT_TRUE(PixelIs(bar->grab().toImage(), at.x(), at.y(), FrameColour(eArrows, 13)));
  EXPECT_EQ(bar->value(), bar->singleStep());
  // The same press on the unskinned bar's own arrow.
  plain->show();
  QApplication::processEvents();
  QScrollBar* native = plain->verticalScrollBar();
  QStyleOptionSlider opt = skin::ScrollBarOption(native);
  const QRect arrow = native->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddLine, native);
  QTest::mouseClick(native, Qt::LeftButton, {}, arrow.center());
  EXPECT_EQ(native->value(), bar->value());
}

TEST_F(LiveMemo, ATrackClickPagesAndTheWheelScrollsAsUnskinned) {
  Attach(memo);
  plain->show();
  QApplication::processEvents();
  QScrollBar* bar = memo->verticalScrollBar();
  // A click on the track after the thumb, on both bars.
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, bar->height() - A - 3));
  QScrollBar* native = plain->verticalScrollBar();
  QStyleOptionSlider opt = skin::ScrollBarOption(native);
  const QRect page = native->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddPage, native);
  QTest::mouseClick(native, Qt::LeftButton, {}, page.center());
  EXPECT_GE(bar->value(), bar->pageStep());
  EXPECT_EQ(bar->value(), native->value());
  bar->setValue(0);
  plain->verticalScrollBar()->setValue(0);
  for (toolkit::TMemo* m : {memo, plain}) {
    QWheelEvent wheel(QPointF(50, 50), m->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(m->viewport(), &wheel);
  }
  EXPECT_GT(bar->value(), 0);
  EXPECT_EQ(bar->value(), plain->verticalScrollBar()->value());
}

TEST_F(LiveMemo, TheDraggedThumbFollowsTheCursorClampedWhileTheTextScrolls) {
  skin::TSkinScrollbar* s = Attach(memo);
  QScrollBar* bar = memo->verticalScrollBar();
  const skin::TScrollBarGeometry g0 = s->Vertical()->Look().geometry;
  ASSERT_TRUE(g0.HasThumb());
  const int grip = g0.thumbStart + 3;
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(8, grip));
  QTest::mouseMove(bar, QPoint(8, grip + 17));
  skin::TScrollBarLook look = s->Vertical()->Look();
  EXPECT_TRUE(look.tracking);
  EXPECT_EQ(look.geometry.thumbStart, g0.thumbStart + 17);
  EXPECT_GT(bar->value(), 0);
  // The text scrolled with the bar: the top line is no longer the first.
  EXPECT_EQ(memo->cursorForPosition(QPoint(4, 4)).blockNumber(), bar->value());
  QImage img = bar->grab().toImage();
  EXPECT_TRUE(PixelIs(img, 8, g0.thumbStart + 17, FrameColour(eVertThumb, 2))) << Hex(img.pixel(8, g0.thumbStart + 17));
  // Far past the end: the thumb stops at the last arrow, the text at its end.
  QTest::mouseMove(bar, QPoint(8, grip + 1000));
  look = s->Vertical()->Look();
  EXPECT_EQ(look.geometry.thumbEnd, bar->height() - A);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(memo->cursorForPosition(QPoint(4, 4)).blockNumber(), bar->maximum());
  QTest::mouseMove(bar, QPoint(8, -1000));
  EXPECT_EQ(s->Vertical()->Look().geometry.thumbStart, A);
  EXPECT_EQ(bar->value(), 0);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(8, -1000));
  EXPECT_FALSE(s->Vertical()->Look().tracking);
}

TEST_F(LiveMemo, AMemoWithNothingToScrollShowsTrackFrameThreeAndNoThumb) {
  memo->SetText(QStringLiteral("选择相应的朝代或者作者进入。"));
  Attach(memo);
  QScrollBar* bar = memo->verticalScrollBar();
  ASSERT_EQ(bar->maximum(), bar->minimum());
  const QImage img = bar->grab().toImage();
  for (int y : {A, bar->height() / 2, bar->height() - A - 1})
    EXPECT_TRUE(PixelIs(img, 8, y, FrameColour(eVertTrack, 3))) << y << " " << Hex(img.pixel(8, y));
}

TEST(LiveList, AListViewGetsItsOwnBarStylesBackAndItsHeaderSkinned) {
  QWidget window;
  auto* list = new toolkit::TListView(&window);
  list->setGeometry(0, 0, 300, 128);
  list->SetFlatScrollBars(true);
  list->Columns().Add(QStringLiteral("标题"), 120);
  list->Columns().Add(QStringLiteral("格式"), 90);
  for (int i = 0; i < 40; ++i) list->Items().Add()->SetCaption(QStringLiteral("静夜思 %1").arg(i));
  window.show();
  QApplication::processEvents();
  QStyle* flat = list->verticalScrollBar()->style();
  QStyle* flatH = list->horizontalScrollBar()->style();
  ASSERT_NE(flat, QApplication::style());
  auto* s = new skin::TSkinListView(list);
  s->InitControl(nullptr, &SharedSkin(), false, nullptr);
  EXPECT_EQ(list->verticalScrollBar()->style(), s->Vertical());
  ASSERT_NE(s->HeaderSkinner(), nullptr);
  EXPECT_EQ(s->HeaderSkinner()->Header(), list->Header());
  EXPECT_NE(list->Header()->style(), QApplication::style());
  delete s;
  EXPECT_EQ(list->verticalScrollBar()->style(), flat);
  EXPECT_EQ(list->horizontalScrollBar()->style(), flatH);
  EXPECT_EQ(list->Header()->style(), QApplication::style());
}

TEST(LiveControlBar, AScrollBarControlUsesTheControlGeometry) {
  QScrollBar bar(Qt::Horizontal);
  bar.setRange(0, 99);
  bar.setPageStep(10);
  bar.setValue(37);
  bar.resize(300, A);
  bar.show();
  auto* s = new skin::TSkinScrollbar(&bar);
  s->InitControl(nullptr, &SharedSkin(), false, nullptr);
  ASSERT_NE(s->Horizontal(), nullptr);
  EXPECT_EQ(s->Vertical(), nullptr);
  EXPECT_EQ(s->Horizontal()->Kind(), skin::sbkControl);
  QStyleOptionSlider opt = skin::ScrollBarOption(&bar);
  EXPECT_EQ(bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, &bar),
            QRect(108, 0, 22, A));
  // A press on the page before the thumb pages back through the bar itself.
  QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(60, 8));
  EXPECT_EQ(bar.value(), 27);
  delete s;
  EXPECT_EQ(bar.style(), QApplication::style());
}

}  // namespace

namespace {

TEST(LiveMemoHidden, AMemoSkinnedBeforeItIsShownShowsItsSkinnedBarWhenShown) {
  QWidget window;
  window.resize(300, 200);
  auto* memo = new toolkit::TMemo(&window);
  memo->setGeometry(0, 0, 200, 150);
  memo->SetScrollBars(toolkit::ssVertical);
  QStringList lines;
  for (int i = 0; i < 60; ++i) lines << QStringLiteral("低头思故乡 %1").arg(i);
  memo->SetText(lines.join(QStringLiteral("\r\n")));
  auto* s = new skin::TSkinScrollbar(memo);
  s->InitControl(nullptr, &SharedSkin(), false, nullptr);
  window.show();
  QApplication::processEvents();
  QScrollBar* bar = memo->verticalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->width(), A);
  const QImage img = memo->grab().toImage();
  const QPoint up = bar->mapTo(memo, QPoint(8, 5));
  EXPECT_TRUE(PixelIs(img, up.x(), up.y(), FrameColour(eArrows, 9))) << Hex(img.pixel(up));
}

}  // namespace
