// Checks the installation data as the program reads it: setup.ini beside the
// program and the three databases through the program's own cursor layer.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "platform/Gbk.h"
#include "platform/Profile.h"

namespace {

QString FromEnv(const char* name, const char* fallback) {
  const QString v = QString::fromLocal8Bit(qgetenv(name));
  return v.isEmpty() ? QString::fromUtf8(fallback) : v;
}
QString BinDir() { return FromEnv("CQ_BIN_DIR", CQ_DEFAULT_BIN_DIR); }
QString SourceDir() { return FromEnv("CQ_SOURCE_DIR", CQ_DEFAULT_SOURCE_DIR); }

class ShippedData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(BinDir().isEmpty());
    previous_ = QDir::currentPath();
    // The program opens its databases relative to its own directory.
    ASSERT_TRUE(QDir::setCurrent(BinDir()));
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  // All rows of a query, each field as text.
  static QList<QStringList> Rows(const QString& file, const QString& password, const QString& sql,
                                 const QVariantList& params = {}) {
    data::TADOQuery q(QStringLiteral("check"));
    q.SetConnectionString(data::MakeConnectionString(file, password));
    q.SetSQL(sql);
    if (!params.isEmpty()) q.SetParams(params);
    q.Open();
    QList<QStringList> rows;
    if (q.RecordCount() == 0) return rows;
    q.First();
    while (true) {
      QStringList r;
      for (int i = 0; i < q.FieldCount(); ++i) r << q.Fields(i).AsString();
      rows << r;
      if (q.RecNo() == q.RecordCount()) break;
      q.Next();
    }
    return rows;
  }
  static QList<QStringList> Poetry(const QString& sql, const QVariantList& params = {}) {
    return Rows(data::kPoetryDbFile, data::kPoetryDbPassword, sql, params);
  }

  static QStringList Eras(const QString& countKey, const QString& section) {
    const QString ini = BinDir() + QStringLiteral("/setup.ini");
    bool ok = false;
    const int n = platform::ReadProfileString(ini, QStringLiteral("item"), countKey).toInt(&ok);
    EXPECT_TRUE(ok) << countKey.toStdString();
    QStringList names;
    for (int i = 1; i <= n; ++i) names << platform::ReadProfileString(ini, section, QString::number(i));
    return names;
  }

  static bool InGbk(const QString& s) { return platform::FromGbk(platform::ToGbk(s)) == s; }

  QString previous_;
};

TEST_F(ShippedData, SettingsFileIsGbkWithCrLfAndTipDefaults) {
  QFile f(SourceDir() + QStringLiteral("/install/setup.ini"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  // Every line ends in CR LF, and no byte sequence is UTF-8 text in disguise.
  EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
  EXPECT_TRUE(bytes.endsWith("\r\n"));
  EXPECT_EQ(platform::ToGbk(platform::FromGbk(bytes)), bytes);
  EXPECT_TRUE(platform::FromGbk(bytes).contains(QStringLiteral("[china]")));
  EXPECT_FALSE(bytes.contains(QByteArray("唐代")));  // UTF-8 bytes of an era name
  const QString ini = BinDir() + QStringLiteral("/setup.ini");
  EXPECT_EQ(platform::ReadProfileString(ini, QStringLiteral("tip"), QStringLiteral("tip")), QStringLiteral("1"));
  EXPECT_EQ(platform::ReadProfileString(ini, QStringLiteral("tip"), QStringLiteral("count")), QStringLiteral("0"));
}

TEST_F(ShippedData, EveryEraAndCountryHasAuthors) {
  const QStringList china = Eras(QStringLiteral("china"), QStringLiteral("china"));
  const QStringList foreign = Eras(QStringLiteral("fremdness"), QStringLiteral("fremdness"));
  for (const char* era : {"先秦", "两汉", "魏晋", "唐代", "五代", "宋代", "元代", "清代"})
    EXPECT_TRUE(china.contains(QString::fromUtf8(era))) << era;
  EXPECT_GE(foreign.size(), 8);
  QStringList all = china + foreign;
  EXPECT_EQ(QSet<QString>(all.begin(), all.end()).size(), all.size()) << "an era is listed twice";
  for (const QString& era : all) {
    ASSERT_FALSE(era.isEmpty());
    const auto rows = Poetry(QStringLiteral("select authorname,poetryTotal from author where agename=?"), {era});
    EXPECT_FALSE(rows.isEmpty()) << era.toStdString();
    if (foreign.contains(era)) {
      EXPECT_GE(rows.size(), 2) << era.toStdString();
      for (const QStringList& r : rows) EXPECT_GE(r[1].toInt(), 3) << r[0].toStdString();
    }
  }
  // And no author belongs to an era the settings file does not offer.
  for (const QStringList& r : Poetry(QStringLiteral("select distinct agename from author")))
    EXPECT_TRUE(all.contains(r[0])) << r[0].toStdString();
}

TEST_F(ShippedData, EveryAuthorsPoemsArePresentAndCounted) {
  const auto authors = Poetry(QStringLiteral(
      "select a.authorname,a.poetryTotal,(select count(*) from poetry p where p.authorname=a.authorname),"
      "a.authoryear,a.content from author a"));
  ASSERT_GT(authors.size(), 150);
  QSet<QString> names;
  for (const QStringList& r : authors) {
    EXPECT_FALSE(names.contains(r[0])) << "author listed twice: " << r[0].toStdString();
    names.insert(r[0]);
    EXPECT_GT(r[1].toInt(), 0) << r[0].toStdString();
    EXPECT_EQ(r[1], r[2]) << r[0].toStdString();
    EXPECT_FALSE(r[3].isEmpty()) << r[0].toStdString();
    EXPECT_GE(r[4].size(), 8) << "biography too short: " << r[0].toStdString();
    EXPECT_FALSE(r[4].startsWith(QStringLiteral("--"))) << r[0].toStdString();
  }
  EXPECT_EQ(Poetry(QStringLiteral("select count(*) from poetry where authorname not in (select authorname from author)"))
                .value(0)
                .value(0),
            QStringLiteral("0"));
  // Unknown authors of different eras are kept apart.
  for (const char* bare : {"无名氏", "佚名", "不详"})
    EXPECT_FALSE(names.contains(QString::fromUtf8(bare))) << bare;
  EXPECT_TRUE(names.contains(QStringLiteral("无名氏（唐）")));
  EXPECT_TRUE(names.contains(QStringLiteral("无名氏（先秦）")));
}

TEST_F(ShippedData, TheNamedCollectionsAreThere) {
  const auto count = [](const QString& author) {
    return Poetry(QStringLiteral("select count(*) from poetry where authorname=?"), {author}).value(0).value(0).toInt();
  };
  EXPECT_GE(count(QStringLiteral("无名氏（先秦）")), 300);  // the Book of Songs
  EXPECT_GE(count(QStringLiteral("屈原")), 20);
  EXPECT_GE(count(QStringLiteral("曹操")), 20);
  EXPECT_GE(count(QStringLiteral("李白")), 25);
  EXPECT_GE(count(QStringLiteral("温庭筠")), 60);
  EXPECT_GE(count(QStringLiteral("李煜")), 30);
  EXPECT_GE(count(QStringLiteral("苏轼")), 10);
  EXPECT_GE(count(QStringLiteral("马致远")), 1);
  EXPECT_GE(count(QStringLiteral("纳兰性德")), 200);
  const auto autumn = Poetry(QStringLiteral("select title,formatName from poetry where head=?"),
                             {QStringLiteral("枯藤老树昏鸦，小桥流水人家，古道西风瘦马。")});
  ASSERT_EQ(autumn.size(), 1);
  EXPECT_EQ(autumn[0][0], QStringLiteral("天净沙·秋思"));
  EXPECT_EQ(autumn[0][1], QStringLiteral("越调·天净沙"));
}

TEST_F(ShippedData, PoemsHaveFirstLinesFormsAndCleanText) {
  const auto poems = Poetry(QStringLiteral("select title,authorname,formatName,head,content from poetry"));
  ASSERT_GT(poems.size(), 1500);
  const QSet<QString> regulated = {QStringLiteral("五言律诗"), QStringLiteral("七言律诗")};
  QSet<QString> heads;
  for (const QStringList& p : poems) {
    const std::string id = (p[1] + QStringLiteral(" ") + p[0]).toStdString();
    EXPECT_FALSE(p[0].isEmpty()) << id;
    EXPECT_NE(p[0], QStringLiteral("句")) << id;
    ASSERT_FALSE(p[3].isEmpty()) << id;
    EXPECT_FALSE(p[2].isEmpty()) << id;
    // The first line is the text's first line, and the text keeps its breaks.
    EXPECT_EQ(p[4].section(QLatin1Char('\n'), 0, 0), p[3]) << id;
    // Locating a poem by its first line within its author's poems must land on it.
    const QString key = p[1] + QLatin1Char('\x1f') + p[3].toLower();
    EXPECT_FALSE(heads.contains(key)) << "first line shared within an author: " << id;
    heads.insert(key);
    const QString body = p[4].section(QStringLiteral("\n\n注："), 0, 0);
    EXPECT_FALSE(body.contains(QStringLiteral("□"))) << id;
    EXPECT_FALSE(body.contains(QStringLiteral("（一作"))) << id;
    EXPECT_FALSE(body.contains(QStringLiteral("(一作"))) << id;
    EXPECT_TRUE(body.contains(QRegularExpression(QStringLiteral("\\p{Han}")))) << id;
    EXPECT_FALSE(p[0].contains(QChar(0x30FB))) << id;  // the second kind of middle dot
    EXPECT_FALSE(p[4].contains(QLatin1Char('\r'))) << id;
    // Regulated verse never comes from shape alone: it is eight lines at most.
    if (regulated.contains(p[2])) {
      EXPECT_LE(p[4].count(QLatin1Char('\n')), 7) << id;
    }
  }
}

TEST_F(ShippedData, EveryFormHasAnExplanation) {
  const auto formats = Rows(data::kFormatDbFile, data::kFormatDbPassword, QStringLiteral("select formatname,content from format"));
  QHash<QString, QString> text;
  for (const QStringList& r : formats) {
    EXPECT_FALSE(text.contains(r[0].toLower())) << r[0].toStdString();
    text.insert(r[0].toLower(), r[1]);
  }
  for (const QStringList& r : Poetry(QStringLiteral("select distinct formatName from poetry"))) {
    ASSERT_TRUE(text.contains(r[0].toLower())) << r[0].toStdString();
    // A few sentences, not a bare label.
    EXPECT_GE(text[r[0].toLower()].count(QStringLiteral("。")), 2) << r[0].toStdString();
  }
  // The form label's text before any poem is chosen.
  EXPECT_TRUE(text.contains(QStringLiteral("诗词")));
  for (const char* form : {"诗经体", "楚辞体", "乐府", "五言绝句", "七言律诗", "自由诗", "十四行诗", "俳句"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(form))) << form;
}

TEST_F(ShippedData, TipsAreThere) {
  const auto tips = Rows(data::kLoreDbFile, data::kLoreDbPassword, QStringLiteral("select loreTitle,content from lore"));
  EXPECT_GE(tips.size(), 40);
  QSet<QString> titles;
  for (const QStringList& t : tips) {
    EXPECT_FALSE(t[0].isEmpty());
    EXPECT_GE(t[1].size(), 20) << t[0].toStdString();
    titles.insert(t[0]);
  }
  EXPECT_EQ(titles.size(), tips.size());
}

TEST_F(ShippedData, NoTextLeavesGbk) {
  const struct {
    QString file, password, sql;
  } tables[] = {
      {data::kPoetryDbFile, data::kPoetryDbPassword, QStringLiteral("select * from author")},
      {data::kPoetryDbFile, data::kPoetryDbPassword, QStringLiteral("select * from poetry")},
      {data::kFormatDbFile, data::kFormatDbPassword, QStringLiteral("select * from format")},
      {data::kLoreDbFile, data::kLoreDbPassword, QStringLiteral("select * from lore")},
  };
  size_t checked = 0;
  for (const auto& t : tables) {
    for (const QStringList& row : Rows(t.file, t.password, t.sql)) {
      for (const QString& field : row) {
        EXPECT_TRUE(InGbk(field)) << field.left(40).toStdString();
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 10000u);
}

// The committed sources are exactly what the converter makes of the package:
// running it again gives identical files. Needs the unpacked package, named by
// CQ_POETRY_PACKAGE (default /work/cache/package).
TEST(ShippedSources, ConverterReproducesTheCommittedSources) {
  QString package = QString::fromLocal8Bit(qgetenv("CQ_POETRY_PACKAGE"));
  if (package.isEmpty()) package = QStringLiteral("/work/cache/package");
  if (!QDir(package + QStringLiteral("/dist")).exists()) GTEST_SKIP() << "poetry package not unpacked";
  QTemporaryDir out;
  ASSERT_TRUE(out.isValid());
  QProcess p;
  p.start(QStringLiteral(CQ_CORPUS_TOOL),
          {QStringLiteral("--package"), package, QStringLiteral("--sources"), SourceDir() + QStringLiteral("/install/src"),
           QStringLiteral("--out"), out.path()});
  ASSERT_TRUE(p.waitForFinished(240000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  for (const char* name : {"setup.ini", "data/author.tsv", "data/poetry.tsv", "data/format.tsv", "data/lore.tsv"}) {
    QFile made(out.path() + QLatin1Char('/') + QLatin1String(name));
    QFile committed(SourceDir() + QStringLiteral("/install/") + QLatin1String(name));
    ASSERT_TRUE(made.open(QIODevice::ReadOnly)) << name;
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << name;
    EXPECT_TRUE(made.readAll() == committed.readAll()) << name << " differs from the converter's output";
  }
}

}  // namespace
