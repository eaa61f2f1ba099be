// The reading program driven from outside: real mouse moves, clicks, typing and
// keys through xdotool on its own Xvfb display, checked on screenshots, on the
// windows the X server reports, on the WAV file the voice writes and on
// setup.ini. Every step keeps its screenshot in build/tests/e2e-shots/.
#include <gtest/gtest.h>
#include <iconv.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "tests/e2e/E2E.h"

namespace {

using e2e::Click;
using e2e::CountPixels;
using e2e::DifferentPixels;
using e2e::IsColor;
using e2e::IsColorAt;
using e2e::InkBox;
using e2e::IsDark;
using e2e::SameRegion;

const QString kMainTitle = QStringLiteral("Cinnabarquillpad V2014 build 09.01");
const QString kTipTitle = QStringLiteral("每日一贴");
const QString kAppTitle = QStringLiteral("Cinnabarquillpad");  // the hint window takes the application title
const QString kMessageTitle = QStringLiteral("信息");
using e2e::kUnskinned;

// ---- where things are --------------------------------------------------------
// The main window is maximised over the 1280x900 screen at (0, 0) (there is no
// window manager): a 24-pixel menu bar, the 137-pixel header with its 41-pixel
// search strip at the bottom, the 252-pixel bar panel on the left (era bar 123
// wide, then the author bar), and on the right the 128-pixel table, the info
// bar, the text pane and the speech bar above the 25-pixel status bar.
const QPoint kMenuFunctions(22, 12);   // "功能"
const QPoint kMenuClose(46, 80);       // its entry "关闭"
const QPoint kTipButton(377, 72);      // header button "每日一贴"
const QPoint kModeBox(60, 142);        // ComboBox1
const QPoint kKeywordBox(270, 142);    // Edit1
const QPoint kSearchButton(389, 142);  // Button1 "搜索"
const QPoint kTitleHeader(360, 176);   // first column header of the poem table
const QPoint kSpeakButton(305, 852);   // "朗读"
const QRect kKeywordArea(196, 133, 150, 19);
const QRect kModeArea(12, 133, 130, 19);
const QRect kEraCaption(6, 168, 116, 26);
const QRect kAuthorCaption(129, 168, 116, 26);
const QRect kAuthorList(129, 198, 110, 640);
const QRect kInfoBar(260, 299, 1010, 25);
const QRect kTextPane(262, 330, 990, 500);
const QRect kTableRows(258, 188, 1000, 100);
const QPoint kTableBackground(1000, 270);  // right of the last column, inside the table
const QPoint kEraListBackground(60, 600);
// Longer than the double-click time (400 ms by default).
constexpr int kDoubleClickPauseMs = 700;

// Bar items: the first caption's centre line and the item pitch (item spacing 12).
QPoint EraItem(int index) { return {40, 214 + 33 * index}; }
QPoint AuthorItem(int index) { return {165, 214 + 33 * index}; }
// Table rows are 20 pixels from y 187; the strip inside a row's focus frame.
QRect RowStrip(int row) { return {260, 189 + 20 * row, 520, 16}; }
QPoint RowPoint(int row) { return {320, 197 + 20 * row}; }

// The tip window's controls, relative to its client area.
const QPoint kTipPrevious(232, 28);
const QPoint kTipNext(282, 28);
const QPoint kTipExit(269, 236);
const QPoint kTipCheckBox(22, 232);
const QRect kTipContent(4, 20, 200, 30);  // the title; the text box is checked separately
const QRect kTipText(4, 58, 300, 150);
const QRect kTipCheckArea(16, 225, 14, 14);

// Table background colours: the author table 16776699 (251, 253, 255), the poem table white.
bool AuthorTableShown(const QImage& s) {
  return IsColorAt(s, kTableBackground, 251, 253, 255, 0);
}
bool PoemTableShown(const QImage& s) { return IsColorAt(s, kTableBackground, 255, 255, 255, 0); }
bool IsHighlight(QRgb p) { return IsColor(p, 10, 36, 106, 6); }
bool IsMaroonInk(QRgb p) { return qRed(p) > 100 && qRed(p) < 180 && qGreen(p) < 60 && qBlue(p) < 60; }
bool IsRedInk(QRgb p) { return qRed(p) > 230 && qGreen(p) < 60 && qBlue(p) < 60; }
int Ink(const QImage& s, const QRect& r) { return CountPixels(s, r, IsDark); }

QRect Moved(const QRect& r, const QPoint& by) { return r.translated(by); }

// ---- the shipped data, read from the sources the databases are built from ----

QList<QStringList> ReadTsv(const QString& name) {
  QFile file(QDir(e2e::SourceDir()).filePath(QStringLiteral("install/data/") + name));
  QList<QStringList> rows;
  if (!file.open(QIODevice::ReadOnly)) return rows;
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (qsizetype i = 1; i < lines.size(); ++i) rows.append(lines[i].split(QLatin1Char('\t')));
  return rows;
}

QByteArray Gbk(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  QByteArray out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.constData());
  size_t inLeft = static_cast<size_t>(utf8.size());
  char* o = out.data();
  size_t outLeft = static_cast<size_t>(out.size());
  const size_t done = iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  if (done == static_cast<size_t>(-1)) return {};
  out.resize(out.size() - static_cast<qsizetype>(outLeft));
  return out;
}

// Position of `name` among the names of an era in setup.ini's [china] list (GBK).
int EraIndex(const QString& setupFile, const QString& name) {
  const QByteArray wanted = Gbk(name);
  const int n = e2e::IniValue(setupFile, QStringLiteral("item"), QStringLiteral("china")).value_or(QString()).toInt();
  QFile file(setupFile);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> lines = file.readAll().split('\n');
  bool inChina = false;
  for (const QByteArray& raw : lines) {
    const QByteArray line = raw.trimmed();
    if (line.startsWith('[')) inChina = line.toLower() == "[china]";
    else if (inChina && line.endsWith("=" + wanted)) {
      const int key = line.left(line.indexOf('=')).trimmed().toInt();
      if (key >= 1 && key <= n) return key - 1;
    }
  }
  return -1;
}

// Hits of an author-name search, in the order the rows were stored.
QStringList AuthorsContaining(const QString& keyword) {
  QStringList names;
  for (const QStringList& row : ReadTsv(QStringLiteral("author.tsv")))
    if (!row.isEmpty() && row[0].contains(keyword)) names.append(row[0]);
  return names;
}

// Hits of a title search, in the order the rows were stored.
QStringList TitlesContaining(const QString& keyword) {
  QStringList titles;
  for (const QStringList& row : ReadTsv(QStringLiteral("poetry.tsv")))
    if (!row.isEmpty() && row[0].contains(keyword)) titles.append(row[0]);
  return titles;
}

// Byte order of the GBK texts with a-z taken as A-Z: the order the tables sort in.
bool GbkLess(const QString& a, const QString& b) {
  QByteArray x = Gbk(a), y = Gbk(b);
  for (QByteArray* s : {&x, &y})
    for (char& c : *s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                      [](char l, char r) { return static_cast<uchar>(l) < static_cast<uchar>(r); });
}

// ---- the WAV file the voice writes ---------------------------------------------

struct Sound {
  bool valid = false;
  int sampleRate = 0;
  double seconds = 0;
  int peak = 0;
  double rms = 0;
};

Sound ReadWav(const QString& path) {
  Sound s;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return s;
  const QByteArray bytes = file.readAll();
  if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WAVEfmt ") return s;
  const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
  if (qFromLittleEndian<quint16>(d + 20) != 1 || qFromLittleEndian<quint16>(d + 34) != 16) return s;
  const int channels = qFromLittleEndian<quint16>(d + 22);
  s.sampleRate = static_cast<int>(qFromLittleEndian<quint32>(d + 24));
  const qint64 dataBytes = std::min<qint64>(qFromLittleEndian<quint32>(d + 40), bytes.size() - 44);
  if (bytes.mid(36, 4) != "data" || channels < 1 || s.sampleRate <= 0) return s;
  const qint64 samples = dataBytes / 2;
  double sum = 0;
  for (qint64 i = 0; i < samples; ++i) {
    const int v = qFromLittleEndian<qint16>(d + 44 + 2 * i);
    s.peak = std::max(s.peak, std::abs(v));
    sum += static_cast<double>(v) * v;
  }
  s.seconds = static_cast<double>(samples) / channels / s.sampleRate;
  s.rms = samples ? std::sqrt(sum / static_cast<double>(samples)) : 0;
  s.valid = true;
  return s;
}

// Waits until the file exists with sound data and has stopped growing for a while.
bool WaitForFinishedWav(const QString& path, int timeoutMs) {
  const QDeadlineTimer deadline(e2e::Patience(timeoutMs));
  qint64 lastSize = -1;
  int quietPolls = 0;
  while (!deadline.hasExpired()) {
    const qint64 size = QFileInfo(path).size();
    quietPolls = size > 44 && size == lastSize ? quietPolls + 1 : 0;
    if (quietPolls >= 8) return true;
    lastSize = size;
    QThread::msleep(250);
  }
  return false;
}

// ---- steps shared by the cases -------------------------------------------------

// The program's speech goes into a WAV file, written as fast as it is made.
QProcessEnvironment SpeechInto(const QString& wav) {
  QProcessEnvironment env;
  env.insert(QStringLiteral("CQ_SPEECH_WAV"), wav);
  env.insert(QStringLiteral("CQ_SPEECH_WAV_SPEED"), QStringLiteral("0"));
  return env;
}

// Starts the program and waits for its main window to be painted (era list colour
// where no item is).
bool WaitForMainWindow(const e2e::VirtualDisplay& display, const QString& shotName, QImage* shot) {
  if (!e2e::WaitForWindow(display, kMainTitle, 20000)) return false;
  return e2e::WaitForShot(display, shotName, [](const QImage& s) {
    return IsColorAt(s, kEraListBackground, 202, 228, 255) && IsColorAt(s, QPoint(600, 140), 243, 232, 255);
  }, shot, 20000);
}

// The tip window's client rectangle on the screen, and a shot once it is painted
// (its flat panel is white behind the title).
bool WaitForTipWindow(const e2e::VirtualDisplay& display, const QString& shotName, QRect* where, QImage* shot) {
  const std::optional<e2e::Window> tip = e2e::WaitForWindow(display, kTipTitle);
  if (!tip) return false;
  *where = tip->geometry;
  const QRect text = Moved(kTipText, where->topLeft());
  return e2e::WaitForShot(display, shotName, [&](const QImage& s) {
    return CountPixels(s, text, [](QRgb p) { return IsColor(p, 255, 255, 255); }) > text.width() * text.height() / 2 &&
           Ink(s, Moved(kTipContent, where->topLeft())) > 20;
  }, shot);
}

// Whether the tip window shows the same tip as in `before` (title and text).
bool SameTip(const QImage& a, const QImage& b, const QRect& tip) {
  return SameRegion(a, Moved(kTipContent, tip.topLeft()), b, Moved(kTipContent, tip.topLeft())) &&
         SameRegion(a, Moved(kTipText, tip.topLeft()), b, Moved(kTipText, tip.topLeft()));
}

// Pages the tip window with one of its buttons and waits until another tip shows.
bool PageTip(const e2e::VirtualDisplay& display, const QRect& tip, QPoint button, const QImage& before,
             const QString& shotName, QImage* after) {
  Click(display, tip.topLeft() + button);
  return e2e::WaitForShot(display, shotName, [&](const QImage& s) { return !SameTip(s, before, tip); }, after);
}

// Closes the main window through the menu "功能" > "关闭".
bool CloseByMenu(const e2e::VirtualDisplay& display, const QImage& before, const QString& shotName) {
  Click(display, kMenuFunctions);
  QImage menu;
  // The popup menu lies over the header below the menu bar.
  if (!e2e::WaitForShot(display, shotName, [&](const QImage& s) {
        return DifferentPixels(s, before, QRect(8, 26, 110, 60)) > 200;
      }, &menu))
    return false;
  Click(display, kMenuClose);
  return true;
}

}  // namespace

// The road of one reading, from the tip window that opens at start-up to closing
// the program through its menu.
TEST(Reading, TheRoadOfOneReading) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok()) << "cannot copy " << e2e::BinDir().toStdString();
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QStringLiteral("2")));
  const QString wav = QDir(copy.Dir()).filePath(QStringLiteral("speech.wav"));
  e2e::RunningProgram program(display, copy, SpeechInto(wav), kUnskinned);
  ASSERT_TRUE(program.Started());

  // The window opens with the tip window on top, as setup.ini asks.
  QImage start;
  ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("road-01-start"), &start)) << program.ErrorOutput().toStdString();
  QRect tip;
  QImage tip3;
  ASSERT_TRUE(WaitForTipWindow(display, QStringLiteral("road-01-start"), &tip, &tip3));
  EXPECT_TRUE(QRect(0, 0, 1280, 900).contains(tip));
  EXPECT_LT(tip.width(), 400);
  // The tip window's check box is ticked: its box holds dark check-mark ink.
  const int tickedInk = Ink(tip3, Moved(kTipCheckArea, tip.topLeft()));
  EXPECT_GT(tickedInk, 5);

  // Paging: two tips forward, one back shows the second one again.
  QImage tip4, tip5, back;
  ASSERT_TRUE(PageTip(display, tip, kTipNext, tip3, QStringLiteral("road-02-tip-next"), &tip4));
  ASSERT_TRUE(PageTip(display, tip, kTipNext, tip4, QStringLiteral("road-03-tip-next-again"), &tip5));
  EXPECT_FALSE(SameTip(tip5, tip3, tip));
  ASSERT_TRUE(PageTip(display, tip, kTipPrevious, tip5, QStringLiteral("road-04-tip-previous"), &back));
  EXPECT_TRUE(SameTip(back, tip4, tip)) << "上一贴 did not come back to the tip shown before";

  // 退出 hides the window and saves the position: saved 2, opened on 3, paged to 4.
  Click(display, tip.topLeft() + kTipExit);
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kTipTitle));
  QImage closed;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-05-tip-closed"), [&](const QImage& s) {
    return DifferentPixels(s, back, Moved(kTipText, tip.topLeft())) > 1000;
  }, &closed));
  EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("count")), QStringLiteral("4"));
  EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("tip")), QStringLiteral("1"));

  // An era: the author group takes its name and the author table its authors.
  const int tang = EraIndex(copy.SetupFile(), QStringLiteral("唐代"));
  ASSERT_GE(tang, 0);
  ASSERT_TRUE(AuthorTableShown(closed)) << "the first era's authors are not listed at start";
  Click(display, EraItem(tang));
  QImage era;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-06-era"), [&](const QImage& s) {
    return DifferentPixels(s, closed, kAuthorCaption) > 20 && DifferentPixels(s, closed, kAuthorList) > 100 &&
           DifferentPixels(s, closed, kTableRows) > 100;
  }, &era));
  EXPECT_TRUE(AuthorTableShown(era));
  EXPECT_EQ(DifferentPixels(era, closed, kEraCaption), 0) << "the collection caption changed";
  EXPECT_EQ(DifferentPixels(era, closed, kTextPane), 0) << "choosing an era touched the text pane";

  // An author: the biography in the text pane, the author in the info bar, the poems in the table.
  QStringList tangAuthors;
  for (const QStringList& row : ReadTsv(QStringLiteral("author.tsv")))
    if (row.size() >= 5 && row[4] == QStringLiteral("唐代")) tangAuthors.append(row[0]);
  const int li = static_cast<int>(tangAuthors.indexOf(QStringLiteral("李白")));
  ASSERT_GE(li, 0);
  ASSERT_LT(li, 18) << "the author is below the visible part of the author bar";
  Click(display, AuthorItem(li));
  QImage author;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-07-author"), [&](const QImage& s) {
    return PoemTableShown(s) && CountPixels(s, kInfoBar, IsMaroonInk) > 30 && DifferentPixels(s, era, kTextPane) > 500;
  }, &author));
  const int biographyInk = Ink(author, kTextPane);
  EXPECT_GT(biographyInk, 3 * Ink(era, kTextPane)) << "the biography is not longer than the opening line";
  EXPECT_EQ(CountPixels(author, kTableRows, IsHighlight), 0) << "a poem row is selected before any was clicked";

  // A poem: its row highlighted, the poem in the text pane, its title in the info
  // bar and its form in the form label.
  QStringList liPoems;
  for (const QStringList& row : ReadTsv(QStringLiteral("poetry.tsv")))
    if (row.size() >= 2 && row[1] == QStringLiteral("李白")) liPoems.append(row[0]);
  const int shudao = static_cast<int>(liPoems.indexOf(QStringLiteral("蜀道难")));
  ASSERT_GE(shudao, 0);
  ASSERT_LT(shudao, 5) << "the poem is not among the visible table rows";
  Click(display, RowPoint(shudao));
  QImage poem;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-08-poem"), [&](const QImage& s) {
    return CountPixels(s, RowStrip(shudao), IsHighlight) > RowStrip(shudao).width() * 8 &&
           DifferentPixels(s, author, kTextPane) > 500 && DifferentPixels(s, author, kInfoBar) > 30;
  }, &poem));
  for (int row = 0; row < 5; ++row) {
    if (row != shudao) {
      EXPECT_EQ(CountPixels(poem, RowStrip(row), IsHighlight), 0) << "row " << row;
    }
  }
  // The form label is on the right part of the info bar: where its maroon ink is.
  const QRect labelBand(kInfoBar.left() + 400, kInfoBar.top(), kInfoBar.width() - 400, kInfoBar.height());
  const QRect label = InkBox(poem, labelBand, IsMaroonInk);
  ASSERT_TRUE(label.isValid()) << "no form label in the info bar";
  const QRect before = InkBox(author, labelBand, IsMaroonInk);
  ASSERT_TRUE(before.isValid()) << "no form label before the poem was chosen";
  EXPECT_GT(label.width(), before.width() + 30) << "the form label did not take the form's name";
  EXPECT_GT(DifferentPixels(poem, author, label), 20) << "the form label kept its caption";
  EXPECT_EQ(CountPixels(poem, label, IsRedInk), 0) << "the form label is red before it was hovered";

  // Hovering the form label: it turns red and the flat hint with the form's explanation appears beside it.
  e2e::MoveTo(display, label.center() - QPoint(10, 0));
  e2e::MoveTo(display, label.center());
  const std::optional<e2e::Window> hint = e2e::WaitForWindow(display, kAppTitle);
  ASSERT_TRUE(hint.has_value()) << "no hint window appeared";
  QImage hinted;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-09-form-hint"), [&](const QImage& s) {
    return CountPixels(s, label, IsRedInk) > 10 && DifferentPixels(s, poem, hint->geometry) > 500;
  }, &hinted));
  EXPECT_LT(std::abs(hint->geometry.top() - label.bottom()), 60) << "the hint is not at the label";
  EXPECT_GT(hint->geometry.width(), 80);
  EXPECT_GT(hint->geometry.height(), 40);
  EXPECT_GT(Ink(hinted, hint->geometry), 300) << "the hint shows no explanation";
  EXPECT_EQ(CountPixels(hinted, label, IsMaroonInk), 0) << "part of the form label stayed maroon";

  // A keyword: a click empties the keyword box, typing fills it.
  Click(display, kKeywordBox);
  QImage emptied, typed;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-10-keyword-box-emptied"), [&](const QImage& s) {
    return Ink(s, kKeywordArea) < 30;
  }, &emptied)) << "a click in the keyword box did not empty it";
  const QString keyword = QStringLiteral("船");
  e2e::TypeText(display, keyword);
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-11-keyword-typed"), [&](const QImage& s) {
    return Ink(s, kKeywordArea) > 30;
  }, &typed));
  // The red label stays red after the pointer left it.
  EXPECT_GT(CountPixels(typed, label, IsRedInk), 10);

  // The search: the found message box, then the hits in the poem table.
  const QStringList hits = TitlesContaining(keyword);
  ASSERT_GE(hits.size(), 3);
  ASSERT_LE(hits.size(), 5) << "the hits do not fit the visible table rows";
  Click(display, kSearchButton);
  const std::optional<e2e::Window> found = e2e::WaitForWindow(display, kMessageTitle);
  ASSERT_TRUE(found.has_value()) << "no found message";
  QImage message;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-12-found-message"), [&](const QImage& s) {
    return Ink(s, found->geometry) > 100;
  }, &message));
  EXPECT_EQ(DifferentPixels(message, typed, kTableRows), 0) << "the table was refilled before OK";
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kMessageTitle));
  QImage listed;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-13-hits"), [&](const QImage& s) {
    return DifferentPixels(s, typed, kTableRows) > 100 && Ink(s, RowStrip(static_cast<int>(hits.size()) - 1)) > 30;
  }, &listed));
  EXPECT_TRUE(PoemTableShown(listed));
  for (int row = 0; row < 5; ++row) {
    if (row < hits.size()) {
      EXPECT_GT(Ink(listed, RowStrip(row)), 30) << "row " << row;
    } else {
      EXPECT_EQ(Ink(listed, RowStrip(row)), 0) << "row " << row << " is not empty";
    }
  }
  EXPECT_EQ(DifferentPixels(listed, typed, kTextPane), 0) << "the search touched the text pane";
  EXPECT_EQ(DifferentPixels(listed, typed, kInfoBar), 0) << "the search touched the info bar";

  // Sorting by title: the first click sorts descending, the second ascending, by
  // GBK bytes. Each row strip must be the strip of the hit that belongs there.
  QStringList descending = hits;
  std::sort(descending.begin(), descending.end(), [](const QString& a, const QString& b) { return GbkLess(b, a); });
  QStringList ascending = descending;
  std::reverse(ascending.begin(), ascending.end());
  ASSERT_NE(ascending, hits) << "the stored order is already sorted: the keyword shows nothing";
  auto ordered = [&](const QImage& s, const QStringList& order) {
    for (int row = 0; row < order.size(); ++row)
      if (!SameRegion(s, RowStrip(row), listed, RowStrip(static_cast<int>(hits.indexOf(order[row]))))) return false;
    return true;
  };
  Click(display, kTitleHeader);
  QImage sorted1, sorted2;
  EXPECT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-14-sorted-descending"),
                               [&](const QImage& s) { return ordered(s, descending); }, &sorted1))
      << "the first sort is not descending by GBK bytes";
  // A second press within the double-click time would be a double click: wait it out, as a reader would.
  QThread::msleep(kDoubleClickPauseMs);
  Click(display, kTitleHeader);
  EXPECT_TRUE(e2e::WaitForShot(display, QStringLiteral("road-15-sorted-ascending"),
                               [&](const QImage& s) { return ordered(s, ascending); }, &sorted2))
      << "the second sort is not ascending by GBK bytes";
  EXPECT_GT(DifferentPixels(sorted1, sorted2, kTableRows), 100);

  // Read-aloud: the text pane still holds the poem; the voice writes it to the WAV file.
  Click(display, kSpeakButton);
  ASSERT_TRUE(WaitForFinishedWav(wav, 120000)) << "no speech was written to " << wav.toStdString();
  e2e::Shot(display, QStringLiteral("road-16-read-aloud"));
  const Sound sound = ReadWav(wav);
  ASSERT_TRUE(sound.valid);
  EXPECT_GT(sound.peak, 3000) << "the WAV file holds silence";
  EXPECT_GT(sound.rms, 100);
  // The long poem (about two minutes of speech), not the pane's opening line
  // (about five seconds), was spoken.
  EXPECT_GT(sound.seconds, 40.0);

  // 每日一贴 opens the tip window on the tip it was closed on; paging still works.
  QImage shownAgain, pagedAgain;
  Click(display, kTipButton);
  QRect tipAgain;
  ASSERT_TRUE(WaitForTipWindow(display, QStringLiteral("road-17-tip-again"), &tipAgain, &shownAgain));
  EXPECT_EQ(tipAgain, tip);
  EXPECT_TRUE(SameTip(shownAgain, tip4, tip)) << "the tip window did not keep its place";
  ASSERT_TRUE(PageTip(display, tip, kTipNext, shownAgain, QStringLiteral("road-18-tip-paged"), &pagedAgain));
  EXPECT_TRUE(SameTip(pagedAgain, tip5, tip));

  // Closing the program through its menu ends it; the open tip window saves nothing.
  ASSERT_TRUE(CloseByMenu(display, pagedAgain, QStringLiteral("road-19-menu")));
  ASSERT_TRUE(program.WaitForExit(15000)) << "the program did not end";
  EXPECT_EQ(program.ExitCode(), 0) << program.ErrorOutput().toStdString();
  EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("count")), QStringLiteral("4"));
}

// The tip window's check box and position carry over to the next run: unticked,
// the window stays closed at start-up; it opens on the tip after the one saved.
TEST(Reading, TipWindowKeepsItsPlaceAndCheckBoxAcrossRuns) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QStringLiteral("3")));

  QRect tip;
  QImage tip4;
  {
    e2e::RunningProgram program(display, copy, {}, kUnskinned);
    ASSERT_TRUE(program.Started());
    QImage main;
    ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("runs-01-first-start"), &main));
    ASSERT_TRUE(WaitForTipWindow(display, QStringLiteral("runs-01-first-start"), &tip, &tip4));
    const QRect box = Moved(kTipCheckArea, tip.topLeft());
    const int ticked = Ink(tip4, box);
    Click(display, tip.topLeft() + kTipCheckBox);
    QImage unticked, tip3;
    ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("runs-02-unticked"), [&](const QImage& s) {
      return Ink(s, box) < ticked - 5;
    }, &unticked)) << "the check box did not change";
    ASSERT_TRUE(PageTip(display, tip, kTipPrevious, unticked, QStringLiteral("runs-03-previous"), &tip3));
    Click(display, tip.topLeft() + kTipExit);
    ASSERT_TRUE(e2e::WaitForWindowGone(display, kTipTitle));
    EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("tip")), QStringLiteral("0"));
    EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("count")), QStringLiteral("3"));
    ASSERT_TRUE(CloseByMenu(display, e2e::Shot(display, QStringLiteral("runs-04-closed")), QStringLiteral("runs-05-menu")));
    ASSERT_TRUE(program.WaitForExit(15000));
  }
  {
    e2e::RunningProgram program(display, copy, {}, kUnskinned);
    ASSERT_TRUE(program.Started());
    QImage main;
    ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("runs-06-second-start"), &main));
    // The tip window is shown (when asked) right after the main window: give it time.
    EXPECT_FALSE(e2e::WaitForWindow(display, kTipTitle, 3000).has_value()) << "the unticked tip window opened at start-up";
    Click(display, kTipButton);
    QRect where;
    QImage shown;
    ASSERT_TRUE(WaitForTipWindow(display, QStringLiteral("runs-07-opened-by-button"), &where, &shown));
    EXPECT_EQ(where, tip);
    EXPECT_TRUE(SameTip(shown, tip4, tip)) << "the window did not open on the tip after the one saved";
    const QRect box = Moved(kTipCheckArea, tip.topLeft());
    EXPECT_LT(Ink(shown, box), Ink(tip4, box) - 5) << "the check box does not show the saved choice";
    Click(display, tip.topLeft() + kTipCheckBox);
    QImage ticked;
    ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("runs-08-ticked"), [&](const QImage& s) {
      return SameRegion(s, box, tip4, box);
    }, &ticked));
    Click(display, tip.topLeft() + kTipExit);
    ASSERT_TRUE(e2e::WaitForWindowGone(display, kTipTitle));
    EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("tip")), QStringLiteral("1"));
    EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("count")), QStringLiteral("4"));
  }
}

// Saved on the last tip, the window opens on the last tip with nothing after it:
// 下一贴 wraps to the first tip, and 上一贴 from there goes straight back to the last.
TEST(Reading, TipWindowWrapsAroundFromTheLastTip) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  const int tips = static_cast<int>(ReadTsv(QStringLiteral("lore.tsv")).size());
  ASSERT_GT(tips, 2);
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("1"), QString::number(tips)));
  e2e::RunningProgram program(display, copy, {}, kUnskinned);
  ASSERT_TRUE(program.Started());
  QImage main, last, first, lastAgain, second;
  ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("wrap-01-start"), &main));
  QRect tip;
  ASSERT_TRUE(WaitForTipWindow(display, QStringLiteral("wrap-01-start"), &tip, &last));
  ASSERT_TRUE(PageTip(display, tip, kTipNext, last, QStringLiteral("wrap-02-first"), &first));
  ASSERT_TRUE(PageTip(display, tip, kTipPrevious, first, QStringLiteral("wrap-03-last-again"), &lastAgain));
  EXPECT_TRUE(SameTip(lastAgain, last, tip)) << "上一贴 after the wrap did not go straight to the last tip";
  // Forward again: the first tip, then the second.
  QImage firstAgain;
  ASSERT_TRUE(PageTip(display, tip, kTipNext, lastAgain, QStringLiteral("wrap-04-first-again"), &firstAgain));
  EXPECT_TRUE(SameTip(firstAgain, first, tip));
  ASSERT_TRUE(PageTip(display, tip, kTipNext, firstAgain, QStringLiteral("wrap-05-second"), &second));
  Click(display, tip.topLeft() + kTipExit);
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kTipTitle));
  EXPECT_EQ(e2e::IniValue(copy.SetupFile(), QStringLiteral("tip"), QStringLiteral("count")), QStringLiteral("2"));
}

// Searching by author name: a keyword without hits only shows the not-found
// message; one with hits fills the author table and the author bar (the group
// keeps its caption), and choosing a row of the table shows that author.
TEST(Reading, SearchByAuthorNameFillsTheAuthorTableAndBar) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("0"), QStringLiteral("0")));
  e2e::RunningProgram program(display, copy, {}, kUnskinned);
  ASSERT_TRUE(program.Started());
  QImage start;
  ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("authors-01-start"), &start));
  ASSERT_TRUE(AuthorTableShown(start));

  // The mode box: focus it with a click, then the Down key takes the next entry, "按作者名搜索".
  Click(display, kModeBox);
  e2e::PressKey(display, QStringLiteral("Down"));
  QImage mode;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("authors-02-mode"), [&](const QImage& s) {
    return DifferentPixels(s, start, kModeArea) > 30;
  }, &mode)) << "the search mode did not change";

  // A keyword no author name holds: the not-found message, and nothing else changes.
  const QString nothing = QStringLiteral("魑魅");
  ASSERT_TRUE(AuthorsContaining(nothing).isEmpty());
  Click(display, kKeywordBox);
  e2e::TypeText(display, nothing);
  QImage typed;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("authors-03-keyword"), [&](const QImage& s) {
    return Ink(s, kKeywordArea) > 30;
  }, &typed));
  Click(display, kSearchButton);
  const std::optional<e2e::Window> notFound = e2e::WaitForWindow(display, kMessageTitle);
  ASSERT_TRUE(notFound.has_value()) << "no not-found message";
  QImage notFoundShot;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("authors-04-not-found"), [&](const QImage& s) {
    return Ink(s, notFound->geometry) > 100;
  }, &notFoundShot));
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kMessageTitle));
  const QImage after = e2e::Shot(display, QStringLiteral("authors-05-after-not-found"));
  EXPECT_EQ(DifferentPixels(after, typed, kTableRows), 0) << "a search without hits changed the table";
  EXPECT_EQ(DifferentPixels(after, typed, kAuthorList), 0) << "a search without hits changed the author bar";

  // A keyword with hits: the found message, then the hits in both author lists.
  const QString keyword = QStringLiteral("杜");
  const QStringList hits = AuthorsContaining(keyword);
  ASSERT_GE(hits.size(), 2);
  ASSERT_LE(hits.size(), 5);
  Click(display, kKeywordBox);
  e2e::TypeText(display, keyword);
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("authors-06-keyword"), [&](const QImage& s) {
    return Ink(s, kKeywordArea) > 10 && DifferentPixels(s, after, kKeywordArea) > 10;
  }, &typed));
  Click(display, kSearchButton);
  const std::optional<e2e::Window> found = e2e::WaitForWindow(display, kMessageTitle);
  ASSERT_TRUE(found.has_value()) << "no found message";
  e2e::Shot(display, QStringLiteral("authors-07-found"));
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kMessageTitle));
  QImage listed;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("authors-08-hits"), [&](const QImage& s) {
    return DifferentPixels(s, typed, kTableRows) > 100 && DifferentPixels(s, typed, kAuthorList) > 100;
  }, &listed));
  EXPECT_TRUE(AuthorTableShown(listed));
  for (int row = 0; row < 5; ++row) {
    const QRect item(kAuthorList.left(), AuthorItem(row).y() - 10, kAuthorList.width(), 20);
    if (row < hits.size()) {
      EXPECT_GT(Ink(listed, RowStrip(row)), 30) << "table row " << row;
      EXPECT_GT(Ink(listed, item), 30) << "bar item " << row;
    } else {
      EXPECT_EQ(Ink(listed, RowStrip(row)), 0) << "table row " << row << " is not empty";
      EXPECT_EQ(Ink(listed, item), 0) << "bar item " << row << " is not empty";
    }
  }
  EXPECT_EQ(DifferentPixels(listed, typed, kAuthorCaption), 0) << "the author group lost the era's name";
  EXPECT_EQ(DifferentPixels(listed, typed, kTextPane), 0) << "the search touched the text pane";

  // A row of the author table: the biography and the author in the info bar.
  Click(display, RowPoint(1));
  QImage chosen;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("authors-09-row"), [&](const QImage& s) {
    return CountPixels(s, RowStrip(1), IsHighlight) > RowStrip(1).width() * 8 &&
           CountPixels(s, kInfoBar, IsMaroonInk) > 30 && DifferentPixels(s, listed, kTextPane) > 500;
  }, &chosen)) << "choosing an author row showed no biography";
  EXPECT_TRUE(AuthorTableShown(chosen));
  // Another row shows another biography.
  Click(display, RowPoint(0));
  QImage other;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("authors-10-other-row"), [&](const QImage& s) {
    return CountPixels(s, RowStrip(0), IsHighlight) > RowStrip(0).width() * 8 && DifferentPixels(s, chosen, kTextPane) > 200 &&
           DifferentPixels(s, chosen, kInfoBar) > 20;
  }, &other));
}

// A reading without the pointer: Tab reaches every control, the bars choose by
// arrows and Enter, Ctrl and a column's number sorts, the buttons press with Space.
TEST(Reading, AReadingByTheKeyboardAlone) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("0"), QStringLiteral("2")));
  const QString wav = QDir(copy.Dir()).filePath(QStringLiteral("speech.wav"));
  e2e::RunningProgram program(display, copy, SpeechInto(wav), kUnskinned);
  ASSERT_TRUE(program.Started());
  QImage start;
  ASSERT_TRUE(WaitForMainWindow(display, QStringLiteral("keys-01-start"), &start));
  const auto keys = [&](std::initializer_list<const char*> names) {
    for (const char* k : names) {
      e2e::PressKey(display, QString::fromLatin1(k));
      QThread::msleep(e2e::Patience(120));
    }
  };

  // From the mode box past the keyword box and 搜索 to the era bar: 唐代 is its fourth item.
  keys({"Tab", "Tab", "Tab", "Down", "Down", "Down", "Return"});
  QImage era;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("keys-02-era"), [&](const QImage& s) {
    return DifferentPixels(s, start, kAuthorCaption) > 20 && DifferentPixels(s, start, kAuthorList) > 200;
  }, &era)) << "Enter in the era bar chose no era";
  // The author bar: 李白 is the fourth of 唐代; his biography and his poems.
  keys({"Tab", "Down", "Down", "Down", "Return"});
  QImage author;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("keys-03-author"), [&](const QImage& s) {
    return PoemTableShown(s) && Ink(s, kTextPane) > 300 && CountPixels(s, kInfoBar, IsMaroonInk) > 30;
  }, &author)) << "Enter in the author bar chose no author";
  // Tab into the poem table and Down: the first poem shows in the text pane.
  keys({"Tab", "Down"});
  QImage poem;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("keys-04-poem"), [&](const QImage& s) {
    return CountPixels(s, kTableRows, IsHighlight) > 200 && DifferentPixels(s, author, kTextPane) > 200;
  }, &poem)) << "Down in the poem table showed no poem";
  // Ctrl+1 sorts by the first column, as a click on its header: the rows move.
  keys({"ctrl+1"});
  QImage sorted;
  EXPECT_TRUE(e2e::WaitForShot(display, QStringLiteral("keys-04b-sorted"), [&](const QImage& s) {
    return DifferentPixels(s, poem, kTableRows) > 200;
  }, &sorted)) << "Ctrl+1 in the poem table sorted nothing";
  // Past the text pane to 朗读: Space reads the poem aloud.
  keys({"Tab", "Tab", "space"});
  EXPECT_TRUE(WaitForFinishedWav(wav, 30000)) << "朗读 pressed with Space read nothing";

  // On to 每日一贴 (past the other speech buttons and three header buttons):
  // Space opens the tip window, whose 退出 closes it from the keyboard too.
  keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "space"});
  QRect tip;
  QImage tipShot;
  ASSERT_TRUE(WaitForTipWindow(display, QStringLiteral("keys-05-tip"), &tip, &tipShot)) << "Space on 每日一贴 opened nothing";
  keys({"Tab", "Tab", "space"});
  EXPECT_TRUE(e2e::WaitForWindowGone(display, kTipTitle, e2e::Patience(10000))) << "退出 did not close the tip window";

  // Back in the main window on 每日一贴: on to the keyword box, a title, 搜索.
  keys({"Tab", "Tab", "Tab", "ctrl+a"});
  e2e::TypeText(display, QStringLiteral("静夜思"));
  keys({"Tab", "space"});
  // The count of what was found comes first; Enter takes it away.
  ASSERT_TRUE(e2e::WaitForWindow(display, kMessageTitle, e2e::Patience(10000))) << "搜索 pressed with Space searched nothing";
  keys({"Return"});
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kMessageTitle, e2e::Patience(10000)));
  QImage found;
  EXPECT_TRUE(e2e::WaitForShot(display, QStringLiteral("keys-06-search"), [&](const QImage& s) {
    return PoemTableShown(s) && Ink(s, RowStrip(0)) > 30 && Ink(s, RowStrip(1)) == 0;
  }, &found)) << "the table does not show the one poem found";
  EXPECT_TRUE(program.Running());
}
