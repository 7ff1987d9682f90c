// gridkit's commands, each with its usage, its help and the function that runs it: the one
// table the general help, each command's --help and the dispatch are made from.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

struct Command {
  std::string_view name;
  // The synopsis after "gridkit ", on one line.
  std::string_view usage;
  // What the command gives, in a line or two for the general help.
  std::string_view summary;
  // The text after the usage line of `gridkit NAME --help`: what it does and its options.
  // Empty for a command that answers --help itself.
  std::string_view help;
  // Runs the command on `args`, the command's name first; returns the exit status.
  int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
  // Whether the command answers with the exit statuses of cmp and diff (0, 1, or 2 on
  // trouble) rather than 0 or 1: run() then reports its failures with status 2.
  bool answers_like_cmp = false;
};

// Every command, in the order of the general help (the table in gridkit/commands/table.cc).
std::span<const Command> commands();

// The command called `name`, or nullptr.
const Command* find_command(std::string_view name);

// The text of `gridkit --help`.
std::string general_help();

// The text of `gridkit NAME --help` for a command that does not answer it itself.
std::string command_help(const Command& command);

}  // namespace gridkit
