#include "platform/Subclass.h"

#include <QEvent>
#include <QHash>
#include <QObject>
#include <vector>

#include "platform/WinMessage.h"

namespace platform {

struct Subclass::Entry {
  Subclass::Before before;
  Subclass::After after;
  bool alive = true;
};

// One per subclassed object: the event filter that runs the stacked steps.
class SubclassChain : public QObject {
 public:
  explicit SubclassChain(QObject* target) : target_(target) {
    target->installEventFilter(this);
    connect(target, &QObject::destroyed, this, [this] { TargetDestroyed(); });
  }

  static QHash<const QObject*, SubclassChain*>& Chains() {
    static QHash<const QObject*, SubclassChain*> chains;
    return chains;
  }

  static SubclassChain* Of(QObject* target, bool create) {
    SubclassChain* chain = Chains().value(target);
    if (!chain && create) {
      chain = new SubclassChain(target);
      Chains().insert(target, chain);
    }
    return chain;
  }

  void Add(const std::shared_ptr<Subclass::Entry>& e) { entries_.push_back(e); }

  void RemoveEntry(const std::shared_ptr<Subclass::Entry>& e) {
    e->alive = false;
    std::erase(entries_, e);
    if (entries_.empty() && depth_ == 0) Dispose();
  }

  int Size() const { return static_cast<int>(entries_.size()); }

  // Runs entries below position `below` (exclusive) of `snapshot`, then the object.
  bool RunFrom(const std::vector<std::shared_ptr<Subclass::Entry>>& snapshot, int index, QEvent* e) {
    for (int i = index; i >= 0; --i) {
      const auto& entry = snapshot[static_cast<size_t>(i)];
      if (!entry->alive) continue;
      if (entry->before && !entry->before(e)) return true;
      if (!target_) return true;
      RunFrom(snapshot, i - 1, e);
      if (entry->alive && entry->after && target_) entry->after(e);
      return true;
    }
    if (target_) target_->event(e);
    return true;
  }

  bool CallBelow(const std::shared_ptr<Subclass::Entry>& entry, QEvent* e) {
    const auto snapshot = entries_;
    for (int i = static_cast<int>(snapshot.size()) - 1; i >= 0; --i)
      if (snapshot[static_cast<size_t>(i)] == entry) {
        ++depth_;
        RunFrom(snapshot, i - 1, e);
        --depth_;
        return true;
      }
    return false;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched != target_ || entries_.empty()) return false;
    const auto snapshot = entries_;
    ++depth_;
    RunFrom(snapshot, static_cast<int>(snapshot.size()) - 1, e);
    --depth_;
    if (entries_.empty() && depth_ == 0) Dispose();
    return true;
  }

 private:
  void TargetDestroyed() {
    const auto snapshot = entries_;
    WinMessage notice(WM_NCDESTROY);
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
      if ((*it)->alive && (*it)->before) (*it)->before(&notice);
    for (const auto& e : snapshot) e->alive = false;
    entries_.clear();
    Chains().remove(target_raw_);
    deleteLater();
  }

  void Dispose() {
    Chains().remove(target_raw_);
    if (target_) target_->removeEventFilter(this);
    deleteLater();
  }

  QPointer<QObject> target_;
  const QObject* target_raw_ = target_.data();
  std::vector<std::shared_ptr<Subclass::Entry>> entries_;
  int depth_ = 0;
};

Subclass::Subclass(QObject* target, Before before, After after) : target_(target) {
  entry_ = std::make_shared<Entry>();
  entry_->before = std::move(before);
  entry_->after = std::move(after);
  if (!target) {
    entry_->alive = false;
    return;
  }
  SubclassChain::Of(target, true)->Add(entry_);
}

Subclass::~Subclass() { Remove(); }

void Subclass::Remove() {
  if (!entry_ || !entry_->alive) return;
  entry_->alive = false;
  if (!target_) return;
  if (SubclassChain* chain = SubclassChain::Of(target_.data(), false)) chain->RemoveEntry(entry_);
}

bool Subclass::Installed() const { return entry_ && entry_->alive && target_; }

bool Subclass::CallPrevious(QEvent* e) {
  if (!Installed()) return false;
  SubclassChain* chain = SubclassChain::Of(target_.data(), false);
  return chain && chain->CallBelow(entry_, e);
}

int Subclass::Depth(const QObject* target) {
  const SubclassChain* chain = SubclassChain::Chains().value(target);
  return chain ? chain->Size() : 0;
}

}  // namespace platform
