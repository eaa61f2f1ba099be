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
  const auto again = std::find(recent_.begin(), recent_.end(), picked);
  if (again != recent_.end()) recent_.erase(again);
  recent_.push_back(picked);
  while (recent_.size() > static_cast<size_t>(kRemembered)) recent_.pop_front();
  return picked;
}

}  // namespace anthology
