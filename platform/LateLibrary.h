#pragma once
// A shared library opened the first time one of its functions is needed. The
// speech engine, the sound client and the script converter pull in some twenty
// libraries between them; loaded with the program, their mapping and symbol
// resolution cost megabytes before the first window is painted, for features
// a reader may never use in a session.
#include <QLibrary>
#include <QString>
#include <mutex>
#include <optional>

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
  QString FileName() const { return library_.fileName(); }

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

// Fills the slots of a table of functions from a library, one call per
// function, and remembers the first one the library lacks.
class FunctionBinder {
 public:
  explicit FunctionBinder(LateLibrary& library) : library_(library) {}
  template <class F>
  void operator()(F*& slot, const char* symbol) {
    slot = library_.Function<F>(symbol);
    if (!slot && missing_.isEmpty()) missing_ = QString::fromLatin1(symbol);
  }
  const QString& Missing() const { return missing_; }

 private:
  LateLibrary& library_;
  QString missing_;
};

// A library's table of functions, or why there is none.
template <class Table>
struct LateFunctions {
  std::optional<Table> table;
  QString failure;  // the loader's message, or the function the library lacks
};

// Opens `library` and has `bindAll(binder, table)` fill the table; the table
// is there only when the library opened and had every function asked for.
template <class Table, class BindAll>
LateFunctions<Table> OpenFunctions(LateLibrary& library, BindAll bindAll) {
  LateFunctions<Table> result;
  if (!library.Open()) {
    result.failure = library.Error();
    return result;
  }
  Table table{};
  FunctionBinder binder(library);
  bindAll(binder, table);
  if (binder.Missing().isEmpty()) result.table = table;
  else result.failure = QStringLiteral("%1 has no function %2").arg(library.FileName(), binder.Missing());
  return result;
}

}  // namespace platform
