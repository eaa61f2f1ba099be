#pragma once
// Connection texts and read-only connections to password-protected database files.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

struct sqlite3;

namespace data {

struct ConnectionInfo {
  QString file;      // as written in the text, backslashes turned into "/"
  QString password;
};

// The connection text for a file and password. A value that holds a ";" or a
// quote, or blanks at an end, is written in double quotes.
QString MakeConnectionString(const QString& file, const QString& password);
// Reads "Data Source" and "Jet OLEDB:Database Password" (names without regard to
// case) from a connection text of "name=value" parts separated by ";"; a value
// may be quoted ("a;b" or 'a;b', a doubled quote standing for one). An
// unquoted file name is trimmed.
ConnectionInfo ParseConnectionString(const QString& text);

// The 256-bit key a password stands for, as 64 hex digits: PBKDF2-HMAC-SHA512
// over the password's UTF-8 bytes with the program's salt. The database
// builder derives it when it writes a file.
QByteArray DeriveDatabaseKey(const QString& password);
// The key of a password: the one kept for each of the program's own passwords,
// derived for any other.
QByteArray DatabaseKey(const QString& password);

// Keys an open handle with a password's key and applies the cipher settings
// every database file of the program is written and read with. The engine
// takes the key as it is, so no key derivation runs when a file is opened.
// Large cipher pages cut the per-page cost of fetching whole tables; pages
// carry no authentication code, which would cost more than the decryption.
int ApplyKey(sqlite3* db, const QString& password);

// Sets the database engine up once, before any connection of the process is
// opened (every opener calls it first).
void ConfigureEngineOnce();

// An open, read-only connection. Raises EDatabaseError with the engine's
// message when the file is missing or the password is wrong.
class Connection {
 public:
  static std::shared_ptr<Connection> Open(const ConnectionInfo& info);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  sqlite3* Handle() const { return db_; }
  // Whether the file holds a table or view of that name (without regard to case).
  bool HasTable(const QString& name) const;

 private:
  Connection(sqlite3* db, QStringList tables) : db_(db), tables_(std::move(tables)) {}
  sqlite3* db_;
  QStringList tables_;
};

}  // namespace data
