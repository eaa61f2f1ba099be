#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/Gbk.h"
#include "platform/Profile.h"
#include "tests/support/TestSupport.h"

using namespace platform;
using testing_support::ReadFile;
using testing_support::WriteFile;

class ProfileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString file = dir.filePath(QStringLiteral("setup.ini"));
  void Write(const QString& text) { WriteFile(file, ToGbk(text)); }
};

TEST_F(ProfileTest, ReadsWithoutRegardToCaseAndTrimsValues) {
  // The last line has no line end, and a line may start with its "=".
  Write(QStringLiteral("[Item]\r\nChina =  3  \r\n=none\r\n[china]\r\n1=先秦"));
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("item"), QStringLiteral("CHINA")), QStringLiteral("3"));
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("CHINA"), QStringLiteral("1")), QStringLiteral("先秦"));
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("Item"), QString()), QStringLiteral("none"));
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("tip"), QStringLiteral("tip"), QStringLiteral("d")), QStringLiteral("d"));
  Write(QStringLiteral("[tip]\nother=1\n"));  // plain LF lines read too
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("tip"), QStringLiteral("tip"), QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("nope"), QStringLiteral("other"), QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("tip"), QStringLiteral("other")), QStringLiteral("1"));
}

TEST_F(ProfileTest, LongValuesAreCutTo2047BytesOnWholeCharacters) {
  Write(QStringLiteral("[s]\r\nk=a") + QString(1500, QChar(u'诗')) + QStringLiteral("\r\n"));
  const QString v = ReadProfileString(file, QStringLiteral("s"), QStringLiteral("k"));
  EXPECT_EQ(ToGbk(v).size(), 2047);  // 1 + 1023 double-byte characters
  EXPECT_TRUE(v.startsWith(u'a'));
}

TEST_F(ProfileTest, WriteCreatesFileSectionAndKeyWithGbkCrLfLines) {
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("Tip"), QStringLiteral("tip"), QStringLiteral("1")));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("tip"), QStringLiteral("count"), QStringLiteral("5")));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("名单"), QStringLiteral("1"), QStringLiteral("唐代")));
  EXPECT_EQ(ReadFile(file), ToGbk(QStringLiteral("[Tip]\r\ntip=1\r\ncount=5\r\n\r\n[名单]\r\n1=唐代\r\n")));
}

TEST_F(ProfileTest, WriteUpdatesInPlaceAndKeepsEverythingElse) {
  // The first of two alike keys is the one written; a new key goes after the
  // section's last key, before its blank line; an empty section gets it first.
  Write(QStringLiteral("; comment\r\n[TIP]\r\nTIP=0\r\nCOUNT=3\r\ncount=9\r\n\r\n[empty]\r\n[item]\r\nchina=2\r\n"));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("Tip"), QStringLiteral("tip"), QStringLiteral("1")));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("tip"), QStringLiteral("count"), QStringLiteral("4")));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("tip"), QStringLiteral("new"), QStringLiteral("x")));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("empty"), QStringLiteral("k"), QStringLiteral("v")));
  EXPECT_EQ(ReadFile(file), QByteArray("; comment\r\n[TIP]\r\nTIP=1\r\nCOUNT=4\r\ncount=9\r\nnew=x\r\n\r\n"
                                       "[empty]\r\nk=v\r\n[item]\r\nchina=2\r\n"));
}

TEST_F(ProfileTest, WriteIntoAMissingFolderOrOverAFileItCannotReadFails) {
  EXPECT_FALSE(WriteProfileString(dir.filePath(QStringLiteral("no/such/setup.ini")), QStringLiteral("tip"),
                                  QStringLiteral("tip"), QStringLiteral("1")));
  EXPECT_FALSE(WriteProfileString(dir.path(), QStringLiteral("tip"), QStringLiteral("tip"), QStringLiteral("1")));
  EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}
