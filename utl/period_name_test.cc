// Period file names: the names the grid writer gives and the parser that reads them back.
#include "utl/period_name.h"

#include <gtest/gtest.h>

#include <string>

#include "utl/fields.h"

namespace utl {
namespace {

TEST(StressPeriodName, ThreeFormsFromYearAndMonth) {
  const std::string dir = padded("out", 16);
  const std::string ext = padded("rch", 16);
  EXPECT_EQ(stress_period_name(0, 5, dir, ext), "out/steady.rch");
  EXPECT_EQ(stress_period_name(-3, 0, dir, ext), "out/steady.rch");
  EXPECT_EQ(stress_period_name(1995, 0, dir, ext), "out/1995.rch");
  EXPECT_EQ(stress_period_name(1995, -1, dir, ext), "out/1995.rch");
  EXPECT_EQ(stress_period_name(1995, 3, dir, ext), "out/1995.03.rch");
  EXPECT_EQ(stress_period_name(1995, 10, dir, ext), "out/1995.10.rch");
  EXPECT_EQ(stress_period_name(2020, 12, dir, ext), "out/2020.12.rch");
}

TEST(StressPeriodName, BlankFilledYearsAsterisksAndBlanksInside) {
  EXPECT_EQ(stress_period_name(950, 0, "out", "are"), "out/ 950.are");
  EXPECT_EQ(stress_period_name(7, 0, "out", "are"), "out/   7.are");
  EXPECT_EQ(stress_period_name(10000, 0, "out", "are"), "out/****.are");
  EXPECT_EQ(stress_period_name(950, 6, "out", "rch"), "out/ 950.06.rch");
  EXPECT_EQ(stress_period_name(9999, 12, "out", "rch"), "out/9999.12.rch");
  EXPECT_EQ(stress_period_name(10000, 1, "out", "rch"), "out/*******.rch");
  // An all-blank directory contributes one blank; blanks inside the name stay.
  EXPECT_EQ(stress_period_name(1995, 0, "    ", "rch"), " /1995.rch");
  EXPECT_EQ(stress_period_name(1995, 0, " my out  ", "r h  "), " my out/1995.r h");
  // Names are built whole, however long the directory.
  const std::string deep = "out/scenario_2024/" + std::string(300, 'd');
  EXPECT_EQ(stress_period_name(1950, 3, deep, "rch"), deep + "/1950.03.rch");
}

TEST(PeriodFileName, ReadsBackAsItsYearMonthAndExtension) {
  for (const int year : {1000, 1940, 1998, 2020, 9999}) {
    for (int month = 0; month <= 12; ++month) {
      for (const std::string ext : {"rch", "are", "r h", "rch.bak", "x"}) {
        const std::string name = period_file_name(year, month, padded(ext, 12));
        const std::optional<PeriodName> period = parse_period_name(name);
        ASSERT_TRUE(period.has_value()) << name;
        EXPECT_EQ(period->year, year) << name;
        EXPECT_EQ(period->month, month) << name;
        EXPECT_EQ(period->ext, ext) << name;
        // And back again to the same bytes.
        EXPECT_EQ(period_file_name(period->year, period->month, period->ext), name);
      }
    }
  }
  EXPECT_EQ(stress_period_name(1998, 4, "grids/text  ", "rch"),
            "grids/text/" + period_file_name(1998, 4, "rch"));
}

TEST(ParsePeriodName, OnlyFourDigitYearsAndMonthsOneToTwelve) {
  EXPECT_FALSE(parse_period_name("998.04.rch"));
  EXPECT_FALSE(parse_period_name(" 998.are"));
  EXPECT_FALSE(parse_period_name("1998.").has_value());
  EXPECT_FALSE(parse_period_name("19x8.04.rch"));
  EXPECT_FALSE(parse_period_name("1998_04.rch"));
  EXPECT_FALSE(parse_period_name("steady.rch"));
  EXPECT_FALSE(parse_period_name(""));
  // A month out of range, or a month without an extension, is part of a yearly extension.
  EXPECT_EQ(parse_period_name("1998.13.rch")->month, 0);
  EXPECT_EQ(parse_period_name("1998.13.rch")->ext, "13.rch");
  EXPECT_EQ(parse_period_name("1998.00.rch")->month, 0);
  EXPECT_EQ(parse_period_name("1998.04.")->month, 0);
  EXPECT_EQ(parse_period_name("1998.04.")->ext, "04.");
  EXPECT_EQ(parse_period_name("1998.04.rch.png")->ext, "rch.png");
  EXPECT_EQ(parse_period_name("1998.04.rch.png")->month, 4);
}

}  // namespace
}  // namespace utl
