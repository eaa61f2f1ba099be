#pragma once
// Installing the settings file. The era lists are installation data and come
// from the shipped file; the [tip] keys are the reader's (the tip window writes
// them when it closes), so a file already in place keeps its values of them.
#include <QString>

namespace settings {

// Writes `shipped` to `installed`. Where `installed` exists, its [tip] `tip`
// and `count` values (section names matched without regard to case) replace
// the shipped ones. The new file replaces the old one in one step; on failure
// the old file stays as it was, `error` says why and false is returned.
bool InstallSettings(const QString& shipped, const QString& installed, QString* error);

}  // namespace settings
