// links: gridkit_lib
// corvane's water balance as gridkit reads it, on arbitrary files: the CSV records, the months
// that `rch` and `mf6-rcha` build on, and `gridkit check` of an empty directory against it. The
// input is the balance file's bytes.
// A Failure is an expected outcome; otherwise check answers 0 or 1. Every text reads
// into records that, written again field by field, read back the same.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/scratch_file.h"
#include "gridkit/commands/check.h"
#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/readers/balance_months.h"
#include "utl/csv.h"

namespace {

// The records as CSV text, each field through csv_field, each record ending its line.
std::string csv_text(const std::vector<std::vector<std::string>>& records) {
  std::string text;
  for (const auto& record : records) {
    for (std::size_t k = 0; k < record.size(); ++k) {
      if (k > 0) text += ',';
      text += utl::csv_field(record[k]);
    }
    text += '\n';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  const auto records = utl::parse_csv(contents);
  if (utl::parse_csv(csv_text(records)) != records) std::abort();

  try {
    (void)gridkit::parse_balance_months(contents, "balance.csv");
  } catch (const gridkit::Failure&) {
  }

  const std::string balance = fuzzing::write_scratch("balance.csv", data, size);
  const std::filesystem::path grids = fuzzing::scratch_dir() / "grids";
  std::error_code ignored;
  std::filesystem::create_directory(grids, ignored);
  std::ostringstream out;
  std::ostringstream err;
  try {
    const int status =
        gridkit::run_check({"check", grids.string(), "--balance", balance}, out, err);
    if (status != 0 && status != 1) std::abort();
  } catch (const gridkit::Failure&) {
  }
  return 0;
}
