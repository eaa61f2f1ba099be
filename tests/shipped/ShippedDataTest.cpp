// Checks the installation data as the program reads it: the shipped setup.ini
// and the three databases of the program's directory, through the program's
// own cursor layer. The setup.ini beside the program is the reader's (the tip
// window writes it), so the checks read the shipped one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "platform/Gbk.h"
#include "platform/Profile.h"
#include "tests/shipped/Shipped.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Fonts.h"
#include "tools/corpus/CharacterRule.h"
#include "tools/corpus/Eras.h"

using namespace shipped;

namespace {

class ShippedData : public ProgramData {
 protected:
  static QStringList Eras(const QString& countKey, const QString& section) {
    const QString ini = ShippedSetup();
    bool ok = false;
    const int n = platform::ReadProfileString(ini, QStringLiteral("item"), countKey).toInt(&ok);
    EXPECT_TRUE(ok) << countKey.toStdString();
    QStringList names;
    for (int i = 1; i <= n; ++i) names << platform::ReadProfileString(ini, section, QString::number(i));
    return names;
  }
};

TEST_F(ShippedData, SettingsFileIsGbkWithCrLfAndTipDefaults) {
  QFile f(ShippedSetup());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  // Every line ends in CR LF, and no byte sequence is UTF-8 text in disguise.
  EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
  EXPECT_TRUE(bytes.endsWith("\r\n"));
  EXPECT_EQ(platform::ToGbk(platform::FromGbk(bytes)), bytes);
  EXPECT_TRUE(platform::FromGbk(bytes).contains(QStringLiteral("[china]")));
  EXPECT_FALSE(bytes.contains(QByteArray("唐代")));  // UTF-8 bytes of an era name
  const QString ini = ShippedSetup();
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
  for (const QStringList& p : poems) {
    const std::string id = (p[1] + QStringLiteral(" ") + p[0]).toStdString();
    EXPECT_FALSE(p[0].isEmpty()) << id;
    // Fragments keep the package's title 句 and are named as fragments.
    if (p[0] == QStringLiteral("句") || p[0].startsWith(QStringLiteral("句 "))) {
      EXPECT_EQ(p[2], QStringLiteral("残句")) << id;
    }
    ASSERT_FALSE(p[3].isEmpty()) << id;
    EXPECT_FALSE(p[2].isEmpty()) << id;
    // The first line is the text's first line, and the text keeps its breaks.
    EXPECT_EQ(p[4].section(QLatin1Char('\n'), 0, 0), p[3]) << id;
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

// Every character of every table converts to the program's code page and
// back, is readable, and has a glyph in the fonts that show it: the tables and
// lists (宋体) and the text pane (楷体), with the fonts they fall back to.
TEST_F(ShippedData, EveryCharacterIsReadableAndShown) {
  const struct {
    QString file, password, sql;
  } tables[] = {
      {data::kPoetryDbFile, data::kPoetryDbPassword, QStringLiteral("select * from author")},
      {data::kPoetryDbFile, data::kPoetryDbPassword, QStringLiteral("select * from poetry")},
      {data::kFormatDbFile, data::kFormatDbPassword, QStringLiteral("select * from format")},
      {data::kLoreDbFile, data::kLoreDbPassword, QStringLiteral("select * from lore")},
  };
  QSet<char32_t> characters;
  size_t checked = 0;
  for (const auto& t : tables) {
    for (const QStringList& row : Rows(t.file, t.password, t.sql)) {
      for (const QString& field : row) {
        EXPECT_EQ(platform::FromGbk(platform::ToGbk(field)), field) << field.left(40).toStdString();
        for (char32_t c : field.toUcs4()) characters.insert(c);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 10000u);
  const QFontMetrics song(toolkit::MakeFont(QStringLiteral("宋体"), 15));
  const QFontMetrics kai(toolkit::MakeFont(QStringLiteral("楷体"), 16));
  QStringList unshown;
  for (char32_t c : characters) {
    if (c == '\n' || c == '\r' || c == '\t' || c == ' ') continue;
    EXPECT_TRUE(corpus::IsReadable(c)) << std::hex << static_cast<unsigned>(c);
    if (!song.inFontUcs4(c) || !kai.inFontUcs4(c))
      unshown << QStringLiteral("U+%1").arg(static_cast<unsigned>(c), 4, 16, QLatin1Char('0')).toUpper();
  }
  EXPECT_TRUE(unshown.isEmpty()) << unshown.size() << " characters without a glyph: "
                                 << unshown.mid(0, 40).join(QLatin1Char(' ')).toStdString();
}

// Every author's known life dates read as dates and fit the era the author is
// listed under (see tools/corpus/Eras.h for the years and the tolerance). No
// life is longer than 130 years, the longest the sources record (a monk of
// the Song "云年百三十岁"): a longer one is a broken date.
TEST_F(ShippedData, AuthorsLiveInTheirEras) {
  QStringList misplaced;
  int dated = 0;
  for (const QStringList& r : Poetry(QStringLiteral("select authorname,authoryear,agename from author"))) {
    const std::string id = (r[0] + QStringLiteral(" ") + r[1] + QStringLiteral(" ") + r[2]).toStdString();
    const corpus::Life life = corpus::ParseLife(r[1].toStdString());
    EXPECT_TRUE(life.valid) << id;
    if (life.born || life.died) ++dated;
    if (life.born && life.died) {
      EXPECT_LE(*life.died - *life.born, 130) << id;
    }
    if (const auto era = corpus::EraYears(r[2].toStdString()); era && !corpus::LifeFitsEra(life, *era))
      misplaced << QString::fromStdString(id);
  }
  EXPECT_GT(dated, 100);
  EXPECT_TRUE(misplaced.isEmpty()) << misplaced.size() << " authors outside their era: "
                                   << misplaced.mid(0, 30).join(QStringLiteral("; ")).toStdString();
}

// The checks hold whatever the reader's program wrote into its own setup.ini:
// they run again, in a child process, over a program directory whose setup.ini
// has other tip settings and other eras, with the real databases.
TEST(ShippedSettings, ChecksIgnoreTheReadersOwnSetupIni) {
  QTemporaryDir bin;
  ASSERT_TRUE(bin.isValid());
  testing_support::WriteFile(bin.filePath(QStringLiteral("setup.ini")),
                             platform::ToGbk(QStringLiteral("[item]\r\nchina=1\r\nfremdness=0\r\n[china]\r\n1=宋代\r\n"
                                                            "[Tip]\r\ntip=0\r\ncount=9\r\n")));
  ASSERT_TRUE(QFile::link(BinDir() + QStringLiteral("/dat"), bin.filePath(QStringLiteral("dat"))));
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("CQ_BIN_DIR"), bin.path());
  env.insert(QStringLiteral("CQ_SOURCE_DIR"), SourceDir());
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=ShippedData.SettingsFile*:ShippedData.EveryEraAndCountryHasAuthors")});
  ASSERT_TRUE(child.waitForFinished(120000));
  const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
  EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 2 tests"))) << out.toStdString();
}

// The committed sources are exactly what the converter makes of the package:
// running it again gives identical files. Needs the unpacked package, named by
// CQ_POETRY_PACKAGE, else found where the full-library script keeps it (the
// cache folder CQ_CACHE_DIR, $XDG_CACHE_HOME/cinnabarquillpad or
// ~/.cache/cinnabarquillpad).
TEST(ShippedSources, ConverterReproducesTheCommittedSources) {
  const QString package = PoetryPackage();
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
