#pragma once
// The reader's favourites written out as an anthology: a UTF-8 text or a
// Markdown file (and a PDF through the page printer).
#include <QList>
#include <QString>

namespace anthology {

struct AnthologyPoem {
  QString title;
  QString author;
  QString era;
  QString form;
  QString body;          // lines separated by CR LF, LF or CR
  bool missing = false;  // not in the library in use: only the first line is known (in body)
};

enum class ExportFormat { Text, Markdown };

// The note printed under a poem that the library in use does not hold.
QString MissingNote();

// The whole anthology, headed "我的收藏", each poem with its title, a line
// "〔era〕author · form" and its lines.
QString FormatAnthology(const QList<AnthologyPoem>& poems, ExportFormat format);

// Writes the anthology to `file` as UTF-8, replacing the file only once the
// whole text is on the disk; raises toolkit::Exception when it cannot be written.
void WriteAnthology(const QString& file, const QList<AnthologyPoem>& poems, ExportFormat format);

// The format a file name asks for: Markdown for ".md" and ".markdown" (either case), else text.
ExportFormat FormatForFile(const QString& file);

}  // namespace anthology
