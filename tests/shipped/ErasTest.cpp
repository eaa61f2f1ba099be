// Reading life dates and fitting them to the years of an era.
#include <gtest/gtest.h>

#include "tools/corpus/Eras.h"

using namespace corpus;

namespace {

Life Of(std::optional<int> born, std::optional<int> died) {
  Life l;
  l.born = born;
  l.died = died;
  return l;
}

}  // namespace

TEST(Eras, LifeDatesReadInEveryWrittenForm) {
  const struct {
    const char* text;
    std::optional<int> born, died;
  } cases[] = {
      {"1012-1067", 1012, 1067},       {"约895-968", 895, 968},        {"1226-约1306", 1226, 1306},
      {"约前340-前278", -340, -278},   {"前154-前93", -154, -93},      {"701—762", 701, 762},
      {"699－约746", 699, 746},        {"?-1067", std::nullopt, 1067}, {"1012-？", 1012, std::nullopt},
      {"916年-961年", 916, 961},
  };
  for (const auto& c : cases) {
    const Life l = ParseLife(c.text);
    EXPECT_TRUE(l.valid) << c.text;
    EXPECT_EQ(l.born, c.born) << c.text;
    EXPECT_EQ(l.died, c.died) << c.text;
  }
  const Life unknown = ParseLife("生卒年不详");
  EXPECT_TRUE(unknown.valid);
  EXPECT_FALSE(unknown.born || unknown.died);
  // Text that holds digits but no dates, and a death before the birth, are not lives.
  for (const char* bad : {"1012", "1012-1067年间", "12345-12399", "1067-1012", "公元1012-1067"}) {
    const Life l = ParseLife(bad);
    EXPECT_FALSE(l.valid) << bad;
    EXPECT_FALSE(l.born || l.died) << bad;
  }
}

TEST(Eras, TheYearsOfEachEra) {
  ASSERT_TRUE(EraYears("唐代").has_value());
  EXPECT_EQ(EraYears("唐代")->first, 618);
  EXPECT_EQ(EraYears("唐代")->last, 907);
  EXPECT_EQ(EraYears("先秦")->last, -221);
  EXPECT_EQ(EraYears("宋代")->first, 960);
  EXPECT_FALSE(EraYears("英国").has_value());
  EXPECT_FALSE(EraYears("").has_value());
}

TEST(Eras, LivesFitWithinTheToleranceAtBothEnds) {
  const EraSpan tang{618, 907};
  // Born at most sixty years before the start, died at most sixty after the end.
  EXPECT_TRUE(LifeFitsEra(Of(558, 638), tang));
  EXPECT_FALSE(LifeFitsEra(Of(557, 638), tang));
  EXPECT_TRUE(LifeFitsEra(Of(900, 967), tang));
  EXPECT_FALSE(LifeFitsEra(Of(900, 968), tang));
  // Alive in the era at all: born by its last year, died from its first.
  EXPECT_TRUE(LifeFitsEra(Of(907, 960), tang));
  EXPECT_FALSE(LifeFitsEra(Of(908, 960), tang));
  EXPECT_TRUE(LifeFitsEra(Of(560, 618), tang));
  EXPECT_FALSE(LifeFitsEra(Of(560, 617), tang));
  // The Song poet listed under the Tang.
  EXPECT_FALSE(LifeFitsEra(ParseLife("1012-1067"), tang));
  // One known end is checked alone; no known end fits everywhere.
  EXPECT_TRUE(LifeFitsEra(Of(std::nullopt, 967), tang));
  EXPECT_FALSE(LifeFitsEra(Of(std::nullopt, 1067), tang));
  EXPECT_FALSE(LifeFitsEra(Of(1012, std::nullopt), tang));
  EXPECT_TRUE(LifeFitsEra(Of(std::nullopt, std::nullopt), tang));
  // Years before the common era count backwards.
  EXPECT_TRUE(LifeFitsEra(ParseLife("约前340-前278"), *EraYears("先秦")));
  EXPECT_FALSE(LifeFitsEra(ParseLife("前154-前93"), *EraYears("先秦")));
  EXPECT_TRUE(LifeFitsEra(ParseLife("前154-前93"), *EraYears("两汉")));
  // The first fitting era of a list, or none.
  EXPECT_EQ(FittingEra(ParseLife("916-991"), {"唐代", "五代", "宋代"}), "五代");
  EXPECT_EQ(FittingEra(ParseLife("916-991"), {"宋代", "五代"}), "宋代");
  EXPECT_EQ(FittingEra(ParseLife("1500-1560"), {"唐代", "宋代", "英国"}), "");
}
