#include "skin/frame/FrameKind.h"

#include <QWidget>

#include "platform/WindowClass.h"

namespace skin {
namespace {

bool HasOwnFrameFlags(Qt::WindowFlags f) {
  return f.testFlag(Qt::CustomizeWindowHint) || f.testFlag(Qt::WindowTitleHint) ||
         f.testFlag(Qt::WindowSystemMenuHint) || f.testFlag(Qt::WindowMinimizeButtonHint) ||
         f.testFlag(Qt::WindowMaximizeButtonHint) || f.testFlag(Qt::WindowCloseButtonHint);
}

TCaptionCaps CapsFor(Qt::WindowFlags f, bool isDialogType) {
  TCaptionCaps caps;
  if (HasOwnFrameFlags(f)) {
    caps.SystemMenu = f.testFlag(Qt::WindowSystemMenuHint) || f.testFlag(Qt::WindowCloseButtonHint);
    caps.Minimize = f.testFlag(Qt::WindowMinimizeButtonHint);
    caps.Maximize = f.testFlag(Qt::WindowMaximizeButtonHint);
  } else {
    // The platform's default decorations: dialogs close only, windows everything.
    caps.SystemMenu = true;
    caps.Minimize = caps.Maximize = !isDialogType;
  }
  return caps;
}

}  // namespace

TFrameClass ClassifyFrame(const TFrameFacts& facts) {
  TFrameClass c;
  const QString& cls = facts.windowClass;
  c.dialog = cls == QLatin1String("#32770") || cls == QLatin1String("TMessageForm");
  c.unicode = cls.contains(QLatin1String(".UnicodeClass"));
  const Qt::WindowFlags f = facts.flags;
  const bool isDialogType = (f & Qt::WindowType_Mask) == Qt::Dialog;
  c.caps = CapsFor(f, isDialogType);
  const toolkit::TFormBorderStyle style = facts.borderStyle;
  if (f.testFlag(Qt::FramelessWindowHint) || (facts.isForm && style == toolkit::bsNone)) c.kind = fkNone;
  else if (c.dialog || (facts.isForm ? style == toolkit::bsDialog : isDialogType)) c.kind = fkDialog;
  else if (facts.isForm ? (style == toolkit::bsSizeable || style == toolkit::bsSizeToolWin) : !facts.fixedSize)
    c.kind = fkSizeable;
  else c.kind = fkFixed;
  return c;
}

TFrameFacts FrameFactsOf(const QWidget* w, const toolkit::TForm* form) {
  TFrameFacts facts;
  facts.flags = w->windowFlags();
  facts.windowClass = platform::WindowClassName(w);
  facts.isForm = form != nullptr;
  if (form) facts.borderStyle = form->BorderStyle();
  facts.fixedSize = w->minimumSize() == w->maximumSize() && w->minimumSize().isValid() && w->minimumWidth() > 0;
  return facts;
}

}  // namespace skin
