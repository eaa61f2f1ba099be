// The frame without a window: border widths, hit testing, resizing by hand,
// the window region, the borders' frames, caption buttons (visibility rules,
// places, frames) and the caption text's place, clip and ellipsis.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

#include "skin/core/SkinElements.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FrameInput.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FramePaint.h"
#include "tests/skin_engine/TestSkins.h"
#include "toolkit/Fonts.h"

namespace {

using namespace skin;
using enginetest::FrameSpec;

// The elements of a test skin (kept alive by their component).
const TSkinElements& Elements(const FrameSpec& spec) {
  static std::vector<std::unique_ptr<TSkinData>> keep;
  keep.push_back(std::make_unique<TSkinData>());
  keep.back()->ReadSkinStream(enginetest::FrameSkinStream(spec));
  return keep.back()->Elements();
}

bool Is(const QImage& img, int x, int y, const QColor& c) { return img.pixelColor(x, y).rgb() == c.rgb(); }

TEST(FrameGeometry, BorderWidthsAreImageSizesOverTheirFrameCounts) {
  FrameSpec spec;  // L 4, T 20, R 3, B 5: every side different
  const TFrameMetrics m = ComputeFrameMetrics(Elements(spec), fkSizeable);
  EXPECT_EQ(m, (TFrameMetrics{4, 20, 3, 5, 0}));
  EXPECT_EQ(ComputeFrameMetrics(Elements(spec), fkFixed), m);
  EXPECT_EQ(ComputeFrameMetrics(Elements(spec), fkNone), TFrameMetrics{});
  // Integer division: a 9-pixel, two-frame left border is 4 wide.
  TSkinElements e;
  e.FrameLeft.Image = QImage(9, 30, QImage::Format_RGB32);
  e.FrameLeft.FrameCount = 2;
  e.FrameTop.Image = QImage(60, 41, QImage::Format_RGB32);
  e.FrameTop.FrameCount = 2;
  e.FrameBottom.Image = QImage(60, 7, QImage::Format_RGB32);
  e.FrameBottom.FrameCount = 0;
  const TFrameMetrics odd = ComputeFrameMetrics(e, fkFixed);
  EXPECT_EQ(odd.L, 4);
  EXPECT_EQ(odd.T, 20);
  EXPECT_EQ(odd.R, 0);  // no image: no border
  EXPECT_EQ(odd.B, 0);  // no frames: no border
  EXPECT_EQ(odd.Margins(), QMargins(4, 20, 0, 0));
}

TEST(FrameGeometry, TheOuterSizeAddsTheFrameAndTheClientNeverGoesBelowOnePixel) {
  const TFrameMetrics m{4, 20, 3, 5, 19};
  EXPECT_EQ(OuterSizeForClient({300, 201}, m), QSize(307, 245));
  EXPECT_EQ(ClientSizeForOuter({307, 245}, m), QSize(300, 201));
  EXPECT_EQ(ClientSizeForOuter({5, 10}, m), QSize(1, 1));
  EXPECT_EQ(OuterSizeForClient({0, -3}, m), QSize(8, 45));
}

TEST(FrameGeometry, HitTestingBordersCornersCaptionMenuAndClient) {
  const TFrameMetrics m{4, 20, 3, 5, 19};
  const QSize s(300, 200);
  EXPECT_EQ(FrameHitTest({0, 100}, s, m, true), HTLEFT);
  EXPECT_EQ(FrameHitTest({3, 100}, s, m, true), HTLEFT);
  EXPECT_EQ(FrameHitTest({4, 100}, s, m, true), HTCLIENT);
  EXPECT_EQ(FrameHitTest({296, 100}, s, m, true), HTCLIENT);
  EXPECT_EQ(FrameHitTest({297, 100}, s, m, true), HTRIGHT);
  EXPECT_EQ(FrameHitTest({150, 195}, s, m, true), HTBOTTOM);
  EXPECT_EQ(FrameHitTest({150, 194}, s, m, true), HTCLIENT);
  // Only the outermost 3 rows of the top border resize; below them is the caption.
  EXPECT_EQ(FrameHitTest({150, 2}, s, m, true), HTTOP);
  EXPECT_EQ(FrameHitTest({150, 3}, s, m, true), HTCAPTION);
  EXPECT_EQ(FrameHitTest({150, 19}, s, m, true), HTCAPTION);
  EXPECT_EQ(FrameHitTest({150, 20}, s, m, true), HTMENU);
  EXPECT_EQ(FrameHitTest({150, 38}, s, m, true), HTMENU);
  EXPECT_EQ(FrameHitTest({150, 39}, s, m, true), HTCLIENT);
  // Corners reach 16 pixels along each edge, and down the sides as far as the caption.
  EXPECT_EQ(FrameHitTest({0, 0}, s, m, true), HTTOPLEFT);
  EXPECT_EQ(FrameHitTest({15, 1}, s, m, true), HTTOPLEFT);
  EXPECT_EQ(FrameHitTest({16, 1}, s, m, true), HTTOP);
  EXPECT_EQ(FrameHitTest({299, 19}, s, m, true), HTTOPRIGHT);
  EXPECT_EQ(FrameHitTest({299, 20}, s, m, true), HTRIGHT);
  EXPECT_EQ(FrameHitTest({0, 183}, s, m, true), HTLEFT);
  EXPECT_EQ(FrameHitTest({0, 184}, s, m, true), HTBOTTOMLEFT);
  EXPECT_EQ(FrameHitTest({1, 199}, s, m, true), HTBOTTOMLEFT);
  EXPECT_EQ(FrameHitTest({284, 199}, s, m, true), HTBOTTOMRIGHT);
  EXPECT_EQ(FrameHitTest({283, 199}, s, m, true), HTBOTTOM);
  // A fixed frame does not resize.
  EXPECT_EQ(FrameHitTest({0, 100}, s, m, false), HTNOWHERE);
  EXPECT_EQ(FrameHitTest({150, 1}, s, m, false), HTCAPTION);
  EXPECT_EQ(FrameHitTest({0, 5}, s, m, false), HTCAPTION);
  EXPECT_EQ(FrameHitTest({297, 100}, s, m, false), HTNOWHERE);
  EXPECT_EQ(FrameHitTest({150, 195}, s, m, false), HTNOWHERE);
  for (const QPoint outside : {QPoint(-1, 5), QPoint(300, 100), QPoint(150, 200), QPoint(150, -1)})
    EXPECT_EQ(FrameHitTest(outside, s, m, true), HTNOWHERE) << outside.x() << "," << outside.y();

  EXPECT_EQ(CursorForHit(HTLEFT), Qt::SizeHorCursor);
  EXPECT_EQ(CursorForHit(HTBOTTOM), Qt::SizeVerCursor);
  EXPECT_EQ(CursorForHit(HTTOPLEFT), Qt::SizeFDiagCursor);
  EXPECT_EQ(CursorForHit(HTBOTTOMLEFT), Qt::SizeBDiagCursor);
  EXPECT_EQ(CursorForHit(HTCAPTION), Qt::ArrowCursor);
  EXPECT_EQ(EdgesForHit(HTTOPRIGHT), Qt::TopEdge | Qt::RightEdge);
  EXPECT_EQ(EdgesForHit(HTCLIENT), Qt::Edges());
}

TEST(FrameDrag, ResizingMovesOnlyTheDraggedEdgesWithinTheLimits) {
  const QRect start(100, 50, 300, 200);
  const QSize minimum(120, 80), maximum(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  EXPECT_EQ(MovedGeometry(start, {7, -3}), QRect(107, 47, 300, 200));
  EXPECT_EQ(ResizedGeometry(start, Qt::RightEdge, {25, 9}, minimum, maximum), QRect(100, 50, 325, 200));
  EXPECT_EQ(ResizedGeometry(start, Qt::LeftEdge, {25, 9}, minimum, maximum), QRect(125, 50, 275, 200));
  EXPECT_EQ(ResizedGeometry(start, Qt::TopEdge | Qt::LeftEdge, {-11, -13}, minimum, maximum),
            QRect(89, 37, 311, 213));
  EXPECT_EQ(ResizedGeometry(start, Qt::BottomEdge | Qt::RightEdge, {-7, 5}, minimum, maximum),
            QRect(100, 50, 293, 205));
  // Shrinking past the minimum stops there, the opposite edge staying put.
  EXPECT_EQ(ResizedGeometry(start, Qt::LeftEdge, {500, 0}, minimum, maximum), QRect(280, 50, 120, 200));
  EXPECT_EQ(ResizedGeometry(start, Qt::TopEdge, {0, 500}, minimum, maximum), QRect(100, 170, 300, 80));
  EXPECT_EQ(ResizedGeometry(start, Qt::RightEdge, {90, 0}, minimum, QSize(350, 400)), QRect(100, 50, 350, 200));
}

TEST(FrameRegion, TransparentBordersCutTheirMagentaPixelsAndOpaqueOnesKeepTheRectangle) {
  const TFrameMetrics m{4, 20, 3, 5, 0};
  const QSize size(100, 60);
  FrameSpec opaque;
  opaque.magentaCorners = true;
  EXPECT_EQ(FrameRegion(size, m, Elements(opaque), true, fkFixed, {}), QRegion(0, 0, 100, 60));

  FrameSpec trans = opaque;
  trans.leftTrans = trans.rightTrans = trans.bottomTrans = 1;
  const QRegion r = FrameRegion(size, m, Elements(trans), true, fkFixed, {});
  EXPECT_FALSE(r.contains(QPoint(0, 0)));    // the left border's magenta corner
  EXPECT_TRUE(r.contains(QPoint(1, 0)));
  EXPECT_FALSE(r.contains(QPoint(97, 0)));   // the right border's
  EXPECT_TRUE(r.contains(QPoint(98, 0)));
  EXPECT_TRUE(r.contains(QPoint(96, 0)));
  // The bottom border's bottom-left pixel, stretched from 60 to 93 columns: two columns.
  EXPECT_FALSE(r.contains(QPoint(4, 59)));
  EXPECT_FALSE(r.contains(QPoint(5, 59)));
  EXPECT_TRUE(r.contains(QPoint(6, 59)));
  EXPECT_TRUE(r.contains(QPoint(4, 58)));
  EXPECT_TRUE(r.contains(QPoint(50, 30)));   // the client
  EXPECT_TRUE(r.contains(QPoint(50, 0)));    // the opaque top
  EXPECT_EQ(r.boundingRect(), QRect(0, 0, 100, 60));
  // A window one pixel high keeps its side borders whole.
  const QRegion flat = FrameRegion(QSize(100, 1), m, Elements(trans), true, fkFixed, {});
  EXPECT_TRUE(flat.contains(QPoint(0, 0)));
  EXPECT_TRUE(flat.contains(QPoint(97, 0)));
  // Only the left border transparent: the right one is kept whole.
  FrameSpec leftOnly = opaque;
  leftOnly.leftTrans = 1;
  const QRegion l = FrameRegion(size, m, Elements(leftOnly), true, fkFixed, {});
  EXPECT_FALSE(l.contains(QPoint(0, 0)));
  EXPECT_TRUE(l.contains(QPoint(97, 0)));

  // A transparent top takes its magenta from the caption strip when there is one.
  FrameSpec top = opaque;
  top.topTrans = 1;
  QImage strip(100, 20, QImage::Format_RGB32);
  strip.fill(top.top);
  strip.setPixel(10, 0, qRgb(255, 0, 255));
  strip.setPixel(11, 0, qRgb(255, 1, 255));  // within the tolerance of one
  strip.setPixel(12, 0, qRgb(255, 2, 255));
  const QRegion cut = FrameRegion(size, m, Elements(top), true, fkFixed, strip);
  EXPECT_FALSE(cut.contains(QPoint(10, 0)));
  EXPECT_FALSE(cut.contains(QPoint(11, 0)));
  EXPECT_TRUE(cut.contains(QPoint(12, 0)));
  EXPECT_TRUE(cut.contains(QPoint(50, 0)));
  // A top border one pixel high is kept whole.
  const TFrameMetrics thin{4, 1, 3, 5, 0};
  EXPECT_TRUE(FrameRegion(size, thin, Elements(top), true, fkFixed, strip).contains(QPoint(10, 0)));
  // Without a strip, the top border's own image, which has no magenta.
  EXPECT_EQ(FrameRegion(size, m, Elements(top), true, fkFixed, {}), QRegion(0, 0, 100, 60));

  // Only the bottom border transparent: 2 x Left + Right + Top is 0, a plain rectangle.
  FrameSpec bottomOnly = opaque;
  bottomOnly.bottomTrans = 1;
  EXPECT_EQ(FrameRegion(size, m, Elements(bottomOnly), true, fkFixed, {}), QRegion(0, 0, 100, 60));
}

TEST(FramePaint, BordersDrawTheActiveFrameOrTheInactiveOneAndLeaveTheClientClear) {
  FrameSpec spec;
  const TSkinElements& e = Elements(spec);
  TFrameScene scene;
  scene.size = {120, 80};
  scene.metrics = ComputeFrameMetrics(e, fkFixed);
  scene.font = toolkit::MakeFont(QStringLiteral("宋体"), 12, true);
  for (bool active : {true, false}) {
    SCOPED_TRACE(active ? "active" : "inactive");
    scene.active = active;
    const QImage f = ComposeFrame(scene, e);
    ASSERT_EQ(f.size(), QSize(120, 80));
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(Is(f, x, 50, active ? spec.left : spec.leftInactive)) << x;
    EXPECT_EQ(qAlpha(f.pixel(4, 50)), 0);
    EXPECT_EQ(qAlpha(f.pixel(116, 50)), 0);
    for (int x = 117; x < 120; ++x) EXPECT_TRUE(Is(f, x, 50, active ? spec.right : spec.rightInactive)) << x;
    for (int y = 75; y < 80; ++y) EXPECT_TRUE(Is(f, 60, y, active ? spec.bottom : spec.bottomInactive)) << y;
    EXPECT_EQ(qAlpha(f.pixel(60, 74)), 0);
    // The caption strip: the top border between the side borders, the side borders at its ends.
    EXPECT_TRUE(Is(f, 110, 19, active ? spec.top : spec.topInactive));
    EXPECT_TRUE(Is(f, 3, 10, active ? spec.left : spec.leftInactive));
    EXPECT_TRUE(Is(f, 117, 10, active ? spec.right : spec.rightInactive));
    EXPECT_EQ(qAlpha(f.pixel(60, 20)), 0);
  }
  // A border with one frame draws it for the inactive window too.
  TDataSkinBorder single = e.FrameLeft;
  single.FrameCount = 1;
  single.Image = e.FrameLeft.Image.copy(0, 0, 4, e.FrameLeft.Image.height());
  EXPECT_TRUE(ComposeBorder(single, {4, 50}, false, false).pixelColor(1, 25) == spec.left);
}

TEST(CaptionButtons, TheThreeVisibilityRules) {
  TCaptionContext c;
  c.caps = {true, true, true, false};
  // Rule A.
  EXPECT_TRUE(VisibilityRuleA(0, 0, c, 0));
  TCaptionContext noMenu = c;
  noMenu.caps.SystemMenu = false;
  EXPECT_FALSE(VisibilityRuleA(0, 0, noMenu, 0));  // a close button needs the system menu
  EXPECT_TRUE(VisibilityRuleA(0, 2, noMenu, 0));
  c.maximized = true;
  EXPECT_TRUE(VisibilityRuleA(1, 1, c, 0));
  EXPECT_FALSE(VisibilityRuleA(2, 1, c, 0));
  c.maximized = false;
  c.active = false;
  EXPECT_FALSE(VisibilityRuleA(3, 5, c, 0));
  EXPECT_TRUE(VisibilityRuleA(4, 5, c, 0));
  EXPECT_TRUE(VisibilityRuleA(6, 5, c, 0));
  EXPECT_FALSE(VisibilityRuleA(6, 5, noMenu, 0));
  EXPECT_FALSE(VisibilityRuleA(7, 5, c, 0));
  EXPECT_FALSE(VisibilityRuleA(9, 5, c, 0));
  EXPECT_TRUE(VisibilityRuleA(8, 5, c, 0));
  EXPECT_FALSE(VisibilityRuleA(8, 5, noMenu, 0));
  TCaptionContext noMinimize = c;
  noMinimize.caps.Minimize = false;
  EXPECT_TRUE(VisibilityRuleA(9, 5, noMinimize, 0));
  EXPECT_FALSE(VisibilityRuleA(100, 5, c, 0));
  TCaptionContext mdi = c;  // a maximised MDI child's buttons need a menu bar
  mdi.mdiChildMaximized = true;
  EXPECT_FALSE(VisibilityRuleA(100, 5, mdi, 0));
  mdi.M = 1;
  EXPECT_TRUE(VisibilityRuleA(100, 5, mdi, 0));
  c.kind = fkDialog;
  EXPECT_TRUE(VisibilityRuleA(200, 5, c, 0));
  c.dialogClass = true;
  EXPECT_FALSE(VisibilityRuleA(200, 5, c, 0));
  EXPECT_TRUE(VisibilityRuleA(201, 5, c, 0));
  EXPECT_TRUE(VisibilityRuleA(999, 5, c, 0));
  EXPECT_FALSE(VisibilityRuleA(5, 5, c, 0));
  EXPECT_FALSE(VisibilityRuleA(2001, 5, c, 0));
  QList<int> asked;
  c.askWindow = [&asked](int index) {
    asked.append(index);
    return index == 7;
  };
  EXPECT_TRUE(VisibilityRuleA(1000, 5, c, 7));
  EXPECT_FALSE(VisibilityRuleA(2000, 5, c, 3));
  EXPECT_FALSE(VisibilityRuleA(2001, 5, c, 7));  // past 2000 the window is not asked
  EXPECT_EQ(asked, QList<int>({7, 3}));
  // Rule B: 6 and 8 without the system-menu condition, 100 repeats rule A, 5 and above 100 hide.
  EXPECT_TRUE(VisibilityRuleB(6, false, noMenu));
  EXPECT_TRUE(VisibilityRuleB(100, true, c));
  EXPECT_FALSE(VisibilityRuleB(100, false, c));
  EXPECT_FALSE(VisibilityRuleB(5, true, c));
  EXPECT_FALSE(VisibilityRuleB(200, true, c));
  // Rule C.
  TCaptionContext cannot = c;
  cannot.caps.Maximize = cannot.caps.Minimize = false;
  EXPECT_FALSE(VisibilityRuleC(1, cannot));
  EXPECT_FALSE(VisibilityRuleC(2, cannot));
  EXPECT_TRUE(VisibilityRuleC(0, cannot));
  EXPECT_FALSE(VisibilityRuleC(3, c));  // kind 3 shows no icon
  EXPECT_FALSE(VisibilityRuleC(12, c));
  c.kind = fkFixed;
  EXPECT_TRUE(VisibilityRuleC(11, c));

  // Visibility 2 with Visibility1 6: only when not maximised and able to maximise.
  TDataSkinSysButton b;
  b.Action = 5;
  b.Visibility = 2;
  b.Visibility1 = 6;
  TCaptionContext w;
  w.caps = {true, false, true, false};
  EXPECT_TRUE(IsCaptionButtonVisible(b, 0, w));
  w.maximized = true;
  EXPECT_FALSE(IsCaptionButtonVisible(b, 0, w));
  w.maximized = false;
  w.caps.Maximize = false;
  EXPECT_FALSE(IsCaptionButtonVisible(b, 0, w));
  b.Visibility1 = 200;
  w.caps.Maximize = true;
  EXPECT_FALSE(IsCaptionButtonVisible(b, 0, w));  // never shown
}

TEST(CaptionButtons, PlacesByAlignAndFramesByStateAndActivation) {
  const TFrameMetrics m{4, 20, 3, 5, 19};
  TDataSkinSysButton b;
  b.Image = QImage(48, 10, QImage::Format_RGB32);  // four 12-pixel frames
  b.FrameCount = 4;
  b.Xcoord = 17;
  b.Ycoord = 5;
  b.Align = 0;
  EXPECT_EQ(CaptionButtonRect(b, 300, 40, 90, m, 0, false, false), QRect(17, 5, 12, 10));
  b.Align = 1;
  EXPECT_EQ(CaptionButtonRect(b, 300, 40, 90, m, 0, false, false), QRect(283, 5, 12, 10));
  b.Align = 2;
  EXPECT_EQ(CaptionButtonRect(b, 300, 40, 90, m, 0, false, false), QRect(11, 5, 12, 10));
  b.Align = 9;
  EXPECT_EQ(CaptionButtonRect(b, 300, 40, 90, m, 0, false, false), QRect(107, 5, 12, 10));
  b.Align = 100;  // centred in the menu bar: 20 + (19 - 10) / 2 = 24
  EXPECT_EQ(CaptionButtonRect(b, 300, 40, 90, m, 6, true, false), QRect(274, 24, 12, 10));
  EXPECT_EQ(CaptionButtonRect(b, 300, 40, 90, m, 6, true, true), QRect(27, 24, 12, 10));
  EXPECT_EQ(CaptionButtonRect(b, 300, 40, 90, m, 6, false, false), QRect(280, 24, 12, 10));

  EXPECT_EQ(StripButtonFrame(b, true), 1);
  EXPECT_EQ(StripButtonFrame(b, false), 4);
  b.FrameCount = 3;
  EXPECT_EQ(StripButtonFrame(b, false), 1);
  EXPECT_EQ(StateButtonFrame(b, ncsPressed), 2);
  EXPECT_EQ(StateButtonFrame(b, ncsOver), 3);
  b.Visibility = 100;
  EXPECT_EQ(StateButtonFrame(b, ncsOver), 4);
}

TFrameScene Scene(const TSkinElements& e, int W, const QString& title) {
  TFrameScene s;
  s.size = {W, 90};
  s.metrics = ComputeFrameMetrics(e, fkFixed);
  s.font = toolkit::MakeFont(QStringLiteral("宋体"), 12, true);
  s.text = QStringLiteral("  ") + title + QStringLiteral(" ");
  return s;
}

TEST(CaptionText, PlaceByAlignmentClipAndEllipsis) {
  FrameSpec spec;  // TextShift 26, TextRightClip 40
  const TSkinElements& e = Elements(spec);
  TFrameScene s = Scene(e, 400, QStringLiteral("Short"));
  const int w = QFontMetrics(s.font).horizontalAdvance(s.text);
  TCaptionTextLayout t = LayoutCaptionText(s, e, 400);
  EXPECT_EQ(t.left, 26);
  EXPECT_EQ(t.width, w);
  EXPECT_EQ(t.clipRight, 360);
  EXPECT_EQ(t.shown, s.text);
  s.kind = fkDialog;  // dialogs start 16 pixels further left
  EXPECT_EQ(LayoutCaptionText(s, e, 400).left, 10);
  s.kind = fkFixed;
  s.rightToLeft = true;  // right-to-left: always the right-aligned place
  EXPECT_EQ(LayoutCaptionText(s, e, 400).left, 400 - 40 - w);

  FrameSpec centred = spec;
  centred.textAlignment = 1;
  TFrameScene c = Scene(Elements(centred), 401, QStringLiteral("Short"));
  EXPECT_EQ(LayoutCaptionText(c, Elements(centred), 401).left, (401 - w) / 2);

  // A long caption is cut before the clip, with an ellipsis.
  TFrameScene l = Scene(e, 200, QStringLiteral("A caption far too long for a window two hundred pixels wide"));
  t = LayoutCaptionText(l, e, 200);
  EXPECT_EQ(t.clipRight, 160);
  EXPECT_LE(t.textRect.right(), 159);
  EXPECT_TRUE(t.shown.endsWith(QChar(0x2026)));
  EXPECT_LE(QFontMetrics(l.font).horizontalAdvance(t.shown), t.textRect.width());
  // Dialogs (popup windows) clip 5 pixels before the leftmost right-aligned button.
  l.popupStyle = true;
  EXPECT_EQ(LayoutCaptionText(l, e, 150).clipRight, 145);
  EXPECT_EQ(LayoutCaptionText(l, e, 8).clipRight, 160);  // a clip of 5 pixels or less is not taken
}

TEST(CaptionButtons, TheStripShowsEachVisibleButtonAtItsPlaceInTheRightFrame) {
  FrameSpec spec;
  spec.buttons = enginetest::StandardButtons(spec.T);
  spec.buttons[1].frames = 3;  // the maximise button has no inactive frame
  const TSkinElements& e = Elements(spec);
  ASSERT_EQ(e.SysButtons.size(), 8u);  // five of the skin, three for a maximised MDI child
  TFrameScene s = Scene(e, 300, QStringLiteral("W"));
  s.appIcon = QImage(16, 16, QImage::Format_RGB32);
  s.appIcon.fill(QColor(255, 0, 255));
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) s.appIcon.setPixelColor(x, y, QColor(0, 0, 200));
  TCaptionContext context;
  context.caps = {true, true, true, false};
  auto lay = [&](bool active) {
    context.active = active;
    s.active = active;
    s.buttons.clear();
    for (size_t i = 0; i < e.SysButtons.size(); ++i) {
      const TDataSkinSysButton* d = e.SysButtons[i].get();
      TCaptionButtonPaint p{d, {}, IsCaptionButtonVisible(*d, static_cast<int>(i), context), d->Action == 3};
      p.visible = p.visible && (p.showsIcon || !d->Image.isNull());
      s.buttons.push_back(p);
    }
    return ComposeFrame(s, e);
  };
  const auto& b = spec.buttons;
  const int y = b[0].ycoord + 4;
  QImage f = lay(true);
  EXPECT_TRUE(Is(f, 300 - 17, y, enginetest::ButtonFrameColour(b[0], 1)));       // close
  EXPECT_TRUE(Is(f, 300 - 17 + 11, y, enginetest::ButtonFrameColour(b[0], 1)));
  EXPECT_TRUE(Is(f, 300 - 17 + 12, y, spec.top));                                // just right of it
  EXPECT_TRUE(Is(f, 300 - 31, y, enginetest::ButtonFrameColour(b[1], 1)));       // maximise, not restore
  EXPECT_TRUE(Is(f, 300 - 45, y, enginetest::ButtonFrameColour(b[3], 1)));       // minimise
  EXPECT_TRUE(Is(f, 6 + 5, (spec.T - 16) / 2 + 5, QColor(0, 0, 200)));          // the icon
  EXPECT_TRUE(Is(f, 6, (spec.T - 16) / 2, spec.top));                            // its magenta corner
  f = lay(false);
  EXPECT_TRUE(Is(f, 300 - 17, y, enginetest::ButtonFrameColour(b[0], 4)));       // inactive frame 4
  EXPECT_TRUE(Is(f, 300 - 31, y, enginetest::ButtonFrameColour(b[1], 1)));       // three frames: frame 1
  // A pressed button shows its pressed frame in the strip.
  s.buttons[0].stateFrame = 2;
  QImage pressed = ComposeFrame(s, e);
  EXPECT_TRUE(Is(pressed, 300 - 17, y, enginetest::ButtonFrameColour(b[0], 2)));
}

}  // namespace
