#include "app/anthology/RandomPick.h"

#include <algorithm>

namespace anthology {

RandomPick::RandomPick(quint64 seed) : rng_(seed) {}

bool RandomPick::IsRecent(qint64 id, size_t skipOldest) const {
  return std::find(recent_.begin() + static_cast<std::ptrdiff_t>(skipOldest), recent_.end(), id) != recent_.end();
}

qint64 RandomPick::Pick(const std::vector<qint64>& ids) {
  if (ids.empty()) return -1;
  // The oldest picks are let go one by one until the scope has a poem left.
  size_t skipOldest = 0;
  size_t open = 0;
  for (;;) {
    open = 0;
    for (qint64 id : ids) open += IsRecent(id, skipOldest) ? 0 : 1;
    if (open > 0) break;
    ++skipOldest;
  }
  std::uniform_int_distribution<size_t> choose(0, open - 1);
  size_t k = choose(rng_);
  qint64 picked = -1;
  for (qint64 id : ids) {
    if (IsRecent(id, skipOldest)) continue;
    if (k-- == 0) {
      picked = id;
      break;
    }
  }
  Remember(picked);
  return picked;
}

qint64 RandomPick::PickRow(qint64 first, qint64 last, int tries, const std::function<bool(qint64)>& inScope) {
  std::uniform_int_distribution<qint64> choose(first, last);
  for (int i = 0; i < tries; ++i) {
    const qint64 row = choose(rng_);
    if (IsRecent(row, 0) || !inScope(row)) continue;
    Remember(row);
    return row;
  }
  return -1;
}

void RandomPick::Remember(qint64 id) {
  const auto again = std::find(recent_.begin(), recent_.end(), id);
  if (again != recent_.end()) recent_.erase(again);
  recent_.push_back(id);
  while (recent_.size() > static_cast<size_t>(kRemembered)) recent_.pop_front();
}

}  // namespace anthology
