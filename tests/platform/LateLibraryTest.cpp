#include <gtest/gtest.h>

#include "platform/LateLibrary.h"

using platform::Bind;
using platform::LateLibrary;

namespace {
using VersionFunction = const char*();
}  // namespace

// zlib is on every machine Qt runs on: opened late, its functions answer as linked ones.
TEST(LateLibrary, OpensOnFirstUseAndResolvesTypedFunctions) {
  LateLibrary zlib(QStringLiteral("z"), 1);
  ASSERT_TRUE(zlib.Open()) << zlib.Error().toStdString();
  EXPECT_TRUE(zlib.Open());  // a second call keeps the library
  VersionFunction* version = zlib.Function<VersionFunction>("zlibVersion");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version()[0], '1');
  EXPECT_EQ(zlib.Function<VersionFunction>("zlibVersionX"), nullptr);
}

TEST(LateLibrary, MissingLibraryIsReportedByName) {
  LateLibrary missing(QStringLiteral("cq-no-such-library"), 3);
  EXPECT_FALSE(missing.Open());
  EXPECT_FALSE(missing.Open());
  EXPECT_TRUE(missing.Error().contains(QStringLiteral("cq-no-such-library"))) << missing.Error().toStdString();
  EXPECT_EQ(missing.Function<VersionFunction>("zlibVersion"), nullptr);
}

// Binding a table of functions names the first one missing, and fills the rest.
TEST(LateLibrary, BindNamesTheFirstMissingFunction) {
  LateLibrary zlib(QStringLiteral("z"), 1);
  ASSERT_TRUE(zlib.Open());
  VersionFunction* first = nullptr;
  VersionFunction* absent = nullptr;
  VersionFunction* alsoAbsent = nullptr;
  VersionFunction* last = nullptr;
  QString missing;
  EXPECT_TRUE(Bind(zlib, first, "zlibVersion", missing));
  EXPECT_FALSE(Bind(zlib, absent, "cq_absent_one", missing));
  EXPECT_FALSE(Bind(zlib, alsoAbsent, "cq_absent_two", missing));
  EXPECT_TRUE(Bind(zlib, last, "zlibVersion", missing));
  EXPECT_EQ(missing, QStringLiteral("cq_absent_one"));
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(first, last);
  EXPECT_EQ(absent, nullptr);
}
