#include "platform/PulseSimple.h"

#include "platform/LateLibrary.h"

namespace platform {

const PulseSimple* LoadPulseSimple(QString* error) {
  static QString failure;
  static const PulseSimple* const client = []() -> const PulseSimple* {
    static LateLibrary library(QStringLiteral("pulse-simple"), 0);
    if (!library.Open()) {
      failure = library.Error();
      return nullptr;
    }
    static PulseSimple f;
    QString missing;
    Bind(library, f.New, "pa_simple_new", missing);
    Bind(library, f.Free, "pa_simple_free", missing);
    Bind(library, f.Write, "pa_simple_write", missing);
    Bind(library, f.Drain, "pa_simple_drain", missing);
    Bind(library, f.Flush, "pa_simple_flush", missing);
    // Defined by libpulse, which the simple client links.
    Bind(library, f.StrError, "pa_strerror", missing);
    if (!missing.isEmpty()) {
      failure = QStringLiteral("the PulseAudio client library has no function %1").arg(missing);
      return nullptr;
    }
    return &f;
  }();
  if (!client && error) *error = failure;
  return client;
}

}  // namespace platform
