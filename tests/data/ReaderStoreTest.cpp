// The reader's own database: favourites and history kept across openings, and
// nothing lost or corrupted whatever happens to the process or the disk: a
// writer killed mid-change, two programs writing at once, a full disk, a
// folder that cannot be written, and a file that is not a database.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "data/ReaderStore.h"
#include "tests/support/TestSupport.h"

namespace {

using data::PoemRef;
using data::ReaderStore;
using testing_support::SmallDisk;

PoemRef Poem(int n, const QString& author = QStringLiteral("李白")) {
  const QString text = QStringLiteral("第%1首，\r\n其辞如此。").arg(n);
  return {author, QStringLiteral("无题%1").arg(n), data::PoemTextHash(text), QStringLiteral("五言绝句"),
          QStringLiteral("第%1首，").arg(n)};
}

QStringList Titles(const std::vector<data::ReaderEntry>& entries) {
  QStringList t;
  for (const auto& e : entries) t << e.poem.title;
  return t;
}

class ReaderStoreTest : public testing::Test {
 protected:
  QString DbPath() const { return dir_.filePath(QStringLiteral("reader.db")); }
  QTemporaryDir dir_;
};

TEST_F(ReaderStoreTest, FavouritesAndHistoryKeepTheirOrderAcrossOpenings) {
  {
    auto store = ReaderStore::Open(DbPath());
    EXPECT_TRUE(store->ToggleFavourite(Poem(3)));
    EXPECT_TRUE(store->ToggleFavourite(Poem(1)));
    EXPECT_TRUE(store->ToggleFavourite(Poem(2)));
    EXPECT_FALSE(store->ToggleFavourite(Poem(1)));  // let go
    EXPECT_TRUE(store->ToggleFavourite(Poem(1)));   // kept again: now the last
    // The same title by another author, and the same title and author with
    // another text, are other poems.
    EXPECT_FALSE(store->IsFavourite(Poem(2, QStringLiteral("杜甫"))));
    PoemRef otherText = Poem(2);
    otherText.textHash = data::PoemTextHash(QStringLiteral("另一首"));
    EXPECT_FALSE(store->IsFavourite(otherText));
    for (int n = 1; n <= ReaderStore::kHistoryLength + 3; ++n) store->RecordReading(Poem(n));
    store->RecordReading(Poem(50));  // read again: newest, listed once
  }
  auto store = ReaderStore::Open(DbPath());
  EXPECT_EQ(Titles(store->Favourites()), QStringList({QStringLiteral("无题3"), QStringLiteral("无题2"), QStringLiteral("无题1")}));
  EXPECT_EQ(store->Favourites()[0].poem.head, QStringLiteral("第3首，"));
  EXPECT_TRUE(store->IsFavourite(Poem(2)));
  const QStringList history = Titles(store->History());
  ASSERT_EQ(history.size(), ReaderStore::kHistoryLength);
  EXPECT_EQ(history.first(), QStringLiteral("无题50"));
  EXPECT_EQ(history[1], QStringLiteral("无题103"));
  EXPECT_EQ(history.count(QStringLiteral("无题50")), 1);
  EXPECT_EQ(history.last(), QStringLiteral("无题4"));  // 1..3 fell off
  store->ClearHistory();
  EXPECT_TRUE(store->History().empty());
  EXPECT_EQ(store->Favourites().size(), 3u);
}

// Where poems were found in the library is remembered across openings for
// the poems kept or read only, and a poem found again elsewhere has its new row.
TEST_F(ReaderStoreTest, LibraryRowsAreRememberedForTheReadersPoemsOnly) {
  {
    auto store = ReaderStore::Open(DbPath());
    store->ToggleFavourite(Poem(1));
    store->RecordReading(Poem(2));
    // Poem 3 is neither kept nor read: its row is not worth keeping.
    store->KeepLibraryRows({{Poem(1), 11}, {Poem(2), 22}, {Poem(3), 33}});
    store->KeepLibraryRows({{Poem(1), 101}});
  }
  auto store = ReaderStore::Open(DbPath());
  PoemRef otherText = Poem(1);
  otherText.textHash = data::PoemTextHash(QStringLiteral("另一首"));
  const std::vector<std::optional<qint64>> rows =
      store->LibraryRows({Poem(2), Poem(1), Poem(3), otherText, Poem(1, QStringLiteral("杜甫"))});
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], 22);
  EXPECT_EQ(rows[1], 101);
  EXPECT_EQ(rows[2], std::nullopt);
  EXPECT_EQ(rows[3], std::nullopt);
  EXPECT_EQ(rows[4], std::nullopt);
  // A poem let go and cleared from the history loses its row with the next change.
  store->ToggleFavourite(Poem(1));
  store->ClearHistory();
  store->KeepLibraryRows({});
  EXPECT_EQ(store->LibraryRows({Poem(1), Poem(2)}), (std::vector<std::optional<qint64>>{std::nullopt, std::nullopt}));
}

// The file is in WAL mode for good (its header's write and read versions are
// 2, where a rollback journal has 1), and a change goes into the log first.
TEST_F(ReaderStoreTest, TheFileKeepsItsChangesInAWriteAheadLog) {
  auto store = ReaderStore::Open(DbPath());
  EXPECT_TRUE(store->ToggleFavourite(Poem(7)));
  EXPECT_TRUE(QFileInfo(DbPath() + QStringLiteral("-wal")).size() > 0);
  store.reset();
  QFile f(DbPath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray header = f.read(20);
  ASSERT_EQ(header.size(), 20);
  EXPECT_TRUE(header.startsWith("SQLite format 3"));
  EXPECT_EQ(int(header[18]), 2);
  EXPECT_EQ(int(header[19]), 2);
  EXPECT_TRUE(ReaderStore::Open(DbPath())->IsFavourite(Poem(7)));
}

TEST(PoemTextHash, IgnoresBlanksAndLineBreaksOnly) {
  const QByteArray h = data::PoemTextHash(QStringLiteral("床前明月光，疑是地上霜。"));
  EXPECT_EQ(h.size(), 16);
  EXPECT_EQ(data::PoemTextHash(QStringLiteral(" 床前明月光，\r\n疑是地上霜。\n")), h);
  EXPECT_NE(data::PoemTextHash(QStringLiteral("床前明月光，疑是地上霜")), h);
  EXPECT_NE(data::PoemTextHash(QStringLiteral("床前明月光，疑似地上霜。")), h);
}

// A child process that keeps favourites one change at a time, telling the
// parent through `fd` how many it has committed.
[[noreturn]] void KeepPoems(const QString& path, int first, int count, int fd) {
  auto store = ReaderStore::Open(path);
  for (int n = first; n < first + count; ++n) {
    store->ToggleFavourite(Poem(n));
    const int done = n - first + 1;
    if (fd >= 0 && write(fd, &done, sizeof done) != sizeof done) _exit(3);
  }
  _exit(0);
}

TEST_F(ReaderStoreTest, AWriterKilledMidChangeLosesAtMostThatChange) {
  ReaderStore::Open(DbPath());  // made before the child starts
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeFds[0]);
    KeepPoems(DbPath(), 0, 100000, pipeFds[1]);
  }
  close(pipeFds[1]);
  int committed = 0, n = 0;
  while (committed < 60 && read(pipeFds[0], &n, sizeof n) == sizeof n) committed = n;
  kill(child, SIGKILL);
  while (read(pipeFds[0], &n, sizeof n) == sizeof n) committed = n;  // what it said before it died
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  QString notice;
  auto store = ReaderStore::Open(DbPath(), &notice);
  EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();  // sound: not kept aside
  const int kept = static_cast<int>(store->Favourites().size());
  EXPECT_GE(kept, committed);
  EXPECT_LE(kept, committed + 1);
  EXPECT_TRUE(store->ToggleFavourite(Poem(-1)));
}

TEST_F(ReaderStoreTest, TwoProgramsWritingAtOnceLoseNothing) {
  ReaderStore::Open(DbPath());
  constexpr int kEach = 150;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) KeepPoems(DbPath(), c * kEach, kEach, -1);
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  auto store = ReaderStore::Open(DbPath());
  EXPECT_EQ(store->Favourites().size(), 2u * kEach);
  EXPECT_TRUE(store->IsFavourite(Poem(0)) && store->IsFavourite(Poem(2 * kEach - 1)));
}

TEST_F(ReaderStoreTest, AFileThatIsNotADatabaseIsKeptAsideNeverOverwritten) {
  const QByteArray garbage = QByteArray("these are the reader's notes, not a database\n").repeated(200);
  auto asideFiles = [this] {
    return QDir(dir_.path()).entryList({QStringLiteral("reader.db.damaged-*")}, QDir::Files, QDir::Name);
  };
  for (int round = 0; round < 2; ++round) {
    {
      QFile f(DbPath());
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(garbage + QByteArray::number(round));
    }
    const QStringList before = asideFiles();
    QString notice;
    auto store = ReaderStore::Open(DbPath(), &notice);
    EXPECT_TRUE(store->ToggleFavourite(Poem(round)));
    QStringList added = asideFiles();
    for (const QString& name : before) added.removeOne(name);
    ASSERT_EQ(added.size(), 1);
    EXPECT_TRUE(notice.contains(QStringLiteral("已改名保存为“%1”").arg(added[0]))) << notice.toStdString();
    // Every file kept aside still holds exactly what was there.
    QStringList rounds;
    for (const QString& name : asideFiles()) {
      QFile f(dir_.filePath(name));
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      const QByteArray bytes = f.readAll();
      EXPECT_TRUE(bytes.startsWith(garbage)) << name.toStdString();
      rounds << QString::fromLatin1(bytes.mid(garbage.size()));
    }
    rounds.sort();
    EXPECT_EQ(rounds, round == 0 ? QStringList{QStringLiteral("0")} : QStringList({QStringLiteral("0"), QStringLiteral("1")}));
  }
}

TEST_F(ReaderStoreTest, AFolderThatCannotBeWrittenIsSaidPlainly) {
  const QString folder = dir_.filePath(QStringLiteral("readonly"));
  ASSERT_TRUE(QDir().mkpath(folder));
  SmallDisk disk(folder, "size=256k");
  if (disk.Mounted()) ASSERT_TRUE(disk.MakeReadOnly());
  else ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
  const QString path = QDir(folder).filePath(QStringLiteral("reader.db"));
  try {
    ReaderStore::Open(path);
    FAIL() << "opened a database in a folder that cannot be written";
  } catch (const data::EReaderDataError& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("收藏和阅读记录无法保存：文件夹“"))) << e.what();
    EXPECT_TRUE(e.Message().contains(QStringLiteral("不能写入"))) << e.what();
    EXPECT_TRUE(e.Message().section(u'\n', 1).startsWith(QStringLiteral("reader data "))) << e.what();
  }
  EXPECT_FALSE(QFileInfo::exists(path));
  if (!disk.Mounted()) chmod(QFile::encodeName(folder).constData(), 0755);
}

TEST_F(ReaderStoreTest, AFullDiskRefusesTheChangeAndKeepsWhatWasThere) {
  const QString folder = dir_.filePath(QStringLiteral("small"));
  ASSERT_TRUE(QDir().mkpath(folder));
  SmallDisk disk(folder, "size=192k");
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
  const QString path = QDir(folder).filePath(QStringLiteral("reader.db"));
  auto store = ReaderStore::Open(path);
  for (int n = 0; n < 5; ++n) store->ToggleFavourite(Poem(n));
  disk.Fill(QStringLiteral("filler"));
  // Long entries, so that the change needs pages the disk no longer has.
  int refused = 0;
  for (int n = 100; n < 200 && refused == 0; ++n) {
    PoemRef big = Poem(n);
    big.head = QString(2000, QChar(u'月'));
    try {
      store->ToggleFavourite(big);
    } catch (const data::EReaderDataError& e) {
      ++refused;
      EXPECT_TRUE(e.Message().startsWith(QStringLiteral("收藏和阅读记录没有保存：磁盘已满。"))) << e.what();
    }
  }
  EXPECT_EQ(refused, 1);
  QFile::remove(QDir(folder).filePath(QStringLiteral("filler")));
  EXPECT_TRUE(store->ToggleFavourite(Poem(99)));
  store.reset();
  QString notice;
  store = ReaderStore::Open(path, &notice);
  EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
  for (int n = 0; n < 5; ++n) EXPECT_TRUE(store->IsFavourite(Poem(n))) << n;
  EXPECT_TRUE(store->IsFavourite(Poem(99)));
}

}  // namespace
