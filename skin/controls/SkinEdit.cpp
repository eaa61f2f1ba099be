#include "skin/controls/SkinEdit.h"

#include <QAbstractSpinBox>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>

#include "platform/WindowClass.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

void PaintEditFrame(QPainter& dc, const QRect& rect) {
  if (rect.width() < 1 || rect.height() < 1) return;
  dc.save();
  dc.setBrush(Qt::NoBrush);
  dc.setPen(platform::ToQColor(platform::clBtnShadow));
  dc.drawRect(rect.adjusted(0, 0, -1, -1));
  if (rect.width() > 2 && rect.height() > 2) {
    dc.setPen(QColor(255, 255, 255));
    dc.drawRect(rect.adjusted(1, 1, -2, -2));
  }
  dc.restore();
}

bool EditHasBorder(const QWidget* edit) {
  if (!edit) return false;
  if (const auto* line = qobject_cast<const QLineEdit*>(edit)) return line->hasFrame();
  if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(edit)) return spin->hasFrame();
  if (const auto* frame = qobject_cast<const QFrame*>(edit)) return frame->frameWidth() > 0;
  const QRect client = edit->contentsRect();
  return client.width() < edit->width() && client.height() < edit->height();
}

void TSkinEdit::AfterMessage(QEvent* message) {
  if (message->type() == QEvent::Paint && !searchedUpDown_) AttachUpDown();
  TSkinControl::AfterMessage(message);
}

void TSkinEdit::AttachUpDown() {
  searchedUpDown_ = true;
  QWidget* edit = handle_.data();
  if (!edit) return;
  for (QObject* o : edit->children()) {
    if (!o->isWidgetType()) continue;
    auto* child = static_cast<QWidget*>(o);
    const QString cls = platform::WindowClassName(child).toLower();
    if (cls != QLatin1String("msctls_updown32") && !cls.contains(QLatin1String("spin")) &&
        !cls.contains(QLatin1String("updown")))
      continue;
    if (TWinSkinForm* frame = Frame(); frame && frame->FindSkinner(child)) continue;
    // Held by the edit's skinner alone (not the frame's list), so that it
    // goes with it.
    auto* upDown = new TSkinUpDown(this);
    upDown->InitWindow(child, skinData_, nullptr, canvas_);
  }
}

void TSkinEdit::Paint(QPainter& dc, const QRect& rect) {
  if (EditHasBorder(handle_.data())) PaintEditFrame(dc, rect);
}

}  // namespace skin
