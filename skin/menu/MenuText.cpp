#include "skin/menu/MenuText.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>

#include "toolkit/Fonts.h"

namespace skin {

namespace {
constexpr int kCaptionFlags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic;
}

QString StripAccelerator(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == u'&') continue;
    out += caption[i];
  }
  return out;
}

QChar AcceleratorOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return caption[i + 1].toLower();
  }
  return {};
}

bool IsAccel(QChar key, const QString& caption) {
  const QChar accel = AcceleratorOf(caption);
  return !accel.isNull() && accel == key.toLower();
}

QSize CaptionTextSize(const QFontMetrics& fm, const QString& caption) {
  const QString shown = StripAccelerator(caption);
  // Tabs take the layout's tab stops; other text its advance width.
  if (shown.contains(u'\t')) return {fm.boundingRect(QRect(), kCaptionFlags, caption).width(), fm.height()};
  return {fm.horizontalAdvance(shown), fm.height()};
}

QRect CenteredCaptionRect(const QFontMetrics& fm, const QRect& rect, const QString& caption) {
  const QSize size = CaptionTextSize(fm, caption);
  return QRect(rect.left() + (rect.width() - size.width()) / 2, rect.top() + (rect.height() - size.height()) / 2,
               size.width(), size.height());
}

void DrawAcceleratedCaption(QPainter& p, const QRect& rect, const QString& caption, const QColor& colour) {
  if (caption.isEmpty()) return;
  p.save();
  QFont font = p.font();
  font.setBold(false);
  font.setItalic(false);
  p.setFont(font);
  p.setPen(colour);
  p.setBackgroundMode(Qt::TransparentMode);
  p.drawText(CenteredCaptionRect(QFontMetrics(font), rect, caption), kCaptionFlags | Qt::AlignLeft | Qt::AlignTop,
             caption);
  p.restore();
}

QFont MenuFont() { return toolkit::MakeFont(QStringLiteral("宋体"), 12); }

}  // namespace skin
