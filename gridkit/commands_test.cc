// The command table: every command answers --help, and every command reads its options the
// same way and refuses a misuse with status 2.
#include "gridkit/commands.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/commands/netcdf.h"
#include "gridkit/option_cursor.h"
#include "gridkit/run.h"

namespace gridkit {
namespace {

struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
};

Outcome run_in_process(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = run(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Commands, EveryCommandAnswersHelpWithItsUsage) {
  const std::string general = run_in_process({"--help"}).out;
  for (const Command& command : commands()) {
    const std::string name(command.name);
    const Outcome help = run_in_process({name, "--help"});
    EXPECT_EQ(help.status, 0) << name;
    EXPECT_EQ(help.err, "") << name;
    EXPECT_EQ(help.out.rfind("Usage: gridkit " + name + " ", 0), 0u) << help.out;
    EXPECT_EQ(run_in_process({name, "-h"}).out, help.out) << name;
    // The general help lists each command by its usage line.
    EXPECT_NE(general.find("\n  " + std::string(command.usage)), std::string::npos) << name;
    EXPECT_EQ(find_command(name), &command);
  }
  EXPECT_EQ(find_command("draw"), nullptr);
}

TEST(Commands, AnUnknownOptionIsAMisuseOfEveryCommand) {
  for (const Command& command : commands()) {
    const std::string name(command.name);
    const Outcome misuse = run_in_process({name, "--colour=green"});
    EXPECT_EQ(misuse.status, 2) << name;
    EXPECT_EQ(misuse.out, "") << name;
    EXPECT_EQ(misuse.err, "gridkit: unknown option --colour\n") << name;
  }
}

// The first option of a usage line that takes a value: "--name" or "-o" followed by a word in
// capitals, such as "--ibound" of "stats FILE [--ibound IBOUND]"; empty when there is none.
std::string first_option_with_value(std::string_view usage) {
  std::istringstream words{std::string(usage)};
  std::string previous;
  for (std::string word; words >> word; previous = word) {
    const std::size_t start = previous.find_first_not_of("([");
    const bool option = start != std::string::npos && previous.compare(start, 1, "-") == 0 &&
                        previous.back() != ']' && previous.back() != ')';
    if (option && std::isupper(static_cast<unsigned char>(word.front()))) {
      return previous.substr(start);
    }
  }
  return "";
}

TEST(Commands, AnOptionWithoutItsValueIsAMisuseOfEveryCommand) {
  EXPECT_EQ(first_option_with_value("impacts [-12p] YEAR [-o OUT.csv]"), "-o");
  for (const Command& command : commands()) {
    const std::string option = first_option_with_value(command.usage);
    if (option.empty()) continue;  // a command of operands alone
    const Outcome misuse = run_in_process({std::string(command.name), "input", option});
    EXPECT_EQ(misuse.status, 2) << command.name;
    EXPECT_EQ(misuse.err, "gridkit: option " + option + " needs a value\n") << command.name;
  }
}

TEST(Commands, ValuesJoinedWithAnEqualsSignReadAsTheNextArgument) {
  const NetcdfArgs apart = parse_netcdf_args(
      {"netcdf", "d", "rch", "--years", "1998-2000", "--output", "r.nc", "--prj", "w.prj"});
  const NetcdfArgs joined = parse_netcdf_args(
      {"netcdf", "d", "rch", "--years=1998-2000", "--output=r.nc", "--prj=w.prj"});
  EXPECT_EQ(joined.years, apart.years);
  EXPECT_EQ(joined.output, "r.nc");
  EXPECT_EQ(joined.prj, apart.prj);
  // Only the first equals sign parts the name from the value.
  EXPECT_EQ(parse_netcdf_args({"netcdf", "d", "rch", "-o", "r", "--ibound=a=b"}).ibound, "a=b");
}

TEST(Commands, TwoDashesEndTheOptions) {
  const std::vector<std::string> args = {"-o", "x", "--", "--help", "-o", "--"};
  OptionCursor cursor(args, 0);
  std::vector<std::string> operands;
  while (!cursor.done()) {
    if (cursor.take().empty()) operands.push_back(cursor.argument());
  }
  EXPECT_EQ(operands, (std::vector<std::string>{"--help", "-o", "--"}));

  // After "--" a file may be called --help: it is read, not taken for the option.
  const Outcome file = run_in_process({"stats", "--", "--help"});
  EXPECT_EQ(file.status, 1);
  EXPECT_EQ(file.out, "");
  EXPECT_NE(file.err.find("--help"), std::string::npos) << file.err;
  // "--" as an option's value is that value.
  EXPECT_EQ(parse_netcdf_args({"netcdf", "d", "rch", "-o", "--"}).output, "--");
}

}  // namespace
}  // namespace gridkit
