#pragma once
// What one skin may cost. A skin is a file any reader can swap in from the
// menu, so everything it makes the program build is bounded; a skin over any
// bound is refused as a whole (SkinElements.h) and the skin in use stays.
//
// The images a skin names are decoded through one TSkinImages per load: each
// archive entry once, however many keys name it, and every pixel the skin's
// elements hold counted against the skin's budget.
#include <QHash>
#include <QImage>
#include <QString>
#include <cstdint>
#include <stdexcept>

#include "skin/core/BmpLoader.h"

namespace skin {

class TSkinReader;

namespace budget {
// One image: 16 Mi pixels (4096 x 4096; 64 MiB once decoded to 32 bits).
constexpr std::int64_t kMaxImagePixels = kMaxBmpPixels;
// Every image of a skin together, decoded entries and the copies cut or
// mirrored from them: 64 Mi pixels, 256 MiB.
constexpr std::int64_t kMaxSkinPixels = 64LL * 1024 * 1024;
// Caption-button sections read from the INI (the three buttons of a
// maximised MDI child come on top). A caption holds a handful.
constexpr int kMaxCaptionButtons = 64;
// Sections of the INI. Real skins hold about a hundred (the stored default
// skin 89): 16,384 leaves room for a hundred times that while the whole INI,
// indexed once, still reads in milliseconds.
constexpr int kMaxSections = 16384;
// Bytes of the INI text: the stored default skin's is 14,235 bytes. 1 MiB
// holds the largest section count above with room for their keys, and reads
// in well under a second even as one-byte lines.
constexpr qsizetype kMaxIniBytes = 1024 * 1024;
// Places and shifts a skin gives in pixels (caption text, caption buttons,
// group-box labels) are kept within +-32,767, the range of window
// coordinates on X11, so that adding them to a window's size cannot overflow.
constexpr int kMaxOffset = 32767;
}  // namespace budget

// Thrown while a skin's elements are read when the skin passes one of its
// bounds; caught where the elements are read (ReadSkinElements).
class ESkinOverBudget : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The images of one skin being read.
class TSkinImages {
 public:
  explicit TSkinImages(const TSkinReader& reader) : reader_(reader) {}

  // The image an INI value names (the reader's rules for image values),
  // decoded at its first use and shared afterwards; null when the value names
  // no bitmap this loader reads. Throws ESkinOverBudget for an image over
  // kMaxImagePixels or one that takes the skin over kMaxSkinPixels.
  QImage Read(const QString& value);
  // Counts `pixels` of an image built from the skin's images (a mirrored or
  // cut copy) against the skin's budget; throws ESkinOverBudget past it.
  void Charge(std::int64_t pixels);

  std::int64_t Pixels() const { return pixels_; }
  int Decoded() const { return decodes_; }

 private:
  const TSkinReader& reader_;
  QHash<int, QImage> byEntry_;  // null images too: an unreadable entry is tried once
  std::int64_t pixels_ = 0;
  int decodes_ = 0;
};

}  // namespace skin
