#include "controls/outbar/ItemLayout.h"

#include <algorithm>

namespace outbar {

TRect ApplyCaptionRule(const LayoutParams& lp, TRect r, const QString& caption, const WrapFunction& wrap) {
  const int cw = lp.clientWidth, l = lp.lineHeight;
  TRect t = lp.style == vsIcon ? TRect{10, r.bottom, cw - 10, r.bottom + lp.wrapLineCount * l}
                               : TRect{r.left + 3, r.top, cw - 10, r.top + lp.wrapLineCount * l};
  const WrapResult m = wrap(caption, t.Width());
  TRect tp{t.left, t.top, t.left + m.width, t.top + m.lines * l};
  tp.bottom = std::min(tp.bottom, t.bottom);
  if (lp.style == vsIcon) tp = CenterRectHorz(tp, t);
  r.bottom = tp.bottom;
  if (lp.style == vsIcon) r.left = std::max(r.left, 10);
  r.right = std::min(r.right, cw - 10);
  r.left = std::min(r.left, tp.left);
  r.right = std::max(r.right, tp.right);
  return r;
}

ItemBoxes ComputeItemBoxes(const LayoutParams& lp, const QString& caption, int captionAdvance, int px, int py,
                           const WrapFunction& wrap) {
  const int iw = lp.imageSize.isEmpty() ? 0 : lp.imageSize.width();
  const int ih = lp.imageSize.isEmpty() ? 0 : lp.imageSize.height();
  const TRect icon{px, py, px + iw, py + ih};
  const int captionWidth = captionAdvance + 2 * ItemMetrics::kCaptionMargin;
  TRect text;
  if (lp.style == vsSmallIcon) {
    const int left = px + iw + (iw > 0 ? ItemMetrics::kSmallIconGap : 0);
    text = {left, py, left + captionWidth, py + lp.lineHeight};
  } else {
    const int top = py + ih + (ih > 0 ? ItemMetrics::kLargeIconGap : 0);
    const int left = px + (iw - captionWidth) / 2;
    text = {left, top, left + captionWidth, top + lp.lineHeight};
  }
  TRect bounds{std::min(icon.left, text.left), std::min(icon.top, text.top), std::max(icon.right, text.right),
               std::max(icon.bottom, text.bottom)};
  if (iw == 0 && ih == 0) bounds = text;
  if (lp.style == vsIcon)
    bounds.bottom = icon.bottom + 2;
  else
    bounds.left = icon.left + 2;
  ItemBoxes boxes;
  boxes.icon = icon;
  boxes.bounds = ApplyCaptionRule(lp, bounds, caption, wrap);
  TRect label = text;
  label.bottom = label.top;
  boxes.label = ApplyCaptionRule(lp, label, caption, wrap);
  return boxes;
}

int ArrangedItemX(const LayoutParams& lp) {
  // vsSmallIcon: the bounds' left (image left + 2) lands at 7; vsIcon: the
  // image box is centred.
  if (lp.style == vsSmallIcon) return 5;
  const int iw = lp.imageSize.isEmpty() ? 0 : lp.imageSize.width();
  return (lp.clientWidth - iw) / 2;
}

TRect FrameRect(const FrameParams& fp, const ItemBoxes& boxes) {
  TRect f;
  if (fp.selectionType == stExpanded) {
    f = boxes.bounds;
  } else {
    f = boxes.icon;
    if (fp.style == vsIcon) {
      const int iw = fp.imageSize.isEmpty() ? 0 : fp.imageSize.width();
      const int ih = fp.imageSize.isEmpty() ? 0 : fp.imageSize.height();
      const int dx = (f.Width() - iw) / 2 - 1, dy = (f.Height() - ih) / 2 - 1;
      f = {f.left + dx, f.top + dy, f.right - dx, f.bottom - dy};
    }
  }
  if (fp.selectionType == stExpanded && fp.dragEnabled && fp.style == vsSmallIcon) {
    f.top -= 2;
    f.bottom += 2;
  }
  if (fp.selectionType == stStandard && fp.style == vsSmallIcon) f = {f.left - 2, f.top - 2, f.right + 1, f.bottom + 1};
  if (fp.selectionType == stExpanded) {
    if (!fp.dragEnabled) {
      f.top -= fp.halfSpace;
      f.bottom += 2 * fp.topPad + fp.halfSpace - 1;
    }
    f.left = 0;
    f.right = fp.clientWidth - 1;
  }
  return f;
}

bool HitsItem(const FrameParams& fp, const ItemBoxes& boxes, int x, int y) {
  TRect i = boxes.icon, lb = boxes.label;
  if (fp.selectionType == stExpanded) {
    if (!fp.dragEnabled) {
      i.top -= fp.halfSpace;
      lb.bottom += 2 * fp.topPad + fp.halfSpace;
    }
    return i.top <= y && y < lb.bottom;
  }
  return i.Contains(x, y) || lb.Contains(x, y) || (lb.left <= x && x < lb.right && i.bottom <= y && y < lb.top);
}

bool IsItemVisible(const TRect& b, int topPad, int halfSpace, int itemSpace, int clientHeight, bool partialOK) {
  const int s = b.Height() + 2 * topPad;
  if (b.top == halfSpace && clientHeight <= itemSpace + s) return true;
  if (b.top < halfSpace) return false;
  if (clientHeight < b.bottom) return false;
  if (partialOK && b.bottom < clientHeight) return true;
  return b.bottom + halfSpace < clientHeight;
}

ScrollButtonPlaces PlaceScrollButtons(int clientWidth, int clientHeight, QSize down, QSize up, TScrollButtonsPos pos) {
  ScrollButtonPlaces places;
  places.roomy = clientHeight >= down.height() + up.height() + 10;
  places.down = QPoint(clientWidth - down.width() - 5,
                       pos == spTop ? up.height() + 10 : clientHeight - down.height() - 5);
  places.up = QPoint(clientWidth - up.width() - 5,
                     pos == spBottom ? clientHeight - down.height() - 10 - up.height() : 5);
  return places;
}

int WheelSteps(int& remainder, int delta, int linesPerNotch) {
  remainder += delta;
  int k = 0;
  if (remainder >= 120 || remainder <= -120) {
    k = (remainder / -120) * linesPerNotch;
    remainder -= (remainder / 120) * 120;
  }
  return k;
}

DropMark ComputeDropMark(int k, int count, int stepsBefore, int scrollY, int topPad, int clientHeight, TViewStyle style,
                         TSelectionType selectionType) {
  DropMark m;
  int y = stepsBefore - scrollY;
  if (k != 0 && y > 0) y -= topPad;
  y = std::min(y, clientHeight - 2);
  m.y = y;
  m.c = (style == vsSmallIcon && selectionType == stExpanded) ? 1 : 4;
  m.top = y - m.c;
  m.bottom = y + m.c;
  if (k == 0 || count == 0) m.top = y;
  if (k == count) m.bottom = y;
  return m;
}

}  // namespace outbar
