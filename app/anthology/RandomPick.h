#pragma once
// The random poem: one of the poems in the reader's scope (an author, an era
// or country, or a whole collection), every poem equally likely, never one of
// the last picks while the scope holds any other.
#include <QtGlobal>
#include <deque>
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
  // The picks remembered, oldest first.
  const std::deque<qint64>& Recent() const { return recent_; }

 private:
  bool IsRecent(qint64 id, size_t skipOldest) const;

  std::mt19937_64 rng_;
  std::deque<qint64> recent_;
};

}  // namespace anthology
