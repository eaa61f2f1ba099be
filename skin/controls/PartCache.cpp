#include "skin/controls/PartCache.h"

namespace skin {

const QImage& TPartCache::Part(int id, const QSize& size, int frame, const QImage& source, const Draw& draw) {
  for (const Entry& e : entries_)
    if (e.id == id && e.size == size && e.frame == frame && e.source == source.cacheKey()) return e.image;
  // Parts of an old size or skin are dropped before the list grows long.
  if (entries_.size() >= 16) entries_.clear();
  Entry entry{id, size, frame, source.cacheKey(), QImage(size, QImage::Format_ARGB32_Premultiplied)};
  entry.image.fill(Qt::transparent);
  {
    QPainter p(&entry.image);
    draw(p, QRect(QPoint(0, 0), size));
  }
  ++composed_;
  entries_.push_back(std::move(entry));
  return entries_.back().image;
}

void TPartCache::Put(TPartCache* cache, QPainter& dc, int id, const QRect& rect, int frame, const QImage& source,
                     const Draw& draw) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  if (!cache) {
    draw(dc, rect);
    return;
  }
  dc.drawImage(rect.topLeft(), cache->Part(id, rect.size(), frame, source, draw));
}

}  // namespace skin
