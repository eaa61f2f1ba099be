// The reader's anthology without the window: keyword hits and the steps
// through them, the random pick, the exported anthology, and kept poems found
// again in a rebuilt library.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <map>
#include <set>

#include "app/anthology/AnthologyExport.h"
#include "app/anthology/KeywordHits.h"
#include "app/anthology/LibraryLookup.h"
#include "app/anthology/RandomPick.h"
#include "app/anthology/ScopeDraw.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "tools/mkdb/DbBuilder.h"

namespace {

using anthology::Hit;

TEST(KeywordHits, MatchAsTheSearchesMatch) {
  const struct {
    const char* text;
    const char* keyword;
    QList<Hit> hits;
  } cases[] = {
      {"明月几时有？把酒问青天。明月", "明月", {{0, 2}, {12, 2}}},
      {"月落乌啼霜满天", "天", {{6, 1}}},           // the last character
      {"aaa", "aa", {{0, 2}}},                        // left to right, not overlapping
      {"Zebra and zoo", "z", {{0, 1}, {10, 1}}},      // Latin letters without regard to case
      {"ZZ top", "Zz", {{0, 2}}},
      {"Ａ全角", "ａ", {}},                           // only Latin letters fold
      {"春风𠀋又绿", "𠀋", {{2, 2}}},                 // outside the basic plane: two units
      {"静夜思", "  ", {}},                           // blanks only: nothing
      {"静夜思", "", {}},
      {"", "月", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(anthology::FindHits(QString::fromUtf8(c.text), QString::fromUtf8(c.keyword)), c.hits)
        << c.text << " / " << c.keyword;
}

TEST(KeywordHits, StepsWrapBothWays) {
  anthology::HitSteps steps;
  EXPECT_EQ(steps.Next(), -1);
  steps.Reset({{0, 1}, {4, 1}, {9, 1}});
  EXPECT_EQ(steps.Previous(), 2);  // Shift+F3 first: the last one
  EXPECT_EQ(steps.Next(), 0);      // wraps forward
  EXPECT_EQ(steps.Next(), 1);
  EXPECT_EQ(steps.Previous(), 0);
  EXPECT_EQ(steps.Previous(), 2);  // wraps back
  steps.Reset({{3, 2}});
  EXPECT_EQ(steps.Current(), -1);
  EXPECT_EQ(steps.Next(), 0);
  EXPECT_EQ(steps.Next(), 0);
}

std::vector<qint64> Ids(qint64 from, qint64 count) {
  std::vector<qint64> ids;
  for (qint64 i = 0; i < count; ++i) ids.push_back(from + i);
  return ids;
}

TEST(RandomPick, UniformAndNeverOneOfTheLastTwenty) {
  anthology::RandomPick pick(12345);
  const std::vector<qint64> ids = Ids(1001, 37);
  std::map<qint64, int> seen;
  std::deque<qint64> last;
  constexpr int kDraws = 37 * 400;
  for (int i = 0; i < kDraws; ++i) {
    const qint64 id = pick.Pick(ids);
    ASSERT_TRUE(std::find(last.begin(), last.end(), id) == last.end()) << "repeated within 20 at draw " << i;
    last.push_back(id);
    if (last.size() > 20) last.pop_front();
    ++seen[id];
  }
  ASSERT_EQ(seen.size(), ids.size());
  // Every poem equally likely: each near 400 draws (binomial spread about 20;
  // the exclusion makes the counts even more even, never skewed).
  for (const auto& [id, n] : seen) EXPECT_NEAR(n, 400, 80) << id;
  EXPECT_EQ(seen.begin()->first, 1001);
  EXPECT_EQ(seen.rbegin()->first, 1037);
}

TEST(RandomPick, SmallScopesCycleBeforeRepeating) {
  for (const int n : {1, 2, 20, 21}) {
    anthology::RandomPick pick(7);
    const std::vector<qint64> ids = Ids(5, n);
    std::vector<qint64> order;
    for (int i = 0; i < 3 * n; ++i) order.push_back(pick.Pick(ids));
    for (int i = 0; i < 3 * n; ++i) {
      // Within any n consecutive picks every poem comes once: the longest-ago pick is the one let go.
      if (i + n > 3 * n) break;
      std::set<qint64> window(order.begin() + i, order.begin() + i + n);
      EXPECT_EQ(static_cast<int>(window.size()), n) << "scope of " << n << " at " << i;
    }
  }
  anthology::RandomPick pick(1);
  EXPECT_EQ(pick.Pick({}), -1);
  EXPECT_TRUE(pick.Recent().empty());
}

QList<anthology::AnthologyPoem> TwoPoems() {
  return {{QStringLiteral("静夜思"), QStringLiteral("李白"), QStringLiteral("唐代"), QStringLiteral("五言绝句"),
           QStringLiteral("床前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。\r\n"), false},
          {QStringLiteral("无题*其一"), QStringLiteral("佚名"), QString(), QString(), QStringLiteral("相见时难别亦难，"),
           true}};
}

TEST(AnthologyExport, TextAndMarkdown) {
  EXPECT_EQ(anthology::FormatAnthology(TwoPoems(), anthology::ExportFormat::Text),
            QStringLiteral("我的收藏（2 首）\n"
                           "\n静夜思\n〔唐代〕李白 · 五言绝句\n床前明月光，疑是地上霜。\n举头望明月，低头思故乡。\n"
                           "\n无题*其一\n佚名\n相见时难别亦难，\n") +
                anthology::MissingNote() + u'\n');
  EXPECT_EQ(anthology::FormatAnthology(TwoPoems(), anthology::ExportFormat::Markdown),
            QStringLiteral("# 我的收藏（2 首）\n"
                           "\n## 静夜思\n\n*〔唐代〕李白 · 五言绝句*\n\n床前明月光，疑是地上霜。\\\n举头望明月，低头思故乡。\n"
                           "\n## 无题\\*其一\n\n*佚名*\n\n相见时难别亦难，\n\n") +
                anthology::MissingNote() + u'\n');
  for (const auto& [name, markdown] : std::vector<std::pair<QString, bool>>{{QStringLiteral("a.md"), true},
                                                                            {QStringLiteral("a.MD"), true},
                                                                            {QStringLiteral("a.Markdown"), true},
                                                                            {QStringLiteral("a.mdx"), false},
                                                                            {QStringLiteral("md"), false},
                                                                            {QStringLiteral("a.txt"), false}})
    EXPECT_EQ(anthology::FormatForFile(name) == anthology::ExportFormat::Markdown, markdown) << name.toStdString();
}

TEST(AnthologyExport, WritesUtf8AndReportsAnUnwritableFile) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("收藏.md"));
  anthology::WriteAnthology(file, TwoPoems(), anthology::ExportFormat::Markdown);
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(f.readAll()), anthology::FormatAnthology(TwoPoems(), anthology::ExportFormat::Markdown));
  try {
    anthology::WriteAnthology(dir.filePath(QStringLiteral("no/such/folder/a.txt")), TwoPoems(), anthology::ExportFormat::Text);
    FAIL() << "wrote into a missing folder";
  } catch (const toolkit::Exception& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("收藏没有导出："))) << e.what();
  }
}

// Kept poems are found again in a rebuilt library whose row order and editions differ.
TEST(LibraryLookup, KeptPoemsSurviveARebuild) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("db3.dat"));
  auto build = [&](const QByteArray& poems) {
    QFile::remove(file);
    dbbuild::WriteDatabase(file, data::kPoetryDbPassword,
                           {dbbuild::ParseTableSource(QStringLiteral("author"),
                                                      "authorname\tauthoryear\tpoetryTotal:int\tcontent\tagename\n"
                                                      "李白\t701\t3\t传\t唐代\n李商隐\t813\t2\t传\t唐代\n"),
                            dbbuild::ParseTableSource(QStringLiteral("poetry"), "title\tauthorname\tformatName\thead\tcontent\n" + poems)});
  };
  build("静夜思\t李白\t五言绝句\t床前明月光\t床前明月光，疑是地上霜。\n"
        "无题\t李商隐\t七言律诗\t相见时难\t相见时难别亦难。\n"
        "无题\t李商隐\t七言律诗\t昨夜星辰\t昨夜星辰昨夜风。\n");
  const data::PoemRef jingye = anthology::RefOf(QStringLiteral("李白"), QStringLiteral("静夜思"), {}, {},
                                                QStringLiteral("床前明月光，\r\n疑是地上霜。"));
  const data::PoemRef wuti2 = anthology::RefOf(QStringLiteral("李商隐"), QStringLiteral("无题"), {}, {},
                                               QStringLiteral("昨夜星辰昨夜风。"));
  const data::PoemRef gone = anthology::RefOf(QStringLiteral("李白"), QStringLiteral("将进酒"), {}, {}, QStringLiteral("君不见"));
  data::TADOQuery q(QStringLiteral("Lookup"));
  q.SetConnectionString(data::MakeConnectionString(file, data::kPoetryDbPassword));
  ASSERT_TRUE(anthology::FindPoem(q, wuti2));
  EXPECT_EQ(anthology::FindPoem(q, wuti2)->head, QStringLiteral("昨夜星辰"));
  EXPECT_EQ(anthology::FindPoem(q, jingye)->era, QStringLiteral("唐代"));
  EXPECT_FALSE(anthology::FindPoem(q, gone));
  // Rows where the poems were found before are taken only where they still hold them.
  EXPECT_EQ(anthology::ConfirmPoemIds(q, {wuti2, jingye, gone, wuti2, jingye}, {3, 2, 1, std::nullopt, 999}),
            (std::vector<std::optional<qint64>>{3, std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
  EXPECT_EQ(anthology::PoemIds(q, {QStringLiteral("李商隐"), {}}).size(), 2u);
  EXPECT_EQ(anthology::PoemIds(q, {QString(), {QStringLiteral("宋代"), QStringLiteral("唐代")}}).size(), 3u);
  EXPECT_TRUE(anthology::PoemIds(q, {QString(), {QStringLiteral("宋代")}}).empty());

  // The other edition: rows reordered, 静夜思 with another text (the only one
  // of its title: still found), the second 无题 with another text (two of
  // that title: no longer told apart, so missing).
  build("无题\t李商隐\t七言律诗\t昨夜星辰\t昨夜星辰昨夜风，画楼西畔。\n"
        "无题\t李商隐\t七言律诗\t相见时难\t相见时难别亦难。\n"
        "静夜思\t李白\t五言绝句\t床前看月光\t床前看月光，疑是地上霜。\n");
  data::TADOQuery rebuilt(QStringLiteral("Lookup"));
  rebuilt.SetConnectionString(data::MakeConnectionString(file, data::kPoetryDbPassword));
  // 静夜思 is found under another text now, but its old row holds 无题, and
  // its new row another text: neither guess is taken.
  EXPECT_EQ(anthology::ConfirmPoemIds(rebuilt, {jingye, jingye}, {1, 3}),
            (std::vector<std::optional<qint64>>{std::nullopt, std::nullopt}));
  ASSERT_TRUE(anthology::FindPoem(rebuilt, jingye));
  EXPECT_EQ(anthology::FindPoem(rebuilt, jingye)->head, QStringLiteral("床前看月光"));
  EXPECT_FALSE(anthology::FindPoem(rebuilt, wuti2));
  const std::vector<qint64> ids = anthology::PoemIds(rebuilt, {QStringLiteral("李白"), {}});
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(anthology::PoemById(rebuilt, ids[0])->title, QStringLiteral("静夜思"));
  EXPECT_FALSE(anthology::PoemById(rebuilt, 999));
}

// A random poem of an era is drawn from the rows of the whole library: only
// the era's poems come, each as often as the others, never one of the last
// twenty; an era with few rows in the library is listed instead.
TEST(ScopeDraw, EveryPoemOfTheScopeAndNoOther) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("db3.dat"));
  // 杜甫 has every fourth of rows 1..199 (49 poems), 苏轼 the others, 纳兰性德 row 200 alone.
  QByteArray poems = "title\tauthorname\tformatName\thead\tcontent\n";
  for (int row = 1; row <= 200; ++row) {
    const char* author = row == 200 ? "纳兰性德" : row % 4 == 0 ? "杜甫" : "苏轼";
    poems += QStringLiteral("诗%1\t%2\t\t句\t句%1。\n").arg(row).arg(QString::fromUtf8(author)).toUtf8();
  }
  dbbuild::WriteDatabase(file, data::kPoetryDbPassword,
                         {dbbuild::ParseTableSource(QStringLiteral("author"),
                                                    "authorname\tauthoryear\tpoetryTotal:int\tcontent\tagename\n"
                                                    "杜甫\t712\t0\t传\t唐代\n苏轼\t1037\t0\t传\t宋代\n"
                                                    "纳兰性德\t1655\t0\t传\t清代\n"),
                          dbbuild::ParseTableSource(QStringLiteral("poetry"), poems)});
  data::TADOQuery q(QStringLiteral("Draw"));
  q.SetConnectionString(data::MakeConnectionString(file, data::kPoetryDbPassword));
  anthology::ScopeDraw draw;
  anthology::RandomPick pick(99);
  const anthology::Scope tang{QString(), {QStringLiteral("唐代")}};
  std::map<qint64, int> seen;
  std::deque<qint64> last;
  for (int i = 0; i < 49 * 40; ++i) {
    const qint64 row = draw.Draw(q, tang, pick);
    ASSERT_EQ(row % 4, 0) << "row " << row << " is not 杜甫's";
    ASSERT_TRUE(std::find(last.begin(), last.end(), row) == last.end()) << "repeated within 20 at draw " << i;
    last.push_back(row);
    if (last.size() > 20) last.pop_front();
    ++seen[row];
  }
  ASSERT_EQ(seen.size(), 49u);
  EXPECT_EQ(seen.begin()->first, 4);
  EXPECT_EQ(seen.rbegin()->first, 196);
  for (const auto& [row, n] : seen) EXPECT_NEAR(n, 40, 16) << row;
  // One row in 200 is too thin to draw from the whole library: listed, and a
  // scope of one poem gives it every time.
  const anthology::Scope qing{QString(), {QStringLiteral("清代")}};
  EXPECT_EQ(draw.Draw(q, qing, pick), 200);
  EXPECT_EQ(draw.Draw(q, qing, pick), 200);
  // Two eras at once, with the library's first and last rows, and an author: their poems only.
  std::set<qint64> both;
  for (int i = 0; i < 2000; ++i) {
    const qint64 row = draw.Draw(q, {QString(), {QStringLiteral("宋代"), QStringLiteral("清代")}}, pick);
    ASSERT_TRUE(row == 200 || row % 4 != 0) << row;
    both.insert(row);
  }
  EXPECT_EQ(both.size(), 151u);
  EXPECT_EQ(*both.begin(), 1);
  EXPECT_EQ(*both.rbegin(), 200);
  const qint64 sushi = draw.Draw(q, {QStringLiteral("苏轼"), {}}, pick);
  EXPECT_TRUE(sushi != 200 && sushi % 4 != 0) << sushi;
  EXPECT_EQ(draw.Draw(q, {QString(), {QStringLiteral("元代")}}, pick), -1);
}

}  // namespace
