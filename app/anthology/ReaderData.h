#pragma once
// The reader's own data as the main window uses it: reader.db, opened when
// first needed, never at start-up. When no database can be kept there (a
// folder that cannot be written, a full disk) the reader is told once, in the
// store's words, and the window goes on without favourites and history; a
// damaged file the store kept aside is told once as well.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "data/ReaderStore.h"

namespace anthology {

class ReaderData {
 public:
  explicit ReaderData(QString path);
  ~ReaderData();

  // The store, opened on the first call; null once it could not be opened.
  data::ReaderStore* Store();
  // Whether opening was tried and failed, and why in one line.
  bool Unavailable() const { return unavailable_; }
  const QString& Reason() const { return reason_; }
  // Runs after the first failure to open, once the reader was told.
  std::function<void()> OnUnavailable;

  // Records a poem read. A failure (the disk filled meanwhile) is told once;
  // later readings are then not recorded in this run.
  void RecordReading(const data::PoemRef& poem);
  // Runs a change the reader asked for (keeping a poem, clearing the
  // history). A refusal (the disk filled meanwhile) is told each time, the
  // data stay as they were, and false comes back.
  bool Change(const std::function<void(data::ReaderStore& store)>& change);

  // Where the reader is told; a warning dialog unless a test sets its own.
  // The message follows once the handler that needed the data is done.
  std::function<void(const QString& message)> Tell;

 private:
  void Later(const QString& message);

  QString path_;
  QObject context_;  // the scope of the deferred messages
  std::unique_ptr<data::ReaderStore> store_;
  bool tried_ = false;
  bool unavailable_ = false;
  bool historyFailed_ = false;
  QString reason_;
};

}  // namespace anthology
