#include "controls/styled/DefineHintWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "controls/styled/FlatHint.h"
#include "controls/styled/FlatUtils.h"

namespace styled {

namespace {
// The arrow strip is this wide; the window adds it and the frame to the text's width.
constexpr int kStripWidth = 15;
constexpr int kExtraWidth = 22;
constexpr int kExtraHeight = 6;
constexpr int kDefaultMaxWidth = 200;

QString LineBreaks(QString text) {
  return text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// One line of pixels from a to b, both included (45° and straight lines only need this).
void PixelLine(QPainter& p, QPoint a, QPoint b, const QColor& c) {
  const int steps = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
  for (int i = 0; i <= steps; ++i) {
    const int x = a.x() + (steps ? (b.x() - a.x()) * i / steps : 0);
    const int y = a.y() + (steps ? (b.y() - a.y()) * i / steps : 0);
    p.fillRect(QRect(x, y, 1, 1), c);
  }
}
}  // namespace

TDefineHintWindow::TDefineHintWindow() = default;

int TDefineHintWindow::CornerFor(QPoint p, const QRect& screen) {
  const int w = screen.width(), h = screen.height();
  const QPoint q = p - screen.topLeft();
  if (QRect(0, 0, w / 2, h / 2).contains(q)) return 1;
  if (QRect(w / 2, 0, w - w / 2, h / 2).contains(q)) return 0;
  if (QRect(0, h / 2, w / 2, h - h / 2).contains(q)) return 3;
  return 2;
}

QRect TDefineHintWindow::BoundsFor(QPoint p, QSize size, int code) {
  const int w = size.width(), h = size.height();
  const int d = code == 1 ? 12 : 5;
  switch (code) {
    case 0: return QRect(p.x() - w - d, p.y() + d, w, h);
    case 1: return QRect(p.x() + d, p.y() + d, w, h);
    case 3: return QRect(p.x() + d, p.y() - h - d, w, h);
    default: return QRect(p.x() - w - d, p.y() - h - d, w, h);
  }
}

QList<QPoint> TDefineHintWindow::ArrowPoints(QPoint anchor, int code) {
  static constexpr int kSteps[18][2] = {{0, 0}, {0, 6}, {1, 6}, {1, 0}, {6, 0}, {6, 1}, {2, 1}, {2, 4}, {5, 7},
                                        {6, 7}, {3, 4}, {3, 3}, {6, 6}, {7, 6}, {3, 2}, {4, 2}, {7, 5}, {7, 6}};
  const int sx = code == 0 || code == 2 ? -1 : 1;
  const int sy = code == 2 || code == 3 ? -1 : 1;
  QList<QPoint> points;
  for (const auto& s : kSteps) points.append(anchor + QPoint(sx * s[0], sy * s[1]));
  return points;
}

void TDefineHintWindow::ActivateHint(const QRect& rect, const QString& hint) {
  caption_ = hint;
  int maxWidth = kDefaultMaxWidth;
  if (TFlatHint* settings = TFlatHint::Find()) {
    setFont(settings->Font());
    maxWidth = settings->MaxWidth();
    background_ = settings->ColorBackground();
    border_ = settings->ColorBorder();
    arrowBackground_ = settings->ColorArrowBackground();
    arrow_ = settings->ColorArrow();
  }
  // The text's extent when wrapped at MaxWidth - 22, plus the strip and the frame.
  const int align = layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
  const QRect text = fontMetrics().boundingRect(QRect(rect.left(), rect.top(), std::max(1, maxWidth - kExtraWidth), 0),
                                                Qt::TextWordWrap | align, LineBreaks(hint));
  const QSize size(text.width() + kExtraWidth, text.height() + kExtraHeight);
  const QPoint pointer = toolkit::TheHintManager().CursorPos();
  QScreen* screen = QGuiApplication::screenAt(pointer);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  corner_ = CornerFor(pointer, screenRect);
  ShowTopmost(BoundsFor(pointer, size, corner_));
}

void TDefineHintWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int l = 0, t = 0, r = width(), b = height();
  const bool left = corner_ == 1 || corner_ == 3;
  const QRect strip = left ? QRect(l + 1, t + 1, kStripWidth - 1, b - t - 2) : QRect(r - kStripWidth, t + 1, kStripWidth - 1, b - t - 2);
  QRect text = left ? QRect(l + kStripWidth, t + 1, r - 1 - (l + kStripWidth), b - t - 2)
                    : QRect(l + 1, t + 1, r - kStripWidth - (l + 1), b - t - 2);
  p.fillRect(strip, platform::ToQColor(arrowBackground_));
  p.fillRect(text, platform::ToQColor(background_));
  DrawFlatFrame(p, rect(), platform::ToQColor(border_), 1);
  switch (corner_) {
    case 0: anchor_ = QPoint(Right(strip) - 3, strip.top() + 2); break;
    case 1: anchor_ = QPoint(strip.left() + 2, strip.top() + 2); break;
    case 3: anchor_ = QPoint(strip.left() + 2, Bottom(strip) - 3); break;
    default: anchor_ = QPoint(Right(strip) - 3, Bottom(strip) - 3); break;
  }
  const QList<QPoint> points = ArrowPoints(anchor_, corner_);
  const QColor arrowColor = platform::ToQColor(arrow_);
  for (int i = 0; i + 1 < points.size(); ++i) PixelLine(p, points[i], points[i + 1], arrowColor);
  text.adjust(3, 1, -3, -1);
  p.setPen(platform::ToQColor(platform::clBlack));
  p.setFont(font());
  const int align = layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
  p.drawText(text, Qt::TextWordWrap | align, LineBreaks(caption_));
}

}  // namespace styled
