#pragma once
// The program's three database files, opened relative to the current directory,
// the passwords the program holds for them and the keys those passwords stand for.
#include <QString>

namespace data {

inline const QString kPoetryDbFile = QStringLiteral("dat\\db3.dat");
inline const QString kFormatDbFile = QStringLiteral("dat\\db4.dat");
inline const QString kLoreDbFile = QStringLiteral("dat\\db5.dat");

inline const QString kPoetryDbPassword = QStringLiteral("朱砂笔");
inline const QString kFormatDbPassword = QStringLiteral("格律");
inline const QString kLoreDbPassword = QStringLiteral("诗话");

// The database keys of the three passwords (DeriveDatabaseKey, worked out once
// and kept here), so that opening the program's files derives nothing.
inline constexpr const char* kPoetryDbKey = "a102003c0a3fec20854398b5a3e6686ec98d485e6bd0f9bc9d466b48942b66d9";
inline constexpr const char* kFormatDbKey = "fa0441ce0dbf38375fb40cb5d230c5296a41eb938b157f8369c6bddb46dd07d8";
inline constexpr const char* kLoreDbKey = "9090e0f94f7d0700650923fb0f5f8e4633d810d0beee2de05228ba1dac4289a5";

// The table of words the title and content searches look in first (see SearchWords.h).
inline const QString kPoetrySearchIndex = QStringLiteral("poetry_search");
// The poems' titles, authors, forms and first lines without their texts, for
// listing the hits of a search; its key is the poem's row id.
inline const QString kPoetryListing = QStringLiteral("poetry_listing");
inline const QString kListingKey = QStringLiteral("poem");

}  // namespace data
