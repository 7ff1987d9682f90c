// Command-line entry of corvane: arguments to run(), fatal stops to standard output, status 1.
#include <iostream>
#include <string>
#include <vector>

#include "corvane/run.h"
#include "utl/fatal.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return corvane::run(args);
  } catch (const utl::Fatal& stop) {
    std::cout << stop.text() << std::flush;
    return utl::kExitFatal;
  }
}
