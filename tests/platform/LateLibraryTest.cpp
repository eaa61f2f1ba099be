#include <gtest/gtest.h>

#include "platform/LateLibrary.h"

using platform::FunctionBinder;
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

// A table of functions is there only when every function was found; the
// failure names the first one missing, and a missing library says so.
TEST(LateLibrary, TableNamesTheFirstMissingFunction) {
  struct Zlib {
    VersionFunction* first = nullptr;
    VersionFunction* absent = nullptr;
    VersionFunction* alsoAbsent = nullptr;
    VersionFunction* last = nullptr;
  };
  LateLibrary zlib(QStringLiteral("z"), 1);
  const auto complete = platform::OpenFunctions<Zlib>(zlib, [](FunctionBinder& bind, Zlib& f) {
    bind(f.first, "zlibVersion");
    bind(f.last, "zlibVersion");
  });
  ASSERT_TRUE(complete.table.has_value()) << complete.failure.toStdString();
  EXPECT_NE(complete.table->first, nullptr);
  EXPECT_EQ(complete.table->first, complete.table->last);
  EXPECT_TRUE(complete.failure.isEmpty());

  const auto lacking = platform::OpenFunctions<Zlib>(zlib, [](FunctionBinder& bind, Zlib& f) {
    bind(f.first, "zlibVersion");
    bind(f.absent, "cq_absent_one");
    bind(f.alsoAbsent, "cq_absent_two");
    bind(f.last, "zlibVersion");
  });
  EXPECT_FALSE(lacking.table.has_value());
  EXPECT_TRUE(lacking.failure.endsWith(QStringLiteral("has no function cq_absent_one"))) << lacking.failure.toStdString();

  LateLibrary missing(QStringLiteral("cq-no-such-library"), 3);
  const auto none = platform::OpenFunctions<Zlib>(missing, [](FunctionBinder& bind, Zlib& f) { bind(f.first, "zlibVersion"); });
  EXPECT_FALSE(none.table.has_value());
  EXPECT_TRUE(none.failure.contains(QStringLiteral("cq-no-such-library"))) << none.failure.toStdString();
}
