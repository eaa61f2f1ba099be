#include "toolkit/Exception.h"

#include "platform/IntText.h"

namespace toolkit {

int StrToInt(const QString& text) {
  if (const auto value = platform::TryStrToInt(text)) return *value;
  throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

}  // namespace toolkit
