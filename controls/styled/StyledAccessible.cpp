#include "controls/styled/StyledAccessible.h"

#include <QAccessibleWidget>

#include "controls/styled/FlatSpeedButton.h"
#include "controls/styled/QexButton.h"

namespace styled {
namespace {

// A push button whose caption and press come from the control.
class ButtonAccessible : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(QWidget* button) : QAccessibleWidget(button, QAccessible::PushButton) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return SpokenCaption(Caption());
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled()) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && widget()->isEnabled())
      Press();
    else
      QAccessibleWidget::doAction(name);
  }

 protected:
  virtual QString Caption() const = 0;
  virtual void Press() = 0;
};

class FlatSpeedButtonAccessible : public ButtonAccessible {
 public:
  explicit FlatSpeedButtonAccessible(TFlatSpeedButton* b) : ButtonAccessible(b) {}

  QAccessible::State state() const override {
    QAccessible::State s = ButtonAccessible::state();
    s.pressed = Button()->State() == fbsDown;
    s.hotTracked = Button()->Hot();
    s.checkable = Button()->GroupIndex() != 0;
    s.checked = s.checkable && Button()->Down();
    return s;
  }

 protected:
  QString Caption() const override { return Button()->Caption(); }
  // As a release over the button: a grouped button flips its latch first.
  void Press() override {
    if (Button()->GroupIndex() != 0) Button()->SetDown(!Button()->Down());
    Button()->Click();
  }

 private:
  TFlatSpeedButton* Button() const { return static_cast<TFlatSpeedButton*>(widget()); }
};

class QexButtonAccessible : public ButtonAccessible {
 public:
  explicit QexButtonAccessible(TQexButton* b) : ButtonAccessible(b) {}

 protected:
  QString Caption() const override { return static_cast<TQexButton*>(widget())->Caption(); }
  void Press() override { static_cast<TQexButton*>(widget())->Click(); }
};

}  // namespace

QString SpokenCaption(const QString& caption) {
  QString spoken;
  spoken.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == u'&') continue;
    spoken += caption[i];
  }
  return spoken;
}

QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("styled::TFlatSpeedButton"))
    if (auto* b = qobject_cast<TFlatSpeedButton*>(object)) return new FlatSpeedButtonAccessible(b);
  if (className == QLatin1String("styled::TQexButton"))
    if (auto* b = qobject_cast<TQexButton*>(object)) return new QexButtonAccessible(b);
  return nullptr;
}

}  // namespace styled
