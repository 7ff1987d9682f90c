// gridkit's command line: the command looked up in the table, its help, and its failures
// turned into messages and exit statuses.
#include "gridkit/run.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <new>

#include "gridkit/commands.h"
#include "gridkit/commands/diff.h"
#include "gridkit/common.h"
#include "gridkit/exports/netcdf_file.h"
#include "gridkit/option_cursor.h"
#include "utl/fatal.h"
#include "utl/signal_cleanup.h"
#include "utl/standard_output.h"

namespace gridkit {
namespace {

// Whether the arguments after the command ask for its help (before a "--" that ends the
// options).
bool asks_for_help(const std::vector<std::string>& args) {
  const auto options_end = std::find(args.begin() + 1, args.end(), "--");
  return std::any_of(args.begin() + 1, options_end,
                     [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << general_help();
    return kExitFailure;
  }
  if (args.front() == "--help" || args.front() == "-h") {
    out << general_help();
    return 0;
  }
  if (args.front() == "--version") {
    out << kVersion << "\n";
    return 0;
  }
  const Command* command = find_command(args.front());
  if (command == nullptr) {
    err << "gridkit: unknown command '" << args.front() << "'; try gridkit --help\n";
    return kExitFailure;
  }
  if (!command->help.empty() && asks_for_help(args)) {
    out << command_help(*command);
    return 0;
  }
  // A command's failure is one line on standard error. diff, check and explain answer as cmp
  // does, so theirs is trouble (status 2); the other commands' is status 1. A misuse of the
  // command line is status 2 for every command.
  const int failed = command->answers_like_cmp ? kExitTrouble : kExitFailure;
  try {
    return command->run(args, out, err);
  } catch (const UsageError& misuse) {
    err << "gridkit: " << misuse.what() << "\n";
    return kExitMisuse;
  } catch (const Failure& failure) {
    err << "gridkit: " << failure.what() << "\n";
  } catch (const utl::Fatal& stop) {
    // The toolkit's readers stop with a free-format line that begins with a blank.
    err << "gridkit:" << stop.text();
  } catch (const std::bad_alloc&) {
    err << "gridkit: out of memory\n";
  } catch (const std::exception& failure) {  // no thread to read on, a file system error
    err << "gridkit: " << failure.what() << "\n";
  }
  return failed;
}

int run(const std::vector<std::string>& args) {
  utl::signal_cleanup::treat_file_size_limit_as_full_disk();
  const int status = run(args, std::cout, std::cerr);
  if (netcdf_close_failed()) {
    // The library's exit-time clean-up would crash on the file it could not close; the
    // temporary file is already removed and the message out.
    const bool written = utl::standard_output_written();
    std::cerr.flush();
    std::_Exit(written ? status : kExitFailure);
  }
  if (utl::standard_output_written()) return status;
  // Statistics or a report lost on the way (a full disk under a redirection) is no success.
  std::cerr << "gridkit: cannot write standard output\n";
  const Command* command = args.empty() ? nullptr : find_command(args.front());
  return command != nullptr && command->answers_like_cmp ? kExitTrouble : kExitFailure;
}

}  // namespace gridkit
