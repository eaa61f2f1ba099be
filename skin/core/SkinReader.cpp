#include "skin/core/SkinReader.h"

#include <QGuiApplication>

#include "platform/Dialogs.h"
#include "platform/Gbk.h"
#include "skin/core/BmpLoader.h"
#include "skin/core/Lzh.h"

namespace skin {

namespace {
std::uint32_t ReadU32(const QByteArray& bytes, qsizetype at) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + at;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
}  // namespace

namespace {
// GBK bytes of a name; empty names never reach the converter.
QByteArray GbkName(const QString& text) { return text.isEmpty() ? QByteArray() : platform::ToGbk(text); }
}  // namespace

QList<QByteArray> SplitLines(const QByteArray& text) {
  QList<QByteArray> lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.append(text.mid(start, i - start));
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < n) lines.append(text.mid(start));
  return lines;
}

QByteArray AsciiLower(const QByteArray& text) {
  QByteArray out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

QString ImageFileName(const QString& value) {
  const qsizetype cut = std::max(value.lastIndexOf(u'\\'), value.lastIndexOf(u':'));
  return value.mid(cut + 1);
}

void ShowSkinRefused() {
  platform::CurrentDialogs().MessageBox(QGuiApplication::applicationDisplayName(),
                                        QString::fromLatin1(TSkinReader::kOlderMessage));
}

void TSkinReader::Clear() {
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  archive_.clear();
  dataAt_ = 0;
  header_.clear();
}

std::uint32_t TSkinReader::Version() const { return header_.size() >= 16 ? ReadU32(header_, 0) : 0; }

int TSkinReader::NameListLength() const {
  return header_.size() >= 16 ? static_cast<int>(ReadU32(header_, 4)) : 0;
}

bool TSkinReader::OpenSkin(const QByteArray& file) {
  Clear();
  bool tooLarge = false;
  const QByteArray archive = TLZH::DecodeBuffer(file, maxArchive_, &tooLarge);
  if (tooLarge) {
    // The length word cannot be a skin's: the file is damaged or no skin at all.
    ShowSkinRefused();
    return false;
  }
  return OpenArchive(archive);
}

bool TSkinReader::OpenArchive(const QByteArray& archive) {
  Clear();
  // A short archive reads as zero bytes past its end, so its version is wrong.
  QByteArray header = archive.left(16);
  header.append(QByteArray(16 - header.size(), '\0'));
  if (ReadU32(header, 0) != kVersion) {
    ShowSkinRefused();
    return false;
  }
  header_ = header;
  const std::uint64_t nameLength = ReadU32(header, 4);
  const std::uint64_t available = archive.size() > 16 ? static_cast<std::uint64_t>(archive.size()) - 16 : 0;
  const QByteArray nameText = archive.mid(16, static_cast<qsizetype>(std::min(nameLength, available)));
  const QList<QByteArray> lines = SplitLines(AsciiLower(nameText));
  const std::uint64_t count = static_cast<std::uint64_t>(lines.size());
  const std::uint64_t sizesAt = 16 + nameLength;
  // Only the first kMaxEntries names are kept, and only those whose size
  // word lies inside the archive; the rest count as missing.
  std::uint64_t offset = 0;
  for (std::uint64_t i = 0; i < count && i < static_cast<std::uint64_t>(kMaxEntries); ++i) {
    const std::uint64_t at = sizesAt + 4 * i;
    if (at + 4 > static_cast<std::uint64_t>(archive.size())) break;
    names_.append(lines[static_cast<qsizetype>(i)]);
    sizes_.append(ReadU32(archive, static_cast<qsizetype>(at)));
    offsets_.append(offset);
    offset += sizes_.last();
  }
  // The archive is kept whole (shared, not copied); entries are cut from it.
  const std::uint64_t dataAt = sizesAt + 4 * count;
  archive_ = archive;
  dataAt_ = dataAt < static_cast<std::uint64_t>(archive.size()) ? static_cast<qsizetype>(dataAt) : archive.size();
  return true;
}

QByteArray TSkinReader::EntryBytes(int index) const {
  if (index < 0 || index >= names_.size()) return {};
  const std::uint64_t offset = offsets_[index], size = sizes_[index];
  if (offset + size > static_cast<std::uint64_t>(DataSize())) return {};
  return QByteArray::fromRawData(archive_.constData() + dataAt_ + static_cast<qsizetype>(offset),
                                 static_cast<qsizetype>(size));
}

bool TSkinReader::EntryAt(int index, QByteArray& entry) const {
  const std::uint64_t offset = offsets_[index], size = sizes_[index];
  if (offset + size > static_cast<std::uint64_t>(DataSize())) return false;
  entry = archive_.mid(dataAt_ + static_cast<qsizetype>(offset), static_cast<qsizetype>(size));
  return true;
}

int TSkinReader::IndexOf(const QString& name) const {
  const QByteArray wanted = AsciiLower(GbkName(name));
  for (int i = 0; i < names_.size(); ++i)
    if (names_[i] == wanted) return i;
  return -1;
}

bool TSkinReader::FindEntry(const QString& name, QByteArray& entry) const {
  entry.clear();
  const int i = IndexOf(name);
  return i >= 0 && EntryAt(i, entry);
}

bool TSkinReader::FindEntryContaining(const QString& fragment, QByteArray& entry, QString& name) const {
  entry.clear();
  const QByteArray wanted = GbkName(fragment);
  for (int i = 0; i < names_.size(); ++i) {
    if (names_[i].contains(wanted)) {
      if (!EntryAt(i, entry)) return false;
      name = platform::FromGbk(names_[i]);
      return true;
    }
  }
  return false;
}

int TSkinReader::ImageEntryIndex(const QString& value) const {
  const QString file = ImageFileName(value);
  const qsizetype dot = file.lastIndexOf(u'.');
  if (file.isEmpty() || dot < 0 || file.mid(dot) != QStringLiteral(".bmp")) return -1;
  return IndexOf(file);
}

QImage TSkinReader::ReadImage(const QString& value) const {
  const QByteArray entry = EntryBytes(ImageEntryIndex(value));
  return entry.isEmpty() ? QImage() : LoadBmp(entry);
}

}  // namespace skin
