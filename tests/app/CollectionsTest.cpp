#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/Collections.h"
#include "app/ColumnSort.h"
#include "platform/Gbk.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"

using namespace app;

class EraNamesTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString file = dir.filePath(QStringLiteral("setup.ini"));
  void Write(const QString& text) { testing_support::WriteFile(file, platform::ToGbk(text)); }
  QString ErrorFor(const Collection& c) {
    try {
      ReadEraNames(file, c);
    } catch (const toolkit::EConvertError& e) {
      return e.Message();
    }
    return QStringLiteral("no error");
  }
};

TEST_F(EraNamesTest, ReadsNamesInOrderAndFillsMissingKeysWithEmptyNames) {
  Write(QStringLiteral("[ITEM]\r\nChina=4\r\nfremdness=0\r\n[China]\r\n1=先秦\r\n2=唐代\r\n4=清代\r\n"));
  EXPECT_EQ(ReadEraNames(file, ChineseWorks()),
            (QStringList{QStringLiteral("先秦"), QStringLiteral("唐代"), QString(), QStringLiteral("清代")}));
  EXPECT_TRUE(ReadEraNames(file, ForeignWorks()).isEmpty());
}

TEST_F(EraNamesTest, CountsThatDoNotConvertRaiseTheConversionError) {
  EXPECT_EQ(ErrorFor(ChineseWorks()), QStringLiteral("'' is not a valid integer value"));  // no file
  Write(QStringLiteral("[item]\r\nchina= 3a \r\nfremdness=-2\r\n"));
  EXPECT_EQ(ErrorFor(ChineseWorks()), QStringLiteral("'3a' is not a valid integer value"));
  EXPECT_EQ(ErrorFor(ForeignWorks()), QStringLiteral("no error"));  // negative: an empty list
}

// A hostile count costs no more than the longest list allowed: 1000 names (and
// $3E8, its hexadecimal spelling) are listed, one more is refused like a count
// that does not convert, with the text as read.
TEST_F(EraNamesTest, CountsAboveAThousandAreRefusedLikeTextThatDoesNotConvert) {
  for (const auto& [count, error] : std::vector<std::pair<QString, QString>>{
           {QStringLiteral("1000"), QString()},
           {QStringLiteral("$3E8"), QString()},
           {QStringLiteral("1001"), QStringLiteral("'1001' is not a valid integer value")},
           {QStringLiteral("x3e9"), QStringLiteral("'x3e9' is not a valid integer value")},
           {QStringLiteral("2147483647"), QStringLiteral("'2147483647' is not a valid integer value")}}) {
    Write(QStringLiteral("[item]\r\nchina=%1\r\n[china]\r\n1=先秦\r\n1000=清代\r\n").arg(count));
    if (!error.isEmpty()) {
      EXPECT_EQ(ErrorFor(ChineseWorks()), error);
      continue;
    }
    const QStringList names = ReadEraNames(file, ChineseWorks());
    ASSERT_EQ(names.size(), 1000) << count.toStdString();
    EXPECT_EQ(names.first(), QStringLiteral("先秦"));
    EXPECT_EQ(names.last(), QStringLiteral("清代"));
    EXPECT_EQ(names.count(QString()), 998);
  }
}

TEST(ColumnSort, ComparesGbkBytesWithLatinLettersFoldedToUpperCase) {
  EXPECT_LT(CompareColumnTexts(QStringLiteral("12 篇"), QStringLiteral("9 篇")), 0);  // text, not numbers
  EXPECT_EQ(CompareColumnTexts(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
  EXPECT_EQ(CompareColumnTexts(QStringLiteral("a"), QStringLiteral("B")), 'A' - 'B');
  EXPECT_EQ(CompareColumnTexts(QStringLiteral("z"), QStringLiteral("Z")), 0);  // the last letter folds too
  // The characters just outside a-z keep their bytes: ` (60) and { (7B).
  EXPECT_EQ(CompareColumnTexts(QStringLiteral("`"), QStringLiteral("@")), '`' - '@');
  EXPECT_EQ(CompareColumnTexts(QStringLiteral("{"), QStringLiteral("[")), '{' - '[');
  // GBK order: 杜 (B6C5) before 李 (C0EE) before 王 (CDF5).
  EXPECT_LT(CompareColumnTexts(QStringLiteral("杜甫"), QStringLiteral("李白")), 0);
  EXPECT_LT(CompareColumnTexts(QStringLiteral("李白"), QStringLiteral("王维")), 0);
  EXPECT_EQ(CompareColumnTexts(QStringLiteral("唐"), QStringLiteral("唐诗")), -2);  // prefix: length difference
  EXPECT_GT(CompareColumnTexts(QStringLiteral("诗"), QStringLiteral("z")), 0);      // bytes taken as 0..255
  EXPECT_GT(CompareColumnTexts(QStringLiteral("_"), QStringLiteral("a")), 0);       // '_' (5F) after 'A' (41)
}
