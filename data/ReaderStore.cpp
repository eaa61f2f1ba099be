#include "data/ReaderStore.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/Connection.h"
#include "platform/Dialogs.h"

namespace data {

namespace {

// How long a change waits for another running program that is writing.
constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS favourite(id INTEGER PRIMARY KEY AUTOINCREMENT, author TEXT NOT NULL,"
    " title TEXT NOT NULL, texthash BLOB NOT NULL, form TEXT NOT NULL, head TEXT NOT NULL, at INTEGER NOT NULL,"
    " UNIQUE(author, title, texthash));"
    "CREATE TABLE IF NOT EXISTS history(id INTEGER PRIMARY KEY AUTOINCREMENT, author TEXT NOT NULL,"
    " title TEXT NOT NULL, texthash BLOB NOT NULL, form TEXT NOT NULL, head TEXT NOT NULL, at INTEGER NOT NULL,"
    " UNIQUE(author, title, texthash));"
    // Where the library in use held the reader's poems when they were last
    // found there (rows of kept or read poems only).
    "CREATE TABLE IF NOT EXISTS libraryrow(author TEXT NOT NULL, title TEXT NOT NULL, texthash BLOB NOT NULL,"
    " row INTEGER NOT NULL, PRIMARY KEY(author, title, texthash)) WITHOUT ROWID;"
    "PRAGMA user_version = 1;";

// What the reader is told for an engine result code, and what can be done.
QString Advice(int code, const QString& path) {
  switch (code & 0xFF) {
    case SQLITE_FULL: return QStringLiteral("收藏和阅读记录没有保存：磁盘已满。请腾出磁盘空间后再试。");
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
      return QStringLiteral("收藏和阅读记录无法保存：文件夹“%1”不能写入。请检查它的权限。")
          .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    case SQLITE_IOERR: return QStringLiteral("收藏和阅读记录没有保存：读写磁盘出错。请检查磁盘后再试。");
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return QStringLiteral("收藏和阅读记录没有保存：另一个正在运行的本程序占用着它。请稍后再试。");
    default: return QStringLiteral("收藏和阅读记录没有保存。");
  }
}

[[noreturn]] void Fail(sqlite3* db, int code, const QString& path) {
  const QString detail = QStringLiteral("reader data %1: %2 (%3)")
                             .arg(path, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code)))
                             .arg(code);
  throw EReaderDataError(platform::ReaderMessage(Advice(code, path), detail));
}

// A prepared statement, finalized when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql, const QString& path) : db_(db), path_(path) {
    const int rc = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) Fail(db, rc, path);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void BindKey(const PoemRef& p) {
    Text(1, p.author);
    Text(2, p.title);
    sqlite3_bind_blob(stmt_, 3, p.textHash.constData(), static_cast<int>(p.textHash.size()), SQLITE_TRANSIENT);
  }
  void BindRow(const PoemRef& p, qint64 at) {
    BindKey(p);
    Text(4, p.form);
    Text(5, p.head);
    sqlite3_bind_int64(stmt_, 6, at);
  }
  void BindInt(int at, qint64 v) { sqlite3_bind_int64(stmt_, at, v); }
  // Ready to run again with other values.
  void Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  // One step: true while a row is there.
  bool Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Fail(db_, rc, path_);
    return false;
  }
  QString TextAt(int column) const {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                             sqlite3_column_bytes(stmt_, column));
  }
  QByteArray BlobAt(int column) const {
    return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, column)), sqlite3_column_bytes(stmt_, column));
  }
  qint64 IntAt(int column) const { return sqlite3_column_int64(stmt_, column); }

 private:
  void Text(int at, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    sqlite3_bind_text(stmt_, at, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  }
  sqlite3* db_;
  const QString& path_;
  sqlite3_stmt* stmt_ = nullptr;
};

void Exec(sqlite3* db, const char* sql, const QString& path) {
  const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Fail(db, rc, path);
}

// One change as one transaction: taken for writing at once (so that two
// programs never both read, then both try to write), rolled back unless committed.
class Change {
 public:
  Change(sqlite3* db, const QString& path) : db_(db), path_(path) { Exec(db, "BEGIN IMMEDIATE", path); }
  ~Change() {
    if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  void Commit() {
    Exec(db_, "COMMIT", path_);
    open_ = false;
  }

 private:
  sqlite3* db_;
  const QString& path_;
  bool open_ = true;
};

qint64 Now() { return QDateTime::currentSecsSinceEpoch(); }

// The first column of a statement's first row, or a null array.
QByteArray FirstValue(sqlite3* db, const char* sql) {
  sqlite3_stmt* stmt = nullptr;
  QByteArray value;
  if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
    value = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
  sqlite3_finalize(stmt);
  return value;
}

// Whether an open handle holds a sound database of ours: its pages and schema
// read, and it holds no views or triggers (statements of its own that a change
// would run).
bool Sound(sqlite3* db) {
  return FirstValue(db, "PRAGMA quick_check") == "ok" &&
         FirstValue(db, "SELECT count(*) FROM sqlite_master WHERE type IN ('view', 'trigger')") == "0";
}

sqlite3* OpenHandle(const QString& path, bool create, int* rc) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
  *rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
  if (*rc == SQLITE_OK) {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
  }
  return db;
}

// A name beside `path` that nothing has yet: path.damaged-DATE-TIME, then -2, -3 ...
QString AsideName(const QString& path) {
  const QString base = path + QStringLiteral(".damaged-") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString name = base;
  for (int n = 2; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal")); ++n)
    name = base + QStringLiteral("-%1").arg(n);
  return name;
}

// Moves a file that is not a sound database out of the way, with its journal
// files; rename never replaces an existing file. Returns the new name.
QString KeepAside(const QString& path) {
  const QString aside = AsideName(path);
  if (!QFile::rename(path, aside))
    Fail(nullptr, SQLITE_CANTOPEN, path);
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    const QString s = QString::fromLatin1(suffix);
    if (QFileInfo::exists(path + s)) QFile::rename(path + s, aside + s);
  }
  return aside;
}

}  // namespace

QByteArray PoemTextHash(const QString& content) {
  QString text;
  text.reserve(content.size());
  for (const QChar c : content)
    if (!c.isSpace()) text.append(c);
  return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).left(16);
}

std::unique_ptr<ReaderStore> ReaderStore::Open(const QString& path, QString* notice) {
  ConfigureEngineOnce();
  if (notice) notice->clear();
  int rc = SQLITE_OK;
  sqlite3* db = nullptr;
  if (QFileInfo::exists(path)) {
    db = OpenHandle(path, false, &rc);
    if (rc == SQLITE_OK && !Sound(db)) {
      sqlite3_close(db);
      db = nullptr;
      const QString aside = KeepAside(path);
      if (notice)
        *notice = platform::ReaderMessage(
            QStringLiteral("收藏文件“%1”已损坏，不能读取。它已改名保存为“%2”，程序新建了一个空的收藏文件。")
                .arg(QFileInfo(path).fileName(), QFileInfo(aside).fileName()),
            QStringLiteral("reader data %1: not a sound database, kept as %2").arg(path, aside));
    }
  }
  if (!db) db = OpenHandle(path, true, &rc);
  if (rc != SQLITE_OK) {
    const QString failedPath = path;
    sqlite3_close(db);
    Fail(nullptr, rc, failedPath);
  }
  std::unique_ptr<ReaderStore> store(new ReaderStore(db, path));
  if (sqlite3_db_readonly(db, "main") == 1) Fail(db, SQLITE_READONLY, path);
  // WAL: a change is appended and committed at once; readers never block the writer.
  Exec(db, "PRAGMA journal_mode = WAL", path);
  Exec(db, "PRAGMA synchronous = FULL", path);
  Change change(db, path);
  Exec(db, kSchema, path);
  change.Commit();
  return store;
}

ReaderStore::~ReaderStore() { sqlite3_close(db_); }

bool ReaderStore::IsFavourite(const PoemRef& poem) const {
  Statement s(db_, "SELECT 1 FROM favourite WHERE author = ?1 AND title = ?2 AND texthash = ?3", path_);
  s.BindKey(poem);
  return s.Step();
}

bool ReaderStore::ToggleFavourite(const PoemRef& poem) {
  Change change(db_, path_);
  bool kept;
  {
    Statement drop(db_, "DELETE FROM favourite WHERE author = ?1 AND title = ?2 AND texthash = ?3", path_);
    drop.BindKey(poem);
    drop.Step();
    kept = sqlite3_changes(db_) == 0;
  }
  if (kept) {
    Statement add(db_, "INSERT INTO favourite(author, title, texthash, form, head, at) VALUES(?1, ?2, ?3, ?4, ?5, ?6)",
                  path_);
    add.BindRow(poem, Now());
    add.Step();
  }
  change.Commit();
  return kept;
}

std::vector<ReaderEntry> ReaderStore::List(const char* sql) const {
  std::vector<ReaderEntry> entries;
  Statement s(db_, sql, path_);
  while (s.Step()) {
    ReaderEntry e;
    e.poem = {s.TextAt(0), s.TextAt(1), s.BlobAt(2), s.TextAt(3), s.TextAt(4)};
    e.at = s.IntAt(5);
    entries.push_back(std::move(e));
  }
  return entries;
}

std::vector<ReaderEntry> ReaderStore::Favourites() const {
  return List("SELECT author, title, texthash, form, head, at FROM favourite ORDER BY id");
}

void ReaderStore::RecordReading(const PoemRef& poem) {
  Change change(db_, path_);
  {
    Statement drop(db_, "DELETE FROM history WHERE author = ?1 AND title = ?2 AND texthash = ?3", path_);
    drop.BindKey(poem);
    drop.Step();
  }
  {
    Statement add(db_, "INSERT INTO history(author, title, texthash, form, head, at) VALUES(?1, ?2, ?3, ?4, ?5, ?6)",
                  path_);
    add.BindRow(poem, Now());
    add.Step();
  }
  {
    Statement trim(db_, "DELETE FROM history WHERE id NOT IN (SELECT id FROM history ORDER BY id DESC LIMIT ?1)", path_);
    trim.BindInt(1, kHistoryLength);
    trim.Step();
  }
  change.Commit();
}

std::vector<ReaderEntry> ReaderStore::History() const {
  return List("SELECT author, title, texthash, form, head, at FROM history ORDER BY id DESC");
}

void ReaderStore::ClearHistory() {
  Change change(db_, path_);
  Exec(db_, "DELETE FROM history", path_);
  change.Commit();
}

std::vector<std::optional<qint64>> ReaderStore::LibraryRows(const std::vector<PoemRef>& poems) const {
  std::vector<std::optional<qint64>> rows(poems.size());
  Statement s(db_, "SELECT row FROM libraryrow WHERE author = ?1 AND title = ?2 AND texthash = ?3", path_);
  for (size_t i = 0; i < poems.size(); ++i) {
    s.Reset();
    s.BindKey(poems[i]);
    if (s.Step()) rows[i] = s.IntAt(0);
  }
  return rows;
}

void ReaderStore::KeepLibraryRows(const std::vector<std::pair<PoemRef, qint64>>& rows) {
  Change change(db_, path_);
  {
    Statement put(db_, "INSERT OR REPLACE INTO libraryrow(author, title, texthash, row) VALUES(?1, ?2, ?3, ?4)", path_);
    for (const auto& [poem, row] : rows) {
      put.Reset();
      put.BindKey(poem);
      put.BindInt(4, row);
      put.Step();
    }
  }
  // Rows of poems neither kept nor in the history any more go.
  Exec(db_,
       "DELETE FROM libraryrow WHERE NOT EXISTS (SELECT 1 FROM favourite f WHERE f.author = libraryrow.author"
       " AND f.title = libraryrow.title AND f.texthash = libraryrow.texthash) AND NOT EXISTS (SELECT 1 FROM history h"
       " WHERE h.author = libraryrow.author AND h.title = libraryrow.title AND h.texthash = libraryrow.texthash)",
       path_);
  change.Commit();
}

}  // namespace data
