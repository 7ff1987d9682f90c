// Command-line entry of gridkit: arguments to run(), its status to the shell.
#include <string>
#include <vector>

#include "gridkit/run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return gridkit::run(args);
}
