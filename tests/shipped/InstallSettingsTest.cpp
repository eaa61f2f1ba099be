// Installing setup.ini beside the program keeps what the reader's program wrote.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/Gbk.h"
#include "tests/support/TestSupport.h"
#include "tools/settings/InstallSettings.h"

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

class InstallSettingsTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString shipped = dir.filePath(QStringLiteral("shipped.ini"));
  QString installed = dir.filePath(QStringLiteral("bin/setup.ini"));
  QString error;

  void SetUp() override {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")));
    WriteFile(shipped, platform::ToGbk(QStringLiteral(
                           "[item]\r\nchina=2\r\n\r\n[china]\r\n1=唐代\r\n2=宋代\r\n\r\n[tip]\r\ntip=1\r\ncount=0\r\n")));
  }
  QString Installed() const { return platform::FromGbk(ReadFile(installed)); }
};

}  // namespace

TEST_F(InstallSettingsTest, AFirstInstallCopiesTheShippedFile) {
  ASSERT_TRUE(settings::InstallSettings(shipped, installed, &error)) << error.toStdString();
  EXPECT_EQ(ReadFile(installed), ReadFile(shipped));
  EXPECT_FALSE(QFile::exists(installed + QStringLiteral(".new")));
}

TEST_F(InstallSettingsTest, TheReadersTipSettingsSurviveNewEraLists) {
  // The reader's file: an older era list and the tip section as the tip window
  // left it, in capitals and with other values.
  WriteFile(installed, platform::ToGbk(QStringLiteral(
                           "[item]\r\nchina=1\r\n\r\n[china]\r\n1=先秦\r\n\r\n[TIP]\r\ntip=0\r\ncount=17\r\n")));
  ASSERT_TRUE(settings::InstallSettings(shipped, installed, &error)) << error.toStdString();
  EXPECT_EQ(Installed(),
            QStringLiteral("[item]\r\nchina=2\r\n\r\n[china]\r\n1=唐代\r\n2=宋代\r\n\r\n[tip]\r\ntip=0\r\ncount=17\r\n"));
}

TEST_F(InstallSettingsTest, KeysTheReaderHasNotWrittenKeepTheShippedValues) {
  WriteFile(installed, QByteArray("[tip]\r\ncount=-1\r\n"));
  ASSERT_TRUE(settings::InstallSettings(shipped, installed, &error)) << error.toStdString();
  EXPECT_TRUE(Installed().endsWith(QStringLiteral("[tip]\r\ntip=1\r\ncount=-1\r\n"))) << Installed().toStdString();
  // An empty value is the reader's too.
  WriteFile(installed, QByteArray("[tip]\r\ntip=\r\n"));
  ASSERT_TRUE(settings::InstallSettings(shipped, installed, &error)) << error.toStdString();
  EXPECT_TRUE(Installed().endsWith(QStringLiteral("[tip]\r\ntip=\r\ncount=0\r\n"))) << Installed().toStdString();
}

TEST_F(InstallSettingsTest, FailuresLeaveTheOldFileAndSayWhy) {
  EXPECT_FALSE(settings::InstallSettings(dir.filePath(QStringLiteral("none.ini")), installed, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("none.ini")));
  EXPECT_FALSE(QFile::exists(installed));
  EXPECT_FALSE(settings::InstallSettings(shipped, dir.filePath(QStringLiteral("no/such/setup.ini")), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("no/such")));
}
