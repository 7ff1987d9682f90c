// The corvane program: one parameter file in, monthly recharge and yearly area grids out.
#include "corvane/run.h"

#include <iostream>

#include "corvane/balance.h"
#include "corvane/distribute.h"
#include "corvane/params.h"
#include "utl/fatal.h"
#include "utl/signal_cleanup.h"
#include "utl/standard_output.h"

namespace corvane {
namespace {

// The run's status once its progress lines are out: a failure when they were lost (a full
// disk under a redirection), said on standard error since standard output is gone.
int finish_standard_output() {
  if (utl::standard_output_written()) return 0;
  std::cerr << " Cannot write standard output\n";
  return utl::kExitFatal;
}

}  // namespace

int run(const std::vector<std::string>& args) {
  utl::signal_cleanup::treat_file_size_limit_as_full_disk();
  if (args.size() != 1) utl::error("Usage: corvane <parameter file>");
  const Params params = read_params(args[0], std::cout);
  std::vector<BalanceRow> balance;
  distribute(params, params.balance ? &balance : nullptr);
  // Written once every grid is out, so a run that stopped early leaves no balance behind.
  if (params.balance) write_balance(params.balance_file, balance);
  return finish_standard_output();
}

}  // namespace corvane
