// The whole of the main of a program that stops by utl::Fatal (corvane, tallisk): its answers
// to --help and --version, its run, and its stops printed on standard output with status 1.
#pragma once

#include <string>
#include <vector>

#include "about/about.h"

namespace utl {

// A program as a library call: the command-line arguments (without the program name) to the
// exit status of a completed run; fatal stops throw utl::Fatal.
using ProgramRun = int (*)(const std::vector<std::string>& args);

// Answers `--help` or `--version` given as the only argument from `about`; otherwise returns
// what `run` returns for the arguments of `argv`, the file size limit's signal treated as a full
// disk. A Fatal stop prints its line, and running out of memory the line " Out of memory", on
// standard output, flushed, and returns kExitFatal; so does a run whose standard output could
// not be written, with " Cannot write standard output" on standard error.
int run_main(int argc, char** argv, const about::About& about, ProgramRun run);

}  // namespace utl
