#pragma once
// Connection texts and read-only connections to password-protected database files.
#include <QString>
#include <memory>

struct sqlite3;

namespace data {

struct ConnectionInfo {
  QString file;      // as written in the text, backslashes turned into "/"
  QString password;
};

// The connection text for a file and password.
QString MakeConnectionString(const QString& file, const QString& password);
// Reads "Data Source" and "Jet OLEDB:Database Password" (names without regard to
// case) from a connection text of "name=value" parts separated by ";".
ConnectionInfo ParseConnectionString(const QString& text);

// Applies the cipher settings every database file of the program is written
// and read with (after the key, before the first read). Large cipher pages cut
// the per-page decryption cost of fetching whole tables.
int ApplyCipherSettings(sqlite3* db);

// An open, read-only connection. Raises EDatabaseError with the engine's
// message when the file is missing or the password is wrong.
class Connection {
 public:
  static std::shared_ptr<Connection> Open(const ConnectionInfo& info);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  sqlite3* Handle() const { return db_; }

 private:
  explicit Connection(sqlite3* db) : db_(db) {}
  sqlite3* db_;
};

}  // namespace data
