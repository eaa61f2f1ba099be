#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/Gbk.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"
#include "toolkit/IniFile.h"

using namespace toolkit;

class IniFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  IniFile ini{dir.filePath(QStringLiteral("setup.ini"))};
  void Write(const QString& text) { testing_support::WriteFile(ini.FileName(), platform::ToGbk(text)); }
};

TEST_F(IniFileTest, IntegerAndFlagReadsFallBackSilently) {
  Write(QStringLiteral("[tip]\r\ncount=0x10\r\ntip=yes\r\n[a]\r\nt2=2\r\nt3=-1\r\nbad=12a\r\n"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("TIP"), QStringLiteral("count"), 0), 16);
  EXPECT_FALSE(ini.ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false));
  EXPECT_TRUE(ini.ReadBool(QStringLiteral("a"), QStringLiteral("t2"), false));
  EXPECT_TRUE(ini.ReadBool(QStringLiteral("a"), QStringLiteral("t3"), false));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("a"), QStringLiteral("bad"), 5), 5);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("a"), QStringLiteral("missing"), -3), -3);
  EXPECT_TRUE(ini.ReadBool(QStringLiteral("a"), QStringLiteral("missing"), true));
}

// Hexadecimal values beyond the signed 32-bit range read as the default and are
// refused as era counts, instead of wrapping to negative numbers.
TEST_F(IniFileTest, HexadecimalValuesBeyondThirtyOneBitsDoNotConvert) {
  Write(QStringLiteral("[tip]\r\ncount=$80000000\r\ntip=0xFFFFFFFF\r\n[item]\r\nchina=x7FFFFFFF\r\nfremdness=$FFFFFFFF\r\n"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("tip"), QStringLiteral("count"), 3), 3);
  EXPECT_FALSE(ini.ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false));
  EXPECT_EQ(StrToInt(ini.ReadString(QStringLiteral("item"), QStringLiteral("china"), QString())), INT32_MAX);
  try {
    StrToInt(ini.ReadString(QStringLiteral("item"), QStringLiteral("fremdness"), QString()));
    FAIL() << "$FFFFFFFF converted";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("'$FFFFFFFF' is not a valid integer value"));
  }
}

TEST_F(IniFileTest, WritesRoundTripAndAFailedWriteRaisesWithThePath) {
  ini.WriteBool(QStringLiteral("Tip"), QStringLiteral("tip"), true);
  ini.WriteInteger(QStringLiteral("tip"), QStringLiteral("count"), 12);
  EXPECT_TRUE(ini.ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("tip"), QStringLiteral("count"), 0), 12);

  const QString missing = dir.filePath(QStringLiteral("gone/setup.ini"));
  try {
    IniFile(missing).WriteInteger(QStringLiteral("tip"), QStringLiteral("count"), 1);
    FAIL() << "write into a missing folder succeeded";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Unable to write to ") + missing);
  }
}

TEST(StrToInt, RaisesTheConversionErrorWithTheTextRead) {
  EXPECT_EQ(StrToInt(QStringLiteral(" 8")), 8);
  try {
    StrToInt(QString());
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("'' is not a valid integer value"));
  }
}
