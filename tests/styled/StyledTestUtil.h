#pragma once
// Helpers for the styled-control tests: a host window with a known background,
// pointer enter/leave notices, and pixel reads of what a control shows.
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace styled_test {

// A window painted in one colour, with an optional mark in its own painting.
class Host : public QWidget {
 public:
  explicit Host(QColor background = QColor(10, 200, 30)) : background_(background) {
    resize(400, 300);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
  }
  QColor background_;
  QRect mark_;  // painted red when not empty
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), background_);
    if (!mark_.isEmpty()) p.fillRect(mark_, Qt::red);
  }
};

inline void Enter(QWidget* w, QPoint local = QPoint(2, 2)) {
  QEnterEvent e(local, local, w->mapToGlobal(local));
  QApplication::sendEvent(w, &e);
}
inline void Leave(QWidget* w) {
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(w, &e);
}
// What the window shows over `w` (parent painting included).
inline QImage Shown(QWidget* w) {
  QWidget* top = w->window();
  const QRect r(w->mapTo(top, QPoint(0, 0)), w->size());
  return top->grab(r).toImage().convertToFormat(QImage::Format_RGB32);
}
inline QImage Glyph(int w, int h, QColor fill, QColor key = QColor(255, 0, 255)) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  image.setPixel(0, h - 1, key.rgb());
  return image;
}

}  // namespace styled_test
