#include "platform/FileReplace.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {
namespace {

// Writes all of `data` to an unbuffered device, retrying short writes; false
// when a write fails (a buffered device would only fail, or not even that, later).
bool WriteAll(QIODevice& device, const char* data, qint64 n) {
  while (n > 0) {
    const qint64 written = device.write(data, n);
    if (written <= 0) return false;
    data += written;
    n -= written;
  }
  return true;
}

bool WriteAt(QFile& f, qint64 pos, const char* data, qint64 n) { return f.seek(pos) && WriteAll(f, data, n); }

// Errors the file system reports late (delayed allocation, network folders) show here.
bool SyncToDisk(QFile& f) { return ::fsync(f.handle()) == 0; }

}  // namespace

bool WriteFileInPlace(const QString& file, const QByteArray& bytes) {
  QFile f(file);
  if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) return false;
  const QByteArray old = f.readAll();
  if (f.error() != QFileDevice::NoError) return false;
  const qint64 oldSize = old.size();
  const qint64 newSize = bytes.size();

  // The tail past the old end goes in first: failing here touches no old byte.
  if (newSize > oldSize &&
      (!WriteAt(f, oldSize, bytes.constData() + oldSize, newSize - oldSize) || !SyncToDisk(f))) {
    f.resize(oldSize);
    return false;
  }
  const bool written = WriteAt(f, 0, bytes.constData(), std::min(oldSize, newSize)) &&
                       (newSize >= oldSize || f.resize(newSize)) && SyncToDisk(f);
  if (!written) {
    // Best effort: the space the old bytes need is already the file's.
    WriteAt(f, 0, old.constData(), oldSize);
    f.resize(oldSize);
    SyncToDisk(f);
    return false;
  }
  f.close();
  return f.error() == QFileDevice::NoError;
}

bool ReplaceFileContents(const QString& file, const QByteArray& bytes) {
  QSaveFile out(file);
  if (out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    // Unbuffered, so that a short write shows here: a buffered save file can
    // commit a file cut short by a full disk or a size limit.
    if (!WriteAll(out, bytes.constData(), bytes.size())) {
      out.cancelWriting();
      return false;
    }
    if (out.commit()) return true;
    // A write error (a full disk) is final; a failed rename leaves the file
    // untouched, and writing it in place may still work.
    if (out.error() != QFileDevice::RenameError) return false;
  }
  // No temporary file could be made beside it (a read-only folder, or a file
  // that is itself read-only): an existing file may still be written in place.
  return QFileInfo::exists(file) && WriteFileInPlace(file, bytes);
}

}  // namespace platform
