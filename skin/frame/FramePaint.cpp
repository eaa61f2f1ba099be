#include "skin/frame/FramePaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/Color.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinElements.h"
#include "skin/frame/CaptionButtons.h"

namespace skin {

QImage ComposeBorder(const TDataSkinBorder& border, const QSize& size, bool vertical, bool active) {
  if (size.isEmpty() || border.Image.isNull()) return {};
  const int frames = std::max(1, border.FrameCount);
  const int frame = active || frames == 1 ? 1 : 2;
  const bool tile = border.Tile != 1;
  return ComposeNinePart(size, border.Image, border.Margins, vertical, tile, frames, frame);
}

namespace {

void Put(QPainter& p, const QPoint& at, const QImage& img) {
  if (!img.isNull()) p.drawImage(at, img);
}

QColor Colour(platform::TColor c) { return platform::ToQColor(platform::ColorToRGB(c)); }

}  // namespace

TCaptionTextLayout LayoutCaptionText(const TFrameScene& scene, const TSkinElements& e, int rightButtonsLeft) {
  TCaptionTextLayout t;
  const TDataSkinTitle& title = e.Title;
  const int W = scene.size.width(), T = scene.metrics.T;
  const QFontMetrics fm(scene.font);
  const int textWidth = fm.horizontalAdvance(scene.text);
  t.width = textWidth + title.TXTBackleft + title.TXTBackRight;
  const int shift = title.Margins.Left, shiftVert = title.Margins.Top, rightClip = title.Margins.Right;
  const int alignment = scene.rightToLeft ? 2 : title.TextAlignment;
  switch (alignment) {
    case 0: t.left = shift; break;
    case 1: t.left = (W - t.width) / 2; break;
    case 2: t.left = W - rightClip - t.width; break;
    default: t.left = 0; break;
  }
  if (scene.kind == fkDialog && alignment == 0) t.left -= 16;
  t.top = (T - fm.height()) / 2 + shiftVert / 2;
  const int textEnd = t.left + t.width;
  if (scene.popupStyle && rightButtonsLeft - 5 > 5 && rightButtonsLeft - 5 < textEnd) t.clipRight = rightButtonsLeft - 5;
  else t.clipRight = W - rightClip;
  const int plateRight = std::min(textEnd, t.clipRight);
  t.plate = QRect(QPoint(t.left, 0), QPoint(plateRight - 1, T - 1));
  t.textRect = QRect(QPoint(t.left + title.TXTBackleft, t.top),
                     QPoint(plateRight - title.TXTBackRight - 1, t.top + fm.height() - 1));
  const int room = std::max(0, t.textRect.width());
  t.shown = room >= textWidth ? scene.text : fm.elidedText(scene.text, Qt::ElideRight, room);
  return t;
}

TCaptionTextLayout LayoutCaption(TFrameScene& scene, const TSkinElements& e) {
  const int W = scene.size.width();
  const bool hasMenuItem = e.MenuItem != nullptr;
  const int menuItemLeft = hasMenuItem ? e.MenuItem->Margins.Left : 0;
  int rightButtonsLeft = W;
  for (TCaptionButtonPaint& b : scene.buttons) {
    if (!b.visible || !b.data || b.data->Align != 1) continue;
    b.rect = CaptionButtonRect(*b.data, W, 0, 0, scene.metrics, menuItemLeft, hasMenuItem, scene.rightToLeft);
    if (b.showsIcon) b.rect.setSize(scene.appIcon.size());
    if (!b.rect.isEmpty()) rightButtonsLeft = std::min(rightButtonsLeft, b.rect.left());
  }
  const TCaptionTextLayout text = LayoutCaptionText(scene, e, rightButtonsLeft);
  for (TCaptionButtonPaint& b : scene.buttons) {
    if (!b.visible || !b.data || b.data->Align == 1) continue;
    b.rect = CaptionButtonRect(*b.data, W, text.plate.left(), text.plate.left() + text.width, scene.metrics,
                               menuItemLeft, hasMenuItem, scene.rightToLeft);
    if (b.showsIcon) b.rect.setSize(scene.appIcon.size());
  }
  return text;
}

void DrawCaptionButton(QImage& target, const TCaptionButtonPaint& b, const QImage& appIcon, int frame) {
  if (!b.data || b.rect.isEmpty()) return;
  QPainter p(&target);
  if (b.showsIcon) {
    if (!appIcon.isNull()) DrawTransparent(p, QRect(b.rect.topLeft(), appIcon.size()), appIcon, kSkinKeyColor);
    return;
  }
  DrawFrameStretched(p, b.rect, b.data->Image, true, std::max(1, b.data->FrameCount), frame);
}

QImage ComposeCaptionStrip(const TFrameScene& scene, const TSkinElements& e, const TCaptionTextLayout& text) {
  const int W = scene.size.width(), H = scene.size.height();
  const TFrameMetrics& m = scene.metrics;
  if (W <= 0 || m.T <= 0) return {};
  QImage strip(W, m.T, QImage::Format_ARGB32_Premultiplied);
  strip.fill(Qt::transparent);
  {
    QPainter p(&strip);
    // The side borders' top rows (what the window shows under the strip's ends).
    if (m.L > 0) Put(p, {0, 0}, ComposeBorder(e.FrameLeft, {m.L, H}, false, scene.active).copy(0, 0, m.L, m.T));
    if (m.R > 0) Put(p, {W - m.R, 0}, ComposeBorder(e.FrameRight, {m.R, H}, false, scene.active).copy(0, 0, m.R, m.T));
    Put(p, {m.L, 0}, ComposeBorder(e.FrameTop, {W - m.L - m.R, m.T}, true, scene.active));
    // The title plate behind the text.
    if (!e.Title.Image.isNull() && text.plate.width() > 0) {
      TSkinMargins margins;
      margins.Left = e.Title.TXTBackleft;
      margins.Right = e.Title.TXTBackRight;
      DrawThreePartBar(p, text.plate, e.Title.Image, true, true, 2, scene.active ? 1 : 2, margins);
    }
    if (text.textRect.width() > 0) {
      p.setFont(scene.font);
      p.setPen(Colour(scene.active ? e.Colours.TitleTextActive : e.Colours.TitleTextNoActive));
      p.setClipRect(QRect(0, 0, std::max(0, text.clipRight), m.T));
      const Qt::Alignment align = (scene.rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
      p.drawText(text.textRect, align | Qt::TextSingleLine, text.shown);
    }
  }
  for (const TCaptionButtonPaint& b : scene.buttons) {
    if (!b.visible || !b.data || b.data->Align == 100) continue;
    if (!b.showsIcon && b.data->Image.isNull()) continue;
    DrawCaptionButton(strip, b, scene.appIcon, b.stateFrame > 0 ? b.stateFrame : StripButtonFrame(*b.data, scene.active));
  }
  return strip;
}

QImage ComposeFrame(const TFrameScene& scene, const TSkinElements& e, QImage* stripOut) {
  const int W = scene.size.width(), H = scene.size.height();
  const TFrameMetrics& m = scene.metrics;
  if (W <= 0 || H <= 0) return {};
  QImage frame(W, H, QImage::Format_ARGB32_Premultiplied);
  frame.fill(Qt::transparent);
  TFrameScene laid = scene;
  const TCaptionTextLayout text = LayoutCaption(laid, e);
  QPainter p(&frame);
  Put(p, {0, 0}, ComposeBorder(e.FrameLeft, {m.L, H}, false, scene.active));
  Put(p, {W - m.R, 0}, ComposeBorder(e.FrameRight, {m.R, H}, false, scene.active));
  Put(p, {m.L, H - m.B}, ComposeBorder(e.FrameBottom, {W - m.L - m.R, m.B}, true, scene.active));
  const QImage strip = ComposeCaptionStrip(laid, e, text);
  if (!strip.isNull()) {
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, strip);
  }
  if (stripOut) *stripOut = strip;
  return frame;
}

}  // namespace skin
