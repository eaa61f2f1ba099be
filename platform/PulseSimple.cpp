#include "platform/PulseSimple.h"

#include "platform/LateLibrary.h"

namespace platform {

const PulseSimple* LoadPulseSimple(QString* error) {
  static LateLibrary library(QStringLiteral("pulse-simple"), 0);
  static const LateFunctions<PulseSimple> client =
      OpenFunctions<PulseSimple>(library, [](FunctionBinder& bind, PulseSimple& f) {
        bind(f.New, "pa_simple_new");
        bind(f.Free, "pa_simple_free");
        bind(f.Write, "pa_simple_write");
        bind(f.Drain, "pa_simple_drain");
        bind(f.Flush, "pa_simple_flush");
        bind(f.StrError, "pa_strerror");  // libpulse's, which the simple client links
      });
  if (!client.table && error) *error = client.failure;
  return client.table ? &*client.table : nullptr;
}

}  // namespace platform
