#include "toolkit/AlignLayout.h"

#include <QWidget>

namespace toolkit {

namespace {
constexpr const char* kAlignProperty = "Align";
}

AlignLayout::AlignLayout(QWidget* parent) : QLayout(parent) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
  setSizeConstraint(QLayout::SetNoConstraint);
}

AlignLayout::~AlignLayout() {
  while (!items_.isEmpty()) delete items_.takeFirst();
}

AlignLayout* AlignLayout::Of(QWidget* parent) {
  if (auto* existing = qobject_cast<AlignLayout*>(parent->layout())) return existing;
  return new AlignLayout(parent);
}

void AlignLayout::addItem(QLayoutItem* item) { items_.append(item); }
QLayoutItem* AlignLayout::itemAt(int index) const { return items_.value(index); }
QLayoutItem* AlignLayout::takeAt(int index) {
  if (index < 0 || index >= items_.size()) return nullptr;
  return items_.takeAt(index);
}
int AlignLayout::count() const { return static_cast<int>(items_.size()); }

QSize AlignLayout::sizeHint() const {
  const QWidget* w = parentWidget();
  return w ? w->size() : QSize();
}
QSize AlignLayout::minimumSize() const { return QSize(0, 0); }

QList<QRect> ArrangeAligned(const QRect& client, const QList<AlignEntry>& entries) {
  QList<QRect> result;
  for (const AlignEntry& e : entries) result.append(e.bounds);
  // Free area as left, top, right, bottom with exclusive right and bottom.
  int left = client.left(), top = client.top();
  int right = client.left() + client.width(), bottom = client.top() + client.height();
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (int i = 0; i < entries.size(); ++i) {
      const AlignEntry& e = entries[i];
      if (e.align != pass || !e.visible) continue;
      const int w = e.bounds.width(), h = e.bounds.height();
      switch (pass) {
        case alTop:
          result[i] = QRect(left, top, right - left, h);
          top += h;
          break;
        case alBottom:
          result[i] = QRect(left, bottom - h, right - left, h);
          bottom -= h;
          break;
        case alLeft:
          result[i] = QRect(left, top, w, bottom - top);
          left += w;
          break;
        case alRight:
          result[i] = QRect(right - w, top, w, bottom - top);
          right -= w;
          break;
        case alClient:
          result[i] = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
          break;
        case alNone:
          break;
      }
    }
  }
  return result;
}

void AlignLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const QRect client = rect.marginsRemoved(contentsMargins());
  QList<AlignEntry> entries;
  QList<QWidget*> widgets;
  for (QLayoutItem* item : items_) {
    QWidget* w = item->widget();
    if (!w) continue;
    widgets.append(w);
    entries.append({Align(w), w->geometry(), !w->isHidden()});
  }
  const QList<QRect> placed = ArrangeAligned(client, entries);
  for (int i = 0; i < widgets.size(); ++i)
    if (entries[i].align != alNone && entries[i].visible && widgets[i]->geometry() != placed[i])
      widgets[i]->setGeometry(placed[i]);
}

void SetAlign(QWidget* control, TAlign align) {
  control->setProperty(kAlignProperty, static_cast<int>(align));
  QWidget* parent = control->parentWidget();
  if (!parent) return;
  AlignLayout* layout = AlignLayout::Of(parent);
  if (layout->indexOf(control) < 0) layout->addWidget(control);
  layout->invalidate();
  layout->activate();
}

TAlign Align(const QWidget* control) {
  const QVariant v = control->property(kAlignProperty);
  return v.isValid() ? static_cast<TAlign>(v.toInt()) : alNone;
}

void SetBounds(QWidget* control, int left, int top, int width, int height) {
  control->setGeometry(left, top, width, height);
  if (QWidget* parent = control->parentWidget())
    if (QLayout* layout = parent->layout()) layout->invalidate();
}

}  // namespace toolkit
