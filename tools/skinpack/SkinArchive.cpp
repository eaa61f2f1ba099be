#include "tools/skinpack/SkinArchive.h"

#include <QDir>
#include <QFile>

#include "tools/skinpack/LzhEncoder.h"

namespace skinpack {

namespace {
void PutU32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}
}  // namespace

QByteArray BuildArchive(const QList<Entry>& entries) {
  QByteArray names;
  for (const Entry& e : entries) names += e.name + "\r\n";
  QByteArray out;
  PutU32(out, 20000);
  PutU32(out, static_cast<quint32>(names.size()));
  PutU32(out, static_cast<quint32>(entries.size()));
  PutU32(out, 0);
  out += names;
  for (const Entry& e : entries) PutU32(out, static_cast<quint32>(e.bytes.size()));
  for (const Entry& e : entries) out += e.bytes;
  return out;
}

QList<Entry> ReadSkinFolder(const QString& folder) {
  QList<Entry> entries;
  const QDir dir(folder);
  auto add = [&](const QString& file) {
    QFile f(dir.filePath(file));
    if (f.open(QIODevice::ReadOnly)) entries.append({file.toLatin1(), f.readAll()});
  };
  for (const QString& file : dir.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name)) add(file);
  for (const QString& file : dir.entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name)) add(file);
  return entries;
}

QByteArray PackFolder(const QString& folder) { return LzhEncodeFile(BuildArchive(ReadSkinFolder(folder))); }

}  // namespace skinpack
