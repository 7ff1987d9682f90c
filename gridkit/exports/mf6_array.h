// MODFLOW 6 binary array input: a stream file of one header (int32 KSTP and KPER, f64 PERTIM
// and TOTIM, a 16-character TEXT, int32 NCOL, NROW and ILAY) and the grid's doubles, row 1
// first, all little-endian; read by MODFLOW 6 with OPEN/CLOSE ... (BINARY).
#pragma once

#include <string>
#include <string_view>

#include "gridkit/grid.h"

namespace gridkit {

// Bytes of the header.
inline constexpr std::size_t kMf6ArrayHeaderBytes = 52;

// What the header says of the array; MODFLOW 6 reads none of it but NCOL, NROW and ILAY.
struct Mf6ArrayHeader {
  int kstp = 1;
  int kper = 1;
  double pertim = 0.0;
  double totim = 0.0;
  std::string_view text = "RECHARGE";  // cut or blank-padded to 16 characters
};

// The bytes of the file holding `grid` as layer 1.
std::string encode_mf6_array(const Grid& grid, const Mf6ArrayHeader& header);

}  // namespace gridkit
