// The corvane program: one parameter file in, monthly recharge and yearly area grids out.
#include "corvane/run.h"

#include <iostream>

#include "corvane/balance.h"
#include "corvane/distribute.h"
#include "corvane/params.h"
#include "utl/fatal.h"

namespace corvane {
int run(const std::vector<std::string>& args) {
  if (args.size() != 1) utl::error("Usage: corvane <parameter file>");
  const Params params = read_params(args[0], std::cout);
  std::vector<BalanceRow> balance;
  distribute(params, params.balance ? &balance : nullptr);
  // Written once every grid is out, so a run that stopped early leaves no balance behind.
  if (params.balance) write_balance(params.balance_file, balance);
  return 0;
}

}  // namespace corvane
