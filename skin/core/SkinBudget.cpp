#include "skin/core/SkinBudget.h"

#include "skin/core/SkinReader.h"

namespace skin {

QImage TSkinImages::Read(const QString& value) {
  const int index = reader_.ImageEntryIndex(value);
  if (index < 0) return {};
  if (const auto it = byEntry_.constFind(index); it != byEntry_.cend()) return *it;
  const QByteArray bytes = reader_.EntryBytes(index);
  QImage image;
  // The size is known from the headers before a single pixel is decoded.
  if (const std::optional<TBmpInfo> info = bytes.isEmpty() ? std::nullopt : ReadBmpInfo(bytes)) {
    if (info->Pixels() > budget::kMaxImagePixels) throw ESkinOverBudget("an image of the skin is too large");
    Charge(info->Pixels());
    image = LoadBmp(bytes);
    ++decodes_;
  }
  byEntry_.insert(index, image);
  return image;
}

void TSkinImages::Charge(std::int64_t pixels) {
  pixels_ += pixels;
  if (pixels_ > budget::kMaxSkinPixels) throw ESkinOverBudget("the images of the skin are too large");
}

}  // namespace skin
