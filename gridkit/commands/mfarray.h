// `gridkit mfarray GRID -o OUT`: a grid as the model's binary array file, the form its array
// readers take with "(BINARY)": a header record (KSTP, KPER, PERTIM, TOTIM, a 16-character TEXT,
// NCOL, NROW, ILAY) and then the array record, row 1 first, reals in the precision of the
// model's build. Given a directory, every grid file of it becomes an array file of the same name
// in the output directory.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "gridkit/grid.h"

namespace gridkit {

// The width of the reals in the model's binary files: 8 bytes in a double-precision build,
// 4 in a single-precision one.
enum class RealWidth { kDouble, kSingle };

// What the header record of an array file holds besides the grid's shape.
struct ArrayHeader {
  int kstp = 1;
  int kper = 1;
  double pertim = 0.0;
  double totim = 0.0;
  std::string text = "RECHARGE";  // right-justified in 16 characters, as the model writes it
  int layer = 1;
};

// The bytes of the array file of `grid`: two framed records.
std::string encode_array_file(const Grid& grid, const ArrayHeader& header, RealWidth width);

// The same into `file`, which keeps its storage, for writing many grids one after another.
void encode_array_file_into(const Grid& grid, const ArrayHeader& header, RealWidth width,
                            std::string& file);

// Runs the command; a line on `out` tells what was written.
int run_mfarray(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
