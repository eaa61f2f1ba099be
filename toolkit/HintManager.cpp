#include "toolkit/HintManager.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "platform/Color.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

namespace toolkit {

// ---- the plain hint window ----

THintWindow::THintWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

QRect THintWindow::CalcHintRect(int maxWidth, const QString& hint) {
  QString text = hint;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QRect r = fontMetrics().boundingRect(QRect(0, 0, std::max(1, maxWidth), 0), Qt::TextWordWrap, text);
  return QRect(0, 0, r.width() + 6, r.height() + 2);
}

void THintWindow::ShowTopmost(const QRect& bounds) {
  setGeometry(bounds);
  if (!isVisible()) show();
  raise();
  update();
}

void THintWindow::ActivateHint(const QRect& rect, const QString& hint) {
  caption_ = hint;
  ShowTopmost(rect);
}

void THintWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), platform::ToQColor(platform::clInfoBk));
  p.setPen(platform::ToQColor(platform::clBlack));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.setPen(platform::ToQColor(platform::clInfoText));
  QString text = caption_;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  p.drawText(rect().adjusted(3, 1, -3, -1), Qt::TextWordWrap, text);
}

// ---- the manager ----

HintManager::HintManager() {
  factory_ = [] { return new THintWindow(); };
  showTimer_.setSingleShot(true);
  hideTimer_.setSingleShot(true);
  connect(&showTimer_, &QTimer::timeout, this, &HintManager::ShowHintNow);
  connect(&hideTimer_, &QTimer::timeout, this, [this] {
    if (window_) window_->hide();
  });
  qApp->installEventFilter(this);
}

HintManager::~HintManager() {
  if (qApp) qApp->removeEventFilter(this);
  delete window_;
}

HintManager& TheHintManager() {
  static HintManager* manager = new HintManager();  // lives until the process ends
  return *manager;
}

void HintManager::SetHintWindowClass(HintWindowFactory factory) {
  CancelHint();
  delete window_;
  factory_ = factory ? std::move(factory) : [] { return new THintWindow(); };
}

THintWindow* HintManager::EnsureWindow() {
  if (!window_) window_ = factory_();
  return window_;
}

QWidget* HintManager::HintControlOf(QWidget* w) {
  for (; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
    if (qobject_cast<THintWindow*>(w)) return nullptr;
    const QVariant show = w->property("ShowHint");
    if (show.isValid() && !show.toBool()) continue;
    if (!w->toolTip().isEmpty()) return w;
  }
  return nullptr;
}

void HintManager::CancelHint() {
  showTimer_.stop();
  hideTimer_.stop();
  if (window_) window_->hide();
  hintControl_ = nullptr;
  hintActive_ = false;
}

void HintManager::ScheduleEvaluate() {
  // Leave and Enter arrive as a pair when the pointer crosses from one control to
  // the next; decide once both are in.
  if (evaluatePending_) return;
  evaluatePending_ = true;
  QTimer::singleShot(0, this, &HintManager::Evaluate);
}

void HintManager::Evaluate() {
  evaluatePending_ = false;
  QWidget* control = TheApplication().ShowHint() ? HintControlOf(underPointer_) : nullptr;
  if (!control) {
    CancelHint();
    return;
  }
  if (control == hintControl_) return;
  const bool wasActive = hintActive_;
  CancelHint();
  hintControl_ = control;
  showTimer_.start(wasActive ? TheApplication().HintShortPause() : TheApplication().HintPause());
}

void HintManager::ShowHintNow() {
  showTimer_.stop();
  QWidget* control = hintControl_;
  if (!control || !TheApplication().ShowHint() || !control->isVisible()) return;
  QString text = control->toolTip();
  THintInfo info;
  info.HintControl = control;
  info.CursorPos = cursorPos_;
  info.HintPos = cursorPos_ + QPoint(0, 20);
  QScreen* screen = QGuiApplication::screenAt(cursorPos_);
  if (!screen) screen = QGuiApplication::primaryScreen();
  info.HintMaxWidth = screen ? screen->geometry().width() : 640;
  info.CursorRect = QRect(control->mapToGlobal(QPoint(0, 0)), control->size());
  info.HideTimeout = TheApplication().HintHidePause();
  bool canShow = true;
  if (OnShowHint) Dispatch(OnShowHint, text, canShow, info);
  if (!canShow || text.isEmpty()) return;
  THintWindow* window = EnsureWindow();
  QRect r = window->CalcHintRect(info.HintMaxWidth, text);
  r.moveTopLeft(info.HintPos);
  window->ActivateHint(r, text);
  hintActive_ = true;
  if (info.HideTimeout > 0) hideTimer_.start(info.HideTimeout);
}

bool HintManager::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  auto* w = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::ToolTip:
      return true;  // the hint window replaces Qt's tool tips
    case QEvent::Enter:
      if (qobject_cast<THintWindow*>(w)) break;
      cursorPos_ = static_cast<QEnterEvent*>(event)->globalPosition().toPoint();
      // Ancestors are entered before their children: keep the deepest.
      if (!underPointer_ || !w->isAncestorOf(underPointer_)) underPointer_ = w;
      ScheduleEvaluate();
      break;
    case QEvent::Leave:
      if (qobject_cast<THintWindow*>(w)) break;
      if (underPointer_ == w || (underPointer_ && w->isAncestorOf(underPointer_)))
        underPointer_ = w->isWindow() ? nullptr : w->parentWidget();
      ScheduleEvaluate();
      break;
    case QEvent::MouseMove: {
      cursorPos_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
        // A move a child ignores reaches its parents too: keep the deepest.
        if (!underPointer_ || !w->isAncestorOf(underPointer_)) underPointer_ = w;
        ScheduleEvaluate();
      }
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
      if (hintControl_) CancelHint();
      break;
    default: break;
  }
  return false;
}

}  // namespace toolkit
