// Command-line entry of gridkit: arguments to run(), its status to the shell.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "gridkit/diff.h"
#include "gridkit/run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return gridkit::run(args);
  } catch (const std::bad_alloc&) {
    // Only diff, check and explain let it through (the other commands stop with status 1 in
    // run()): trouble to them, as to cmp.
    std::cout.flush();
    std::cerr << "gridkit: out of memory\n";
    return gridkit::kExitTrouble;
  }
}
