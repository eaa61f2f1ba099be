#include "platform/LateLibrary.h"

namespace platform {

LateLibrary::LateLibrary(const QString& name, int version) : library_(name, version) {}

LateLibrary::LateLibrary(const QString& name, const QString& version) : library_(name, version) {}

bool LateLibrary::Open() {
  std::call_once(opened_, [this] { loaded_ = library_.load(); });
  return loaded_;
}

QString LateLibrary::Error() const { return library_.errorString(); }

}  // namespace platform
