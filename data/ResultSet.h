#pragma once
// A fetched result set kept compactly: the text values' UTF-8 bytes lie side
// by side in large blocks (never moved once written, so a growing set copies
// nothing) and are turned into QString only when read, so fetching a large set
// costs little more than the engine's own stepping.
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace data {

class ResultSet {
 public:
  // Runs the statement with its bound values and fetches every row. Raises
  // toolkit::EDatabaseError with the engine's message.
  static ResultSet Fetch(sqlite3* db, const QString& sql, const QVariantList& params);

  // A result set fetched a stretch of rows at a time (below).
  class Fetcher;

  int RowCount() const { return rows_; }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const QStringList& Columns() const { return columns_; }
  // The value of a cell: null, a 64-bit integer, a double or text.
  QVariant Value(int row, int column) const;
  // The first row whose text in the column equals `value` without regard to case, or -1.
  int FindFirst(int column, const QString& value) const;

 private:
  enum class Kind : std::uint8_t { Null, Integer, Float, Text };
  struct Cell {
    Kind kind = Kind::Null;
    std::uint32_t size = 0;  // text: bytes
    union {
      std::int64_t integer = 0;
      double real;
      const char* text;
    };
  };
  // Keeps a text's bytes with the others and returns where they are.
  const char* Keep(const char* bytes, size_t size);
  const Cell& At(int row, int column) const { return cells_[static_cast<size_t>(row) * columns_.size() + column]; }
  QString Text(const Cell& cell) const;

  // Per column, the text last read and the bytes it was read from.
  struct LastText {
    const char* bytes = nullptr;
    QString text;
  };
  mutable std::vector<LastText> lastTexts_;
  QStringList columns_;
  int rows_ = 0;
  std::vector<Cell> cells_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // the unused end of the last block
  size_t left_ = 0;
};

// A result set fetched a stretch of rows at a time: the statement stays
// prepared between the stretches and is finalized with the fetcher.
class ResultSet::Fetcher {
 public:
  // Prepares the statement and binds its values (errors as for Fetch).
  Fetcher(sqlite3* db, const QString& sql, const QVariantList& params);
  ~Fetcher();
  Fetcher(const Fetcher&) = delete;
  Fetcher& operator=(const Fetcher&) = delete;
  // Fetches rows until the last one is in (true) or the deadline has passed
  // (false): it is looked at between rows, so one long step of the engine
  // (a scan that finds nothing for a while) can outlast it.
  bool Step(const QDeadlineTimer& deadline);
  // The same, but a step of the engine that outlasts the deadline is stopped
  // as well: that ends the statement, and the fetcher is good for nothing
  // more (Stopped() tells).
  bool StepOrStop(const QDeadlineTimer& deadline);
  bool Stopped() const { return stopped_; }
  // The rows fetched, once Step has returned true.
  ResultSet Take() { return std::move(set_); }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  ResultSet set_;
  bool stopped_ = false;
};

}  // namespace data
