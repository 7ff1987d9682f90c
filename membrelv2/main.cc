// Command-line entry of membrelv2.
#include <string>
#include <vector>

#include "membrelv2/run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return membrelv2::run(args);
}
