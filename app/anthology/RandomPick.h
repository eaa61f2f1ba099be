#pragma once
// The random poem: one of the poems in the reader's scope (an author, an era
// or country, or a whole collection), every poem equally likely, never one of
// the last picks while the scope holds any other.
#include <QtGlobal>
#include <deque>
#include <functional>
#include <random>
#include <vector>

namespace anthology {

class RandomPick {
 public:
  static constexpr int kRemembered = 20;

  explicit RandomPick(quint64 seed = std::random_device{}());

  // One of `ids` (poem row ids, each once), uniformly among those not picked
  // lately; when all of them were, the one picked longest ago is allowed
  // again. Returns -1 for an empty scope. The pick is remembered.
  qint64 Pick(const std::vector<qint64>& ids);
  // The same for a scope too large to list, drawn from the row ids from
  // `first` to `last` of a library: a row is kept when `inScope` holds for it
  // (a row id no poem has is not in any scope) and it was not picked lately,
  // else another is drawn, so each of the scope's poems is as likely as any
  // other. Returns -1, picking nothing, when `tries` rows were drawn in vain.
  qint64 PickRow(qint64 first, qint64 last, int tries, const std::function<bool(qint64)>& inScope);
  // The picks remembered, oldest first.
  const std::deque<qint64>& Recent() const { return recent_; }

 private:
  bool IsRecent(qint64 id, size_t skipOldest) const;
  void Remember(qint64 id);

  std::mt19937_64 rng_;
  std::deque<qint64> recent_;
};

}  // namespace anthology
