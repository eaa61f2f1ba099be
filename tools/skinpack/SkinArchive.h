#pragma once
// Writing skin archives: version word 20000, the length of the name list, the
// entry count and a reserved zero word, the names as CR LF lines, one 32-bit
// size per name, then the entries' bytes in name order.
#include <QByteArray>
#include <QList>
#include <QString>

namespace skinpack {

struct Entry {
  QByteArray name;  // as stored: a file name
  QByteArray bytes;
};

QByteArray BuildArchive(const QList<Entry>& entries);
// The entries of a skin folder: its ".ini" file first, then its ".bmp" files
// in name order. Other files are left out.
QList<Entry> ReadSkinFolder(const QString& folder);
// A whole skin file for a folder.
QByteArray PackFolder(const QString& folder);

}  // namespace skinpack
