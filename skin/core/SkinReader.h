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
  // Declared archive lengths above this are refused. Real skins decode to
  // about half a megabyte (the stored default skin to 554,516 bytes); 16 MiB
  // holds four 1-bit images of the largest size a skin may hold, and the
  // decoder gets through it in well under a second even when every byte is a
  // literal (about 18 MB/s at worst on the machines we measure on).
  static constexpr std::int64_t kDefaultMaxArchive = 16 * 1024 * 1024;
  // What the reader is told about a file that is refused, whatever the cause.
  static constexpr const char* kOlderMessage = "This is Older Skin File\rPlease update to new version !";

  // Decodes a whole skin file. A wrong version word or a declared archive
  // length above the limit shows the refusal message (ShowSkinRefused) and
  // returns false; the reader then holds nothing.
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
  // The index of the entry an image value names (the same rules as
  // ReadImage), or -1 when it names none.
  int ImageEntryIndex(const QString& value) const;
  // The bytes of entry `index`, shared with the reader (valid while it lives
  // and is not reopened); empty when they lie outside the archive.
  QByteArray EntryBytes(int index) const;

  int Count() const { return static_cast<int>(names_.size()); }
  const QList<QByteArray>& Names() const { return names_; }
  const QList<std::uint32_t>& Sizes() const { return sizes_; }
  QByteArray Header() const { return header_; }
  std::uint32_t Version() const;
  int NameListLength() const;
  qsizetype DataSize() const { return archive_.size() - dataAt_; }

  void SetMaxArchive(std::int64_t bytes) { maxArchive_ = bytes; }

 private:
  void Clear();
  bool EntryAt(int index, QByteArray& entry) const;
  int IndexOf(const QString& name) const;

  QList<QByteArray> names_;        // lower-cased
  QList<std::uint32_t> sizes_;     // one per kept name
  QList<std::uint64_t> offsets_;   // of each entry within the data part
  QByteArray archive_;             // the whole decoded archive
  qsizetype dataAt_ = 0;           // where its data part starts
  QByteArray header_;
  std::int64_t maxArchive_ = kDefaultMaxArchive;
};

// Tells the reader that a skin file is refused: one message box with the
// refusal message, captioned with the application's name.
void ShowSkinRefused();

// Splits text at CR, LF or CR LF; a final line break adds no line.
QList<QByteArray> SplitLines(const QByteArray& text);
// ASCII letters lower-cased; other bytes unchanged.
QByteArray AsciiLower(const QByteArray& text);
// The file-name part of an image value (everything after the last "\" or ":").
QString ImageFileName(const QString& value);

}  // namespace skin
