#pragma once
// Connects data-aware controls to a cursor: they show its current row and
// follow every open, close and move of it.
#include "toolkit/DBCtrls.h"

namespace data {

class TADOQuery;

class TDataSource : public toolkit::DataSource {
 public:
  TDataSource() = default;
  ~TDataSource() override;

  TADOQuery* DataSet() const { return dataSet_; }
  void SetDataSet(TADOQuery* dataSet);

  bool Active() const override;
  bool HasField(const QString& name) const override;
  QString FieldText(const QString& name) const override;

 private:
  TADOQuery* dataSet_ = nullptr;
};

}  // namespace data
