// The printed page: its text read back from the PDF with pdftotext equals the
// poem in reading order, headed by title, era and author; the fonts are
// embedded; the vertical page reads from the right; printing goes through the
// printer the dialog set up.
#include <gtest/gtest.h>

#include <QPrinter>
#include <QTemporaryDir>

#include "app/reading/PagePrinter.h"
#include "tests/reading/ExternalTools.h"
#include "tests/reading/ReadingForm.h"
#include "toolkit/Exception.h"
#include "toolkit/Fonts.h"

using reading::PrintDirection;
using reading::PrintedText;
using reading_test::PdfLines;
using reading_test::ReadingForm;
using reading_test::RunTool;

namespace {

int PdfPages(const QString& file) {
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(RunTool(QStringLiteral("pdfinfo"), {file}));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The left edge of a word on the page, in points from the paper's left edge.
double WordX(const QString& file, const QString& word) {
  const QString html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>") + word + QStringLiteral("</word>")).match(html);
  return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

const QFont kKai = toolkit::MakeFont(QStringLiteral("楷体"), 16);

PrintedText Quiet() {
  return {QStringLiteral("静夜思"), QStringLiteral("李白"), QStringLiteral("唐代"),
          QStringLiteral("床前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。\r\n")};
}

}  // namespace

TEST(PagePrinterTest, TheHeadingLineJoinsEraAndBylineLeavingOutWhatIsEmpty) {
  EXPECT_EQ(reading::HeadingLine(Quiet()), QStringLiteral("〔唐代〕李白"));
  EXPECT_EQ(reading::HeadingLine({QStringLiteral("t"), QStringLiteral("李白"), QString(), QString()}), QStringLiteral("李白"));
  EXPECT_EQ(reading::HeadingLine({QStringLiteral("t"), QString(), QStringLiteral("唐代"), QString()}), QStringLiteral("〔唐代〕"));
  EXPECT_EQ(reading::HeadingLine({}), QString());
}

TEST(PagePrinterTest, ThePdfsTextIsThePoemInReadingOrderWithEmbeddedFonts) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("quiet.pdf"));
  reading::WritePdf(file, Quiet(), PrintDirection::Horizontal, kKai);
  EXPECT_EQ(PdfLines(file), (QStringList{QStringLiteral("静夜思"), QStringLiteral("〔唐代〕李白"),
                                         QStringLiteral("床前明月光，疑是地上霜。"), QStringLiteral("举头望明月，低头思故乡。")}));
  EXPECT_EQ(PdfPages(file), 1);
  // pdffonts lists one line per font after two header lines; column "emb" says yes.
  const QStringList fonts = RunTool(QStringLiteral("pdffonts"), {file}).split(u'\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_FALSE(fonts.isEmpty());
  for (const QString& font : fonts) {
    const QStringList columns = font.split(u' ', Qt::SkipEmptyParts);
    ASSERT_GE(columns.size(), 5) << font.toStdString();
    EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << font.toStdString();  // emb sub uni object ID
  }
}

TEST(PagePrinterTest, LongTextsGoOnToFurtherPagesInOrder) {
  PrintedText t = Quiet();
  t.body.clear();
  QStringList expected{t.title, reading::HeadingLine(t)};
  for (int i = 1; i <= 90; ++i) {
    const QString line = QStringLiteral("第%1行诗句").arg(i);
    t.body += line + QStringLiteral("\r\n");
    expected << line;
  }
  // A line wider than the paper wraps and stays in order.
  const QString wide(80, u'长');
  t.body += wide;
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("long.pdf"));
  reading::WritePdf(file, t, PrintDirection::Horizontal, kKai);
  EXPECT_GE(PdfPages(file), 3);
  const QStringList lines = PdfLines(file);
  ASSERT_GE(lines.size(), expected.size() + 1);
  EXPECT_EQ(lines.mid(0, expected.size()), expected);
  EXPECT_EQ(lines.mid(expected.size()).join(QString()), wide);
}

// A line holding a character its face lacks (爲 in the kai face) keeps the
// same line pitch and baseline as the others.
TEST(PagePrinterTest, EveryLineKeepsOnePitchWhenACharacterFallsBack) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("pitch.pdf"));
  PrintedText t{QString(), QString(), QString(), QStringLiteral("之乎者也\r\n爲之乎也\r\n之乎者也\r\n劍之乎也\r\n之乎者也")};
  QFont kaiTw = kKai;
  kaiTw.setFamilies({QStringLiteral("AR PL UKai TW")});
  reading::WritePdf(file, t, PrintDirection::Horizontal, kaiTw);
  const QString html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
  // pdftotext gives each line as one word; a line's box grows with the taller
  // face, so the lines without 爲 are measured: they must stand one pitch apart.
  QList<double> bottoms;
  QStringList lines;
  const QRegularExpression word(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"[0-9.]+\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]+)<"));
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    bottoms << m.captured(1).toDouble();
    lines << m.captured(2);
  }
  ASSERT_EQ(lines.size(), 5) << html.toStdString();
  ASSERT_TRUE(lines[1].startsWith(u'爲'));
  const double pitch = bottoms[4] - bottoms[3];
  EXPECT_GT(pitch, 10);
  for (const int i : {0, 2, 3}) EXPECT_NEAR(bottoms[i], bottoms[4] - (4 - i) * pitch, 0.05) << i;
}

TEST(PagePrinterTest, SeveralTextsEachBeginAPageOfTheirOwn) {
  PrintedText second{QStringLiteral("春望"), QStringLiteral("杜甫"), QString(), QStringLiteral("国破山河在，城春草木深。")};
  QTemporaryDir dir;
  for (const PrintDirection direction : {PrintDirection::Horizontal, PrintDirection::Vertical}) {
    const QString file = dir.filePath(QStringLiteral("anthology.pdf"));
    reading::WritePdf(file, {Quiet(), second, Quiet()}, QStringLiteral("我的收藏"), direction, kKai);
    EXPECT_EQ(PdfPages(file), 3);
    EXPECT_TRUE(RunTool(QStringLiteral("pdfinfo"), {file}).contains(QStringLiteral("我的收藏")));
    // The second page holds the second text alone.
    const QString page2 = PdfLines(file, {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"), QStringLiteral("2"),
                                          QStringLiteral("-raw")}).join(QString()).remove(u' ');
    EXPECT_EQ(page2, QStringLiteral("春望杜甫国破山河在，城春草木深。"));
  }
}

TEST(PagePrinterTest, TheVerticalPageReadsFromTheRightInColumns) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("vertical.pdf"));
  reading::WritePdf(file, Quiet(), PrintDirection::Vertical, kKai);
  EXPECT_EQ(PdfPages(file), 1);
  // In drawing order the characters are the title, the heading, then the poem.
  const QString raw = PdfLines(file, {QStringLiteral("-raw")}).join(QString()).remove(u' ');
  EXPECT_EQ(raw, QStringLiteral("静夜思〔唐代〕李白床前明月光，疑是地上霜。举头望明月，低头思故乡。"));
  // The title's first character stands in the rightmost column of the A4 page
  // (595 points wide, 20 mm margins: the column starts 14 points left of 538),
  // the poem's first one a column to its left; the horizontal title is centred.
  EXPECT_NEAR(WordX(file, QStringLiteral("静")), 538.6 - 14, 1.0);
  EXPECT_LT(WordX(file, QStringLiteral("床")), WordX(file, QStringLiteral("静")) - 14);
  const QString flat = dir.filePath(QStringLiteral("flat.pdf"));
  reading::WritePdf(flat, Quiet(), PrintDirection::Horizontal, kKai);
  EXPECT_NEAR(WordX(flat, QStringLiteral("静夜思")), 595 / 2.0 - 30, 10.0);
}

TEST(PagePrinterTest, AFileThatCannotBeWrittenIsSaidPlainly) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("missing/folder/x.pdf"));
  try {
    reading::WritePdf(file, Quiet(), PrintDirection::Horizontal, kKai);
    FAIL() << "no error";
  } catch (const toolkit::Exception& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot create file \"") + file + u'"')) << e.what();
  }
}

TEST(PagePrinterTest, ExportingAsksForTheFileAndPrintsWhatIsShown) {
  ReadingForm r;
  r.ChooseAuthor(QStringLiteral("李白"));
  r.SelectPoem(QStringLiteral("静夜思"));
  r.Traditional(true);
  QString suggested;
  const QString chosen = r.fixture.Path(QStringLiteral("out"));
  r.Extras().AskPdfFile = [&](const QString& s) {
    suggested = s;
    return chosen;  // without the suffix: it is added
  };
  r.Extras().PdfItemClick();
  ASSERT_TRUE(r.Errors().isEmpty()) << r.Errors().join(u'|').toStdString();
  EXPECT_TRUE(suggested.endsWith(QStringLiteral("/靜夜思.pdf"))) << suggested.toStdString();
  EXPECT_EQ(PdfLines(chosen + QStringLiteral(".pdf")),
            (QStringList{QStringLiteral("靜夜思"), QStringLiteral("〔唐代〕李白"), QStringLiteral("牀前明月光，疑是地上霜。"),
                         QStringLiteral("舉頭望明月，低頭思故鄉。")}));
  // Cancelled: nothing is written.
  r.Extras().AskPdfFile = [](const QString&) { return QString(); };
  r.Extras().PdfItemClick();
  EXPECT_TRUE(r.Errors().isEmpty());

  // A biography is headed by the name, the era and the life dates.
  r.Traditional(false);
  r.ChooseEra(QStringLiteral("唐代"));
  r.form->ListView2->SetSelected(r.form->ListView2->Items().Item(1));
  const reading::PrintedText bio = r.Extras().TextToPrint();
  EXPECT_EQ(bio.title, QStringLiteral("杜甫"));
  EXPECT_EQ(reading::HeadingLine(bio), QStringLiteral("〔唐代〕712—770"));
}

TEST(PagePrinterTest, PrintingGoesToThePrinterTheDialogSetUp) {
  ReadingForm r;
  r.ChooseEra(QStringLiteral("宋代"));
  r.ChooseAuthor(QStringLiteral("苏轼"));
  r.SelectPoem(QStringLiteral("白发吟"));
  const QString file = r.fixture.Path(QStringLiteral("printed.pdf"));
  int asked = 0;
  r.Extras().AskPrinter = [&](QPrinter& printer) {
    ++asked;
    EXPECT_EQ(printer.docName(), QStringLiteral("白发吟"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return asked > 1;  // the first time the reader cancels
  };
  r.Extras().PrintItemClick();
  EXPECT_FALSE(QFile::exists(file));
  r.Extras().PrintItemClick();
  ASSERT_TRUE(r.Errors().isEmpty()) << r.Errors().join(u'|').toStdString();
  EXPECT_EQ(PdfLines(file), (QStringList{QStringLiteral("白发吟"), QStringLiteral("〔宋代〕苏轼"),
                                         QStringLiteral("白髮三千丈，缘愁似个长。"), QStringLiteral("后来头发白。")}));
}

// 注音 on paper: every character's pinyin over it (horizontal) or right of it
// (vertical), read from the stored text while the traditional one is printed;
// the characters themselves are printed as without it.
TEST(PagePrinterTest, PinyinStandsOverOrBesideEachCharacter) {
  QTemporaryDir dir;
  PrintedText text = Quiet();
  text.title = QStringLiteral("靜夜思");
  text.body = QStringLiteral("牀前明月光，疑是地上霜。\r\n舉頭望明月，低頭思故鄉。\r\n");
  text.pinyin = true;
  text.stored = {QStringLiteral("静夜思"), QStringLiteral("李白"), QStringLiteral("唐代"), Quiet().body};
  // Where a word lies: left edge and top, in points.
  const auto box = [](const QString& file, const QString& word) {
    const QString html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>") +
                                                         word + QStringLiteral("</word>"))
                                          .match(html);
    return m.hasMatch() ? QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                 QPointF(m.captured(3).toDouble(), m.captured(2).toDouble() + 1))
                        : QRectF();
  };
  for (const PrintDirection direction : {PrintDirection::Horizontal, PrintDirection::Vertical}) {
    SCOPED_TRACE(direction == PrintDirection::Horizontal ? "horizontal" : "vertical");
    const QString file = dir.filePath(QStringLiteral("pinyin-%1.pdf").arg(static_cast<int>(direction)));
    reading::WritePdf(file, text, direction, kKai);
    const QString words = PdfLines(file, {QStringLiteral("-raw")}).join(u' ');
    for (const char* reading : {"jìng", "chuáng", "shuāng", "jǔ", "xiāng"})
      EXPECT_TRUE(words.contains(QString::fromUtf8(reading))) << reading;
    EXPECT_TRUE(words.contains(QStringLiteral("牀"))) << "the printed character is the shown one";
    const QRectF bed = box(file, QStringLiteral("牀")), reading = box(file, QStringLiteral("chuáng"));
    ASSERT_TRUE(bed.isValid() && reading.isValid()) << words.toStdString();
    if (direction == PrintDirection::Horizontal) {
      EXPECT_LT(reading.top(), bed.top());
      EXPECT_LT(reading.left(), bed.right());
      EXPECT_GT(reading.right(), bed.left());
    } else {
      EXPECT_GE(reading.left(), bed.right());
      EXPECT_NEAR(reading.top(), bed.top(), 12);
    }
  }
}
