#include "utl/run_main.h"

#include <gtest/gtest.h>

#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "utl/fatal.h"

namespace utl {
namespace {

const about::About kTool{"Usage: tool FILE\n", "tool 1.0.0\n"};

std::vector<std::string> seen;

int record_and_succeed(const std::vector<std::string>& args) {
  seen = args;
  std::cout << "ran\n";
  return 0;
}
int stop_fatally(const std::vector<std::string>&) { error("Cannot open file par.txt"); }
int run_out_of_memory(const std::vector<std::string>&) { throw std::bad_alloc(); }

// What `run_main` wrote on standard output, and its status, for the command line `line`.
std::pair<std::string, int> main_of(std::vector<std::string> line, ProgramRun run) {
  std::vector<char*> argv;
  for (std::string& word : line) argv.push_back(word.data());
  std::ostringstream out;
  std::streambuf* const standard = std::cout.rdbuf(out.rdbuf());
  const int status = run_main(static_cast<int>(argv.size()), argv.data(), kTool, run);
  std::cout.rdbuf(standard);
  return {out.str(), status};
}

TEST(RunMain, ArgumentsWithoutTheProgramNameGoToTheRun) {
  EXPECT_EQ(main_of({"tool", "par.txt", "--help"}, record_and_succeed),
            std::make_pair(std::string("ran\n"), 0));
  EXPECT_EQ(seen, (std::vector<std::string>{"par.txt", "--help"}));
}

TEST(RunMain, HelpAndVersionGivenAloneAreAnsweredWithoutARun) {
  seen = {"untouched"};
  EXPECT_EQ(main_of({"tool", "--help"}, record_and_succeed),
            std::make_pair(std::string("Usage: tool FILE\n"), 0));
  EXPECT_EQ(main_of({"tool", "--version"}, record_and_succeed),
            std::make_pair(std::string("tool 1.0.0\n"), 0));
  EXPECT_EQ(seen, std::vector<std::string>{"untouched"});
}

TEST(RunMain, StopsAndRunningOutOfMemoryPrintTheirLineWithStatusOne) {
  EXPECT_EQ(main_of({"tool", "par.txt"}, stop_fatally),
            std::make_pair(std::string(" Cannot open file par.txt\n"), kExitFatal));
  EXPECT_EQ(main_of({"tool", "par.txt"}, run_out_of_memory),
            std::make_pair(std::string(" Out of memory\n"), kExitFatal));
}

}  // namespace
}  // namespace utl
