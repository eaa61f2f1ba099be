#include "data/Connection.h"

#include <openssl/evp.h>
#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <mutex>

#include "data/Databases.h"
#include "platform/Dialogs.h"
#include "toolkit/Exception.h"

namespace data {

namespace {

// A value as a connection text holds it. One that holds a ';', that starts
// with a quote or that has blanks at either end (which reading trims) is
// written in double quotes, a quote inside it doubled; any other as it is.
QString Quoted(const QString& value) {
  if (!value.contains(u';') && !value.startsWith(u'"') && !value.startsWith(u'\'') && value == value.trimmed())
    return value;
  return u'"' + QString(value).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Reads the value that starts at `at` up to the ';' that ends its part, or
// the end of the text; returns where the next part starts. A value whose
// first character after blanks is a quote runs to the closing quote, a
// doubled quote standing for one; anything after it up to the ';' is ignored.
qsizetype ReadValue(const QString& text, qsizetype at, QString* value, bool* quoted) {
  qsizetype i = at;
  while (i < text.size() && text[i].isSpace()) ++i;
  *quoted = i < text.size() && (text[i] == u'"' || text[i] == u'\'');
  if (!*quoted) {
    const qsizetype semi = text.indexOf(u';', at);
    const qsizetype end = semi < 0 ? text.size() : semi;
    *value = text.mid(at, end - at);
    return end + 1;
  }
  const QChar quote = text[i++];
  value->clear();
  for (; i < text.size(); ++i) {
    if (text[i] != quote) {
      value->append(text[i]);
    } else if (i + 1 < text.size() && text[i + 1] == quote) {
      value->append(quote);
      ++i;
    } else {
      break;
    }
  }
  const qsizetype semi = text.indexOf(u';', i);
  return semi < 0 ? text.size() : semi + 1;
}

}  // namespace

QString MakeConnectionString(const QString& file, const QString& password) {
  return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + Quoted(file) +
         QStringLiteral(";Mode=Share Deny Read|Share Deny Write;Persist Security Info=False;"
                        "Jet OLEDB:Database Password=") +
         Quoted(password);
}

ConnectionInfo ParseConnectionString(const QString& text) {
  ConnectionInfo info;
  qsizetype at = 0;
  while (at < text.size()) {
    const qsizetype eq = text.indexOf(u'=', at);
    const qsizetype semi = text.indexOf(u';', at);
    if (eq < 0) break;
    if (semi >= 0 && semi < eq) {  // a part without '='
      at = semi + 1;
      continue;
    }
    const QString name = text.mid(at, eq - at).trimmed();
    QString value;
    bool quoted = false;
    at = ReadValue(text, eq + 1, &value, &quoted);
    if (name.compare(QStringLiteral("Data Source"), Qt::CaseInsensitive) == 0)
      info.file = (quoted ? value : value.trimmed()).replace(u'\\', u'/');
    else if (name.compare(QStringLiteral("Jet OLEDB:Database Password"), Qt::CaseInsensitive) == 0)
      info.password = value;
  }
  return info;
}

QByteArray DeriveDatabaseKey(const QString& password) {
  static constexpr char kSalt[] = "Cinnabarquillpad database key";
  static constexpr int kIterations = 64000;
  const QByteArray secret = password.toUtf8();
  unsigned char key[32];
  if (PKCS5_PBKDF2_HMAC(secret.constData(), static_cast<int>(secret.size()), reinterpret_cast<const unsigned char*>(kSalt),
                        static_cast<int>(sizeof kSalt - 1), kIterations, EVP_sha512(), static_cast<int>(sizeof key), key) != 1)
    throw toolkit::EDatabaseError(QStringLiteral("The database key could not be derived"));
  return QByteArray(reinterpret_cast<const char*>(key), sizeof key).toHex();
}

QByteArray DatabaseKey(const QString& password) {
  if (password == kPoetryDbPassword) return kPoetryDbKey;
  if (password == kFormatDbPassword) return kFormatDbKey;
  if (password == kLoreDbPassword) return kLoreDbKey;
  return DeriveDatabaseKey(password);
}

int ApplyKey(sqlite3* db, const QString& password) {
  // "x'...'" hands the engine the key itself instead of a passphrase.
  const QByteArray raw = "x'" + DatabaseKey(password) + "'";
  int rc = sqlite3_key(db, raw.constData(), static_cast<int>(raw.size()));
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA cipher_page_size = 16384", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA cipher_use_hmac = OFF", nullptr, nullptr, nullptr);
  return rc;
}

// What a statement on the program's databases may do. The connection is read
// only, so no change reaches the file; beyond that nothing may reach outside
// the database: no other database attached, no extension loaded, no file read
// or written by a function, no setting changed but the page size the word
// index reads.
static int ReadOnlyAuthorizer(void*, int action, const char* name, const char* function, const char*, const char*) {
  switch (action) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
      return SQLITE_DENY;
    case SQLITE_PRAGMA:
      return name && sqlite3_stricmp(name, "page_size") == 0 ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_FUNCTION: {
      static const char* const kReaching[] = {"load_extension", "fts3_tokenizer", "sqlcipher_export", "readfile",
                                              "writefile"};
      for (const char* f : kReaching)
        if (function && sqlite3_stricmp(function, f) == 0) return SQLITE_DENY;
      return SQLITE_OK;
    }
    default:
      return SQLITE_OK;
  }
}

// Before the engine's first use: its page caches take memory page by page as
// pages are read, instead of each connection claiming room for a hundred
// 16 KiB pages at once (some 1.6 MB apiece, before the first window is painted).
// Nothing asks the engine how much memory it holds, and counting it takes a
// lock shared by every connection at each allocation: the line search's two
// readers would wait on each other.
void ConfigureEngineOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    sqlite3_initialize();  // a failure here fails the open that follows, with the engine's message
  });
}

std::shared_ptr<Connection> Connection::Open(const ConnectionInfo& info) {
  ConfigureEngineOnce();
  sqlite3* db = nullptr;
  const QByteArray path = QFileInfo(info.file).absoluteFilePath().toUtf8();
  int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  // The engine's message, then the file as named and the folder a relative
  // name was taken from: a program started in the wrong folder says where it looked.
  auto fail = [&db, &info](const QString& fallback) {
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : fallback;
    sqlite3_close(db);
    const QString where = QFileInfo(info.file).isRelative()
                              ? QStringLiteral("%1 in %2").arg(info.file, QDir::currentPath())
                              : info.file;
    throw toolkit::EDatabaseError(QStringLiteral("%1 (%2)").arg(message, where));
  };
  if (rc != SQLITE_OK) fail(QStringLiteral("unable to open database file"));
  if (!info.password.isEmpty() && ApplyKey(db, info.password) != SQLITE_OK) fail({});
  // A file from elsewhere runs nothing of its own: views and triggers are
  // refused below, and as the engine of Debian 12's SQLCipher predates the
  // defensive flag and trusted_schema, an authorizer keeps every statement
  // inside the database.
  sqlite3_set_authorizer(db, ReadOnlyAuthorizer, nullptr);
  // Reading the schema proves the key: a wrong password fails here with the engine's message.
  QStringList tables;
  QString code;  // a view or trigger: statements the file would run when read
  sqlite3_stmt* stmt = nullptr;
  rc = sqlite3_prepare_v2(db, "SELECT type, name FROM sqlite_master", -1, &stmt, nullptr);
  if (rc == SQLITE_OK) {
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      const QByteArray type(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
      const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
      if (type == "table") tables.append(name);
      else if ((type == "view" || type == "trigger") && code.isEmpty()) code = QString::fromLatin1(type) + u' ' + name;
    }
  }
  sqlite3_finalize(stmt);
  if (rc != SQLITE_DONE) fail({});
  if (!code.isEmpty()) {
    sqlite3_close(db);
    throw toolkit::EDatabaseError(platform::ReaderMessage(
        QStringLiteral("诗库文件“%1”含有程序不会执行的内容，它不是本程序的诗库，不能打开。请重新安装诗库。").arg(info.file),
        QStringLiteral("%1 holds a %2").arg(QFileInfo(info.file).absoluteFilePath(), code)));
  }
  return std::shared_ptr<Connection>(new Connection(db, std::move(tables)));
}

Connection::~Connection() { sqlite3_close(db_); }

bool Connection::HasTable(const QString& name) const { return tables_.contains(name, Qt::CaseInsensitive); }

}  // namespace data
