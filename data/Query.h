#pragma once
// A static database cursor: opening runs the query and fetches the whole result
// set, so counts are exact and moving never touches the engine again. Values
// from reader input or data are bound, never spliced into the statement text.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "data/ResultSet.h"

namespace data {

class Connection;

// The value of one field of the current row.
class TField {
 public:
  TField(QString name, QVariant value) : name_(std::move(name)), value_(std::move(value)) {}
  const QString& FieldName() const { return name_; }
  // Null gives "" or 0.
  QString AsString() const;
  int AsInteger() const;
  bool IsNull() const { return value_.isNull(); }
  const QVariant& Value() const { return value_; }

 private:
  QString name_;
  QVariant value_;
};

class TADOQuery {
 public:
  explicit TADOQuery(QString name);
  ~TADOQuery();

  const QString& Name() const { return name_; }

  // The connection is made when the cursor opens; changing it closes the cursor.
  void SetConnectionString(const QString& text);
  const QString& ConnectionString() const { return connectionString_; }

  // Setting the query text closes the cursor and clears the bound values.
  void SetSQL(const QString& text);
  const QString& SQL() const { return sql_; }
  // Values for the statement's "?" placeholders, in order.
  void SetParams(const QVariantList& values);
  // Fields the statement leaves out of its rows, read for a row only when
  // asked for: `sql`, with the value of the row's field `key` bound, gives
  // them in its one row (none: null). They follow the statement's own fields,
  // save those the statement has already. A deferred field is not located.
  // Setting the query text drops them; changing them closes the cursor.
  void SetDeferredFields(const QString& key, const QString& sql);

  // Runs the query and stands on the first row; no effect on an open cursor.
  void Open();
  // Opens without holding the caller much past a deadline: rows are fetched
  // here until the deadline, then on a thread of the cursor's own, and the
  // call tells whether the cursor is open now. Later calls wait on until their
  // deadlines;
  // until the last row is in, the cursor stays closed and its connection
  // serves that fetch alone. Changing the query, its values or the
  // connection, or closing, stops the fetch and drops what it fetched.
  // Errors are raised as by Open, by the call that finds the fetch ended.
  bool OpenUntil(const QDeadlineTimer& deadline);
  // Whether an OpenUntil has begun and not ended.
  bool Opening() const { return opening_ != nullptr; }
  void Close();
  // Whether the cursor's database holds a table of that name (connecting
  // first when needed; the engine's errors are raised as by Open).
  bool HasTable(const QString& name);
  bool Active() const { return active_; }

  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }

  int RecordCount() const;
  // Changes with every open: rows copied from one result set can tell whether
  // the cursor still holds that set.
  int Generation() const { return generation_; }
  // 1-based position; -1 when empty.
  int RecNo() const;
  void SetRecNo(int recNo);

  // Finds the first row whose field equals the value without regard to case.
  // Found: the row becomes current and true is returned. Not found, or no such
  // field: no move, false.
  bool Locate(const QString& field, const QString& value);

  // The named field of the current row ("Field '%s' not found" when missing).
  TField FieldByName(const QString& field) const;
  TField Fields(int index) const;
  int FieldCount() const;
  QStringList FieldNames() const;

  // Runs after every open, close and move (the data link of data-aware controls).
  std::function<void()> OnDataChange;

 private:
  class Background;
  class Deferred;
  void Connect();
  // Makes the fetched rows the open cursor's, standing on the first.
  void Opened(ResultSet rows);
  void CheckActive() const;
  void DataChanged() const;
  [[noreturn]] void Fail(const QString& message) const;
  int FieldIndex(const QString& field) const;
  int OwnFieldCount() const { return rows_.ColumnCount(); }

  QString name_;
  QString connectionString_;
  QString sql_;
  QVariantList params_;
  QString deferredKey_, deferredSql_;
  std::shared_ptr<Connection> connection_;
  QString connectedTo_;

  bool active_ = false;
  int generation_ = 0;
  bool bof_ = true;
  bool eof_ = true;
  int current_ = -1;  // 0-based row index; -1 when empty
  ResultSet rows_;
  // The current row's values as they were last read: a handler that reads
  // the same fields of the same row many times in a row (one run per change
  // a list reports) decodes each text once. Rows of an open set never change.
  struct RowValues {
    int generation = -1;
    int row = -1;
    // A value counts once read is set: a row after another only clears the
    // marks, and its values replace the last row's as they are read.
    std::vector<QVariant> values;
    std::vector<char> read;
  };
  mutable RowValues currentValues_;
  // The deferred fields' statement, prepared while the cursor is open.
  std::unique_ptr<Deferred> deferred_;
  std::unique_ptr<Background> opening_;
};

}  // namespace data
