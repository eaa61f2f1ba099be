#include "skin/controls/ButtonPaint.h"

#include <QFontMetrics>
#include <QPainter>

#include "skin/controls/SkinPaint.h"

namespace skin {

int PushButtonFrameIndex(const TPushButtonLook& look) {
  if (!look.enabled) return 3;
  if (look.pressed) return 2;
  if (look.hot) return 4;
  if (look.isDefault) return 5;
  if (look.focused) return 4;
  return 1;
}

QString PushButtonCaptionText(const QString& caption) {
  QString text = caption;
  text.replace(QStringLiteral("||"), QStringLiteral("\n"));
  return text;
}

QRect PushButtonCaptionRect(const QFontMetrics& fm, const QRect& rect, const QString& caption) {
  return fm.boundingRect(rect, kPushButtonTextFlags, PushButtonCaptionText(caption));
}

QColor PushButtonCaptionColour(const TSkinElements& e, int index, bool foreign, const QColor& fontColour) {
  const TDataSkinButton& b = e.Buttons;
  if (foreign) {
    if (index == 3) return QColor(0x80, 0x80, 0x80);
    if (index == 1) return SkinColour(b.NormalColour2);
    if (index == 4) return SkinColour(b.MouseOverColour2);
    if (index == 2) return SkinColour(b.PressedColour2);
    return SkinColour(e.Colours.ButtonText);
  }
  if (index == 3) return platform::ToQColor(platform::clBtnShadow);
  if (index == 1 && b.HasNormalColour2) return SkinColour(b.NormalColour2);
  if (index == 4 && b.HasMouseOverColour2) return SkinColour(b.MouseOverColour2);
  if (index == 2 && b.HasPressedColour2) return SkinColour(b.PressedColour2);
  // A skin that colours the windows' contents itself (light text on dark
  // faces) gives the default frame its button text: the application's own
  // colour was chosen for light faces.
  if (index == 5 && e.Colours.Window != platform::clNone) return SkinColour(e.Colours.ButtonText);
  return fontColour;
}

void PaintPushButtonFace(QImage& work, const TSkinElements& e, int index, TPartCache* cache) {
  QPainter p(&work);
  TPartCache::Put(cache, p, 1, work.rect(), index, e.Buttons.Image, [&](QPainter& dc, const QRect& r) {
    FillButtonFace(dc, r, e);
    DrawElement(dc, r, 5, index, e.Buttons);
  });
}

void PaintPushButton(QImage& work, const TSkinElements& e, int index, const QString& caption, const QFont& font,
                     const QColor& colour, TPartCache* cache) {
  PaintPushButtonFace(work, e, index, cache);
  QPainter p(&work);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(work.rect(), kPushButtonTextFlags, PushButtonCaptionText(caption));
}

int CheckStateFromText(const QString& state) {
  const QString s = state.toLower();
  if (s.contains(QLatin1String("uncheck"))) return 1;
  if (s.contains(QLatin1String("check"))) return 2;
  if (s.contains(QLatin1String("gray"))) return 4;
  return 0;
}

namespace {

int Remap12(int d) {
  switch (d) {
    case 2: return 5;
    case 3: return 4;
    case 4: return 8;
    default: return d;
  }
}

}  // namespace

int CheckBoxFrameIndex(int c, bool indeterminate, bool enabled, int frameCount) {
  if (indeterminate && frameCount == 12) return enabled ? 9 : 12;
  int d = c;
  if (indeterminate) d = 4;
  // A grayed state has no disabled frame of its own: it keeps frame 4.
  else if (!enabled && c < 4) d = c + 2;
  return frameCount == 12 ? Remap12(d) : d;
}

int RadioButtonFrameIndex(int c, bool enabled, int frameCount) {
  const int d = enabled ? c : c + 2;
  return frameCount == 12 ? Remap12(d) : d;
}

QRect ToggleGlyphRect(const QRect& rect, int w, int h, bool leftText) {
  const int top = rect.top() + (rect.height() - h) / 2;
  const int right = rect.left() + rect.width();
  if (leftText) {
    int edge = right - 1;
    if (w < 16) {
      edge = right - (15 - w) / 2;
      if (w % 2 == 0) --edge;
    }
    return QRect(edge - w, top, w, h);
  }
  int left = rect.left() + 2;
  if (w < 15) left = rect.left() + 1 + (14 - w) / 2 + (w % 2 != 0 ? 1 : 0);
  return QRect(left, top, w, h);
}

QRect ToggleClearRect(const QRect& rect, bool leftText) {
  if (leftText) return QRect(rect.left() + rect.width() - 18, rect.top(), 18, rect.height());
  return QRect(rect.left(), rect.top(), 16, rect.height());
}

void PaintToggleGlyph(QPainter& dc, const QRect& rect, const QImage& image, int frameCount, int index, bool leftText,
                      const QColor& clear) {
  const int n = frameCount < 1 ? 1 : frameCount;
  const int w = image.width() / n, h = image.height();
  dc.fillRect(ToggleClearRect(rect, leftText), clear);
  DrawFrameStretched(dc, ToggleGlyphRect(rect, w, h, leftText), image, true, n, index);
}

}  // namespace skin
