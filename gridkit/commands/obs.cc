// The obs command: a MODFLOW 6 observation file, text or binary, as CSV.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/obs_csv.h"
#include "gridkit/one_file_options.h"
#include "gridkit/readers/obs_file.h"

namespace gridkit {
namespace {

int run_obs(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const std::optional<OneFileOptions> options = read_one_file_options(args, out);
  if (!options) return kExitSuccess;
  write_output_file(*options->output, obs_to_csv(read_obs_file(options->file)));
  return kExitSuccess;
}

}  // namespace

extern constinit const Command kObsCommand{"obs", "obs FILE -o OUT.csv",
                                           "a MODFLOW 6 observation file (text or binary) as CSV",
                                           "A MODFLOW 6 observation file, text or binary, as CSV.\n"
                                           "  -o, --output OUT  the CSV to write\n",
                                           run_obs};

}  // namespace gridkit
