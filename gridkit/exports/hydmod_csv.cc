// HYDMOD run files read record by record and written out as CSV rows.
#include "gridkit/exports/hydmod_csv.h"

#include <cstdint>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "utl/csv.h"
#include "utl/fields.h"
#include "utl/hydmod_format.h"
#include "utl/number_text.h"
#include "utl/records.h"

namespace gridkit {
using utl::kHydmodCountBytes;
using utl::kHydmodDirectoryLead;
using utl::kHydmodLabelLength;
using utl::kHydmodRealBytes;

std::string hydmod_to_csv(std::string_view contents, const std::string& path) {
  utl::RecordReader reader(contents);
  std::string_view record;
  if (reader.next(record) != utl::RecordReader::Status::kRecord ||
      record.size() < kHydmodCountBytes) {
    throw Failure(path + ": cannot read the item count");
  }
  const auto nitems = static_cast<std::uint64_t>(utl::hydmod_items(utl::get_i32le(record.data())));

  // The directory record must hold every label before any is taken, so a wild count never
  // leads to a large allocation.
  if (reader.next(record) != utl::RecordReader::Status::kRecord ||
      record.size() < kHydmodDirectoryLead ||
      (record.size() - kHydmodDirectoryLead) / kHydmodLabelLength < nitems) {
    throw Failure(path + ": cannot read the directory of " + std::to_string(nitems) + " items");
  }
  std::string out = "time";
  for (std::uint64_t i = 0; i < nitems; ++i) {
    const std::string_view label =
        record.substr(kHydmodDirectoryLead + kHydmodLabelLength * i, kHydmodLabelLength);
    out += ',';
    out += utl::csv_field(label.substr(0, utl::length0(label)));
  }
  out += '\n';

  const std::uint64_t needed = kHydmodRealBytes * (nitems + 1);
  for (std::uint64_t number = 1;; ++number) {
    const auto status = reader.next(record);
    if (status == utl::RecordReader::Status::kEnd) break;
    if (status == utl::RecordReader::Status::kTruncated) {
      throw Failure(path + ": time record " + std::to_string(number) + " is cut short");
    }
    if (record.size() < needed) {
      throw Failure(path + ": time record " + std::to_string(number) + " holds " +
                    std::to_string(record.size()) + " bytes, fewer than the " +
                    std::to_string(needed) + " of its time and " + std::to_string(nitems) +
                    " values");
    }
    out += utl::plain_number(utl::get_f64le(record.data()));
    for (std::uint64_t i = 0; i < nitems; ++i) {
      out += ',';
      out += utl::plain_number(utl::get_f64le(record.data() + kHydmodRealBytes * (i + 1)));
    }
    out += '\n';
  }
  return out;
}

}  // namespace gridkit
