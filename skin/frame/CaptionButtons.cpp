#include "skin/frame/CaptionButtons.h"

#include <QPainter>
#include <QWidget>

#include "platform/Color.h"
#include "skin/core/SkinElements.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/FramePaint.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

bool VisibilityRuleA(int v, int action, const TCaptionContext& c, int index) {
  switch (v) {
    case 0: return action != 0 || c.caps.SystemMenu;
    case 1: return c.maximized;
    case 2: return !c.maximized;
    case 3: return c.active;
    case 4: return !c.active;
    case 6: return c.caps.Maximize && c.caps.SystemMenu;
    case 7: return !c.caps.Maximize;
    case 8: return c.caps.Minimize && c.caps.SystemMenu;
    case 9: return !c.caps.Minimize;
    case 100: return c.mdiChildMaximized && c.M > 0;
    case 200: return c.kind == fkDialog && !c.dialogClass;
    default: break;
  }
  if (v >= 201 && v <= 999) return true;
  if (v >= 1000 && v <= 2000) return c.askWindow ? c.askWindow(index) : false;
  return false;
}

bool VisibilityRuleB(int v1, bool ruleA, const TCaptionContext& c) {
  switch (v1) {
    case 0: return true;
    case 1: return c.maximized;
    case 2: return !c.maximized;
    case 3: return c.active;
    case 4: return !c.active;
    case 6: return c.caps.Maximize;
    case 7: return !c.caps.Maximize;
    case 8: return c.caps.Minimize;
    case 9: return !c.caps.Minimize;
    case 100: return ruleA;
    default: return false;
  }
}

bool VisibilityRuleC(int action, const TCaptionContext& c) {
  switch (action) {
    case 1: return c.caps.Maximize;
    case 2: return c.caps.Minimize;
    case 3:
    case 11:
    case 12: return c.kind != fkDialog;
    default: return true;
  }
}

bool IsCaptionButtonVisible(const TDataSkinSysButton& b, int index, const TCaptionContext& c) {
  const bool a = VisibilityRuleA(b.Visibility, b.Action, c, index);
  return a && VisibilityRuleB(b.Visibility1, a, c) && VisibilityRuleC(b.Action, c);
}

QRect CaptionButtonRect(const TDataSkinSysButton& b, int W, int textLeft, int textRight, const TFrameMetrics& m,
                        int menuItemLeftMargin, bool hasMenuItem, bool rightToLeft) {
  const int frames = std::max(1, b.FrameCount);
  const QSize size(b.Image.isNull() ? 0 : b.Image.width() / frames, b.Image.height());
  QPoint at(b.Xcoord, b.Ycoord);
  switch (b.Align) {
    case 1: at = {W - b.Xcoord, b.Ycoord}; break;
    case 2:
    case 8: at = {textLeft - size.width() - b.Xcoord, b.Ycoord}; break;
    case 3:
    case 9: at = {textRight + b.Xcoord, b.Ycoord}; break;
    case 100: {
      const int margin = hasMenuItem ? menuItemLeftMargin : 0;
      const int y = m.T + (m.M - size.height()) / 2;
      at = rightToLeft ? QPoint(b.Xcoord + m.L + margin, y) : QPoint(W - b.Xcoord - m.R - margin, y);
      break;
    }
    default: break;
  }
  return {at, size};
}

int StripButtonFrame(const TDataSkinSysButton& b, bool active) { return !active && b.FrameCount >= 4 ? 4 : 1; }

int StateButtonFrame(const TDataSkinSysButton& b, int state) {
  if (state == ncsOver && b.Visibility == 100) return 4;
  return state;
}

TWinSysButton::TWinSysButton(TWinSkinForm* owner, TSkinData* data, int index)
    : TNCObject(owner), data_(data), index_(index), generation_(data ? data->Generation() : -1) {}

const TDataSkinSysButton* TWinSysButton::Data() const {
  if (!data_ || data_->Generation() != generation_) return nullptr;
  const auto& list = data_->Elements().SysButtons;
  if (index_ < 0 || index_ >= static_cast<int>(list.size())) return nullptr;
  return list[static_cast<size_t>(index_)].get();
}

int TWinSysButton::Action() const {
  const TDataSkinSysButton* b = Data();
  return b ? b->Action : -1;
}

void TWinSysButton::Paint(QPainter* dc) {
  const TDataSkinSysButton* b = Data();
  TWinSkinForm* frame = Owner();
  if (!b || !frame || !frame->Handle() || Rect.isEmpty()) return;
  if (!dc) {
    // Outside a paint event: the frame repaints this rectangle, and the frame's
    // painter draws the button in its state then.
    frame->Handle()->update(Rect);
    return;
  }
  const bool icon = b->Action == 3 || b->Action == 11;
  QImage img(Rect.size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  TCaptionButtonPaint paint{b, QRect(QPoint(0, 0), Rect.size()), true, icon};
  DrawCaptionButton(img, paint, frame->AppIconImage(), StateButtonFrame(*b, State));
  dc->drawImage(Rect.topLeft(), img);
}

}  // namespace skin
