#pragma once
// Composed parts of one control's skin picture (a track, an arrow, a thumb,
// a header section, a panel's edge) kept between its paints: a part is
// composed again only when its size, its frame or the skin's image changed,
// so a repaint mostly copies. Each skinner keeps its own small cache.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <vector>

namespace skin {

class TPartCache {
 public:
  using Draw = std::function<void(QPainter&, const QRect&)>;
  // Part `id` drawn by `draw` into a transparent image of `size`, for frame
  // `frame` of the image `source`.
  const QImage& Part(int id, const QSize& size, int frame, const QImage& source, const Draw& draw);
  // Draws part `id` into `rect` of `dc`: through the cache when one is given,
  // else straight.
  static void Put(TPartCache* cache, QPainter& dc, int id, const QRect& rect, int frame, const QImage& source,
                  const Draw& draw);
  // How many parts were composed so far (a measure of the cache's work).
  int Composed() const { return composed_; }

 private:
  struct Entry {
    int id = 0;
    QSize size;
    int frame = 0;
    qint64 source = 0;
    QImage image;
  };
  std::vector<Entry> entries_;
  int composed_ = 0;
};

}  // namespace skin
