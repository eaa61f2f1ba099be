// The archive inside a skin file. The input: a flag byte, then a payload.
//  - Low bit clear: the payload is an archive as decoded. It is refused, with
//    one message, exactly when its version word is wrong; otherwise at most
//    kMaxEntries names are kept, each with its size, and every entry's bytes
//    are its declared size and lie inside the archive, or are empty.
//  - Low bit set: the payload lists entries (a count byte, then per entry a
//    name-length byte, the name, a 16-bit byte count and the bytes), packed
//    by the skin packer's archive writer: every entry comes back under its
//    lower-cased name with its bytes, and a name looked up in capitals finds
//    the first entry of that name.
#include <algorithm>

#include "skin/core/SkinReader.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/SkinFuzzSupport.h"
#include "tools/skinpack/SkinArchive.h"

namespace {

using fuzz::Show;

void CheckEntries(const skin::TSkinReader& reader, const QByteArray& archive) {
  CQ_FUZZ_CHECK(reader.Count() <= skin::TSkinReader::kMaxEntries);
  CQ_FUZZ_CHECK(reader.Sizes().size() == reader.Count());
  const char* const begin = archive.constData();
  const char* const end = begin + archive.size();
  for (int i = 0; i < reader.Count(); ++i) {
    const QByteArray bytes = reader.EntryBytes(i);
    if (bytes.isEmpty()) continue;
    CQ_FUZZ_CHECK_SAYING(bytes.size() == static_cast<qsizetype>(reader.Sizes()[i]),
                         "entry " << i << " holds " << bytes.size() << " of " << reader.Sizes()[i] << " bytes");
    CQ_FUZZ_CHECK_SAYING(bytes.constData() >= begin + 16 && bytes.constData() + bytes.size() <= end,
                         "entry " << i << " lies outside the archive");
    CQ_FUZZ_CHECK(skin::AsciiLower(reader.Names()[i]) == reader.Names()[i]);
  }
  CQ_FUZZ_CHECK(reader.EntryBytes(-1).isEmpty() && reader.EntryBytes(reader.Count()).isEmpty());
}

void CheckRaw(const QByteArray& archive) {
  fuzz::MessageCounter messages;
  skin::TSkinReader reader;
  const bool opened = reader.OpenArchive(archive);
  // A short archive reads as zero bytes past its end.
  const QByteArray version = (archive + QByteArray(4, '\0')).left(4);
  CQ_FUZZ_CHECK_SAYING(opened == (version == QByteArray("\x20\x4e\0\0", 4)), Show(version));
  CQ_FUZZ_CHECK_SAYING(messages.Take() == (opened ? 0 : 1), "opened " << opened);
  if (!opened) {
    CQ_FUZZ_CHECK(reader.Count() == 0);
    return;
  }
  CheckEntries(reader, archive);
  // A name looked up finds the first entry of that name, unless its bytes lie outside the archive.
  for (const QByteArray& name : reader.Names()) {
    if (!std::all_of(name.begin(), name.end(), [](char c) { return c > 0 && c < 0x7F; })) continue;
    QByteArray entry;
    const bool found = reader.FindEntry(QString::fromLatin1(name).toUpper(), entry);
    const QByteArray first = reader.EntryBytes(static_cast<int>(reader.Names().indexOf(name)));
    CQ_FUZZ_CHECK_SAYING(found ? entry == first : first.isEmpty(), Show(name) << " found " << found);
  }
}

// Entries read from the payload; names without line breaks (which would split them).
QList<skinpack::Entry> ReadEntries(const QByteArray& p) {
  QList<skinpack::Entry> entries;
  qsizetype at = 1;
  const int count = p.isEmpty() ? 0 : static_cast<unsigned char>(p[0]) % 16;
  for (int i = 0; i < count && at < p.size(); ++i) {
    const int declared = static_cast<unsigned char>(p[at]) % 32;
    ++at;
    const qsizetype nameLength = std::min<qsizetype>(declared, p.size() - at);
    QByteArray name = p.mid(at, nameLength);
    at += nameLength;
    for (char& c : name)
      if (c == '\r' || c == '\n' || c == '\0') c = '_';
    qsizetype length = 0;
    if (at + 2 <= p.size()) length = static_cast<unsigned char>(p[at]) | static_cast<unsigned char>(p[at + 1]) << 8;
    at = std::min<qsizetype>(at + 2, p.size());
    length = std::min(length, p.size() - at);
    entries.append({name, p.mid(at, length)});
    at += length;
  }
  return entries;
}

void CheckBuilt(const QByteArray& payload) {
  const QList<skinpack::Entry> entries = ReadEntries(payload);
  const QByteArray archive = skinpack::BuildArchive(entries);
  fuzz::MessageCounter messages;
  skin::TSkinReader reader;
  CQ_FUZZ_CHECK(reader.OpenArchive(archive) && messages.Take() == 0);
  CheckEntries(reader, archive);
  CQ_FUZZ_CHECK_SAYING(reader.Count() == entries.size(), reader.Count() << " of " << entries.size() << " entries");
  for (int i = 0; i < entries.size(); ++i) {
    const skinpack::Entry& e = entries[i];
    CQ_FUZZ_CHECK_SAYING(reader.Names()[i] == skin::AsciiLower(e.name), Show(reader.Names()[i]) << " for " << Show(e.name));
    CQ_FUZZ_CHECK_SAYING(reader.EntryBytes(i) == e.bytes, "entry " << i << " " << Show(e.name));
    const bool ascii = std::all_of(e.name.begin(), e.name.end(), [](char c) { return c > 0 && c < 0x7F; });
    if (!ascii || e.name.isEmpty()) continue;
    const auto first = std::find_if(entries.begin(), entries.end(), [&](const skinpack::Entry& o) {
      return skin::AsciiLower(o.name) == skin::AsciiLower(e.name);
    });
    QByteArray found;
    CQ_FUZZ_CHECK_SAYING(reader.FindEntry(QString::fromLatin1(e.name).toUpper(), found) && found == first->bytes,
                         Show(e.name));
  }
}

int Run(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const QByteArray payload(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  if (data[0] & 1) CheckBuilt(payload);
  else CheckRaw(payload);
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("skin-archive", Run)
