#include "data/Query.h"

#include <sqlite3.h>

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
}

void TADOQuery::SetParams(const QVariantList& values) {
  Close();
  params_ = values;
}

void TADOQuery::Fail(const QString& message) const {
  throw toolkit::EDatabaseError(QStringLiteral("%1: %2").arg(name_, message));
}

void TADOQuery::CheckActive() const {
  if (!active_) Fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

namespace {

// Runs a statement to its end, collecting column names and every row.
void FetchAll(sqlite3* db, const QString& sql, const QVariantList& params, QStringList* columns,
              std::vector<std::vector<QVariant>>* rows) {
  sqlite3_stmt* stmt = nullptr;
  const QString text = sql;
  if (sqlite3_prepare16_v2(db, text.utf16(), static_cast<int>(text.size() * sizeof(char16_t)), &stmt, nullptr) !=
      SQLITE_OK) {
    throw toolkit::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
  }
  struct Finalizer {
    sqlite3_stmt* s;
    ~Finalizer() { sqlite3_finalize(s); }
  } finalizer{stmt};
  if (!stmt) return;  // empty statement text
  for (int i = 0; i < params.size(); ++i) {
    const QVariant& v = params[i];
    int rc;
    if (v.isNull()) rc = sqlite3_bind_null(stmt, i + 1);
    else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
      rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
    else {
      const QByteArray utf8 = v.toString().toUtf8();
      rc = sqlite3_bind_text(stmt, i + 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) throw toolkit::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
  }
  const int n = sqlite3_column_count(stmt);
  columns->clear();
  for (int c = 0; c < n; ++c) columns->append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
  rows->clear();
  for (;;) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) throw toolkit::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    std::vector<QVariant> row(static_cast<size_t>(n));
    for (int c = 0; c < n; ++c) {
      switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_NULL: break;
        case SQLITE_INTEGER: row[static_cast<size_t>(c)] = QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, c))); break;
        case SQLITE_FLOAT: row[static_cast<size_t>(c)] = QVariant(sqlite3_column_double(stmt, c)); break;
        default: {
          const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, c));
          row[static_cast<size_t>(c)] = QVariant(QString::fromUtf8(p, sqlite3_column_bytes(stmt, c)));
        }
      }
    }
    rows->push_back(std::move(row));
  }
}

}  // namespace

void TADOQuery::Open() {
  if (active_) return;
  if (!connection_ || connectedTo_ != connectionString_) {
    connection_.reset();
    connection_ = Connection::Open(ParseConnectionString(connectionString_));
    connectedTo_ = connectionString_;
  }
  QStringList columns;
  std::vector<std::vector<QVariant>> rows;
  FetchAll(connection_->Handle(), sql_, params_, &columns, &rows);
  columns_ = std::move(columns);
  rows_ = std::move(rows);
  active_ = true;
  current_ = rows_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = rows_.empty();
}

void TADOQuery::Close() {
  active_ = false;
  rows_.clear();
  rows_.shrink_to_fit();
  columns_.clear();
  current_ = -1;
  bof_ = eof_ = true;
}

void TADOQuery::First() {
  CheckActive();
  current_ = rows_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = rows_.empty();
}

void TADOQuery::Last() {
  CheckActive();
  current_ = static_cast<int>(rows_.size()) - 1;
  eof_ = true;
  bof_ = rows_.empty();
}

void TADOQuery::Next() {
  CheckActive();
  if (eof_) return;
  bof_ = false;
  if (current_ + 1 < static_cast<int>(rows_.size())) ++current_;
  else eof_ = true;
}

void TADOQuery::Prior() {
  CheckActive();
  if (bof_) return;
  eof_ = false;
  if (current_ > 0) --current_;
  else bof_ = true;
}

int TADOQuery::RecordCount() const {
  CheckActive();
  return static_cast<int>(rows_.size());
}

int TADOQuery::RecNo() const {
  CheckActive();
  return rows_.empty() ? -1 : current_ + 1;
}

void TADOQuery::SetRecNo(int recNo) {
  CheckActive();
  if (recNo < 1 || recNo > static_cast<int>(rows_.size()) || recNo - 1 == current_) return;
  current_ = recNo - 1;
  bof_ = eof_ = false;
}

int TADOQuery::FieldIndex(const QString& field) const {
  for (int i = 0; i < columns_.size(); ++i)
    if (columns_[i].compare(field, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

bool TADOQuery::Locate(const QString& field, const QString& value) {
  CheckActive();
  const int column = FieldIndex(field);
  if (column < 0) return false;
  for (size_t r = 0; r < rows_.size(); ++r) {
    const QVariant& v = rows_[r][static_cast<size_t>(column)];
    if (v.isNull()) continue;
    if (v.toString().compare(value, Qt::CaseInsensitive) == 0) {
      current_ = static_cast<int>(r);
      bof_ = eof_ = false;
      return true;
    }
  }
  return false;
}

TField TADOQuery::FieldByName(const QString& field) const {
  CheckActive();
  const int column = FieldIndex(field);
  if (column < 0) Fail(QStringLiteral("Field '%1' not found").arg(field));
  return Fields(column);
}

TField TADOQuery::Fields(int index) const {
  CheckActive();
  if (index < 0 || index >= columns_.size()) Fail(QStringLiteral("List index out of bounds (%1)").arg(index));
  if (current_ < 0) return TField(columns_[index], QVariant());
  return TField(columns_[index], rows_[static_cast<size_t>(current_)][static_cast<size_t>(index)]);
}

int TADOQuery::FieldCount() const { return static_cast<int>(columns_.size()); }

QStringList TADOQuery::FieldNames() const { return columns_; }

}  // namespace data
