#include "skin/controls/SkinComBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>

#include "platform/Subclass.h"
#include "skin/controls/ComboPaint.h"
#include "skin/engine/SkinData.h"

namespace skin {

// The combo's style while it is skinned: the skin's picture and geometry for
// the combo itself, everything else (the list, the texts) as before.
class TComboStyle : public QProxyStyle {
 public:
  explicit TComboStyle(TSkinComBox* skinner) : QProxyStyle(NewBaseStyle()), skinner_(skinner) {}

  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                          const QWidget* w) const override {
    if (cc == CC_ComboBox && skinner_->Skinned()) {
      skinner_->Paint(*p, opt->rect);
      return;
    }
    QProxyStyle::drawComplexControl(cc, opt, p, w);
  }

  QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                       const QWidget* w) const override {
    if (cc == CC_ComboBox && skinner_->Skinned()) {
      const TSkinElements& e = skinner_->SkinData()->Elements();
      const bool rtl = skinner_->RightToLeft();
      QRect r;
      switch (sc) {
        case SC_ComboBoxArrow: r = ComboButtonRect(e, opt->rect.size(), rtl); break;
        case SC_ComboBoxEditField: r = ComboEditRect(e, opt->rect.size(), rtl); break;
        case SC_ComboBoxFrame: r = QRect(QPoint(0, 0), opt->rect.size()); break;
        default: return QProxyStyle::subControlRect(cc, opt, sc, w);
      }
      return r.translated(opt->rect.topLeft());
    }
    return QProxyStyle::subControlRect(cc, opt, sc, w);
  }

 private:
  TSkinComBox* skinner_;
};

TSkinComBox::TSkinComBox(QObject* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() {
  if (life_ == sclAlive && initialised_) RestoreControl();
}

void TSkinComBox::InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) {
  const bool first = !initialised_;
  TSkinControl::InitControl(frame, skinData, recolour, canvas);
  if (first && initialised_) Attach();
}

void TSkinComBox::InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) {
  const bool first = !initialised_;
  TSkinControl::InitWindow(hwnd, skinData, frame, canvas);
  if (first && initialised_) Attach();
}

void TSkinComBox::Attach() {
  auto* combo = qobject_cast<QComboBox*>(handle_.data());
  if (!combo) return;
  style_ = std::make_unique<TComboStyle>(this);
  lent_.Apply(combo, style_.get());
  // A drop-down combo's edit: presses on it show the combo pressed.
  if (QLineEdit* edit = combo->lineEdit())
    edit_ = std::make_unique<platform::Subclass>(edit, [](QEvent*) { return true; },
                                                 [this](QEvent* e) { EditMessage(e); });
  Repaint();
}

void TSkinComBox::RestoreControl() {
  edit_.reset();
  lent_.Restore();
  TSkinControl::RestoreControl();
}

void TSkinComBox::Refresh() {
  // The edit area may have moved with the new skin's margins.
  if (auto* combo = qobject_cast<QComboBox*>(handle_.data())) {
    QResizeEvent resize(combo->size(), combo->size());
    QCoreApplication::sendEvent(combo, &resize);
  }
  TSkinControl::Refresh();
}

bool TSkinComBox::Skinned() const {
  return painting_ && skinData_ && skinData_->HasSkin() && CanPaintCombo(skinData_->Elements());
}

bool TSkinComBox::RightToLeft() const {
  const QWidget* w = handle_.data();
  return w && w->layoutDirection() == Qt::RightToLeft;
}

int TSkinComBox::FrameIndex() const {
  // While its list is open the combo looks pressed: the list takes the
  // release that would otherwise end the press.
  const auto* combo = qobject_cast<const QComboBox*>(handle_.data());
  const bool open = combo && combo->view() && combo->view()->isVisible();
  return ComboFrameIndex(pressed_ || open, focused_, hot_, enabled_);
}

void TSkinComBox::EditMessage(QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        pressed_ = true;
        Repaint();
      }
      break;
    case QEvent::MouseButtonRelease:
      if (pressed_) {
        pressed_ = false;
        Repaint();
      }
      break;
    default: break;
  }
}

void TSkinComBox::AfterMessage(QEvent* message) {
  switch (message->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(message)->button() == Qt::LeftButton) {
        const auto* combo = qobject_cast<const QComboBox*>(handle_.data());
        pressed_ = !(combo && combo->view() && combo->view()->isVisible());
        Repaint();
      }
      return;
    case QEvent::MouseButtonRelease:
    case QEvent::FocusOut:
      if (message->type() == QEvent::FocusOut) TSkinControl::AfterMessage(message);
      pressed_ = false;
      Repaint();
      return;
    case QEvent::Enter:
    case QEvent::Leave:
      if (enabled_) {
        hot_ = message->type() == QEvent::Enter;
        Repaint();
      }
      return;
    case QEvent::Paint:
      // The combo's style painted the skin already.
      return;
    default: TSkinControl::AfterMessage(message);
  }
}

void TSkinComBox::Paint(QPainter& dc, const QRect& rect) {
  auto* combo = qobject_cast<QComboBox*>(handle_.data());
  if (!combo || !skinData_) return;
  const QColor back = combo->palette().color(combo->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                             combo->isEditable() ? QPalette::Base : QPalette::Button);
  PaintComboBox(dc, rect, skinData_->Elements(), FrameIndex(), RightToLeft(), back, &cache_);
}

}  // namespace skin
