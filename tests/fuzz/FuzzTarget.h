#pragma once
// One fuzz entry point per parser. Each takes one input, runs the parser on it
// and checks what must hold of the result (round trips, limits, whole
// characters); a broken check is a finding.
//
// Built with libFuzzer (CQ_LIBFUZZER), an entry point is the fuzzer's
// LLVMFuzzerTestOneInput and a finding aborts with the check and the values.
// Built without it, the entry points register under their names and the
// corpus replay runs every kept input through them.
#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace fuzz {

using Entry = int (*)(const std::uint8_t* data, std::size_t size);

struct Target {
  std::string name;  // the corpus folder's name: tests/fuzz/corpus/<name>
  Entry entry;
};

// How a test names a target.
inline void PrintTo(const Target& t, std::ostream* os) { *os << t.name; }

bool Register(const char* name, Entry entry);
const std::vector<Target>& Targets();

// What a replayed input broke (not an exception type, so that no handler of a
// parser's own errors catches it).
struct Finding {
  std::string what;
};

[[noreturn]] void Fail(const char* file, int line, const char* check, const std::string& values);

// The bytes of an input split at every `separator`, into at most `count`
// parts (the last one keeps any further separators).
QList<QByteArray> Split(const std::uint8_t* data, std::size_t size, char separator, int count);

// A folder of the process's own for the files a target writes at every
// input: in memory (/dev/shm) where there is one, so that nothing is synced
// to disk.
QString ScratchDir();

// Values as a finding shows them: printable ASCII as it is, every other
// character or byte as an escape.
std::string Show(const QString& s);
std::string Show(const QByteArray& b);
std::string Show(const std::string& s);
inline std::string Show(long long v) { return std::to_string(v); }

}  // namespace fuzz

#define CQ_FUZZ_CHECK(cond)                                    \
  do {                                                         \
    if (!(cond)) ::fuzz::Fail(__FILE__, __LINE__, #cond, {});  \
  } while (0)

// A check that names the values it compared, e.g.
//   CQ_FUZZ_CHECK_SAYING(a == b, "a=" << Show(a) << " b=" << Show(b));
#define CQ_FUZZ_CHECK_SAYING(cond, values)                        \
  do {                                                            \
    if (!(cond)) {                                                \
      std::ostringstream cqFuzzValues;                            \
      cqFuzzValues << values;                                     \
      ::fuzz::Fail(__FILE__, __LINE__, #cond, cqFuzzValues.str()); \
    }                                                             \
  } while (0)

#ifdef CQ_LIBFUZZER
#define CQ_FUZZ_ENTRY(name, function) \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return function(data, size); }
#else
#define CQ_FUZZ_ENTRY(name, function) \
  [[maybe_unused]] static const bool cqFuzzRegistered = ::fuzz::Register(name, function);
#endif
