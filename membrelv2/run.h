// The membrelv2 program as a library call, so tests can run it in process.
#pragma once

#include <string>
#include <vector>

namespace membrelv2 {

// Runs membrelv2 with the command-line arguments `args` (without the program name) and
// returns its exit status.
int run(const std::vector<std::string>& args);

}  // namespace membrelv2
