#include "toolkit/Exception.h"

#include "platform/IntText.h"

namespace toolkit {

namespace {
[[noreturn]] void NotAnInteger(const QString& text) {
  throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}
}  // namespace

int StrToInt(const QString& text) {
  if (const auto value = platform::TryStrToInt(text)) return *value;
  NotAnInteger(text);
}

int StrToIntAtMost(const QString& text, int most) {
  const int value = StrToInt(text);
  if (value > most) NotAnInteger(text);
  return value;
}

}  // namespace toolkit
