#include "skin/frame/WinSkinForm.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "platform/Subclass.h"
#include "platform/WindowManager.h"
#include "platform/WinMessage.h"
#include "skin/controls/AttachControls.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinPaint.h"
#include "skin/engine/SkinData.h"
#include "skin/menu/MenuHost.h"
#include "toolkit/Fonts.h"
#include "toolkit/Form.h"
#include "toolkit/WorkArea.h"

namespace skin {

// ---- life -------------------------------------------------------------------

TWinSkinForm::TWinSkinForm(QObject* owner) : QObject(owner) {
  captionFont_ = toolkit::MakeFont(QStringLiteral("宋体"), 12, true);
}

TWinSkinForm::~TWinSkinForm() { TearDown(); }

void TWinSkinForm::AttachForm(TSkinData* skinData, toolkit::TForm* form) {
  form_ = form;
  window_ = form;
  if (AttachCommon(skinData)) menus_.HookFormMenus(true);
}

void TWinSkinForm::AttachWindow(TSkinData* skinData) { AttachCommon(skinData); }

bool TWinSkinForm::AttachCommon(TSkinData* skinData) {
  QWidget* w = window_.data();
  if (attached_ || !w || !skinData) return false;
  attached_ = true;
  skinData_ = skinData;
  disableTag_ = skinData->DisableTag();
  timer_ = new QTimer(this);
  timer_->setInterval(250);
  connect(timer_, &QTimer::timeout, this, [this] { OnTimer(); });
  connect(w, &QObject::destroyed, this, [this] { WindowDestroyed(); });

  saved_.Capture(w);
  // A window on the screen keeps the place of its outer top-left corner.
  sizing_.Start(w->isVisible() ? w->frameGeometry().topLeft() : w->geometry().topLeft());
  class_ = ClassifyFrame(FrameFactsOf(w, form_));
  rightToLeft_ = w->layoutDirection() == Qt::RightToLeft;
  systemMenu_.Build();
  ReadShowState();
  // The window takes the skin's ButtonFace as its background.
  saved_.CaptureColours(w, form_);
  ApplyButtonFacePalette();
  active_ = w->isActiveWindow();
  appIcon_ = WindowIconImage(w, skinData_->AppIcon());

  const bool frameHandled = skinData->SkinControls().Contains(xcMainMenu);
  if (frameHandled) {
    menus_.AttachMenuBar();
    RebuildFrameMetrics();
    if (showState_ != ssMinimized && framed_) SetFrameStyles(false);
    sizing_.ReserveFrame();
    // The frame follows the pointer over its borders and caption.
    w->setMouseTracking(true);
  } else {
    life_ = flNormal;
  }
  subclass_ = std::make_unique<platform::Subclass>(w, [this](QEvent* e) { return Before(e); },
                                                   [this](QEvent* e) { After(e); });
  input_ = std::make_unique<TFrameInput>(*this);
  w->update();
  return true;
}

void TWinSkinForm::ApplyButtonFacePalette() {
  QWidget* w = window_.data();
  if (!w || !skinData_) return;
  const TSkinColours& colours = skinData_->Elements().Colours;
  const platform::TColor face = platform::ColorToRGB(colours.ButtonFace);
  if (form_) form_->SetColor(face);
  // A skin with window colours of its own gives the texts on the window its
  // text colours too; another skin gives the window its own palette back.
  const bool ownColours = colours.Window != platform::clNone;
  if (form_ && !ownColours) {
    if (w->testAttribute(Qt::WA_SetPalette)) saved_.RestorePalette(w);
    return;
  }
  QPalette p = saved_.OwnPalette(w);
  if (!form_) p.setColor(QPalette::Window, platform::ToQColor(face));
  if (ownColours) ApplySkinTextColours(p, colours);
  w->setPalette(p);
}

void TWinSkinForm::MenuBarHeightChanged(int height) {
  const int m = framed_ ? height : 0;
  if (m != metrics_.M) {
    metrics_.M = m;
    FitWindowToClient(true);
  }
  InvalidateFrame();
}

void TWinSkinForm::WindowDestroyed() {
  life_ = flDestroying;
  TearDown();
  life_ = flDestroyed;
}

void TWinSkinForm::Detach() { TearDown(); }

void TWinSkinForm::TearDown() {
  subclass_.reset();
  menus_.StopWatching();
  input_.reset();
  if (timer_) timer_->stop();
  const std::vector<TSkinControl*> skinners = skinners_;
  for (TSkinControl* s : skinners) delete s;
  skinners_.clear();
  QWidget* w = window_.data();
  if (attached_ && w && life_ != flDestroying && life_ != flDestroyed) GiveBack(w);
  menus_.Release();
  attached_ = false;
}

void TWinSkinForm::GiveBack(QWidget* w) {
  systemMenu_.Discard();
  menus_.GiveBack();
  saved_.RestoreColours(w, form_);
  if (!FrameHandled()) return;
  menus_.Release();
  ForgetComposedFrame();
  buttons_.clear();
  hot_ = nullptr;
  const QRect geometry = sizing_.TakeBack();
  class_.caps.CaptionRemoved = false;
  saved_.RestoreFrame(w, showState_ == ssNormal ? std::optional<QRect>(geometry) : std::nullopt);
  compositor_.ClearRegion();
  metrics_ = {};
}

// ---- metrics and styles -------------------------------------------------------

void TWinSkinForm::RebuildFrameMetrics() {
  if (!skinData_ || skinData_->NotLoaded()) return;
  const int m = MenuBarSkinner() ? MenuBarSkinner()->Height() : 0;
  const TFrameKind kind = class_.kind;
  metrics_ = ComputeFrameMetrics(skinData_->Elements(), kind);
  metrics_.M = kind == fkNone ? 0 : m;
  // A skin without a top border gives no caption to move or close the window
  // by: the window keeps the platform's frame then.
  framed_ = kind != fkNone && metrics_.T > 0;
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
}

void TWinSkinForm::FreeCaptionButtons() {
  hot_ = nullptr;
  buttons_.clear();
}

void TWinSkinForm::SetFrameStyles(bool restore) {
  QWidget* w = window_.data();
  if (!w) return;
  // Removed, the skin draws the caption, its buttons and the borders.
  class_.caps.CaptionRemoved = !restore && !w->parentWidget();
  SetFlagsInPlace(w, restore ? saved_.Flags() : saved_.Flags() | Qt::FramelessWindowHint);
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

void TWinSkinForm::InvalidateFrame() {
  QWidget* w = window_.data();
  if (!w) return;
  const QRect all = w->rect();
  QRegion frame(all);
  frame -= all.marginsRemoved(metrics_.Margins());
  w->update(frame);
}

// ---- show state ------------------------------------------------------------------

void TWinSkinForm::ReadShowState() {
  const QWidget* w = window_.data();
  if (!w) return;
  const Qt::WindowStates s = w->windowState();
  showState_ = s.testFlag(Qt::WindowMinimized) ? ssMinimized : s.testFlag(Qt::WindowMaximized) ? ssMaximized : ssNormal;
}

// ---- refresh ----------------------------------------------------------------------

void TWinSkinForm::RefreshSkin() {
  QWidget* w = window_.data();
  if (!w || !skinData_) return;
  ApplyButtonFacePalette();
  QWidget* focused = QApplication::focusWidget();
  const bool hadFocus = focused && focused->window() == w;
  const std::vector<TSkinControl*> skinners = skinners_;
  for (TSkinControl* s : skinners) s->Refresh();
  life_ = flRefreshing;
  if (FrameHandled()) {
    menus_.HookFormMenus(false);
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

// ---- events -----------------------------------------------------------------------

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

bool TWinSkinForm::BeforeMessage(QEvent* e) {
  platform::WinMessage* m = platform::AsWinMessage(e);
  switch (m->Msg()) {
    case platform::SKM_QUERYSKINNED: m->Result = 1; return false;
    case platform::SKM_ATTACHCONTROLS: OnAttachControls(); return false;
    case platform::SKM_REFRESH:
      if (FrameHandled()) RefreshSkin();
      return false;
    case platform::SKM_REPAINTFRAME:
      if (FrameHandled()) InvalidateFrame();
      return false;
    case platform::WM_NCDESTROY: WindowDestroyed(); return false;
    default: return true;
  }
}

bool TWinSkinForm::Before(QEvent* e) {
  if (!window_) return true;
  if (platform::AsWinMessage(e)) return BeforeMessage(e);
  if (!FrameHandled()) return true;
  const bool nonClient = life_ != flAttached && showState_ != ssMinimized && class_.kind != fkNone;
  switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return !(nonClient && input_ && input_->Mouse(static_cast<QMouseEvent*>(e)));
    case QEvent::ContextMenu: {
      // The right click on the caption opened the system menu already.
      auto* c = static_cast<QContextMenuEvent*>(e);
      return !(nonClient && c->reason() == QContextMenuEvent::Mouse && HitTest(c->pos()) != HTCLIENT);
    }
    case QEvent::Show:
      if (sizing_.FitPending()) {
        ReadShowState();
        sizing_.FirstShow();
      }
      return true;
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(e);
      TMenuBarSkinner* bar = MenuBarSkinner();
      return !(bar && k->modifiers() == Qt::AltModifier && !k->text().isEmpty() &&
               bar->HandleAccelerator(k->text().at(0)));
    }
    default: return true;
  }
}

void TWinSkinForm::After(QEvent* e) {
  QWidget* w = window_.data();
  if (!w || !FrameHandled()) return;
  switch (e->type()) {
    case QEvent::Paint:
      if (class_.kind != fkNone && showState_ != ssMinimized) {
        QPainter p(w);
        p.setClipRegion(static_cast<QPaintEvent*>(e)->region());
        PaintFrame(&p);
      }
      // The window paints its exposed areas itself from now on.
      if (mapPicture_ && w->windowHandle() && w->windowHandle()->isExposed()) {
        mapPicture_ = false;
        platform::ClearMapPicture(w->windowHandle());
      }
      break;
    case QEvent::Resize:
      ReadShowState();
      if (showState_ != ssMinimized && (life_ == flNormal || life_ == flRefreshing)) UpdateFrameRegion();
      break;
    case QEvent::WindowStateChange:
      ReadShowState();
      if (showState_ == ssMaximized && input_) input_->RestoreCursor();
      InvalidateFrame();
      break;
    case QEvent::Show:
      // A message window has sized itself now, before it is mapped; widened
      // for its caption, it still lies inside the work area.
      if (class_.dialog && !form_ && life_ == flAttached) {
        sizing_.FitMessageToCaption();
        toolkit::PlaceWindow(w, toolkit::TPlacing::Inside);
      }
      ShowSkinnedFromTheStart(w);
      break;
    case QEvent::WindowActivate: SetActive(true); break;
    case QEvent::WindowDeactivate: SetActive(false); break;
    case QEvent::WindowTitleChange: InvalidateFrame(); break;
    case QEvent::WindowIconChange:
      appIcon_ = WindowIconImage(w, skinData_->AppIcon());
      InvalidateFrame();
      break;
    case QEvent::Leave:
      if (input_) input_->RestoreCursor();
      break;
    default: break;
  }
}

// A window skinned while it is being shown (its first polish comes then)
// would be mapped before the posted attachment arrives: it would appear once
// with the platform's controls, and black until its first paint. Its controls
// are attached now, before the map, and the server is given the skinned
// picture to show until the first paint.
void TWinSkinForm::ShowSkinnedFromTheStart(QWidget* w) {
  QWindow* handle = w->windowHandle();
  if (life_ != flAttached || !handle || handle->isExposed()) return;
  OnAttachControls();
  if (!mapPicture_) mapPicture_ = platform::SetMapPicture(handle, w->grab().toImage());
}

void TWinSkinForm::OnAttachControls() {
  AttachControls();
  if (life_ == flAttached && FrameHandled() && showState_ != ssMinimized && class_.kind != fkNone) {
    life_ = flFirstLayout;
    FitWindowToClient(false);
    life_ = flNormal;
    UpdateFrameRegion();
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
  if (hot_ && !trackingMenu_ && !(MenuBarSkinner() && MenuBarSkinner()->MenuOpen()) && !hot_->Rect.contains(p)) hot_->Leave();
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
  m.L += sizing_.CaptionRoom().left();
  m.R += sizing_.CaptionRoom().right();
  const bool sizeable = class_.kind == fkSizeable && showState_ == ssNormal;
  return FrameHitTest(p, w->size(), m, sizeable);
}

TWinSysButton* TWinSkinForm::CaptionButtonAt(const QPoint& p) const {
  for (const auto& b : buttons_) {
    const TDataSkinSysButton* d = b->Data();
    if (d && b->Visible && d->Action >= 0 && d->Align != 100 && b->Rect.contains(p)) return b.get();
  }
  return nullptr;
}

// ---- creation hook of the engine -----------------------------------------------------

std::unique_ptr<TFrameSkinner> CreateFrameSkinner(QWidget* window, toolkit::TForm* form, TSkinData* skinData) {
  auto frame = std::make_unique<TWinSkinForm>();
  frame->SetHandle(window);
  if (form) frame->AttachForm(skinData, form);
  else frame->AttachWindow(skinData);
  return frame;
}

}  // namespace skin
