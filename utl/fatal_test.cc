#include "utl/fatal.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/stop_text.h"
#include "utl/fields.h"

namespace utl {
namespace {

using testsupport::stop_text;

TEST(Error2, TrimsTheNameAndSeparatesByOneBlank) {
  const std::string line =
      stop_text([] { error2("Error opening file", padded("ibound.dat", 256)); });
  EXPECT_EQ(line, " Error opening file ibound.dat\n");
  EXPECT_EQ(line.size(), 31u);  // 30 characters and the line end
}

TEST(Error, AllBlankMessagePrintsTwoBlanks) {
  EXPECT_EQ(stop_text([] { error(std::string(20, ' ')); }), "  \n");
  EXPECT_EQ(stop_text([] { error(""); }), "  \n");
}

TEST(Errorint, ShowsTwoBlanksBeforeTheNumber) {
  EXPECT_EQ(stop_text([] { errorint("Too many HYDMOD items", 300); }),
            " Too many HYDMOD items  300\n");
  EXPECT_EQ(stop_text([] { errorint("Invalid year-month", -13); }), " Invalid year-month  -13\n");
}

TEST(Errordbl, ShowsTheRealWithADecimalPoint) {
  EXPECT_EQ(stop_text([] { errordbl("Value out of range in BINFIND", 12.0); }),
            " Value out of range in BINFIND   12.\n");
  EXPECT_EQ(stop_text([] { errordbl("Value out of range in BINFIND", -0.5); }),
            " Value out of range in BINFIND  -0.5\n");
}

TEST(Error2, LongNameGoesToASecondLine) {
  const std::string message(20, 'm');
  const std::string name(70, 'n');
  EXPECT_EQ(stop_text([&] { error2(message, name); }), " " + message + " \n " + name + "\n");
  // 2 + 20 + 57 = 79 still fits on one line.
  const std::string shorter(57, 'n');
  EXPECT_EQ(stop_text([&] { error2(message, shorter); }), " " + message + " " + shorter + "\n");
}

TEST(Error, MessageOf80OrMoreFollowsAnEmptyLine) {
  const std::string message(85, 'x');
  EXPECT_EQ(stop_text([&] { error(message); }), "\n " + message + "\n");
  const std::string fits(79, 'x');
  EXPECT_EQ(stop_text([&] { error(fits); }), " " + fits + "\n");
}

}  // namespace
}  // namespace utl
