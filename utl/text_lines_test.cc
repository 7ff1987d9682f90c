#include "utl/text_lines.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

using Lines = std::vector<std::string_view>;

TEST(SplitLines, LineEndsOfEitherSystemAndALastLineWithoutOne) {
  EXPECT_EQ(utl::split_lines("a\r\nb\n\nc"), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(utl::split_lines("a\n"), (Lines{"a"}));
  EXPECT_EQ(utl::split_lines(""), Lines{});
  EXPECT_EQ(utl::split_lines("\n"), (Lines{""}));
}

TEST(SplitLines, OnlyACarriageReturnEndingALineIsDropped) {
  EXPECT_EQ(utl::split_lines("a\rb\r\n\r"), (Lines{"a\rb", ""}));
}

}  // namespace
