#include <gtest/gtest.h>

#include "tests/data/Fixture.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"

using data::TADOQuery;

namespace {

const QString kPassword = QStringLiteral("朱砂笔");

class QueryTest : public ::testing::Test {
 protected:
  DataFixture fixture;
  TADOQuery q{QStringLiteral("ADOQuery1")};

  void SetUp() override {
    fixture.Build(QStringLiteral("db3.dat"), kPassword, QStringLiteral("poetry"),
                  QStringLiteral("title\tauthorname\thead\tn:int\n"
                                 "静夜思\t李白\t床前明月光\t1\n"
                                 "Spring\tAbc\tsame\t2\n"
                                 "Other\tABC\tSAME\t\\N\n"
                                 "空\t\\N\t\t4\n"));
    q.SetConnectionString(data::MakeConnectionString(QStringLiteral("dat\\db3.dat"), kPassword));
  }
  void OpenAll() {
    q.SetSQL(QStringLiteral("select title,authorname,head,n from poetry order by rowid"));
    q.Open();
  }
  QString Title() { return q.FieldByName(QStringLiteral("title")).AsString(); }
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const toolkit::Exception& e) {
    return e.Message().toStdString();
  }
  return "no error";
}

}  // namespace

TEST_F(QueryTest, OpenStandsOnTheFirstRowWithExactCounts) {
  OpenAll();
  EXPECT_TRUE(q.Active());
  EXPECT_TRUE(q.Bof());
  EXPECT_FALSE(q.Eof());
  EXPECT_EQ(q.RecordCount(), 4);
  EXPECT_EQ(q.RecNo(), 1);
  EXPECT_EQ(Title(), QStringLiteral("静夜思"));
  q.Next();
  q.SetSQL(QStringLiteral("select * from poetry"));  // closes; a new open starts over
  EXPECT_FALSE(q.Active());
  q.Open();
  q.Open();  // no effect on an open cursor
  EXPECT_EQ(q.RecNo(), 1);
}

TEST_F(QueryTest, NextPriorFirstLastKeepTheirFlags) {
  OpenAll();
  QStringList titles;
  while (!q.Eof()) {
    titles << Title();
    q.Next();
  }
  EXPECT_EQ(titles.size(), 4);
  EXPECT_EQ(q.RecNo(), 4);  // stays on the last row with the end flag set
  q.Next();
  EXPECT_EQ(q.RecNo(), 4);
  q.Prior();
  EXPECT_FALSE(q.Eof());
  EXPECT_EQ(q.RecNo(), 3);
  q.First();
  EXPECT_TRUE(q.Bof());
  q.Prior();
  EXPECT_EQ(q.RecNo(), 1);
  q.Last();
  EXPECT_TRUE(q.Eof());
  EXPECT_FALSE(q.Bof());
  q.SetRecNo(2);
  EXPECT_FALSE(q.Eof());
  EXPECT_FALSE(q.Bof());
  EXPECT_EQ(Title(), QStringLiteral("Spring"));
  q.First();
  q.SetRecNo(1);  // already there: flags untouched
  EXPECT_TRUE(q.Bof());
}

TEST_F(QueryTest, LocateIgnoresCaseAndAlwaysLandsOnTheFirstOfEqualRows) {
  OpenAll();
  q.Last();
  EXPECT_TRUE(q.Locate(QStringLiteral("HEAD"), QStringLiteral("Same")));
  EXPECT_EQ(Title(), QStringLiteral("Spring"));
  EXPECT_TRUE(q.Locate(QStringLiteral("authorname"), QStringLiteral("abc")));
  EXPECT_EQ(Title(), QStringLiteral("Spring"));
  EXPECT_TRUE(q.Locate(QStringLiteral("head"), QString()));  // the empty first line
  EXPECT_EQ(Title(), QStringLiteral("空"));
  EXPECT_FALSE(q.Locate(QStringLiteral("head"), QStringLiteral("nowhere")));
  EXPECT_EQ(Title(), QStringLiteral("空"));
  EXPECT_FALSE(q.Locate(QStringLiteral("nosuchfield"), QStringLiteral("same")));
  EXPECT_EQ(Title(), QStringLiteral("空"));
}

TEST_F(QueryTest, FieldsMatchWithoutCaseAndNullsGiveEmptyOrZero) {
  OpenAll();
  EXPECT_EQ(q.FieldByName(QStringLiteral("N")).AsInteger(), 1);
  EXPECT_EQ(q.Fields(0).AsString(), QStringLiteral("静夜思"));
  q.SetRecNo(3);
  EXPECT_EQ(q.FieldByName(QStringLiteral("n")).AsInteger(), 0);
  EXPECT_EQ(q.FieldByName(QStringLiteral("n")).AsString(), QString());
  q.SetRecNo(4);
  EXPECT_EQ(q.FieldByName(QStringLiteral("authorname")).AsString(), QString());
  EXPECT_EQ(q.FieldByName(QStringLiteral("n")).AsString(), QStringLiteral("4"));
}

TEST_F(QueryTest, EmptyResultSetsKeepTheirFields) {
  q.SetSQL(QStringLiteral("select title from poetry where authorname=?"));
  q.SetParams({QStringLiteral("nobody")});
  q.Open();
  EXPECT_TRUE(q.Eof());
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(q.RecordCount(), 0);
  EXPECT_EQ(q.RecNo(), -1);
  EXPECT_EQ(Title(), QString());
  EXPECT_FALSE(q.Locate(QStringLiteral("title"), QStringLiteral("x")));
  EXPECT_EQ(ErrorOf([&] { q.FieldByName(QStringLiteral("head")); }), "ADOQuery1: Field 'head' not found");
}

TEST_F(QueryTest, DeferredFieldsAreReadForTheRowAskedAbout) {
  // Rows 4, 3 and 2 in that order; title is the statement's own already.
  q.SetSQL(QStringLiteral("select rowid as k,title from poetry where rowid>? order by rowid desc"));
  q.SetParams({1});
  q.SetDeferredFields(QStringLiteral("k"), QStringLiteral("select title,head,n,authorname from poetry where rowid=?"));
  q.Open();
  EXPECT_EQ(q.FieldNames(), QStringList({"k", "title", "head", "n", "authorname"}));
  EXPECT_EQ(q.FieldCount(), 5);
  struct Row {
    int recNo;
    const char* title;
    const char* head;
    const char* n;
    const char* author;
  } rows[] = {{3, "Spring", "same", "2", "Abc"}, {1, "空", "", "4", ""}, {2, "Other", "SAME", "", "ABC"}, {3, "Spring", "same", "2", "Abc"}};
  for (const Row& r : rows) {
    q.SetRecNo(r.recNo);
    EXPECT_EQ(q.FieldByName(QStringLiteral("HEAD")).AsString(), QString::fromUtf8(r.head)) << r.recNo;
    EXPECT_EQ(q.Fields(3).AsString(), QString::fromUtf8(r.n)) << r.recNo;
    EXPECT_EQ(q.Fields(4).AsString(), QString::fromUtf8(r.author)) << r.recNo;
    EXPECT_EQ(Title(), QString::fromUtf8(r.title)) << r.recNo;
  }
  EXPECT_EQ(q.FieldByName(QStringLiteral("n")).AsInteger(), 2);
  // A deferred field is not located: no move.
  EXPECT_FALSE(q.Locate(QStringLiteral("head"), QStringLiteral("same")));
  EXPECT_EQ(q.RecNo(), 3);
  EXPECT_EQ(ErrorOf([&] { q.Fields(5); }), "ADOQuery1: List index out of bounds (5)");
  // A key no row has: the deferred fields are null.
  q.SetSQL(QStringLiteral("select rowid+10 as k from poetry where rowid=1"));
  q.SetDeferredFields(QStringLiteral("k"), QStringLiteral("select head,n from poetry where rowid=?"));
  q.Open();
  EXPECT_TRUE(q.FieldByName(QStringLiteral("head")).IsNull());
  EXPECT_EQ(q.FieldByName(QStringLiteral("n")).AsInteger(), 0);
  // A new query text drops them.
  q.SetSQL(QStringLiteral("select rowid as k from poetry"));
  q.Open();
  EXPECT_EQ(q.FieldNames(), QStringList({"k"}));
  // A key the rows lack, or a statement the engine refuses: the open fails.
  q.SetDeferredFields(QStringLiteral("nokey"), QStringLiteral("select head from poetry where rowid=?"));
  EXPECT_EQ(ErrorOf([&] { q.Open(); }), "ADOQuery1: Field 'nokey' not found");
  EXPECT_FALSE(q.Active());
  q.SetDeferredFields(QStringLiteral("k"), QStringLiteral("select head from nowhere where rowid=?"));
  EXPECT_NE(ErrorOf([&] { q.Open(); }).find("no such table"), std::string::npos);
  EXPECT_FALSE(q.Active());
}

TEST_F(QueryTest, TextsEqualToTheRowAboveReadAsThemselvesInAnyOrder) {
  // Runs of equal texts, broken by another text, an empty one, a null and a
  // text differing only in case or in its last byte.
  fixture.Build(QStringLiteral("db4.dat"), kPassword, QStringLiteral("t"),
                QStringLiteral("a\tb\n甲\tx\n甲\tx\n乙\tx\n甲\t\n甲\t\n\\N\tX\n甲\tX\nAb\tx\nab\txy\n"));
  q.SetConnectionString(data::MakeConnectionString(QStringLiteral("dat\\db4.dat"), kPassword));
  q.SetSQL(QStringLiteral("select a,b from t order by rowid"));
  q.Open();
  const char* const a[] = {"甲", "甲", "乙", "甲", "甲", "", "甲", "Ab", "ab"};
  const char* const b[] = {"x", "x", "x", "", "", "X", "X", "x", "xy"};
  ASSERT_EQ(q.RecordCount(), 9);
  for (const int recNo : {1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 2, 7, 5, 1, 6, 3}) {
    q.SetRecNo(recNo);
    EXPECT_EQ(q.Fields(0).AsString(), QString::fromUtf8(a[recNo - 1])) << recNo;
    EXPECT_EQ(q.Fields(1).AsString(), QString::fromUtf8(b[recNo - 1])) << recNo;
  }
  q.SetRecNo(6);
  EXPECT_TRUE(q.Fields(0).IsNull());
  EXPECT_TRUE(q.Locate(QStringLiteral("b"), QStringLiteral("XY")));
  EXPECT_EQ(q.RecNo(), 9);
}

TEST_F(QueryTest, ClosedCursorRaisesItsOwnErrorWithItsName) {
  const std::string closed = "ADOQuery1: Cannot perform this operation on a closed dataset";
  EXPECT_EQ(ErrorOf([&] { q.Next(); }), closed);
  EXPECT_EQ(ErrorOf([&] { q.Locate(QStringLiteral("head"), QString()); }), closed);
  EXPECT_EQ(ErrorOf([&] { q.FieldByName(QStringLiteral("head")); }), closed);
  EXPECT_EQ(ErrorOf([&] { q.RecordCount(); }), closed);
}

TEST_F(QueryTest, BoundValuesAreNeverReadAsStatementText) {
  // A name with quotes and SQL in it is looked for as it stands.
  q.SetSQL(QStringLiteral("select title from poetry where authorname=?"));
  q.SetParams({QStringLiteral("\" or 1=1 or \"")});
  q.Open();
  EXPECT_EQ(q.RecordCount(), 0);
  q.SetSQL(QStringLiteral("select title from poetry where head like '%' || ? || '%' escape '\\'"));
  q.SetParams({QStringLiteral("明月")});
  q.Open();
  EXPECT_EQ(q.RecordCount(), 1);
}

TEST_F(QueryTest, EngineErrorsCarryTheEnginesMessage) {
  q.SetSQL(QStringLiteral("select nonsense from"));
  EXPECT_NE(ErrorOf([&] { q.Open(); }).find("syntax error"), std::string::npos);
  EXPECT_FALSE(q.Active());
  q.SetSQL(QStringLiteral("select * from missing_table"));
  EXPECT_NE(ErrorOf([&] { q.Open(); }).find("no such table"), std::string::npos);
}

TEST_F(QueryTest, WritesThroughACursorAreImpossible) {
  q.SetSQL(QStringLiteral("delete from poetry"));
  EXPECT_NE(ErrorOf([&] { q.Open(); }).find("readonly"), std::string::npos);
  OpenAll();
  EXPECT_EQ(q.RecordCount(), 4);
}

TEST(QueryLocate, FoldsCaseBeyondAsciiAndComparesWholeTexts) {
  DataFixture fixture;
  fixture.Build(QStringLiteral("db4.dat"), kPassword, QStringLiteral("format"),
                QStringLiteral("formatname\tn:int\nΩΔΉ\t1\nＡＢＣ\t2\n诗\t3\n诗词\t4\n12\t5\n"));
  TADOQuery q(QStringLiteral("ADOQuery2"));
  q.SetConnectionString(data::MakeConnectionString(QStringLiteral("dat\\db4.dat"), kPassword));
  q.SetSQL(QStringLiteral("select * from format"));
  q.Open();
  auto found = [&](const QString& v) { return q.Locate(QStringLiteral("formatname"), v) ? q.FieldByName(QStringLiteral("n")).AsInteger() : 0; };
  EXPECT_EQ(found(QStringLiteral("ωδή")), 1);
  EXPECT_EQ(found(QStringLiteral("ａｂｃ")), 2);
  EXPECT_EQ(found(QStringLiteral("诗词")), 4);  // not the prefix 诗
  EXPECT_EQ(found(QStringLiteral("诗")), 3);
  EXPECT_EQ(found(QStringLiteral("诗词诗")), 0);
  EXPECT_EQ(found(QStringLiteral("12")), 5);
  EXPECT_TRUE(q.Locate(QStringLiteral("n"), QStringLiteral("4")));  // integer fields compare as text
}

// A cursor opened without waiting past a deadline ends with the rows of a
// whole open; it stays closed until the last row is in, a change of query
// stops the fetch at once, and the fetch's errors reach the caller.
TEST_F(QueryTest, OpeningWithADeadlineGivesTheRowsOfAWholeOpen) {
  const QString sql = QStringLiteral(
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 300000) select i, 'row ' || i as t from n");
  auto rows = [this] {
    QStringList out;
    for (q.First(); !q.Eof(); q.Next()) out << q.Fields(0).AsString() + u'=' + q.Fields(1).AsString();
    return out;
  };
  q.SetSQL(sql);
  q.Open();
  const QStringList whole = rows();
  ASSERT_EQ(whole.size(), 300000);
  q.SetSQL(sql);
  ASSERT_FALSE(q.OpenUntil(QDeadlineTimer(0)));
  EXPECT_TRUE(q.Opening());
  EXPECT_FALSE(q.Active());
  EXPECT_EQ(ErrorOf([this] { q.RecordCount(); }), "ADOQuery1: Cannot perform this operation on a closed dataset");
  while (!q.OpenUntil(QDeadlineTimer(1))) EXPECT_FALSE(q.Active());
  EXPECT_FALSE(q.Opening());
  EXPECT_EQ(q.RecNo(), 1);
  EXPECT_EQ(rows(), whole);
  EXPECT_TRUE(q.OpenUntil(QDeadlineTimer(0)));  // an open cursor stays as it is

  // Open waits for a fetch begun by OpenUntil.
  q.SetSQL(sql);
  EXPECT_FALSE(q.OpenUntil(QDeadlineTimer(0)));
  q.Open();
  EXPECT_EQ(rows(), whole);

  // A fetch that would run for minutes stops when the query changes, and the
  // connection serves the next statement.
  q.SetSQL(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n) select count(*) from n"));
  EXPECT_FALSE(q.OpenUntil(QDeadlineTimer(20)));
  q.SetSQL(QStringLiteral("select title from poetry order by rowid"));
  EXPECT_FALSE(q.Opening());
  q.Open();
  EXPECT_EQ(Title(), QStringLiteral("静夜思"));

  // A single long step of the engine outlasting the deadline is stopped and
  // run again on the thread, with the whole result.
  q.SetSQL(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000000) "
                          "select count(*), max(i) from n"));
  EXPECT_FALSE(q.OpenUntil(QDeadlineTimer(5)));
  while (!q.OpenUntil(QDeadlineTimer(5))) EXPECT_TRUE(q.Opening());
  EXPECT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.Fields(0).AsInteger(), 2000000);
  EXPECT_EQ(q.Fields(1).AsInteger(), 2000000);

  // An error met while fetching is raised as Open raises it.
  q.SetSQL(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 300000) "
                          "select case when i = 200000 then abs(-9223372036854775807 - 1) else i end from n"));
  std::string error = "no error";
  for (int calls = 0; calls < 100000 && error == "no error"; ++calls)
    error = ErrorOf([this] { q.OpenUntil(QDeadlineTimer(1)); });
  EXPECT_EQ(error, "integer overflow");
  EXPECT_FALSE(q.Opening());
  EXPECT_FALSE(q.Active());
  EXPECT_EQ(ErrorOf([this] { q.SetSQL(QStringLiteral("select nothing from poetry")); q.OpenUntil(QDeadlineTimer(0)); }),
            "no such column: nothing");
}
