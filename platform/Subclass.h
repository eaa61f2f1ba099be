#pragma once
// Replacing an object's message handling, as window-procedure subclassing does:
// each Subclass adds a before-step and an after-step around the handler that was
// in force when it was installed (the widget's own event() at the bottom).
// Several can be stacked on one object; the last installed runs first. Removing
// one (at any depth) splices exactly that one out of the chain.
//
// The chain is one event filter on the object; it delivers the event to the
// object's own event() itself. Application-wide filters still see every event
// first; event filters installed on the same object before the first Subclass
// no longer see the events the chain delivers. A scroll area's viewport has
// such a filter (it hands the viewport's events to the scroll area): subclass
// the scroll area, not its viewport. When the object is destroyed, every before-step receives a
// WinMessage(WM_NCDESTROY) notice (the object is no longer a widget then) and
// the Subclass objects become inert.
#include <QPointer>
#include <functional>
#include <memory>

class QEvent;
class QObject;

namespace platform {

class SubclassChain;

class Subclass {
 public:
  // Returns whether normal processing goes on (the previous handler, then the
  // after-step). Returning false swallows the event.
  using Before = std::function<bool(QEvent*)>;
  // Runs after the previous handler.
  using After = std::function<void(QEvent*)>;

  Subclass(QObject* target, Before before, After after = {});
  ~Subclass();
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  // Puts back what this one replaced; nothing when already removed or when the
  // target is gone.
  void Remove();
  bool Installed() const;
  QObject* Target() const { return target_.data(); }

  // Runs the handler below this one (the previous one) for `e`: what a
  // before-step that swallowed an event calls to hand it on after all, for
  // example with non-client painting switched off around it.
  bool CallPrevious(QEvent* e);

  // How many subclasses are installed on `target` (for tests and diagnostics).
  static int Depth(const QObject* target);

 private:
  friend class SubclassChain;
  struct Entry;
  QPointer<QObject> target_;
  std::shared_ptr<Entry> entry_;
};

}  // namespace platform
