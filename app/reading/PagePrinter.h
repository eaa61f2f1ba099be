#pragma once
// The printed page of what the reader reads: the title, then a line with the
// era and the author (or the life dates under an author's name), then the text
// as the pane shows it; horizontal, or set vertically as in the reading window.
// It prints on any paged device: the printer chosen in the print dialog or a
// PDF file, whose fonts are embedded and whose text stays selectable. With
// 注音 every character has its pinyin over it (beside it, set vertically).
#include <QFont>
#include <QList>
#include <QString>

class QPagedPaintDevice;

namespace reading {

struct PrintedText {
  QString title;
  QString byline;  // the author, or the life dates for a biography
  QString era;
  QString body;  // lines separated by CR LF, LF or CR
  // 注音, read from the texts as the database holds them (the shown ones may
  // be in traditional script); a stored text that is empty or differs in
  // length from the shown one leaves the shown one to be read by itself.
  bool pinyin = false;
  struct Stored {
    QString title, byline, era, body;
  } stored = {};
};

// The line under the title: "〔era〕byline", either part left out when empty.
QString HeadingLine(const PrintedText& text);
QString HeadingLine(const QString& era, const QString& byline);

enum class PrintDirection { Horizontal, Vertical };

// Paints the text on the device's pages, starting on its current page; the
// device's page layout gives the paper and the margins. `face` gives the family.
void PrintText(QPagedPaintDevice& device, const PrintedText& text, PrintDirection direction, const QFont& face);

// Several texts, each from a new page on.
void PrintTexts(QPagedPaintDevice& device, const QList<PrintedText>& texts, PrintDirection direction, const QFont& face);

// Writes the text to a PDF file on A4 paper; raises toolkit::Exception when
// the file cannot be written.
void WritePdf(const QString& file, const PrintedText& text, PrintDirection direction, const QFont& face);
// Several texts, each from a new page on, under the document title `title`.
void WritePdf(const QString& file, const QList<PrintedText>& texts, const QString& title, PrintDirection direction,
              const QFont& face);

}  // namespace reading
