#pragma once
// Window class names as the skin engine compares them: the widget's
// `windowClass` property when it has one (message dialogs "TMessageForm", the
// default error box "#32770", popup menus "#32768"), else its class name
// without namespace ("TForm1", "QPushButton").
#include <QString>

class QObject;

namespace platform {

inline constexpr char kWindowClassProperty[] = "windowClass";

QString WindowClassName(const QObject* w);
// Gives `w` a window class name of its own.
void SetWindowClassName(QObject* w, const QString& name);

}  // namespace platform
