#pragma once
// The program's three database files, opened relative to the current directory,
// and the passwords the program holds for them.
#include <QString>

namespace data {

inline const QString kPoetryDbFile = QStringLiteral("dat\\db3.dat");
inline const QString kFormatDbFile = QStringLiteral("dat\\db4.dat");
inline const QString kLoreDbFile = QStringLiteral("dat\\db5.dat");

inline const QString kPoetryDbPassword = QStringLiteral("朱砂笔");
inline const QString kFormatDbPassword = QStringLiteral("格律");
inline const QString kLoreDbPassword = QStringLiteral("诗话");

}  // namespace data
