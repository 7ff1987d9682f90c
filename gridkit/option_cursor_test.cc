#include "gridkit/option_cursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gridkit {
namespace {

using Args = std::vector<std::string>;

// The names and operands a walk over `args` sees, as "name" for an option (with "=value" when
// it took one) and "[operand]" for an operand.
std::vector<std::string> walked(const Args& args, bool& help) {
  std::vector<std::string> seen;
  help = walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (name == "--value" || cursor.is_output()) {
      seen.push_back(name + "=" + cursor.value());
    } else {
      cursor.refuse_unknown_option();
      seen.push_back("[" + cursor.argument() + "]");
    }
  });
  return seen;
}

TEST(WalkArguments, OptionsAndOperandsInOrderAfterTheCommandsName) {
  bool help = true;
  EXPECT_EQ(walked({"cmd", "a", "--value", "1", "-o", "x", "--value=2=3", "b"}, help),
            (std::vector<std::string>{"[a]", "--value=1", "-o=x", "--value=2=3", "[b]"}));
  EXPECT_FALSE(help);
  EXPECT_TRUE(walked({"cmd"}, help).empty());
}

TEST(WalkArguments, StopsAtHelpButNotAfterTheEndOfOptions) {
  bool help = false;
  // An unknown option after --help is never reached.
  EXPECT_EQ(walked({"cmd", "a", "-h", "--bogus"}, help), (std::vector<std::string>{"[a]"}));
  EXPECT_TRUE(help);
  EXPECT_EQ(walked({"cmd", "--", "--help", "-o"}, help),
            (std::vector<std::string>{"[--help]", "[-o]"}));
  EXPECT_FALSE(help);
}

TEST(WalkArguments, MisusesAreUsageErrors) {
  bool help = false;
  EXPECT_THROW(walked({"cmd", "--bogus"}, help), UsageError);
  EXPECT_THROW(walked({"cmd", "a", "--value"}, help), UsageError);
  // A lone dash is an operand (standard input or a file of that name), not an option.
  EXPECT_EQ(walked({"cmd", "-"}, help), (std::vector<std::string>{"[-]"}));
}

TEST(OptionCursor, ASecondOperandOfAKindNamesBoth) {
  const Args args = {"one", "two"};
  OptionCursor cursor(args, 0);
  std::string input;
  bool given = false;
  cursor.take();
  cursor.take_single_operand(input, given, "input");
  EXPECT_EQ(input, "one");
  cursor.take();
  try {
    cursor.take_single_operand(input, given, "input");
    FAIL() << "a second input was taken";
  } catch (const UsageError&) {
    FAIL() << "a second input is not an unknown option";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "more than one input: one and two");
  }
}

}  // namespace
}  // namespace gridkit
