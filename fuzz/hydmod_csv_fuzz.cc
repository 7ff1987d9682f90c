// links: gridkit_lib
// HYDMOD run files as gridkit reads them, on arbitrary files: `gridkit hydmod` (the run file as
// CSV) and `gridkit explain` against a two-label accounting list. The input is the run file's
// bytes.
// A Failure is an expected outcome. The CSV reads back as a header of `time` and the labels,
// and one record of as many fields per time record, whatever the labels hold.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/commands/explain.h"
#include "gridkit/common.h"
#include "gridkit/exports/hydmod_csv.h"
#include "gridkit/grid.h"
#include "utl/csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  try {
    const std::string csv = gridkit::hydmod_to_csv(contents, "run.sfi");
    const auto records = utl::parse_csv(csv);
    if (records.empty() || records.front().empty() || records.front().front() != "time") {
      std::abort();
    }
    for (const auto& record : records) {
      if (record.size() != records.front().size()) std::abort();
    }
  } catch (const gridkit::Failure&) {
  }

  const std::vector<gridkit::WantedLabel> wanted{{"Upper reach", "+SFSTAGE001"},
                                                 {"Lower reach", "-SFSTAGE002"}};
  bool fits = false;
  try {
    const std::string findings = gridkit::explain_hydmod(contents, "run.sfi", wanted, true, fits);
    if (findings.empty()) std::abort();
  } catch (const gridkit::Failure&) {
  }
  return 0;
}
