#include "gridkit/option_values.h"

#include <gtest/gtest.h>

#include "gridkit/common.h"

namespace gridkit {
namespace {

TEST(OptionValues, WholeNumbersInTheirRangeAndNothingElse) {
  EXPECT_EQ(whole_number_in("12", 1, 12), 12);
  EXPECT_EQ(whole_number_in("0", 1, 12), std::nullopt);
  EXPECT_EQ(whole_number_in("13", 1, 12), std::nullopt);
  for (const char* text : {"", " 3", "3 ", "3.0", "+3", "3x", "99999999999"}) {
    EXPECT_EQ(whole_number_in(text, 1, 12), std::nullopt) << text;
  }
}

TEST(OptionValues, AYearOrASpanOfYears) {
  EXPECT_EQ(parse_year_span("1998"), (std::pair{1998, 1998}));
  EXPECT_EQ(parse_year_span("1998-2005"), (std::pair{1998, 2005}));
  for (const char* text : {"2005-1998", "1998-", "0-5", "1998-10000", "98to99"}) {
    EXPECT_THROW(parse_year_span(text), Failure) << text;
  }
}

}  // namespace
}  // namespace gridkit
