// The pest-ins command: the instruction file that reads an impacts CSV's observations.
#include "gridkit/commands/pest_ins.h"

#include <algorithm>
#include <ostream>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/pest_instructions.h"
#include "gridkit/option_cursor.h"

namespace gridkit {

int run_pest_instructions(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& /*err*/) {
  std::string csv_path;
  std::string output;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string&) {
    if (cursor.is_output()) {
      output = cursor.value();
    } else {
      cursor.refuse_unknown_option();
      if (!csv_path.empty()) {
        throw Failure("pest-ins takes one impacts CSV: pest-ins IMPACTS.csv -o OUT.ins");
      }
      csv_path = cursor.argument();
    }
  });
  if (csv_path.empty())
    throw Failure("pest-ins needs an impacts CSV: pest-ins IMPACTS.csv -o OUT.ins");
  if (output.empty()) throw Failure("pest-ins needs an output file: -o OUT.ins");
  std::string csv;
  read_input_file(csv_path, csv);
  const std::string text = impacts_instructions(csv);
  write_output_file(output, text);
  out << "gridkit: " << output << ": " << (std::count(text.begin(), text.end(), '!') / 2)
      << " observations of " << csv_path << "\n";
  return 0;
}

extern constinit const Command kPestInsCommand{
    "pest-ins", "pest-ins IMPACTS.csv -o OUT.ins",
    "a PEST instruction file reading an impacts CSV's observations",
    "A PEST instruction file that reads the observations of an impacts CSV.\n"
    "  -o, --output OUT  the instruction file to write\n",
    run_pest_instructions};

}  // namespace gridkit
