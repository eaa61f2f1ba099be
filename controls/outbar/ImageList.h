#pragma once
// A list of equally sized pictures drawn by index. Controls hold it by
// reference (QPointer) and drop the reference when it is freed.
#include <QImage>
#include <QList>
#include <QObject>

class QPainter;

namespace outbar {

class TImageList : public QObject {
  Q_OBJECT

 public:
  TImageList(int width, int height, QObject* parent = nullptr);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  // Adds a picture, scaled to the list's size when it differs; returns its index.
  int Add(const QImage& image);
  void Clear();
  const QImage& Image(int index) const { return images_.at(index); }
  // Draws picture `index` with its top-left at (x, y); greyed when not enabled.
  void Draw(QPainter& p, int x, int y, int index, bool enabled = true) const;

 signals:
  void Changed();

 private:
  int width_, height_;
  QList<QImage> images_;
};

}  // namespace outbar
