#include "skin/frame/WinSkinForm.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "platform/Subclass.h"
#include "platform/WinMessage.h"
#include "platform/WindowClass.h"
#include "platform/WindowManager.h"
#include "skin/core/SkinDraw.h"
#include "skin/controls/SkinControl.h"
#include "skin/engine/AttachControls.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/FrameDrag.h"
#include "skin/frame/FramePaint.h"
#include "skin/menu/MenuHost.h"
#include "toolkit/AlignLayout.h"
#include "toolkit/Fonts.h"
#include "toolkit/Form.h"

namespace skin {

// The pointer on the frame: hover over caption buttons, presses, moving by the
// caption and resizing by the borders, the resize cursors.
class TFrameInput : public QObject {
 public:
  explicit TFrameInput(TWinSkinForm& frame) : frame_(frame) {}
  ~TFrameInput() override { RestoreCursor(); }

  // Handles a mouse event on the window; true when it was the frame's.
  bool Mouse(QMouseEvent* e);
  void RestoreCursor();
  bool Dragging() const { return drag_ != dragNone; }

 protected:
  // While a resize cursor is shown: any pointer move outside the borders
  // gives the window its cursor back.
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  enum Drag { dragNone, dragPending, dragMoving, dragResizing, dragSystem };
  void ShowCursorFor(int hit);
  void StartDrag(QMouseEvent* e, int hit);
  void ContinueDrag(QMouseEvent* e);

  TWinSkinForm& frame_;
  Drag drag_ = dragNone;
  int dragHit_ = HTNOWHERE;
  QPoint pressGlobal_;
  QRect pressGeometry_;
  bool cursorShown_ = false;
  bool hadCursor_ = false;
  QCursor savedCursor_;
};

namespace {

constexpr int kSystemMenuTag = 33333;

QPoint GlobalPos(const QMouseEvent* e) { return e->globalPosition().toPoint(); }

bool HasOwnFrameFlags(Qt::WindowFlags f) {
  return f.testFlag(Qt::CustomizeWindowHint) || f.testFlag(Qt::WindowTitleHint) ||
         f.testFlag(Qt::WindowSystemMenuHint) || f.testFlag(Qt::WindowMinimizeButtonHint) ||
         f.testFlag(Qt::WindowMaximizeButtonHint) || f.testFlag(Qt::WindowCloseButtonHint);
}

// Sets a top-level window's flags without hiding it: the platform window
// takes the new decorations at once.
void SetFlagsInPlace(QWidget* w, Qt::WindowFlags flags) {
  if (w->windowFlags() == flags) return;
  if (QWindow* handle = w->windowHandle()) {
    w->overrideWindowFlags(flags);
    handle->setFlags(flags);
  } else {
    const bool visible = w->isVisible();
    w->setWindowFlags(flags);
    if (visible) w->show();
  }
}

QSize WidenedLimit(const QSize& limit, const QSize& by, bool maximum) {
  if (maximum) {
    return {limit.width() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : std::min(QWIDGETSIZE_MAX, limit.width() + by.width()),
            limit.height() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX
                                               : std::min(QWIDGETSIZE_MAX, limit.height() + by.height())};
  }
  return {limit.width() > 0 ? limit.width() + by.width() : 0, limit.height() > 0 ? limit.height() + by.height() : 0};
}

}  // namespace

// ---- life -------------------------------------------------------------------

TWinSkinForm::TWinSkinForm(QObject* owner) : QObject(owner) {
  captionFont_ = toolkit::MakeFont(QStringLiteral("宋体"), 12, true);
}

TWinSkinForm::~TWinSkinForm() {
  if (attached_ && window_ && life_ != flDestroyed) Detach();
  LightDetach();
}

void TWinSkinForm::AttachForm(TSkinData* skinData, toolkit::TForm* form) {
  form_ = form;
  window_ = form;
  AttachCommon(skinData);
  if (!form) return;
  saved_.hadColor = true;
  saved_.color = form->Color();
  form->SetColor(platform::ColorToRGB(skinData->ButtonFace()));
  const TSkinControlTypes xc = skinData->SkinControls();
  // The form's popup menus draw their items from the skin.
  if (xc.Contains(xcPopupMenu) && platform::WindowClassName(form) != QLatin1String("TwwRichEditForm")) {
    for (QMenu* menu : form->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (menu == systemMenu_) continue;
      if (menu->property("Tag").toInt() % 100 == skinData->DisableTag()) continue;
      HookMenuItems(menu, skinData, mikPopupMenu);
    }
  }
  if (xc.Contains(xcMenuItem) && form->HasMenu())
    for (QAction* a : form->Menu()->actions())
      if (a->menu()) HookMenuItems(a->menu(), skinData, mikMenuBarSub);
}

void TWinSkinForm::AttachWindow(TSkinData* skinData) { AttachCommon(skinData); }

void TWinSkinForm::AttachCommon(TSkinData* skinData) {
  QWidget* w = window_.data();
  if (attached_ || !w || !skinData) return;
  attached_ = true;
  skinData_ = skinData;
  disableTag_ = skinData->DisableTag();
  timer_ = new QTimer(this);
  timer_->setInterval(250);
  connect(timer_, &QTimer::timeout, this, [this] { OnTimer(); });
  connect(w, &QObject::destroyed, this, [this] { WindowDestroyed(); });

  // What the window is: its styles, class and frame.
  saved_.flags = w->windowFlags();
  saved_.geometry = w->geometry();
  saved_.margins = w->contentsMargins();
  saved_.minimum = w->minimumSize();
  saved_.maximum = w->maximumSize();
  saved_.mouseTracking = w->hasMouseTracking();
  saved_.hadCursorSet = w->testAttribute(Qt::WA_SetCursor);
  saved_.cursor = w->cursor();
  fitAt_ = w->geometry().topLeft();
  if (w->isVisible()) {
    const QRect outer = w->frameGeometry(), inner = w->geometry();
    saved_.systemFrame = {outer.width() - inner.width(), outer.height() - inner.height()};
    // A window on the screen keeps the place of its outer top-left corner.
    fitAt_ = outer.topLeft();
  }
  const QString cls = platform::WindowClassName(w);
  dialog_ = cls == QLatin1String("#32770") || cls == QLatin1String("TMessageForm");
  unicode_ = cls.contains(QLatin1String(".UnicodeClass"));
  rightToLeft_ = w->layoutDirection() == Qt::RightToLeft;

  const Qt::WindowFlags f = saved_.flags;
  const bool isDialogType = (f & Qt::WindowType_Mask) == Qt::Dialog;
  if (HasOwnFrameFlags(f)) {
    caps_.SystemMenu = f.testFlag(Qt::WindowSystemMenuHint) || f.testFlag(Qt::WindowCloseButtonHint);
    caps_.Minimize = f.testFlag(Qt::WindowMinimizeButtonHint);
    caps_.Maximize = f.testFlag(Qt::WindowMaximizeButtonHint);
  } else {
    // The platform's default decorations: dialogs close only, windows everything.
    caps_.SystemMenu = true;
    caps_.Minimize = caps_.Maximize = !isDialogType;
  }
  const bool fixedSize = w->minimumSize() == w->maximumSize() && w->minimumSize().isValid() &&
                         w->minimumWidth() > 0;
  const auto* form = form_.data();
  if (f.testFlag(Qt::FramelessWindowHint) || (form && form->BorderStyle() == toolkit::bsNone)) kind_ = fkNone;
  else if (dialog_ || (form && form->BorderStyle() == toolkit::bsDialog) || (!form && isDialogType)) kind_ = fkDialog;
  else if (form ? (form->BorderStyle() == toolkit::bsSizeable || form->BorderStyle() == toolkit::bsSizeToolWin)
                : !fixedSize)
    kind_ = fkSizeable;
  else kind_ = fkFixed;

  BuildSystemMenu();
  ReadShowState();
  // Foreign windows take the skin's ButtonFace as their background.
  if (!form_) {
    saved_.hadPalette = w->testAttribute(Qt::WA_SetPalette);
    saved_.palette = w->palette();
    ApplyButtonFacePalette();
  }
  active_ = w->isActiveWindow();
  LoadAppIcon();

  const TSkinControlTypes xc = skinData->SkinControls();
  if (xc.Contains(xcMainMenu)) {
    if (form_ && form_->HasMenu()) {
      menuBar_ = CreateMenuBarSkinner(*this, form_->Menu());
      if (menuBar_) {
        if (skinData->MenuMerge()) menuBar_->BuildMenuBarMerged();
        else menuBar_->BuildMenuBar();
      }
      // A change of the form's menu rebuilds the skinned bar.
      menuWatch_ = std::make_unique<platform::Subclass>(form_->Menu(), [this](QEvent* e) {
        const QEvent::Type t = e->type();
        if (t == QEvent::ActionAdded || t == QEvent::ActionRemoved || t == QEvent::ActionChanged) MenuChanged();
        return true;
      });
      // Submenus of a bar the platform still draws count as ordinary popups opening.
      for (QAction* a : form_->Menu()->actions())
        if (QMenu* sub = a->menu())
          connect(sub, &QMenu::aboutToShow, this, [] {
            if (TSkinManage* m = TSkinManage::Instance()) m->SetMenuSource(msPopup);
          });
    }
    RebuildFrameMetrics();
    if (showState_ != ssMinimized && framed_) SetFrameStyles(false);
    // The window shows the frame from its first paint: the frame is reserved
    // now, and a window not shown yet takes its size when it is shown (after
    // whatever placing and maximising its showing does).
    ApplyMargins();
    fitPending_ = true;
    if (w->isVisible()) FitWindowToClient(true);
  } else {
    life_ = flNormal;
  }
  // The frame follows the pointer over its borders and caption.
  if (xc.Contains(xcMainMenu)) w->setMouseTracking(true);
  subclass_ = std::make_unique<platform::Subclass>(w, [this](QEvent* e) { return Before(e); },
                                                   [this](QEvent* e) { After(e); });
  input_ = std::make_unique<TFrameInput>(*this);
  w->update();
}

void TWinSkinForm::ApplyButtonFacePalette() {
  QWidget* w = window_.data();
  if (!w || !skinData_) return;
  QPalette p = w->palette();
  p.setColor(QPalette::Window, platform::ToQColor(platform::ColorToRGB(skinData_->ButtonFace())));
  w->setPalette(p);
}

void TWinSkinForm::MenuChanged() {
  // Changes come in bursts (one per action): the bar is rebuilt once after them.
  if (menuRebuildPending_) return;
  menuRebuildPending_ = true;
  QTimer::singleShot(0, this, [this] {
    menuRebuildPending_ = false;
    if (!menuBar_ || !skinData_ || !skinData_->MenuUpdate() || !form_ || !form_->HasMenu()) return;
    if (skinData_->MenuMerge()) menuBar_->BuildMenuBarMerged();
    else menuBar_->BuildMenuBar();
    const int m = framed_ ? menuBar_->Height() : 0;
    if (m != metrics_.M) {
      metrics_.M = m;
      FitWindowToClient(true);
    }
    InvalidateFrame();
  });
}

void TWinSkinForm::WindowDestroyed() {
  life_ = flDestroying;
  LightDetach();
  life_ = flDestroyed;
}

void TWinSkinForm::LightDetach() {
  subclass_.reset();
  menuWatch_.reset();
  input_.reset();
  if (menuBar_) menuBar_.reset();
  const std::vector<TSkinControl*> skinners = skinners_;
  for (TSkinControl* s : skinners) delete s;
  skinners_.clear();
  if (timer_) timer_->stop();
}

void TWinSkinForm::Detach() {
  QWidget* w = window_.data();
  const bool withFrame = skinData_ && skinData_->SkinControls().Contains(xcMainMenu);
  delete systemMenu_;
  systemMenu_ = nullptr;
  if (timer_) timer_->stop();
  subclass_.reset();
  menuWatch_.reset();
  input_.reset();
  const std::vector<TSkinControl*> skinners = skinners_;
  for (TSkinControl* s : skinners) delete s;
  skinners_.clear();
  if (form_) {
    for (QMenu* menu : form_->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) UnhookMenuItems(menu);
    if (form_->HasMenu())
      for (QAction* a : form_->Menu()->actions())
        if (a->menu()) {
          UnhookMenuItems(a->menu());
          disconnect(a->menu(), &QMenu::aboutToShow, this, nullptr);
        }
    if (saved_.hadColor && life_ != flDestroying) form_->SetColor(saved_.color);
  } else if (w && life_ != flDestroying) {
    w->setPalette(saved_.hadPalette ? saved_.palette : QPalette());
    if (!saved_.hadPalette) w->setAttribute(Qt::WA_SetPalette, false);
  }
  if (!withFrame || !w) {
    attached_ = false;
    return;
  }
  if (menuBar_) {
    menuBar_->Restore();
    menuBar_.reset();
  }
  ForgetComposedFrame();
  buttons_.clear();
  hot_ = nullptr;
  if (life_ != flDestroying) {
    // The client keeps its size and place under the platform frame again.
    const QRect client(w->mapToGlobal(QPoint(0, 0)) + QPoint(metrics_.L + extraMessageMargins_.left(), metrics_.T + metrics_.M),
                       w->contentsRect().size());
    const bool untouched = w->geometry() == fittedGeometry_;
    ShiftHandPlacedChildren(-handPlacedShift_.x(), -handPlacedShift_.y());
    handPlacedShift_ = {};
    w->setContentsMargins(saved_.margins);
    w->setMinimumSize(saved_.minimum);
    w->setMaximumSize(saved_.maximum);
    SetFrameStyles(true);
    if (showState_ == ssNormal) {
      if (untouched) w->setGeometry(saved_.geometry);
      else w->setGeometry(client);
    }
    w->setMouseTracking(saved_.mouseTracking);
    if (saved_.hadCursorSet) w->setCursor(saved_.cursor);
    else w->unsetCursor();
  }
  w->clearMask();
  hasRegion_ = false;
  regionSize_ = {};
  metrics_ = {};
  attached_ = false;
}

// ---- metrics, styles and size ------------------------------------------------

void TWinSkinForm::RebuildFrameMetrics() {
  if (!skinData_ || skinData_->NotLoaded()) return;
  const int m = menuBar_ ? menuBar_->Height() : 0;
  metrics_ = ComputeFrameMetrics(skinData_->Elements(), kind_);
  metrics_.M = kind_ == fkNone ? 0 : m;
  // A skin without a top border gives no caption to move or close the window
  // by: the window keeps the platform's frame then.
  framed_ = kind_ != fkNone && metrics_.T > 0;
  if (!framed_) metrics_ = TFrameMetrics{0, 0, 0, 0, m};
  ForgetComposedFrame();  // painted with the skin before
  // The caption buttons, one per button of the skin.
  FreeCaptionButtons();
  const auto& list = skinData_->Elements().SysButtons;
  for (int i = 0; i < static_cast<int>(list.size()); ++i) {
    const int action = list[static_cast<size_t>(i)]->Action;
    if ((action == 3 || action == 11) && skinData_->AppIcon().isNull()) skinData_->AppIcon() = appIcon_;
    buttons_.push_back(std::make_unique<TWinSysButton>(this, skinData_, i));
  }
  generation_ = skinData_->Generation();
}

void TWinSkinForm::FreeCaptionButtons() {
  hot_ = nullptr;
  buttons_.clear();
}

void TWinSkinForm::SetFrameStyles(bool restore) {
  QWidget* w = window_.data();
  if (!w) return;
  if (restore) {
    SetFlagsInPlace(w, saved_.flags);
    caps_.CaptionRemoved = false;
  } else {
    // The skin draws the caption, its buttons and the borders.
    caps_.CaptionRemoved = !w->parentWidget();
    SetFlagsInPlace(w, saved_.flags | Qt::FramelessWindowHint);
  }
}

void TWinSkinForm::ShiftHandPlacedChildren(int dx, int dy) {
  QWidget* w = window_.data();
  if (!w || (dx == 0 && dy == 0)) return;
  // Only windows laid out by alignment place some children by hand; other
  // layouts place every child inside the contents margins themselves.
  QLayout* layout = w->layout();
  auto* align = qobject_cast<toolkit::AlignLayout*>(layout);
  if (layout && !align) return;
  for (QObject* o : w->children()) {
    if (!o->isWidgetType()) continue;
    auto* child = static_cast<QWidget*>(o);
    if (child->isWindow() || (layout && layout->menuBar() == child)) continue;
    if (align && toolkit::Align(child) != toolkit::alNone && align->indexOf(child) >= 0) continue;
    child->move(child->pos() + QPoint(dx, dy));
  }
}

void TWinSkinForm::ApplyMargins() {
  QWidget* w = window_.data();
  if (!w) return;
  const QMargins m = metrics_.Margins() + extraMessageMargins_;
  const QPoint origin(m.left(), m.top());
  ShiftHandPlacedChildren(origin.x() - handPlacedShift_.x(), origin.y() - handPlacedShift_.y());
  handPlacedShift_ = origin;
  w->setContentsMargins(m);
}

int TWinSkinForm::CaptionWidthNeeded() const {
  const TDataSkinTitle& title = skinData_->Elements().Title;
  return title.Margins.Left + QFontMetrics(captionFont_).horizontalAdvance(CaptionText()) + title.Margins.Right;
}

void TWinSkinForm::GrowForCaption(int clientWidth) {
  // A message window whose caption is wider than its body grows, its children
  // moved right by half the difference.
  const int needed = CaptionWidthNeeded();
  const int width = clientWidth + metrics_.L + metrics_.R;
  const int diff = needed - width;
  extraMessageMargins_ = diff > 0 ? QMargins(diff / 2, 0, diff - diff / 2, 0) : QMargins();
}

void TWinSkinForm::FitWindowToClient(bool keepClient) {
  QWidget* w = window_.data();
  if (!w || kind_ == fkNone) return;
  // Before the first fit the whole window is still its client.
  const QMargins before = fitPending_ ? saved_.margins : w->contentsMargins();
  fitPending_ = false;
  const QSize client = w->size().shrunkBy(before).expandedTo(QSize(1, 1));
  if (!keepClient && dialog_) GrowForCaption(client.width());
  const QMargins m = metrics_.Margins() + extraMessageMargins_;
  const QSize grow(m.left() + m.right() - before.left() - before.right(),
                   m.top() + m.bottom() - before.top() - before.bottom());
  // Limits move with the frame, so a fixed-size window keeps its client.
  const QSize minimum = WidenedLimit(w->minimumSize(), grow, false);
  const QSize maximum = WidenedLimit(w->maximumSize(), grow, true);
  ApplyMargins();
  if (showState_ == ssMaximized) {
    fittedGeometry_ = w->geometry();
    return;
  }
  // Dialogs that size themselves when shown take the margins into their size.
  const bool sizesItself = !form_ && !w->isVisible() && qobject_cast<QDialog*>(w);
  if (sizesItself) {
    fittedGeometry_ = QRect();
    return;
  }
  if (grow.width() > 0 || grow.height() > 0) {
    w->setMaximumSize(maximum);
    w->setMinimumSize(minimum);
  } else {
    w->setMinimumSize(minimum);
    w->setMaximumSize(maximum);
  }
  const QSize outer(client.width() + m.left() + m.right(), client.height() + m.top() + m.bottom());
  // The window keeps its outer top-left corner.
  const QPoint at = fitAt_ ? *fitAt_ : w->geometry().topLeft();
  fitAt_.reset();
  w->setGeometry(QRect(at, outer));
  fittedGeometry_ = w->geometry();
}

QRect TWinSkinForm::MenuBarRect() const {
  const QWidget* w = window_.data();
  const int W = w ? w->width() : 0;
  return QRect(QPoint(metrics_.L, metrics_.T), QPoint(W - metrics_.R - 1, metrics_.T + metrics_.M - 1));
}

QString TWinSkinForm::CaptionText() const {
  const QWidget* w = window_.data();
  return QStringLiteral("  ") + (w ? w->windowTitle() : QString()) + QStringLiteral(" ");
}

// ---- painting -----------------------------------------------------------------

namespace {

TFrameScene MakeScene(const TWinSkinForm& f, const QWidget* w, const TCaptionContext& context,
                      const std::vector<std::unique_ptr<TWinSysButton>>& buttons) {
  TFrameScene s;
  s.size = w->size();
  s.metrics = f.Metrics();
  s.kind = f.Kind();
  s.active = f.Active();
  s.rightToLeft = f.RightToLeft();
  s.popupStyle = (w->windowFlags() & Qt::WindowType_Mask) == Qt::Dialog;
  s.text = f.CaptionText();
  s.font = f.CaptionFont();
  s.appIcon = f.AppIconImage();
  for (const auto& b : buttons) {
    const TDataSkinSysButton* d = b->Data();
    TCaptionButtonPaint p;
    p.data = d;
    p.showsIcon = d && (d->Action == 3 || d->Action == 11);
    p.visible = d && IsCaptionButtonVisible(*d, b->Index(), context) &&
                (p.showsIcon ? !s.appIcon.isNull() : !d->Image.isNull());
    if (d && b->State != ncsNormal) p.stateFrame = StateButtonFrame(*d, b->State);
    s.buttons.push_back(p);
  }
  return s;
}

}  // namespace

TCaptionContext TWinSkinForm::Context() const {
  TCaptionContext c;
  c.caps = caps_;
  c.maximized = showState_ == ssMaximized;
  c.active = active_;
  c.kind = kind_;
  c.dialogClass = dialog_;
  c.M = metrics_.M;
  QWidget* w = window_.data();
  c.askWindow = [w](int index) { return platform::SendMessage(w, platform::SKM_BUTTONVISIBLE, index) > 0; };
  return c;
}

void TWinSkinForm::LayoutButtons() {
  QWidget* w = window_.data();
  if (!w || !skinData_) return;
  TFrameScene scene = MakeScene(*this, w, Context(), buttons_);
  LayoutCaption(scene, skinData_->Elements());
  for (size_t i = 0; i < buttons_.size() && i < scene.buttons.size(); ++i) {
    buttons_[i]->Visible = scene.buttons[i].visible;
    buttons_[i]->Rect = scene.buttons[i].visible ? scene.buttons[i].rect : QRect();
  }
}

QImage TWinSkinForm::ComposeFrame() const {
  const QWidget* w = window_.data();
  if (!w || !skinData_) return {};
  const TFrameScene scene = MakeScene(*this, w, Context(), buttons_);
  return skin::ComposeFrame(scene, skinData_->Elements());
}

void TWinSkinForm::PaintFrame(QPainter* dc) {
  QWidget* w = window_.data();
  if (!w || !skinData_ || (life_ != flNormal && life_ != flRefreshing) || kind_ == fkNone) return;
  try {
    TFrameScene scene = MakeScene(*this, w, Context(), buttons_);
    const TSkinElements& e = skinData_->Elements();
    const TCaptionTextLayout text = LayoutCaption(scene, e);
    for (size_t i = 0; i < buttons_.size() && i < scene.buttons.size(); ++i) {
      buttons_[i]->Visible = scene.buttons[i].visible;
      buttons_[i]->Rect = scene.buttons[i].visible ? scene.buttons[i].rect : QRect();
    }
    const int W = w->width(), H = w->height();
    const TFrameMetrics& m = metrics_;
    std::unique_ptr<QPainter> own;
    if (!dc) {
      own = std::make_unique<QPainter>(w);
      dc = own.get();
    }
    auto put = [dc](const QPoint& at, const QImage& img) {
      if (!img.isNull()) dc->drawImage(at, img);
    };
    const int generation = skinData_->Generation();
    if (!borders_.valid || borders_.size != QSize(W, H) || borders_.active != scene.active ||
        borders_.generation != generation) {
      borders_.left = ComposeBorder(e.FrameLeft, {m.L, H}, false, scene.active);
      borders_.right = ComposeBorder(e.FrameRight, {m.R, H}, false, scene.active);
      borders_.bottom = ComposeBorder(e.FrameBottom, {W - m.L - m.R, m.B}, true, scene.active);
      borders_.size = {W, H};
      borders_.active = scene.active;
      borders_.generation = generation;
      borders_.valid = true;
    }
    put({0, 0}, borders_.left);
    put({W - m.R, 0}, borders_.right);
    put({m.L, H - m.B}, borders_.bottom);
    TStripKey key{{W, H}, generation, scene.active, scene.rightToLeft, text.shown,
                  text.plate, text.textRect, text.clipRight, scene.font, scene.appIcon.cacheKey(), {}};
    for (const TCaptionButtonPaint& b : scene.buttons) key.buttons.emplace_back(b.rect, b.visible, b.stateFrame);
    if (strip_.isNull() || stripKey_ != key) {
      strip_ = ComposeCaptionStrip(scene, e, text);
      stripKey_ = std::move(key);
    }
    put({0, 0}, strip_);
    if (menuBar_ && m.M > 0) menuBar_->PaintMenuBar(*dc, MenuBarRect());
  } catch (...) {
  }
}

void TWinSkinForm::ForgetComposedFrame() {
  strip_ = QImage();
  stripKey_.reset();
  borders_.valid = false;
}

void TWinSkinForm::InvalidateFrame() {
  QWidget* w = window_.data();
  if (!w) return;
  const QRect all = w->rect();
  QRegion frame(all);
  frame -= all.marginsRemoved(metrics_.Margins());
  w->update(frame);
}

void TWinSkinForm::UpdateFrameRegion() {
  QWidget* w = window_.data();
  if (!w || !skinData_ || life_ == flDestroyed) return;
  if (w->size() == regionSize_ && life_ != flRefreshing) return;
  // Only a strip painted for this size and skin shapes the top.
  const bool stripFits = strip_.width() == w->width() && strip_.height() == metrics_.T;
  const QRegion region =
      FrameRegion(w->size(), metrics_, skinData_->Elements(), active_, kind_, stripFits ? strip_ : QImage());
  w->setMask(region);
  hasRegion_ = true;
  regionSize_ = w->size();
}

// ---- icon, show state, system menu ---------------------------------------------

void TWinSkinForm::LoadAppIcon() {
  QWidget* w = window_.data();
  const int size = platform::Metric(platform::SM_CXSMICON);
  QIcon icon = w ? w->windowIcon() : QIcon();
  if (icon.isNull()) icon = QApplication::windowIcon();
  appIcon_ = QImage();
  if (!icon.isNull()) {
    appIcon_ = QImage(size, size, QImage::Format_RGB32);
    appIcon_.fill(QColor(255, 0, 255));
    QPainter p(&appIcon_);
    icon.paint(&p, QRect(0, 0, size, size));
  } else if (skinData_ && !skinData_->AppIcon().isNull()) {
    appIcon_ = skinData_->AppIcon();
  } else {
    // Without any icon the system-menu button shows the platform's menu glyph.
    appIcon_ = QImage(size, size, QImage::Format_RGB32);
    appIcon_.fill(QColor(255, 0, 255));
    QPainter p(&appIcon_);
    QApplication::style()->standardIcon(QStyle::SP_TitleBarMenuButton).paint(&p, QRect(0, 0, size, size));
  }
}

void TWinSkinForm::ReadShowState() {
  const QWidget* w = window_.data();
  if (!w) return;
  const Qt::WindowStates s = w->windowState();
  showState_ = s.testFlag(Qt::WindowMinimized) ? ssMinimized : s.testFlag(Qt::WindowMaximized) ? ssMaximized : ssNormal;
}

void TWinSkinForm::BuildSystemMenu() {
  delete systemMenu_;
  systemMenu_ = new QMenu(window_.data());
  systemMenu_->setObjectName(QStringLiteral("SystemMenu"));
  systemMenu_->setProperty("Tag", kSystemMenuTag);
  const TImageList& glyphs = skinData_->MenuGlyphs();
  auto add = [this, &glyphs](const QString& caption, int tag, int image) {
    QAction* a = systemMenu_->addAction(caption);
    a->setProperty("Tag", tag);
    a->setProperty("ImageIndex", image);
    const QImage g = glyphs.Image(image);
    if (!g.isNull()) a->setIcon(QIcon(QPixmap::fromImage(g)));
    connect(a, &QAction::triggered, this, [this, tag] { SystemMenuClick(tag); });
    return a;
  };
  add(QStringLiteral(" Restore "), 0, 0);
  if (caps_.Maximize) add(QStringLiteral(" Maximize "), 1, 1);
  if (caps_.Minimize) add(QStringLiteral(" Minimize "), 2, 2);
  QAction* separator = systemMenu_->addSeparator();
  separator->setProperty("Tag", 100);
  QAction* close = add(QStringLiteral(" Close "), 3, 3);
  close->setShortcut(QKeySequence(QStringLiteral("Shift+F4")));
  close->setShortcutContext(Qt::WidgetShortcut);
  systemMenu_->installEventFilter(this);
  if (skinData_->SkinControls().Contains(xcSystemMenu)) HookMenuItems(systemMenu_, skinData_, mikSystemMenu);
}

void TWinSkinForm::SystemMenuClick(int tag) {
  switch (tag) {
    case 0: PostSysCommand(scRestore); break;
    case 1: PostSysCommand(scMaximize); break;
    case 2: PostSysCommand(scMinimize); break;
    case 3:
      if (timer_) timer_->stop();
      PostSysCommand(scClose);
      break;
    default: break;
  }
}

void TWinSkinForm::ShowSystemMenu(const QPoint& point) {
  if (!systemMenu_ || !window_) return;
  for (QAction* a : systemMenu_->actions()) {
    const int tag = a->property("Tag").toInt();
    if (tag >= 0 && tag <= 2) a->setEnabled(showState_ != tag);
  }
  const int doubleClick = QApplication::doubleClickInterval();
  if (!lastSystemMenu_.isValid() || lastSystemMenu_.elapsed() > doubleClick) {
    if (TSkinManage* m = TSkinManage::Instance()) m->SetMenuSource(msSystemMenu);
    lastSystemMenu_.start();
    systemMenuAt_ = point;
    systemMenu_->popup(point);
    return;
  }
  // A second call within the double-click time closes the window when a
  // caption object is hot (a double click on the icon).
  if (hot_) {
    if (timer_) timer_->stop();
    PostSysCommand(scClose);
  }
}

bool TWinSkinForm::eventFilter(QObject* o, QEvent* e) {
  // A press on the just-opened system menu, at the point it opened from and
  // within the double-click time, is the second click of a double click.
  if (o == systemMenu_ && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)) {
    auto* me = static_cast<QMouseEvent*>(e);
    const QPoint d = GlobalPos(me) - systemMenuAt_;
    if (lastSystemMenu_.isValid() && lastSystemMenu_.elapsed() <= QApplication::doubleClickInterval() &&
        std::abs(d.x()) <= 2 && std::abs(d.y()) <= 2) {
      systemMenu_->close();
      ShowSystemMenu(GlobalPos(me));
      return true;
    }
  }
  return false;
}

void TWinSkinForm::PostSysCommand(int command) {
  QPointer<QWidget> w = window_;
  QPointer<TWinSkinForm> self = this;
  QTimer::singleShot(0, this, [self, w, command] {
    if (!self || !w) return;
    self->SysCommand(command);
  });
}

void TWinSkinForm::SysCommand(int command) {
  QWidget* w = window_.data();
  if (!w) return;
  switch (command) {
    case scClose: w->close(); break;
    case scMaximize:
      if (!(w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) normalGeometry_ = w->geometry();
      showState_ = ssMaximized;
      if (const QScreen* s = w->screen()) w->setGeometry(s->availableGeometry());
      w->showMaximized();
      break;
    case scMinimize:
      if (!(w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) normalGeometry_ = w->geometry();
      showState_ = ssMinimized;
      w->showMinimized();
      // Without a window manager nothing would iconify the window: it is hidden.
      if (!platform::HasWindowManager()) w->hide();
      break;
    case scRestore: {
      const bool wasMinimized = showState_ == ssMinimized;
      // A form maximised from the start returns to its designed bounds, framed.
      if (!normalGeometry_.isValid() && form_ && form_->DesignBounds().isValid()) {
        const QRect design = form_->DesignBounds();
        normalGeometry_ = QRect(design.topLeft(), design.size().grownBy(metrics_.Margins() + extraMessageMargins_));
      }
      showState_ = ssNormal;
      w->showNormal();
      if (!wasMinimized || !normalGeometry_.isValid() || !platform::HasWindowManager()) {
        if (normalGeometry_.isValid()) w->setGeometry(normalGeometry_);
      }
      w->activateWindow();
      break;
    }
    default: break;
  }
  InvalidateFrame();
}

void TWinSkinForm::DoCaptionAction(int action) {
  // Maximise or minimise, or restore when the window is in that state already.
  auto toggle = [this](int state, int command) {
    const bool restore = showState_ == state;
    PostSysCommand(restore ? scRestore : command);
    showState_ = restore ? ssNormal : state;
  };
  switch (action) {
    case 0:
      if (timer_) timer_->stop();
      PostSysCommand(scClose);
      break;
    case 1:
    case 22: toggle(ssMaximized, scMaximize); break;
    case 2:
    case 23: toggle(ssMinimized, scMinimize); break;
    case 3:
    case 11:
    case 12: ShowSystemMenu(QCursor::pos() + QPoint(1, 1)); break;
    case 7: case 60: case 8: case 61: case 9: case 62:
      break;  // the active MDI child's buttons: this system has no MDI windows
    default:
      platform::PostMessage(window_.data(), platform::SKM_CUSTOMACTION, action);
      break;
  }
}

// ---- refresh ----------------------------------------------------------------------

void TWinSkinForm::RefreshSkin() {
  QWidget* w = window_.data();
  if (!w || !skinData_) return;
  if (form_) form_->SetColor(platform::ColorToRGB(skinData_->ButtonFace()));
  else ApplyButtonFacePalette();
  QWidget* focused = QApplication::focusWidget();
  const bool hadFocus = focused && focused->window() == w;
  const std::vector<TSkinControl*> skinners = skinners_;
  for (TSkinControl* s : skinners) s->Refresh();
  life_ = flRefreshing;
  if (skinData_->SkinControls().Contains(xcMainMenu)) {
    if (form_ && skinData_->SkinControls().Contains(xcPopupMenu))
      for (QMenu* menu : form_->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        if (menu != systemMenu_ && menu->property("Tag").toInt() % 100 != skinData_->DisableTag())
          HookMenuItems(menu, skinData_, mikPopupMenu);
    // The new skin may bring or drop the frame.
    if (showState_ != ssMinimized && framed_ != w->windowFlags().testFlag(Qt::FramelessWindowHint))
      SetFrameStyles(!framed_);
    FitWindowToClient(true);
    if (w->layout()) w->layout()->activate();
    UpdateFrameRegion();
  }
  if (hadFocus && focused) focused->setFocus();
  life_ = flNormal;
  w->update();
}

// ---- control skinners ------------------------------------------------------------

void TWinSkinForm::AddSkinner(TSkinControl* skinner) {
  if (skinner && std::find(skinners_.begin(), skinners_.end(), skinner) == skinners_.end())
    skinners_.push_back(skinner);
}

void TWinSkinForm::RemoveSkinner(TSkinControl* skinner) {
  std::erase(skinners_, skinner);
  if (hotControl_ == skinner) hotControl_ = nullptr;
}

TSkinControl* TWinSkinForm::FindSkinner(const QWidget* control) const {
  for (TSkinControl* s : skinners_)
    if (s->Control() == control || s->Handle() == control) return s;
  return nullptr;
}

void TWinSkinForm::SetHotControl(TSkinControl* skinner) { hotControl_ = skinner; }

TSkinControl* TWinSkinForm::HotControl() const { return hotControl_.data(); }

void TWinSkinForm::AttachControls() { skin::AttachControls(*this); }

// ---- messages -----------------------------------------------------------------------

void TWinSkinForm::SetActive(bool on) {
  if (active_ == on) return;
  active_ = on;
  if (timer_) {
    if (on && life_ == flNormal) timer_->start();
    else timer_->stop();
  }
  InvalidateFrame();
}

bool TWinSkinForm::FrameHandled() const {
  return skinData_ && skinData_->SkinControls().Contains(xcMainMenu);
}

bool TWinSkinForm::Before(QEvent* e) {
  QWidget* w = window_.data();
  if (!w) return true;
  if (platform::WinMessage* m = platform::AsWinMessage(e)) {
    switch (m->Msg()) {
      case platform::SKM_QUERYSKINNED:
        m->Result = 1;
        return false;
      case platform::SKM_ATTACHCONTROLS:
        OnAttachControls();
        return false;
      case platform::SKM_REFRESH:
        if (FrameHandled()) RefreshSkin();
        return false;
      case platform::SKM_REPAINTFRAME:
        if (FrameHandled()) InvalidateFrame();
        return false;
      case platform::WM_NCDESTROY:
        WindowDestroyed();
        return false;
      default: return true;
    }
  }
  if (!FrameHandled()) return true;
  const bool nonClient = life_ != flAttached && showState_ != ssMinimized && kind_ != fkNone;
  switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      if (nonClient && input_ && input_->Mouse(static_cast<QMouseEvent*>(e))) return false;
      return true;
    case QEvent::ContextMenu: {
      // The right click on the caption opened the system menu already.
      auto* c = static_cast<QContextMenuEvent*>(e);
      if (nonClient && c->reason() == QContextMenuEvent::Mouse && HitTest(c->pos()) != HTCLIENT) return false;
      return true;
    }
    case QEvent::Show:
      // The window's first showing: it has been placed and maximised or not.
      if (fitPending_) {
        ReadShowState();
        fitAt_.reset();
        if (!(!form_ && qobject_cast<QDialog*>(w))) FitWindowToClient(true);
        fitPending_ = false;
      }
      return true;
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(e);
      if (menuBar_ && k->modifiers() == Qt::AltModifier && !k->text().isEmpty() &&
          menuBar_->HandleAccelerator(k->text().at(0)))
        return false;
      return true;
    }
    default: return true;
  }
}

void TWinSkinForm::After(QEvent* e) {
  QWidget* w = window_.data();
  if (!w || !FrameHandled()) return;
  switch (e->type()) {
    case QEvent::Paint:
      if (kind_ != fkNone && showState_ != ssMinimized) {
        QPainter p(w);
        p.setClipRegion(static_cast<QPaintEvent*>(e)->region());
        PaintFrame(&p);
      }
      break;
    case QEvent::Resize:
      ReadShowState();
      if (showState_ != ssMinimized && (life_ == flNormal || life_ == flRefreshing)) UpdateFrameRegion();
      break;
    case QEvent::WindowStateChange: {
      ReadShowState();
      if (showState_ == ssMaximized && input_) input_->RestoreCursor();
      InvalidateFrame();
      break;
    }
    case QEvent::Show:
      // A message window has sized itself now, before it is mapped.
      if (dialog_ && !form_ && life_ == flAttached && extraMessageMargins_.isNull()) {
        const QMargins m = w->contentsMargins();
        GrowForCaption(w->width() - m.left() - m.right());
        if (!extraMessageMargins_.isNull()) {
          ApplyMargins();
          if (QLayout* layout = w->layout()) layout->activate();
          const int needed = CaptionWidthNeeded();
          if (w->width() < needed) {
            if (w->minimumWidth() == w->maximumWidth()) w->setFixedWidth(needed);
            else w->resize(needed, w->height());
          }
        }
      }
      break;
    case QEvent::WindowActivate: SetActive(true); break;
    case QEvent::WindowDeactivate: SetActive(false); break;
    case QEvent::WindowTitleChange: InvalidateFrame(); break;
    case QEvent::WindowIconChange:
      LoadAppIcon();
      InvalidateFrame();
      break;
    case QEvent::Leave:
      if (input_) input_->RestoreCursor();
      break;
    default: break;
  }
}

void TWinSkinForm::OnAttachControls() {
  AttachControls();
  if (life_ == flAttached && FrameHandled()) {
    if (showState_ != ssMinimized && kind_ != fkNone) {
      life_ = flFirstLayout;
      FitWindowToClient(false);
      life_ = flNormal;
      UpdateFrameRegion();
    }
  }
  life_ = flNormal;
  if (window_ && window_->isActiveWindow()) active_ = true;
  if (timer_ && active_) timer_->start();
  if (window_) window_->update();
}

void TWinSkinForm::OnTimer() {
  QWidget* w = window_.data();
  if (!w) return;
  const QPoint p = w->mapFromGlobal(QCursor::pos());
  if (hot_ && !trackingMenu_ && !(menuBar_ && menuBar_->MenuOpen()) && !hot_->Rect.contains(p)) hot_->Leave();
  if (TSkinControl* c = hotControl_.data()) {
    QWidget* h = c->Handle();
    if (h && !QRect(h->mapToGlobal(QPoint(0, 0)), h->size()).contains(QCursor::pos())) {
      QEvent leave(QEvent::Leave);
      QCoreApplication::sendEvent(h, &leave);
      hotControl_ = nullptr;
    }
  }
}

void TWinSkinForm::PostNcLButtonDown(const QPoint& windowPoint) {
  QPointer<QWidget> w = window_;
  QTimer::singleShot(0, this, [w, windowPoint] {
    if (!w) return;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(windowPoint), QPointF(w->mapToGlobal(windowPoint)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
  });
}

int TWinSkinForm::HitTest(const QPoint& p) const {
  const QWidget* w = window_.data();
  if (!w) return HTNOWHERE;
  TFrameMetrics m = metrics_;
  m.L += extraMessageMargins_.left();
  m.R += extraMessageMargins_.right();
  const bool sizeable = kind_ == fkSizeable && showState_ == ssNormal;
  return FrameHitTest(p, w->size(), m, sizeable);
}

TWinSysButton* TWinSkinForm::CaptionButtonAt(const QPoint& p) const {
  for (const auto& b : buttons_) {
    const TDataSkinSysButton* d = b->Data();
    if (d && b->Visible && d->Action >= 0 && d->Align != 100 && b->Rect.contains(p)) return b.get();
  }
  return nullptr;
}

// ---- the pointer on the frame ------------------------------------------------------

bool TFrameInput::Mouse(QMouseEvent* e) {
  QWidget* w = frame_.Handle();
  if (!w) return false;
  const QPoint p = e->position().toPoint();
  if (drag_ == dragMoving || drag_ == dragResizing || drag_ == dragPending) {
    if (e->type() == QEvent::MouseMove) {
      ContinueDrag(e);
      return true;
    }
    if (e->type() == QEvent::MouseButtonRelease) {
      drag_ = dragNone;
      return true;
    }
  }
  if (drag_ == dragSystem) drag_ = dragNone;
  const int hit = frame_.HitTest(p);
  TNCObject* hot = frame_.HotObject();
  switch (e->type()) {
    case QEvent::MouseMove: {
      if (e->buttons() != Qt::NoButton) return hit != HTCLIENT;
      if (hit == HTCLIENT) {
        RestoreCursor();
        if (hot) hot->Leave();
        return false;
      }
      ShowCursorFor(hit);
      if (!frame_.Active()) return true;
      TNCObject* over = frame_.CaptionButtonAt(p);
      if (!over && frame_.MenuBarSkinner()) over = frame_.MenuBarSkinner()->HitTestMenuBar(p);
      if (over) {
        if (over != hot || over->State == ncsNormal) over->Enter();
      } else if (hot) {
        hot->Leave();
      }
      return true;
    }
    case QEvent::MouseButtonPress: {
      if (hit == HTCLIENT) return false;
      if (e->button() == Qt::LeftButton) {
        TNCObject* over = frame_.CaptionButtonAt(p);
        TNCObject* item = nullptr;
        if (!over && frame_.MenuBarSkinner()) item = frame_.MenuBarSkinner()->HitTestMenuBar(p);
        if (over || item) {
          if (!frame_.Active()) {
            w->raise();
            w->activateWindow();
          }
          (over ? over : item)->Press();
          if (item) frame_.MenuBarSkinner()->OpenMenuBarItem(item);
          return true;
        }
        // A maximised window is not moved by its caption.
        if (frame_.ShowState() == ssMaximized && hit == HTCAPTION) return true;
        if (hit == HTCAPTION || EdgesForHit(hit)) StartDrag(e, hit);
        return true;
      }
      if (e->button() == Qt::RightButton && (hit == HTCAPTION || hit == HTMENU)) {
        frame_.ShowSystemMenu(GlobalPos(e));
        return true;
      }
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (e->button() == Qt::LeftButton && hot && hot->State == ncsPressed) {
        auto* button = dynamic_cast<TWinSysButton*>(hot);
        if (hot->Rect.contains(p)) {
          hot->Release();
          if (button) frame_.DoCaptionAction(button->Action());
        } else {
          hot->Leave();
        }
        return true;
      }
      return hit != HTCLIENT;
    }
    case QEvent::MouseButtonDblClick: {
      if (hit == HTCLIENT) return false;
      if (e->button() == Qt::LeftButton) {
        if (TWinSysButton* b = frame_.CaptionButtonAt(p)) {
          // The second click of a double click on a button presses it again.
          b->Press();
          return true;
        }
        if (hit != HTCAPTION) return true;
        if (frame_.ShowState() != ssNormal) frame_.DoCaptionAction(1);
        else if (frame_.Caps().Maximize) frame_.DoCaptionAction(1);
        return true;
      }
      if (e->button() == Qt::RightButton && (hit == HTCAPTION || hit == HTMENU)) {
        frame_.ShowSystemMenu(GlobalPos(e));
        return true;
      }
      return true;
    }
    default: return false;
  }
}

void TFrameInput::StartDrag(QMouseEvent* e, int hit) {
  QWidget* w = frame_.Handle();
  drag_ = dragPending;
  dragHit_ = hit;
  pressGlobal_ = GlobalPos(e);
  pressGeometry_ = w->geometry();
}

void TFrameInput::ContinueDrag(QMouseEvent* e) {
  QWidget* w = frame_.Handle();
  if (!(e->buttons() & Qt::LeftButton)) {
    drag_ = dragNone;
    return;
  }
  const QPoint delta = GlobalPos(e) - pressGlobal_;
  if (drag_ == dragPending) {
    // The window manager moves and resizes when there is one.
    QWindow* handle = w->windowHandle();
    const Qt::Edges edges = EdgesForHit(dragHit_);
    bool system = false;
    if (handle && platform::HasWindowManager())
      system = edges ? handle->startSystemResize(edges) : handle->startSystemMove();
    if (system) {
      drag_ = dragSystem;
      return;
    }
    // Moved by hand, the window follows the pointer from here on, as a window
    // manager's move does from where it was started.
    drag_ = edges ? dragResizing : dragMoving;
    pressGlobal_ = GlobalPos(e);
    pressGeometry_ = w->geometry();
    return;
  }
  if (drag_ == dragMoving) {
    w->move(MovedGeometry(pressGeometry_, delta).topLeft());
  } else if (drag_ == dragResizing) {
    const QMargins m = w->contentsMargins();
    const QSize minimum = w->minimumSize().expandedTo(QSize(m.left() + m.right() + 1, m.top() + m.bottom() + 1));
    w->setGeometry(ResizedGeometry(pressGeometry_, EdgesForHit(dragHit_), delta, minimum, w->maximumSize()));
  }
}

void TFrameInput::ShowCursorFor(int hit) {
  QWidget* w = frame_.Handle();
  const Qt::CursorShape shape = CursorForHit(hit);
  if (shape == Qt::ArrowCursor) {
    RestoreCursor();
    return;
  }
  if (!cursorShown_) {
    hadCursor_ = w->testAttribute(Qt::WA_SetCursor);
    savedCursor_ = w->cursor();
    cursorShown_ = true;
    qApp->installEventFilter(this);
  }
  w->setCursor(shape);
}

void TFrameInput::RestoreCursor() {
  if (!cursorShown_) return;
  cursorShown_ = false;
  qApp->removeEventFilter(this);
  QWidget* w = frame_.Handle();
  if (!w) return;
  if (hadCursor_) w->setCursor(savedCursor_);
  else w->unsetCursor();
}

bool TFrameInput::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseMove && o != frame_.Handle() && o->isWidgetType() &&
      static_cast<QWidget*>(o)->window() == frame_.Handle())
    RestoreCursor();
  return false;
}

}  // namespace skin
