// A whole skin file as a reader picks it: decoded, its archive read, its INI
// parsed and its elements read. The input is the file's bytes. A refused
// skin shows one message and leaves the elements in use as they were, marked
// not loaded; a loaded one shows none and holds only what the budget allows:
// no image over kMaxImagePixels, at most kMaxCaptionButtons caption buttons
// (and the three of a maximised child window), margins inside their images.
#include "skin/core/SkinElements.h"
#include "skin/core/SkinReader.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/SkinFuzzSupport.h"

namespace {

using fuzz::Show;

// Files declaring archives longer than a small skin's are skipped, up to the
// length limit (which refuses them at once): the decoder would make up every
// byte past the input, at the same cost per byte as the LZH target measures,
// and each run would take milliseconds.
constexpr std::uint32_t kLongestRun = 2 * 1024;

int Run(const std::uint8_t* data, std::size_t size) {
  const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (size >= 4) {
    const std::uint32_t declared = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    if (declared > kLongestRun && declared <= skin::TSkinReader::kDefaultMaxArchive) return 0;
  }
  fuzz::MessageCounter messages;
  skin::TSkinElements elements;
  elements.SkinName = QStringLiteral("in use");
  elements.NotLoaded = false;
  const bool loaded = skin::LoadSkinElements(file, elements);
  const int shown = messages.Take();
  if (!loaded) {
    CQ_FUZZ_CHECK_SAYING(shown == 1, shown << " messages for a refused skin");
    CQ_FUZZ_CHECK_SAYING(elements.NotLoaded && elements.SkinName == QLatin1String("in use"), Show(elements.SkinName));
    return 0;
  }
  CQ_FUZZ_CHECK_SAYING(shown == 0, shown << " messages for a loaded skin");
  fuzz::CheckWithinBudget(elements);
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("skin-stream", Run)
