#include "app/anthology/ReaderData.h"

#include <QTimer>

#include "platform/Dialogs.h"

namespace anthology {

ReaderData::ReaderData(QString path) : path_(std::move(path)) {
  Tell = [](const QString& message) {
    platform::CurrentDialogs().MessageDlg(message, platform::DialogKind::Warning, platform::DialogButtons::Ok);
  };
}

ReaderData::~ReaderData() = default;

void ReaderData::Later(const QString& message) {
  QTimer::singleShot(0, &context_, [this, message] {
    if (Tell) Tell(message);
  });
}

data::ReaderStore* ReaderData::Store() {
  if (tried_) return store_.get();
  tried_ = true;
  QString notice;
  try {
    store_ = data::ReaderStore::Open(path_, &notice);
  } catch (const data::EReaderDataError& e) {
    unavailable_ = true;
    reason_ = e.Message().section(u'\n', 0, 0);
    Later(e.Message());
    if (OnUnavailable) OnUnavailable();
    return nullptr;
  }
  if (!notice.isEmpty()) Later(notice);
  return store_.get();
}

void ReaderData::RecordReading(const data::PoemRef& poem) {
  if (historyFailed_) return;
  data::ReaderStore* store = Store();
  if (!store) return;
  try {
    store->RecordReading(poem);
  } catch (const data::EReaderDataError& e) {
    historyFailed_ = true;
    Later(e.Message());
  }
}

bool ReaderData::Change(const std::function<void(data::ReaderStore& store)>& change) {
  data::ReaderStore* store = Store();
  if (!store) return false;
  try {
    change(*store);
  } catch (const data::EReaderDataError& e) {
    Later(e.Message());
    return false;
  }
  return true;
}

}  // namespace anthology
