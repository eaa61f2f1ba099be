#pragma once
// Data-aware controls: a label and a memo that show one field of a data
// source's current record and follow every move of it. The data source is a
// small interface here, so that the cursor layer can drive the controls
// without the toolkit knowing about it.
#include <QString>
#include <functional>
#include <vector>

#include "toolkit/StdCtrls.h"

namespace toolkit {

class DataLink;

// What data-aware controls read from a cursor. The cursor layer implements it
// and calls RecordChanged() after every move, open, close and refill.
class DataSource {
 public:
  DataSource() = default;
  DataSource(const DataSource&) = delete;
  DataSource& operator=(const DataSource&) = delete;
  // Detaches every linked control; they then show nothing.
  virtual ~DataSource();

  // Whether a result set is open. A closed source shows empty fields.
  virtual bool Active() const = 0;
  // Whether the open result set has a field of that name.
  virtual bool HasField(const QString& name) const = 0;
  // The display text of a field in the current record; "" when there is no
  // current record or the value is null.
  virtual QString FieldText(const QString& name) const = 0;

  // Tells every linked control to show the current record again.
  void RecordChanged();
  int LinkCount() const { return static_cast<int>(links_.size()); }

 private:
  friend class DataLink;
  std::vector<DataLink*> links_;
};

// Connects one control to a data source; runs `onChange` after each record change.
class DataLink {
 public:
  explicit DataLink(std::function<void()> onChange) : onChange_(std::move(onChange)) {}
  DataLink(const DataLink&) = delete;
  DataLink& operator=(const DataLink&) = delete;
  ~DataLink() { SetSource(nullptr); }

  DataSource* Source() const { return source_; }
  void SetSource(DataSource* source);
  // The text of a field, "" without a source, when closed or when the field is missing.
  QString FieldText(const QString& field) const;

 private:
  friend class DataSource;
  std::function<void()> onChange_;
  DataSource* source_ = nullptr;
};

// A label showing the text of DataField in the current record. Unlike a plain
// label it does not size itself to its text unless AutoSize is set.
class TDBText : public TLabel {
  Q_OBJECT
  Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)

 public:
  explicit TDBText(QWidget* parent = nullptr);

  toolkit::DataSource* DataSource() const { return link_.Source(); }
  void SetDataSource(toolkit::DataSource* source);
  QString DataField() const { return dataField_; }
  void SetDataField(const QString& field);

 private:
  void DataChange();

  DataLink link_;
  QString dataField_;
};

// A memo showing the text of DataField in the current record, from its first line.
class TDBMemo : public TMemo {
  Q_OBJECT
  Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)

 public:
  explicit TDBMemo(QWidget* parent = nullptr);

  toolkit::DataSource* DataSource() const { return link_.Source(); }
  void SetDataSource(toolkit::DataSource* source);
  QString DataField() const { return dataField_; }
  void SetDataField(const QString& field);

 private:
  void DataChange();

  DataLink link_;
  QString dataField_;
};

}  // namespace toolkit
