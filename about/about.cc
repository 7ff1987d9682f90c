// Answers to --help and --version given alone.
#include "about/about.h"

#include <ostream>

namespace about {

std::optional<int> answer_about(const std::vector<std::string>& args, const About& about,
                                std::ostream& out) {
  if (args.size() != 1) return std::nullopt;
  if (args.front() == "--help") {
    out << about.help << std::flush;
  } else if (args.front() == "--version") {
    out << about.version << std::flush;
  } else {
    return std::nullopt;
  }
  // An answer lost on a closed or full output is no success.
  return out ? 0 : 1;
}

}  // namespace about
