#pragma once
// Profile files: "[section]" header lines and "key=value" lines in GBK text.
// Names match without regard to letter case; values are read trimmed and cut
// to 2047 bytes. Every call opens the file anew.
#include <QString>

namespace platform {

constexpr int kProfileValueMax = 2047;

// The value, or `def` when the file, the section or the key is missing.
QString ReadProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& def = QString());
// Writes the value, creating the file, the section or the key as needed. The new
// contents replace the file in one step, or are written in place when the
// folder is read-only but the file is not; on failure the old file is left as
// it was and false is returned.
bool WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value);

}  // namespace platform
