// Whether standard output took everything written to it.
#include "utl/standard_output.h"

#include <cstdio>
#include <iostream>

namespace utl {

bool standard_output_written() {
  std::cout.flush();
  const bool stream_good = !std::cout.fail();
  const bool flushed = std::fflush(stdout) == 0;
  return stream_good && flushed && std::ferror(stdout) == 0;
}

}  // namespace utl
