#include "data/Query.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <future>

#include "data/Connection.h"
#include "platform/IntText.h"
#include "toolkit/Exception.h"

namespace data {

QString TField::AsString() const {
  if (value_.isNull()) return QString();
  return value_.toString();
}

int TField::AsInteger() const {
  if (value_.isNull()) return 0;
  if (value_.typeId() == QMetaType::LongLong) return static_cast<int>(value_.toLongLong());
  if (value_.typeId() == QMetaType::Double) return static_cast<int>(value_.toDouble());
  return toolkit::StrToInt(value_.toString().trimmed());
}

TADOQuery::TADOQuery(QString name) : name_(std::move(name)) {}
TADOQuery::~TADOQuery() = default;

void TADOQuery::SetConnectionString(const QString& text) {
  Close();
  connectionString_ = text;
}

void TADOQuery::SetSQL(const QString& text) {
  Close();
  sql_ = text;
  params_.clear();
  deferredKey_.clear();
  deferredSql_.clear();
}

void TADOQuery::SetDeferredFields(const QString& key, const QString& sql) {
  Close();
  deferredKey_ = key;
  deferredSql_ = sql;
}

void TADOQuery::SetParams(const QVariantList& values) {
  Close();
  params_ = values;
}

void TADOQuery::Fail(const QString& message) const {
  throw toolkit::EDatabaseError(QStringLiteral("%1: %2").arg(name_, message));
}

void TADOQuery::DataChanged() const {
  if (OnDataChange) OnDataChange();
}

void TADOQuery::CheckActive() const {
  if (!active_) Fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TADOQuery::Connect() {
  if (connection_ && connectedTo_ == connectionString_) return;
  connection_.reset();
  connection_ = Connection::Open(ParseConnectionString(connectionString_));
  connectedTo_ = connectionString_;
}

bool TADOQuery::HasTable(const QString& name) {
  Connect();
  return connection_->HasTable(name);
}

// A fetch on a thread of its own. The connection is the fetch's alone while
// it runs; stopping it early interrupts the engine and waits for the thread.
class TADOQuery::Background {
 public:
  Background(std::unique_ptr<ResultSet::Fetcher> fetcher, sqlite3* db) : fetcher_(std::move(fetcher)), db_(db) {
    done_ = std::async(std::launch::async, [this] {
      // The engine asks every few thousand instructions whether to stop, so a
      // stop asked for before the first step is heeded as well.
      sqlite3_progress_handler(db_, 4096, &Background::Stopping, &stop_);
      struct Unwatch {
        sqlite3* db;
        ~Unwatch() { sqlite3_progress_handler(db, 0, nullptr, nullptr); }
      } unwatch{db_};
      if (!stop_.load()) fetcher_->Step(QDeadlineTimer(QDeadlineTimer::Forever));
    });
  }
  ~Background() {
    if (!done_.valid()) return;
    stop_.store(true);
    sqlite3_interrupt(db_);
    done_.wait();
  }
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;

  // Waits for the fetch until the deadline: true once it has ended, raising its error.
  bool WaitUntil(const QDeadlineTimer& deadline) {
    if (deadline.isForever()) done_.wait();
    else if (done_.wait_for(deadline.remainingTimeAsDuration()) != std::future_status::ready) return false;
    done_.get();
    return true;
  }
  ResultSet Take() { return fetcher_->Take(); }

 private:
  static int Stopping(void* stop) { return static_cast<std::atomic<bool>*>(stop)->load() ? 1 : 0; }

  std::unique_ptr<ResultSet::Fetcher> fetcher_;
  sqlite3* db_;
  std::atomic<bool> stop_{false};
  std::future<void> done_;
};

// The statement that reads a row's deferred fields, kept prepared: a reader
// choosing rows one after another has it run once for each.
class TADOQuery::Deferred {
 public:
  Deferred(sqlite3* db, const QString& sql, int key, const QStringList& own) : db_(db), key_(key) {
    if (sqlite3_prepare16_v2(db, sql.utf16(), static_cast<int>(sql.size() * sizeof(char16_t)), &stmt_, nullptr) != SQLITE_OK) {
      const QString message = QString::fromUtf8(sqlite3_errmsg(db));
      sqlite3_finalize(stmt_);
      throw toolkit::EDatabaseError(message);
    }
    for (int c = 0; c < sqlite3_column_count(stmt_); ++c) {
      const QString name = QString::fromUtf8(sqlite3_column_name(stmt_, c));
      if (own.contains(name, Qt::CaseInsensitive)) continue;
      names.append(name);
      columns_.push_back(c);
    }
  }
  ~Deferred() { sqlite3_finalize(stmt_); }
  Deferred(const Deferred&) = delete;
  Deferred& operator=(const Deferred&) = delete;

  int Key() const { return key_; }
  // The deferred fields of the row whose key has the value, in the order of `names`.
  std::vector<QVariant> Read(const QVariant& key) const {
    const struct Reset {
      sqlite3_stmt* stmt;
      ~Reset() { sqlite3_reset(stmt); }
    } reset{stmt_};
    if (key.typeId() == QMetaType::LongLong) sqlite3_bind_int64(stmt_, 1, key.toLongLong());
    else if (key.isNull()) sqlite3_bind_null(stmt_, 1);
    else {
      const QByteArray text = key.toString().toUtf8();
      sqlite3_bind_text(stmt_, 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    std::vector<QVariant> values(columns_.size());
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw toolkit::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db_)));
    if (rc == SQLITE_DONE) return values;
    for (size_t i = 0; i < columns_.size(); ++i) {
      const int c = columns_[i];
      switch (sqlite3_column_type(stmt_, c)) {
        case SQLITE_NULL: break;
        case SQLITE_INTEGER: values[i] = static_cast<qlonglong>(sqlite3_column_int64(stmt_, c)); break;
        case SQLITE_FLOAT: values[i] = sqlite3_column_double(stmt_, c); break;
        default:
          values[i] = QString::fromUtf8(static_cast<const char*>(sqlite3_column_blob(stmt_, c)), sqlite3_column_bytes(stmt_, c));
      }
    }
    return values;
  }

  QStringList names;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  int key_;
  std::vector<int> columns_;  // of the statement, for `names`
};

void TADOQuery::Open() {
  if (active_) return;
  if (opening_) {
    OpenUntil(QDeadlineTimer(QDeadlineTimer::Forever));
    return;
  }
  Connect();
  Opened(ResultSet::Fetch(connection_->Handle(), sql_, params_));
}

bool TADOQuery::OpenUntil(const QDeadlineTimer& deadline) {
  if (active_) return true;
  if (!opening_) {
    Connect();
    sqlite3* db = connection_->Handle();
    // Most statements end well within the deadline: they run here. One that
    // does not goes on on the thread where it stopped, or, stopped inside a
    // long step of the engine, starts there again.
    auto fetcher = std::make_unique<ResultSet::Fetcher>(db, sql_, params_);
    if (fetcher->StepOrStop(deadline)) {
      Opened(fetcher->Take());
      return true;
    }
    if (fetcher->Stopped()) fetcher = std::make_unique<ResultSet::Fetcher>(db, sql_, params_);
    opening_ = std::make_unique<Background>(std::move(fetcher), db);
  }
  try {
    if (!opening_->WaitUntil(deadline)) return false;
  } catch (...) {
    opening_.reset();
    throw;
  }
  ResultSet rows = opening_->Take();
  opening_.reset();
  Opened(std::move(rows));
  return true;
}

void TADOQuery::Opened(ResultSet rows) {
  rows_ = std::move(rows);
  if (!deferredSql_.isEmpty()) {
    const int key = FieldIndex(deferredKey_);
    if (key < 0) {
      rows_ = ResultSet();
      Fail(QStringLiteral("Field '%1' not found").arg(deferredKey_));
    }
    try {
      deferred_ = std::make_unique<Deferred>(connection_->Handle(), deferredSql_, key, rows_.Columns());
    } catch (const toolkit::EDatabaseError& e) {
      rows_ = ResultSet();
      Fail(e.Message());
    }
  }
  active_ = true;
  ++generation_;
  current_ = (rows_.RowCount() == 0) ? -1 : 0;
  bof_ = true;
  eof_ = (rows_.RowCount() == 0);
  DataChanged();
}

void TADOQuery::Close() {
  opening_.reset();
  active_ = false;
  rows_ = ResultSet();
  deferred_.reset();
  currentValues_ = RowValues();
  current_ = -1;
  bof_ = eof_ = true;
  DataChanged();
}

void TADOQuery::First() {
  CheckActive();
  current_ = (rows_.RowCount() == 0) ? -1 : 0;
  bof_ = true;
  eof_ = (rows_.RowCount() == 0);
  DataChanged();
}

void TADOQuery::Last() {
  CheckActive();
  current_ = rows_.RowCount() - 1;
  eof_ = true;
  bof_ = (rows_.RowCount() == 0);
  DataChanged();
}

void TADOQuery::Next() {
  CheckActive();
  if (eof_) return;
  bof_ = false;
  if (current_ + 1 < rows_.RowCount()) ++current_;
  else eof_ = true;
  DataChanged();
}

void TADOQuery::Prior() {
  CheckActive();
  if (bof_) return;
  eof_ = false;
  if (current_ > 0) --current_;
  else bof_ = true;
  DataChanged();
}

int TADOQuery::RecordCount() const {
  CheckActive();
  return rows_.RowCount();
}

int TADOQuery::RecNo() const {
  CheckActive();
  return (rows_.RowCount() == 0) ? -1 : current_ + 1;
}

void TADOQuery::SetRecNo(int recNo) {
  CheckActive();
  if (recNo < 1 || recNo > rows_.RowCount() || recNo - 1 == current_) return;
  current_ = recNo - 1;
  bof_ = eof_ = false;
  DataChanged();
}

int TADOQuery::FieldIndex(const QString& field) const {
  const QStringList& columns = rows_.Columns();
  // Names are mostly written as the table spells them: the exact comparison is the quick one.
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i] == field) return i;
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i].compare(field, Qt::CaseInsensitive) == 0) return i;
  if (deferred_)
    for (int i = 0; i < deferred_->names.size(); ++i)
      if (deferred_->names[i].compare(field, Qt::CaseInsensitive) == 0) return OwnFieldCount() + i;
  return -1;
}

bool TADOQuery::Locate(const QString& field, const QString& value) {
  CheckActive();
  const int column = FieldIndex(field);
  if (column < 0 || column >= OwnFieldCount()) return false;
  const int row = rows_.FindFirst(column, value);
  if (row < 0) return false;
  current_ = row;
  bof_ = eof_ = false;
  DataChanged();
  return true;
}

TField TADOQuery::FieldByName(const QString& field) const {
  CheckActive();
  const int column = FieldIndex(field);
  if (column < 0) Fail(QStringLiteral("Field '%1' not found").arg(field));
  return Fields(column);
}

TField TADOQuery::Fields(int index) const {
  CheckActive();
  const int own = OwnFieldCount();
  if (index < 0 || index >= FieldCount()) Fail(QStringLiteral("List index out of bounds (%1)").arg(index));
  const QString& name = index < own ? rows_.Columns()[index] : deferred_->names[index - own];
  if (current_ < 0) return TField(name, QVariant());
  RowValues& cached = currentValues_;
  if (cached.generation != generation_ || cached.row != current_) {
    cached.generation = generation_;
    cached.row = current_;
    cached.values.resize(FieldCount());
    cached.read.assign(cached.values.size(), 0);
  }
  QVariant& value = cached.values[index];
  if (cached.read[index]) return TField(name, value);
  if (index < own) {
    value = rows_.Value(current_, index);
    cached.read[index] = 1;
    return TField(name, value);
  }
  // One read gives all the row's deferred fields.
  std::vector<QVariant> read;
  try {
    read = deferred_->Read(rows_.Value(current_, deferred_->Key()));
  } catch (const toolkit::EDatabaseError& e) {
    Fail(e.Message());
  }
  for (size_t i = 0; i < read.size(); ++i) cached.values[own + i] = std::move(read[i]), cached.read[own + i] = 1;
  return TField(name, value);
}

int TADOQuery::FieldCount() const { return OwnFieldCount() + (deferred_ ? static_cast<int>(deferred_->names.size()) : 0); }

QStringList TADOQuery::FieldNames() const { return deferred_ ? rows_.Columns() + deferred_->names : rows_.Columns(); }

}  // namespace data
