// The hydmod command: a HYDMOD run file as CSV.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/hydmod_csv.h"
#include "gridkit/one_file_options.h"

namespace gridkit {
namespace {

int run_hydmod(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const std::optional<OneFileOptions> options = read_one_file_options(args, out);
  if (!options) return kExitSuccess;
  std::string contents;
  read_binary_input_file(options->file, contents);
  write_output_file(*options->output, hydmod_to_csv(contents, options->file));
  return kExitSuccess;
}

}  // namespace

extern constinit const Command kHydmodCommand{
    "hydmod", "hydmod FILE -o OUT.csv", "a HYDMOD run file as CSV",
    "A HYDMOD run file as CSV: a row a time record, a column a label.\n"
    "  -o, --output OUT  the CSV to write\n",
    run_hydmod};

}  // namespace gridkit
