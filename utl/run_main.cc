// A program's main: arguments to its run, fatal stops and running out of memory to standard
// output, status 1.
#include "utl/run_main.h"

#include <iostream>
#include <new>

#include "utl/fatal.h"

namespace utl {

int run_main(int argc, char** argv, const about::About& about, ProgramRun run) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto status = about::answer_about(args, about, std::cout)) return *status;
  try {
    return run(args);
  } catch (const Fatal& stop) {
    std::cout << stop.text() << std::flush;
    return kExitFatal;
  } catch (const std::bad_alloc&) {
    // The last line of defence: the readers bound what they hold, but never an abort.
    std::cout << " Out of memory\n" << std::flush;
    return kExitFatal;
  }
}

}  // namespace utl
