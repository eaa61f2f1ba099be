// Details only the real window shows, driven from outside through xdotool: the
// header buttons' hot look once a dialog or a menu had the pointer, the info bar
// beside the form label, Tab in the text pane, and the tip window's frame under
// a window manager. Screenshots of each step go to build/tests/e2e-shots/.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QThread>
#include <optional>

#include "tests/e2e/E2E.h"

namespace {

using e2e::Click;
using e2e::CountPixels;
using e2e::DifferentPixels;
using e2e::IsColor;
using e2e::IsColorAt;

const QString kMainTitle = QStringLiteral("Cinnabarquillpad V2014 build 09.01");
const QString kTipTitle = QStringLiteral("每日一贴");
const QString kMessageTitle = QStringLiteral("信息");

// Without a window manager the main window covers the 1280x900 screen below
// nothing: the menu bar takes 24 pixels, the header's 65x65 buttons sit 16
// pixels lower, their caption 48 pixels inside.
const QPoint kSetupButton(296, 72);    // "软件设置", opens the skin menu
const QPoint kUpgradeButton(456, 72);  // "软件升级", asks before opening the home page
const QRect kSetupCaption(266, 84, 60, 20);
const QRect kUpgradeCaption(426, 84, 60, 20);
const QPoint kAwayFromButtons(700, 600);  // over the text pane
const QPoint kKeywordBox(270, 142);
const QRect kKeywordArea(196, 133, 150, 19);
const QPoint kSearchButton(389, 142);
const QPoint kFirstRow(320, 197);
const QRect kInfoBar(260, 299, 1010, 25);
const QRect kTextPane(262, 330, 990, 500);
// The message box's "否" button, from the box's bottom-right corner.
const QPoint kNoFromBottomRight(-51, -23);

// The hot caption is bold in blue (0, 0, 225); at rest it is dark grey ink.
bool IsHotInk(QRgb p) { return qBlue(p) > 150 && qRed(p) < 90 && qGreen(p) < 90; }
bool IsInfoBarInk(QRgb p) { return qRed(p) > 100 && qRed(p) < 180 && qGreen(p) < 60 && qBlue(p) < 60; }

bool WaitForMainWindow(const e2e::VirtualDisplay& display, const QString& shotName, QImage* shot) {
  if (!e2e::WaitForWindow(display, kMainTitle, 20000)) return false;
  return e2e::WaitForShot(display, shotName, [](const QImage& s) {
    return IsColorAt(s, QPoint(60, 600), 202, 228, 255) && IsColorAt(s, QPoint(600, 140), 243, 232, 255);
  }, shot, 20000);
}

// The program on its own display, from a copy of its directory.
class WindowDetails : public ::testing::Test {
 protected:
  e2e::VirtualDisplay display;
  std::optional<e2e::WindowManager> manager;
  e2e::ProgramCopy copy;
  std::optional<e2e::RunningProgram> program;

  // Starts the program, with the tip window at start-up or not; under openbox when asked.
  void Start(const QString& tipAtStart, bool underWindowManager = false) {
    ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
    if (underWindowManager) {
      manager.emplace(display);
      ASSERT_TRUE(manager->Ok()) << "openbox did not start";
    }
    ASSERT_TRUE(copy.Ok()) << "cannot copy " << e2e::BinDir().toStdString();
    ASSERT_TRUE(copy.SetTipSettings(tipAtStart, QStringLiteral("0")));
    program.emplace(display, copy, QProcessEnvironment(), e2e::kUnskinned);
    ASSERT_TRUE(program->Started());
  }
};

// Whether the caption in `caption` shows the hot look, waiting up to `timeoutMs` for it.
bool ShowsHot(const e2e::VirtualDisplay& display, const QRect& caption, const QString& shotName, int timeoutMs) {
  QImage shot;
  return e2e::WaitForShot(display, shotName, [&](const QImage& s) { return CountPixels(s, caption, IsHotInk) > 20; },
                          &shot, timeoutMs);
}

}  // namespace

// A header button clicked opens a dialog or a menu that takes the pointer; once
// it is answered elsewhere the button is no longer hot, with no pass of the
// pointer over it needed.
TEST_F(WindowDetails, HeaderButtonsLoseTheHotLookOnceADialogOrMenuHadThePointer) {
  ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("0")));
  QImage start;
  ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("hot-01-start"), &start)) << program->ErrorOutput().toStdString();
  EXPECT_EQ(CountPixels(start, kUpgradeCaption, IsHotInk), 0);

  // Over the button it turns hot; clicked, it asks with a message box.
  e2e::MoveTo(display, kUpgradeButton - QPoint(5, 0));
  e2e::MoveTo(display, kUpgradeButton);
  ASSERT_TRUE(ShowsHot(display, kUpgradeCaption, QStringLiteral("hot-02-over-upgrade"), 5000));
  e2e::Click(display, kUpgradeButton);
  const std::optional<e2e::Window> box = e2e::WaitForWindow(display, kMessageTitle);
  ASSERT_TRUE(box.has_value()) << "no message box";
  // Clicked only once it shows its text and buttons.
  QImage asked;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("hot-03-asked"), [&](const QImage& s) {
    return CountPixels(s, box->geometry, e2e::IsDark) > 100;
  }, &asked));
  // Answered No with the mouse, then the pointer rests away from the buttons.
  Click(display, box->geometry.bottomRight() + kNoFromBottomRight);
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kMessageTitle));
  e2e::MoveTo(display, kAwayFromButtons);
  EXPECT_FALSE(ShowsHot(display, kUpgradeCaption, QStringLiteral("hot-04-answered"), 0));
  QThread::msleep(800);
  EXPECT_FALSE(ShowsHot(display, kUpgradeCaption, QStringLiteral("hot-05-after-a-while"), 0))
      << "the button kept its hot look after the dialog";

  // The skin menu, closed by a click beside it.
  e2e::MoveTo(display, kSetupButton - QPoint(5, 0));
  e2e::MoveTo(display, kSetupButton);
  ASSERT_TRUE(ShowsHot(display, kSetupCaption, QStringLiteral("hot-06-over-setup"), 5000));
  const QImage before = e2e::Shot(display, QStringLiteral("hot-06-over-setup"));
  e2e::Click(display, kSetupButton);
  QImage menu;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("hot-07-menu"), [&](const QImage& s) {
    return DifferentPixels(s, before, QRect(kSetupButton, QSize(120, 140))) > 500;
  }, &menu)) << "no skin menu";
  e2e::Click(display, kAwayFromButtons);
  QImage closed;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("hot-08-menu-closed"), [&](const QImage& s) {
    return DifferentPixels(s, menu, QRect(kSetupButton, QSize(120, 140))) > 500;
  }, &closed));
  QThread::msleep(800);
  EXPECT_FALSE(ShowsHot(display, kSetupCaption, QStringLiteral("hot-09-after-the-menu"), 0))
      << "the button kept its hot look after the menu";
}

// A long title: the info-bar text stops with an ellipsis before the form label,
// which keeps its place; Tab in the text pane types nothing into the poem.
TEST_F(WindowDetails, InfoBarStopsBeforeTheFormLabelAndTabLeavesThePoemAlone) {
  ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("0")));
  QImage start;
  ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("infobar-01-start"), &start));

  // Title search for a poem whose title is far longer than the info bar's room.
  // Typing characters outside the keyboard map can lose one on a busy machine:
  // the box (which a click empties) must show all four before the search.
  bool typed = false;
  for (int attempt = 0; attempt < 3 && !typed; ++attempt) {
    Click(display, kKeywordBox);
    e2e::TypeText(display, QStringLiteral("兄弟离散"));
    QImage box;
    typed = e2e::WaitForShot(display, QStringLiteral("infobar-02-keyword"), [](const QImage& s) {
      return e2e::InkBox(s, kKeywordArea, e2e::IsDark).width() >= 4 * 15 - 4;
    }, &box, 3000);
  }
  ASSERT_TRUE(typed) << "the keyword did not arrive whole";
  Click(display, kSearchButton);
  const std::optional<e2e::Window> found = e2e::WaitForWindow(display, kMessageTitle);
  ASSERT_TRUE(found.has_value()) << "no found message";
  QImage message;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("infobar-03-found"), [&](const QImage& s) {
    return CountPixels(s, found->geometry, e2e::IsDark) > 100;
  }, &message));
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kMessageTitle));
  const QImage listed = e2e::Shot(display, QStringLiteral("infobar-04-hit"));
  Click(display, kFirstRow);
  QImage poem;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("infobar-05-poem"), [&](const QImage& s) {
    return DifferentPixels(s, listed, kTextPane) > 500 && CountPixels(s, kInfoBar, IsInfoBarInk) > 200;
  }, &poem));

  // Where the form label starts: at start-up it is the info bar's only ink ("诗词").
  const QRect startLabel = e2e::InkBox(start, kInfoBar, IsInfoBarInk);
  ASSERT_TRUE(startLabel.isValid()) << "no form label at start";
  const int labelLeft = startLabel.left();
  const QRect label = e2e::InkBox(poem, QRect(labelLeft, kInfoBar.top(), kInfoBar.right() - labelLeft, kInfoBar.height()),
                                  IsInfoBarInk);
  EXPECT_EQ(label.left(), labelLeft) << "the form label moved";
  EXPECT_GT(label.width(), 100) << "the form label does not show the form";
  // The text ends a few pixels before the label, and reaches close to it: at
  // most the gap, the ellipsis's full-width cell and a character that did not fit.
  const QRect text =
      e2e::InkBox(poem, QRect(kInfoBar.left(), kInfoBar.top(), labelLeft - kInfoBar.left(), kInfoBar.height()), IsInfoBarInk);
  ASSERT_TRUE(text.isValid());
  EXPECT_GE(labelLeft - text.right(), 6) << "the text runs up to the form label";
  EXPECT_LE(labelLeft - text.right(), 8 + 13 + 13 + 6) << "the text stops far before the form label";

  // Tab at the start of the poem moves the focus on; the poem keeps its lines.
  Click(display, QPoint(kTextPane.left() + 40, kTextPane.top() + 8));
  e2e::PressKey(display, QStringLiteral("Home"));
  QThread::msleep(300);
  const QImage typedBefore = e2e::Shot(display, QStringLiteral("infobar-06-caret"));
  e2e::PressKey(display, QStringLiteral("Tab"));
  QThread::msleep(500);
  const QImage typedAfter = e2e::Shot(display, QStringLiteral("infobar-07-tab"));
  // A tab would move the whole first line; the caret alone changes a few pixels.
  EXPECT_LT(DifferentPixels(typedBefore, typedAfter, QRect(kTextPane.topLeft(), QSize(kTextPane.width(), 20))), 60)
      << "Tab changed the poem";
}

// Under a window manager the tip window asks for a close box only, and a
// minimise the manager offers anyway does not keep it down.
TEST_F(WindowDetails, TipWindowFrameOffersOnlyTheCloseBoxUnderAWindowManager) {
  ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("1"), true));
  const QString tip = e2e::WaitForClientWindow(display, kTipTitle);
  ASSERT_FALSE(tip.isEmpty()) << "no tip window";
  QThread::msleep(1000);
  e2e::Shot(display, QStringLiteral("frame-01-tip-window"));

  // The request: Motif hints with functions and decorations but neither
  // minimise (functions 8, decorations 32) nor maximise (16, 64).
  const QString motif = e2e::WindowProperty(display, tip, QStringLiteral("_MOTIF_WM_HINTS"));
  const QStringList words = motif.section(u'=', 1).split(u',', Qt::SkipEmptyParts);
  ASSERT_GE(words.size(), 3) << motif.toStdString();
  const uint flags = words[0].trimmed().toUInt(nullptr, 16);
  const uint functions = words[1].trimmed().toUInt(nullptr, 16);
  const uint decorations = words[2].trimmed().toUInt(nullptr, 16);
  EXPECT_EQ(flags & 3u, 3u) << motif.toStdString();
  EXPECT_EQ(functions & 0x20u, 0x20u) << "no close function: " << motif.toStdString();
  EXPECT_EQ(functions & 0x18u, 0u) << motif.toStdString();
  EXPECT_EQ(decorations & 0x60u, 0u) << motif.toStdString();
  // The manager's answer: closing and moving, no resizing or maximising.
  const QString actions = e2e::WindowProperty(display, tip, QStringLiteral("_NET_WM_ALLOWED_ACTIONS"));
  EXPECT_TRUE(actions.contains(QStringLiteral("_NET_WM_ACTION_CLOSE"))) << actions.toStdString();
  EXPECT_FALSE(actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE"))) << actions.toStdString();
  EXPECT_FALSE(actions.contains(QStringLiteral("_NET_WM_ACTION_RESIZE"))) << actions.toStdString();

  // Minimised through the manager, the tip window never stays down alone
  // while the main window is up: it comes back by itself, or the manager took
  // its owner along (openbox iconifies a transient window's whole family) and
  // both come back with the main window.
  const QString main = e2e::WaitForClientWindow(display, kMainTitle);
  ASSERT_FALSE(main.isEmpty());
  e2e::Run(display, QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), tip});
  QThread::msleep(300);
  const auto shown = [&](const QString& id) {
    return e2e::IsViewable(display, id) &&
           e2e::WindowProperty(display, id, QStringLiteral("WM_STATE")).contains(QStringLiteral("Normal"));
  };
  QDeadlineTimer deadline(5000);
  while (!shown(tip) && shown(main) && !deadline.hasExpired()) QThread::msleep(100);
  if (!shown(main)) {
    e2e::Run(display, QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), main});
    deadline = QDeadlineTimer(5000);
    while (!(shown(tip) && shown(main)) && !deadline.hasExpired()) QThread::msleep(100);
  }
  const bool back = shown(tip) && shown(main);
  e2e::Shot(display, QStringLiteral("frame-02-after-minimise"));
  EXPECT_TRUE(back) << "the tip window stayed minimised";
  EXPECT_TRUE(program->Running());
}
