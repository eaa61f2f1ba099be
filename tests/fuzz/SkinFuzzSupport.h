#pragma once
// What the skin fuzz targets share: the refusals a run shows, counted instead
// of shown, and the bounds a skin read whole keeps.
#include <memory>

#include "platform/Dialogs.h"

namespace skin {
class TSkinElements;
}

namespace fuzz {

// A skin read whole holds only what the budget allows: no image over
// kMaxImagePixels, at most kMaxCaptionButtons caption buttons (and the three
// of a maximised child window), margins inside their images.
void CheckWithinBudget(const skin::TSkinElements& elements);

// Counts the message boxes shown while it lives, in place of the dialogs in use.
class MessageCounter {
 public:
  MessageCounter();
  ~MessageCounter();
  MessageCounter(const MessageCounter&) = delete;
  MessageCounter& operator=(const MessageCounter&) = delete;
  // The boxes shown since the last call.
  int Take();

 private:
  class Counting;
  Counting* counting_;
  std::unique_ptr<platform::Dialogs> previous_;
};

}  // namespace fuzz
