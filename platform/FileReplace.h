#pragma once
// Replacing the whole contents of a small file (the settings file) so that a
// write that fails leaves the old contents, never a mix of old and new.
#include <QByteArray>
#include <QString>

namespace platform {

// Writes `bytes` as the file's new contents, creating the file when missing.
// The new contents go to a temporary file beside it, which then takes the
// file's place. When the folder allows no temporary file (or no rename) but the
// file itself is writable, the file is written in place instead. False when
// the file cannot be written; the old contents are then kept.
bool ReplaceFileContents(const QString& file, const QByteArray& bytes);

// Rewrites an existing file in place, for folders where nothing new can be
// made. Bytes past the old end are written first and the old part is only
// overwritten once they are in, so a full disk or a size limit fails while the
// file still holds its old contents; a failure after that puts the old bytes
// back. False when the file is missing or cannot be written.
bool WriteFileInPlace(const QString& file, const QByteArray& bytes);

}  // namespace platform
