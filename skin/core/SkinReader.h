#pragma once
// The archive inside a skin file: a 16-byte header (version word 20000, the
// length of the name list, two words not interpreted), the entry names as text
// lines, one 32-bit size per name, then the entries' bytes in name order.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <cstdint>

namespace skin {

class TSkinReader {
 public:
  static constexpr std::uint32_t kVersion = 20000;
  static constexpr int kMaxEntries = 1001;
  // Declared archive lengths above this are refused; skins are far smaller.
  static constexpr std::int64_t kDefaultMaxArchive = 64 * 1024 * 1024;
  // What the reader is told about a file that is refused.
  static constexpr const char* kOlderMessage = "This is Older Skin File\rPlease update to new version !";
  static constexpr const char* kUnreadableMessage = "This Skin File cannot be read\rIt is damaged or not a skin file !";

  // Decodes a whole skin file. A wrong version word shows the older-skin
  // message, a declared archive length above the limit the unreadable-skin
  // message; either returns false and the reader then holds nothing.
  bool OpenSkin(const QByteArray& file);
  // Reads an already decoded archive (the same checks as OpenSkin).
  bool OpenArchive(const QByteArray& archive);

  // Copies the entry whose name equals `name` (letter case ignored); empty
  // when there is none or when its bytes lie outside the archive.
  bool FindEntry(const QString& name, QByteArray& entry) const;
  // The first entry whose lower-cased name contains `fragment`; `name` is set
  // only when one is found.
  bool FindEntryContaining(const QString& fragment, QByteArray& entry, QString& name) const;
  // An image named by an INI value: the directory part is dropped, only
  // ".bmp" names are looked up, and a missing, empty or unreadable entry gives
  // a null image.
  QImage ReadImage(const QString& value) const;

  int Count() const { return static_cast<int>(names_.size()); }
  const QList<QByteArray>& Names() const { return names_; }
  const QList<std::uint32_t>& Sizes() const { return sizes_; }
  QByteArray Header() const { return header_; }
  std::uint32_t Version() const;
  int NameListLength() const;
  qsizetype DataSize() const { return data_.size(); }

  void SetMaxArchive(std::int64_t bytes) { maxArchive_ = bytes; }

 private:
  void Clear();
  bool EntryAt(int index, QByteArray& entry) const;

  QList<QByteArray> names_;     // lower-cased
  QList<std::uint32_t> sizes_;  // one per kept name
  QByteArray data_;
  QByteArray header_;
  std::int64_t maxArchive_ = kDefaultMaxArchive;
};

// Splits text at CR, LF or CR LF; a final line break adds no line.
QList<QByteArray> SplitLines(const QByteArray& text);
// ASCII letters lower-cased; other bytes unchanged.
QByteArray AsciiLower(const QByteArray& text);
// The file-name part of an image value (everything after the last "\" or ":").
QString ImageFileName(const QString& value);

}  // namespace skin
