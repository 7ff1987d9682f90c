#include "membrelv2/inputs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "membrelv2/stop.h"
#include "tests/support/stop_text.h"

namespace membrelv2 {
namespace {

using testsupport::stop_text;

std::string grid_of(char fill_digit, int lines) {
  std::string row;
  for (int c = 0; c < kNcol; ++c) row += std::string(" ") + fill_digit;
  std::string text;
  for (int r = 0; r < lines; ++r) text += row + "\n";
  return text;
}

class Inputs : public ::testing::Test {
 protected:
  std::unique_ptr<Tables> owned = std::make_unique<Tables>();
  Tables& t = *owned;
};

TEST(YearText, PadsOrCutsToFourCharacters) {
  EXPECT_EQ(year_text("95"), "95  ");
  EXPECT_EQ(year_text("19951"), "1995");
  EXPECT_EQ(year_text(""), "    ");
  EXPECT_EQ(monthly_factor_file(year_text("95")), "../data/ks/sw/monthlyfactorsbycounty95  .txt");
}

TEST_F(Inputs, ParameterFileTakesFirstNumberOfEachRecord) {
  readpar(FreeReader("3\n0.4 9\n0.25\n\n1e-1\n", "p"), t);
  EXPECT_EQ(t.sysfac[1], 0.4f);
  EXPECT_EQ(t.sysfac[2], 0.25f);
  EXPECT_EQ(t.sysfac[3], 0.1f);
  EXPECT_EQ(t.sysfac[4], 0.0f);
}

TEST_F(Inputs, ParameterCountZeroOrNegativeReadsNoFactor) {
  readpar(FreeReader("0\nnot read\n", "p"), t);
  readpar(FreeReader("-4\n", "p"), t);
  EXPECT_EQ(t.sysfac[1], 0.0f);
}

TEST_F(Inputs, ParameterFileFailures) {
  EXPECT_EQ(stop_text([&] { readpar(FreeReader("13\n", "p.par"), t); }),
            "p.par line 1: 13 system types, at most 12");
  EXPECT_EQ(stop_text([&] { readpar(FreeReader("3\n1\n2\n", "p.par"), t); }),
            "p.par: file ends before the factor of system type 2 (3 of 3)");
  EXPECT_EQ(stop_text([&] { readpar(FreeReader("", "p.par"), t); }),
            "p.par: file ends before the number of system types");
  EXPECT_EQ(stop_text([&] { readpar(FreeReader("1\n0.4x\n", "p.par"), t); }),
            "p.par line 2: \"0.4x\" is not a number");
}

TEST_F(Inputs, ActivityGridNeeds165Lines) {
  readibound(grid_of('1', 165), "ib", t);
  EXPECT_EQ(t.ibound[cell_index(326, 165)], 1);
  EXPECT_EQ(stop_text([&] { readibound(grid_of('1', 164), "ib", t); }),
            "ib: file ends after 164 lines, before row 165 of the grid");
}

TEST_F(Inputs, CountyFileSkipsHeaderEvenWhenItLooksLikeGridLine) {
  readcty(grid_of('9', 1) + grid_of('3', 165) + grid_of('7', 1), "cty", t);
  EXPECT_EQ(t.icty[cell_index(1, 1)], 3);
  EXPECT_EQ(t.icty[cell_index(326, 165)], 3);
  EXPECT_EQ(stop_text([&] { readcty(grid_of('3', 165), "cty", t); }),
            "cty: file ends after 165 lines, before row 165 of the grid");
}

TEST_F(Inputs, CountyOutsideRangeStopsNamingValue) {
  std::string text = "header\n" + grid_of('1', 165);
  text.replace(7 + 2 * 653 + 4, 2, "45");  // row 3, column 3
  EXPECT_EQ(stop_text([&] { readcty(text, "cty", t); }),
            "cty line 4: column 3: county 45 outside 0 to 44");
  text.replace(7 + 2 * 653 + 4, 2, "-1");
  EXPECT_NE(stop_text([&] { readcty(text, "cty", t); }), "");
}

TEST_F(Inputs, MonthlyFactorsFillCountyByRecordOrder) {
  std::string text;
  for (int i = 1; i <= 44; ++i) {
    if (i == 2) {
      text += "7 0.1 0.2\n 0.3, 0.4 0.5\n0.6 extra\n";  // spans lines; its number says 7
    } else {
      text += std::to_string(i) + " 1 1 1 1 1 1\n";
    }
  }
  readmonfac(FreeReader(text + "junk after the 44th record\n", "m"), t);
  EXPECT_EQ(t.monfac[2][5], 0.1f);
  EXPECT_EQ(t.monfac[2][10], 0.6f);
  EXPECT_EQ(t.monfac[7][7], 1.0f);
  EXPECT_EQ(t.monfac[2][4], 0.0f);
  EXPECT_EQ(t.monfac[44][10], 1.0f);
  EXPECT_EQ(stop_text([&] { readmonfac(FreeReader("1 1 1 1 1 1 1\n", "m"), t); }),
            "m: file ends before the record of county 2 of 44");
}

TEST_F(Inputs, AuthorizedAcreageSumsByGroupAndDropsCutRecord) {
  readauth(FreeReader("7 1 1 1 1 30\n7 1 1 1 2 10.5\n9 20 45 36 16 -2\n5 1 1", "a"), t);
  EXPECT_EQ(t.authgrp[7], 40.5f);
  EXPECT_EQ(t.authgrp[9], -2.0f);
  EXPECT_EQ(t.authgrp[5], 0.0f);
  EXPECT_EQ(t.total_authorized, 38.5f);
}

TEST_F(Inputs, AuthorizedAcreageRangeErrors) {
  EXPECT_EQ(stop_text([&] { readauth(FreeReader("3001 1 1 1 1 30\n", "a"), t); }),
            "a line 1: group 3001 outside 1 to 3000");
  EXPECT_EQ(stop_text([&] { readauth(FreeReader("1 1 1 1 1 1\n0 1 1 1 1 30\n", "a"), t); }),
            "a line 2: group 0 outside 1 to 3000");
  EXPECT_EQ(stop_text([&] { readauth(FreeReader("1 21 1 1 1 30\n", "a"), t); }),
            "a line 1: township 21 outside 1 to 20");
  EXPECT_EQ(stop_text([&] { readauth(FreeReader("1 1 46 1 1 30\n", "a"), t); }),
            "a line 1: range 46 outside 1 to 45");
  EXPECT_EQ(stop_text([&] { readauth(FreeReader("1 1 1 37 1 30\n", "a"), t); }),
            "a line 1: section 37 outside 1 to 36");
  EXPECT_EQ(stop_text([&] { readauth(FreeReader("1 1 1 1 17 30\n", "a"), t); }),
            "a line 1: tract 17 outside 1 to 16");
  EXPECT_EQ(stop_text([&] { readauth(FreeReader("1 1 1 1 1 inf\n", "a"), t); }),
            "a line 1: \"inf\" is not a number");
}

TEST_F(Inputs, LaterCoordinateRecordHolds) {
  readcoords(FreeReader("1 2 3 4 100 200\n1 2 3 4 300.5 14958726.4\n20 45 36 16 1 2\n", "c"), t);
  EXPECT_EQ(t.xcoord[tract_index(1, 2, 3, 4)], 300.5f);
  EXPECT_EQ(t.ycoord[tract_index(1, 2, 3, 4)], 14958726.0f);
  EXPECT_EQ(t.xcoord[tract_index(20, 45, 36, 16)], 1.0f);
  EXPECT_EQ(t.xcoord[tract_index(1, 1, 1, 1)], 0.0f);
  EXPECT_EQ(stop_text([&] { readcoords(FreeReader("0 1 1 1 5 5\n", "c"), t); }),
            "c line 1: township 0 outside 1 to 20");
}

}  // namespace
}  // namespace membrelv2
