#include "toolkit/accessible/ToolkitAccessible.h"

#include <QAccessibleWidget>

#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/accessible/ListViewAccessible.h"

namespace toolkit::accessible {
namespace {

class LabelAccessible : public QAccessibleWidget {
 public:
  explicit LabelAccessible(TLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    const auto* label = static_cast<const TLabel*>(widget());
    if (t == QAccessible::Name && label->accessibleName().isEmpty()) return label->ShownCaption();
    return QAccessibleWidget::text(t);
  }
};

class PanelAccessible : public QAccessibleWidget {
 public:
  explicit PanelAccessible(TPanel* panel) : QAccessibleWidget(panel, QAccessible::Pane) {}
  QAccessible::Role role() const override {
    return Panel()->Caption().isEmpty() ? QAccessible::Pane : QAccessible::StaticText;
  }
  // The whole caption as painted through the display text, even where the painting cuts it.
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Panel()->accessibleName().isEmpty())
      return ShownText(Panel()->DisplayText(), Panel()->Caption());
    return QAccessibleWidget::text(t);
  }

 private:
  const TPanel* Panel() const { return static_cast<const TPanel*>(widget()); }
};

// Named by its one text, or by its panels' texts in order.
class StatusBarAccessible : public QAccessibleWidget {
 public:
  explicit StatusBarAccessible(TStatusBar* bar) : QAccessibleWidget(bar, QAccessible::StatusBar) {}
  QString text(QAccessible::Text t) const override {
    const auto* bar = static_cast<const TStatusBar*>(widget());
    if (t != QAccessible::Name || !bar->accessibleName().isEmpty()) return QAccessibleWidget::text(t);
    if (bar->SimplePanel()) return bar->SimpleText();
    QStringList texts;
    for (int i = 0; i < bar->PanelCount(); ++i)
      if (!bar->Panel(i).Text.isEmpty()) texts << bar->Panel(i).Text;
    return texts.join(QStringLiteral("  "));
  }
};

}  // namespace

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("toolkit::TListView"))
    if (auto* view = qobject_cast<TListView*>(object)) return NewListViewAccessible(view);
  if (className == QLatin1String("toolkit::TLabel"))
    if (auto* label = qobject_cast<TLabel*>(object)) return new LabelAccessible(label);
  if (className == QLatin1String("toolkit::TPanel"))
    if (auto* panel = qobject_cast<TPanel*>(object)) return new PanelAccessible(panel);
  if (className == QLatin1String("toolkit::TStatusBar"))
    if (auto* bar = qobject_cast<TStatusBar*>(object)) return new StatusBarAccessible(bar);
  // A form is a window, named by its caption.
  if (className == QLatin1String("toolkit::TForm"))
    if (auto* form = qobject_cast<TForm*>(object); form && form->isWindow())
      return new QAccessibleWidget(form, QAccessible::Window);
  return nullptr;
}

}  // namespace toolkit::accessible
