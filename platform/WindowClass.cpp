#include "platform/WindowClass.h"

#include <QMenu>
#include <QMetaObject>
#include <QObject>
#include <QVariant>

namespace platform {

QString WindowClassName(const QObject* w) {
  if (!w) return {};
  const QVariant v = w->property(kWindowClassProperty);
  if (v.isValid() && !v.toString().isEmpty()) return v.toString();
  if (qobject_cast<const QMenu*>(w)) return QStringLiteral("#32768");
  QString name = QString::fromLatin1(w->metaObject()->className());
  const qsizetype colons = name.lastIndexOf(QStringLiteral("::"));
  if (colons >= 0) name = name.mid(colons + 2);
  return name;
}

void SetWindowClassName(QObject* w, const QString& name) {
  if (w) w->setProperty(kWindowClassProperty, name);
}

}  // namespace platform
