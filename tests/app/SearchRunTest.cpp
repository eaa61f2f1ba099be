// A search run on its own, against a window that records what it is asked:
// the order of table, message, clearing and hits for each mode, stretches
// that a key in a table finishes, and errors that end the run.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <functional>

#include "app/SearchRun.h"
#include "data/Connection.h"
#include "data/Query.h"
#include "tests/app/Reading.h"
#include "toolkit/Exception.h"

using app::SearchMode;
using app::SearchRun;

namespace {

class RecordingWindow : public SearchRun::Window {
 public:
  explicit RecordingWindow(data::TADOQuery& cursor) : cursor_(cursor) {}
  void ShowHitsTable(SearchMode mode) override { calls << QStringLiteral("show %1").arg(int(mode)); }
  void Tell(const QString& message) override {
    calls << QStringLiteral("tell ") + message;
    if (whileTold) whileTold();
  }
  void ClearHits(SearchMode mode) override { calls << QStringLiteral("clear %1").arg(int(mode)); }
  void AddHit(SearchMode mode) override {
    const QString field = mode == SearchMode::Author ? QStringLiteral("authorname") : QStringLiteral("title");
    calls << cursor_.FieldByName(field).AsString();
    if (run) addedWhileAdding = addedWhileAdding && run->AddingRows();
    if (++hits == failAt) throw toolkit::EInvalidOperation(QStringLiteral("no room"));
  }

  QStringList calls;
  std::function<void()> whileTold;
  const SearchRun* run = nullptr;
  bool addedWhileAdding = true;
  int hits = 0;
  int failAt = 0;

 private:
  data::TADOQuery& cursor_;
};

QByteArray MoonPoems(int count) {
  QByteArray rows;
  for (int i = 0; i < count; ++i)
    rows += "望月" + QByteArray::number(i) + "\t王维\t五言绝句\t明月" + QByteArray::number(i) + "\t明月照" +
            QByteArray::number(i) + "\n";
  return rows;
}

class SearchRunTest : public ::testing::Test {
 protected:
  explicit SearchRunTest(int morePoems = 0) : fixture(1, MoonPoems(morePoems)) {
    cursor.SetConnectionString(data::MakeConnectionString(data::kPoetryDbFile, data::kPoetryDbPassword));
    window.run = &run;
  }
  void Search(SearchMode mode, const QString& keyword) { run.Start(mode, app::SearchQuery(mode, keyword), keyword); }

  ReadingFixture fixture;
  data::TADOQuery cursor{QStringLiteral("ADOQuery1")};
  QWidget table;
  RecordingWindow window{cursor};
  SearchRun run{cursor, window, {&table}};
};

class SteppedSearchRunTest : public SearchRunTest {
 protected:
  SteppedSearchRunTest() : SearchRunTest(300) {}
};

}  // namespace

TEST_F(SearchRunTest, EachModeShowsItsTableTellsThenClearsAndFills) {
  const struct {
    SearchMode mode;
    const char* keyword;
    QStringList calls;
  } cases[] = {
      {SearchMode::Title, "同",
       {"show 0", "tell 共找到2条记录含有：\r\n同", "clear 0", "同句甲", "同句乙"}},
      {SearchMode::Author, "杜", {"show 1", "tell 共找到1条记录含有：\r\n杜", "clear 1", "杜甫"}},
      {SearchMode::Content, "城春", {"show 2", "tell 共找到1条记录含有：\r\n城春", "clear 2", "春望"}},
      {SearchMode::Author, "nobody", {"tell 没有找到符合条件的记录"}},
  };
  // A finish asked for while the message is up (from a nested event loop)
  // neither fills twice nor ends the run early.
  window.whileTold = [&] { run.Finish(); };
  for (const auto& c : cases) {
    window.calls.clear();
    Search(c.mode, QString::fromUtf8(c.keyword));
    run.Finish();  // on a loaded machine the fetch may outlast the first stretch
    EXPECT_FALSE(run.Pending()) << c.keyword;
    EXPECT_EQ(window.calls, c.calls) << c.keyword;
    // The cursor keeps the hits, standing past the last one.
    EXPECT_TRUE(cursor.Eof()) << c.keyword;
    EXPECT_EQ(cursor.RecordCount(), c.calls.size() > 1 ? c.calls.size() - 3 : 0) << c.keyword;
  }
  EXPECT_TRUE(window.addedWhileAdding);
  EXPECT_FALSE(run.AddingRows());
}

TEST_F(SearchRunTest, ErrorsOfTheEngineOrTheWindowEndTheRunAndGoOn) {
  EXPECT_THROW(run.Start(SearchMode::Title, {QStringLiteral("select * from nowhere"), {}, {}, {}}, QStringLiteral("x")),
               toolkit::Exception);
  EXPECT_FALSE(run.Pending());
  window.failAt = 2;
  EXPECT_THROW(
      {
        Search(SearchMode::Title, QStringLiteral("同"));
        run.Finish();
      },
      toolkit::Exception);
  EXPECT_FALSE(run.Pending());
  EXPECT_EQ(window.calls.last(), QStringLiteral("同句乙"));
  // The next search runs whole.
  window.failAt = 0;
  window.calls.clear();
  Search(SearchMode::Author, QStringLiteral("李"));
  run.Finish();
  EXPECT_EQ(window.calls.last(), QStringLiteral("李白"));
}

// Short stretches fill a large result with the event loop running between
// them; a choice meanwhile moves the cursor, and a key in a table finishes
// the run at once, with every hit in order and the cursor where the choice left it.
TEST_F(SteppedSearchRunTest, AKeyInATableFinishesAndTheCursorStaysOnTheChoice) {
  run.SetStretch(0);
  Search(SearchMode::Content, QStringLiteral("明月照"));
  EXPECT_TRUE(run.Pending());
  for (int waited = 0; waited < 10000 && run.Pending() && window.hits < 64; ++waited) QTest::qWait(1);
  ASSERT_TRUE(run.Pending());
  ASSERT_GE(window.hits, 64);
  EXPECT_FALSE(run.AddingRows());
  cursor.SetRecNo(5);
  QTest::keyClick(&table, Qt::Key_End);
  EXPECT_FALSE(run.Pending());
  ASSERT_EQ(window.hits, 300);
  QStringList titles;
  for (int i = 0; i < 300; ++i) titles << QStringLiteral("望月%1").arg(i);
  EXPECT_EQ(window.calls.mid(3), titles);
  EXPECT_EQ(cursor.RecNo(), 5);
  EXPECT_TRUE(window.addedWhileAdding);
  // Once ended, keys in the table do nothing more.
  QTest::keyClick(&table, Qt::Key_Home);
  EXPECT_EQ(window.hits, 300);
}
