#pragma once
// The maker's addresses, shown in the status bar and opened by the link commands.
#include <QString>

namespace app {

inline const QString kMakerWebAddress = QStringLiteral("https://cinnabarquillpad.example.org/");
inline const QString kMakerMailAddress = QStringLiteral("author@cinnabarquillpad.example.org");
inline const QString kMakerQQNumber = QStringLiteral("20140901");

}  // namespace app
