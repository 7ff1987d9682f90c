// A program's main: arguments to its run, fatal stops and running out of memory to standard
// output, status 1, and a run whose standard output was lost a failure too.
#include "utl/run_main.h"

#include <iostream>
#include <new>

#include "utl/fatal.h"
#include "utl/signal_cleanup.h"
#include "utl/standard_output.h"

namespace utl {

int run_main(int argc, char** argv, const about::About& about, ProgramRun run) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto status = about::answer_about(args, about, std::cout)) return *status;
  utl::signal_cleanup::treat_file_size_limit_as_full_disk();
  try {
    const int status = run(args);
    // Progress lines lost with standard output (a full disk under a redirection) make the run
    // a failure, said on standard error since standard output is gone.
    if (standard_output_written()) return status;
    std::cerr << " Cannot write standard output\n";
    return kExitFatal;
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
