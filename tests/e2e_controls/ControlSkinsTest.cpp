// The skinned controls of the real program under each of the seven skins,
// with and without a window manager, driven through xdotool on a virtual
// display: the main window with the author table and the tip window, then a
// poem long enough to scroll. The text pane's skinned bar is found on the
// screen by its arrows' pixels; its arrows, track and thumb must move the
// text exactly as the platform's own paths (the wheel) do. Every step's
// screenshot is kept in e2e-shots/skins/.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QThread>
#include <memory>
#include <optional>

#include "skin/engine/DefaultSkin.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinElements.h"
#include "tests/e2e/E2E.h"
#include "tests/e2e/SkinE2E.h"

namespace {

using e2e::Click;
using e2e::MoveTo;

// ---- where things are without the skin -------------------------------------
// The program alone on the 1280 x 900 screen (no frame, no window manager):
// the same places as the reading suite's. Under a skin everything on the left
// and at the top moves by the frame; the offset is measured on the screen
// from the era list's corner, the first pixel of its colour (16770250).
constexpr QRgb kEraListColour = 0xFFCAE4FFu;  // red 202, green 228, blue 255
QPoint AuthorItem(int index) { return {165, 214 + 33 * index}; }
QPoint RowPoint(int row) { return {320, 197 + 20 * row}; }
// The left part of the text pane, clear of the tip window in the middle.
const QRect kTextLeft(266, 336, 190, 420);
const QRect kTextPane(262, 330, 990, 500);
// The header button "软件设置", which opens the skin menu.
const QPoint kSkinButton(296, 72);

QString Tag(bool wm, int skin) {
  return QStringLiteral("skins/controls-%1-skin%2").arg(wm ? QStringLiteral("openbox") : QStringLiteral("nowm")).arg(skin);
}

// ---- the skin as the program loads it ---------------------------------------

std::unique_ptr<skin::TSkinElements> SkinElements(int n) {
  QByteArray bytes;
  if (n == 0) {
    bytes = skin::DefaultSkinBytes();
  } else {
    QFile file(QDir(e2e::BinDir()).filePath(QStringLiteral("skins/%1.skn").arg(n)));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    bytes = file.readAll();
  }
  auto e = std::make_unique<skin::TSkinElements>();
  if (!skin::LoadSkinElements(bytes, *e)) return nullptr;
  return e;
}

// An arrow of the Scrollbar element as a bar paints it: the frame stretched to
// A x t, magenta left out (pixels of the result that are magenta are skipped
// when comparing).
QImage ArrowCell(const skin::TSkinElements& e, int frame) {
  const int A = platform::Metric(platform::SM_CXHSCROLL);
  const int h = e.Scrollbar->Image.height();
  const int t = h + 3 < A ? A : h;
  QImage out(A, std::min(t, A), QImage::Format_RGB32);
  skin::StretchCopy(out, out.rect(), e.Scrollbar->Image, skin::FrameRect(e.Scrollbar->Image, false, 23, frame));
  return out;
}

bool IsKey(QRgb p) { return (p & 0xFFFFFF) == 0xFF00FF; }

bool MatchesAt(const QImage& shot, const QImage& cell, int x0, int y0) {
  if (x0 < 0 || y0 < 0 || x0 + cell.width() > shot.width() || y0 + cell.height() > shot.height()) return false;
  int compared = 0;
  for (int y = 0; y < cell.height(); ++y)
    for (int x = 0; x < cell.width(); ++x) {
      const QRgb c = cell.pixel(x, y);
      if (IsKey(c)) continue;
      if ((shot.pixel(x0 + x, y0 + y) & 0xFFFFFF) != (c & 0xFFFFFF)) return false;
      ++compared;
    }
  return compared > cell.width() * cell.height() / 3;
}

// Top-left corners where `cell` shows exactly in `area` of the screenshot.
QList<QPoint> Find(const QImage& shot, const QImage& cell, const QRect& area) {
  QList<QPoint> found;
  const QRect a = area.intersected(shot.rect());
  for (int y = a.top(); y <= a.bottom(); ++y)
    for (int x = a.left(); x <= a.right(); ++x)
      if (MatchesAt(shot, cell, x, y)) found.append({x, y});
  return found;
}

std::optional<QPoint> FirstPixel(const QImage& shot, QRgb colour) {
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if ((shot.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return QPoint(x, y);
  return std::nullopt;
}

bool SameText(const QImage& a, const QImage& b, const QRect& r) { return e2e::DifferentPixels(a, b, r) == 0; }

int Ink(const QImage& s, const QRect& r) { return e2e::CountPixels(s, r, e2e::IsDark); }

// How far the text in `r` moved up from `before` to `after`: the smallest
// shift under which every row of `after` equals the row `dy` further down in
// `before`; -1 when none does.
int TextShift(const QImage& before, const QImage& after, const QRect& r) {
  if (!before.rect().contains(r) || !after.rect().contains(r)) return -1;
  for (int dy = 1; dy < r.height() - 40; ++dy) {
    bool same = true;
    for (int y = r.top(); same && y + dy <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if ((after.pixel(x, y) & 0xFFFFFF) != (before.pixel(x, y + dy) & 0xFFFFFF)) {
          same = false;
          break;
        }
    if (same) return dy;
  }
  return -1;
}

// ---- the window manager --------------------------------------------------------

class Openbox {
 public:
  explicit Openbox(const e2e::VirtualDisplay& display) {
    process_.setProcessEnvironment(display.Environment());
    process_.start(QStringLiteral("openbox"), {});
    ok_ = process_.waitForStarted(5000);
    QThread::msleep(1000);
    ok_ = ok_ && process_.state() == QProcess::Running;
  }
  ~Openbox() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
  }
  bool Ok() const { return ok_; }

 private:
  QProcess process_;
  bool ok_ = false;
};

void Xdotool(const e2e::VirtualDisplay& display, const QStringList& args) {
  e2e::Run(display, QStringLiteral("xdotool"), args);
}

void Wheel(const e2e::VirtualDisplay& display, QPoint at, bool down, int notches) {
  Xdotool(display, {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                    QStringLiteral("--repeat"), QString::number(notches), QStringLiteral("--delay"), QStringLiteral("30"),
                    down ? QStringLiteral("5") : QStringLiteral("4")});
}

// Waits until two screenshots in a row show the same text pane, and returns
// the last.
QImage Settled(const e2e::VirtualDisplay& display, const QString& name, const QRect& pane) {
  QImage last = e2e::Shot(display, name);
  for (int i = 0; i < 30; ++i) {
    QThread::msleep(250);
    const QImage next = e2e::Shot(display, name);
    if (SameText(last, next, pane)) return next;
    last = next;
  }
  return last;
}

// ---- the suite -------------------------------------------------------------------

class ControlSkins : public ::testing::TestWithParam<std::tuple<bool, int>> {};

TEST_P(ControlSkins, TheControlsWearTheSkinAndTheTextPanesBarScrollsAsThePlatformDoes) {
  const auto [wm, n] = GetParam();
  QDir().mkpath(QDir(e2e::ShotDir()).filePath(QStringLiteral("skins")));
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QStringLiteral("0")));
  const std::unique_ptr<skin::TSkinElements> elements = SkinElements(n);
  ASSERT_NE(elements, nullptr) << "skin " << n << " does not load";
  ASSERT_TRUE(elements->Scrollbar) << "skin " << n << " has no Scrollbar element";
  const QImage up = ArrowCell(*elements, 9), down = ArrowCell(*elements, 13), downPressed = ArrowCell(*elements, 14);

  // Where the layout starts without the skin and without a window manager.
  QPoint plainOrigin;
  {
    e2e::RunningProgram plain(display, copy, {}, {QStringLiteral("--skin"), QStringLiteral("off")});
    ASSERT_TRUE(plain.Started());
    QImage s;
    ASSERT_TRUE(e2e::WaitForShot(display, Tag(wm, n) + QStringLiteral("-00-unskinned"),
                                 [](const QImage& i) { return FirstPixel(i, kEraListColour).has_value(); }, &s));
    plainOrigin = *FirstPixel(s, kEraListColour);
  }
  std::unique_ptr<Openbox> openbox;
  if (wm) {
    openbox = std::make_unique<Openbox>(display);
    ASSERT_TRUE(openbox->Ok()) << "openbox did not start";
  }

  e2e::RunningProgram program(display, copy, {}, {QStringLiteral("--skin"), QString::number(n)});
  ASSERT_TRUE(program.Started());
  // The main window with the first era's author table, the tip window on
  // top: both text boxes show skinned up arrows.
  QImage start;
  QPoint offset;
  const bool ready = e2e::WaitForShot(display, Tag(wm, n) + QStringLiteral("-01-authors-and-tip"), [&](const QImage& s) {
    const std::optional<QPoint> origin = FirstPixel(s, kEraListColour);
    if (!origin) return false;
    offset = *origin - plainOrigin;
    return Find(s, up, QRect(300, 300, 980, 400)).size() >= 2;
  }, &start);
  ASSERT_TRUE(ready) << "the skinned bars of the text pane and the tip text did not show";
  // The author table is the one shown (its rows' background, 16776699).
  EXPECT_GT(e2e::CountPixels(start, QRect(QPoint(700, 220) + offset, QSize(300, 60)),
                             [](QRgb p) { return e2e::IsColor(p, 251, 253, 255, 0); }),
            1000);

  // A long poem: 屈原's first, 离骚.
  Click(display, AuthorItem(1) + offset);
  QThread::msleep(600);
  Click(display, RowPoint(0) + offset);
  const QRect textLeft = kTextLeft.translated(offset);
  QImage poem;
  ASSERT_TRUE(e2e::WaitForShot(display, Tag(wm, n) + QStringLiteral("-02-poem"),
                               [&](const QImage& s) { return Ink(s, textLeft) > 3000; }, &poem));
  poem = Settled(display, Tag(wm, n) + QStringLiteral("-02-poem"), textLeft);

  // The text pane's bar: its arrows' places on the screen.
  const QRect paneArea(1000, kTextPane.top() + offset.y() - 8, 280, kTextPane.height() + 80);
  const QList<QPoint> ups = Find(poem, up, paneArea);
  ASSERT_FALSE(ups.isEmpty()) << "no skinned up arrow beside the text pane";
  const QPoint upAt = ups.first();
  QList<QPoint> downs = Find(poem, down, QRect(upAt.x(), upAt.y(), 1, 900 - upAt.y()));
  ASSERT_FALSE(downs.isEmpty()) << "no skinned down arrow below the up arrow";
  const QPoint downAt = downs.last();
  const int A = up.width();
  ASSERT_GT(downAt.y() - upAt.y(), 4 * A);
  const QPoint downArrow = downAt + QPoint(A / 2, up.height() / 2);
  const QPoint overText = textLeft.center();

  // One click on the down arrow scrolls one line; one notch of the wheel
  // (the platform's own path) three. (Away from the top: the first step
  // from there also takes the text's top margin.)
  Wheel(display, overText, true, 1);
  const QImage away = Settled(display, Tag(wm, n) + QStringLiteral("-03-away-from-top"), textLeft);
  Click(display, downArrow);
  const QImage line = Settled(display, Tag(wm, n) + QStringLiteral("-04-one-line"), textLeft);
  const int lineShift = TextShift(away, line, textLeft);
  EXPECT_GT(lineShift, 8) << "the down arrow did not scroll one line";
  Wheel(display, overText, true, 1);
  const QImage wheel = Settled(display, Tag(wm, n) + QStringLiteral("-04-wheel"), textLeft);
  EXPECT_EQ(TextShift(line, wheel, textLeft), 3 * lineShift) << "a wheel notch is three lines, an arrow one";

  // The pressed down arrow shows frame 14 while the button is held.
  MoveTo(display, downArrow);
  Xdotool(display, {QStringLiteral("mousedown"), QStringLiteral("1")});
  QThread::msleep(150);
  const QImage held = e2e::Shot(display, Tag(wm, n) + QStringLiteral("-05-arrow-held"));
  Xdotool(display, {QStringLiteral("mouseup"), QStringLiteral("1")});
  EXPECT_TRUE(MatchesAt(held, downPressed, downAt.x(), downAt.y())) << "the held arrow does not show frame 14";
  const QImage released = Settled(display, Tag(wm, n) + QStringLiteral("-06-arrow-released"), textLeft);
  EXPECT_TRUE(MatchesAt(released, down, downAt.x(), downAt.y())) << "the released arrow does not show frame 13";

  // A page forward on the track below the thumb, a page back on the track
  // above it: the text comes back exactly.
  Wheel(display, overText, false, 40);
  const QImage top = Settled(display, Tag(wm, n) + QStringLiteral("-07-top"), textLeft);
  Click(display, downAt + QPoint(A / 2, -6));
  const QImage paged = Settled(display, Tag(wm, n) + QStringLiteral("-08-page-forward"), textLeft);
  EXPECT_FALSE(SameText(top, paged, textLeft)) << "the track below the thumb did not page";
  Click(display, upAt + QPoint(A / 2, up.height() + 2));
  const QImage back = Settled(display, Tag(wm, n) + QStringLiteral("-09-page-back"), textLeft);
  EXPECT_TRUE(SameText(top, back, textLeft)) << "a page forward and back did not come back to the top";

  // The thumb dragged far past the end leaves the text where the wheel takes
  // it at the end, and dragged back past the start where it is at the top.
  const QPoint thumb = upAt + QPoint(A / 2, up.height() + 3);
  MoveTo(display, thumb);
  Xdotool(display, {QStringLiteral("mousedown"), QStringLiteral("1")});
  for (int y = thumb.y(); y < 899; y += 60) MoveTo(display, {thumb.x(), y});
  MoveTo(display, {thumb.x(), 899});
  QThread::msleep(200);
  const QImage dragged = e2e::Shot(display, Tag(wm, n) + QStringLiteral("-10-thumb-at-end"));
  for (int y = 899; y > 0; y -= 60) MoveTo(display, {thumb.x(), y});
  MoveTo(display, {thumb.x(), 0});
  QThread::msleep(200);
  Xdotool(display, {QStringLiteral("mouseup"), QStringLiteral("1")});
  const QImage draggedBack = Settled(display, Tag(wm, n) + QStringLiteral("-11-thumb-back"), textLeft);
  EXPECT_TRUE(SameText(top, draggedBack, textLeft)) << "the thumb dragged back did not bring the top";
  Wheel(display, overText, true, 200);
  const QImage end = Settled(display, Tag(wm, n) + QStringLiteral("-12-wheel-to-end"), textLeft);
  EXPECT_FALSE(SameText(top, end, textLeft));
  EXPECT_TRUE(SameText(end, dragged, textLeft)) << "the thumb dragged to the end did not show the end of the poem";
  // The skinned bar is still where it was, its arrows unpressed.
  EXPECT_TRUE(MatchesAt(end, up, upAt.x(), upAt.y()));
  EXPECT_TRUE(MatchesAt(end, down, downAt.x(), downAt.y()));

  // Another skin chosen from the skin menu ("软件设置", then the skin's
  // entry by the keyboard): the bar wears the new skin's arrows.
  const int other = n % 6 + 1;
  const std::unique_ptr<skin::TSkinElements> next = SkinElements(other);
  ASSERT_NE(next, nullptr);
  const QImage nextUp = ArrowCell(*next, 9);
  const QList<e2e::Window> before = skine2e::ProgramWindows(display);
  Click(display, kSkinButton + offset);
  ASSERT_TRUE(skine2e::WaitForNewProgramWindow(display, before)) << "the skin menu did not open";
  for (int i = 0; i < other; ++i) e2e::PressKey(display, QStringLiteral("Down"));
  e2e::PressKey(display, QStringLiteral("Return"));
  QImage switched;
  EXPECT_TRUE(e2e::WaitForShot(display, Tag(wm, n) + QStringLiteral("-13-switched-to-skin%1").arg(other),
                               [&](const QImage& s) { return !Find(s, nextUp, paneArea.adjusted(-40, -40, 0, 40)).isEmpty(); },
                               &switched))
      << "the text pane's bar did not take skin " << other;
  if (nextUp != up) {
    EXPECT_TRUE(Find(switched, up, paneArea.adjusted(-40, -40, 0, 40)).isEmpty());
  }
  EXPECT_TRUE(program.Running()) << program.ErrorOutput().toStdString();
}

std::string Name(const testing::TestParamInfo<std::tuple<bool, int>>& info) {
  return (std::get<0>(info.param) ? std::string("Openbox") : std::string("NoWindowManager")) + "Skin" +
         std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Skins, ControlSkins, testing::Combine(testing::Values(false, true), testing::Range(0, 7)),
                         Name);

}  // namespace
