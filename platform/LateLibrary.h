#pragma once
// A shared library opened the first time one of its functions is needed. The
// speech engine, the sound client and the script converter pull in some twenty
// libraries between them; loaded with the program, their mapping and symbol
// resolution cost megabytes before the first window is painted, for features
// a reader may never use in a session.
#include <QLibrary>
#include <QString>
#include <mutex>

namespace platform {

class LateLibrary {
 public:
  // `name` and `version` as QLibrary takes them: ("espeak-ng", 1) opens
  // libespeak-ng.so.1 wherever the dynamic linker finds it.
  LateLibrary(const QString& name, int version);
  // The same with a version of several parts ("1.1" for libopencc.so.1.1).
  LateLibrary(const QString& name, const QString& version);

  // Opens the library on the first call (from any thread); false when it
  // cannot be loaded, and Error() says why.
  bool Open();
  QString Error() const;

  // The function `symbol` of the opened library, typed as its declaration
  // `F` in the library's header; null when the library has no such function.
  template <class F>
  F* Function(const char* symbol) {
    return reinterpret_cast<F*>(library_.resolve(symbol));
  }

 private:
  QLibrary library_;
  std::once_flag opened_;
  bool loaded_ = false;
};

// Resolves `symbol` into `slot`; false (and `missing` names it) when absent.
template <class F>
bool Bind(LateLibrary& library, F*& slot, const char* symbol, QString& missing) {
  slot = library.Function<F>(symbol);
  if (!slot && missing.isEmpty()) missing = QString::fromLatin1(symbol);
  return slot != nullptr;
}

}  // namespace platform
