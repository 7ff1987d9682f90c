// CSV fields.
#include "utl/csv.h"

#include <gtest/gtest.h>

namespace utl {
namespace {

TEST(CsvField, QuotesOnlyWhatCsvReadersWouldMisread) {
  EXPECT_EQ(csv_field("plain label"), "plain label");
  EXPECT_EQ(csv_field(""), "");
  EXPECT_EQ(csv_field("a,b"), "\"a,b\"");
  EXPECT_EQ(csv_field("say \"x\""), "\"say \"\"x\"\"\"");
  EXPECT_EQ(csv_field(" lead"), "\" lead\"");
  EXPECT_EQ(csv_field("trail "), "\"trail \"");
  EXPECT_EQ(csv_field("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(csv_field("cr\r"), "\"cr\r\"");
}

}  // namespace
}  // namespace utl
