#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "data/Databases.h"
#include "tests/data/Fixture.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"

TEST(ConnectionString, ParsesFileAndPasswordWhateverTheCase) {
  const QString text = data::MakeConnectionString(data::kPoetryDbFile, data::kPoetryDbPassword);
  EXPECT_TRUE(text.startsWith(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=dat\\db3.dat;")));
  const data::ConnectionInfo info = data::ParseConnectionString(text);
  EXPECT_EQ(info.file, QStringLiteral("dat/db3.dat"));
  EXPECT_EQ(info.password, data::kPoetryDbPassword);
  const auto other = data::ParseConnectionString(QStringLiteral("data source = a\\b\\c.dat ;JET OLEDB:DATABASE PASSWORD=pw"));
  EXPECT_EQ(other.file, QStringLiteral("a/b/c.dat"));
  EXPECT_EQ(other.password, QStringLiteral("pw"));
}

// Whatever a file name or password holds, the text written for them reads
// back as them: separators, quotes and blanks are quoted, and quoted values
// are read as written, quotes from either kind.
TEST(ConnectionString, QuotedValuesKeepSeparatorsQuotesAndBlanks) {
  struct Case {
    QString file, password;
  } cases[] = {
      {QStringLiteral("/home/a;b/dat/db3.dat"), QStringLiteral("pw")},
      {QStringLiteral("dat/db3.dat"), QStringLiteral("a;Data Source=other.dat")},
      {QStringLiteral("\"quoted\".dat"), QStringLiteral("'pw'")},
      {QStringLiteral("  padded.dat "), QStringLiteral(" pw")},
      {QStringLiteral("mid\"quote.dat"), QString()},
  };
  for (const Case& c : cases) {
    const data::ConnectionInfo info = data::ParseConnectionString(data::MakeConnectionString(c.file, c.password));
    EXPECT_EQ(info.file, c.file) << c.file.toStdString();
    EXPECT_EQ(info.password, c.password) << c.password.toStdString();
  }
  // Values without a separator, quote or end blank are written as they are.
  EXPECT_TRUE(data::MakeConnectionString(QStringLiteral("a b.dat"), QStringLiteral("p\"w"))
                  .endsWith(QStringLiteral("Data Source=a b.dat;Mode=Share Deny Read|Share Deny Write;"
                                           "Persist Security Info=False;Jet OLEDB:Database Password=p\"w")));
  const auto quoted = data::ParseConnectionString(
      QStringLiteral("Data Source = 'c:\\x;y.dat' rest;Jet OLEDB:Database Password=\"a\"\"b\";Mode=Read"));
  EXPECT_EQ(quoted.file, QStringLiteral("c:/x;y.dat"));
  EXPECT_EQ(quoted.password, QStringLiteral("a\"b"));
}

class ConnectionTest : public ::testing::Test {
 protected:
  DataFixture fixture;
  void SetUp() override {
    fixture.Build(QStringLiteral("db4.dat"), QStringLiteral("格律"), QStringLiteral("format"),
                  QStringLiteral("formatname\tcontent\n五言绝句\t四句\n"));
  }
  std::string OpenWith(const QString& file, const QString& password) {
    data::TADOQuery q(QStringLiteral("ADOQuery2"));
    q.SetConnectionString(data::MakeConnectionString(file, password));
    q.SetSQL(QStringLiteral("select * from format"));
    try {
      q.Open();
    } catch (const toolkit::EDatabaseError& e) {
      return e.Message().toStdString();
    }
    return "opened " + std::to_string(q.RecordCount());
  }
};

TEST_F(ConnectionTest, FilesAreEncryptedAndOpenOnlyWithTheirPassword) {
  const QByteArray head = testing_support::ReadFile(fixture.Path(QStringLiteral("dat/db4.dat"))).left(16);
  EXPECT_NE(head, QByteArray("SQLite format 3\0", 16));
  EXPECT_EQ(OpenWith(QStringLiteral("dat\\db4.dat"), QStringLiteral("格律")), "opened 1");
  const std::string here = QDir::currentPath().toStdString();
  EXPECT_EQ(OpenWith(QStringLiteral("dat\\db4.dat"), QStringLiteral("wrong")),
            "file is encrypted or is not a database (dat/db4.dat in " + here + ")");
  EXPECT_EQ(OpenWith(QStringLiteral("dat\\missing.dat"), QStringLiteral("格律")),
            "unable to open database file (dat/missing.dat in " + here + ")");
}

// Opened by hand in the wrong folder, the message names the file and the folder it was looked for in;
// an absolute name is given as it stands.
TEST_F(ConnectionTest, AFailedOpenNamesTheFileAndTheFolderItWasLookedFor) {
  QTemporaryDir elsewhere;
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
  const std::string wrongFolder = OpenWith(QStringLiteral("dat\\db4.dat"), QStringLiteral("格律"));
  QDir::setCurrent(before);
  EXPECT_EQ(wrongFolder, "unable to open database file (dat/db4.dat in " + elsewhere.path().toStdString() + ")");

  const QString absolute = fixture.Path(QStringLiteral("dat/db4.dat"));
  EXPECT_EQ(OpenWith(absolute, QStringLiteral("格律")), "opened 1");
  EXPECT_EQ(OpenWith(absolute + QStringLiteral(".gone"), QStringLiteral("格律")),
            "unable to open database file (" + absolute.toStdString() + ".gone)");
}

TEST(DatabaseKeys, TheKeptKeysAreThoseOfTheProgramsPasswords) {
  EXPECT_EQ(data::DeriveDatabaseKey(data::kPoetryDbPassword), QByteArray(data::kPoetryDbKey));
  EXPECT_EQ(data::DeriveDatabaseKey(data::kFormatDbPassword), QByteArray(data::kFormatDbKey));
  EXPECT_EQ(data::DeriveDatabaseKey(data::kLoreDbPassword), QByteArray(data::kLoreDbKey));
  EXPECT_EQ(data::DatabaseKey(data::kFormatDbPassword), QByteArray(data::kFormatDbKey));
  // Other passwords are derived; a trailing blank is part of the password.
  EXPECT_EQ(data::DatabaseKey(QStringLiteral("pw")), data::DeriveDatabaseKey(QStringLiteral("pw")));
  EXPECT_NE(data::DatabaseKey(QStringLiteral("格律 ")), QByteArray(data::kFormatDbKey));
  EXPECT_EQ(data::DatabaseKey(QStringLiteral("pw")).size(), 64);
}

// A database file that carries statements of its own (a view standing for a
// table, a trigger) is refused before anything of it runs, and no statement
// reaches outside the database it opened.
TEST_F(ConnectionTest, FilesWithCodeOfTheirOwnAreRefusedAndNothingReachesOutside) {
  const QString file = fixture.Path(QStringLiteral("dat/db4.dat"));
  auto alter = [&](const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    ASSERT_EQ(data::ApplyKey(db, QStringLiteral("格律")), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  };
  const QString attached = fixture.Path(QStringLiteral("elsewhere.db"));
  for (const QString& statement :
       {QStringLiteral("attach database '%1' as other").arg(attached), QStringLiteral("select load_extension('x')"),
        QStringLiteral("pragma writable_schema = 1"), QStringLiteral("select fts3_tokenizer('simple')")}) {
    data::TADOQuery q(QStringLiteral("ADOQuery2"));
    q.SetConnectionString(data::MakeConnectionString(QStringLiteral("dat\\db4.dat"), QStringLiteral("格律")));
    q.SetSQL(statement);
    EXPECT_THROW(q.Open(), toolkit::EDatabaseError) << statement.toStdString();
  }
  EXPECT_FALSE(QFile::exists(attached));
  EXPECT_EQ(OpenWith(QStringLiteral("dat\\db4.dat"), QStringLiteral("格律")), "opened 1");

  alter("ALTER TABLE format RENAME TO format_rows; CREATE VIEW format AS SELECT * FROM format_rows");
  const std::string viewed = OpenWith(QStringLiteral("dat\\db4.dat"), QStringLiteral("格律"));
  EXPECT_EQ(QString::fromStdString(viewed).section(u'\n', 0, 0),
            QStringLiteral("诗库文件“dat/db4.dat”含有程序不会执行的内容，它不是本程序的诗库，不能打开。请重新安装诗库。"));
  EXPECT_NE(viewed.find("holds a view format"), std::string::npos) << viewed;
  alter("DROP VIEW format; ALTER TABLE format_rows RENAME TO format; "
        "CREATE TRIGGER t AFTER INSERT ON format BEGIN DELETE FROM format; END");
  EXPECT_NE(OpenWith(QStringLiteral("dat\\db4.dat"), QStringLiteral("格律")).find("holds a trigger t"), std::string::npos);
}
