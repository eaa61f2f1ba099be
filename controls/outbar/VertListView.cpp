#include "controls/outbar/VertListView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "controls/outbar/DragCursors.h"
#include "controls/outbar/TextWrap.h"
#include "platform/Edges.h"
#include "platform/PointerPixel.h"
#include "platform/Shell.h"
#include "toolkit/Dispatch.h"
#include "toolkit/accessible/GridAccessible.h"

namespace outbar {
namespace {

int ShiftOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  int s = 0;
  if (mods & Qt::ShiftModifier) s |= ssShift;
  if (mods & Qt::AltModifier) s |= ssAlt;
  if (mods & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

bool IsNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Right:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

}  // namespace

TDCVertListView::TDCVertListView(QWidget* parent) : TCustomDCListViewEx(parent) {
  InstallDragCursors();
  resize(100, 200);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  metrics_ = QFontMetrics(font());
  lineHeight_ = metrics_.height();
  down_ = new TDCScrollButton(this);
  down_->SetButtonStyle(dcsbs_ScrollDown);
  down_->SetFrequency(200);
  down_->hide();
  down_->OnSelect = [this](QObject*) { ScrollDownStep(); };
  up_ = new TDCScrollButton(this);
  up_->SetButtonStyle(dcsbs_ScrollUp);
  up_->SetFrequency(200);
  up_->hide();
  up_->OnSelect = [this](QObject*) { ScrollUpStep(); };
  hotPoll_.setInterval(10);
  connect(&hotPoll_, &QTimer::timeout, this, [this] { HotPoll(); });
  connect(&autoScrollTimer_, &QTimer::timeout, this, [this] { AutoScrollTick(); });
  // Another application coming to the front cancels a press or a drag.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive && (leftDown_ || dragging_)) CancelDrag();
  });
}

TDCVertListView::~TDCVertListView() {
  destroying_ = true;
  hotPoll_.stop();
  if (dragging_ || leftDown_) CancelDrag();
  StopKeyWatch();
  StopAutoScroll();
  if (overrideCursor_) {
    QApplication::restoreOverrideCursor();
    overrideCursor_ = false;
  }
  hot_ = pressed_ = selected_ = focused_ = previousSelection_ = nullptr;
  items_.clear();
}

// ---------------------------------------------------------------- items

TDCVertListItem* TDCVertListView::Item(int index) const {
  if (index < 0 || index >= ItemCount()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

int TDCVertListView::IndexOf(const TDCVertListItem* item) const {
  if (!item) return -1;
  const int i = item->index_;
  if (i >= 0 && i < ItemCount() && items_[static_cast<size_t>(i)].get() == item) return i;
  return -1;
}

bool TDCVertListView::Alive(const TDCVertListItem* item) const {
  if (!item) return false;
  for (const auto& p : items_)
    if (p.get() == item) return true;
  return false;
}

TDCVertListItem* TDCVertListView::AddItem(const QString& caption) { return InsertItem(ItemCount(), caption); }

TDCVertListItem* TDCVertListView::InsertItem(int index, const QString& caption) {
  index = std::clamp(index, 0, ItemCount());
  auto owned = std::unique_ptr<TDCVertListItem>(new TDCVertListItem(this));
  TDCVertListItem* item = owned.get();
  item->caption_ = caption;
  items_.insert(items_.begin() + index, std::move(owned));
  for (int i = index; i < ItemCount(); ++i) items_[static_cast<size_t>(i)]->index_ = i;
  InvalidateLayout(index);
  if (OnInsert) toolkit::Raise(OnInsert, this, item);
  if (lock_ == 0 && redrawOff_ == 0) ArrangeAfterChange(index);
  return item;
}

void TDCVertListView::Forget(TDCVertListItem* item) {
  if (hot_ == item) hot_ = nullptr;
  if (pressed_ == item) pressed_ = nullptr;
  if (previousSelection_ == item) previousSelection_ = nullptr;
  if (selected_ == item) selected_ = nullptr;
  if (focused_ == item) focused_ = nullptr;
  if (!hot_) hotPoll_.stop();
}

void TDCVertListView::DeleteItem(TDCVertListItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return;
  if (hot_ == item) {
    InvalidateFrame(item);
    SetHotItem(nullptr);
  }
  if (!destroying_ && OnDeletion) toolkit::Raise(OnDeletion, this, item);
  Forget(item);
  InvalidateClient(ClientRect());
  items_.erase(items_.begin() + index);
  for (int i = index; i < ItemCount(); ++i) items_[static_cast<size_t>(i)]->index_ = i;
  InvalidateLayout(index);
  if (destroying_) return;
  Arrange();
  if (redrawOff_ == 0 && ItemCount() > 0) {
    TDCVertListItem* last = items_.back().get();
    if (VerticalBounds(last).top < HalfSpace()) ScrollIntoView(last, false);
  }
}

void TDCVertListView::ClearItems() {
  if (hot_) {
    InvalidateFrame(hot_);
    SetHotItem(nullptr);
  }
  if (!destroying_ && OnDeletion)
    for (const auto& p : items_) toolkit::Raise(OnDeletion, this, p.get());
  hot_ = pressed_ = selected_ = focused_ = previousSelection_ = nullptr;
  hotPoll_.stop();
  items_.clear();
  layoutValid_ = 0;
  // The scroll offset stays as it was.
  Arrange();
}

void TDCVertListView::BeginUpdate() { ++redrawOff_; }

void TDCVertListView::EndUpdate() {
  if (redrawOff_ == 0) return;
  if (--redrawOff_ == 0) Arrange();
}

void TDCVertListView::ItemChanged(TDCVertListItem* item) {
  item->measuredGeneration_ = -1;
  InvalidateLayout(item->index_);
  InvalidateClient(ClientRect());
  if (redrawOff_ == 0) ArrangeAfterChange(item->index_);
}

// ---------------------------------------------------------------- layout

LayoutParams TDCVertListView::Params() const {
  LayoutParams lp;
  lp.style = viewStyle_;
  lp.clientWidth = ClientWidth();
  lp.lineHeight = lineHeight_;
  if (TImageList* images = ViewImages()) lp.imageSize = QSize(images->Width(), images->Height());
  lp.wrapLineCount = wrapLineCount_;
  return lp;
}

FrameParams TDCVertListView::FrameParamsFor(const TDCVertListItem* item) const {
  FrameParams fp;
  fp.selectionType = selectionType_;
  fp.style = viewStyle_;
  fp.dragEnabled = dragEnabled_;
  fp.halfSpace = HalfSpace();
  fp.topPad = item ? item->topPad_ : topPad_;
  fp.clientWidth = ClientWidth();
  if (TImageList* images = ViewImages()) fp.imageSize = QSize(images->Width(), images->Height());
  return fp;
}

TImageList* TDCVertListView::ViewImages() const {
  return viewStyle_ == vsSmallIcon ? smallImages_.data() : largeImages_.data();
}

int TDCVertListView::QuickAdvance(const QString& text) {
  int sum = 0;
  for (const QChar ch : text) {
    const char16_t u = ch.unicode();
    // Latin text before the combining marks, CJK and full-width forms: no
    // shaping changes their advances beyond kerning.
    const bool simple = (u >= 0x20 && u < 0x0300) || (u >= 0x3000 && u < 0xA000) || (u >= 0xFF00 && u < 0xFFF0);
    if (!simple) return -1;
    auto it = charAdvance_.constFind(u);
    if (it == charAdvance_.constEnd()) it = charAdvance_.insert(u, metrics_.horizontalAdvance(ch));
    sum += it.value();
  }
  return sum;
}

void TDCVertListView::Measure(TDCVertListItem* item, bool exact) {
  if (item->measuredGeneration_ == generation_ && (item->exact_ || !exact)) return;
  const LayoutParams lp = Params();
  const QString& stored = item->caption_;
  int advance = -1;
  bool estimated = false;
  if (!exact && !stored.isEmpty()) {
    // Laying out only needs the number of lines: a caption clearly narrower than
    // the narrowest text box is one line, and its exact width can wait until a
    // rectangle is asked for. The stored caption tells, so that a display text
    // is only worked out for the items that are painted.
    const int quick = QuickAdvance(stored);
    const int iw = lp.imageSize.isEmpty() ? 0 : lp.imageSize.width();
    const int labelLeft = ArrangedItemX(lp) + iw + (iw > 0 ? ItemMetrics::kSmallIconGap : 0) + 3;
    const int narrowest = lp.style == vsSmallIcon ? lp.clientWidth - 10 - std::max(10, labelLeft) : lp.clientWidth - 20;
    if (quick >= 0 && quick + 8 <= narrowest) {
      advance = quick;
      estimated = true;
    }
  }
  const QString caption = estimated ? stored : toolkit::ShownText(display_, stored);
  if (advance < 0) advance = caption.isEmpty() ? 0 : metrics_.horizontalAdvance(caption);
  const bool oneLine = !caption.contains(QLatin1Char('\n'));
  const WrapFunction wrap = [&](const QString& text, int width) -> WrapResult {
    if (text.isEmpty()) return {0, 1};
    if (oneLine && advance <= width) return {advance, 1};
    return MeasureWrapped(font(), text, width);
  };
  item->boxes_ = ComputeItemBoxes(lp, caption, advance, ArrangedItemX(lp), 0, wrap);
  item->topPad_ = -item->boxes_.bounds.top;
  item->measuredGeneration_ = generation_;
  item->exact_ = !estimated;
}

void TDCVertListView::InvalidateLayout(int fromIndex) { layoutValid_ = std::min(layoutValid_, std::max(0, fromIndex)); }

void TDCVertListView::InvalidateMeasures() {
  ++generation_;
  layoutValid_ = 0;
}

void TDCVertListView::EnsureLayout() {
  const int n = ItemCount();
  if (layoutValid_ >= n) return;
  int y = HalfSpace();
  if (layoutValid_ > 0) {
    const TDCVertListItem* prev = items_[static_cast<size_t>(layoutValid_ - 1)].get();
    y = prev->contentY_ + prev->boxes_.bounds.top + prev->step_;
  }
  for (int k = layoutValid_; k < n; ++k) {
    TDCVertListItem* item = items_[static_cast<size_t>(k)].get();
    Measure(item, false);
    // The item is moved so that its bounds' top lands at y.
    item->contentY_ = y + item->topPad_;
    item->step_ = item->boxes_.bounds.Height() + 2 * item->topPad_ + itemSpace_;
    topPad_ = item->topPad_;
    y += item->step_;
    ++layoutWork_;
  }
  layoutValid_ = n;
}

ItemBoxes TDCVertListView::ScreenBoxes(TDCVertListItem* item) {
  EnsureLayout();
  Measure(item, true);
  const int dx = -offset_.x(), dy = item->contentY_ - offset_.y();
  return {item->boxes_.icon.Offset(dx, dy), item->boxes_.bounds.Offset(dx, dy), item->boxes_.label.Offset(dx, dy)};
}

TRect TDCVertListView::ItemBounds(const TDCVertListItem* item) {
  return ScreenBoxes(const_cast<TDCVertListItem*>(item)).bounds;
}
TRect TDCVertListView::ItemIconRect(const TDCVertListItem* item) {
  return ScreenBoxes(const_cast<TDCVertListItem*>(item)).icon;
}
TRect TDCVertListView::ItemLabelRect(const TDCVertListItem* item) {
  return ScreenBoxes(const_cast<TDCVertListItem*>(item)).label;
}
TRect TDCVertListView::VerticalBounds(const TDCVertListItem* item) {
  EnsureLayout();
  return item->boxes_.bounds.Offset(-offset_.x(), item->contentY_ - offset_.y());
}

int TDCVertListView::ItemStep(const TDCVertListItem* item) {
  EnsureLayout();
  return item->step_;
}

int TDCVertListView::FirstItemBelow(int y) {
  EnsureLayout();
  // Bounds bottoms grow with the index: binary search.
  const auto it = std::partition_point(items_.begin(), items_.end(), [&](const auto& p) {
    return p->contentY_ + p->boxes_.bounds.bottom - offset_.y() <= y;
  });
  return static_cast<int>(it - items_.begin());
}

int TDCVertListView::StepsBefore(int k) {
  EnsureLayout();
  const int n = ItemCount();
  if (n == 0 || k <= 0) return 0;
  if (k < n) {
    const TDCVertListItem* item = items_[static_cast<size_t>(k)].get();
    return item->contentY_ + item->boxes_.bounds.top - HalfSpace();
  }
  const TDCVertListItem* last = items_.back().get();
  return last->contentY_ + last->boxes_.bounds.top + last->step_ - HalfSpace();
}

void TDCVertListView::Arrange() {
  if (redrawOff_ > 0) {
    layoutPending_ = true;
    return;
  }
  layoutPending_ = false;
  if (ClientWidth() == 0) return;
  InvalidateLayout(0);
  EnsureLayout();
  UpdateScrollButtons();
  update();
}

void TDCVertListView::ArrangeAfterChange(int fromIndex) {
  // Items before fromIndex keep their places: laying out the rest gives the
  // same result as arranging every item.
  if (redrawOff_ > 0) {
    layoutPending_ = true;
    return;
  }
  if (ClientWidth() == 0) return;
  InvalidateLayout(fromIndex);
  EnsureLayout();
  UpdateScrollButtons();
  // Only items from fromIndex on moved: repaint from the first of them down.
  const int top = fromIndex < ItemCount()
                      ? VerticalBounds(items_[static_cast<size_t>(fromIndex)].get()).top - itemSpace_
                      : (ItemCount() > 0 ? VerticalBounds(items_.back().get()).top - itemSpace_ : 0);
  if (top < ClientHeight()) InvalidateClient({0, std::max(0, top), ClientWidth(), ClientHeight()});
}

void TDCVertListView::ClientChanged() {
  InvalidateMeasures();
  Arrange();
}

bool TDCVertListView::IsItemVisible(TDCVertListItem* item, bool partialOK) {
  if (!item) return false;
  const TRect b = VerticalBounds(item);
  return outbar::IsItemVisible(b, item->topPad_, HalfSpace(), itemSpace_, ClientHeight(), partialOK);
}

bool TDCVertListView::CanScrollDown() { return ItemCount() > 0 && !IsItemVisible(items_.back().get(), false); }
bool TDCVertListView::CanScrollUp() { return ItemCount() > 0 && !IsItemVisible(items_.front().get(), false); }

void TDCVertListView::UpdateScrollButtons() {
  const ScrollButtonPlaces places =
      PlaceScrollButtons(ClientWidth(), ClientHeight(), down_->size(), up_->size(), scrollButtonsPos_);
  const QPoint origin = ClientOrigin();
  const bool showDown = places.roomy && CanScrollDown();
  const bool showUp = places.roomy && CanScrollUp();
  if (down_->pos() != origin + places.down) down_->move(origin + places.down);
  if (up_->pos() != origin + places.up) up_->move(origin + places.up);
  if (down_->isVisibleTo(this) != showDown) down_->setVisible(showDown);
  if (up_->isVisibleTo(this) != showUp) up_->setVisible(showUp);
}

// ---------------------------------------------------------------- scrolling

void TDCVertListView::DoBeforeScroll() { toolkit::Raise(OnBeforeScroll, this); }
void TDCVertListView::DoAfterScroll() { toolkit::Raise(OnAfterScroll, this); }

void TDCVertListView::Scroll(int dx, int dy) {
  DoBeforeScroll();
  offset_ += QPoint(dx, dy);
  UpdateHotItem(PointerClientPos());
  UpdateScrollButtons();
  update();
  DoAfterScroll();
}

void TDCVertListView::ScrollDownStep() {
  if (!CanScrollDown()) return;
  const int n = ItemCount();
  // The first item that starts below the top edge.
  const auto it = std::partition_point(items_.begin(), items_.end(), [&](const auto& p) {
    return p->contentY_ + p->boxes_.bounds.top - offset_.y() <= 0;
  });
  const int k = static_cast<int>(it - items_.begin());
  if (k < n) {
    Scroll(0, items_[static_cast<size_t>(k)]->step_);
  } else {
    // Every item lies above the top edge: bring the last one back to the top margin.
    Scroll(0, VerticalBounds(items_.back().get()).top - HalfSpace());
  }
}

void TDCVertListView::ScrollUpStep() {
  if (!CanScrollUp()) return;
  EnsureLayout();
  const auto it = std::partition_point(items_.begin(), items_.end(), [&](const auto& p) {
    return p->contentY_ + p->boxes_.bounds.top - offset_.y() <= 0;
  });
  const int f = static_cast<int>(it - items_.begin());
  const TDCVertListItem* p = f > 0 ? items_[static_cast<size_t>(f - 1)].get() : items_.front().get();
  const int amount = std::min(offset_.y(), p->step_);
  if (amount > 0) Scroll(0, -amount);
}

void TDCVertListView::ScrollIntoView(TDCVertListItem* item, bool partialOK) {
  if (!item || ClientHeight() == 0) return;
  if (redrawOff_ > 0) EnsureLayout();
  if (IsItemVisible(item, partialOK)) return;
  const TRect b = VerticalBounds(item);
  const int h = HalfSpace();
  if (b.top < h) {
    Scroll(0, b.top - h);
  } else {
    const int d = h + b.bottom - ClientHeight();
    const int s = std::max(1, item->step_);
    Scroll(0, ((s + d - 1) / s) * s);
  }
}

void TDCVertListView::wheelEvent(QWheelEvent* event) {
  const int k = WheelSteps(wheelRemainder_, event->angleDelta().y(), QApplication::wheelScrollLines());
  for (int i = 0; i < std::abs(k); ++i) {
    if (k < 0)
      ScrollUpStep();
    else
      ScrollDownStep();
  }
  event->accept();
}

// ---------------------------------------------------------------- hit test, frames

TDCVertListItem* TDCVertListView::GetItemAt(int x, int y) {
  if (x >= ClientWidth() || y < 0 || y >= ClientHeight()) return nullptr;
  if (selectionType_ == stExpanded && x < 0) return nullptr;
  const int reach = itemSpace_ + 2 * topPad_ + 1;
  for (int k = FirstItemBelow(y - reach); k < ItemCount(); ++k) {
    TDCVertListItem* item = items_[static_cast<size_t>(k)].get();
    const ItemBoxes boxes = ScreenBoxes(item);
    if (boxes.bounds.top - reach > y) break;
    if (HitsItem(FrameParamsFor(item), boxes, x, y)) return item;
  }
  return nullptr;
}

TRect TDCVertListView::GetFrameRect(TDCVertListItem* item) {
  return FrameRect(FrameParamsFor(item), ScreenBoxes(item));
}

void TDCVertListView::InvalidateFrame(TDCVertListItem* item) {
  if (!item || IndexOf(item) < 0) return;
  const TRect f = GetFrameRect(item);
  const TRect b = ItemBounds(item);
  InvalidateClient({std::min(f.left - 1, b.left), std::min(f.top, b.top), std::max(f.right + 1, b.right),
                    std::max(f.bottom + 1, b.bottom)});
}

void TDCVertListView::DrawItemFrame(QPainter& p, TDCVertListItem* item, bool sunken) {
  if (!sunken && sunkSelected_ && item == selected_) return;
  const QColor light = platform::ToQColor(highlightSelection_ ? platform::clWhite : platform::clSilver);
  const QColor dark = platform::ToQColor(platform::clBlack);
  const QColor first = sunken ? dark : light, second = sunken ? light : dark;
  const TRect f = GetFrameRect(item);
  LineTo(p, f.left, f.bottom, f.left, f.top, first);
  LineTo(p, f.left, f.top, f.right, f.top, first);
  LineTo(p, f.right, f.top, f.right, f.bottom, second);
  LineTo(p, f.right, f.bottom, f.left - 1, f.bottom, second);
  if (highlightSelection_) {
    p.fillRect(TRect{f.left + 1, f.top + 1, f.right, f.bottom}.ToQRect(), platform::ToQColor(highlightColor_));
    DrawItemContent(p, item);
  }
}

void TDCVertListView::DrawItemContent(QPainter& p, TDCVertListItem* item) {
  const ItemBoxes boxes = ScreenBoxes(item);
  int image = item->imageIndex_;
  if (item == hot_ && item->HotImageIndex >= 0)
    image = item->HotImageIndex;
  else if (item->selected_ && item->selectedImageIndex_ >= 0)
    image = item->selectedImageIndex_;
  if (TImageList* images = ViewImages(); images && image != -1) {
    const TRect& i = boxes.icon;
    images->Draw(p, (i.left + i.right - images->Width()) / 2, (i.top + i.bottom - images->Height()) / 2, image, true);
  }
  TRect text = boxes.label;
  if (viewStyle_ == vsIcon)
    text.left = std::max(text.left, 10);
  else
    text = text.Offset(3, 0);
  text.right = std::min(text.right, ClientWidth() - 10);
  const bool highlighted = (item == hot_ || (item == selected_ && sunkSelected_)) && selectionType_ == stExpanded &&
                           highlightSelection_;
  p.setPen(platform::ToQColor(highlighted ? highlightFontColor_ : FontColor()));
  DrawWrapped(p, font(), text, toolkit::ShownText(display_, item->caption_), viewStyle_ == vsIcon, lineHeight_);
}

void TDCVertListView::PaintItems(QPainter& p, const TRect& area) {
  EnsureLayout();
  const int reach = itemSpace_ + 2 * topPad_ + 2;
  for (int k = FirstItemBelow(area.top - reach); k < ItemCount(); ++k) {
    TDCVertListItem* item = items_[static_cast<size_t>(k)].get();
    if (VerticalBounds(item).top - reach > area.bottom) break;
    if (item == hot_ && highlightSelection_) continue;
    DrawItemContent(p, item);
  }
  if (hot_) DrawItemFrame(p, hot_, leftDown_ && !dragging_);
  if (sunkSelected_ && selected_) DrawItemFrame(p, selected_, true);
  if (FocusMarkShown()) PaintFocusMark(p);
}

void TDCVertListView::PaintFocusMark(QPainter& p) {
  if (!focused_) {
    // An empty list with the focus marks its whole client area.
    if (ItemCount() == 0) platform::DrawFocusRect(p, ClientRect().ToQRect().adjusted(1, 1, -1, -1));
    return;
  }
  // Just inside the item's frame lines, which lie on the frame rectangle's edges.
  const TRect f = GetFrameRect(focused_);
  platform::DrawFocusRect(p, QRect(f.left + 1, f.top + 1, f.right - f.left - 1, f.bottom - f.top - 1));
}

void TDCVertListView::InvalidateFocusMark() {
  if (!FocusMarkShown()) return;
  if (focused_)
    InvalidateFrame(focused_);
  else
    InvalidateClient(ClientRect());
}

// ---------------------------------------------------------------- hot item

void TDCVertListView::HotTrackItem(TDCVertListItem* item) { toolkit::Raise(OnHotTrackItem, this, item); }

void TDCVertListView::SetHotItem(TDCVertListItem* item) {
  if (item == hot_) return;
  if (hot_ && !(hot_ == selected_ && sunkSelected_)) InvalidateFrame(hot_);
  hot_ = item;
  HotTrackItem(item);
  if (!Alive(hot_)) hot_ = nullptr;
  if (hot_)
    hotPoll_.start();
  else
    hotPoll_.stop();
  InvalidateFrame(hot_);
}

void TDCVertListView::UpdateHotItem(const QPoint& pos) {
  const QPoint w = pos + ClientOrigin();
  TDCVertListItem* item = nullptr;
  const bool onButton = (down_->isVisible() && down_->geometry().contains(w)) ||
                        (up_->isVisible() && up_->geometry().contains(w));
  if (!onButton) item = GetItemAt(pos.x(), pos.y());
  if (item != hot_) {
    InvalidateFrame(hot_);
    SetHotItem(item);
  }
}

QPoint TDCVertListView::PointerClientPos() const { return ToClient(mapFromGlobal(QCursor::pos())); }

void TDCVertListView::HotPoll() {
  const QPoint pos = PointerClientPos();
  if (!ClientRect().Contains(pos.x(), pos.y()) && !QWidget::mouseGrabber() && !leftDown_ && !dragging_) {
    InvalidateFrame(hot_);
    SetHotItem(nullptr);
  }
}

// The pointer is over the list again without having moved, as when a menu that
// held it closes: the item under it is hot again, as a move there makes it.
void TDCVertListView::enterEvent(QEnterEvent* event) {
  TCustomDCListViewEx::enterEvent(event);
  if (leftDown_ || dragging_) return;
  UpdateHotItem(ToClient(platform::PixelAt(event)));
}

void TDCVertListView::leaveEvent(QEvent* event) {
  TCustomDCListViewEx::leaveEvent(event);
  if (leftDown_ || dragging_) return;
  InvalidateFrame(hot_);
  SetHotItem(nullptr);
}

// ---------------------------------------------------------------- selection

void TDCVertListView::SetSelected(TDCVertListItem* item) {
  if (item) {
    ChangeSelection(item, true);
  } else if (selected_) {
    ChangeSelection(selected_, false);
  }
}

void TDCVertListView::SetItemIndex(int index) {
  if (index < 0) {
    SetSelected(nullptr);
    return;
  }
  if (TDCVertListItem* item = Item(index)) SetSelected(item);
}

void TDCVertListView::ChangeFocus(TDCVertListItem* item) {
  if (focused_ == item) return;
  InvalidateFocusMark();
  if (focused_) focused_->focused_ = false;
  focused_ = item;
  if (item) item->focused_ = true;
  InvalidateFocusMark();
  if (item && hasFocus() && !focusNoticePending_) toolkit::accessible::AnnounceFocusedRow(this, item->index_);
}

void TDCVertListView::ChangeSelection(TDCVertListItem* item, bool on) {
  if (IndexOf(item) < 0 || item->selected_ == on) return;
  if (on) {
    // One selected item: the old one is deselected first.
    if (TDCVertListItem* old = selected_) {
      old->selected_ = false;
      selected_ = nullptr;
      SelectionLost(old);
      if (!Alive(item)) return;
    }
    item->selected_ = true;
    selected_ = item;
    SelectionGained(item);
  } else {
    item->selected_ = false;
    if (selected_ == item) selected_ = nullptr;
    SelectionLost(item);
  }
}

void TDCVertListView::SelectionLost(TDCVertListItem* item) {
  if (sunkSelected_) InvalidateFrame(item);
  previousSelection_ = selected_;
  if (OnSelectItem) toolkit::Raise(OnSelectItem, this, item, false);
}

void TDCVertListView::SelectionGained(TDCVertListItem* item) {
  if (lock_ == 0) {
    // Selecting from code (or by keys) acts as a click.
    if (item != previousSelection_) ButtonClick(item);
    if (Alive(item)) {
      if (sunkSelected_) InvalidateFrame(item);
      InvalidateFrame(hot_);
      ScrollIntoView(item, false);
    }
  }
  if (Alive(item) && OnSelectItem) toolkit::Raise(OnSelectItem, this, item, true);
  SelectionChanged();
}

// ---------------------------------------------------------------- clicks and commands

void TDCVertListView::ButtonClick(TDCVertListItem* item) {
  if (!useDblClick_) ExecuteItem(item);
  if (!Alive(item)) item = nullptr;
  if (item && item->OnItemClick) toolkit::Raise(item->OnItemClick, this);
  if (item && !Alive(item)) item = nullptr;
  toolkit::Raise(OnButtonClick, this, item);
}

bool TDCVertListView::ExecuteItem(TDCVertListItem* item) {
  bool processed = false;
  toolkit::Raise(OnExecuteItem, this, item, processed);
  if (!processed && Alive(item) && !item->FileName.isEmpty()) {
    platform::CurrentShell().Open(this, QStringLiteral("open"), item->FileName, item->Parameters);
  }
  return processed;
}

QMenu* TDCVertListView::GetItemPopupMenu(TDCVertListItem* item) {
  QMenu* menu = popupMenu_;
  toolkit::Raise(OnPopupMenu, this, item, menu);
  return menu;
}

// ---------------------------------------------------------------- pointer

void TDCVertListView::PressLeft(const QPoint& pos, int shift) {
  toolkit::Raise(OnBeforeMouseDown, this, pos.x(), pos.y());
  setFocus(Qt::MouseFocusReason);
  // A press hides the keyboard's focus mark until keys are used again.
  InvalidateFocusMark();
  keyboardCue_ = false;
  cancelled_ = false;
  pressed_ = GetItemAt(pos.x(), pos.y());
  UpdateHotItem(pos);
  SetHotItem(pressed_);
  leftDown_ = true;
  clickPending_ = true;
  if (pressed_) {
    pressPoint_ = pos;
    InvalidateFrame(pressed_);
  }
  toolkit::Raise(OnMouseDown, this, Qt::LeftButton, shift, pos.x(), pos.y());
}

void TDCVertListView::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = ToClient(platform::PixelAt(event));
  const int shift = ShiftOf(event->modifiers(), event->buttons());
  if (event->button() == Qt::LeftButton) {
    PressLeft(pos, shift);
  } else if (event->button() == Qt::RightButton) {
    if (dragging_ || leftDown_) CancelDrag();
    leftDown_ = false;
    UpdateHotItem(pos);
    toolkit::Raise(OnMouseDown, this, Qt::RightButton, shift, pos.x(), pos.y());
  }
}

void TDCVertListView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = ToClient(platform::PixelAt(event));
  const int shift = ShiftOf(event->modifiers(), event->buttons());
  if (event->button() == Qt::LeftButton) {
    if (useDblClick_ && hot_) {
      ExecuteItem(hot_);
      toolkit::Raise(OnDblClick, this);
      return;
    }
    PressLeft(pos, shift);
    toolkit::Raise(OnDblClick, this);
    toolkit::Raise(OnMouseDown, this, Qt::LeftButton, shift | ssDouble, pos.x(), pos.y());
  } else if (event->button() == Qt::RightButton) {
    mousePressEvent(event);
    toolkit::Raise(OnDblClick, this);
    toolkit::Raise(OnMouseDown, this, Qt::RightButton, shift | ssDouble, pos.x(), pos.y());
  }
}

void TDCVertListView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = ToClient(platform::PixelAt(event));
  PointerMoved(pos, event->globalPosition().toPoint(), ShiftOf(event->modifiers(), event->buttons()));
}

void TDCVertListView::PointerMoved(const QPoint& pos, const QPoint& globalPos, int shift) {
  if (leftDown_ && pressed_ && !dragging_ &&
      (std::abs(pos.x() - pressPoint_.x()) > 5 || std::abs(pos.y() - pressPoint_.y()) > 5))
    StartDrag(shift & ssCtrl);
  if (dragging_ && dragEnabled_) DragMove(globalPos);
  UpdateHotItem(pos);
  toolkit::Raise(OnMouseMove, this, shift, pos.x(), pos.y());
}

void TDCVertListView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = ToClient(platform::PixelAt(event));
  const int shift = ShiftOf(event->modifiers(), event->buttons());
  if (event->button() == Qt::LeftButton) {
    ReleaseLeft(pos, shift, Qt::LeftButton);
  } else {
    toolkit::Raise(OnMouseUp, this, event->button(), shift, pos.x(), pos.y());
  }
}

void TDCVertListView::ReleaseLeft(const QPoint& pos, int shift, Qt::MouseButton button) {
  const bool wasDown = leftDown_;
  leftDown_ = false;
  if (QWidget::mouseGrabber() == this) releaseMouse();
  if (dragging_) {
    FinishDrag(pos, mapToGlobal(pos + ClientOrigin()));
  } else if (cancelled_) {
    return;
  } else if (pressed_ && wasDown) {
    ChooseItem(pressed_);
  }
  pressed_ = nullptr;
  InvalidateFrame(hot_);
  if (cancelled_) return;
  toolkit::Raise(OnMouseUp, this, button, shift, pos.x(), pos.y());
  if (clickPending_) {
    clickPending_ = false;
    toolkit::Raise(OnClick, this);
  }
}

void TDCVertListView::ChooseItem(TDCVertListItem* item) {
  if (IndexOf(item) < 0) return;
  ++lock_;
  if (!item->selected_) ChangeSelection(item, true);
  if (Alive(item)) ChangeFocus(item);
  --lock_;
  if (Alive(item)) ButtonClick(item);
  if (Alive(item)) ScrollIntoView(item, false);
}

void TDCVertListView::contextMenuEvent(QContextMenuEvent* event) {
  if (QMenu* menu = GetItemPopupMenu(hot_)) menu->popup(event->globalPos());
  event->accept();
}

// ---------------------------------------------------------------- keys

void TDCVertListView::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  const int shift = ShiftOf(event->modifiers(), Qt::NoButton);
  if (keyboardChoosing_ && !sunkSelected_ && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
      ChoosingKey(key)) {
    event->accept();
    return;
  }
  if (IsNavigationKey(key)) {
    event->accept();
    if (!sunkSelected_) return;  // swallowed: no OnKeyDown, no movement
    toolkit::Raise(OnKeyDown, this, key, shift);
    if (key) Navigate(key);
    return;
  }
  toolkit::Raise(OnKeyDown, this, key, shift);
  if (!key) return;
  const QString text = event->text();
  if (text.isEmpty() || !text.at(0).isPrint() || ItemCount() == 0) {
    TCustomDCListViewEx::keyPressEvent(event);
    return;
  }
  // Type-ahead: the next item whose caption starts with the typed character.
  const int start = focused_ ? focused_->index_ : (selected_ ? selected_->index_ : -1);
  for (int i = 1; i <= ItemCount(); ++i) {
    TDCVertListItem* item = items_[static_cast<size_t>((start + i) % ItemCount())].get();
    if (item->caption_.startsWith(text, Qt::CaseInsensitive)) {
      ChangeFocus(item);
      SetSelected(item);
      break;
    }
  }
}

bool TDCVertListView::ChoosingKey(int key) {
  const int n = ItemCount();
  // Without a marked item the first move lands on the selected item, or the first.
  const int current = focused_ ? focused_->index_ : -1;
  const int start = current >= 0 ? current : (selected_ ? selected_->index_ : 0);
  switch (key) {
    case Qt::Key_Up: MoveFocusMark(current >= 0 ? current - 1 : start); return true;
    case Qt::Key_Down: MoveFocusMark(current >= 0 ? current + 1 : start); return true;
    case Qt::Key_Home: MoveFocusMark(0); return true;
    case Qt::Key_End: MoveFocusMark(n - 1); return true;
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Space:
      ShowFocusMark();
      if (focused_) ChooseItem(focused_);
      return true;
    default:
      return false;
  }
}

void TDCVertListView::MoveFocusMark(int index) {
  ShowFocusMark();
  // The mark stops at the first and the last item.
  if (ItemCount() == 0) return;
  TDCVertListItem* item = items_[static_cast<size_t>(std::clamp(index, 0, ItemCount() - 1))].get();
  ChangeFocus(item);
  ScrollIntoView(item, false);
}

void TDCVertListView::ShowFocusMark() {
  if (keyboardCue_) return;
  keyboardCue_ = true;
  if (!focused_ && ItemCount() > 0) ChangeFocus(selected_ ? selected_ : items_.front().get());
  InvalidateFocusMark();
}

void TDCVertListView::SetKeyboardChoosing(bool v) { keyboardChoosing_ = v; }

void TDCVertListView::focusInEvent(QFocusEvent* event) {
  TCustomDCListViewEx::focusInEvent(event);
  focusNoticePending_ = true;
  if (keyboardChoosing_ && (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)) {
    ShowFocusMark();
  } else {
    InvalidateFocusMark();
  }
  // After the widget's own focus notice, so that the item's is the last word.
  QMetaObject::invokeMethod(
      this,
      [this] {
        focusNoticePending_ = false;
        if (hasFocus() && focused_) toolkit::accessible::AnnounceFocusedRow(this, focused_->index_);
      },
      Qt::QueuedConnection);
}

void TDCVertListView::focusOutEvent(QFocusEvent* event) {
  TCustomDCListViewEx::focusOutEvent(event);
  // The item frame still holds the mark until it repaints.
  if (focused_)
    InvalidateFrame(focused_);
  else
    InvalidateClient(ClientRect());
}

void TDCVertListView::Navigate(int key) {
  const int n = ItemCount();
  if (n == 0) return;
  const TDCVertListItem* current = focused_ ? focused_ : selected_;
  int i = current ? current->index_ : -1;
  int page = 1;
  if (!items_.empty()) page = std::max(1, ClientHeight() / std::max(1, ItemStep(items_.front().get())));
  switch (key) {
    case Qt::Key_Up: case Qt::Key_Left: i = std::max(0, i - 1); break;
    case Qt::Key_Down: case Qt::Key_Right: i = std::min(n - 1, i + 1); break;
    case Qt::Key_Home: i = 0; break;
    case Qt::Key_End: i = n - 1; break;
    case Qt::Key_PageUp: i = std::max(0, i - page); break;
    case Qt::Key_PageDown: i = std::min(n - 1, i + page); break;
    default: return;
  }
  TDCVertListItem* item = items_[static_cast<size_t>(i)].get();
  ChangeFocus(item);
  SetSelected(item);
}

QString TDCVertListView::ShownCaption(const TDCVertListItem* item) const {
  return item ? toolkit::ShownText(display_, item->caption_) : QString();
}

// ---------------------------------------------------------------- properties

void TDCVertListView::SetDragEnabled(bool v) {
  if (v == dragEnabled_) return;
  InvalidateFrame(hot_);
  if (sunkSelected_) InvalidateFrame(selected_);
  dragEnabled_ = v;
  InvalidateFrame(hot_);
  if (sunkSelected_) InvalidateFrame(selected_);
  if (!v && dragging_) CancelDrag();
}

void TDCVertListView::SetDragPlaceColor(platform::TColor v) {
  if (v == dragPlaceColor_) return;
  dragPlaceColor_ = v;
  if (DropMarkShown()) DrawDropMark(true);
}

void TDCVertListView::SetHighlightColor(platform::TColor v) {
  if (v == highlightColor_) return;
  highlightColor_ = v;
  InvalidateFrame(hot_);
  if (sunkSelected_) InvalidateFrame(selected_);
}

void TDCVertListView::SetHighlightFontColor(platform::TColor v) {
  if (v == highlightFontColor_) return;
  highlightFontColor_ = v;
  InvalidateFrame(hot_);
  if (sunkSelected_) InvalidateFrame(selected_);
}

void TDCVertListView::SetHighlightSelection(bool v) {
  if (v == highlightSelection_) return;
  highlightSelection_ = v;
  if (sunkSelected_) InvalidateFrame(selected_);
  InvalidateFrame(hot_);
  UpdateHotItem(PointerClientPos());
}

void TDCVertListView::SetScrollButtonsPos(TScrollButtonsPos v) {
  scrollButtonsPos_ = v;
  UpdateScrollButtons();
}

void TDCVertListView::SetSelectionType(TSelectionType v) {
  if (v == selectionType_) return;
  InvalidateFrame(hot_);
  if (sunkSelected_) InvalidateFrame(selected_);
  selectionType_ = v;
  InvalidateFrame(hot_);
  if (sunkSelected_) InvalidateFrame(selected_);
}

void TDCVertListView::SetSunkSelected(bool v) {
  if (v == sunkSelected_) return;
  sunkSelected_ = v;
  InvalidateFrame(selected_);
}

void TDCVertListView::SetUseDblClick(bool v) { useDblClick_ = v; }

void TDCVertListView::SetWrapLineCount(int v) {
  if (v < 1) throw toolkit::EInvalidOperation(QStringLiteral("Invalid property value"));
  if (v == wrapLineCount_) return;
  wrapLineCount_ = v;
  InvalidateMeasures();
  Arrange();
}

void TDCVertListView::SetItemSpace(int v) {
  v = std::max(v, 5);
  if (v == itemSpace_) return;
  itemSpace_ = v;
  InvalidateLayout(0);
  Arrange();
}

void TDCVertListView::SetViewStyle(TViewStyle v) {
  if (v == vsList || v == vsReport) throw toolkit::EInvalidOperation(QStringLiteral("Invalid view style"));
  if (v == viewStyle_) return;
  offset_ = QPoint(0, 0);
  viewStyle_ = v;
  InvalidateMeasures();
  Arrange();
}

void TDCVertListView::SetDisplayText(toolkit::TDisplayText display) {
  display_ = std::move(display);
  InvalidateMeasures();
  Arrange();
  update();
}

void TDCVertListView::SetLargeImages(TImageList* v) {
  if (v == largeImages_) return;
  if (largeImages_) disconnect(largeImages_, nullptr, this, nullptr);
  largeImages_ = v;
  if (v) {
    connect(v, &TImageList::Changed, this, [this] { ImageListsChanged(); });
    connect(v, &QObject::destroyed, this, [this] { ImageListsChanged(); });
  }
  ImageListsChanged();
}

void TDCVertListView::SetSmallImages(TImageList* v) {
  if (v == smallImages_) return;
  if (smallImages_) disconnect(smallImages_, nullptr, this, nullptr);
  smallImages_ = v;
  if (v) {
    connect(v, &TImageList::Changed, this, [this] { ImageListsChanged(); });
    connect(v, &QObject::destroyed, this, [this] { ImageListsChanged(); });
  }
  ImageListsChanged();
}

void TDCVertListView::ImageListsChanged() {
  if (destroying_) return;
  InvalidateMeasures();
  Arrange();
}

void TDCVertListView::changeEvent(QEvent* event) {
  TCustomDCListViewEx::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    metrics_ = QFontMetrics(font());
    charAdvance_.clear();
    lineHeight_ = metrics_.height();
    InvalidateMeasures();
    Arrange();
  } else if (event->type() == QEvent::EnabledChange) {
    update();
  }
}

bool TDCVertListView::event(QEvent* event) {
  // Losing the window's activation while a press or drag runs acts as a cancel-mode request.
  if (event->type() == QEvent::WindowDeactivate && (leftDown_ || dragging_)) CancelDrag();
  return TCustomDCListViewEx::event(event);
}

}  // namespace outbar
