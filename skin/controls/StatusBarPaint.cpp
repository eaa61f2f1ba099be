#include "skin/controls/StatusBarPaint.h"

#include <QFontMetrics>
#include <QPainter>

#include "skin/controls/SkinPaint.h"

namespace skin {

namespace {

constexpr int kStatusTextFlags = Qt::TextSingleLine | Qt::TextExpandTabs;

void DrawStatusText(QPainter& p, const QRect& rect, const QString& text, toolkit::TAlignment alignment,
                    bool rightToLeft) {
  if (text.isEmpty()) return;
  p.save();
  p.setClipRect(rect);
  p.drawText(StatusTextRect(p.fontMetrics(), rect, text, alignment, rightToLeft), kStatusTextFlags, text);
  p.restore();
}

}  // namespace

int StatusPanelFrameIndex(toolkit::TStatusPanelBevel bevel) {
  switch (bevel) {
    case toolkit::pbRaised: return 2;
    case toolkit::pbNone: return 3;
    case toolkit::pbLowered: break;
  }
  return 1;
}

QRect StatusTextRect(const QFontMetrics& fm, const QRect& rect, const QString& text, toolkit::TAlignment alignment,
                     bool rightToLeft) {
  const QRect inner = rect.adjusted(2, 2, -2, -2);
  const QRect measured = fm.boundingRect(QRect(0, 0, 0, 0), kStatusTextFlags, text);
  toolkit::TAlignment a = alignment;
  if (rightToLeft && a == toolkit::taLeftJustify) a = toolkit::taRightJustify;
  else if (rightToLeft && a == toolkit::taRightJustify) a = toolkit::taLeftJustify;
  int x = inner.left();
  if (a == toolkit::taCenter) x = inner.left() + (inner.width() - measured.width()) / 2;
  if (a == toolkit::taRightJustify) x = inner.left() + inner.width() - measured.width();
  return QRect(x, inner.top() + (inner.height() - measured.height()) / 2, measured.width(), measured.height());
}

QRect StatusGripRect(const TSkinElements& e, const QSize& size) {
  if (!e.ExtraImages || e.ExtraImages->Image.isNull()) return {};
  const QRect cell = FrameRect(e.ExtraImages->Image, false, 5, 5);
  return QRect(size.width() - cell.width(), size.height() - cell.height(), cell.width(), cell.height());
}

void PaintStatusBar(QImage& work, const TSkinElements& e, const TStatusBarLook& look, TPartCache* cache) {
  QPainter p(&work);
  const QRect all(QPoint(0, 0), look.size);
  FillButtonFace(p, all, e);
  p.setFont(look.font);
  const TDataSkinObject* edges = e.StatusBarEdges && !e.StatusBarEdges->Image.isNull() ? e.StatusBarEdges.get() : nullptr;
  QColor ink = SkinColour(edges ? edges->NormalColour2 : e.Colours.ButtonText);
  if (!look.enabled) ink = platform::ToQColor(platform::clBtnShadow);
  p.setPen(ink);
  if (look.simple || look.panels.empty()) {
    if (edges)
      TPartCache::Put(cache, p, 0, all, 1, edges->Image,
                      [&](QPainter& dc, const QRect& r) { DrawElement(dc, r, 3, 1, *edges); });
    DrawStatusText(p, all, look.simpleText, toolkit::taLeftJustify, false);
  } else {
    int id = 0;
    for (const TStatusPanelLook& panel : look.panels) {
      const int frame = StatusPanelFrameIndex(panel.bevel);
      if (edges)
        TPartCache::Put(cache, p, ++id, panel.rect, frame, edges->Image,
                        [&](QPainter& dc, const QRect& r) { DrawElement(dc, r, 3, frame, *edges); });
      p.setPen(ink);
      DrawStatusText(p, panel.rect, panel.text, panel.alignment, panel.rightToLeft);
    }
  }
  if (look.sizeGrip) {
    const QRect grip = StatusGripRect(e, look.size);
    if (!grip.isEmpty()) DrawFrameStretched(p, grip, e.ExtraImages->Image, true, 5, 5);
  }
}

TStatusBarLook StatusBarLookOf(const toolkit::TStatusBar& bar) {
  TStatusBarLook look;
  look.size = bar.size();
  look.simple = bar.SimplePanel();
  look.simpleText = bar.SimpleText();
  look.sizeGrip = bar.SizeGrip();
  look.enabled = bar.isEnabled();
  look.font = bar.font();
  const bool rtl = bar.layoutDirection() == Qt::RightToLeft;
  for (int i = 0; i < bar.PanelCount(); ++i) {
    const toolkit::TStatusPanel& panel = bar.Panel(i);
    look.panels.push_back({bar.PanelRect(i), panel.Text, panel.Alignment, panel.Bevel, rtl});
  }
  return look;
}

}  // namespace skin
