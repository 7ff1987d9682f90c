// What every gridkit command shares: its exit statuses, the one failure it stops with, and
// reading its inputs and writing its outputs whole.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace gridkit {

// A run that did what was asked; for the commands that answer as cmp and diff do, all equal
// (or nothing to report).
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitSame = 0;
// A run that stopped on a failure (the commands other than diff, check and explain).
inline constexpr int kExitFailure = 1;
// diff, check and explain: something differs, is stale or missing, or does not fit.
inline constexpr int kExitDiffers = 1;
// diff, check and explain: trouble, such as a file that cannot be read or written.
inline constexpr int kExitTrouble = 2;
// Every command: a command line gridkit cannot read.
inline constexpr int kExitMisuse = 2;

// A failure that gridkit reports on standard error, after "gridkit: ", before ending with
// kExitFailure (kExitTrouble for diff, check and explain).
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command line gridkit cannot read: an unknown option, or an option without its value. It
// ends the run with kExitMisuse, whatever the command, so a script tells a misspelt option
// from a failed run.
class UsageError : public Failure {
 public:
  using Failure::Failure;
};

// Reads the text file `path` whole into `contents` (a binary grid is far smaller than the
// limit on a line, so one limit serves every grid). Throws Failure naming the file when it
// cannot be read or holds a line past the limit.
void read_input_file(const std::string& path, std::string& contents);

// Reads the binary file `path` (a HYDMOD run file: no lines) whole into `contents`, up to the
// bound on a whole file. Throws Failure naming the file when it cannot be read or is larger.
void read_binary_input_file(const std::string& path, std::string& contents);

// Writes `bytes` as the whole file `path`, put in place only once complete. Throws Failure
// naming it when it cannot be created or written.
void write_output_file(const std::string& path, std::string_view bytes);

}  // namespace gridkit
