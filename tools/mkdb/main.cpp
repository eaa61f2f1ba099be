// cq-mkdb: builds an encrypted database file from tab-separated table sources.
//
//   cq-mkdb (--database poetry|format|lore | --password TEXT) --out FILE
//           --table NAME=SOURCE.tsv [--table ...] [--index NAME=TABLE(COL[,COL...]) ...]
//           [--search NAME=TABLE(COL[,COL...]) ...]
//
// The poetry database (--database poetry) always gets the word index of its
// poems' titles and contents, which the program's searches look in first.
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "data/Databases.h"
#include "toolkit/Exception.h"
#include "tools/mkdb/DbBuilder.h"

namespace {

int Usage(const QString& why) {
  QTextStream(stderr) << "cq-mkdb: " << why << "\n"
                      << "usage: cq-mkdb (--database poetry|format|lore | --password TEXT) --out FILE\n"
                      << "               --table NAME=SOURCE.tsv ... [--index NAME=TABLE(COL[,COL...]) ...]\n"
                      << "               [--search NAME=TABLE(COL[,COL...]) ...]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  QString out, password;
  bool havePassword = false;
  QList<QPair<QString, QString>> tableArgs;
  QList<dbbuild::Index> indexes;
  QList<dbbuild::SearchIndex> searchIndexes;
  bool poetry = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (i + 1 >= args.size()) return Usage(QStringLiteral("missing value after %1").arg(a));
    const QString v = args[++i];
    if (a == QStringLiteral("--out")) out = v;
    else if (a == QStringLiteral("--password")) {
      password = v;
      havePassword = true;
    } else if (a == QStringLiteral("--database")) {
      poetry = v == QStringLiteral("poetry");
      if (poetry) password = data::kPoetryDbPassword;
      else if (v == QStringLiteral("format")) password = data::kFormatDbPassword;
      else if (v == QStringLiteral("lore")) password = data::kLoreDbPassword;
      else return Usage(QStringLiteral("unknown database %1").arg(v));
      havePassword = true;
    } else if (a == QStringLiteral("--table")) {
      const qsizetype eq = v.indexOf(u'=');
      if (eq <= 0) return Usage(QStringLiteral("bad --table %1").arg(v));
      tableArgs.append({v.left(eq), v.mid(eq + 1)});
    } else if (a == QStringLiteral("--index") || a == QStringLiteral("--search")) {
      static const QRegularExpression re(QStringLiteral("^(\\w+)=(\\w+)\\(([\\w,]+)\\)$"));
      const auto m = re.match(v);
      if (!m.hasMatch()) return Usage(QStringLiteral("bad %1 %2").arg(a, v));
      if (a == QStringLiteral("--index")) indexes.append({m.captured(1), m.captured(2), m.captured(3).split(u',')});
      else searchIndexes.append({m.captured(1), m.captured(2), m.captured(3).split(u',')});
    } else {
      return Usage(QStringLiteral("unknown option %1").arg(a));
    }
  }
  if (out.isEmpty() || !havePassword || tableArgs.isEmpty()) return Usage(QStringLiteral("missing --out, password or --table"));
  try {
    QList<dbbuild::Table> tables;
    for (const auto& [name, path] : tableArgs) tables.append(dbbuild::ReadTableSource(name, path));
    const bool hasPoems = std::any_of(tables.begin(), tables.end(), [](const dbbuild::Table& t) {
      return t.name.compare(QStringLiteral("poetry"), Qt::CaseInsensitive) == 0;
    });
    if (poetry && hasPoems) searchIndexes.append(dbbuild::PoetrySearchIndex());
    dbbuild::WriteDatabase(out, password, tables, indexes, searchIndexes);
    int rows = 0;
    for (const auto& t : tables) rows += static_cast<int>(t.rows.size());
    QTextStream(stdout) << "cq-mkdb: wrote " << out << " (" << tables.size() << " tables, " << rows << " rows)\n";
  } catch (const toolkit::Exception& e) {
    QTextStream(stderr) << "cq-mkdb: " << e.Message() << "\n";
    return 1;
  }
  return 0;
}
