#include "data/DataSource.h"

#include "data/Query.h"

namespace data {

TDataSource::~TDataSource() { SetDataSet(nullptr); }

void TDataSource::SetDataSet(TADOQuery* dataSet) {
  if (dataSet_) dataSet_->OnDataChange = nullptr;
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->OnDataChange = [this] { RecordChanged(); };
  RecordChanged();
}

bool TDataSource::Active() const { return dataSet_ && dataSet_->Active(); }

bool TDataSource::HasField(const QString& name) const {
  if (!Active()) return false;
  for (const QString& f : dataSet_->FieldNames())
    if (f.compare(name, Qt::CaseInsensitive) == 0) return true;
  return false;
}

QString TDataSource::FieldText(const QString& name) const {
  return HasField(name) ? dataSet_->FieldByName(name).AsString() : QString();
}

}  // namespace data
