#pragma once
// Work that goes on while the event loop idles runs in slices, with a pause
// between them in which input and painting come through. Freeing the rows of
// a large cleared table takes slices of kIdleSliceNanoseconds; a search that
// fills the tables works in longer stretches. Both pause kIdlePauseMilliseconds,
// which outlasts a freeing slice: a slice of freeing fits into the search's
// pause, so the two never run back to back and the reader's input always gets
// its turn between them.
#include <QtGlobal>

namespace toolkit {

inline constexpr qint64 kIdleSliceNanoseconds = 1'000'000;
inline constexpr int kIdlePauseMilliseconds = 4;
static_assert(kIdlePauseMilliseconds * qint64{1'000'000} > kIdleSliceNanoseconds,
              "a pause between idle slices must outlast a slice");

// Held (on the user-interface thread) while work on threads of its own runs
// that the reader is waiting for, such as a search's readers: the idle
// slices wait until no such work is left, so that they take no processor
// from it. The work is short (a search), so the slices are not put off long.
class BackgroundWork {
 public:
  BackgroundWork() { ++running_; }
  ~BackgroundWork() { --running_; }
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;
  static bool Running() { return running_ > 0; }

 private:
  static inline int running_ = 0;
};

}  // namespace toolkit
