#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"
#include "tools/mkdb/DbBuilder.h"

using namespace dbbuild;

TEST(TableSource, ParsesTypesEscapesAndNulls) {
  const Table t = ParseTableSource(QStringLiteral("poetry"),
                                   QByteArray("title\tn:int\r\n"
                                              "a\\tb\\nc\\\\d\\r\t12\r\n"
                                              "\\N\t\\N\n"
                                              "\t-3\n"));
  ASSERT_EQ(t.columns.size(), 2);
  EXPECT_EQ(t.columns[1].name, QStringLiteral("n"));
  EXPECT_TRUE(t.columns[1].integer);
  ASSERT_EQ(t.rows.size(), 3);
  EXPECT_EQ(t.rows[0][0].toString(), QStringLiteral("a\tb\nc\\d\r"));
  EXPECT_EQ(t.rows[0][1].toLongLong(), 12);
  EXPECT_TRUE(t.rows[1][0].isNull());
  EXPECT_TRUE(t.rows[1][1].isNull());
  EXPECT_EQ(t.rows[2][0].toString(), QString(""));
  EXPECT_FALSE(t.rows[2][0].isNull());
  for (const QString& s : {QStringLiteral("x\ty\\z"), QStringLiteral("line\r\nbreak"), QString()})
    EXPECT_EQ(ParseTableSource(QStringLiteral("t"), ("c\n" + EscapeField(s) + "\n").toUtf8()).rows[0][0].toString(), s);
}

TEST(TableSource, MalformedLinesAreReportedWithTheirNumber) {
  try {
    ParseTableSource(QStringLiteral("author"), QByteArray("a\tb\nx\ty\nonly-one\n"));
    FAIL();
  } catch (const toolkit::Exception& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("author, line 3: 1 fields, expected 2"));
  }
  EXPECT_THROW(ParseTableSource(QStringLiteral("t"), QByteArray("n:int\nabc\n")), toolkit::Exception);
  EXPECT_THROW(ParseTableSource(QStringLiteral("t"), QByteArray()), toolkit::Exception);
}
