// MODFLOW 6 binary arrays written byte by byte, so the host's byte order never matters.
#include "gridkit/exports/mf6_array.h"

#include "utl/fields.h"
#include "utl/records.h"

namespace gridkit {
namespace {

constexpr std::size_t kTextLength = 16;

}  // namespace

std::string encode_mf6_array(const Grid& grid, const Mf6ArrayHeader& header) {
  std::string out;
  out.reserve(kMf6ArrayHeaderBytes + 8 * grid.values.size());
  utl::put_i32le(out, header.kstp);
  utl::put_i32le(out, header.kper);
  utl::put_f64le(out, header.pertim);
  utl::put_f64le(out, header.totim);
  out += utl::padded(header.text, kTextLength);
  utl::put_i32le(out, kNcol);
  utl::put_i32le(out, kNrow);
  utl::put_i32le(out, 1);
  for (const double value : grid.values) utl::put_f64le(out, value);
  return out;
}

}  // namespace gridkit
