#pragma once
// The command-line tools the reading tests check against: OpenCC's own
// converter and poppler's PDF tools.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace reading_test {

// Runs a tool with `input` on its standard input and returns its standard output.
inline QString RunTool(const QString& program, const QStringList& args, const QByteArray& input = {}) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForStarted(10000)) return QStringLiteral("<%1 did not start>").arg(program);
  p.write(input);
  p.closeWriteChannel();
  if (!p.waitForFinished(120000)) return QStringLiteral("<%1 did not finish>").arg(program);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// A PDF's text lines as pdftotext reads them, blank ones left out.
inline QStringList PdfLines(const QString& file, const QStringList& options = {}) {
  return RunTool(QStringLiteral("pdftotext"), options + QStringList{file, QStringLiteral("-")})
      .split(QRegularExpression(QStringLiteral("[\\n\\f]")), Qt::SkipEmptyParts);
}

// A text as `opencc -c profile` converts it.
inline QString Opencc(const QString& profile, const QString& text) {
  return RunTool(QStringLiteral("opencc"), {QStringLiteral("-c"), profile}, text.toUtf8());
}

}  // namespace reading_test
