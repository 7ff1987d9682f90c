// The corvane program as a library call, so tests can run it in process.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// Runs corvane with the command-line arguments `args` (without the program name). Returns the
// exit status of a completed run; fatal stops throw utl::Fatal.
int run(const std::vector<std::string>& args);

}  // namespace corvane
