#include "app/anthology/AnthologyExport.h"

#include <QRegularExpression>
#include <QSaveFile>

#include "platform/Dialogs.h"
#include "toolkit/Exception.h"

namespace anthology {

namespace {

QStringList Lines(const QString& text) {
  QStringList lines = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\n|\\r")));
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  while (!lines.isEmpty() && lines.first().trimmed().isEmpty()) lines.removeFirst();
  return lines;
}

QString Byline(const AnthologyPoem& p) {
  QString line = p.era.isEmpty() ? p.author : QStringLiteral("〔%1〕%2").arg(p.era, p.author);
  if (!p.form.isEmpty()) line += QStringLiteral(" · ") + p.form;
  return line;
}

// Characters that Markdown would read as markup, written as themselves.
QString Escaped(const QString& s) {
  static const QString kMarkup = QStringLiteral("\\`*_{}[]<>()#+-.!|~");
  QString out;
  out.reserve(s.size());
  for (const QChar c : s) {
    if (kMarkup.contains(c)) out += u'\\';
    out += c;
  }
  return out;
}

}  // namespace

QString MissingNote() { return QStringLiteral("（当前的诗库中没有这首作品，只留有它的首句。）"); }

QString FormatAnthology(const QList<AnthologyPoem>& poems, ExportFormat format) {
  const bool md = format == ExportFormat::Markdown;
  const QString heading = QStringLiteral("我的收藏（%1 首）").arg(poems.size());
  QString out = md ? QStringLiteral("# ") + heading + QStringLiteral("\n") : heading + QStringLiteral("\n");
  for (const AnthologyPoem& p : poems) {
    out += u'\n';
    if (md) {
      out += QStringLiteral("## ") + Escaped(p.title) + QStringLiteral("\n\n*") + Escaped(Byline(p)) + QStringLiteral("*\n\n");
      const QStringList lines = Lines(p.body);
      // Each line of the poem on a line of its own: a hard break ends every line but the last.
      for (qsizetype i = 0; i < lines.size(); ++i)
        out += Escaped(lines[i].trimmed()) + (i + 1 < lines.size() ? QStringLiteral("\\\n") : QStringLiteral("\n"));
      if (p.missing) out += u'\n' + MissingNote() + u'\n';
    } else {
      out += p.title + u'\n' + Byline(p) + u'\n';
      for (const QString& line : Lines(p.body)) out += line.trimmed() + u'\n';
      if (p.missing) out += MissingNote() + u'\n';
    }
  }
  return out;
}

void WriteAnthology(const QString& file, const QList<AnthologyPoem>& poems, ExportFormat format) {
  QSaveFile out(file);
  const QByteArray bytes = FormatAnthology(poems, format).toUtf8();
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
    throw toolkit::Exception(platform::ReaderMessage(
        QStringLiteral("收藏没有导出：文件“%1”不能写入。请换一个文件夹或文件名再试。").arg(file),
        QStringLiteral("anthology export: %1").arg(out.errorString())));
}

ExportFormat FormatForFile(const QString& file) {
  return file.endsWith(QStringLiteral(".md"), Qt::CaseInsensitive) ||
                 file.endsWith(QStringLiteral(".markdown"), Qt::CaseInsensitive)
             ? ExportFormat::Markdown
             : ExportFormat::Text;
}

}  // namespace anthology
