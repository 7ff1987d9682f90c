// The gridkit program as a library call, so tests can run it in process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// The text of --version: the release and the optional parts built in.
extern const char* const kVersion;

// Runs gridkit with the command-line arguments `args` (without the program name): results and
// help on `out`, messages on `err`. Returns the exit status: 0 or 1; for diff and check 0, 1
// or 2 (see diff.h).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same on standard output and standard error.
int run(const std::vector<std::string>& args);

}  // namespace gridkit
