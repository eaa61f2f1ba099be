#include <gtest/gtest.h>

#include "app/Queries.h"
#include "data/Connection.h"
#include "data/Query.h"
#include "tests/data/Fixture.h"

using namespace app;

class SearchTest : public ::testing::Test {
 protected:
  DataFixture fixture;
  data::TADOQuery q{QStringLiteral("ADOQuery1")};
  void SetUp() override {
    dbbuild::WriteDatabase(
        fixture.Path(QStringLiteral("dat/db3.dat")), QStringLiteral("pw"),
        {dbbuild::ParseTableSource(QStringLiteral("poetry"),
                                   QByteArray("title\tauthorname\tformatName\thead\tcontent\n"
                                              "100%纯\tA\tx\th1\t明月\n"
                                              "100纯\tA\tx\th2\t明_月\n"
                                              "Spring Dawn\tB\tx\th3\tback\\\\slash\n")),
         dbbuild::ParseTableSource(QStringLiteral("author"),
                                   QByteArray("authorname\tauthoryear\tpoetryTotal:int\tcontent\tagename\n"
                                              "A\t1\t2\tbio\t唐代\n"
                                              "\"Q\"\t2\t\\N\tbio\t唐\"代\n"))});
    q.SetConnectionString(data::MakeConnectionString(QStringLiteral("dat\\db3.dat"), QStringLiteral("pw")));
  }
  int Hits(const Statement& s) {
    q.SetSQL(s.sql);
    q.SetParams(s.params);
    q.Open();
    return q.RecordCount();
  }
};

TEST_F(SearchTest, KeywordsMatchAsLiteralSubstrings) {
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Title, QStringLiteral("%"))), 1);
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Title, QStringLiteral("100"))), 2);
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Title, QStringLiteral("spring"))), 1);  // Latin letters ignore case
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Content, QStringLiteral("_"))), 1);
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Content, QStringLiteral("\\"))), 1);
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Content, QStringLiteral("明月"))), 1);
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Author, QStringLiteral("\""))), 1);
  EXPECT_EQ(Hits(SearchQuery(SearchMode::Content, QStringLiteral(" "))), 0);
}

TEST_F(SearchTest, NamesWithQuotesFindWhatTheyFind) {
  EXPECT_EQ(Hits(EraAuthorsQuery(QStringLiteral("唐\"代"))), 1);
  EXPECT_EQ(Hits(EraAuthorsQuery(QStringLiteral("唐代"))), 1);
  EXPECT_EQ(Hits(AuthorPoemsQuery(QStringLiteral("A"))), 2);
  EXPECT_EQ(Hits(AuthorQuery(QStringLiteral("\"Q\""))), 1);
}
