#pragma once
// The two collections and the era (or country) names the settings file lists for them.
#include <QString>
#include <QStringList>

namespace app {

struct Collection {
  QString caption;   // era group caption: "中国作品" or "外国作品"
  QString countKey;  // [item] key holding the number of names
  QString section;   // section holding the names under the keys 1 ... n
};

const Collection& ChineseWorks();
const Collection& ForeignWorks();

// The longest era list read: a larger count is refused as a count that is
// not an integer is, rather than listing millions of empty names.
constexpr int kMaxEraNames = 1000;

// Reads the collection's count as text and converts it strictly (raising the
// conversion error "'%s' is not a valid integer value", also for a count above
// kMaxEraNames), then the names 1 ... n with "" for missing keys, all from one
// reading of the file. A count of 0 or less gives no names.
QStringList ReadEraNames(const QString& setupFile, const Collection& collection);

}  // namespace app
