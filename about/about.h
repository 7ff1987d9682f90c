// What a program answers when asked about itself: --help or --version as its only argument.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace about {

// A program's answers: the help text (usage, inputs, working-directory layout) and the version
// line (name, release, the optional parts built in), each ending with a line feed.
struct About {
  std::string_view help;
  std::string_view version;
};

// Writes the help or the version to `out` when `args` is exactly "--help" or "--version", and
// returns the exit status: 0, or 1 when the answer could not be written. Any other command line,
// even one holding those words among others, is left to the program's run (no status).
std::optional<int> answer_about(const std::vector<std::string>& args, const About& about,
                                std::ostream& out);

}  // namespace about
