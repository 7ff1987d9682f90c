#include "about/about.h"

#include <gtest/gtest.h>

#include <sstream>

#include "about/version.h"

namespace about {
namespace {

const About kTestAbout{"Usage: prog FILE\n", "prog 9.9.9\n"};

// The status answer_about() gives for `args`, and what it wrote.
struct Answer {
  std::optional<int> status;
  std::string out;
};

Answer answer(const std::vector<std::string>& args) {
  std::ostringstream out;
  const std::optional<int> status = answer_about(args, kTestAbout, out);
  return {status, out.str()};
}

TEST(About, AnswersHelpAndVersionGivenAlone) {
  const Answer help = answer({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, "Usage: prog FILE\n");
  const Answer version = answer({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "prog 9.9.9\n");
}

TEST(About, LeavesEveryOtherCommandLineToTheProgram) {
  // An input file may be named like an option; only the lone word asks for help.
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"--help", "params.txt"},
                                             {"params.txt", "--version"},
                                             {"-h"},
                                             {"--HELP"},
                                             {"--help "},
                                             {"1995"}}) {
    const Answer left = answer(args);
    EXPECT_FALSE(left.status.has_value()) << (args.empty() ? "" : args.front());
    EXPECT_EQ(left.out, "");
  }
}

TEST(About, AnswerThatCannotBeWrittenFails) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  EXPECT_EQ(answer_about({"--version"}, kTestAbout, out), 1);
}

TEST(About, ReleaseIsThreeNumbers) {
  // The package and every program show the same release: major.minor.patch.
  const std::string release = RECHARGE_VERSION;
  int dots = 0;
  for (const char c : release) {
    if (c == '.') {
      ++dots;
    } else {
      EXPECT_TRUE(c >= '0' && c <= '9') << release;
    }
  }
  EXPECT_EQ(dots, 2) << release;
}

}  // namespace
}  // namespace about
