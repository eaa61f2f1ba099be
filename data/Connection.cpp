#include "data/Connection.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "toolkit/Exception.h"

namespace data {

QString MakeConnectionString(const QString& file, const QString& password) {
  return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file +
         QStringLiteral(";Mode=Share Deny Read|Share Deny Write;Persist Security Info=False;"
                        "Jet OLEDB:Database Password=") +
         password;
}

ConnectionInfo ParseConnectionString(const QString& text) {
  ConnectionInfo info;
  for (const QString& part : text.split(u';')) {
    const qsizetype eq = part.indexOf(u'=');
    if (eq < 0) continue;
    const QString name = part.left(eq).trimmed();
    const QString value = part.mid(eq + 1);
    if (name.compare(QStringLiteral("Data Source"), Qt::CaseInsensitive) == 0)
      info.file = QString(value.trimmed()).replace(u'\\', u'/');
    else if (name.compare(QStringLiteral("Jet OLEDB:Database Password"), Qt::CaseInsensitive) == 0)
      info.password = value;
  }
  return info;
}

int ApplyCipherSettings(sqlite3* db) {
  return sqlite3_exec(db, "PRAGMA cipher_page_size = 16384", nullptr, nullptr, nullptr);
}

std::shared_ptr<Connection> Connection::Open(const ConnectionInfo& info) {
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
  const QByteArray key = info.password.toUtf8();
  if (!key.isEmpty() && sqlite3_key(db, key.constData(), static_cast<int>(key.size())) != SQLITE_OK) fail({});
  if (!key.isEmpty() && ApplyCipherSettings(db) != SQLITE_OK) fail({});
  // Reading the schema proves the key: a wrong password fails here with the engine's message.
  rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) fail({});
  return std::shared_ptr<Connection>(new Connection(db));
}

Connection::~Connection() { sqlite3_close(db_); }

}  // namespace data
