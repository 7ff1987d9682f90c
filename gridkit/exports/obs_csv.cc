// Observation records written out as CSV rows.
#include "gridkit/exports/obs_csv.h"

#include "utl/csv.h"
#include "utl/number_text.h"

namespace gridkit {

std::string obs_to_csv(const ObsSeries& series) {
  std::string out = "time";
  for (const std::string& name : series.names) {
    out += ',';
    out += utl::csv_field(name);
  }
  out += '\n';
  for (std::size_t r = 0; r < series.times.size(); ++r) {
    out += utl::plain_number(series.times[r]);
    for (std::size_t i = 0; i < series.names.size(); ++i) {
      out += ',';
      out += utl::plain_number(series.value(r, i));
    }
    out += '\n';
  }
  return out;
}

}  // namespace gridkit
