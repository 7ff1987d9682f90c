// The help texts made from the table of gridkit's commands, and the look-up of a command.
#include "gridkit/commands.h"

#include <algorithm>
#include <ostream>

namespace gridkit {
namespace {

constexpr std::size_t kSummaryColumn = 26;

// One command's lines of the general help: its usage, then its summary from the summary
// column (on the usage's line when there is room).
void add_command_lines(std::string& text, const Command& command) {
  text += "  ";
  text += command.usage;
  std::string_view summary = command.summary;
  bool first_line = true;
  while (!summary.empty()) {
    const std::size_t end = std::min(summary.find('\n'), summary.size());
    const std::size_t used = first_line ? 2 + command.usage.size() : kSummaryColumn;
    if (first_line && used + 2 <= kSummaryColumn) {
      text.append(kSummaryColumn - used, ' ');
    } else {
      text += '\n';
      text.append(kSummaryColumn, ' ');
    }
    text += summary.substr(0, end);
    summary.remove_prefix(std::min(end + 1, summary.size()));
    first_line = false;
  }
  text += '\n';
}

}  // namespace

const Command* find_command(std::string_view name) {
  const std::span<const Command> table = commands();
  const auto found = std::find_if(table.begin(), table.end(),
                                  [&](const Command& command) { return command.name == name; });
  return found == table.end() ? nullptr : &*found;
}

std::string general_help() {
  std::string text =
      "Usage: gridkit COMMAND [options] FILE\n"
      "\n"
      "Commands:\n";
  for (const Command& command : commands()) add_command_lines(text, command);
  text +=
      "\n"
      "Options come before or after the files, as --name VALUE or --name=VALUE, and -- ends\n"
      "them; a command's own are shown by gridkit COMMAND --help. An unknown option, or one\n"
      "without its value, ends the run with status 2.\n"
      "  --help            this text\n"
      "  --version         the program's version\n";
  return text;
}

std::string command_help(const Command& command) {
  std::string text = "Usage: gridkit ";
  text += command.usage;
  text += "\n\n";
  text += command.help;
  text += "  --help            this text\n";
  return text;
}

}  // namespace gridkit
