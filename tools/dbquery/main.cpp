// cq-dbquery: checks the program's data by hand.
//
//   cq-dbquery poetry|format|lore "SELECT ..." [value ...]
//   cq-dbquery --file FILE --password TEXT "SELECT ..." [value ...]
//
// The file is opened the way the program opens it (relative names against the
// current directory, read-only, through the cursor layer). Values after the
// statement are bound to its "?" placeholders in order. Rows are printed one a
// line, fields separated by TAB, after a line of field names; line breaks and
// tabs inside values are shown as "\n" and "\t". The last line gives the count.
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "toolkit/Exception.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

QString Shown(QString v) {
  v.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  v.replace(QLatin1Char('\t'), QLatin1String("\\t"));
  v.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  v.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  return v;
}

int Usage() {
  QTextStream(stderr) << "usage: cq-dbquery poetry|format|lore \"SELECT ...\" [value ...]\n"
                         "       cq-dbquery --file FILE --password TEXT \"SELECT ...\" [value ...]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QString file;
  QString password;
  if (args.size() >= 2 && args[0] == QLatin1String("--file")) {
    if (args.size() < 5 || args[2] != QLatin1String("--password")) return Usage();
    file = args[1];
    password = args[3];
    args = args.mid(4);
  } else if (!args.isEmpty()) {
    const QString which = args.takeFirst();
    if (which == QLatin1String("poetry")) {
      file = data::kPoetryDbFile;
      password = data::kPoetryDbPassword;
    } else if (which == QLatin1String("format")) {
      file = data::kFormatDbFile;
      password = data::kFormatDbPassword;
    } else if (which == QLatin1String("lore")) {
      file = data::kLoreDbFile;
      password = data::kLoreDbPassword;
    } else {
      return Usage();
    }
  }
  if (file.isEmpty() || args.isEmpty()) return Usage();
  const QString sql = args.takeFirst();
  if (!sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive)) {
    QTextStream(stderr) << "cq-dbquery: only SELECT statements are run\n";
    return 2;
  }
  QVariantList params;
  for (const QString& a : args) params << a;

  QTextStream out(stdout);
  try {
    data::TADOQuery q(QStringLiteral("cq-dbquery"));
    q.SetConnectionString(data::MakeConnectionString(file, password));
    q.SetSQL(sql);
    if (!params.isEmpty()) q.SetParams(params);
    q.Open();
    out << q.FieldNames().join(QLatin1Char('\t')) << '\n';
    int rows = 0;
    while (!q.Eof() && q.RecordCount() > 0) {
      QStringList fields;
      for (int i = 0; i < q.FieldCount(); ++i) fields << Shown(q.Fields(i).AsString());
      out << fields.join(QLatin1Char('\t')) << '\n';
      ++rows;
      q.Next();
    }
    out << "(" << rows << (rows == 1 ? " row)" : " rows)") << '\n';
  } catch (const toolkit::Exception& e) {
    out.flush();
    QTextStream(stderr) << "cq-dbquery: " << e.Message() << '\n';
    return 1;
  }
  return 0;
}
