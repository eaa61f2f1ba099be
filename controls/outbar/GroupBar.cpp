#include "controls/outbar/GroupBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/VertListView.h"
#include "platform/Edges.h"
#include "platform/PointerPixel.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Exception.h"

namespace outbar {
namespace {

// Paints a prepared frame image over a band of the bar during the switch animation.
class AnimationSurface : public QWidget {
 public:
  AnimationSurface(QWidget* parent, const QImage& screen) : QWidget(parent), screen_(screen) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  QImage& Screen() { return screen_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, screen_);
  }

 private:
  QImage screen_;
};

}  // namespace

TCustomDCGroupBar::TCustomDCGroupBar(QWidget* parent) : QWidget(parent) {
  resize(150, 200);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  hoverPoll_.setInterval(100);
  connect(&hoverPoll_, &QTimer::timeout, this, [this] { HoverPoll(); });
  dragOverTimer_.setInterval(500);
  connect(&dragOverTimer_, &QTimer::timeout, this, [this] { DragOverTimer(); });
}

TCustomDCGroupBar::~TCustomDCGroupBar() {
  // The groups go first, while the bar is still whole.
  destroying_ = true;
  while (!groups_.empty()) delete groups_.back();
}

TDCOutBarGroup* TCustomDCGroupBar::Group(int index) const {
  if (index < 0 || index >= GroupCount()) return nullptr;
  return groups_[static_cast<size_t>(index)];
}

int TCustomDCGroupBar::IndexOfGroup(const TDCOutBarGroup* group) const {
  for (int i = 0; i < GroupCount(); ++i)
    if (groups_[static_cast<size_t>(i)] == group) return i;
  return -1;
}

// ---------------------------------------------------------------- properties

void TCustomDCGroupBar::SetBorderStyle(TBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RealignActiveGroup();
  if (TDCOutBarGroup* g = ActiveGroup()) g->update();
}

void TCustomDCGroupBar::SetCtl3D(bool v) {
  if (v == ctl3D_) return;
  ctl3D_ = v;
  RealignActiveGroup();
  if (TDCOutBarGroup* g = ActiveGroup()) g->update();
}

void TCustomDCGroupBar::SetFlatGroups(bool v) {
  if (v == flatGroups_) return;
  flatGroups_ = v;
  update();
}

void TCustomDCGroupBar::SetHotTrack(bool v) {
  if (v == hotTrack_) return;
  hotTrack_ = v;
  update();
}

void TCustomDCGroupBar::SetButtonSpace(int v) {
  if (v < 0) throw toolkit::EInvalidOperation(QStringLiteral("Invalid property value"));
  if (v == buttonSpace_) return;
  buttonSpace_ = v;
  RealignActiveGroup();
}

void TCustomDCGroupBar::SetHotColor(platform::TColor v) {
  if (v == hotColor_) return;
  hotColor_ = v;
  update();
}

void TCustomDCGroupBar::SetFrequency(int v) {
  if (v < 0) return;
  frequency_ = v;
}

void TCustomDCGroupBar::SetButtonSpaceColor(platform::TColor v) {
  if (v == buttonSpaceColor_) return;
  buttonSpaceColor_ = v;
  update();
}

void TCustomDCGroupBar::SetColor(platform::TColor v) {
  if (v == color_) return;
  color_ = v;
  update();
}

// ---------------------------------------------------------------- geometry

TRect TCustomDCGroupBar::InnerRect() const {
  TRect r{0, 0, width(), height()};
  if (borderStyle_ == bsSingle) r = r.Inflate(-1, -1);
  return r;
}

GroupBarLayout TCustomDCGroupBar::Layout() const {
  GroupBarLayout l;
  l.inner = InnerRect();
  l.active = active_ >= 0 ? active_ : -1;
  l.buttonSpace = buttonSpace_;
  for (const TDCOutBarGroup* g : groups_)
    l.heights.push_back(HeaderSlot(g->CaptionAutoSize(), g->FontHeight(), g->CaptionHeight(), buttonSpace_));
  return l;
}

TRect TCustomDCGroupBar::GetGroupClientRect() const { return GroupPageRect(Layout()); }

TRect TCustomDCGroupBar::GetGroupButtonRect(int index) const {
  if (index < 0 || index >= GroupCount()) return {};
  return GroupButtonRect(Layout(), index);
}

int TCustomDCGroupBar::GetGroupAt(int x, int y) const { return GroupAt(Layout(), x, y); }

void TCustomDCGroupBar::RealignActiveGroup() {
  if (TDCOutBarGroup* g = ActiveGroup()) {
    placing_ = true;
    g->setGeometry(GetGroupClientRect().ToQRect());
    placing_ = false;
  }
  update();
}

void TCustomDCGroupBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RealignActiveGroup();
}

void TCustomDCGroupBar::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) RealignActiveGroup();
}

// ---------------------------------------------------------------- groups

TDCOutBarGroup* TCustomDCGroupBar::AddGroup() {
  auto* group = new TDCOutBarGroup(this);
  // The first free default caption.
  QString caption = QStringLiteral("New Group");
  for (int k = 1;; ++k) {
    bool taken = false;
    for (const TDCOutBarGroup* g : groups_) taken = taken || g->Caption() == caption;
    if (!taken) break;
    caption = QStringLiteral("New Group") + QString::number(k);
  }
  group->caption_ = caption;
  group->bar_ = this;
  groups_.push_back(group);
  GroupAttached(group);
  if (active_ < 0 && !loading_) SetActiveGroupIndex(GroupCount() - 1);
  RealignActiveGroup();
  return group;
}

void TCustomDCGroupBar::AttachGroup(TDCOutBarGroup* group) {
  group->setParent(this);
  group->bar_ = this;
  groups_.push_back(group);
  GroupAttached(group);
  if (!loading_) SetActiveGroupIndex(GroupCount() - 1);
  RealignActiveGroup();
}

void TCustomDCGroupBar::RemoveGroup(TDCOutBarGroup* group) {
  const int index = IndexOfGroup(group);
  if (index < 0) return;
  if (destroying_ || GroupCount() < 2) {
    active_ = -1;
    groups_.erase(groups_.begin() + index);
    group->bar_ = nullptr;
    update();
    return;
  }
  const int next = index < GroupCount() - 1 ? index + 1 : index - 1;
  const int before = active_;
  SwitchTo(next, false);
  // A refused switch must not leave the removed group open.
  if (active_ == index && before == index) SwitchTo(next, true);
  DoChange();
  if (index < active_) --active_;
  groups_.erase(groups_.begin() + index);
  group->bar_ = nullptr;
  if (!groups_.empty()) RealignActiveGroup();
}

void TCustomDCGroupBar::Loaded() {
  loading_ = false;
  if (streamed_ >= 0) {
    const int v = streamed_;
    streamed_ = -1;
    applyingStreamed_ = true;
    try {
      SetActiveGroupIndex(v);
    } catch (...) {
      applyingStreamed_ = false;
      throw;
    }
    applyingStreamed_ = false;
  }
}

// ---------------------------------------------------------------- switching

void TCustomDCGroupBar::SetActiveGroupIndex(int v) { SwitchTo(v, false); }

void TCustomDCGroupBar::SwitchTo(int v, bool force) {
  if (v == active_ || v < 0) return;
  if (loading_) {
    streamed_ = v;
    return;
  }
  const int n = GroupCount();
  if (v >= n)
    throw toolkit::EInvalidOperation(
        QStringLiteral("Invalid ActiveGroupIndex value. Value must be between %1 and %2").arg(0).arg(n - 1));
  TDCOutBarGroup* newGroup = groups_[static_cast<size_t>(v)];
  if (!force && !newGroup->isEnabled()) return;
  if (!force && !applyingStreamed_ && !DoChanging(newGroup)) return;
  TDCOutBarGroup* oldGroup = Group(active_);
  const TRect oldPage = GetGroupClientRect();
  const bool movingDown = v > active_;
  active_ = v;
  const TRect newPage = GetGroupClientRect();
  if (frequency_ >= 2 && oldGroup && isVisible() && !newPage.IsEmpty())
    Animate(newGroup, oldPage, newPage, movingDown);
  PlaceGroups(oldGroup, newGroup, newPage);
  DoChange();
  if (TDCVertListView* list = newGroup->findChild<TDCVertListView*>(QString(), Qt::FindDirectChildrenOnly);
      list && list->isVisible())
    list->setFocus();
}

void TCustomDCGroupBar::PlaceGroups(TDCOutBarGroup* oldGroup, TDCOutBarGroup* newGroup, const TRect& newPage) {
  placing_ = true;
  if (oldGroup && oldGroup != newGroup) {
    oldGroup->setGeometry(newPage.left, newPage.top, newPage.Width(), 0);
    oldGroup->hide();
  }
  newGroup->setGeometry(newPage.ToQRect());
  newGroup->show();
  placing_ = false;
  update();
}

void TCustomDCGroupBar::Animate(TDCOutBarGroup* newGroup, const TRect& oldPage, const TRect& newPage,
                                bool movingDown) {
  const AnimationPlan plan =
      PlanAnimation(oldPage, newPage, movingDown, active_ == GroupCount() - 1, frequency_);
  const TRect band = plan.band;
  const int w = band.Width(), h = plan.bandRows, n = plan.newPageRows;
  if (w <= 0 || band.Height() <= 0 || n <= 0) return;
  QImage image(w, plan.imageHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(platform::ToQColor(color_));
  // The new group paints itself out of sight, into the image.
  const int screenWidth = screen() ? screen()->geometry().width() : 4096;
  placing_ = true;
  newGroup->setGeometry(newPage.ToQRect().translated(screenWidth, 0));
  newGroup->show();
  placing_ = false;
  const QImage newPicture = newGroup->grab(QRect(0, 0, w, n)).toImage();
  const QImage onScreen = grab(band.ToQRect()).toImage();
  {
    QPainter p(&image);
    if (movingDown) {
      p.drawImage(QPoint(0, 0), onScreen, QRect(0, 0, w, h));
      p.drawImage(QPoint(0, h), newPicture);
    } else {
      p.drawImage(QPoint(0, 0), newPicture);
      p.drawImage(QPoint(0, n), onScreen, QRect(0, 0, w, h));
    }
  }
  placing_ = true;
  newGroup->setGeometry(newPage.ToQRect());
  placing_ = false;

  auto* surface = new AnimationSurface(this, onScreen);
  surface->setGeometry(band.ToQRect());
  surface->show();
  surface->raise();
  lastAnimation_ = plan.offsets;
  for (const auto& frame : plan.frames) {
    {
      QPainter p(&surface->Screen());
      for (const AnimationCopy& c : frame) {
        if (c.rows <= 0) continue;
        p.drawImage(QPoint(0, c.screenRow - band.top), image, QRect(0, c.sourceRow, w, c.rows));
      }
    }
    surface->repaint();
  }
  delete surface;
  if (TDCVertListView* list = newGroup->findChild<TDCVertListView*>(QString(), Qt::FindDirectChildrenOnly))
    list->update();
  update();
}

// ---------------------------------------------------------------- events

bool TCustomDCGroupBar::DoGroupDraw(TDCOutBarGroup* group, const QRect& rect) {
  bool ownerDraw = false;
  toolkit::Raise(OnGroupDraw, this, group, rect, ownerDraw);
  return ownerDraw;
}

void TCustomDCGroupBar::DoGroupCaptionChanged(TDCOutBarGroup* group) {
  toolkit::Raise(OnGroupCaptionChanged, this, group);
}

bool TCustomDCGroupBar::DoGroupCaptionChanging(TDCOutBarGroup* group, const QString& newCaption) {
  bool canChange = true;
  toolkit::Raise(OnGroupCaptionChanging, this, group, newCaption, canChange);
  return canChange;
}

void TCustomDCGroupBar::DoChange() { toolkit::Raise(OnChange, this); }

bool TCustomDCGroupBar::DoChanging(TDCOutBarGroup* newGroup) {
  bool allow = true;
  toolkit::Raise(OnChanging, this, newGroup, allow);
  return allow;
}

// ---------------------------------------------------------------- painting

void TCustomDCGroupBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TRect page = GetGroupClientRect();
  if (borderStyle_ == bsSingle) {
    QRect r = rect();
    platform::DrawEdge(p, r, platform::BDR_SUNKENOUTER, platform::BF_RECT | (ctl3D_ ? 0u : platform::BF_FLAT));
  }
  if (active_ >= 0) {
    if (ctl3D_ && borderStyle_ == bsSingle)
      LineTo(p, page.left - 1, page.bottom - 1, page.left - 1, page.top, Qt::black);
  } else {
    p.fillRect(page.ToQRect(), platform::ToQColor(color_));
  }
  for (int i = 0; i < GroupCount(); ++i) PaintGroupButton(p, i);
}

void TCustomDCGroupBar::SetDisplayText(toolkit::TDisplayText display) {
  display_ = std::move(display);
  update();
}

QString TCustomDCGroupBar::ShownCaption(const TDCOutBarGroup* group) const {
  return group ? toolkit::ShownText(display_, group->Caption()) : QString();
}

void TCustomDCGroupBar::PaintGroupButton(QPainter& p, int i) {
  TDCOutBarGroup* group = Group(i);
  if (!group) return;
  const TRect b = GetGroupButtonRect(i);
  if (DoGroupDraw(group, b.ToQRect())) return;
  const bool pressed = pressedLook_ && pressed_ == i;
  QRect edge = b.ToQRect();
  if (pressed)
    platform::DrawEdge(p, edge, platform::BDR_SUNKENOUTER | platform::BDR_RAISEDINNER, platform::BF_RECT);
  else
    platform::DrawEdge(p, edge, platform::BDR_RAISEDINNER, platform::BF_RECT);
  const TRect r = b.Inflate(-1, -1);
  platform::TColor captionColor = group->FontColor();
  if (i == hot_ && hotTrack_) captionColor = hotColor_;
  const QColor black(0, 0, 0), grey(128, 128, 128);
  TRect face = r;
  if (pressed) {
    LineTo(p, r.left - 2, r.bottom, r.left - 2, r.top - 1, black);
    LineTo(p, r.left - 2, r.top - 1, r.right + 1, r.top - 1, black);
    LineTo(p, r.left - 1, r.bottom - 1, r.left - 1, r.top, grey);
    LineTo(p, r.left - 1, r.top, r.right, r.top, grey);
    face.top += 1;
  } else if (!flatGroups_ || i == hot_) {
    LineTo(p, r.left - 2, r.bottom, r.left - 2, r.top - 1, grey);
    LineTo(p, r.left - 1, r.bottom, r.right, r.bottom, black);
    LineTo(p, r.right, r.bottom, r.right, r.top - 2, black);
    LineTo(p, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, grey);
    LineTo(p, r.right - 1, r.bottom - 1, r.right - 1, r.top - 1, grey);
    face.right -= 1;
    face.bottom -= 1;
  } else if (i == active_) {
    LineTo(p, r.left - 2, r.bottom, r.right + 1, r.bottom, black);
  }
  p.fillRect(face.ToQRect(), platform::ToQColor(group->Color()));
  const bool enabled = group->isEnabled() || loading_;
  p.setPen(platform::ToQColor(enabled ? captionColor : platform::clGrayText));
  p.setFont(group->font());
  const TRect textRect = pressed ? r.Offset(1, 1) : r;
  Qt::Alignment align = Qt::AlignVCenter;
  switch (group->CaptionAlignment()) {
    case toolkit::taLeftJustify: align |= Qt::AlignLeft; break;
    case toolkit::taRightJustify: align |= Qt::AlignRight; break;
    case toolkit::taCenter: align |= Qt::AlignHCenter; break;
  }
  const QString caption = toolkit::ShownText(display_, group->Caption());
  const QString text = p.fontMetrics().elidedText(caption, Qt::ElideRight, std::max(0, textRect.Width()));
  p.drawText(textRect.ToQRect(), static_cast<int>(align) | Qt::TextSingleLine, text);
  // The gap below the button.
  const bool lastBelowPage = i == GroupCount() - 1 && i > active_ && active_ >= 0;
  if (i != active_ && !lastBelowPage) {
    p.fillRect(TRect{b.left - 1, b.bottom, b.right, b.bottom + buttonSpace_}.ToQRect(),
               platform::ToQColor(buttonSpaceColor_));
  } else if (i == active_ && borderStyle_ == bsSingle && ctl3D_) {
    LineTo(p, b.left - 1, b.bottom, b.left - 1, b.bottom + buttonSpace_, black);
  }
}

void TCustomDCGroupBar::InvalidateButton(int index) {
  if (index < 0 || index >= GroupCount()) return;
  const TRect b = GetGroupButtonRect(index);
  update(TRect{b.left - 2, b.top - 2, b.right + 2, b.bottom + buttonSpace_ + 2}.ToQRect());
}

// ---------------------------------------------------------------- pointer

void TCustomDCGroupBar::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  if (event->button() == Qt::LeftButton) {
    const int j = GetGroupAt(pos.x(), pos.y());
    if (j >= 0 && Group(j)->isEnabled()) {
      pressed_ = j;
      pressedLook_ = true;
      InvalidateButton(j);
    } else {
      pressedLook_ = false;
    }
  }
  toolkit::Raise(OnMouseDown, this, event->button(), 0, pos.x(), pos.y());
}

void TCustomDCGroupBar::mouseDoubleClickEvent(QMouseEvent* event) {
  // A fast second click is an ordinary click.
  mousePressEvent(event);
}

void TCustomDCGroupBar::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  if (event->buttons() & Qt::LeftButton) {
    if (pressed_ >= 0) {
      const int j = GetGroupAt(pos.x(), pos.y());
      if (j < 0 || Group(j)->isEnabled()) {
        if ((pressedLook_ && j != pressed_) || (!pressedLook_ && j == pressed_)) {
          pressedLook_ = !pressedLook_;
          hot_ = j;
          InvalidateButton(pressed_);
        }
      }
    }
  } else {
    HoverMove(pos);
  }
  toolkit::Raise(OnMouseMove, this, 0, pos.x(), pos.y());
}

void TCustomDCGroupBar::HoverMove(const QPoint& pos) {
  const int j = GetGroupAt(pos.x(), pos.y());
  setCursor(j >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
  if (j < 0 || j == hot_ || !Group(j)->isEnabled()) return;
  QToolTip::hideText();
  InvalidateButton(hot_);
  InvalidateButton(j);
  hot_ = j;
  setToolTip(Group(j)->Hint());
  if (!hoverPoll_.isActive()) hoverPoll_.start();
}

void TCustomDCGroupBar::HoverPoll() {
  const QPoint pos = mapFromGlobal(QCursor::pos());
  if (GetGroupAt(pos.x(), pos.y()) >= 0) return;
  hoverPoll_.stop();
  const int old = hot_;
  hot_ = -1;
  InvalidateButton(old);
  unsetCursor();
}

void TCustomDCGroupBar::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  if (event->button() == Qt::LeftButton) {
    pressedLook_ = false;
    const int p = pressed_;
    pressed_ = -1;
    if (p >= 0 && GetGroupAt(pos.x(), pos.y()) == p) {
      hot_ = -1;
      InvalidateButton(p);
      toolkit::Dispatch([&] { SetActiveGroupIndex(p); });
      // The hot look comes back under the pointer.
      HoverMove(pos);
    } else if (p >= 0) {
      InvalidateButton(p);
    }
  }
  toolkit::Raise(OnMouseUp, this, event->button(), 0, pos.x(), pos.y());
}

// ---------------------------------------------------------------- dragging over the bar

void TCustomDCGroupBar::DragOver(QObject* source, int x, int y, TDragState state, bool& accept) {
  accept = x >= 0 && y >= 0 && y < height() - 1 && x < width() - 1;
  if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
  lastDragPos_ = QPoint(x, y);
  const int j = state == dsDragLeave ? -1 : GetGroupAt(x, y);
  if (j >= 0) {
    if (j != dragOverIndex_ || !dragOverTimer_.isActive()) {
      dragOverIndex_ = j;
      dragOverTimer_.start();
    }
  } else if (dragOverTimer_.isActive()) {
    dragOverTimer_.stop();
    dragOverIndex_ = -1;
  }
}

void TCustomDCGroupBar::DragDrop(QObject* source, int x, int y) {
  dragOverTimer_.stop();
  dragOverIndex_ = -1;
  toolkit::Raise(OnDragDrop, this, source, x, y);
}

void TCustomDCGroupBar::DragOverTimer() {
  dragOverTimer_.stop();
  const int j = dragOverIndex_;
  dragOverIndex_ = -1;
  if (j >= 0 && GetGroupAt(lastDragPos_.x(), lastDragPos_.y()) == j) toolkit::Dispatch([&] { SetActiveGroupIndex(j); });
}

}  // namespace outbar
