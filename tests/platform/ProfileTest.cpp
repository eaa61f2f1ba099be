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

// The second byte of 廬 (B1 5D) and of 郵 (E0 5D) is the byte of ']': a
// header's name runs to the bracket that is a character of its own.
TEST_F(ProfileTest, SectionNamesWhoseCharactersEndInABracketByte) {
  Write(QStringLiteral("[廬山]\r\nk=1\r\n[郵] note\r\nk=2\r\n"));
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("廬山"), QStringLiteral("k")), QStringLiteral("1"));
  EXPECT_EQ(ReadProfileString(file, QStringLiteral("郵"), QStringLiteral("k")), QStringLiteral("2"));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("郵"), QStringLiteral("k"), QStringLiteral("3")));
  ASSERT_TRUE(WriteProfileString(file, QStringLiteral("廬山"), QStringLiteral("j"), QStringLiteral("4")));
  EXPECT_EQ(ReadFile(file), ToGbk(QStringLiteral("[廬山]\r\nk=1\r\nj=4\r\n[郵] note\r\nk=3\r\n")));
  // A lead byte right before the bracket makes one character of the two: no header.
  WriteFile(file, QByteArray("[\xB1]\r\nk=5\r\n"));
  EXPECT_EQ(ReadProfileString(file, QString(), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(ProfileTest, WriteIntoAMissingFolderOrOverAFileItCannotReadFails) {
  EXPECT_FALSE(WriteProfileString(dir.filePath(QStringLiteral("no/such/setup.ini")), QStringLiteral("tip"),
                                  QStringLiteral("tip"), QStringLiteral("1")));
  EXPECT_FALSE(WriteProfileString(dir.path(), QStringLiteral("tip"), QStringLiteral("tip"), QStringLiteral("1")));
  EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

// The first section of a name and the first key of a name in it are read, by
// single reads and by one snapshot alike; a later section of the same name is
// not read at all. Lines without "=" are passed over, not taken as the end.
TEST_F(ProfileTest, FirstSectionAndFirstKeyWinInSingleReadsAndSnapshots) {
  Write(QStringLiteral("[tip]\r\ncount=1\r\ncount=2\r\n[ TIP ]\r\ncount=3\r\nlate=9\r\n[Ωmega]\r\nk=v\r\n[ωMEGA]\r\nk=w\r\n"
                       "[sec]trailing\r\n a = x = y \r\n=noname\r\n[last]\r\n\r\nno equals sign\r\nz=end"));
  const ProfileSnapshot snapshot(file);
  const struct {
    const char *section, *key, *value;
  } cases[] = {{"tip", "count", "1"},      {"TIP", "late", "default"}, {"ΩMEGA", "k", "v"}, {"sec", "a", "x = y"},
               {"sec", "", "noname"},      {"last", "z", "end"},       {"last", "Z", "end"}, {"trailing", "a", "default"},
               {"sec", "trailing", "default"}};
  for (const auto& c : cases) {
    const QString section = QString::fromUtf8(c.section), key = QString::fromUtf8(c.key);
    EXPECT_EQ(ReadProfileString(file, section, key, QStringLiteral("default")), QString::fromUtf8(c.value))
        << c.section << "/" << c.key;
    EXPECT_EQ(snapshot.Read(section, key, QStringLiteral("default")), QString::fromUtf8(c.value)) << c.section << "/" << c.key;
  }
}
