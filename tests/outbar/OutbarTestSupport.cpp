#include "tests/outbar/OutbarTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace outbar_test {
namespace {

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers mods) {
  const QPointF global = w->mapToGlobal(QPointF(pos));
  // Moving the platform cursor may queue a pointer move of its own: deliver it
  // first, at the same place, so that it cannot arrive later somewhere else.
  QCursor::setPos(global.toPoint());
  QApplication::processEvents();
  QMouseEvent event(type, QPointF(pos), global, button, buttons, mods);
  QApplication::sendEvent(w, &event);
}

}  // namespace

void MoveTo(QWidget* w, QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  Send(w, QEvent::MouseMove, pos, Qt::NoButton, buttons, mods);
}

void Press(QWidget* w, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  Send(w, QEvent::MouseButtonPress, pos, button, button, mods);
}

void Release(QWidget* w, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  Send(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, mods);
}

outbar::TDCVertListView* MakeList(QWidget* parent, int count, QSize size) {
  auto* list = new outbar::TDCVertListView(parent);
  list->SetBorderStyle(outbar::bsNone);
  list->resize(size);
  list->SetViewStyle(outbar::vsSmallIcon);
  list->SetItemSpace(12);
  list->SetSelectionType(outbar::stExpanded);
  for (int i = 0; i < count; ++i) list->AddItem(QStringLiteral("item %1").arg(i));
  return list;
}

QPoint ItemCenter(outbar::TDCVertListView* list, int i) {
  const outbar::TRect b = list->Item(i)->Bounds();
  return QPoint(40, (b.top + b.bottom) / 2);
}

}  // namespace outbar_test
