#pragma once
// The PulseAudio simple client, opened when sound is first played or spoken.
#include <pulse/error.h>
#include <pulse/simple.h>

#include <QString>

namespace platform {

struct PulseSimple {
  decltype(&pa_simple_new) New = nullptr;
  decltype(&pa_simple_free) Free = nullptr;
  decltype(&pa_simple_write) Write = nullptr;
  decltype(&pa_simple_drain) Drain = nullptr;
  decltype(&pa_simple_flush) Flush = nullptr;
  decltype(&pa_strerror) StrError = nullptr;
};

// The client's functions, or null when its library cannot be loaded; then
// `error`, when given, says why.
const PulseSimple* LoadPulseSimple(QString* error = nullptr);

}  // namespace platform
