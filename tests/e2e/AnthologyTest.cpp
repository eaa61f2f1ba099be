// The reader's anthology driven from outside under openbox, over two starts
// of the program: the first, in the stored skin, keeps three poems found by a
// title search (Ctrl+D, the info bar's mark); the second, in the skin for
// reading at night, finds them in 我的收藏, opens one from 最近阅读, draws
// random poems (Ctrl+R) and steps through the marks of a content search (F3,
// Shift+F3), and the next choice ends the marks. Shots of every step are kept
// in build/tests/e2e-shots/ as anthology-*.png.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include "data/ReaderStore.h"
#include "skin/menu/MenuBarPaint.h"
#include "skin/menu/MenuText.h"
#include "tests/e2e/E2E.h"
#include "tests/e2e/SkinE2E.h"
#include "toolkit/Fonts.h"

namespace {

using e2e::Click;
using e2e::CountPixels;
using e2e::DifferentPixels;
using e2e::PressKey;
using skine2e::kMainTitle;

const QString kMessageTitle = QStringLiteral("信息");

// Places in the main window's client area (its designed layout).
const QPoint kModeBox(89, 118);
const QPoint kKeywordBox(270, 118);
const QPoint kSearchButton(389, 118);
const QPoint kSecondRow(320, 193);
// The fifth row of the content search for 月: 邶风·日月, with 月 again and again.
const QPoint kFifthRow(320, 253);
const QRect kTableRows(258, 164, 520, 100);
const QRect kTitleColumn(262, 164, 200, 100);
const QRect kInfoBar(260, 275, 1010, 25);
const QRect kTextPane(262, 306, 990, 480);

QString ShotName(const QString& step) { return QStringLiteral("anthology-") + step; }

// The main window as a skin frames it: where its client area lies.
struct Client {
  QPoint origin;
  int width = 0;
  skine2e::Layout layout;
  QPoint At(QPoint p) const { return origin + p; }
  QRect At(const QRect& r) const { return r.translated(origin); }
  // The kept mark's place: the right end of the info bar.
  QRect MarkArea() const { return QRect(origin.x() + width - 140, At(kInfoBar).top(), 130, kInfoBar.height()); }
};

Client ClientOf(const e2e::Window& main, const skin::TSkinData& skin) {
  Client c;
  c.layout = skine2e::LayoutOf(main, skin);
  c.origin = QPoint(c.layout.bar.left(), c.layout.bar.bottom() + 1);
  c.width = c.layout.bar.width();
  return c;
}

bool Shot(const e2e::VirtualDisplay& d, const QString& step, const std::function<bool(const QImage&)>& ready, QImage* shot,
          int timeoutMs = 20000) {
  return e2e::WaitForShot(d, ShotName(step), ready, shot, e2e::Patience(timeoutMs));
}

// Light text on the night skin's dark rows: the bands of lines that hold
// some, at least four lines high (a row's one-line focus edges are no text).
int InkedBands(const QImage& s, const QRect& r) {
  int bands = 0, run = 0;
  for (int y = r.top(); y <= r.bottom() + 1; ++y) {
    const bool ink = y <= r.bottom() &&
                     CountPixels(s, QRect(r.left(), y, r.width(), 1), [](QRgb p) { return qGray(p) > 150; }) > 0;
    if (ink) {
      ++run;
      continue;
    }
    if (run >= 4) ++bands;
    run = 0;
  }
  return bands;
}

int Exactly(const QImage& s, const QRect& r, const QColor& c) {
  return CountPixels(s, r, [&](QRgb p) { return (p & 0xFFFFFF) == (c.rgb() & 0xFFFFFF); });
}

// Types the keyword into the search box and searches; xdotool's spare key
// may be dropped once, so the box is typed again until it shows ink.
bool Search(const e2e::VirtualDisplay& d, const Client& c, const QString& keyword, const QString& step) {
  bool typed = false;
  const QRect box = c.At(QRect(kKeywordBox.x() - 74, kKeywordBox.y() - 9, 150, 19));
  for (int attempt = 0; attempt < 4 && !typed; ++attempt) {
    Click(d, c.At(kKeywordBox));  // a click empties the box
    QThread::msleep(200);
    const QImage empty = e2e::Shot(d, ShotName(step + QStringLiteral("-box")));
    e2e::TypeText(d, keyword);
    QImage shot;
    typed = e2e::WaitForShot(d, ShotName(step + QStringLiteral("-typed")), [&](const QImage& s) {
      return DifferentPixels(s, empty, box) > 20;
    }, &shot, 3000);
  }
  if (!typed) return false;
  Click(d, c.At(kSearchButton));
  // Under a window manager the message is found by its own window's name.
  if (!skine2e::FindWindow(d, kMessageTitle)) {
    e2e::Shot(d, ShotName(step + QStringLiteral("-no-message")));
    return false;
  }
  PressKey(d, QStringLiteral("Return"));
  return skine2e::WindowGone(d, kMessageTitle);
}

// 功能 → 关闭 by the keyboard, and the program ends.
bool CloseByMenu(const e2e::VirtualDisplay& d, e2e::RunningProgram& program) {
  PressKey(d, QStringLiteral("alt"));
  QThread::msleep(300);
  PressKey(d, QStringLiteral("Return"));
  QThread::msleep(400);
  PressKey(d, QStringLiteral("Down"));
  PressKey(d, QStringLiteral("Down"));
  PressKey(d, QStringLiteral("Return"));
  return program.WaitForExit(e2e::Patience(15000));
}

}  // namespace

TEST(Anthology, KeptPoemsOutliveARestartWithHistoryRandomPoemsAndSearchMarks) {
  toolkit::InstallFontSubstitutes();
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  skine2e::Openbox wm(display);
  ASSERT_TRUE(wm.Ok()) << "openbox did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("0"), QStringLiteral("0")));
  const QString readerFile = QDir(copy.Dir()).filePath(QStringLiteral("reader.db"));
  QImage shot;

  // ---- the first start, in the stored skin: three poems kept ----------------------
  {
    e2e::RunningProgram program(display, copy, {}, {QStringLiteral("--skin"), QStringLiteral("0")});
    ASSERT_TRUE(program.Started());
    const std::optional<e2e::Window> main = skine2e::FindWindow(display, kMainTitle);
    ASSERT_TRUE(main);
    const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(0);
    const Client c = ClientOf(*main, *skin);
    ASSERT_TRUE(Shot(display, QStringLiteral("1-00-start"), [&](const QImage& s) {
      return e2e::IsColorAt(s, c.At(QPoint(60, 576)), 202, 228, 255);
    }, &shot)) << program.ErrorOutput().toStdString();
    EXPECT_FALSE(QFileInfo::exists(readerFile)) << "the reader's data is opened when first needed";
    const QImage start = shot;
    ASSERT_TRUE(Search(display, c, QStringLiteral("月"), QStringLiteral("1-01-search"))) << "the title search did not run";
    ASSERT_TRUE(Shot(display, QStringLiteral("1-02-found"), [&](const QImage& s) {
      return DifferentPixels(s, start, c.At(kTableRows)) > 200;
    }, &shot));
    Click(display, c.At(kSecondRow));
    for (int kept = 0; kept < 3; ++kept) {
      QImage shown;
      ASSERT_TRUE(Shot(display, QStringLiteral("1-%1-poem").arg(3 + 2 * kept, 2, 10, QLatin1Char('0')), [&](const QImage& s) {
        return CountPixels(s, c.At(kTextPane), e2e::IsDark) > 200 && DifferentPixels(s, shot, c.At(kTextPane)) > 100;
      }, &shown)) << "poem " << kept << " did not show";
      PressKey(display, QStringLiteral("ctrl+d"));
      ASSERT_TRUE(Shot(display, QStringLiteral("1-%1-kept").arg(4 + 2 * kept, 2, 10, QLatin1Char('0')), [&](const QImage& s) {
        return DifferentPixels(s, shown, c.MarkArea()) > 30;
      }, &shot)) << "no mark for kept poem " << kept;
      if (kept < 2) PressKey(display, QStringLiteral("Down"));
    }
    ASSERT_TRUE(CloseByMenu(display, program)) << "the program did not end";
  }
  {
    const std::unique_ptr<data::ReaderStore> store = data::ReaderStore::Open(readerFile);
    EXPECT_EQ(store->Favourites().size(), 3u);
    EXPECT_EQ(store->History().size(), 3u);
  }

  // ---- the second start, at night --------------------------------------------------
  e2e::RunningProgram program(display, copy, {}, {QStringLiteral("--skin"), QStringLiteral("7")});
  ASSERT_TRUE(program.Started());
  const std::optional<e2e::Window> main = skine2e::FindWindow(display, kMainTitle);
  ASSERT_TRUE(main);
  const std::unique_ptr<skin::TSkinData> skin = skine2e::LoadSkin(7);
  const skin::TSkinColours& colours = skin->Elements().Colours;
  const QColor window = platform::ToQColor(platform::ColorToRGB(colours.Window));
  const QColor mark = platform::ToQColor(platform::ColorToRGB(colours.Hilight));
  const QColor tint((mark.red() + 2 * window.red()) / 3, (mark.green() + 2 * window.green()) / 3,
                    (mark.blue() + 2 * window.blue()) / 3);
  const Client c = ClientOf(*main, *skin);
  // The pane and the lists are dark too.
  ASSERT_TRUE(Shot(display, QStringLiteral("2-00-night"), [&](const QImage& s) {
    return Exactly(s, c.At(QRect(600, 600, 100, 100)), window) == 100 * 100 &&
           e2e::IsColorAt(s, c.At(QPoint(60, 576)), window.red(), window.green(), window.blue(), 0);
  }, &shot)) << program.ErrorOutput().toStdString();

  // 我的收藏: the three kept poems in the poem table.
  PressKey(display, QStringLiteral("ctrl+shift+d"));
  ASSERT_TRUE(Shot(display, QStringLiteral("2-01-kept"), [&](const QImage& s) {
    return InkedBands(s, c.At(kTitleColumn)) == 3;
  }, &shot)) << InkedBands(shot, c.At(kTitleColumn)) << " rows";

  // The 收藏 menu, dark like the rest, under its bar entry.
  const std::vector<skin::TMenuBarEntry> entries = {{QStringLiteral("功能")}, {QStringLiteral("菜单")},
                                                    {QStringLiteral("阅读")}, {QStringLiteral("收藏")}};
  const QRect entry =
      skin::LayoutMenuBarItems(entries, *c.layout.e, c.layout.bar.size(), skin::MenuFont(), false)[3].translated(
          c.layout.bar.topLeft());
  Click(display, entry.center());
  const std::optional<e2e::Window> menu = skine2e::MenuAt(display, QPoint(entry.left(), c.layout.bar.bottom() + 1));
  ASSERT_TRUE(menu) << "no menu under 收藏";
  ASSERT_TRUE(Shot(display, QStringLiteral("2-02-menu"), [&](const QImage& s) {
    const QRect r = menu->geometry;
    return CountPixels(s, r, [](QRgb p) { return qGray(p) < 80; }) > r.width() * r.height() * 7 / 10 &&
           CountPixels(s, r, [](QRgb p) { return qGray(p) > 150; }) > 200;
  }, &shot)) << "the menu is not dark with light entries";
  PressKey(display, QStringLiteral("Escape"));
  PressKey(display, QStringLiteral("Escape"));
  QThread::msleep(300);

  // A kept poem opened from the list, then one from 最近阅读.
  QImage before = e2e::Shot(display, ShotName(QStringLiteral("2-03-before")));
  Click(display, c.At(kSecondRow));
  ASSERT_TRUE(Shot(display, QStringLiteral("2-03-kept-poem"), [&](const QImage& s) {
    return DifferentPixels(s, before, c.At(kTextPane)) > 200;
  }, &shot));
  before = shot;
  PressKey(display, QStringLiteral("ctrl+h"));
  ASSERT_TRUE(Shot(display, QStringLiteral("2-04-history"), [&](const QImage& s) {
    return InkedBands(s, c.At(kTitleColumn)) == 3 && DifferentPixels(s, before, c.At(kTableRows)) > 50;
  }, &shot)) << InkedBands(shot, c.At(kTitleColumn)) << " rows";
  before = shot;
  Click(display, c.At(kSecondRow) + QPoint(0, 1));
  PressKey(display, QStringLiteral("End"));
  ASSERT_TRUE(Shot(display, QStringLiteral("2-05-history-poem"), [&](const QImage& s) {
    return DifferentPixels(s, before, c.At(kTextPane)) > 200;
  }, &shot));

  // Two random poems, each alone in the table.
  for (int draw = 0; draw < 2; ++draw) {
    before = shot;
    PressKey(display, QStringLiteral("ctrl+r"));
    ASSERT_TRUE(Shot(display, QStringLiteral("2-%1-random").arg(6 + draw, 2, 10, QLatin1Char('0')), [&](const QImage& s) {
      return InkedBands(s, c.At(kTitleColumn)) == 1 && DifferentPixels(s, before, c.At(kTextPane)) > 200;
    }, &shot)) << "random poem " << draw;
  }

  // A content search for 月: the hits marked in the table and the pane; F3
  // and Shift+F3 move the strongest mark.
  // The mode box's third entry, 按诗内容搜索, by the keyboard.
  Click(display, c.At(kModeBox));
  PressKey(display, QStringLiteral("Down"));
  PressKey(display, QStringLiteral("Down"));
  QThread::msleep(300);
  ASSERT_TRUE(Search(display, c, QStringLiteral("月"), QStringLiteral("2-08-search"))) << "the content search did not run";
  before = e2e::Shot(display, ShotName(QStringLiteral("2-09-before")));
  Click(display, c.At(kFifthRow));
  ASSERT_TRUE(Shot(display, QStringLiteral("2-09-marked"), [&](const QImage& s) {
    return Exactly(s, c.At(kTextPane), tint) > 40 && Exactly(s, c.At(kTableRows), mark) > 40;
  }, &shot)) << "no marks: " << Exactly(shot, c.At(kTextPane), tint) << " in the pane, "
             << Exactly(shot, c.At(kTableRows), mark) << " in the table";
  EXPECT_EQ(Exactly(shot, c.At(kTextPane), mark), 0) << "a current mark before F3";
  PressKey(display, QStringLiteral("F3"));
  QImage first;
  ASSERT_TRUE(Shot(display, QStringLiteral("2-10-f3"), [&](const QImage& s) {
    return Exactly(s, c.At(kTextPane), mark) > 40;
  }, &first));
  PressKey(display, QStringLiteral("F3"));
  QImage second;
  const bool moved = Shot(display, QStringLiteral("2-11-f3-again"), [&](const QImage& s) {
    return Exactly(s, c.At(kTextPane), mark) > 40 && DifferentPixels(s, first, c.At(kTextPane)) > 40;
  }, &second);
  PressKey(display, QStringLiteral("shift+F3"));
  QImage back;
  ASSERT_TRUE(Shot(display, QStringLiteral("2-12-shift-f3"), [&](const QImage& s) {
    return moved ? e2e::SameRegion(s, c.At(kTextPane), first, c.At(kTextPane))
                 : Exactly(s, c.At(kTextPane), mark) > 40;
  }, &back));
  EXPECT_TRUE(moved) << "F3 did not move to the next mark";

  // The next choice ends the marks.
  PressKey(display, QStringLiteral("ctrl+r"));
  ASSERT_TRUE(Shot(display, QStringLiteral("2-13-unmarked"), [&](const QImage& s) {
    return DifferentPixels(s, back, c.At(kTextPane)) > 200 && Exactly(s, c.At(kTextPane), tint) == 0 &&
           Exactly(s, c.At(kTextPane), mark) == 0;
  }, &shot));
  EXPECT_TRUE(CloseByMenu(display, program)) << "the program did not end";
}
