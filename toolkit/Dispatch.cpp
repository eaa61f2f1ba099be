#include "toolkit/Dispatch.h"

#include "platform/Dialogs.h"
#include "toolkit/Application.h"

namespace toolkit {

QString ErrorBoxText(const QString& message) {
  if (message.isEmpty() || message.back() <= QChar(u'.')) return message;
  return message + u'.';
}

void ShowException(const QString& message) {
  platform::CurrentDialogs().ErrorBox(TheApplication().Title(), ErrorBoxText(message));
}

}  // namespace toolkit
