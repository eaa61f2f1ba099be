// The "阅读" menu driven from outside: traditional script on and off, the
// vertical reading window with its size keys, pinyin on and off over both, the PDF export through the file
// dialog (read back with pdftotext, turned into pictures with pdftoppm) and the
// print dialog printing to a file. Screenshots go to build/tests/e2e-shots/.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include "tests/e2e/E2E.h"
#include "tests/reading/ExternalTools.h"

namespace {

using e2e::Click;
using e2e::CountPixels;
using e2e::DifferentPixels;
using e2e::IsColor;
using e2e::IsColorAt;
using e2e::IsDark;
using e2e::SameRegion;
using reading_test::PdfLines;
using reading_test::RunTool;

const QString kMainTitle = QStringLiteral("Cinnabarquillpad V2014 build 09.01");
const QString kMessageTitle = QStringLiteral("信息");

// The main window fills the 1280x900 screen without a window manager.
const QPoint kReadingMenu(103, 12);
QPoint MenuEntry(int index) { return {140, 36 + 22 * index}; }  // 繁体显示, 注音, 竖排阅读, 打印…, 导出 PDF…
constexpr int kTraditional = 0, kPinyin = 1, kVertical = 2, kPrint = 3, kPdf = 4;
const QPoint kKeywordBox(270, 142);
const QPoint kSearchButton(389, 142);
const QRect kKeywordArea(196, 133, 150, 19);
const QPoint kSecondRow(320, 217);
const QRect kEraCaption(6, 168, 116, 26);
const QRect kAuthorList(129, 198, 110, 640);
const QRect kTableRows(258, 188, 520, 100);
const QRect kInfoBar(260, 299, 1010, 25);
const QRect kTextPane(262, 330, 990, 500);
const QRect kReadingMenuArea(88, 26, 116, 86);
const QPoint kEraListBackground(60, 600);
const QPoint kNeutral(800, 60);  // over the header picture, away from every button

int Ink(const QImage& s, const QRect& r) { return CountPixels(s, r, IsDark); }

// The first page of a PDF as a picture among the screenshots.
QImage PdfPicture(const QString& file, const QString& name) {
  const QString stem = QDir(e2e::ShotDir()).filePath(name);
  RunTool(QStringLiteral("pdftoppm"),
          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-singlefile"), file, stem});
  return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool WaitForFile(const QString& file, int timeoutMs = 20000) {
  for (int waited = 0; waited < e2e::Patience(timeoutMs); waited += 200) {
    if (QFileInfo(file).size() > 0) {
      QThread::msleep(300);  // let the writer finish
      return true;
    }
    QThread::msleep(200);
  }
  return false;
}

// The shipped poems, from the source the database is built from.
struct Poem {
  QString title, author;
  QStringList lines;
};
QList<QStringList> ShippedRows() {
  QList<QStringList> rows;
  QFile file(QDir(e2e::SourceDir()).filePath(QStringLiteral("install/data/poetry.tsv")));
  if (!file.open(QIODevice::ReadOnly)) return rows;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n').mid(1)) rows.append(line.split(u'\t'));
  return rows;
}
QStringList TitlesContaining(const QString& keyword) {
  QStringList titles;
  for (const QStringList& row : ShippedRows())
    if (row.size() >= 5 && row[0].contains(keyword)) titles.append(row[0]);
  return titles;
}
Poem ShippedPoem(const QString& title) {
  for (const QStringList& f : ShippedRows())
    if (f.size() >= 5 && f[0] == title) return {f[0], f[1], f[4].split(QStringLiteral("\\n"))};
  return {};
}
// Lines in traditional script, as OpenCC's own tool converts them.
QStringList Traditional(const QStringList& lines) {
  return reading_test::Opencc(QStringLiteral("s2t.json"), lines.join(u'\n')).split(u'\n', Qt::SkipEmptyParts);
}

// Opens the menu, waits until it shows over the header, chooses the entry and
// moves the pointer off the header buttons it passed.
bool ChooseFromReadingMenu(const e2e::VirtualDisplay& display, int entry, const QString& shotName) {
  const QImage before = e2e::Shot(display, shotName);
  Click(display, kReadingMenu);
  QImage menu;
  const bool shown = e2e::WaitForShot(display, shotName, [&](const QImage& s) {
    return DifferentPixels(s, before, kReadingMenuArea) > 500;
  }, &menu);
  Click(display, MenuEntry(entry));
  e2e::MoveTo(display, kNeutral);
  return shown;
}

}  // namespace

TEST(ReadingMenu, TraditionalScriptVerticalReadingPrintingAndPdf) {
  e2e::VirtualDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  e2e::ProgramCopy copy;
  ASSERT_TRUE(copy.Ok());
  ASSERT_TRUE(copy.SetTipSettings(QStringLiteral("0"), QStringLiteral("0")));
  QProcessEnvironment env;
  env.insert(QStringLiteral("HOME"), copy.Dir());  // where the print dialog's file goes
  e2e::RunningProgram program(display, copy, env, e2e::kUnskinned);
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(e2e::WaitForWindow(display, kMainTitle));
  QImage start;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-00-start"), [](const QImage& s) {
    return IsColorAt(s, kEraListBackground, 202, 228, 255);
  }, &start)) << program.ErrorOutput().toStdString();

  // A poem found by a word of its title: one character, which xdotool types
  // reliably; the poem is the second hit, in the order the rows were stored.
  const QString keyword = QStringLiteral("静");
  const QStringList hits = TitlesContaining(keyword);
  ASSERT_GE(hits.size(), 5);
  ASSERT_EQ(hits[1], QStringLiteral("静夜思"));
  const Poem poem = ShippedPoem(hits[1]);
  ASSERT_EQ(poem.lines.size(), 2);
  // xdotool maps the character to a spare key first; a program that has not
  // seen the new mapping yet drops it: then the box is clicked empty and typed again.
  bool typed = false;
  for (int attempt = 0; attempt < 4 && !typed; ++attempt) {
    Click(display, kKeywordBox);
    e2e::TypeText(display, keyword);
    QImage box;
    typed = e2e::WaitForShot(display, QStringLiteral("reading-01-typed"), [](const QImage& s) {
      return Ink(s, kKeywordArea) > 30;
    }, &box, 3000);
  }
  ASSERT_TRUE(typed) << "the keyword could not be typed";
  Click(display, kSearchButton);
  ASSERT_TRUE(e2e::WaitForWindow(display, kMessageTitle)) << "no message after the search";
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(e2e::WaitForWindowGone(display, kMessageTitle));
  QImage listed;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-01-found"), [&](const QImage& s) {
    return DifferentPixels(s, start, kTableRows) > 100;
  }, &listed));
  Click(display, kSecondRow);
  QImage plain;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-02-poem"), [&](const QImage& s) {
    return DifferentPixels(s, listed, kTextPane) > 300 && DifferentPixels(s, listed, kInfoBar) > 30;
  }, &plain));

  // 繁体显示: everything the reader reads changes, the pane, the info bar, the table row,
  // the collection caption and the author names.
  ASSERT_TRUE(ChooseFromReadingMenu(display, kTraditional, QStringLiteral("reading-03-menu"))) << "the menu did not open";
  QImage traditional;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-04-traditional"), [&](const QImage& s) {
    return DifferentPixels(s, plain, kTextPane) > 100 && DifferentPixels(s, plain, kInfoBar) > 20 &&
           DifferentPixels(s, plain, kTableRows) > 20 && DifferentPixels(s, plain, kEraCaption) > 10 &&
           DifferentPixels(s, plain, kAuthorList) > 20;
  }, &traditional)) << "traditional script did not reach every part";

  // Off again: every part shows exactly what it showed before.
  ASSERT_TRUE(ChooseFromReadingMenu(display, kTraditional, QStringLiteral("reading-05-menu"))) << "the menu did not open";
  QImage back;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-06-simplified-again"), [&](const QImage& s) {
    return SameRegion(s, kTextPane, plain, kTextPane) && SameRegion(s, kInfoBar, plain, kInfoBar) &&
           SameRegion(s, kTableRows, plain, kTableRows) && SameRegion(s, kEraCaption, plain, kEraCaption) &&
           SameRegion(s, kAuthorList, plain, kAuthorList);
  }, &back));
  ASSERT_TRUE(ChooseFromReadingMenu(display, kTraditional, QStringLiteral("reading-07-menu"))) << "the menu did not open";
  QImage again;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-08-traditional-again"), [&](const QImage& s) {
    return SameRegion(s, kTextPane, traditional, kTextPane) && SameRegion(s, kInfoBar, traditional, kInfoBar);
  }, &again));

  // 竖排阅读: a window of its own with the poem set vertically from the right.
  ASSERT_TRUE(ChooseFromReadingMenu(display, kVertical, QStringLiteral("reading-09-menu"))) << "the menu did not open";
  const std::optional<e2e::Window> reader = e2e::WaitForWindow(display, QStringLiteral("竖排阅读"));
  ASSERT_TRUE(reader.has_value()) << "no vertical reading window";
  const QRect page = reader->geometry.adjusted(0, 0, 0, -36);  // above the page bar
  const QRect rightHalf = page.adjusted(page.width() / 2, 0, 0, 0);
  const QRect leftQuarter = page.adjusted(0, 0, -page.width() * 3 / 4, 0);
  QImage vertical;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-10-vertical"), [&](const QImage& s) {
    return Ink(s, rightHalf) > 500;
  }, &vertical));
  EXPECT_EQ(Ink(vertical, leftQuarter), 0) << "a short poem reaches the left edge";
  EXPECT_TRUE(IsColorAt(vertical, page.topLeft() + QPoint(5, 5), 250, 246, 234));
  e2e::PressKey(display, QStringLiteral("ctrl+plus"));
  QImage larger;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-11-vertical-larger"), [&](const QImage& s) {
    return Ink(s, rightHalf) > Ink(vertical, rightHalf) * 11 / 10;
  }, &larger)) << "Ctrl+plus did not enlarge the characters";

  // 注音 with the reading window open, over traditional script: pinyin over the
  // pane's characters and beside the window's columns; off again, both show
  // exactly what they showed before.
  const QRect paneLeft(kTextPane.left(), kTextPane.top(), 230, 200);  // left of the reading window
  ASSERT_FALSE(paneLeft.intersects(reader->geometry));
  ASSERT_TRUE(ChooseFromReadingMenu(display, kPinyin, QStringLiteral("reading-11a-menu"))) << "the menu did not open";
  QImage pinyin;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-11b-pinyin"), [&](const QImage& s) {
    return Ink(s, paneLeft) > Ink(larger, paneLeft) * 13 / 10 && Ink(s, page) > Ink(larger, page) * 13 / 10;
  }, &pinyin)) << "注音 did not reach the pane and the reading window";
  ASSERT_TRUE(ChooseFromReadingMenu(display, kPinyin, QStringLiteral("reading-11c-menu"))) << "the menu did not open";
  QImage unmarked;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-11d-no-pinyin"), [&](const QImage& s) {
    return SameRegion(s, kTextPane, larger, kTextPane) && SameRegion(s, page, larger, page);
  }, &unmarked)) << "注音 off did not bring the pane and the reading window back";

  // 导出 PDF… while the window is open: a vertical page, with the text in reading order.
  const QString vpdf = QDir(copy.Dir()).filePath(QStringLiteral("vertical.pdf"));
  ASSERT_TRUE(ChooseFromReadingMenu(display, kPdf, QStringLiteral("reading-12-menu"))) << "the menu did not open";
  ASSERT_TRUE(e2e::WaitForWindow(display, QStringLiteral("导出 PDF"))) << "no file dialog";
  e2e::Shot(display, QStringLiteral("reading-13-file-dialog"));
  e2e::PressKey(display, QStringLiteral("ctrl+a"));
  e2e::TypeText(display, vpdf);
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(WaitForFile(vpdf)) << "no PDF written";
  const QStringList tPoem = Traditional(poem.lines);
  const QStringList tHead = Traditional({poem.title, QStringLiteral("〔唐代〕") + poem.author});
  ASSERT_EQ(tPoem.size(), 2);
  EXPECT_EQ(PdfLines(vpdf, {QStringLiteral("-raw")}).join(QString()).remove(u' '), (tHead + tPoem).join(QString()));
  const QImage vpicture = PdfPicture(vpdf, QStringLiteral("reading-14-pdf-vertical"));
  ASSERT_FALSE(vpicture.isNull());
  EXPECT_GT(Ink(vpicture, QRect(vpicture.width() * 2 / 3, 0, vpicture.width() / 3, vpicture.height() / 3)), 200)
      << "the vertical page does not start at the top right";

  // Escape closes the reading window; the next export is horizontal.
  Click(display, page.center());
  e2e::PressKey(display, QStringLiteral("Escape"));
  ASSERT_TRUE(e2e::WaitForWindowGone(display, QStringLiteral("竖排阅读")));
  const QString hpdf = QDir(copy.Dir()).filePath(QStringLiteral("poem"));
  ASSERT_TRUE(ChooseFromReadingMenu(display, kPdf, QStringLiteral("reading-15-menu"))) << "the menu did not open";
  ASSERT_TRUE(e2e::WaitForWindow(display, QStringLiteral("导出 PDF")));
  e2e::PressKey(display, QStringLiteral("ctrl+a"));
  e2e::TypeText(display, hpdf);  // the suffix is added
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(WaitForFile(hpdf + QStringLiteral(".pdf")));
  EXPECT_EQ(PdfLines(hpdf + QStringLiteral(".pdf")), tHead + tPoem);
  EXPECT_FALSE(PdfPicture(hpdf + QStringLiteral(".pdf"), QStringLiteral("reading-16-pdf")).isNull());

  // 打印…: the print dialog; printing to a file writes the same page.
  ASSERT_TRUE(ChooseFromReadingMenu(display, kPrint, QStringLiteral("reading-17-menu"))) << "the menu did not open";
  const std::optional<e2e::Window> print = e2e::WaitForWindow(display, QStringLiteral("打印"));
  ASSERT_TRUE(print.has_value()) << "no print dialog";
  QImage printDialog;
  ASSERT_TRUE(e2e::WaitForShot(display, QStringLiteral("reading-18-print-dialog"), [&](const QImage& s) {
    return Ink(s, print->geometry) > 300;
  }, &printDialog));
  e2e::PressKey(display, QStringLiteral("Return"));
  ASSERT_TRUE(e2e::WaitForWindowGone(display, QStringLiteral("打印")));
  const QString printed = QDir(copy.Dir()).filePath(tHead[0] + QStringLiteral(".pdf"));
  ASSERT_TRUE(WaitForFile(printed)) << "printing to a file wrote nothing at " << printed.toStdString();
  EXPECT_EQ(PdfLines(printed), tHead + tPoem);
  EXPECT_TRUE(program.Running());
}
