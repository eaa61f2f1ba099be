#include "skin/controls/WidgetStyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace skin {

void TWidgetStyle::Apply(QWidget* w, QStyle* style) {
  if (!w || !style) return;
  if (!applied_) {
    QStyle* own = w->style();
    hadOwn_ = own != QApplication::style();
    previous_ = hadOwn_ ? own : nullptr;
    widget_ = w;
    applied_ = true;
  }
  w->setStyle(style);
}

void TWidgetStyle::Restore() {
  if (!applied_) return;
  applied_ = false;
  if (QWidget* w = widget_.data()) w->setStyle(hadOwn_ ? previous_.data() : nullptr);
  widget_ = nullptr;
  previous_ = nullptr;
}

QStyle* NewBaseStyle() {
  QStyle* base = QStyleFactory::create(QApplication::style()->name());
  return base ? base : QStyleFactory::create(QStringLiteral("Fusion"));
}

}  // namespace skin
