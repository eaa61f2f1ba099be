#include "app/reading/PagePrinter.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>

#include "app/reading/VerticalLayout.h"
#include "app/reading/VerticalPainter.h"
#include "app/reading/VerticalPinyin.h"
#include "app/study/RubyLayout.h"
#include "platform/Dialogs.h"
#include "toolkit/Exception.h"

namespace reading {

namespace {

constexpr double kTitlePoints = 20;
constexpr double kHeadingPoints = 12;
constexpr double kBodyPoints = 14;
constexpr double kMarginMm = 20;

QFont Sized(const QFont& face, double points, bool bold = false) {
  QFont f(face.family());
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

QStringList Lines(const QString& text) {
  QStringList lines = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\n|\\r")));
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// A font in the device's own pixels: the ruby layout measures in pixels.
QFont AtDevice(const QFont& font, const QPaintDevice& device) {
  QFont f = font;
  f.setPixelSize(std::max(1, qRound(font.pointSizeF() * device.logicalDpiY() / 72.0)));
  return f;
}

// Lays paragraphs down the page, wrapping them at the page width and starting
// a new page when the next line does not fit.
class HorizontalWriter {
 public:
  HorizontalWriter(QPainter& p, QPagedPaintDevice& device) : p_(p), device_(device) {}

  void Paragraph(const QString& text, const QFont& font, Qt::Alignment align) {
    QTextLayout layout(text, font, &device_);
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
      line.setLineWidth(device_.width());
    layout.endLayout();
    // Every line of a paragraph keeps the face's own height and baseline, also
    // when a character falls back to a taller face.
    const QFontMetricsF metrics(font, &device_);
    const qreal pitch = metrics.height();
    for (int i = 0; i < layout.lineCount(); ++i) {
      const QTextLine line = layout.lineAt(i);
      if (y_ > 0 && y_ + pitch > device_.height()) {
        device_.newPage();
        y_ = 0;
      }
      line.draw(&p_, QPointF(0, y_ + metrics.ascent() - line.ascent() - line.y()));
      y_ += pitch;
    }
  }
  // The same with pinyin over the characters, read from `stored`: rows of
  // ruby cells a row pitch apart, whatever face a character falls back to.
  void RubyParagraph(const QString& shown, const QString& stored, const QFont& font, Qt::Alignment align) {
    const QFont text = AtDevice(font);
    const QFont pinyin = study::PinyinFontFor(text);
    const study::RubyMetrics m = study::RubyMetrics::ForFonts(text, pinyin);
    const study::RubyText laid = study::LayRuby(study::Annotate(shown, stored), m, device_.width());
    const int height = m.pinyinHeight + m.pinyinGap + m.textHeight, pitch = height + m.rowGap;
    qsizetype next = 0;  // the boxes come row by row
    for (int row = 0; row < laid.rows; ++row) {
      if (y_ > 0 && y_ + height > device_.height()) {
        device_.newPage();
        y_ = 0;
      }
      study::RubyText one;
      int right = 0;
      for (; next < laid.boxes.size() && laid.boxes[next].row == row; ++next) {
        one.boxes.append(laid.boxes[next]);
        right = std::max(right, laid.boxes[next].cell.x() + laid.boxes[next].cell.width());
      }
      const int left = align & Qt::AlignHCenter ? (device_.width() - right) / 2 : 0;
      study::PaintRuby(p_, one, text, pinyin, QPoint(left, qRound(y_) - row * pitch));
      y_ += pitch;
    }
  }
  void Space(const QFont& font) { y_ += QFontMetricsF(font, &device_).lineSpacing() / 2; }

 private:
  QFont AtDevice(const QFont& font) const { return reading::AtDevice(font, device_); }

  QPainter& p_;
  QPagedPaintDevice& device_;
  qreal y_ = 0;
};

void PrintHorizontal(QPainter& p, QPagedPaintDevice& device, const PrintedText& text, const QFont& face) {
  HorizontalWriter writer(p, device);
  auto paragraph = [&](const QString& shown, const QString& stored, const QFont& font, Qt::Alignment align) {
    if (text.pinyin) writer.RubyParagraph(shown, stored, font, align);
    else writer.Paragraph(shown, font, align);
  };
  const QFont body = Sized(face, kBodyPoints);
  const QString heading = HeadingLine(text);
  if (!text.title.isEmpty())
    paragraph(text.title, text.stored.title, Sized(face, kTitlePoints, true), Qt::AlignHCenter);
  if (!heading.isEmpty())
    paragraph(heading, HeadingLine(text.stored.era, text.stored.byline), Sized(face, kHeadingPoints), Qt::AlignHCenter);
  if (!text.title.isEmpty() || !heading.isEmpty()) writer.Space(body);
  const QStringList lines = Lines(text.body), stored = Lines(text.stored.body);
  for (qsizetype i = 0; i < lines.size(); ++i)
    paragraph(lines[i], stored.size() == lines.size() ? stored[i] : QString(), body, Qt::AlignLeft);
}

void PrintVertical(QPainter& p, QPagedPaintDevice& device, const PrintedText& text, const QFont& face) {
  const int cell = qRound(kBodyPoints * device.logicalDpiY() / 72.0);
  VerticalMetrics metrics = MetricsForCell(cell);
  // The paper's margins are the device's; only the room for a hanging mark stays.
  metrics.margins = QMargins(0, 0, 0, metrics.cell + metrics.rowGap);
  const VerticalText shown{text.title, HeadingLine(text), text.body};
  // 注音: the pinyin beside the columns, as the reading window sets them.
  QStringList readings;
  QFont pinyin;
  study::RubyMetrics m;
  if (text.pinyin) {
    QFont sized = face;
    sized.setPixelSize(cell);
    pinyin = study::PinyinFontFor(sized);
    m = study::RubyMetrics::ForFonts(sized, pinyin);
    readings = GlyphReadings(shown, {text.stored.title, HeadingLine(text.stored.era, text.stored.byline), text.stored.body});
    metrics = WithRoomForPinyin(metrics, readings, m);
  }
  const VerticalLayout layout(QSize(device.width(), device.height()), metrics);
  const QList<VerticalPage> pages = layout.Lay(shown);
  int first = 0;
  for (qsizetype i = 0; i < pages.size(); ++i) {
    if (i > 0) device.newPage();
    PaintVerticalPage(p, pages[i], face, cell);
    if (text.pinyin) PaintPinyinBeside(p, PinyinBesideColumns(pages[i], first, readings, m), first, readings, pinyin);
    first += static_cast<int>(pages[i].glyphs.size());
  }
}

}  // namespace

QString HeadingLine(const QString& era, const QString& byline) {
  return (era.isEmpty() ? QString() : QStringLiteral("〔") + era + QStringLiteral("〕")) + byline;
}

QString HeadingLine(const PrintedText& text) { return HeadingLine(text.era, text.byline); }

void PrintTexts(QPagedPaintDevice& device, const QList<PrintedText>& texts, PrintDirection direction, const QFont& face) {
  QPainter p(&device);
  if (!p.isActive())
    throw toolkit::Exception(platform::ReaderMessage(QStringLiteral("无法打印：打印机不能使用。请检查打印机是否已连接、设置是否正确。"),
                                                     QStringLiteral("The printer cannot be used")));
  p.setPen(Qt::black);
  for (qsizetype i = 0; i < texts.size(); ++i) {
    if (i > 0) device.newPage();
    if (direction == PrintDirection::Vertical)
      PrintVertical(p, device, texts[i], face);
    else
      PrintHorizontal(p, device, texts[i], face);
  }
}

void PrintText(QPagedPaintDevice& device, const PrintedText& text, PrintDirection direction, const QFont& face) {
  PrintTexts(device, {text}, direction, face);
}

void WritePdf(const QString& file, const QList<PrintedText>& texts, const QString& title, PrintDirection direction,
              const QFont& face) {
  {
    // Said plainly before anything is drawn: the writer itself only fails to paint.
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly))
      throw toolkit::Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(file, probe.errorString()));
  }
  {
    QPdfWriter writer(file);
    writer.setCreator(QStringLiteral("Cinnabarquillpad"));
    writer.setTitle(title);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    PrintTexts(writer, texts, direction, face);
  }
  if (!QFileInfo(file).isFile() || QFileInfo(file).size() == 0)
    throw toolkit::Exception(QStringLiteral("Cannot create file \"%1\"").arg(file));
}

void WritePdf(const QString& file, const PrintedText& text, PrintDirection direction, const QFont& face) {
  WritePdf(file, {text}, text.title, direction, face);
}

}  // namespace reading
