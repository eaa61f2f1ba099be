#include "toolkit/DBCtrls.h"

#include <algorithm>

namespace toolkit {

DataSource::~DataSource() {
  for (DataLink* link : links_) link->source_ = nullptr;
  // The controls show nothing once their source is gone.
  const std::vector<DataLink*> links = std::move(links_);
  links_.clear();
  for (DataLink* link : links)
    if (link->onChange_) link->onChange_();
}

void DataSource::RecordChanged() {
  // A control may leave or join while others update: work on a copy and
  // skip links that left meanwhile.
  const std::vector<DataLink*> links = links_;
  for (DataLink* link : links) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
    if (link->onChange_) link->onChange_();
  }
}

void DataLink::SetSource(DataSource* source) {
  if (source_ == source) return;
  if (source_ != nullptr) std::erase(source_->links_, this);
  source_ = source;
  if (source_ != nullptr) source_->links_.push_back(this);
}

QString DataLink::FieldText(const QString& field) const {
  if (source_ == nullptr || field.isEmpty() || !source_->Active() || !source_->HasField(field)) return QString();
  return source_->FieldText(field);
}

TDBText::TDBText(QWidget* parent) : TLabel(parent), link_([this] { DataChange(); }) {
  SetAutoSize(false);
}

void TDBText::SetDataSource(toolkit::DataSource* source) {
  link_.SetSource(source);
  DataChange();
}

void TDBText::SetDataField(const QString& field) {
  dataField_ = field;
  DataChange();
}

void TDBText::DataChange() { SetCaption(link_.FieldText(dataField_)); }

TDBMemo::TDBMemo(QWidget* parent) : TMemo(parent), link_([this] { DataChange(); }) {}

void TDBMemo::SetDataSource(toolkit::DataSource* source) {
  link_.SetSource(source);
  DataChange();
}

void TDBMemo::SetDataField(const QString& field) {
  dataField_ = field;
  DataChange();
}

void TDBMemo::DataChange() {
  const QString text = link_.FieldText(dataField_);
  if (text == Text()) return;
  SetText(text);
  ScrollToTop();
}

}  // namespace toolkit
