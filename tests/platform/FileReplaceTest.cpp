// Replacing the settings file's contents: through a temporary file where the
// folder allows one, in place where only the file itself is writable, and never
// leaving a mix of old and new bytes when a write fails.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "platform/FileReplace.h"
#include "platform/Gbk.h"
#include "platform/Profile.h"
#include "tests/support/TestSupport.h"

using namespace platform;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

constexpr uid_t kNobody = 65534;

ino_t Inode(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// Runs `step` where file permissions hold: in this process for an ordinary
// user, in a child that gave up root for "nobody" otherwise (root writes
// anything). `owned` are handed to that user first.
bool RunUnprivileged(const QStringList& owned, const std::function<bool()>& step) {
  if (::geteuid() != 0) return step();
  for (const QString& path : owned)
    if (::chown(QFile::encodeName(path).constData(), kNobody, kNobody) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    ::_exit(step() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Files larger than `bytes` cannot be written while the object lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_;
};

class FileReplaceTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString file = dir.filePath(QStringLiteral("setup.ini"));
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  // The folder read-only for everyone (its owner too), the file as `fileMode`.
  void LockFolder(mode_t fileMode) {
    ::chmod(QFile::encodeName(file).constData(), fileMode);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0555);
  }
  void TearDown() override { ::chmod(QFile::encodeName(dir.path()).constData(), 0700); }
};

}  // namespace

TEST_F(FileReplaceTest, InPlaceGrowsShrinksAndKeepsTheSameFile) {
  WriteFile(file, "[tip]\r\ntip=0\r\ncount=7\r\n");
  const ino_t inode = Inode(file);
  const QByteArray longer = "[tip]\r\ntip=1\r\ncount=12345\r\n[item]\r\nchina=9\r\n";
  ASSERT_TRUE(WriteFileInPlace(file, longer));
  EXPECT_EQ(ReadFile(file), longer);
  const QByteArray shorter = "[t]\r\n";
  ASSERT_TRUE(WriteFileInPlace(file, shorter));
  EXPECT_EQ(ReadFile(file), shorter);
  const QByteArray sameSize = "[u]\r\n";
  ASSERT_TRUE(WriteFileInPlace(file, sameSize));
  EXPECT_EQ(ReadFile(file), sameSize);
  ASSERT_TRUE(WriteFileInPlace(file, QByteArray()));
  EXPECT_EQ(ReadFile(file), QByteArray());
  EXPECT_EQ(Inode(file), inode) << "the file was replaced, not written in place";
  EXPECT_FALSE(WriteFileInPlace(dir.filePath(QStringLiteral("missing.ini")), "x"));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing.ini"))));
}

// A write that runs into a size limit fails with the old bytes still there,
// in place as well as through the temporary file.
TEST_F(FileReplaceTest, AFailedWriteLeavesTheOldContents) {
  const QByteArray old(300, 'o');
  WriteFile(file, old);
  const QByteArray tooLong = QByteArray(300, 'n') + QByteArray(700, 't');
  bool inPlace = true, replaced = true;
  {
    FileSizeLimit limit(600);
    inPlace = WriteFileInPlace(file, tooLong);
    replaced = ReplaceFileContents(file, tooLong);
  }
  EXPECT_FALSE(inPlace);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(ReadFile(file), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("setup.ini")});
  // Below the limit both ways work.
  {
    FileSizeLimit limit(600);
    EXPECT_TRUE(WriteFileInPlace(file, QByteArray(599, 'a')));
    EXPECT_TRUE(ReplaceFileContents(file, QByteArray(600, 'b')));
  }
  EXPECT_EQ(ReadFile(file), QByteArray(600, 'b'));
}

// A read-only folder with a writable setup.ini: the settings are written in place.
TEST_F(FileReplaceTest, ReadOnlyFolderWithAWritableFileIsWrittenInPlace) {
  testing_support::WriteFile(file, ToGbk(QStringLiteral("[item]\r\nchina=2\r\n[Tip]\r\ntip=0\r\ncount=3\r\n")));
  LockFolder(0644);
  const bool written = RunUnprivileged({dir.path(), file}, [&] {
    return WriteProfileString(file, QStringLiteral("Tip"), QStringLiteral("tip"), QStringLiteral("1")) &&
           WriteProfileString(file, QStringLiteral("tip"), QStringLiteral("count"), QStringLiteral("10")) &&
           WriteProfileString(file, QStringLiteral("tip"), QStringLiteral("new"), QStringLiteral("唐代"));
  });
  EXPECT_TRUE(written);
  EXPECT_EQ(ReadFile(file), ToGbk(QStringLiteral("[item]\r\nchina=2\r\n[Tip]\r\ntip=1\r\ncount=10\r\nnew=唐代\r\n")));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("setup.ini")});
}

// What cannot be written is refused and left as it was: a read-only file (in a
// writable or a read-only folder) and a missing file in a read-only folder.
TEST_F(FileReplaceTest, AReadOnlyFileOrAFileThatCannotBeMadeIsRefused) {
  const QByteArray old = "[tip]\r\ntip=0\r\n";
  WriteFile(file, old);
  ::chmod(QFile::encodeName(file).constData(), 0444);
  EXPECT_FALSE(RunUnprivileged({dir.path(), file}, [&] {
    return WriteProfileString(file, QStringLiteral("tip"), QStringLiteral("tip"), QStringLiteral("1"));
  })) << "a read-only file in a writable folder was written";
  EXPECT_EQ(ReadFile(file), old);

  LockFolder(0444);
  EXPECT_FALSE(RunUnprivileged({dir.path(), file}, [&] {
    return WriteProfileString(file, QStringLiteral("tip"), QStringLiteral("tip"), QStringLiteral("1"));
  })) << "a read-only file in a read-only folder was written";
  EXPECT_EQ(ReadFile(file), old);

  const QString missing = dir.filePath(QStringLiteral("other.ini"));
  EXPECT_FALSE(RunUnprivileged({dir.path()}, [&] {
    return WriteProfileString(missing, QStringLiteral("tip"), QStringLiteral("tip"), QStringLiteral("1"));
  }));
  EXPECT_FALSE(QFile::exists(missing));
}
