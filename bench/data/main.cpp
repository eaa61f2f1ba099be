// Times the cursor on a 100,000-row result set: open (fetching every row), a
// walk from first to last reading two fields per row, and a locate of the last
// row's key. Prints the median of five runs of each.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "data/Connection.h"
#include "data/Query.h"
#include "tools/mkdb/DbBuilder.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
  QTemporaryDir dir;
  QDir::setCurrent(dir.path());

  dbbuild::Table table;
  table.name = QStringLiteral("poetry");
  for (const char* c : {"title", "authorname", "formatName", "head", "content"}) table.columns.append({QString::fromLatin1(c), false});
  for (int i = 0; i < rows; ++i) {
    const QString n = QString::number(i);
    table.rows.append({QStringLiteral("标题") + n, QStringLiteral("作者") + QString::number(i % 500), QStringLiteral("五言绝句"),
                       QStringLiteral("首句第") + n + QStringLiteral("行"),
                       QStringLiteral("床前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。") + n});
  }
  dbbuild::WriteDatabase(dir.filePath(QStringLiteral("dat/db3.dat")), QStringLiteral("朱砂笔"), {table});

  data::TADOQuery q(QStringLiteral("ADOQuery1"));
  q.SetConnectionString(data::MakeConnectionString(QStringLiteral("dat\\db3.dat"), QStringLiteral("朱砂笔")));
  std::vector<double> open, walk, locate;
  for (int run = 0; run < 5; ++run) {
    q.SetSQL(QStringLiteral("select title,authorname,formatName,head,content from poetry"));
    QElapsedTimer t;
    t.start();
    q.Open();
    open.push_back(t.nsecsElapsed() / 1e6);
    t.restart();
    qsizetype chars = 0;
    while (!q.Eof()) {
      chars += q.FieldByName(QStringLiteral("title")).AsString().size() + q.FieldByName(QStringLiteral("head")).AsString().size();
      q.Next();
    }
    walk.push_back(t.nsecsElapsed() / 1e6);
    q.First();
    t.restart();
    const bool found = q.Locate(QStringLiteral("head"), QStringLiteral("首句第%1行").arg(rows - 1));
    locate.push_back(t.nsecsElapsed() / 1e6);
    if (!found || q.RecNo() != rows || chars == 0) {
      std::fprintf(stderr, "unexpected result\n");
      return 1;
    }
  }
  std::printf("rows: %d\n", rows);
  std::printf("open (fetch all rows): %.1f ms\n", Median(open));
  std::printf("walk first to last:    %.1f ms\n", Median(walk));
  std::printf("open + walk:           %.1f ms   (goal < 150 ms)\n", Median(open) + Median(walk));
  std::printf("locate last row:       %.2f ms   (goal < 10 ms)\n", Median(locate));
  return 0;
}
