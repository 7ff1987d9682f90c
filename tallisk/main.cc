// Command-line entry of tallisk: arguments to run(), fatal stops and running out of
// memory to standard output, status 1.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tallisk/about.h"
#include "tallisk/run.h"
#include "utl/fatal.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto status = about::answer_about(args, tallisk::kAbout, std::cout)) return *status;
  try {
    return tallisk::run(args);
  } catch (const utl::Fatal& stop) {
    std::cout << stop.text() << std::flush;
    return utl::kExitFatal;
  } catch (const std::bad_alloc&) {
    // The last line of defence: the readers bound what they hold, but never an abort.
    std::cout << " Out of memory\n" << std::flush;
    return utl::kExitFatal;
  }
}
