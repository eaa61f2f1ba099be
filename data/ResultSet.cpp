#include "data/ResultSet.h"

#include <sqlite3.h>

#include <cstring>

#include "toolkit/Exception.h"

namespace data {
namespace {

[[noreturn]] void EngineError(sqlite3* db) { throw toolkit::EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db))); }

void Bind(sqlite3* db, sqlite3_stmt* stmt, const QVariantList& params) {
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
    if (rc != SQLITE_OK) EngineError(db);
  }
}

}  // namespace

ResultSet ResultSet::Fetch(sqlite3* db, const QString& sql, const QVariantList& params) {
  Fetcher fetcher(db, sql, params);
  fetcher.Step(QDeadlineTimer(QDeadlineTimer::Forever));
  return fetcher.Take();
}

ResultSet::Fetcher::Fetcher(sqlite3* db, const QString& sql, const QVariantList& params) : db_(db) {
  if (sqlite3_prepare16_v2(db, sql.utf16(), static_cast<int>(sql.size() * sizeof(char16_t)), &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    EngineError(db);
  }
  if (!stmt_) return;  // the text held no statement
  try {
    Bind(db, stmt_, params);
  } catch (...) {
    sqlite3_finalize(stmt_);
    throw;
  }
  const int n = sqlite3_column_count(stmt_);
  for (int c = 0; c < n; ++c) set_.columns_.append(QString::fromUtf8(sqlite3_column_name(stmt_, c)));
}

ResultSet::Fetcher::~Fetcher() { sqlite3_finalize(stmt_); }

bool ResultSet::Fetcher::StepOrStop(const QDeadlineTimer& deadline) {
  if (!stmt_) return true;
  struct Watch {
    sqlite3* db;
    const QDeadlineTimer& deadline;
    bool fired = false;
    // The engine calls it every few thousand instructions; non-zero stops the statement.
    static int Check(void* self) {
      auto* w = static_cast<Watch*>(self);
      if (!w->deadline.hasExpired()) return 0;
      w->fired = true;
      return 1;
    }
    ~Watch() { sqlite3_progress_handler(db, 0, nullptr, nullptr); }
  } watch{db_, deadline};
  sqlite3_progress_handler(db_, 4096, &Watch::Check, &watch);
  try {
    return Step(deadline);
  } catch (const toolkit::EDatabaseError&) {
    if (!watch.fired) throw;
    stopped_ = true;
    return false;
  }
}

bool ResultSet::Fetcher::Step(const QDeadlineTimer& deadline) {
  if (!stmt_) return true;
  const int n = static_cast<int>(set_.columns_.size());
  const bool endless = deadline.isForever();
  for (unsigned rows = 1;; ++rows) {
    // The clock is read every few rows: reading it costs more than a row.
    if (!endless && rows % 8 == 0 && deadline.hasExpired()) return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) EngineError(db_);
    for (int c = 0; c < n; ++c) {
      Cell cell;
      switch (sqlite3_column_type(stmt_, c)) {
        case SQLITE_NULL: break;
        case SQLITE_INTEGER:
          cell.kind = Kind::Integer;
          cell.integer = sqlite3_column_int64(stmt_, c);
          break;
        case SQLITE_FLOAT: {
          cell.kind = Kind::Float;
          const double d = sqlite3_column_double(stmt_, c);
          cell.real = d;
          break;
        }
        default: {
          cell.kind = Kind::Text;
          const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, c));
          cell.size = static_cast<std::uint32_t>(sqlite3_column_bytes(stmt_, c));
          // A text equal to the one above it (an author's name, a form, row
          // after row) is kept once: both cells point at the same bytes.
          // (An empty text has no bytes to compare: Keep gives every one the same "".)
          const Cell* above = set_.rows_ > 0 ? &set_.cells_[set_.cells_.size() - static_cast<size_t>(n)] : nullptr;
          const bool sameAsAbove = above && above->kind == Kind::Text && above->size == cell.size &&
                                   cell.size > 0 && std::memcmp(above->text, p, cell.size) == 0;
          cell.text = sameAsAbove ? above->text : set_.Keep(p, cell.size);
        }
      }
      set_.cells_.push_back(cell);
    }
    ++set_.rows_;
  }
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  return true;
}

const char* ResultSet::Keep(const char* bytes, size_t size) {
  static constexpr size_t kBlock = 1 << 20;
  if (size == 0 || bytes == nullptr) return "";
  if (size > left_) {
    // A text longer than a quarter block gets a block of its own; the current one stays open.
    if (size > kBlock / 4) {
      blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
      std::memcpy(blocks_.back().get(), bytes, size);
      return blocks_.back().get();
    }
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlock));
    free_ = blocks_.back().get();
    left_ = kBlock;
  }
  char* at = free_;
  std::memcpy(at, bytes, size);
  free_ += size;
  left_ -= size;
  return at;
}

QString ResultSet::Text(const Cell& cell) const { return QString::fromUtf8(cell.text, static_cast<qsizetype>(cell.size)); }

QVariant ResultSet::Value(int row, int column) const {
  const Cell& cell = At(row, column);
  switch (cell.kind) {
    case Kind::Null: return QVariant();
    case Kind::Integer: return QVariant(static_cast<qlonglong>(cell.integer));
    case Kind::Float: return QVariant(cell.real);
    case Kind::Text: {
      // Cells that share their bytes share the text read last from them too:
      // a table filled row by row holds one string for a column's run of
      // equal values, and it is decoded once.
      if (lastTexts_.empty()) lastTexts_.resize(columns_.size());
      LastText& last = lastTexts_[static_cast<size_t>(column)];
      if (last.bytes != cell.text) last = {cell.text, Text(cell)};
      return QVariant(last.text);
    }
  }
  return QVariant();
}

namespace {

// Reads one code point of UTF-8 text (as the engine stores it) and advances.
char32_t NextCodePoint(const unsigned char*& p, const unsigned char* end) {
  const unsigned char c = *p++;
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
  char32_t cp = c & (0x3F >> extra);
  while (extra-- > 0 && p < end) cp = (cp << 6) | (*p++ & 0x3F);
  return cp;
}

// Equality without regard to case, code point by code point with Unicode case
// folding (as QString::compare does), stopping at the first difference and
// allocating nothing.
bool EqualFolded(const char* a, size_t aSize, const char* b, size_t bSize) {
  auto pa = reinterpret_cast<const unsigned char*>(a), ea = pa + aSize;
  auto pb = reinterpret_cast<const unsigned char*>(b), eb = pb + bSize;
  while (pa < ea && pb < eb) {
    const char32_t x = NextCodePoint(pa, ea), y = NextCodePoint(pb, eb);
    if (x != y && QChar::toCaseFolded(x) != QChar::toCaseFolded(y)) return false;
  }
  return pa == ea && pb == eb;
}

}  // namespace

int ResultSet::FindFirst(int column, const QString& value) const {
  const QByteArray needle = value.toUtf8();
  for (int r = 0; r < rows_; ++r) {
    const Cell& cell = At(r, column);
    if (cell.kind == Kind::Null) continue;
    if (cell.kind != Kind::Text) {
      if (Value(r, column).toString().compare(value, Qt::CaseInsensitive) == 0) return r;
      continue;
    }
    if (EqualFolded(cell.text, cell.size, needle.constData(), static_cast<size_t>(needle.size()))) return r;
  }
  return -1;
}

}  // namespace data
