// The corvane program: one parameter file in, monthly recharge and yearly area grids out.
#include "corvane/run.h"

#include <iostream>

#include "corvane/distribute.h"
#include "corvane/params.h"
#include "utl/fatal.h"

namespace corvane {

int run(const std::vector<std::string>& args) {
  if (args.size() != 1) utl::error("Usage: corvane <parameter file>");
  const Params params = read_params(args[0], std::cout);
  distribute(params);
  return 0;
}

}  // namespace corvane
