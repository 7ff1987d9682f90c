// Command-line entry of membrelv2.
#include <iostream>
#include <string>
#include <vector>

#include "membrelv2/about.h"
#include "membrelv2/run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto status = about::answer_about(args, membrelv2::kAbout, std::cout)) return *status;
  return membrelv2::run(args);
}
